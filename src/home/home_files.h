#pragma once
// The files of the home page and what its page build reads from them,
// apart from the window. The question bank and the candidate's "ksdata"
// folder use the same short names for different files (288890 is the
// answer texts in the bank and the options in ksdata, 288891 the bank
// index and the random papers, 288892 the first-run flag and the paper
// history), so every name goes through one helper that also names its
// folder; nothing else joins a folder and a name. The readers take the
// lines already read, so that the rules can be checked without files.
#include "panel/record_files.h"
#include "startup/run_state.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <array>
#include <cstdint>
#include <optional>

namespace home {

// ---------------------------------------------------------------- file names

enum class Folder {
    Bank,     // the question bank (DataPath)
    UserData, // the candidate's records, the options and the banner ("ksdata")
};

// A file: its folder and its short name without ".mxy".
struct FileName {
    Folder folder = Folder::Bank;
    QString name;
    bool operator==(const FileName &) const = default;
};

namespace files {
// Bank.
FileName bankVersion();                // 288895: line 1 the bank's version
FileName moduleNumber();               // 288899: line 1 the module number
FileName bankIndex();                  // 288891: counts, unit sizes, fixed papers
FileName answerTexts();                // 288890: texts to type
FileName helpPage(int page);           // l3818N, page 0..4
FileName unitSteps(int unit);          // 2888(20 + u)
FileName unitQuestions(int unit);      // 2888(70 + u)
FileName exerciseSteps(int slot);      // 2888NN
FileName exerciseQuestions(int slot);  // 2888(NN + 50)
FileName picture(const QString &name); // any bank picture ("l20051", "9l0015")
// ksdata.
FileName options();            // 288890: line 1 the input-method option
FileName adBanner();           // 170100: banner text, colour, link
FileName randomPapers();       // 288891: one code list per random paper
FileName paperHistory();       // 288892: three lines per paper slot
FileName unitProgress();       // 288893: one flag line per unit
FileName favourites();         // 288862
FileName favouriteFlags();     // 288872
FileName wrongQuestions();     // 288863
FileName wrongFlags();         // 288873
FileName paperWrong(int slot); // 1824NN
} // namespace files

// The full path: the folder of the run state & name & ".mxy".
QString pathOf(const startup::RunState &s, const FileName &f);

// Every line of a file of the bank; nullopt when it cannot be read (also
// when it is no regular file or larger than a bank file may be). The files
// of "ksdata" are read through panel::RecordFiles, which holds back and
// tells one that cannot be read, never here.
std::optional<QStringList> readFileLines(const startup::RunState &s, const FileName &f);

// ---------------------------------------------------------------- numbers

// The number value of a text: blanks (space, tab, line feed) ignored, a
// leading "&H" reads hexadecimal digits, reading stops at the first
// character that cannot continue the number, no number gives 0.
double numberValue(const QString &text);

// A colour value: the number to the nearest whole number, halves to the
// even neighbour; nullopt when it is no colour (negative or above
// &HFFFFFF), in which case the control keeps its colour.
std::optional<uint32_t> colourValue(const QString &text);

// ---------------------------------------------------------------- banner

struct Banner {
    QString caption;                // line 1, blanks trimmed, "◎" a line break
    std::optional<uint32_t> colour; // line 2 (nullopt: not a colour)
    QString link;                   // line 3 as read; empty when absent
};
// The banner from the lines of its file (fewer lines: the rest empty).
Banner readBanner(const QStringList &lines);
// Line 1 of the banner: blanks trimmed at both ends, every "◎" a CR LF.
QString bannerCaption(const QString &line);
// Only an absolute http or https address is opened from the banner: the
// banner file comes over plain HTTP, so it must not name a program or file.
bool isWebAddress(const QString &link);

// ---------------------------------------------------------------- page build

// The bank's module-number line read as a number (" 07 " is 7) against
// the program's module.
bool moduleMatches(const QString &line, int moduleNumber);

// What the module-number file says of the bank. Its line 1 holds the
// bank's module in decimal digits, blanks around them allowed; anything
// else there (a letter, a byte that is not GBK, nothing, 0) is a damaged
// file, not another module.
enum class ModuleCheck {
    ThisModule,
    OtherModule, // a readable number of another module
    Unreadable,  // the file could not be read
    NotANumber,  // line 1 holds no module number
};
ModuleCheck checkModuleNumber(const std::optional<QStringList> &lines, int moduleNumber);

// Line 1 of the options file: any number other than 0 turns the input
// method on.
bool inputMethodOption(const QString &line);
// "题库版本：V" & the version line as read (blanks included).
QString versionCaption(const QString &versionLine);

// The contact lines of the bottom information line: labels 1, 2 and 3.
std::array<QString, 3> contactCaptions(const std::array<QString, startup::kInfoEntries> &info);

// The bottom information line's colour (entry 29) and the left edges of
// labels 0..3 (entries 30..33), design twips.
struct InfoLine {
    std::optional<uint32_t> colour;
    std::array<double, 4> lefts{};
};
InfoLine infoLine(const std::array<QString, startup::kInfoEntries> &info);
// Where the four labels of the information line stand: at their configured
// left edges, or further right when the label before would reach into one
// (a long web-site text), with kInfoGap between them; a line that would
// then run past the window's right edge (less kInfoGap) is drawn back
// from there, label by label, as far as the gaps allow. Design twips.
constexpr double kInfoGap = 240;
std::array<double, 4> infoLabelLefts(const std::array<double, 4> &lefts,
                                     const std::array<double, 4> &widths,
                                     double windowWidth = 12000);

// ---------------------------------------------------------------- bank index

constexpr int kMaxFixedPapers = 20;  // paper rows 70..89
constexpr int kMaxUnits = 20;        // unit buttons 50..69
constexpr int kMaxRandomPapers = 10; // paper rows 90..99
constexpr int kCountGroups = 26;     // unit counts read from line 2
constexpr int kProgressLines = 25;   // progress lines of units 0..24 written back

struct BankCounts {
    int papers = 0; // PaperCount
    int units = 0;  // UnitCount
    bool operator==(const BankCounts &) const = default;
};
// Line 1 of the bank index: blanks trimmed, characters 1-2 the fixed
// papers, 3-4 the units, each read as a decimal number.
BankCounts bankCounts(const QString &firstLine);
// The rows the page has for them: a count beyond its rows is cut there, so
// that no loop runs past its buttons.
int paperRows(int paperCount);
int unitRows(int unitCount);

// The question count of each unit from line 2: two digits per unit from
// unit 0, at most 26 groups; units without a group count 0.
std::array<int, kCountGroups> unitQuestionCounts(const QString &countLine);

// Unit progress brought into shape for the units 0..24: each stored line
// cut or padded with "F" to the unit's count (the record files' rule).
QStringList normalisedProgress(const QStringList &stored,
                               const std::array<int, kCountGroups> &counts);
// Whether the page build rewrites the progress in that shape: only when the
// count line gives at least one of the units 0..24 a count above 0. A
// missing count line, or one without counts ("ab", "0000", blanks), would
// cut every line to nothing and wipe the candidate's progress.
bool progressRewritten(const std::array<int, kCountGroups> &counts);

// Random papers: the non-empty lines at the head of the file, at most 10
// (the rows the papers tab has).
int randomPaperCount(const QStringList &lines);

// ---------------------------------------------------------------- record actions

// What the home page's actions write, through records, which for the
// candidate's actions is a panel::RecordAction (committed by the caller),
// so that the files of one action become new together or not at all. Each
// reads every file it moves first: when one cannot be read it writes
// nothing and says false, since a held-back file would stay where it is
// while the others move past it.

// A new random paper (list) drawn at now, randomCount papers stored: the
// list first in the random papers, the histories and wrong lists of the
// random slots one slot up, slot 20 afresh.
bool recordDraw(const panel::RecordFiles &records, const QString &list, const QString &now,
                int randomCount);
// The random paper of slot (20 .. 19 + count) deleted: the later papers,
// their histories and wrong lists one slot down.
bool recordDelete(const panel::RecordFiles &records, int slot, int count);
// A clearing of a review list (listFile with flagsFile) by filter 1..3:
// the kept list and flags, written; nullopt when nothing is written (the
// two lines do not pair up, or a file cannot be read: then both are left
// out of the action).
std::optional<panel::CodesWithFlags> recordClear(const panel::RecordFiles &records,
                                                 const QString &listFile, const QString &flagsFile,
                                                 int filter);

} // namespace home
