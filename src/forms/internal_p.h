#pragma once
// Private machinery of the layer: handler bracketing, deferred deletion,
// the widgets behind windowed controls, and the event router.
#include "form.h"
#include "forms.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QEvent>
#include <QLineEdit>
#include <QTextEdit>
#include <QPointer>
#include <QTextBrowser>
#include <QWidget>
#include <memory>
#include <vector>

namespace forms {

// Marks an event handler of the layer as running; errors escaping the
// handler are reported, not thrown on.
class HandlerScope {
public:
    HandlerScope();
    ~HandlerScope();
    HandlerScope(const HandlerScope &) = delete;
    HandlerScope &operator=(const HandlerScope &) = delete;
};

// Runs f as an event handler: errors go to the unhandled-error hook.
template <class F> void runHandler(F &&f) {
    HandlerScope scope;
    try {
        f();
    } catch (...) {
        reportUnhandled(toError(std::current_exception()));
    }
}

namespace detail {
// Controls and forms whose deletion waits until no handler runs.
void bury(std::unique_ptr<Control> c);
void buryForm(Form *f);
// Deletes what is buried (only when no handler runs), except forms whose
// own modal loop is still on the stack.
void flushGraveyard();
// Asks for a flush once the event loop runs again (the program only).
void flushLater();
// Deletes buried children of c now (c is being destroyed).
void exhumeChildrenOf(Container *c);
bool unregisterForm(Form *f);
void forgetAllRegistered();
// Every Form object alive, in the order made; every Control alive.
const std::vector<Form *> &liveForms();
int liveControls();
bool manualMode();
} // namespace detail

// The link from a widget back to its control.
struct ControlLink {
    WindowedControl *control = nullptr;
    virtual ~ControlLink() = default;
};
WindowedControl *controlOf(QWidget *w);

// The widget of every container (form, picture box, frame, user control).
class ContainerWidget : public QWidget, public ControlLink {
public:
    ContainerWidget(Container *c, QWidget *parent);
    Container *container() const { return static_cast<Container *>(control); }

protected:
    void paintEvent(QPaintEvent *e) override;
    void mousePressEvent(QMouseEvent *e) override;
    void mouseDoubleClickEvent(QMouseEvent *e) override;
    void mouseMoveEvent(QMouseEvent *e) override;
    void mouseReleaseEvent(QMouseEvent *e) override;
    void keyPressEvent(QKeyEvent *e) override;
    void keyReleaseEvent(QKeyEvent *e) override;
    void focusInEvent(QFocusEvent *e) override;
    void leaveEvent(QEvent *e) override;
    void closeEvent(QCloseEvent *e) override;
    void moveEvent(QMoveEvent *e) override;
    void changeEvent(QEvent *e) override;
    void resizeEvent(QResizeEvent *e) override;
    bool event(QEvent *e) override;
};

// The overlay layer of a container: a see-through sheet over its windowed
// children on which the drawn-above windowless controls are painted. It is
// transparent to the mouse, so real events reach the widget beneath, and it
// is no ControlLink, so the router's hit test passes over it.
class OverlayWidget : public QWidget {
public:
    OverlayWidget(Container *c, QWidget *parent);

protected:
    void paintEvent(QPaintEvent *e) override;

private:
    Container *container_;
};

class TextBoxWidget : public QLineEdit, public ControlLink {
public:
    explicit TextBoxWidget(TextBox *t, QWidget *parent);
    void nativeMouse(QMouseEvent *e);
    // Inserts text at the caret, each character judged by KeyPress when
    // the box filters arriving text.
    void insertArriving(const QString &text);

protected:
    void mousePressEvent(QMouseEvent *e) override;
    void mouseDoubleClickEvent(QMouseEvent *e) override;
    void mouseMoveEvent(QMouseEvent *e) override;
    void mouseReleaseEvent(QMouseEvent *e) override;
    void keyPressEvent(QKeyEvent *e) override;
    void keyReleaseEvent(QKeyEvent *e) override;
    void focusInEvent(QFocusEvent *e) override;
    void inputMethodEvent(QInputMethodEvent *e) override;
    void contextMenuEvent(QContextMenuEvent *e) override;

private:
    bool filtering() const;
};

class CheckBoxWidget : public QCheckBox, public ControlLink {
public:
    explicit CheckBoxWidget(CheckBox *c, QWidget *parent);
    void nativeMouse(QMouseEvent *e);

protected:
    void keyPressEvent(QKeyEvent *e) override;
    void keyReleaseEvent(QKeyEvent *e) override;
    void focusInEvent(QFocusEvent *e) override;
};

// The page takes the mouse for itself (links, selection), and tells the
// router too, so the control the pointer left knows it.
class WebViewWidget : public QTextBrowser, public ControlLink {
public:
    explicit WebViewWidget(WebView *w, QWidget *parent);

protected:
    QVariant loadResource(int type, const QUrl &name) override;
    void mousePressEvent(QMouseEvent *e) override;
    void mouseDoubleClickEvent(QMouseEvent *e) override;
    void mouseMoveEvent(QMouseEvent *e) override;
    void mouseReleaseEvent(QMouseEvent *e) override;
};

class RichTextBoxWidget : public QTextEdit, public ControlLink {
public:
    explicit RichTextBoxWidget(RichTextBox *t, QWidget *parent);

protected:
    void mousePressEvent(QMouseEvent *e) override;
    void mouseDoubleClickEvent(QMouseEvent *e) override;
    void mouseMoveEvent(QMouseEvent *e) override;
    void mouseReleaseEvent(QMouseEvent *e) override;
    void keyPressEvent(QKeyEvent *e) override;
    void keyReleaseEvent(QKeyEvent *e) override;
    void focusInEvent(QFocusEvent *e) override;
};

// Mouse and keys: hit-testing, capture, click synthesis, focus.
class Router {
public:
    static Router &instance();

