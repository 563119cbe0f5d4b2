#pragma once
// The push button of every window: one frame of a four-frame picture strip
// (normal, hover, pressed, disabled) with a caption centred on it, and one
// event, Click, raised when a mouse button is released on it.
#include "forms/forms.h"

class kvtnButton : public forms::UserControl {
public:
    enum Frame { FrameNormal = 0, FrameHover = 1, FramePressed = 2, FrameDisabled = 3 };

    kvtnButton(forms::Container *parent, const QString &name);

    // ----- properties
    forms::Color ForeColor() const { return LblCaption->foreColor(); }
    void setForeColor(forms::Color c) override;
    bool Enabled() const { return enabled(); }
    void setEnabled(bool on) override;
    const forms::Font &Font() const { return LblCaption->font(); }
    void setFont(const forms::Font &f);
    const QString &Caption() const { return LblCaption->caption(); }
    void setCaption(const QString &c);
    bool FontBold() const { return LblCaption->font().bold; }
    void setFontBold(bool b);
    const QString &FontName() const { return LblCaption->font().name; }
    void setFontName(const QString &n);
    double FontSize() const { return LblCaption->font().size; }
    void setFontSize(double pt);
    bool FontUnderline() const { return LblCaption->font().underline; }
    void setFontUnderline(bool u);
    const forms::Picture &Picture() const { return ImgBack->picture(); }
    void setPicture(const forms::Picture &p) override;
    // MouseIcon and MousePointer are the control's own (setMouseIcon,
    // setMousePointer of every control).

    // The caption's Left (or Top) for a control extent W and a caption
    // extent w, twips: (W - w) / 2 to the nearest whole twip, halves to
    // even, then down to a multiple of 15 (toward zero).
    static double centred(double W, double w);

    // ----- parts
    forms::Image *ImgBack;
    forms::Label *LblCaption;
    forms::Timer *Timer1;

    // ----- the mouse on the bare control goes where it goes on its parts
    void userMouseDown(int button, int shift, double x, double y) override;
    void userMouseMove(int button, int shift, double x, double y) override;
    void userMouseUp(int button, int shift, double x, double y) override;
    void userResize() override;

private:
    void ImgBack_MouseDown(int button, int shift, double x, double y);
    void ImgBack_MouseMove(int button, int shift, double x, double y);
    void ImgBack_MouseUp(int button, int shift, double x, double y);
    void Timer1_Timer();
    void centreCaption();
    void showFrame(Frame f);
    Frame frame_ = FrameNormal;
};
