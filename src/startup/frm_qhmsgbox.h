#pragma once
// The program's own modal message box. A caller sets MsgBoxResult to 0,
// fills LblTitle, Image1 and LblPrompt (touching the box loads it), shows
// it modally and then reads MsgBoxResult: 1 when the affirmative button
// closed it.
//
//   startup::state().MsgBoxResult = 0;
//   auto *box = forms::form<FrmQHMSGBOX>();
//   box->LblTitle->setCaption(QStringLiteral("退出系统"));
//   box->Image1->loadPicture(startup::state().DataPath + "l20071.mxy");
//   box->LblPrompt->setCaption(QStringLiteral("\r\n\r\n\r\n您确实要退出学习软件吗？"));
//   box->show(forms::vbModal);
//   if (startup::state().MsgBoxResult == 1) ...
#include "forms/forms.h"
#include "startup/kvtn_button.h"

class FrmQHMSGBOX : public forms::Form {
public:
    FrmQHMSGBOX();

    forms::Image *ImgLogo1;
    forms::Label *LblTitle;
    forms::Label *lblMove;
    forms::Image *Image1;
    forms::Label *LblPrompt;
    // 1 affirmative, 0 negative, 3 close box, 2 hidden.
    forms::ControlArray<kvtnButton> LblClick{this, QStringLiteral("LblClick")};

    void Form_Load();
    void LblClick_Click(int index);
    void lblMove_MouseDown(int button, int shift, double x, double y);
};
