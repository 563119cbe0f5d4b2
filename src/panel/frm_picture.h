#pragma once
// The illustration of a picture question: a borderless topmost window the
// size of its picture plus a thin red frame, centred on the screen and
// moved by dragging the picture. The question panel loads the picture,
// shows and hides the window.
#include "forms/forms.h"

class FrmPicture : public forms::Form {
public:
    FrmPicture();

    forms::Image *Image1; // the illustration, at its own size
    forms::Timer *Timer1; // 100 ms, one shot: fits, raises and centres the window

    void Form_Load();
    void Timer1_Timer();
    void Form_MouseDown(int Button, int Shift, double X, double Y);
    void Image1_MouseDown(int Button, int Shift, double X, double Y);
    void Form_QueryUnload(int &Cancel, int UnloadMode);
};
