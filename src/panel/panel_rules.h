#pragma once
// The question panel's rules that need no window: the title line of a
// question, how a line of the exercise question file becomes the text the
// panel shows, the strip of unfinished questions, the arithmetic of the
// paged question list and of the mark bit, and the exam clock's caption
// and bar. The panel's handlers read the shared state, ask these rules
// and set their controls; keeping the rules here lets every set kind and
// edge be checked without a window.
#include <QString>
#include <QStringList>
#include <optional>
#include <span>

namespace panel {

// ---------------------------------------------------------------- title

// What the title line of a question is made of.
struct TitleInput {
    QString subjectName;
    int paperMode = 0;
    int paperIndex = 0;
    int paperSlot = 0;
    int question = 1;      // CurQuestion
    int questionCount = 1; // QuestionCount
    int code = 0;          // QuestionCodes(q - 1): unit * 100 + number, unit from 0
    QString doneFlag;      // QuestionDone(q - 1): "F" not done, anything else done
};

// The code as the title shows it: the unit counted from 1, four digits
// ("0107" for code 7).
QString displayCode(int code);
// "(未完成)" for the flag "F", "(已完成)" for any other flag.
QString doneMarker(const QString &doneFlag);
// The title line of the question; none for a set kind that has no title
// (the panel then keeps the title it shows).
std::optional<QString> titleLine(const TitleInput &in);

// ---------------------------------------------------------------- question text

// A question as the panel shows it.
struct QuestionText {
    QString text;         // for the text box
    bool picture = false; // a picture question: it has an illustration
    QString pictureName;  // its six characters (what the line holds of them)
};

// Line q of the exercise question file as it is read: the line itself, or
// the last line when the file is shorter; none when nothing can be read
// (the caller then keeps the line it had).
std::optional<QString> questionLine(const QStringList &lines, int q);
// The displayed question of a line: the text from character 7, "|" made a
// CR LF line break. A text beginning "picture" names its illustration in
// its characters 8 to 13 and keeps the rest from character 14 unchanged.
// A line too short for its fields gives what is there (never a failure).
QuestionText displayedQuestion(const QString &line);
// The same for a demonstration's note: "|" stays as stored.
QuestionText demonstrationQuestion(const QString &line);

// ---------------------------------------------------------------- status

// "未完成的题目" and, in ascending order, a blank and the number of every
// question of the set that is not done.
QString unfinishedStrip(std::span<const int> status, int questionCount);
bool isMarked(int status);
// The status after Mark and Unmark: only the mark bit changes, and only
// when it is not already as asked.
int marked(int status);
int unmarked(int status);
// A question loaded is shown: the shown bit set when it is clear.
int shown(int status);

// ---------------------------------------------------------------- list

constexpr int kListButtons = 40;

// One page of the question list.
struct ListPage {
    bool pageButtons = false; // previous/next page shown (more than 40 questions)
    int lastPage = 0;         // 0-based index of the last page
    int buttons = 0;          // number buttons on the page (1..40)
    int firstQuestion = 1;    // the question of number button 1
};

// Page p (0-based) of a set of n questions, 40 a page.
ListPage listPage(int questionCount, int page);
// The page after a previous/next press, kept within 0..lastPage.
int previousPage(int page);
int nextPage(int page, int lastPage);
// The picture of a number button: "l01032" marked, "l01031" shown,
// "l01030" never shown (done is not shown in the list).
QString listPicture(int status);

// ---------------------------------------------------------------- clock

constexpr int kExamMinutes = 50;

// "剩余" minutes "分钟".
QString clockCaption(int minutesLeft);
// The elapsed-time bar in a frame of the given width: the part of the 50
// minutes that has gone, computed in single precision.
double clockBarWidth(int minutesLeft, double frameWidth);
// Is the set one whose clock runs (a fixed or a random paper)?
bool isTimedPaper(int paperMode);

// ---------------------------------------------------------------- docked place

// The restored panel in design twips. Docked, it covers the simulated
// screen's lower-right corner (the screen is 15360 x 9000 design twips),
// so a question keeps its targets and hints out of that corner.
inline constexpr double kPanelWidth = 4980, kPanelHeight = 3630;
inline constexpr double kScreenWidth = 15360, kScreenHeight = 9000;
inline constexpr double kDockedPanelLeft = kScreenWidth - kPanelWidth;
inline constexpr double kDockedPanelTop = kScreenHeight - kPanelHeight;

// ---------------------------------------------------------------- buttons

// The picture strip of function button i: "l010" and i as two digits; an
// exam's mark and unmark buttons have their own pictures.
QString buttonPicture(int index, bool exam);

} // namespace panel
