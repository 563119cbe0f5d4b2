#pragma once
// The controls the windows are made of. Each is created on a container:
// `auto *lbl = new forms::Label(this, "LblTitle");` or `add<Label>(...)`.
#include "control.h"

#include <QString>
#include <QUrl>

namespace forms {

// ---------------------------------------------------------------- windowless

// Text on the container. Takes the mouse over its whole rectangle, also
// when transparent and without caption.
class Label : public WindowlessControl {
public:
    Label(Container *parent, const QString &name);

    const QString &caption() const { return caption_; }
    void setCaption(const QString &c);
    // Sizes itself to its caption (keeps its width when WordWrap is on).
    bool autoSize() const { return autoSize_; }
    void setAutoSize(bool on);
    bool wordWrap() const { return wordWrap_; }
    void setWordWrap(bool on);
    int alignment() const { return alignment_; }
    void setAlignment(int a);
    // vbTransparent (0) or vbOpaque (1, the default).
    int backStyle() const { return backStyle_; }
    void setBackStyle(int s);
    Color backColor() const { return backColor_; }
    void setBackColor(Color c);
    Color foreColor() const { return foreColor_; }
    void setForeColor(Color c);
    // 0 none (default), 1 fixed single.
    int borderStyle() const { return borderStyle_; }
    void setBorderStyle(int s);

    const Font &font() const { return font_; }
    void setFont(const Font &f);
    void setFontName(const QString &n);
    void setFontSize(double pt);
    void setFontBold(bool b);
    void setFontItalic(bool b);
    void setFontUnderline(bool b);

    // Pixels added between the lines of a caption broken by CR LF (0 by
    // default: lines, also wrapped ones, follow at the font's line spacing,
    // and at least 1.2 em apart).
    int lineGap() const { return lineGap_; }
    void setLineGap(int px);

    // Draws the caption in the middle of the label's height and of its
    // width less rightInset twips (a button laid over the label's right
    // end), instead of from the top across the whole width. The toolkit's
    // labels cannot; an indicator box whose letters must sit in the middle
    // of what a button leaves free needs it.
    bool centredCaption() const { return centred_; }
    void setCentredCaption(bool on, double rightInset = 0);
    double captionRightInset() const { return rightInset_; }

    // Size the caption takes, twips (what AutoSize gives).
    double captionWidth() const;
    double captionHeight() const;

    void paint(QPainter &p) const override;

private:
    void fit();
    QSizeF captionSizePx(bool wrap, double widthPx) const;
    QString caption_;
    int lineGap_ = 0;
    bool centred_ = false;
    double rightInset_ = 0;
    bool autoSize_ = false;
    bool wordWrap_ = false;
    int alignment_ = vbLeftJustify;
    int backStyle_ = vbOpaque;
    Color backColor_ = sys::ButtonFace;
    Color foreColor_ = sys::ButtonText;
    int borderStyle_ = 0;
    Font font_;
};

// A picture on the container. Without Stretch it takes the picture's size
// when one is set; with Stretch the picture fills its rectangle.
class Image : public WindowlessControl {
public:
    Image(Container *parent, const QString &name);

    const Picture &picture() const { return picture_; }
    void setPicture(const Picture &p);
    // Loads path into Picture (errors 53 / 481; the old picture stays).
    void loadPicture(const QString &path);
    bool stretch() const { return stretch_; }
    void setStretch(bool on);
    int borderStyle() const { return borderStyle_; }
    void setBorderStyle(int s);

    void paint(QPainter &p) const override;

private:
    Picture picture_;
    bool stretch_ = false;
    int borderStyle_ = 0;
};

enum ShapeKind {
    vbShapeRectangle = 0,
    vbShapeSquare = 1,
    vbShapeOval = 2,
    vbShapeCircle = 3,
    vbShapeRoundedRectangle = 4,
    vbShapeRoundedSquare = 5,
};
enum BorderStyleKind {
    vbBSTransparent = 0,
    vbBSSolid = 1,
    vbBSDash = 2,
    vbBSDot = 3,
    vbBSDashDot = 4,
    vbBSDashDotDot = 5,
    vbBSInsideSolid = 6,
};
enum FillStyleKind { vbFSSolid = 0, vbFSTransparent = 1 };

// A drawn outline (rectangle, oval, ...). Never takes the mouse.
class Shape : public WindowlessControl {
public:
    Shape(Container *parent, const QString &name);

    int shape() const { return shape_; }
    void setShape(int kind);
    Color borderColor() const { return borderColor_; }
    void setBorderColor(Color c);
    // Pixels.
    int borderWidth() const { return borderWidth_; }
    void setBorderWidth(int px);
    int borderStyle() const { return borderStyle_; }
    void setBorderStyle(int s);
    int backStyle() const { return backStyle_; }
    void setBackStyle(int s); // default transparent
    Color backColor() const { return backColor_; }
    void setBackColor(Color c);
    int fillStyle() const { return fillStyle_; }
    void setFillStyle(int s); // default transparent
    Color fillColor() const { return fillColor_; }
    void setFillColor(Color c);