    struct Hit {
        Control *control = nullptr; // null: nothing takes it
        bool native = false;        // a text box / check box / web view
    };
    // What takes the mouse at px (form client pixels).
    Hit hitTest(Form *f, QPoint px) const;

    // Mouse events at px in the form's client pixels. `synthetic` marks the
    // test driver (native widgets then get the event from here).
    void press(Form *f, QPoint px, int button, int shift, bool synthetic);
    void doubleClick(Form *f, QPoint px, int button, int shift, bool synthetic);
    void move(Form *f, QPoint px, int shift, bool synthetic);
    void release(Form *f, QPoint px, int button, int shift, bool synthetic);
    void leave(Form *f);

    // Keys raised by the widgets (also those the driver sends).
    void keyPress(Control *c, QKeyEvent *e, bool *cancelChar, int *charOut);
    void keyRelease(Control *c, QKeyEvent *e);
    // The form of c when it previews the keys of its controls, else null.
    static Form *previewingForm(Control *c);

    // Drops capture without MouseUp (window drag).
    void releaseCapture();
    // Before a real mouse event: the buttons Qt says were held just before
    // it. A release the router never saw (a window drag or another window
    // took it, or the form went away in its MouseDown) is forgotten here.
    void reconcile(int heldBefore);
    // A press from a real Qt event is being delivered (not the driver's).
    bool inRealPress() const { return realPress_; }
    // Forgets everything (a test's start).
    void reset();
    void forget(Control *c);
    void forgetForm(Form *f);

    Control *hover() const { return hover_; }
    QPoint pointerPx() const { return pointerPx_; }
    Form *activeForm() const { return activeForm_; }
    void setActiveForm(Form *f);
    // The window a modal box belongs to: of the forms on show and not
    // minimised, other than the box, the one active most recently. Null
    // before any window is up.
    Form *boxOwner(const Form *box) const;

private:
    void deliverDown(Control *c, QPoint px, int button, int shift, bool synthetic,
                     QEvent::Type type);
    void deliverMove(Control *c, QPoint px, int buttons, int shift, bool synthetic);
    void deliverUp(Control *c, QPoint px, int button, int shift, bool synthetic);
    void updateCursor(Control *c);
    Control *hover_ = nullptr;
    Control *captured_ = nullptr;
    Control *lastPressed_ = nullptr;
    std::vector<Control **> watched_; // cleared when that control goes
    int buttons_ = 0;
    int ignoreButtons_ = 0;
    bool suppressClick_ = false;
    bool realPress_ = false;
    Form *pointerForm_ = nullptr;
    QPoint pointerPx_;
    Form *activeForm_ = nullptr;
    std::vector<Form *> activeOrder_; // every form once active, the latest last
};

// Point in the control's own twips from a point in its form's pixels.
double relX(const Control *c, QPoint formPx);
double relY(const Control *c, QPoint formPx);
// Mouse pointer shape for a standard pointer number.
QCursor standardCursor(int kind);

} // namespace forms

namespace forms::detail {
// Test hooks (testing.h sets them; null in the program).
extern std::function<void(Form &)> g_modalHook;
extern std::function<int(const MsgBoxCall &)> g_msgBoxHook;
extern bool g_realBoxesOffscreen;
extern std::function<Menu *(Menu &, double, double)> g_popupHook;
extern std::vector<MsgBoxCall> g_msgBoxLog;
// Stops every timer of a container and the containers inside it.
void stopTimers(Container *c);
// A window of the program was minimised or restored (by the window manager
// or the program). A modal box blocks every other window: minimised, it
// takes them with it; it comes back, and so do they, with the box on top;
// one of them comes back, and so does the box.
void followBoxMinimise(QWidget *w, bool wasMinimised);
// A modal box closed: what it took along comes back.
void boxClosed(QWidget *box);
} // namespace forms::detail
