#include "panel/panel_link.h"

#include "demo/frm_yanshi.h"
#include "home/frm_fengmian.h"
#include "home/home_files.h"
#include "panel/frm_picture.h"
#include "panel/frm_tm.h"
#include "panel/panel_rules.h"
#include "panel/record_message.h"
#include "simulator/frm_main.h"
#include "startup/run_state.h"

namespace panel::link {

using forms::skip;

namespace {

// The panel when it is loaded; a call on a closed panel must not bring it
// back (the hand-in has closed it before the score sheet opens).
FrmTm *loadedPanel() {
    return forms::loadedForm<FrmTm>();
}

} // namespace

void loadCurrentQuestion() {
    skip([] { forms::form<FrmTm>()->TimerREDO->setEnabled(true); });
}

void setButtonsForStudyMode() {
    skip([] { forms::form<FrmTm>()->TimKsModel->setEnabled(true); });
}

void stopExamClock() {
    if (FrmTm *tm = loadedPanel()) tm->TimeKS->setEnabled(false);
}

void showMinutesLeft() {
    FrmTm *tm = loadedPanel();
    if (!tm) return;
    const int minutes = startup::state().MinutesLeft;
    skip([&] { tm->LblTime->setCaption(clockCaption(minutes)); });
    skip([&] { tm->LblTimeJD->setWidth(clockBarWidth(minutes, tm->PTime->width())); });
}

void hideListButtonsFrom(int from) {
    FrmTm *tm = nullptr;
    skip([&] { tm = forms::form<FrmTm>(); });
    if (!tm) return;
    for (int n = std::max(from, 1); n <= kListButtons; ++n) tm->CmTNO(n)->setVisible(false);
}

void clearUnfinishedList() {
    skip([] { forms::form<FrmTm>()->LblUnit->setCaption(QString()); });
}

void showPracticeButtons() {
    FrmTm *tm = loadedPanel();
    if (!tm) return;
    for (int i : {Mark, Unmark})
        skip([&] {
            tm->CmdGN(i)->setPicture(forms::loadPicture(
                home::pathOf(startup::state(), home::files::picture(buttonPicture(i, false)))));
        });
    tm->PicUnit->setVisible(true);
    for (int i = Finish; i <= SeeAnswer; ++i) tm->CmdGN(i)->setVisible(i <= Demo);
}

void startDemonstration() {
    if (FrmTm *tm = loadedPanel()) tm->TimStartYS->setEnabled(true);
}

void restorePanel() {
    if (FrmTm *tm = loadedPanel()) tm->Command2_Click();
}

void dockAndShowPanel() {
    FrmTm *tm = loadedPanel();
    FrmMain *m = forms::loadedForm<FrmMain>();
    if (!tm || !m) return;
    skip([&] { tm->setLeft(m->effectiveLeft() + m->effectiveWidth() - tm->width()); });
    skip([&] { tm->setTop(m->effectiveTop() + m->effectiveHeight() - tm->height()); });
    skip([&] { tm->show(); });
}

void hidePicture() {
    skip([] {
        if (FrmPicture *p = forms::loadedForm<FrmPicture>()) p->setVisible(false);
    });
    if (FrmTm *tm = loadedPanel())
        skip([&] { tm->Image2->setCaption(QStringLiteral("显示图片")); });
}

void endDemonstration() {
    if (FrmTm *tm = loadedPanel(); tm && tm->TimStartYS->enabled()) {
        tm->TimStartYS->setEnabled(false);
        tm->StartTicks = 0;
        startup::state().DemoPlaying = false;
        // The screen stood still for the demonstration: built again.
        tm->TimerREDO->setEnabled(true);
    }
    if (FrmYanShi *d = forms::loadedForm<FrmYanShi>()) d->handBack();
}

void showHomePage(int returnButton) {
    startup::state().HomeReturnButton = returnButton;
    FrmFengmian *home = nullptr;
    skip([&] { home = forms::form<FrmFengmian>(); });
    if (!home) return;
    if (returnButton != 0) home->TimFH->setEnabled(true);
    skip([&] { home->show(); });
    // Over the page just built, what its build could not read.
    skip([] { tellUnreadableRecords(); });
}

} // namespace panel::link
