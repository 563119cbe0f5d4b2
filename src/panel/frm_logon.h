#pragma once
// The imitation of the examination's candidate login that begins every
// timed paper: screen 1 takes a seat number and an ID-card number, screen 2
// shows the candidate's data while a bar fills, then the paper starts on
// the simulated screen with the question panel. The desktop's close asks
// the exit button's question on either screen; on screen 2 the bar waits
// for the answer.
#include "forms/forms.h"

class FrmLogon : public forms::Form {
public:
    FrmLogon();

    forms::PictureBox *Picture1; // screen 1: login
    forms::TextBox *TxtZwh;      // seat number
    forms::TextBox *TxtSFZ;      // ID-card number
    forms::Label *CmdLog;        // the painted login button
    forms::Label *CmdExit;       // the painted exit button
    forms::PictureBox *Picture2; // screen 2: confirmation
    forms::Label *LblName, *LblZwh, *LblCC, *LblKm, *LblSfz, *LblDah, *LblDate;
    forms::PictureBox *P2; // frame of the progress bar
    forms::Label *LJD;     // the progress bar
    forms::Timer *Timer1;
    forms::Timer *Timer2;

    void Form_Load();
    void Timer1_Timer();
    void TxtSFZ_KeyPress(int &KeyAscii);
    void CmdLog_Click();
    void Timer2_Timer();
    void CmdExit_Click();
};
