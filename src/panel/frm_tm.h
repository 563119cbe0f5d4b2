#pragma once
// The question panel, as far as the simulated screen needs it: a topmost
// window beside the screen that starts a question, shows the list of
// unfinished questions and the question's title line, turns the hints on
// and ends the set.
#include "forms/forms.h"

class FrmTm : public forms::Form {
public:
    FrmTm();

    forms::Label *LblBiao; // the question's title line
    forms::Label *LblUnit; // "未完成的题目" and the numbers of the questions not done

    // Loads question CurQuestion: its resume step, its remembered pictures
    // into the screen, and switches the screen's start timer on.
    void DqExam();
    // The panel's buttons; 6 is the hands-on help.
    void CmdGN_Click(int Index);
    // Ends the set: the screen and the panel are unloaded and the home
    // page is shown again.
    void JiaoJuan();

private:
    void Form_Load();
};
