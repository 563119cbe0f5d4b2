#include "simulator/step_record.h"

#include "platform/text.h"

#include <cmath>

namespace sim {

namespace {

const QString kLetters = QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZ");

} // namespace

int wholeValue(const QString &field) {
    constexpr double kLimit = 1 << 24;
    double v = platform::val(field);
    if (std::isnan(v)) return 0;
    if (v > kLimit) v = kLimit;
    if (v < -kLimit) v = -kLimit;
    return static_cast<int>(platform::roundEven(v));
}

int tabNumber(const QString &c) {
    if (c.size() == 1) {
        const int p = QStringLiteral("ABCD").indexOf(c.at(0));
        if (p >= 0) return 10 + p;
    }
    return wholeValue(c);
}

QString ExpectedHit::kind() const {
    return platform::mid1(text_, 1, 1);
}
QString ExpectedHit::hitCode() const {
    return platform::mid1(text_, 2, 2);
}
QString ExpectedHit::level1() const {
    return platform::mid1(text_, 4, 2);
}
QString ExpectedHit::level2() const {
    return platform::mid1(text_, 6, 2);
}
QString ExpectedHit::level3() const {
    return platform::mid1(text_, 8, 2);
}
QString ExpectedHit::branch() const {
    return platform::mid1(text_, 10, 1);
}

QString StepRecord::cols(int from, int len) const {
    return platform::mid1(line_, from, len);
}

int StepRecord::num(int from, int len) const {
    return wholeValue(cols(from, len));
}

PictureSlot StepRecord::pictureSlot(int slot) const {
    static const int kStart[] = {0, 18, 34, 50, 135, 151, 197};
    PictureSlot s;
    if (slot < 1 || slot > 6) return s;
    const int c = kStart[slot];
    s.x = num(c, 5);
    s.branch = cols(c + 5, 1);
    s.y = num(c + 6, 4);
    s.picture = cols(c + 10, 6);
    return s;
}

bool StepRecord::isAllZeros(const QString &field) {
    for (const QChar c : field)
        if (c != QLatin1Char('0')) return false;
    return true;
}

bool StepRecord::hasTarget() const {
    return !isAllZeros(cols(66, 20));
}

StepRect StepRecord::targetRect() const {
    return StepRect{num(66, 5), cols(71, 1), num(72, 4), num(76, 5), num(81, 5)};
}

bool StepRecord::hasTextBox() const {
    return numberIsNonZero(cols(86, 20));
}

StepRect StepRecord::textBoxRect() const {
    return StepRect{num(86, 5), QString(), num(92, 4), num(96, 5), num(101, 5)};
}

bool StepRecord::hasHintPos() const {
    return !isAllZeros(cols(112, 10));
}

ExpectedHit StepRecord::expectedHit(int k) const {
    static const int kStart[] = {0, 125, 86, 96, 167};
    if (k < 1 || k > 4) return ExpectedHit();
    return ExpectedHit(cols(kStart[k], 10));
}

TextStyle StepRecord::textStyle() const {
    TextStyle t;
    t.fontSizeTenths = num(126, 3);
    t.alignment = cols(129, 1);
    t.styleBits = num(131, 1);
    // A character that is not a digit selects row 0 of its kind.
    t.fontIndex = num(132, 1);
    t.foreIndex = num(133, 1);
    t.backIndex = num(134, 1);
    return t;
}

TabSpec StepRecord::tabSpec() const {
    TabSpec t;
    t.isTabStep = cols(130, 1) == QLatin1String("X");
    const QString letter = cols(131, 1);
    const int pos = letter.isEmpty() ? -1 : kLetters.indexOf(letter.at(0));
    t.row = (pos >= 0 && pos <= 20) ? pos : -1;
    t.shown = tabNumber(cols(132, 1));
    t.expected = tabNumber(cols(133, 1));
    t.pictureSlot = num(134, 1);
    return t;
}

QString StepRecord::keyAlt(int k) const {
    if (k < 1 || k > 3) return QString();
    return cols(86 + 5 * (k - 1), 5);
}

bool StepRecord::namesExtraPic() const {
    const QString first = cols(167, 1), last = cols(173, 1);
    return !first.isEmpty() && first != QLatin1String("0") && first != QLatin1String("W") &&
           !last.isEmpty() && last != QLatin1String("0");
}

bool StepRecord::hasSource() const {
    return !isAllZeros(cols(187, 10));
}

StepRect StepRecord::sourceRect() const {
    return StepRect{num(177, 5), cols(182, 1), num(183, 4), num(187, 5), num(192, 5)};
}

int branchStep(const QString &branch) {
    if (branch == QLatin1String("0")) return 0;
    int n = wholeValue(branch);
    if (n == 0) {
        const int pos = branch.size() == 1 ? kLetters.indexOf(branch.at(0)) + 1 : 0;
        n = 9 + pos;
    }
    return n;
}

bool numberIsNonZero(const QString &field) {
    int i = 0;
    const int n = field.size();
    auto skipBlanks = [&] {
        while (i < n && (field.at(i) == QLatin1Char(' ') || field.at(i) == QLatin1Char('\t'))) ++i;
    };
    skipBlanks();
    if (i < n && (field.at(i) == QLatin1Char('+') || field.at(i) == QLatin1Char('-'))) ++i;
    bool point = false;
    for (; i < n; ++i) {
        const QChar c = field.at(i);
        if (c == QLatin1Char(' ') || c == QLatin1Char('\t')) continue;
        if (c == QLatin1Char('.') && !point) {
            point = true;
            continue;
        }
        if (c < QLatin1Char('0') || c > QLatin1Char('9')) break;
        if (c != QLatin1Char('0')) return true;
    }
    return false;
}

} // namespace sim
