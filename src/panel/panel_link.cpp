#include "panel/panel_link.h"

#include "home/frm_fengmian.h"
#include "panel/frm_tm.h"
#include "simulator/frm_main.h"
#include "startup/run_state.h"

namespace panel::link {

using forms::skip;

void loadCurrentQuestion() {
    // The panel's own one-shot timer is not there yet: load the question at once.
    skip([] { forms::form<FrmTm>()->DqExam(); });
}

void setButtonsForStudyMode() {
    skip([] { forms::form<FrmTm>(); });
}

void stopExamClock() {}

void showMinutesLeft() {}

void hideListButtonsFrom(int) {}

void clearUnfinishedList() {
    skip([] { forms::form<FrmTm>()->LblUnit->setCaption(QString()); });
}

void showPracticeButtons() {}

void startDemonstration() {
    skip([] { forms::form<FrmTm>()->TimStartYS->setEnabled(true); });
}

void restorePanel() {
    skip([] {
        if (auto *m = forms::loadedForm<FrmMain>()) {
            m->setWindowState(forms::vbNormal);
            m->show();
        }
    });
    dockAndShowPanel();
}

void dockAndShowPanel() {
    FrmTm *tm = forms::loadedForm<FrmTm>();
    FrmMain *m = forms::loadedForm<FrmMain>();
    if (!tm || !m) return;
    skip([&] { tm->setLeft(m->effectiveLeft() + m->effectiveWidth() - tm->width()); });
    skip([&] { tm->setTop(m->effectiveTop() + m->effectiveHeight() - tm->height()); });
    skip([&] { tm->show(); });
}

void showHomePage(int returnButton) {
    startup::state().HomeReturnButton = returnButton;
    skip([] { forms::form<FrmFengmian>()->show(); });
}

} // namespace panel::link
