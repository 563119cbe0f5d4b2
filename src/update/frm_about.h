#pragma once
// The about box: brand and system title, module, the home page's version
// line, the program's working folder (a click opens it in the file manager)
// and the company line. Shown modally from the home page's information
// labels; either button unloads it, so each opening shows current values.
#include "forms/forms.h"
#include "startup/kvtn_button.h"

class FrmAbout : public forms::Form {
public:
    FrmAbout();

    forms::Image *ImgLogo1;
    forms::Label *lblMove;
    // 0 the close box at the top right, 1 the confirm button.
    forms::ControlArray<kvtnButton> LblClick{this, QStringLiteral("LblClick")};
    // 0 version line, 1 brand and title, 2 the same on the top strip,
    // 3 working folder, 4 module, 6 company.
    forms::ControlArray<forms::Label> Label1{this, QStringLiteral("Label1")};
    // 4 the grey separator, 3 its white edge.
    forms::ControlArray<forms::Line> Line1{this, QStringLiteral("Line1")};

    void Form_Load();
    void Label1_Click(int index);
    void LblClick_Click(int index);
    void lblMove_MouseDown(int button, int shift, double x, double y);

    // The pointing hand of the folder line, its fingertip the hot spot.
    static forms::Picture handPointer();
};
