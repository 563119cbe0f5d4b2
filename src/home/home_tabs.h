#pragma once
// The rules of the home page's four list tabs, apart from the window: the
// units tab's captions, opening unit and bars; the papers tab's rows and
// its sprint-or-mock choice; the random papers' draw and the rotation of
// their code lists, history records and wrong lists; the favourites and
// the wrong-question book, which are one tab configured twice. The window
// reads the records, asks these functions and applies the answers, so that
// every value a tab shows or writes can be checked without a window.
#include "panel/record_files.h"

#include <QString>
#include <QStringList>
#include <array>
#include <functional>
#include <optional>
#include <utility>
#include <vector>

namespace home {

// ---------------------------------------------------------------- units tab

// Display columns of a text in the Chinese ANSI code page: a character GBK
// encodes in one byte counts 1, any other 2.
int gbkColumns(const QString &text);
// The caption of unit u's button: "u+1." and the title, fitted to exactly
// 25 columns (cut without a mark, padded with spaces; a double-width
// character that would start at column 25 becomes a space).
QString unitButtonCaption(int unit, const QString &title);

struct UnitCounts {
    int total = 0; // questions of the unit
    int open = 0;  // of them not yet learned
};
// The unit the tab opens on: the first with more than a fifth not learned
// (a unit of 0 questions counts as all unlearned), else the last unit;
// -1 (the all-units button) when there is no unit.
int openingUnit(const std::vector<UnitCounts> &units);

// The two bars of a selection, design twips (bottom edge 5550, full
// height 3570); nullopt when the selection has no question, in which case
// the bars keep their heights.
struct UnitBars {
    double learnedHeight = 0, openHeight = 0;
    double learnedTop() const { return 5550 - learnedHeight; }
    double openTop() const { return 5550 - openHeight; }
};
std::optional<UnitBars> unitBars(int total, int open);

// The caption line of a selection: all units, or "第n单元 " and the title.
QString selectionCaption(int unit, const QString &title);
// The codes of a unit's questions whose flag is wanted ("T" learned, "F"
// not learned), in the unit's order: unit 3, position 7 is "0307".
QString unitCodesFlagged(int unit, const QString &flags, QChar wanted);

// ---------------------------------------------------------------- papers tab

constexpr int kPaperRows = 30;  // 20 fixed, then 10 random
constexpr int kPaperCodes = 40; // questions of a paper
constexpr int kPaperLineChars = 160;

// The last sprint row for a bank of paperCount fixed papers.
int lastSprintRow(int paperCount);
// "一".."十" for 1..10, empty otherwise.
QString numeral(int n);
enum class PaperGroup { Sprint, Mock, Random };
PaperGroup paperGroup(int row, int lastSprint);
QString paperTitle(int row, int lastSprint);
// Top of row's picture, design twips (two rows to a line, 1350 apart).
double paperRowTop(int row, int lastSprint);
double paperRowLeft(int row);
// "最后考试时间：" and the first 16 characters of the stored time.
QString lastExamCaption(const QString &stored);
// "(" and the whole codes of a wrong list, blanks around it not counted.
QString wrongCountCaption(const QString &wrongListLine);
// The page the tab opens on: 28 (sprint) while a best score of rows 1 to
// lastSprint is below 75, else 29 (mock). Row 0 is not looked at.
int openingPaperPage(const panel::PaperHistoryTable &history, int lastSprint);

// What a page shows: the rows visible and whether it is the new-paper page.
struct PaperPage {
    std::array<bool, kPaperRows> rows{};
    bool newPaper = false;       // ImgSuiJi and button 21
    bool noRandom = false;       // the notice of an empty random list
    bool sprintPictures = false; // start buttons "l20047", else "l20048"
};
PaperPage paperPage(int button, int lastSprint, int paperCount, int randomCount);

// A paper's line is refused when it is shorter than 40 codes.
bool paperLineUsable(const QString &line);

// ---------------------------------------------------------------- random papers

// A uniform random number in [0, 1).
using RandomSource = std::function<double()>;
// 40 distinct codes drawn over the units of the given question counts;
// units of 0 questions are never drawn from. nullopt when the bank has no
// unit or fewer than 40 questions in all.
std::optional<QString> drawRandomPaper(const std::vector<int> &unitCounts,
                                       const RandomSource &random);

// The random-paper file after a draw: the new list, then the first 9
// lists read (lines the file lacked empty): always 10 lines.
QStringList randomPapersAfterDraw(const QStringList &fileLines, const QString &newList);
// ... and after deleting the paper of slot (20..19 + count): the others
// in their order and one empty line.
QStringList randomPapersAfterDelete(const QStringList &fileLines, int slot, int count);

// The history file's 90 lines of slots 0..29 and its last empty line.
QStringList historyToWrite(const panel::PaperHistoryTable &t);
// After a draw: slot 20 is the new paper (drawn at now, score 0), 21..29
// the old 20..28; the fixed papers stay.
panel::PaperHistoryTable historyAfterDraw(const panel::PaperHistoryTable &t, const QString &now);
// After deleting the paper of slot: every later random record one slot
// down; the last stays as it was.
panel::PaperHistoryTable historyAfterDelete(const panel::PaperHistoryTable &t, int slot, int count);

// The wrong lists' moves, in the order they run: copy file `from` over
// file `to`; `from` -1 writes the destination empty.
struct WrongListCopy {
    int from = -1, to = 0;
    bool operator==(const WrongListCopy &) const = default;
};
std::vector<WrongListCopy> wrongListsAfterDraw(int randomCount);
std::vector<WrongListCopy> wrongListsAfterDelete(int slot, int count);

// ---------------------------------------------------------------- favourites and wrong book

// What differs between the favourites tab and the wrong-question tab.
struct ReviewTab {
    QString listFile, flagsFile;
    int coverButton, topBarButton;
    QString background;
    std::array<int, 2> boxes; // bit value 1: not reviewed; 2: reviewed
    int startButton, clearButton;
    // PaperMode by filter 1, 2, 3 (PaperIndex is 19 - PaperMode).
    std::array<int, 3> kinds;
    QString practiceTitle;
    QString noRecord, noUnreviewed, noReviewed;
    QString clearTitle;
    std::array<QString, 3> clearPrompts; // by filter 1, 2, 3
};
const ReviewTab &favouritesTab();
const ReviewTab &wrongBookTab();

// The picture of a check box: "l200" & index, ticked index + 50.
QString boxPicture(int box, bool ticked);
// A click on box b (0 for bit value 1, 1 for bit value 2): the new filter.
int toggledFilter(int filter, int box);

struct ReviewCounts {
    int unreviewed = 0, reviewed = 0;
};
// Counted on the flag line: "T" reviewed, any other character not.
ReviewCounts reviewCounts(const QString &flagsLine);

// The entries split by their flags, in file order; entries past the last
// flag belong to neither group.
struct ReviewGroups {
    QString reviewed, unreviewed;
};
ReviewGroups reviewGroups(const QString &list, const QString &flags);

// A practice of the ticked group.
struct ReviewPractice {
    enum Outcome { Nothing, Refused, Start } outcome = Nothing;
    QString prompt; // of a refusal
    QString list;   // at most 500 codes
    int paperMode = 0, paperIndex = 0;
    int questionCount = 0;
    std::array<QString, 500> done;
    std::array<int, 500> status{};
};
ReviewPractice reviewPractice(const ReviewTab &tab, int filter, const QString &listLine,
                              const QString &flagsLine);

// A clearing of the ticked group: the list and flags kept; nullopt when
// the record has no list or no flags (nothing is written).
std::optional<panel::CodesWithFlags> reviewAfterClear(int filter, const QString &listLine,
                                                      const QString &flagsLine);

} // namespace home
