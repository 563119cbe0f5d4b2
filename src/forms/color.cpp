#include "color.h"
#include "font.h"

#include <QtMath>

namespace forms {

QColor toQColor(Color c) {
    if (c & 0x80000000u) {
        // The Windows 7 standard scheme.
        switch (c & 0xFF) {
        case 0x00:
            return QColor(200, 200, 200);
        case 0x01:
            return QColor(0, 0, 0);
        case 0x05:
            return QColor(255, 255, 255);
        case 0x08:
            return QColor(0, 0, 0);
        case 0x0F:
            return QColor(240, 240, 240);
        case 0x10:
            return QColor(160, 160, 160);
        case 0x11:
            return QColor(109, 109, 109);
        case 0x12:
            return QColor(0, 0, 0);
        case 0x17:
            return QColor(0, 0, 0);
        case 0x18:
            return QColor(255, 255, 225);
        default:
            return QColor(0, 0, 0);
        }
    }
    return QColor(int(c & 255), int((c >> 8) & 255), int((c >> 16) & 255));
}

Color fromQColor(const QColor &c) {
    return rgb(c.red(), c.green(), c.blue());
}

QFont toQFont(const Font &f) {
    QFont q;
    q.setFamilies({f.name});
    // Sizes are points of a 96-dpi screen, drawn in whole logical pixels as
    // the original screen did.
    double pt = f.size > 0 ? f.size : 9;
    q.setPixelSize(qMax(1, qRound(pt * 96.0 / 72.0)));
    q.setBold(f.bold);
    q.setItalic(f.italic);
    q.setUnderline(f.underline);
    q.setStrikeOut(f.strikethrough);
    return q;
}

} // namespace forms
