#pragma once
// The home page, as far as start-up needs it for now: the window the
// deferred start shows, which reads the bank's version and module number,
// the units' question counts and progress and the input-method option into
// the shared run state, the exit button with its confirmation, and one
// start button (20) that practises the whole of the first unit.
// the shared run state, and the exit button with its confirmation; the
// start of the first fixed paper and the return from a set.
#include "forms/forms.h"
#include "startup/frm_qhmsgbox.h"
#include "startup/kvtn_button.h"

class FrmFengmian : public forms::Form {
public:
    FrmFengmian();

    forms::Label *LblCaption;
    forms::ControlArray<forms::Label> LblInfo{this, QStringLiteral("LblInfo")};
    forms::ControlArray<kvtnButton> ClickBotn{this, QStringLiteral("ClickBotn")};
    // One-shot: clicks home button HomeReturnButton once after a set.
    forms::Timer *TimFH;

    void Form_Load();
    void FengMainCsh();
    void ClickBotn_Click(int index);
    void LblInfo_Click(int index);
    // Opens the prepared set: exercise paths, first question, the step
    // file's first line of every question, favourite marks; then the home
    // page closes and the panel and the simulated screen take over.
    void startLianXi();

    void TimFH_Timer();
    // Starts fixed paper k (its row's start button 70 + k): the set is built
    // from the bank index and the candidate login opens.
    void StartFixedPaper(int k);

private:
    // The whole of unit u in unit order, done where its progress says "T".
    void prepareWholeUnit(int u);
};
