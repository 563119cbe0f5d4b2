#include "panel/frm_picture.h"

#include "panel/panel_link.h"
#include "panel/question_focus.h"
#include "startup/run_state.h"

FrmPicture::FrmPicture() : forms::Form(QStringLiteral("FrmPicture")) {
    setBorderStyle(forms::vbBSNone);
    setBackColor(forms::rgb(255, 0, 0));
    setWidth(3000);
    setHeight(2250);
    Image1 = add<forms::Image>(QStringLiteral("Image1"));
    Timer1 = new forms::Timer(this, QStringLiteral("Timer1"));
    Timer1->setInterval(100);
    Timer1->setEnabled(true);
    onLoad = [this] { Form_Load(); };
    onMouseDown = [this](int b, int s, double x, double y) { Form_MouseDown(b, s, x, y); };
    Image1->onMouseDown = [this](int b, int s, double x, double y) {
        Image1_MouseDown(b, s, x, y);
    };
    Timer1->onTimer = [this] { Timer1_Timer(); };
    onQueryUnload = [this](int &cancel, int mode) { Form_QueryUnload(cancel, mode); };
    // Looked at or dragged aside, the illustration leaves the keys with the
    // screen.
    panel::handKeysBackAfterInput(*this);
}

void FrmPicture::Form_Load() {
    const auto &s = startup::state();
    Image1->setLeft(60 * s.ScaleX);
    Image1->setTop(60 * s.ScaleY);
    Timer1->setEnabled(true);
}

void FrmPicture::Timer1_Timer() {
    const auto &s = startup::state();
    forms::skip([&] { setWidth(Image1->width() + 120 * s.ScaleX); });
    forms::skip([&] { setHeight(Image1->height() + 120 * s.ScaleY); });
    forms::skip([&] { setTopmost(true); });
    forms::skip([&] { setLeft((forms::Screen::width() - width()) * s.ScaleX / 2); });
    forms::skip([&] { setTop((forms::Screen::height() - height()) * s.ScaleY / 2); });
    Timer1->setEnabled(false);
}

void FrmPicture::Form_MouseDown(int Button, int, double, double) {
    if (Button == forms::vbLeftButton) dragWindow();
}

void FrmPicture::Image1_MouseDown(int Button, int, double, double) {
    if (Button == forms::vbLeftButton) dragWindow();
}

void FrmPicture::Form_QueryUnload(int &Cancel, int UnloadMode) {
    // The viewer has no close of its own: the desktop's close hides it as
    // the panel's 隐藏图片 does, so that the panel's toggle shows it again.
    if (UnloadMode != forms::vbFormControlMenu) return;
    Cancel = 1;
    panel::link::hidePicture();
    panel::keysToScreen();
}