    bool hitTest(QPoint) const override { return false; }
    void paint(QPainter &p) const override;

private:
    int shape_ = vbShapeRectangle;
    Color borderColor_ = sys::WindowText;
    int borderWidth_ = 1;
    int borderStyle_ = vbBSSolid;
    int backStyle_ = vbTransparent;
    Color backColor_ = sys::WindowBackground;
    int fillStyle_ = vbFSTransparent;
    Color fillColor_ = 0;
};

// A drawn line from (X1, Y1) to (X2, Y2), twips. Never takes the mouse.
// Its Left/Top/Width/Height are the bounding box of the ends.
class Line : public WindowlessControl {
public:
    Line(Container *parent, const QString &name);

    double x1() const { return x1_; }
    double y1() const { return y1_; }
    double x2() const { return x2_; }
    double y2() const { return y2_; }
    void setX1(double v);
    void setY1(double v);
    void setX2(double v);
    void setY2(double v);
    Color borderColor() const { return borderColor_; }
    void setBorderColor(Color c);
    int borderWidth() const { return borderWidth_; }
    void setBorderWidth(int px);
    int borderStyle() const { return borderStyle_; }
    void setBorderStyle(int s);

    bool hitTest(QPoint) const override { return false; }
    void paint(QPainter &p) const override;

private:
    void syncBox();
    double x1_ = 0, y1_ = 0, x2_ = 0, y2_ = 0;
    Color borderColor_ = sys::WindowText;
    int borderWidth_ = 1;
    int borderStyle_ = vbBSSolid;
};

// ---------------------------------------------------------------- windowed

// A picture box: a container with a picture. A press on it (or on a
// windowless control in it) gives it the focus; its KeyDown/KeyUp/KeyPress
// then receive the keys.
class PictureBox : public Container {
public:
    PictureBox(Container *parent, const QString &name);

    bool canFocus() const override { return true; }
    // Takes the picture's size (plus its border) when a picture is set.
    bool autoSize() const { return autoSize_; }
    void setAutoSize(bool on);
    void setPicture(const Picture &p) override;
    void loadPicture(const QString &path);
    // 0 none, 1 fixed single (a 2-pixel sunken border).
    int borderStyle() const { return borderStyle_; }
    void setBorderStyle(int s);
    QPoint clientOffsetPx() const override;
    double scaleWidth() const override;
    double scaleHeight() const override;

    const Font &font() const { return font_; }
    void setFont(const Font &f);

private:
    void fit();
    bool autoSize_ = false;
    int borderStyle_ = 1;
    Font font_;
};

// A frame: a container with a border and a caption.
class Frame : public Container {
public:
    Frame(Container *parent, const QString &name);

    const QString &caption() const { return caption_; }
    void setCaption(const QString &c);
    int borderStyle() const { return borderStyle_; }
    void setBorderStyle(int s);
    const Font &font() const { return font_; }
    void setFont(const Font &f);

private:
    QString caption_;
    int borderStyle_ = 1;
    Font font_;
};

// A one-line text box. Change is raised at once whenever the text changes,
// by typing or by code (not when code sets the same text).
class TextBox : public WindowedControl {
public:
    TextBox(Container *parent, const QString &name);

    bool canFocus() const override { return true; }
    QString text() const;
    void setText(const QString &t);
    // Character positions, 0-based, as the program counts them.
    int selStart() const;
    void setSelStart(int pos);
    int selLength() const;
    void setSelLength(int len);
    QString selText() const;
    void setSelText(const QString &t);
    bool locked() const;
    void setLocked(bool on);
    // 0 = no limit.
    int maxLength() const { return maxLength_; }
    void setMaxLength(int n);
    int alignment() const { return alignment_; }
    void setAlignment(int a);
    // Design time: a multi-line box shows its text from its top-left
    // corner however tall the box is (a page to type on), where a one-line
    // box centres it between its top and bottom. Either holds one line.
    bool multiLine() const { return multiLine_; }
    void setMultiLine(bool on);
    // 0 none, 1 fixed single (default).
    int borderStyle() const { return borderStyle_; }
    void setBorderStyle(int s);
    Color backColor() const { return backColor_; }
    void setBackColor(Color c);
    Color foreColor() const { return foreColor_; }
    void setForeColor(Color c);
    const Font &font() const { return font_; }
    void setFont(const Font &f);
    void setFontName(const QString &n);
    void setFontSize(double pt);
    void setFontBold(bool b);

