// Key steps: the window and its regions hand their key events here.
#include "simulator/frm_main.h"

#include "simulator/judging_rules.h"
#include "startup/run_state.h"

namespace {
// F4, held with Alt: the key the desktop takes for its close request.
constexpr int kCloseKeyCode = forms::vbKeyF1 + 3;
} // namespace

void FrmMain::KeyClick(int KeyCode, int Shift) {
    const sim::StepRecord r = rec();
    ActionValue = r.actionValue();
    // The action code and the three alternatives are one set of accepted
    // keys: a key that more than one of them names still answers only
    // this step, never the one after it as well.
    if (sim::keyAnswers(r, KeyCode, Shift)) doNext();
}

void FrmMain::Form_QueryUnload(int &Cancel, int UnloadMode) {
    // Only the program's own code (a finished set, the hand-in, the score
    // sheet) closes the screen. Closed by the desktop, it would leave the
    // panel alone (the exam clock running on), and the next reference would
    // load a screen that sets every question's resume step back to 1.
    if (UnloadMode != forms::vbFormControlMenu) return;
    Cancel = 1;
    // Hidden while a demonstration plays (or is about to), the screen has
    // no key to judge: the request came from a pager or a tool that kept
    // the window, not from the candidate at the screen.
    if (!visible() || startup::state().DemoPlaying) return;
    // What the desktop counts as a close the candidate pressed as Alt+F4;
    // a close from a taskbar or a switcher counts the same.
    KeyClick(kCloseKeyCode, forms::vbAltMask);
}

void FrmMain::Image6_KeyDown(int &KeyCode, int Shift) {
    KeyClick(KeyCode, Shift);
}

void FrmMain::ImgElse_KeyUp(int &KeyCode, int Shift) {
    KeyClick(KeyCode, Shift);
}
