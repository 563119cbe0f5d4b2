#pragma once
// The two confirmations of a paper's hand-in. FrmEnd1 warns about questions
// left unopened or marked; FrmEnd2 says the exam cannot be re-entered and,
// confirmed, closes the panel and the simulated screen and shows the score
// sheet. Either "no" returns to the paper with the panel docked again;
// closing a dialog by its title bar is its "no".
//
// Only one hand-in runs at a time: the clock reaching zero while a dialog
// is open shows its message and nothing more; while a window that must be
// closed first is open (the demonstration, the answer warning, the
// input-method notice) the time-out waits until that window closes.
#include "forms/forms.h"
#include "startup/kvtn_button.h"

#include <array>

namespace panel {

// Both dialogs: identical but for their text.
class HandInDialog : public forms::Form {
public:
    explicit HandInDialog(const QString &name);

    forms::Frame *Frame1;
    forms::Label *Label1;
    kvtnButton *Command1; // yes / hand in
    kvtnButton *Command2; // no

    // "No": back to the paper, the panel docked beside the screen.
    void Command2_Click();

protected:
    void loadCommon();
};

class FrmEnd1 : public HandInDialog {
public:
    FrmEnd1();
    void Form_Load();
    void Command1_Click();
};

class FrmEnd2 : public HandInDialog {
public:
    FrmEnd2();
    void Form_Load();
    void Command1_Click();
};

// The first dialog's text for the statuses of the 40 questions: the warning
// when one of them is not "in order" (shown and not marked: 1 or 5).
QString handInPrompt(const std::array<int, 500> &statuses);

// The exam clock reached zero (the clock has stopped itself): its message,
// then the hand-in; or only the message when a hand-in dialog is open; or
// nothing yet when a window that must close first is open.
void examTimeUp();
// A window that held back the time-out has closed: run it now if pending.
void runPendingTimeUp();
// Shows a window that holds back the time-out (the answer warning, the
// input-method notice) modally, then runs a time-out that came meanwhile.
void showHoldingTimeUp(forms::Form *f);
bool timeUpPending();
void resetTimeUp(); // tests

} // namespace panel