    // KeyPress also judges text that arrives other than by a key: pasted
    // text (keys, the box's menu, the middle button) and text an input
    // method commits. Each character goes through KeyPress with the box's
    // text as it stands at that moment; those it cancels are dropped and
    // the rest is cut to MaxLength. Dropping text into the box is refused.
    // Off by default: typed keys alone go through KeyPress.
    bool filtersArrivingText() const { return filterArriving_; }
    void setFiltersArrivingText(bool on);
    // Puts text in at the caret as if it arrived at once (what a paste or
    // an input method does), through the filter when it is on.
    void insertArriving(const QString &text);

    std::function<void()> onChange;
    void raiseChange();

private:
    void applyLook();
    void applyAlignment();
    bool filterArriving_ = false;
    int maxLength_ = 0;
    int alignment_ = vbLeftJustify;
    bool multiLine_ = false;
    int borderStyle_ = 1;
    Color backColor_ = sys::WindowBackground;
    Color foreColor_ = sys::WindowText;
    Font font_;
};

// A multi-line, read-only text box with a vertical scroll bar (the
// question text of the panel). Text is kept exactly as set; CR LF (also a
// lone LF or CR) breaks a line on screen, and long lines wrap at words.
// The user can select and scroll but not change the text. Click is made
// by the router like a label's; keys raise KeyDown/KeyPress/KeyUp.
class RichTextBox : public WindowedControl {
public:
    RichTextBox(Container *parent, const QString &name);

    bool canFocus() const override { return true; }
    const QString &text() const { return text_; }
    void setText(const QString &t);
    // The lines as shown, one '\n' between them.
    QString shownText() const;
    // 0 none, 1 fixed single (default).
    int borderStyle() const { return borderStyle_; }
    void setBorderStyle(int s);
    Color backColor() const { return backColor_; }
    void setBackColor(Color c);
    Color foreColor() const { return foreColor_; }
    void setForeColor(Color c);
    const Font &font() const { return font_; }
    void setFont(const Font &f);
    void setFontName(const QString &n);
    void setFontSize(double pt);
    void setFontBold(bool b);

private:
    void applyLook();
    // Its lines at the spacing of a label's lines.
    void applyLineSpacing();
    QString text_;
    int borderStyle_ = 1;
    Color backColor_ = sys::WindowBackground;
    Color foreColor_ = sys::WindowText;
    Font font_;
};

enum CheckValue { vbUnchecked = 0, vbChecked = 1, vbGrayed = 2 };

// A check box. Click is raised whenever its Value changes, by the mouse,
// the space key or code.
class CheckBox : public WindowedControl {
public:
    CheckBox(Container *parent, const QString &name);

    bool canFocus() const override { return true; }
    const QString &caption() const { return caption_; }
    void setCaption(const QString &c);
    int value() const { return value_; }
    void setValue(int v);
    Color backColor() const { return backColor_; }
    void setBackColor(Color c);
    Color foreColor() const { return foreColor_; }
    void setForeColor(Color c);
    const Font &font() const { return font_; }
    void setFont(const Font &f);

private:
    void applyLook();
    QString caption_;
    int value_ = vbUnchecked;
    Color backColor_ = sys::ButtonFace;
    Color foreColor_ = sys::ButtonText;
    Font font_;
};

// Shows local HTML pages (the bank's help pages, GBK or UTF-8, any file
// name) in the subset of HTML a text browser shows: no scripts, frames,
// forms or plug-ins. The program only navigates; it never waits for or
// reads the page. Pictures and pages a page names relatively are found
// as the program finds its files (any letter case, "\" read as "/").
class WebView : public WindowedControl {
public:
    WebView(Container *parent, const QString &name);

    // Full path of a local HTML file (Windows-style allowed). A missing
    // file shows an empty page.
    void navigate(const QString &path);
    // The resolved file last navigated to.
    const QString &locationPath() const { return location_; }
    // The document's plain text (tests).
    QString documentText() const;

    // A link of the page was clicked: a page beside this one shows here,
    // an http or https address opens in the desktop's browser, and any
    // other link (a program, a file elsewhere, a script) does nothing.
    void followLink(const QUrl &link);
    // The file a name of the page stands for, relative to the page's folder.
    QString resolveRelative(const QString &name) const;

private:
    QString location_;
};

// Base of user controls (the picture-strip button). A user control is a
// windowed container; the windowless parts it creates on itself receive
// the mouse as usual, and the mouse on the bare control goes to the
// virtual handlers below. It raises its own events to the window with
// raiseClick() etc. A disabled user control takes no mouse at all.
class UserControl : public Container {
public:
    UserControl(Container *parent, const QString &name);

    // The pointer is over this control (its own window, parts included),
    // as far as the layer saw the last pointer position.
    bool pointerOver() const;

    // The mouse on the bare control (not on one of its parts).
    virtual void userMouseDown(int button, int shift, double x, double y);
    virtual void userMouseMove(int button, int shift, double x, double y);
    virtual void userMouseUp(int button, int shift, double x, double y);
    // Size changed (Width/Height set).
    virtual void userResize();

protected:
    void geometryChanged() override;
};

} // namespace forms
