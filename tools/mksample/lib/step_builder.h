#pragma once
// Builds step records from named fields, so that sample questions and
// tests never type a 212-column line by hand. Every field starts at its
// "nothing" value: no picture change, no target, no box, no hint, no
// answer entries.
#include <QString>

namespace sample {

class StepBuilder {
public:
    static constexpr int kColumns = 212;

    StepBuilder();
    // Starts from an existing record, to change some of its fields.
    StepBuilder(const QString &line) : line_(line) {}

    // Any columns, for fields this builder does not name (and for tests
    // that need a letter where digits belong).
    StepBuilder &put(int column, const QString &text);
    // Cuts the record after the given number of columns.
    StepBuilder &truncate(int columns);

    StepBuilder &lead(const QString &three);
    StepBuilder &windowKind(QChar c);
    StepBuilder &viewVariant(QChar c);
    StepBuilder &menuBar(QChar c);
    StepBuilder &paneFlags(int v);
    StepBuilder &noBars(); // columns 6-7 "EE"
    StepBuilder &action(const QString &four);
    StepBuilder &background(const QString &picture);
    // Overlay pictures 1..6.
    StepBuilder &picture(int slot, int x, int y, const QString &name, QChar branch = '0');
    StepBuilder &target(int x, int y, int w, int h, QChar branch = '0');
    StepBuilder &textBox(int x, int y, int w, int h, int initialLine = 0);
    StepBuilder &answerLine(int line);
    StepBuilder &hint(int x, int y, int line);
    // Answer entries 1..4 (ten characters: kind, code, items, branch).
    StepBuilder &hit(int k, const QString &entry);
    static QString entry(QChar kind, const QString &code, int item1 = 0, int item2 = 0,
                         int item3 = 0, QChar branch = '0');
    // Columns 125-134 of a text step.
    StepBuilder &textStyle(int sizeTenths, QChar align, int bits, int font, int fore, int back);
    // Columns 130-134 of a tab step.
    StepBuilder &tabStep(QChar row, QChar shown, QChar expected, int pictureSlot);
    // Columns 125-129 "Q..." and the back-step label's position.
    StepBuilder &backEntry(const QString &five, int x, int y);
    StepBuilder &keyAlts(const QString &a, const QString &b = QString(),
                         const QString &c = QString());
    StepBuilder &cursor(QChar kind, int number);
    StepBuilder &dropBranch(QChar c);
    StepBuilder &dragTarget(int x, int y);
    // Extra picture: its six-character name (columns 167-171 and 173) and
    // the last character of its hover picture's name (column 172).
    StepBuilder &extraPicture(const QString &name, QChar hoverLast = '0');
    StepBuilder &barPosition(int x, int y);
    StepBuilder &contextPanel(const QString &code);
    StepBuilder &source(int x, int y, int w, int h, QChar branch = '0');

    QString build() const { return line_; }
    operator QString() const { return line_; }

    // A number written with leading zeros in a field of the given width.
    static QString digits(int value, int width);

private:
    QString line_;
};

} // namespace sample
