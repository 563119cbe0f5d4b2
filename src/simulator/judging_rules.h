#pragma once
// The rules by which the simulated screen judges an answer, apart from the
// window: which key a step expects, how a typed or selected text is
// compared with the expected one, when a picture drag has reached its
// target, which release on the target answers a step, and which frame of
// the guided mode marks which hot spot. The window's handlers read the
// step, ask these rules and then step on; keeping the rules here lets them
// be checked without a window.
#include "simulator/step_record.h"

#include <QString>
#include <optional>
#include <vector>

namespace sim {

// ---------------------------------------------------------------- keys

// A key the step accepts: the Shift state (1 Shift, 2 Ctrl, 4 Alt, summed)
// and the virtual-key code.
struct ExpectedKey {
    int shift = 0;
    int keyCode = 0;
    bool operator==(const ExpectedKey &) const = default;
};

// The key named by an action code 6SKK; none when the code is no key code.
std::optional<ExpectedKey> keyOfActionCode(const QString &code);
// The key named by alternative k (1..3), "P" followed by 6SKK. Alternative
// 1 adds 100 to key codes up to 20 and alternative 3 to every code, so that
// function keys (112 and up) can be named with two digits.
std::optional<ExpectedKey> keyOfAlternative(const QString &alt, int k);
// Every key the step accepts, in the order they are tested: the action
// code, then the three alternatives.
std::vector<ExpectedKey> expectedKeys(const StepRecord &r);
// Does this key event answer the step?
bool keyAnswers(const StepRecord &r, int keyCode, int shift);

// ---------------------------------------------------------------- text

// Letter case folded for the ASCII letters only; a Chinese text or a
// full-width letter is compared as it is.
QString foldAsciiCase(const QString &s);
// Only the characters from "!" to "~": what is left of a typed answer once
// blanks, control characters and every non-ASCII character are dropped.
QString cleanedText(const QString &s);

// An expected text and the two alternatives it accepts ("a|b"; without a
// bar both are the whole text).
struct ExpectedText {
    QString whole;
    QString first;
    QString second;
    static ExpectedText of(const QString &text);
};

// Blanks trimmed, letter case ignored, either alternative.
bool looseMatch(const QString &typed, const ExpectedText &t);
// Blanks trimmed, letter case compared, either alternative.
bool exactMatch(const QString &typed, const ExpectedText &t);
// Blanks trimmed, letter case compared, the whole text ("|" is no separator).
bool wholeMatch(const QString &typed, const ExpectedText &t);
// A text confirmed with Enter: the cleaned text or the text as typed,
// each as a loose match.
bool enterMatch(const QString &typed, const ExpectedText &t);
// A selection: trimmed, letter case ignored, against the whole text.
bool selectionMatch(const QString &selected, const QString &expected);

// Where the expected text of a line field comes from, and what happened.
struct AnswerText {
    bool ok = false; // false: the answer-text file or its line could not be read
    QString text;
};
// The text of line field n ("000": the empty text) of the answer-text file;
// a file shorter than n lines gives its last line. A missing or empty file
// gives !ok: nothing can then be answered, not even with an empty text.
AnswerText readExpectedText(const QString &path, const QString &lineField);

// ---------------------------------------------------------------- pictures

// How a picture-drag step moves Image5.
struct DragAxes {
    bool horizontal = false;
    bool vertical = false;
    bool any() const { return horizontal || vertical; }
};
// 8001-8002 horizontal, 8003-8004 vertical, 8006-8009 both; others none.
DragAxes dragAxes(int actionValue);
// Has the picture (its Left x and Top y, screen twips) passed the target
// (tx, ty, screen twips) in the step's direction? Inclusive, no tolerance.
bool dragReached(int actionValue, double x, double y, double tx, double ty);

// ---------------------------------------------------------------- target

// What a release on the target does in a step.
enum class TargetRelease {
    Nothing,      // the release does not answer the step
    TakeBranch,   // take the branch of the target (column 71)
    ConfirmText,  // typed-answer confirmation
    ContextMenu,  // open the step's context panel at the pointer
    JumpIfBranch, // a step of another kind: jump when the branch is not "0"
};
TargetRelease targetRelease(int actionValue, int button, int shift);

// Is the point (window twips) on the rectangle, edges included?
bool pointOnRect(double x, double y, double left, double top, double width, double height);

// The two kinds of step that start at the drag source: "004" a rubber band,
// "005" a drag; S in column 11 is the Shift state it must be drawn with.
bool isBandStep(const StepRecord &r);
bool isDragStep(const StepRecord &r);

// ---------------------------------------------------------------- hint frame

// The seven frames of the guided mode, one per screen region.
enum class HintFrame { None, Menu, Tool, Hui, Ctrl, Table, Start, MyPc };

// The hot-spot number an entry's code names for the hint frame: the
// numeric value of characters 2-3, or, when that is 0 and character 2 sorts
// before "S", the value of character 3 alone (a menu-bar letter and digit).
int hintSpotNumber(const ExpectedHit &entry);
// The frame that marks hot spot n; None for numbers that no frame marks.
HintFrame hintFrameOf(int n);

// One frame to lay: the frame and the hot spot (or 69: the whole desktop;
// 70-91: the start button) it marks.
struct HintMark {
    HintFrame frame = HintFrame::None;
    int spot = 0;
};
// The marks of a step in the order they are laid: entry 3, entry 2 (kinds
// "H" and "D"), then entry 1 (kind "H" only); a later mark of the same
// frame replaces an earlier one.
std::vector<HintMark> hintMarks(const StepRecord &r);

// ---------------------------------------------------------------- pointers

// The pointer a step gives the target or the drag source.
struct PointerChoice {
    enum Kind { Default, Standard, Custom } kind = Default;
    int number = 0;     // standard pointer number (Standard)
    QString cursorFile; // "ico" NN ".CUR" in the program folder (Custom)
};
// From the cursor code (columns 101-105): "S" and a number, the standard
// pointer; "M" and a number, the cursor file; otherwise the default. With
// customForAnyLetter, every first character but "S" names a cursor file
// (the drag source reads the code that way).
PointerChoice pointerOf(const QString &cursorCode, bool customForAnyLetter = false);

} // namespace sim
