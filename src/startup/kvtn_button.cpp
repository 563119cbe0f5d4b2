#include "startup/kvtn_button.h"

#include "platform/text.h"
#include "startup/run_state.h"

kvtnButton::kvtnButton(forms::Container *parent, const QString &name)
    : forms::UserControl(parent, name) {
    ImgBack = add<forms::Image>(QStringLiteral("ImgBack"));
    LblCaption = add<forms::Label>(QStringLiteral("LblCaption"));
    LblCaption->setBackStyle(forms::vbTransparent);
    LblCaption->setAutoSize(true);
    Timer1 = new forms::Timer(this, QStringLiteral("Timer1"));
    Timer1->setInterval(100);
    Timer1->onTimer = [this] { Timer1_Timer(); };

    ImgBack->onMouseDown = [this](int b, int s, double x, double y) {
        ImgBack_MouseDown(b, s, x, y);
    };
    ImgBack->onMouseMove = [this](int b, int s, double x, double y) {
        ImgBack_MouseMove(b, s, x, y);
    };
    ImgBack->onMouseUp = [this](int b, int s, double x, double y) { ImgBack_MouseUp(b, s, x, y); };
    LblCaption->onMouseDown = ImgBack->onMouseDown;
    LblCaption->onMouseMove = ImgBack->onMouseMove;
    LblCaption->onMouseUp = ImgBack->onMouseUp;

    // What every button of the windows stores: white caption text in 宋体
    // 9 points, no caption, no picture, enabled. Applied as when the
    // properties are read: then the caption is centred and the frame shown.
    LblCaption->setForeColor(forms::rgb(255, 255, 255));
    forms::Font f;
    f.name = QStringLiteral("宋体");
    f.size = 9;
    LblCaption->setFont(f);
    centreCaption();
    showFrame(enabled() ? FrameNormal : FrameDisabled);
    // The timer runs from the moment the control is created.
    Timer1->setEnabled(true);
}

double kvtnButton::centred(double W, double w) {
    const int64_t whole = platform::roundEven((W - w) / 2);
    return static_cast<double>(whole / 15 * 15);
}

void kvtnButton::centreCaption() {
    LblCaption->setLeft(centred(width(), LblCaption->width()));
    LblCaption->setTop(centred(height(), LblCaption->height()));
}

void kvtnButton::showFrame(Frame f) {
    frame_ = f;
    ImgBack->setLeft(-static_cast<int>(f) * width());
}

void kvtnButton::setForeColor(forms::Color c) {
    LblCaption->setForeColor(c);
}

void kvtnButton::setEnabled(bool on) {
    forms::UserControl::setEnabled(on);
    showFrame(on ? FrameNormal : FrameDisabled);
}

void kvtnButton::setFont(const forms::Font &f) {
    LblCaption->setFont(f);
}

void kvtnButton::setCaption(const QString &c) {
    LblCaption->setCaption(c);
    centreCaption();
}

void kvtnButton::setFontBold(bool b) {
    LblCaption->setFontBold(b);
}
void kvtnButton::setFontName(const QString &n) {
    LblCaption->setFontName(n);
}
void kvtnButton::setFontSize(double pt) {
    LblCaption->setFontSize(pt);
}
void kvtnButton::setFontUnderline(bool u) {
    LblCaption->setFontUnderline(u);
}

void kvtnButton::setPicture(const forms::Picture &p) {
    ImgBack->setPicture(p);
}

void kvtnButton::ImgBack_MouseDown(int, int, double, double) {
    const startup::RunState &s = startup::state();
    showFrame(FramePressed);
    centreCaption();
    LblCaption->setLeft(LblCaption->left() + 15 * s.ScaleX);
    LblCaption->setTop(LblCaption->top() + 15 * s.ScaleY);
    Timer1->setEnabled(true);
}

void kvtnButton::ImgBack_MouseMove(int, int, double, double) {
    if (frame_ == FrameNormal) {
        showFrame(FrameHover);
        centreCaption();
    }
    Timer1->setEnabled(true);
}

void kvtnButton::ImgBack_MouseUp(int, int, double, double) {
    showFrame(FrameNormal);
    centreCaption();
    Timer1->setEnabled(false);
    raiseClick();
}

void kvtnButton::Timer1_Timer() {
    if (pointerOver()) return;
    // A disabled button marks the chosen one of a group: it keeps its frame.
    if (frame_ != FrameNormal && frame_ != FrameDisabled) {
        showFrame(FrameNormal);
        centreCaption();
    }
    Timer1->setEnabled(false);
}

void kvtnButton::userMouseDown(int button, int shift, double x, double y) {
    ImgBack_MouseDown(button, shift, x, y);
}
void kvtnButton::userMouseMove(int button, int shift, double x, double y) {
    ImgBack_MouseMove(button, shift, x, y);
}
void kvtnButton::userMouseUp(int button, int shift, double x, double y) {
    ImgBack_MouseUp(button, shift, x, y);
}

void kvtnButton::userResize() {
    centreCaption();
    ImgBack->setTop(0);
    // The frame on view follows the new width, so a resized button never
    // shows a slice across two frames.
    showFrame(frame_);
}
