#pragma once
// The two confirmations of a paper's hand-in. FrmEnd1 warns about questions
// left unopened or marked; FrmEnd2 says the exam cannot be re-entered and,
// confirmed, closes the panel and the simulated screen and shows the score
// sheet. Either "no" returns to the paper with the panel docked again;
// closing a dialog by its title bar is its "no".
//
// Only one hand-in runs at a time. The exam clock reaching zero outranks
// whatever else is open: the answer warning (with a box over it), the
// input-method notice, a menu, the illustration and a demonstration close,
// then its message and the first dialog come at once; while a hand-in
// dialog is open, the message comes over it and that dialog stays, brought
// back and on top should the window manager have minimised it.
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

// The first confirmation of the hand-in, modal, from the hand-in button or
// the clock; the keys go back to the screen when the paper goes on.
void openHandIn();
// The exam clock reached zero (the clock has stopped itself): its message,
// then the hand-in; or, when a hand-in dialog is open, the message over it.
void examTimeUp();

} // namespace panel
