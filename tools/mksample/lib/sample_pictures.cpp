#include "sample_pictures.h"
#include "sample_chrome.h"

#include "sample_dir.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

namespace sample {

namespace {

// Names whose format is fixed, so that each format is met by the pictures
// start-up shows first.
const QHash<QString, PictureFormat> &formatTable() {
    static const QHash<QString, PictureFormat> table = {
        {QStringLiteral("l20059"), PictureFormat::Jpeg}, // splash
        {QStringLiteral("l20069"), PictureFormat::Bmp},  // message box
        {QStringLiteral("l20067"), PictureFormat::Png},
        {QStringLiteral("l20071"), PictureFormat::Png},
        {QStringLiteral("l20072"), PictureFormat::Bmp},
        {QStringLiteral("l20000"), PictureFormat::Png},
        {QStringLiteral("l20001"), PictureFormat::Bmp},
        {QStringLiteral("l20002"), PictureFormat::Jpeg},
        {QStringLiteral("l20003"), PictureFormat::Png},
    };
    return table;
}

void appendLe16(QByteArray &b, quint16 v) {
    b.append(static_cast<char>(v & 0xFF));
    b.append(static_cast<char>(v >> 8));
}

void appendLe32(QByteArray &b, quint32 v) {
    for (int i = 0; i < 4; ++i) b.append(static_cast<char>((v >> (8 * i)) & 0xFF));
}

// One image of an icon or cursor file: a 32-bit DIB (height doubled for
// the mask) followed by the 1-bit AND mask, both bottom-up.
QByteArray dibResource(const QImage &source) {
    const QImage img = source.convertToFormat(QImage::Format_ARGB32);
    const int w = img.width(), h = img.height();
    QByteArray b;
    appendLe32(b, 40);
    appendLe32(b, static_cast<quint32>(w));
    appendLe32(b, static_cast<quint32>(h * 2));
    appendLe16(b, 1);
    appendLe16(b, 32);
    appendLe32(b, 0);
    appendLe32(b, 0);
    appendLe32(b, 0);
    appendLe32(b, 0);
    appendLe32(b, 0);
    appendLe32(b, 0);
    for (int y = h - 1; y >= 0; --y) {
        const auto *line = reinterpret_cast<const QRgb *>(img.constScanLine(y));
        for (int x = 0; x < w; ++x) {
            const QRgb p = line[x];
            b.append(static_cast<char>(qBlue(p)));
            b.append(static_cast<char>(qGreen(p)));
            b.append(static_cast<char>(qRed(p)));
            b.append(static_cast<char>(qAlpha(p)));
        }
    }
    const int maskStride = ((w + 31) / 32) * 4;
    for (int y = h - 1; y >= 0; --y) {
        QByteArray row(maskStride, '\0');
        const auto *line = reinterpret_cast<const QRgb *>(img.constScanLine(y));
        for (int x = 0; x < w; ++x)
            if (qAlpha(line[x]) < 128)
                row[x / 8] = static_cast<char>(row[x / 8] | (0x80 >> (x % 8)));
        b.append(row);
    }
    return b;
}

bool writeIconFile(const QString &path, const QImage &image, quint16 type, int hotX, int hotY) {
    if (image.isNull() || image.width() > 256 || image.height() > 256) return false;
    const QByteArray res = dibResource(image);
    QByteArray b;
    appendLe16(b, 0);
    appendLe16(b, type);
    appendLe16(b, 1);
    b.append(static_cast<char>(image.width() == 256 ? 0 : image.width()));
    b.append(static_cast<char>(image.height() == 256 ? 0 : image.height()));
    b.append('\0');
    b.append('\0');
    if (type == 2) {
        appendLe16(b, static_cast<quint16>(hotX));
        appendLe16(b, static_cast<quint16>(hotY));
    } else {
        appendLe16(b, 1);
        appendLe16(b, 32);
    }
    appendLe32(b, static_cast<quint32>(res.size()));
    appendLe32(b, 6 + 16);
    b.append(res);
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile f(path);
    return f.open(QIODevice::WriteOnly | QIODevice::Truncate) && f.write(b) == b.size();
}

} // namespace

QFont uiFont(int pixelSize, bool bold) {
    QFont f(QStringLiteral("WenQuanYi Zen Hei"));
    f.setPixelSize(std::max(8, pixelSize));
    f.setBold(bold);
    return f;
}

QImage windowPicture(QSize size, const QString &title, bool withTaskbar, WindowKind kind) {
    QImage img(size, QImage::Format_RGB32);
    img.fill(QColor(195, 217, 249));
    QPainter p(&img);
    const int w = size.width();
    const int bottom = withTaskbar ? size.height() - 40 : size.height();
    QLinearGradient glass(0, 0, 0, 30);
    glass.setColorAt(0, QColor(185, 209, 234));
    glass.setColorAt(1, QColor(153, 180, 209));
    p.fillRect(0, 0, w, 30, glass);
    p.setPen(Qt::black);
    p.setFont(uiFont(13));
    p.drawText(QRect(10, 0, w - 120, 30), Qt::AlignVCenter, title);
    drawCaptionButtons(p, w, kind);
    p.fillRect(6, 36, w - 12, bottom - 42, Qt::white);
    p.setPen(QColor(112, 112, 112));
    p.drawRect(6, 36, w - 13, bottom - 43);
    if (withTaskbar) drawTaskbar(p, QRect(0, bottom, w, size.height() - bottom));
    return img;
}

PictureFormat formatFor(const QString &name) {
    const QString key = name.toLower();
    const auto it = formatTable().find(key);
    if (it != formatTable().end()) return *it;
    int sum = 0;
    for (QChar c : key) sum += c.unicode();
    static const PictureFormat rotation[] = {PictureFormat::Png, PictureFormat::Bmp,
                                             PictureFormat::Jpeg};
    return rotation[sum % 3];
}

QImage placeholder(QSize px, const QString &label, QColor fill, QColor text) {
    QImage img(px, QImage::Format_RGB32);
    QPainter p(&img);
    QLinearGradient g(0, 0, 0, px.height());
    g.setColorAt(0, fill.lighter(130));
    g.setColorAt(1, fill);
    p.fillRect(img.rect(), g);
    p.setPen(fill.darker(160));
    p.drawRect(img.rect().adjusted(0, 0, -1, -1));
    if (!label.isEmpty()) {
        p.setPen(text);
        p.setFont(uiFont(std::min(px.height() / 3, 14)));
        p.drawText(img.rect(), Qt::AlignCenter | Qt::TextWordWrap, label);
    }
    return img;
}

QImage buttonStrip(QSize frame, const QString &label, QColor base) {
    QImage img(frame.width() * 4, frame.height(), QImage::Format_RGB32);
    img.fill(Qt::white);
    QPainter p(&img);
    const QColor looks[4] = {base, base.lighter(125), base.darker(130), QColor(0xa0, 0xa0, 0xa0)};
    for (int i = 0; i < 4; ++i) {
        const QRect r(frame.width() * i, 0, frame.width(), frame.height());
        QLinearGradient g(r.topLeft(), r.bottomLeft());
        g.setColorAt(0, looks[i].lighter(140));
        g.setColorAt(1, looks[i]);
        p.fillRect(r, g);
        p.setPen(looks[i].darker(170));
        p.drawRect(r.adjusted(0, 0, -1, -1));
        if (!label.isEmpty()) {
            p.setPen(i == 3 ? QColor(0xe0, 0xe0, 0xe0) : QColor(Qt::white));
            p.setFont(uiFont(std::min(frame.height() - 6, 14)));
            p.drawText(r.translated(i == 2 ? 1 : 0, i == 2 ? 1 : 0), Qt::AlignCenter, label);
        }
    }
    return img;
}

bool savePicture(const QImage &image, const QString &path, PictureFormat format) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    const char *fmt = format == PictureFormat::Bmp   ? "BMP"
                      : format == PictureFormat::Png ? "PNG"
                                                     : "JPEG";
    QImage out = image;
    if (format != PictureFormat::Png && image.hasAlphaChannel()) {
        // BMP and JPEG hold no transparency: lay the picture on white.
        out = QImage(image.size(), QImage::Format_RGB32);
        out.fill(Qt::white);
        QPainter p(&out);
        p.drawImage(0, 0, image);
    }
    return out.save(path, fmt, format == PictureFormat::Jpeg ? 92 : -1);
}

