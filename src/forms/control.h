#pragma once
// Controls: the common properties and events, and the two families.
//
// Windowed controls (form, picture box, frame, text box, check box, web
// view, user controls) are Qt widgets. Windowless controls (label, image,
// shape, line) are drawn by their container and hit-tested by it, beneath
// all of the container's windowed children, in their own z-order; one
// marked `setDrawnAbove(true)` is drawn in the container's overlay layer,
// above the windowed children, and never takes the mouse.
//
// Positions and sizes are twips in the container's inner coordinates,
// doubles held exactly as set. A control belongs to its container, which
// deletes it; windows keep plain pointers to their controls.
//
// Events are std::function members set by the window (usually in its
// constructor or Load): `lblMove->onMouseDown = [this](int b, int s, double
// x, double y) { lblMove_MouseDown(b, s, x, y); };`. Elements of a control
// array also call the array's handler, which receives the Index first (see
// array.h). A handler may throw forms::Error; the event's raiser lets it
// go to the layer's unhandled-error hook (app.h) instead of crashing.
#include "color.h"
#include "font.h"
#include "picture.h"

#include <QCursor>
#include <QRect>
#include <QRectF>
#include <QString>
#include <functional>
#include <memory>
#include <vector>

class QWidget;
class QPainter;

namespace forms {

class Container;
class Form;
class Timer;

enum MousePointerKind {
    vbDefault = 0,
    vbArrow = 1,
    vbCrosshair = 2,
    vbIbeam = 3,
    vbIconPointer = 4,
    vbSizePointer = 5,
    vbSizeNESW = 6,
    vbSizeNS = 7,
    vbSizeNWSE = 8,
    vbSizeWE = 9,
    vbUpArrow = 10,
    vbHourglass = 11,
    vbNoDrop = 12,
    vbArrowHourglass = 13,
    vbArrowQuestion = 14,
    vbSizeAll = 15,
    vbCustom = 99,
};

enum AlignmentKind { vbLeftJustify = 0, vbRightJustify = 1, vbCenter = 2 };
enum ZOrderPosition { vbBringToFront = 0, vbSendToBack = 1 };
enum BackStyleKind { vbTransparent = 0, vbOpaque = 1 };

// The events of a control array: the element's Index comes first.
struct IndexedEvents {
    std::function<void(int index)> onClick, onDblClick, onChange, onGotFocus, onLostFocus;
    std::function<void(int index, int button, int shift, double x, double y)> onMouseDown,
        onMouseMove, onMouseUp;
    std::function<void(int index, int &keyCode, int shift)> onKeyDown, onKeyUp;
    std::function<void(int index, int &keyAscii)> onKeyPress;
};

class Control {
public:
    virtual ~Control();
    Control(const Control &) = delete;
    Control &operator=(const Control &) = delete;

    const QString &name() const { return name_; }
    // Index within its control array; -1 when it is not in one.
    int index() const { return index_; }
    Container *container() const { return container_; }
    // The form it is on (itself for a form).
    Form *form() const;

    virtual bool isWindowed() const = 0;
    // Can this kind of control take the keyboard focus?
    virtual bool canFocus() const { return false; }

    // Geometry, twips.
    double left() const { return left_; }
    double top() const { return top_; }
    double width() const { return width_; }
    double height() const { return height_; }
    virtual void setLeft(double v);
    virtual void setTop(double v);
    virtual void setWidth(double v);
    virtual void setHeight(double v);
    void move(double left, double top);
    void move(double left, double top, double width, double height);

    bool visible() const { return visible_; }
    virtual void setVisible(bool v);
    bool enabled() const { return enabled_; }
    virtual void setEnabled(bool v);
    const QString &tag() const { return tag_; }
    void setTag(const QString &t) { tag_ = t; }
    const QString &toolTipText() const { return toolTip_; }
    virtual void setToolTipText(const QString &t);

    // Standard pointer 0-15, or 99 with MouseIcon.
    int mousePointer() const { return mousePointer_; }
    virtual void setMousePointer(int kind);
    const Picture &mouseIcon() const { return mouseIcon_; }
    virtual void setMouseIcon(const Picture &p);
    // The pointer shown over this control (its own, else its container's).
    QCursor cursor() const;

    // Front (0) or back (1) of its layer: windowless among windowless,
    // windowed among windowed.
    virtual void zOrder(int position = vbBringToFront);

    // Gives the control the keyboard focus (raises GotFocus/LostFocus).
    // Error 5 when it cannot take it (hidden, disabled, not focusable).
    virtual void setFocus();
    bool hasFocus() const;

    // Visible and enabled along the chain of containers up to the form.
    bool isShown() const;
    bool isEnabledInChain() const;

    // Rectangle in its container's inner coordinates, whole pixels (the
    // pixels that take the mouse; a 1-twip wide control has none).
    QRect rectPx() const;
    // Its top-left in its form's client pixels.
    QPoint originInFormPx() const;

    // ----- events
    std::function<void()> onClick, onDblClick;
    std::function<void(int button, int shift, double x, double y)> onMouseDown, onMouseMove,
        onMouseUp;
    std::function<void(int &keyCode, int shift)> onKeyDown, onKeyUp;
    std::function<void(int &keyAscii)> onKeyPress;
    std::function<void()> onGotFocus, onLostFocus;

    // ----- raising events: own handler, then the array's. Used by the
    // layer's routing and by user controls.
    void raiseClick();
    void raiseDblClick();
    void raiseMouseDown(int button, int shift, double x, double y);
    void raiseMouseMove(int button, int shift, double x, double y);
    void raiseMouseUp(int button, int shift, double x, double y);
    void raiseKeyDown(int &keyCode, int shift);
    void raiseKeyUp(int &keyCode, int shift);
    void raiseKeyPress(int &keyAscii);
    void raiseGotFocus();
    void raiseLostFocus();

