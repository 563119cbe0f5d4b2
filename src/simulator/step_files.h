#pragma once
// The bank files the simulated screen reads besides pictures: the step
// file, the answer-text file, the style table of the input box and the
// tab-set table.
#include <QColor>
#include <QString>
#include <QStringList>
#include <optional>
#include <utility>

namespace sim {

// Line n (1-based) of a text file, or its last line when the file is
// shorter (also for n below 1: the reading loop never meets such a
// number). nullopt when the file cannot be read or is empty.
std::optional<QString> readLineNOrLast(const QString &path, int n);

// Answer text n: the line's text from character 4 on. nullopt when the
// file cannot be read.
std::optional<QString> readAnswerText(const QString &path, int n);

// The two accepted alternatives of an answer text, split at the first "|";
// without one both are the whole text.
std::pair<QString, QString> splitAlternatives(const QString &text);
// The initial text of an input box: the part before the first "|".
QString initialTextOf(const QString &text);

// Fonts and colours of the input box: rows 0-9 font names, 10-19 text
// colours, 20-29 background colours, 30-40 kept but unused.
class StyleTable {
public:
    static constexpr int kRows = 41;

    // A missing file gives an empty table; lines beyond the table are ignored.
    void load(const QString &path);
    void setRows(const QStringList &rows);
    const QString &row(int k) const;

    // The font name of row d: the trimmed row from its second character.
    QString fontName(int d) const;
    // The colour of a row: characters 2-4, 5-7 and 8-10 of the trimmed row.
    // An empty row is black.
    QColor colour(int row) const;

private:
    QString rows_[kRows];
};

// One row of the tab-set table, with its fields read out.
class TabSetRow {
public:
    TabSetRow() = default;
    explicit TabSetRow(QString text) : text_(std::move(text)) {}

    const QString &text() const { return text_; }
    // Number of tabs: "1".."9", "A".."D" for 10..13.
    int tabCount() const;
    int tabTop() const;    // characters 3-6
    int tabHeight() const; // characters 7-9
    // The page picture of tab i (characters 10i..10i+5).
    QString pagePicture(int i) const;
    // Left of tab i relative to the page picture (characters 10i+6..10i+9).
    int tabLeft(int i) const;
    // Width of tab i: the next tab's Left minus this one's, 990 when negative.
    int tabWidth(int i) const;
    // Tab label 0, the back button of the tab set.
    int backLeft() const;   // characters 140-143
    int backTop() const;    // characters 144-147
    int backWidth() const;  // characters 148-151
    int backHeight() const; // characters 142-145: overlaps Left and Top

private:
    int field(int from, int len) const;
    QString text_;
};

class TabSetTable {
public:
    static constexpr int kRows = 21;

    // A missing file gives an empty table; lines beyond the table are ignored.
    void load(const QString &path);
    void setRows(const QStringList &rows);
    const QString &row(int k) const;

private:
    QString rows_[kRows];
};

// The number formed by the leading digits of a field; 0 when it begins
// with no digit.
int leadingDigits(const QString &field);

} // namespace sim