bool saveBankPicture(const SampleDir &dir, const QString &name, const QImage &image,
                     std::optional<PictureFormat> format) {
    return savePicture(image, dir.bankFile(name), format ? *format : formatFor(name));
}

bool writeIcon(const QString &path, const QImage &image) {
    return writeIconFile(path, image, 1, 0, 0);
}

bool writeCursor(const QString &path, const QImage &image, int hotX, int hotY) {
    return writeIconFile(path, image, 2, hotX, hotY);
}

QImage arrowPointer() {
    QImage img(32, 32, QImage::Format_ARGB32);
    img.fill(Qt::transparent);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing, false);
    QPainterPath arrow;
    arrow.moveTo(0, 0);
    arrow.lineTo(0, 17);
    arrow.lineTo(4, 13);
    arrow.lineTo(7, 20);
    arrow.lineTo(9, 19);
    arrow.lineTo(6, 12);
    arrow.lineTo(11, 12);
    arrow.closeSubpath();
    p.setPen(Qt::black);
    p.setBrush(Qt::white);
    p.drawPath(arrow);
    return img;
}

QImage handPointer() {
    QImage img(32, 32, QImage::Format_ARGB32);
    img.fill(Qt::transparent);
    QPainter p(&img);
    p.setPen(Qt::black);
    p.setBrush(Qt::white);
    p.drawRoundedRect(QRect(5, 0, 4, 14), 2, 2); // index finger
    p.drawRoundedRect(QRect(9, 6, 4, 9), 2, 2);
    p.drawRoundedRect(QRect(13, 7, 4, 8), 2, 2);
    p.drawRoundedRect(QRect(17, 8, 4, 8), 2, 2);
    p.drawRoundedRect(QRect(2, 10, 3, 7), 1, 1);  // thumb
    p.drawRoundedRect(QRect(4, 13, 17, 9), 3, 3); // palm
    return img;
}

} // namespace sample