    // The array's handlers (null when not in an array).
    IndexedEvents *arrayEvents() const { return arrayEvents_; }
    // Joins a control array (done by ControlArray).
    void attachToArray(int index, IndexedEvents *events);

protected:
    Control(Container *parent, const QString &name);

    // Geometry or look changed: windowed controls move their widget,
    // windowless ones ask the container to repaint.
    virtual void geometryChanged();
    virtual void appearanceChanged();
    virtual void visibilityChanged();
    // Sets the geometry without the virtual setters (auto-size).
    void setSizeInternal(double w, double h);

private:
    friend class Container;
    QString name_;
    int index_ = -1;
    IndexedEvents *arrayEvents_ = nullptr;
    Container *container_ = nullptr;
    double left_ = 0, top_ = 0, width_ = 0, height_ = 0;
    bool visible_ = true;
    bool enabled_ = true;
    QString tag_;
    QString toolTip_;
    int mousePointer_ = vbDefault;
    Picture mouseIcon_;
};

// A control drawn and hit-tested by its container.
class WindowlessControl : public Control {
public:
    bool isWindowed() const override { return false; }
    // Does it take the mouse at this point (pixels, container's inner
    // coordinates)? Shapes and lines never do.
    virtual bool hitTest(QPoint px) const;
    // Draws itself; the painter is in the container's inner pixels.
    virtual void paint(QPainter &p) const = 0;
    void zOrder(int position = vbBringToFront) override;

    // Drawn in the container's overlay layer, above its windowed children
    // (see Container::setOverlayBeneath), instead of beneath them. Such a
    // control is only seen: the mouse goes through it to what lies beneath.
    bool drawnAbove() const { return drawnAbove_; }
    void setDrawnAbove(bool on);

protected:
    WindowlessControl(Container *parent, const QString &name);
    void geometryChanged() override;
    void appearanceChanged() override;
    void visibilityChanged() override;

private:
    bool drawnAbove_ = false;
};

// A control with a Qt widget of its own.
class WindowedControl : public Control {
public:
    bool isWindowed() const override { return true; }
    QWidget *widget() const { return widget_; }
    void setToolTipText(const QString &t) override;
    void zOrder(int position = vbBringToFront) override;

protected:
    WindowedControl(Container *parent, const QString &name);
    ~WindowedControl() override;
    // Takes the widget (created by the subclass, child of the container's
    // client widget, or top-level for a form).
    void setWidget(QWidget *w);
    void geometryChanged() override;
    void appearanceChanged() override;
    void visibilityChanged() override;

private:
    QWidget *widget_ = nullptr;
};

// A windowed control that holds other controls: form, picture box, frame,
// user control.
class Container : public WindowedControl {
public:
    ~Container() override;

    // Creates a control on this container: `add<Label>("lblMove")`.
    template <class T> T *add(const QString &name) { return new T(this, name); }

    // Inner size, twips (ScaleWidth / ScaleHeight).
    virtual double scaleWidth() const;
    virtual double scaleHeight() const;
    // Offset of the inner area inside the control (border), pixels.
    virtual QPoint clientOffsetPx() const { return QPoint(0, 0); }

    Color backColor() const { return backColor_; }
    virtual void setBackColor(Color c);
    Color foreColor() const { return foreColor_; }
    virtual void setForeColor(Color c);
    const Picture &picture() const { return picture_; }
    // Shows the picture at the top-left of the inner area.
    virtual void setPicture(const Picture &p);

    // Every child control, in creation order.
    const std::vector<Control *> &controls() const { return children_; }
    // Windowless children, back to front.
    const std::vector<WindowlessControl *> &windowless() const { return windowless_; }
    // Timers owned here.
    const std::vector<Timer *> &timers() const { return timers_; }

    // Removes a child that was created by code (control-array elements);
    // it is deleted once no handler runs.
    void destroyChild(Control *c);

    // Topmost windowless child taking the mouse at px (inner pixels), or null.
    WindowlessControl *windowlessAt(QPoint px) const;
    // Repaints the container (after a windowless child changed).
    void update();
    // Draws background, picture and windowless children (used by the widget).
    void paintContent(QPainter &p) const;
    // Draws the windowless children marked drawn-above (used by the overlay).
    void paintOverlay(QPainter &p) const;

    // Where the overlay layer of the drawn-above controls lies among the
    // windowed children: just beneath `below` (pop-ups that must stay over
    // the marks), or above all of them when null (the default).
    void setOverlayBeneath(WindowedControl *below);
    // Puts the overlay back in its place (a windowed child was added, raised
    // or resized).
    void placeOverlay();

protected:
    Container(Container *parent, const QString &name);

private:
    friend class Control;
    friend class WindowlessControl;
    friend class Timer;
    void adopt(Control *c);
    void adoptTimer(Timer *t);
    void dropTimer(Timer *t);
    void moveWindowless(WindowlessControl *c, int position);
    std::vector<std::unique_ptr<Control>> owned_;
    std::vector<Control *> children_;
    std::vector<WindowlessControl *> windowless_;
    std::vector<Timer *> timers_;
    Color backColor_ = sys::ButtonFace;
    Color foreColor_ = sys::ButtonText;
    Picture picture_;
    QWidget *overlay_ = nullptr; // made with the first drawn-above control
    WindowedControl *overlayBeneath_ = nullptr;
};

} // namespace forms
