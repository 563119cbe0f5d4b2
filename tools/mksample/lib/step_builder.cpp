#include "step_builder.h"

namespace sample {

namespace {
const int kSlotStart[] = {0, 18, 34, 50, 135, 151, 197};
const int kHitStart[] = {0, 125, 86, 96, 167};
} // namespace

StepBuilder::StepBuilder() : line_(kColumns, QLatin1Char('0')) {
    put(6, QStringLiteral("O"));
    put(12, QStringLiteral("888888"));
}

QString StepBuilder::digits(int value, int width) {
    return QString::number(value).rightJustified(width, QLatin1Char('0'), true);
}

StepBuilder &StepBuilder::put(int column, const QString &text) {
    const int end = column - 1 + text.size();
    if (line_.size() < end) line_ = line_.leftJustified(end, QLatin1Char('0'));
    line_.replace(column - 1, text.size(), text);
    return *this;
}

StepBuilder &StepBuilder::truncate(int columns) {
    line_.truncate(columns);
    return *this;
}

StepBuilder &StepBuilder::lead(const QString &three) {
    return put(1, three.left(3));
}
StepBuilder &StepBuilder::windowKind(QChar c) {
    return put(4, QString(c));
}
StepBuilder &StepBuilder::viewVariant(QChar c) {
    return put(5, QString(c));
}
StepBuilder &StepBuilder::menuBar(QChar c) {
    return put(6, QString(c));
}
StepBuilder &StepBuilder::paneFlags(int v) {
    return put(7, digits(v, 1));
}
StepBuilder &StepBuilder::noBars() {
    return put(6, QStringLiteral("EE"));
}
StepBuilder &StepBuilder::action(const QString &four) {
    return put(8, four.left(4));
}
StepBuilder &StepBuilder::background(const QString &picture) {
    return put(12, picture.left(6));
}

StepBuilder &StepBuilder::picture(int slot, int x, int y, const QString &name, QChar branch) {
    if (slot < 1 || slot > 6) return *this;
    const int c = kSlotStart[slot];
    return put(c, digits(x, 5) + branch + digits(y, 4) + name.left(6));
}

StepBuilder &StepBuilder::target(int x, int y, int w, int h, QChar branch) {
    return put(66, digits(x, 5) + branch + digits(y, 4) + digits(w, 5) + digits(h, 5));
}

StepBuilder &StepBuilder::textBox(int x, int y, int w, int h, int initialLine) {
    return put(86, digits(x, 5) + QLatin1Char('0') + digits(y, 4) + digits(w, 5) + digits(h, 5) +
                       digits(initialLine, 3));
}

StepBuilder &StepBuilder::answerLine(int line) {
    return put(109, digits(line, 3));
}

StepBuilder &StepBuilder::hint(int x, int y, int line) {
    return put(112, digits(x, 5) + digits(y, 5) + digits(line, 3));
}

StepBuilder &StepBuilder::hit(int k, const QString &entry) {
    if (k < 1 || k > 4) return *this;
    return put(kHitStart[k], entry.left(10));
}

QString StepBuilder::entry(QChar kind, const QString &code, int item1, int item2, int item3,
                           QChar branch) {
    return QString(kind) + code.left(2) + digits(item1, 2) + digits(item2, 2) + digits(item3, 2) +
           branch;
}

StepBuilder &StepBuilder::textStyle(int sizeTenths, QChar align, int bits, int font, int fore,
                                    int back) {
    return put(125, QStringLiteral("0") + digits(sizeTenths, 3) + align + QLatin1Char('0') +
                        digits(bits, 1) + digits(font, 1) + digits(fore, 1) + digits(back, 1));
}

StepBuilder &StepBuilder::tabStep(QChar row, QChar shown, QChar expected, int pictureSlot) {
    return put(130, QStringLiteral("X") + row + shown + expected + digits(pictureSlot, 1));
}

StepBuilder &StepBuilder::backEntry(const QString &five, int x, int y) {
    put(125, five.left(5));
    return dragTarget(x, y);
}

StepBuilder &StepBuilder::keyAlts(const QString &a, const QString &b, const QString &c) {
    put(86, a.left(5));
    if (!b.isEmpty()) put(91, b.left(5));
    if (!c.isEmpty()) put(96, c.left(5));
    return *this;
}

StepBuilder &StepBuilder::cursor(QChar kind, int number) {
    put(101, QString(kind));
    return put(104, digits(number, 2));
}

StepBuilder &StepBuilder::dropBranch(QChar c) {
    return put(102, QString(c));
}

StepBuilder &StepBuilder::dragTarget(int x, int y) {
    return put(167, digits(x, 5) + digits(y, 5));
}

StepBuilder &StepBuilder::extraPicture(const QString &name, QChar hoverLast) {
    const QString n = name.leftJustified(6, QLatin1Char('0'), true);
    return put(167, n.left(5) + hoverLast + n.mid(5, 1));
}

StepBuilder &StepBuilder::barPosition(int x, int y) {
    return put(167, QStringLiteral("W") + digits(x, 4) + QLatin1Char('0') + digits(y, 4));
}

StepBuilder &StepBuilder::contextPanel(const QString &code) {
    return put(126, code.left(2));
}

StepBuilder &StepBuilder::source(int x, int y, int w, int h, QChar branch) {
    return put(177, digits(x, 5) + branch + digits(y, 4) + digits(w, 5) + digits(h, 5));
}

} // namespace sample
