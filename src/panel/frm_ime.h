#pragma once
// The notice on input methods: why a candidate may want the answer boxes
// not to switch to the chosen input method, and the option "调用输入法"
// itself, stored at once in the options file. Closing it restores the
// question panel beside the simulated screen.
#include "forms/forms.h"
#include "startup/kvtn_button.h"

class FrmIME : public forms::Form {
public:
    FrmIME();

    forms::Image *ImgLogo1;
    forms::Label *lblMove;
    forms::ControlArray<forms::Label> Label1{this, QStringLiteral("Label1")};
    forms::CheckBox *Check1;
    forms::ControlArray<kvtnButton> LblClick{this, QStringLiteral("LblClick")};

    void Form_Load();
    void Check1_Click();
    void LblClick_Click(int Index);
    void lblMove_MouseDown(int Button, int Shift, double X, double Y);
    void Form_Unload(int &Cancel);

private:
    bool puttingBack_ = false; // the box set back after a failed write: no write
};

namespace panel {
extern const QString kImeNoticeText;
}
