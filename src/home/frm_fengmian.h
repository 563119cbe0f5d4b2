#pragma once
// The home page, as far as start-up needs it for now: the window the
// deferred start shows, which reads the bank's version and module number,
// the units' question counts and progress and the input-method option into
// the shared run state, and the exit button with its confirmation.
#include "forms/forms.h"
#include "startup/frm_qhmsgbox.h"
#include "startup/kvtn_button.h"

class FrmFengmian : public forms::Form {
public:
    FrmFengmian();

    forms::Label *LblCaption;
    forms::ControlArray<forms::Label> LblInfo{this, QStringLiteral("LblInfo")};
    forms::ControlArray<kvtnButton> ClickBotn{this, QStringLiteral("ClickBotn")};

    void Form_Load();
    void FengMainCsh();
    void ClickBotn_Click(int index);
    void LblInfo_Click(int index);
};
