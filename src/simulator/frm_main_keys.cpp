// Key steps: the window and its regions hand their key events here.
#include "simulator/frm_main.h"

#include "simulator/judging_rules.h"

void FrmMain::KeyClick(int KeyCode, int Shift) {
    const sim::StepRecord r = rec();
    ActionValue = r.actionValue();
    // The action code and the three alternatives are one set of accepted
    // keys: a key that more than one of them names still answers only
    // this step, never the one after it as well.
    if (sim::keyAnswers(r, KeyCode, Shift)) doNext();
}

void FrmMain::Image6_KeyDown(int &KeyCode, int Shift) {
    KeyClick(KeyCode, Shift);
}

void FrmMain::ImgElse_KeyUp(int &KeyCode, int Shift) {
    KeyClick(KeyCode, Shift);
}
