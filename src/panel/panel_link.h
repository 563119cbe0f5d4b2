#pragma once
// What the hand-in, the score sheet, the login, the answer warning and the
// input-method notice ask of the question panel and the home page, each
// named after the member it stands for. Every call acts on a loaded
// window, or creates it where the caller means to open it, and is skipped
// when the window cannot do it.
#include <QString>

namespace panel::link {

// FrmTm.TimerREDO.Enabled = True: the panel loads question CurQuestion
// (creating the panel when needed).
void loadCurrentQuestion();
// FrmTm.TimKsModel.Enabled = True: the panel sets its buttons for StudyMode.
void setButtonsForStudyMode();
// FrmTm.TimeKS.Enabled = False, on a loaded panel.
void stopExamClock();
// FrmTm.LblTime = "剩余" & MinutesLeft & "分钟" and FrmTm.LblTimeJD.Width from
// MinutesLeft, on a loaded panel.
void showMinutesLeft();
// FrmTm.CmTNO(n).Visible = False for n = from to 40.
void hideListButtonsFrom(int from);
// FrmTm.LblUnit.Caption = "".
void clearUnfinishedList();
// The answer warning's switch to practice, on a loaded panel: FrmTm.CmdGN(3)
// and (11) get the practice pictures, PicUnit is shown, CmdGN(5) to (7)
// shown, (8) to (10) hidden.
void showPracticeButtons();
// FrmTm.TimStartYS.Enabled = True, on a loaded panel: the demonstration of
// the current question.
void startDemonstration();
// FrmTm.Command2_Click, on a loaded panel: the panel restored beside the
// simulated screen.
void restorePanel();
// The panel docked at FrmMain's lower-right corner and shown (when both are loaded).
void dockAndShowPanel();
// The illustration hidden and the panel's toggle offering it again.
void hidePicture();
// A demonstration on its way (TimStartYS) or playing ends at once, handing
// the screen and the panel back and reloading the question.
void endDemonstration();
// FrmFengmian.Show, HomeReturnButton = button and FrmFengmian.TimFH on (when button is not 0).
void showHomePage(int returnButton);

} // namespace panel::link
