#include "panel/login_rules.h"

#include "platform/text.h"

namespace panel {

QString seatNumberOf(const QString &typed) {
    return (QStringLiteral("00") + platform::trimBlanks(typed)).right(2);
}

QString idNumberOf(const QString &typed) {
    return (kSampleIdNumber + platform::trimBlanks(typed)).right(18);
}

bool idBoxAccepts(QChar ch, int length) {
    if (ch >= u'0' && ch <= u'9') return true;
    if (ch == u'X' || ch == u'x') return length >= 17;
    return false;
}

QString idBoxFilter(const QString &arriving, int length) {
    QString kept;
    for (QChar ch : arriving)
        if (idBoxAccepts(ch, length + static_cast<int>(kept.size()))) kept += ch;
    return kept;
}

double loginBarWidth(int ticks, double scaleX) {
    return 255 + ticks * 1500 * scaleX;
}

bool loginBarFull(double barWidth, double scaleX) {
    return barWidth > 10335 * scaleX;
}

QString loginDateText(const QString &dateTime) {
    return platform::mid1(dateTime, 1, 4) + QStringLiteral("年") + platform::mid1(dateTime, 6, 2) +
           QStringLiteral("月") + platform::mid1(dateTime, 9, 2) + QStringLiteral("日");
}

} // namespace panel
