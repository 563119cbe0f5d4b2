#pragma once
// The question panel: a small topmost borderless window that floats over
// the lower-right corner of the simulated screen. It shows the current
// question, moves between the questions of the set, marks them, opens the
// paged question list and the candidate information, turns the hints on,
// starts a demonstration, keeps the clock of a timed paper and ends the
// set. It minimises to a small bar of its own (a resize, not a window
// state) and refuses to close until the set is finished.
//
// Stacking order (hit-testing goes by it): the title strip's labels are
// windowless and lie beneath every windowed child; of the windowed ones,
// back to front: FrmZhuYa (the body), FrmSelect (question list) and
// FrmKSXX (candidate information) over the body, LblZXH and LblClose in
// the strip, and FrmZXH (the minimised bar) over everything. Inside the
// body PicUnit lies over the clock row, as the practice strip replaces it.
//
// The rules that need no window (title line, question text, list pages,
// marks, clock) are in panel_rules.h.
#include "forms/forms.h"
#include "panel/ime_menu.h"
#include "startup/kvtn_button.h"

namespace panel {
// Indexes of the function buttons CmdGN.
enum PanelButton : int {
    Previous = 0,
    Next = 1,
    Redo = 2,
    Mark = 3,
    List = 4,
    Finish = 5,
    Guide = 6,
    Demo = 7,
    HandIn = 8,
    CandidateInfo = 9,
    SeeAnswer = 10,
    Unmark = 11,
};
} // namespace panel

class FrmTm : public forms::Form {
public:
    FrmTm();

    // ----- controls
    // title strip (on the window)
    forms::Image *ImgLogo1;
    forms::Label *LblBiao; // the question's title line
    forms::Label *lblMove; // drag strip
    kvtnButton *LblZXH;    // minimise
    kvtnButton *LblClose;  // close picture; no action
    // body
    forms::PictureBox *FrmZhuYa;
    forms::ControlArray<kvtnButton> CmdGN{this, QStringLiteral("CmdGN")}; // 0..11
    forms::RichTextBox *RtbTM;                                            // the question text
    kvtnButton *Image2;                                                   // illustration toggle
    forms::Label *LblTime;                                                // exam minutes left
    forms::PictureBox *PTime; // frame of the elapsed-time bar
    forms::Label *LblTimeJD;  // the bar
    forms::Label *LblName, *LblIME;
    kvtnButton *CmdEn;
    forms::PictureBox *PicUnit;
    forms::Label *LblUnit; // "未完成的题目" and the numbers of the questions not done
    // question list
    forms::Frame *FrmSelect;
    forms::ControlArray<kvtnButton> CmTNO{this, QStringLiteral("CmTNO")}; // 1..40
    kvtnButton *CmdSelFH, *CmdSelLast, *CmdSelNext;
    // candidate information
    forms::Frame *FrmKSXX;
    forms::Image *Image1;
    forms::ControlArray<forms::Label> Label1{this, QStringLiteral("Label1")}; // 0..5
    forms::Label *KsName1, *KsZWH1, *KsCC1, *KsDAH1, *KsKM1, *KsSFZ1;
    kvtnButton *CmdKSFH;
    // minimised bar
    forms::PictureBox *FrmZXH;
    forms::Label *Label2;   // its drag strip
    forms::Label *Command2; // its restore area
    // timers
    forms::Timer *TimeKS;     // 60 s: the exam clock
    forms::Timer *TimerREDO;  // 100 ms, one shot: loads the current question
    forms::Timer *TimKsModel; // 500 ms, one shot: the button set of the study mode
    forms::Timer *TimStartYS; // 100 ms: the demonstration starts on its second tick
    // The input-method pop-up mIme with its items, and the layouts it was
    // built from (KeyboardLayouts, ImeCount); built anew with every panel.
    panel::ImeMenu Ime;

    // ----- form fields
    int ListPage = 0;     // page of the question list shown, 0-based
    int ListLastPage = 0; // its last page
    int StartTicks = 0;   // ticks of TimStartYS since it was switched on

    // ----- public procedures
    // Makes question CurQuestion the current one: text, title, strip,
    // marks, its pictures on the simulated screen, and the step engine's
    // start timer.
    void DqExam();
    // Fills and shows the list page ListPage.
    void dqYeMian();

    // ----- event handlers
    void Form_Load();
    void Form_QueryUnload(int &Cancel, int UnloadMode);
    void Form_Unload(int &Cancel);
    void Form_KeyUp(int &KeyCode, int Shift);
    void CmdGN_Click(int Index);
    void CmTNO_Click(int Index);
    void CmdSelLast_Click();
    void CmdSelNext_Click();
    void CmdSelFH_Click();
    void CmdKSFH_Click();
    void CmdEn_Click();
    void LblIME_Click();
    void TimeKS_Timer();
    void TimerREDO_Timer();
    void TimKsModel_Timer();
    void TimStartYS_Timer();
    void LblZXH_Click();
    void Command2_Click();
    void Command2_MouseMove(int Button, int Shift, double X, double Y);
    void FrmZXH_MouseMove(int Button, int Shift, double X, double Y);
    void FrmZXH_MouseDown(int Button, int Shift, double X, double Y);
    void Label2_MouseDown(int Button, int Shift, double X, double Y);
    void lblMove_MouseDown(int Button, int Shift, double X, double Y);
    void Image2_Click();
    void LblUnit_Click();
    void LblUnit_MouseMove(int Button, int Shift, double X, double Y);
    void PicUnit_KeyUp(int &KeyCode, int Shift);
    void RtbTM_KeyUp(int &KeyCode, int Shift);
    void RtbTM_Click();

    // Ends a practice set: writes its records, then back to the home page
    // on the tab the set came from.
    void JiaoJuan();
    // The illustration hidden, the toggle offering it again.
    void hidePicture();

private:
    void createControls();
    void wireEvents();
    // Stages of the loading that belong together.
    void layoutStrip();
    void layoutButtons();
    void layoutBody();
    void layoutCandidate();
    void layoutList();
    void startClock();
    // Stages of DqExam.
    // Line q of the question file into LineBuffer, read afresh each time
    // (a set's start rewrites the file); a missing or empty file keeps the
    // line last read.
    void readQuestionLine(int q);
    void showQuestionText();
    void restoreScreenPictures();
    void showTitle();
    // The illustration of a picture question into the viewer; a toggle
    // that offers to show it.
    void offerPicture(const QString &name);
    void startYanShi();
    // The simulated screen stands still on its step while a demonstration
    // is on its way or plays.
    void holdScreen();
    // FrmMain restored and shown: the keys go back to the screen (the rule
    // is question_focus.h's; clicks, keys and drags on the panel reach it
    // without a call of their own).
    void focusScreen();
    QString bankPicture(const QString &name) const;
};
