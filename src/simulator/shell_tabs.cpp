// The tab strips of dialog steps: choosing a tab shows its page, and only
// the expected tab gives the step's target back; the back button returns
// to an earlier step.
#include "simulator/shell_judging_frm.h"
#include "simulator/shell_tab_strip.h"
#include "startup/run_state.h"

using namespace shelljudge;

namespace {

// A tab page; a missing picture leaves the page blank.
void showPage(forms::Image *page, const QString &path) {
    forms::Picture p;
    forms::skip([&] { p = forms::loadPicture(path); });
    page->setPicture(p);
}

} // namespace

void FrmMain::LblXXK_Click(int Index) {
    auto &s = startup::state();
    if (Index == 0) {
        s.CurStep = shell::backButtonStep(BackEntry, s.CurStep);
        setData();
        return;
    }

    // The expected tab shows the step's own picture instead of the strip's page.
    forms::Image *page = TabPicSlot >= 1 && TabPicSlot <= 5 ? overlayImage(TabPicSlot) : nullptr;
    if (page) {
        showPage(page,
                 bankPicture(Index == TabExpected ? rec().slotPicture(TabPicSlot)
                                                  : sim::TabSetRow(TabSetRow).pagePicture(Index)));
    }
    if (TabCount >= shell::TwoRowTabCount) {
        TabRow = shell::frontRowFor(Index);
        DoubleXXK();
    }

    if (Index == TabExpected) {
        Label1->setVisible(true);
        LHelp->setCaption(TabHint);
        Label1->setHeight(TargetH * s.ScaleY);
        Label1->setWidth(TargetW * s.ScaleX);
        place(Shape1, rectOf(Label1));
    } else {
        LHelp->setCaption(shell::wrongTabHint(TabExpected));
        // A point the pointer cannot hit.
        Label1->setHeight(1);
        Label1->setWidth(1);
        if (LblXXK.exists(TabExpected)) place(Shape1, rectOf(LblXXK(TabExpected)));
    }
    LHelp->setCaption(shell::withLineBreaks(LHelp->caption()));
}

void FrmMain::DoubleXXK() {
    const shell::TabTops tops =
        shell::tabTops(sim::TabSetRow(TabSetRow), TabCount, TabRow, TabPicTop, scale());
    for (int i = 1; i <= shell::MaxTabs; ++i) {
        if (tops[size_t(i)]) LblXXK(i)->setTop(*tops[size_t(i)]);
    }
}
