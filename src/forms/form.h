#pragma once
// Forms (windows) and their global instances, modal showing, message boxes
// and pop-up menus.
//
// A window is a subclass of Form. Its constructor creates the controls as
// designed (positions, captions, colours) and connects the events; its
// Load event (onLoad) runs the window's Form_Load. One global instance per
// class is created on first reference, its Load run then:
//
//   class FrmMain : public forms::Form { public: FrmMain(); ... };
//   forms::form<FrmMain>()->show();            // loads on first reference
//   inline forms::FormRef<FrmMain> frmMain;    // optional shorthand:
//   frmMain->Text1->setFocus();                //   loads on first use
//
// Unload (form->unload() or forms::unloadForm<T>()) asks QueryUnload and
// Unload, which may refuse by setting Cancel; an unloaded form is hidden,
// its timers stop, and the next reference loads a fresh instance. The old
// object is deleted once no event handler runs, so a form may unload
// itself inside its own handler and the handler runs on to its end.
#include "control.h"

#include <QRectF>
#include <QString>
#include <functional>
#include <memory>
#include <typeindex>
#include <vector>

class QEventLoop;

namespace forms {

class Menu;

enum FormShowKind { vbModeless = 0, vbModal = 1 };
enum WindowStateKind { vbNormal = 0, vbMinimized = 1, vbMaximized = 2 };
enum FormBorderKind { vbBSNone = 0, vbFixedSingle = 1, vbSizable = 2, vbFixedDialog = 3 };
enum UnloadModeKind { vbFormControlMenu = 0, vbFormCode = 1, vbAppWindows = 2 };

class Form : public Container {
public:
    explicit Form(const QString &name);
    ~Form() override;

    // ----- life cycle
    bool isLoaded() const { return loaded_; }
    // Unloaded: this object is finished (a later reference makes a new one).
    bool isUnloaded() const { return unloaded_; }
    // Runs Load if not done yet (form<T>() does this on first reference).
    void load();
    // Shows the form; vbModal waits until it is hidden or unloaded (in
    // tests the modal hook answers it, see testing.h).
    void show(int modal = vbModeless);
    void hide();
    // QueryUnload, Unload; false when one of them set Cancel.
    bool unload(int unloadMode = vbFormCode);
    bool isModalShown() const { return modalDepth_ > 0; }

    // ----- properties
    const QString &caption() const { return caption_; }
    void setCaption(const QString &c);
    const Picture &icon() const { return icon_; }
    void setIcon(const Picture &p);
    int borderStyle() const { return borderStyle_; }
    void setBorderStyle(int s);
    int windowState() const { return windowState_; }
    void setWindowState(int s);
    bool topmost() const { return topmost_; }
    // Keeps the window above all others (HWND_TOPMOST), without moving it.
    void setTopmost(bool on);
    // Brings the window to the top of the window order (HWND_TOP).
    void bringToTop();
    // Left/Top/Width/Height: screen twips; a maximised form reads the
    // screen's area; moving or sizing it then raises error 384.
    void setLeft(double v) override;
    void setTop(double v) override;
    void setWidth(double v) override;
    void setHeight(double v) override;
    double effectiveLeft() const;
    double effectiveTop() const;
    double effectiveWidth() const;
    double effectiveHeight() const;
    double scaleWidth() const override;
    double scaleHeight() const override;
    void setVisible(bool v) override; // Visible = True shows modeless

    // KeyPreview: the form's KeyDown, KeyPress and KeyUp run before those
    // of the control with the focus; a key code or character the form sets
    // to 0 does not reach the control.
    bool keyPreview() const { return keyPreview_; }
    void setKeyPreview(bool on) { keyPreview_ = on; }

    // The control that has the focus (null: the form itself).
    Control *activeControl() const { return focus_; }

    // Moves the window with the pointer until the button is released (the
    // "release capture + caption press" drag of borderless windows), called
    // from a MouseDown. The pressed control gets no MouseUp. On Wayland the
    // compositor moves it and this returns at once; so does a press of the
    // test driver.
    void dragWindow();

    // Shows a pop-up menu at (x, y) twips of the form; returns after the
    // choice (the item's Click has run) or the dismissal.
    void popupMenu(Menu *menu, int flags = 0, double x = -1, double y = -1);

    // ----- events
    std::function<void()> onLoad, onActivate, onResize;
    std::function<void(int &cancel, int unloadMode)> onQueryUnload;
    std::function<void(int &cancel)> onUnload;
    // After the candidate's hand has finished with the form: a mouse
    // release (its Click included), a key release, or a press that became
    // a window drag, on the form or any of its controls, once every handler
    // they ran has returned (a modal box opened there has closed again).
    // Not for a form unloaded meanwhile.
    std::function<void()> onInputDone;

    // (layer) focus bookkeeping
    void setFocusControl(Control *c);
    // (layer) the window manager changed the window's state (Qt's state
    // before the change): WindowState follows it.
    void followWindowState(Qt::WindowStates before);
    // (layer) back from minimised to the state it had before.
    void restoreMinimized();
    // Shown modally, the form is a dialog of the window it belongs to.
    bool isBox() const { return box_; }
    // (layer) runs onInputDone.
    void raiseInputDone();

protected:
    void geometryChanged() override;

private:
    void applyWindowFlags();
    // A modal form is a dialog of its owner (the window manager keeps it
    // above the owner and minimises them together), of a fixed size, never
    // maximised; with no owner it is a dialog of its own.
    void becomeBoxOf(Form *owner);
    void endBox();
    // Sets WindowState and the rectangle it implies, not the window.
    void enterWindowState(int s);
    QString caption_;
    Picture icon_;
    int borderStyle_ = vbSizable;
    int windowState_ = vbNormal;
    int stateBeforeMinimized_ = vbNormal; // what a restore returns to
    bool topmost_ = false;
    bool box_ = false;
    bool keyPreview_ = false;
    bool loaded_ = false;
    bool unloaded_ = false;
    int modalDepth_ = 0;
    QEventLoop *modalLoop_ = nullptr; // the innermost modal loop showing this form
    Control *focus_ = nullptr;
    QRectF normalRect_;
    friend class Router;
};

enum PopupFlags { vbPopupMenuLeftAlign = 0, vbPopupMenuCenterAlign = 4, vbPopupMenuRightAlign = 8 };

// A menu of a form, shown as a pop-up (Form::popupMenu). Items are menus too.
class Menu {
public:
    Menu(Form *owner, const QString &name, const QString &caption = QString());
    ~Menu();
    Menu(const Menu &) = delete;
    Menu &operator=(const Menu &) = delete;

    const QString &name() const { return name_; }
    Form *owner() const { return owner_; }
    Menu *addItem(const QString &name, const QString &caption);
    const std::vector<Menu *> &items() const { return itemPtrs_; }

    const QString &caption() const { return caption_; }
    void setCaption(const QString &c) { caption_ = c; }
    bool visible() const { return visible_; }
    void setVisible(bool v) { visible_ = v; }
    bool enabled() const { return enabled_; }
    void setEnabled(bool v) { enabled_ = v; }
    bool checked() const { return checked_; }
    void setChecked(bool v) { checked_ = v; }

    std::function<void()> onClick;
    void raiseClick();

private:
    Form *owner_;
    QString name_;
    QString caption_;
    bool visible_ = true, enabled_ = true, checked_ = false;
    std::vector<std::unique_ptr<Menu>> items_;
    std::vector<Menu *> itemPtrs_;
};

// ---------------------------------------------------------------- instances

namespace detail {
Form *findForm(std::type_index t);
void registerForm(std::type_index t, Form *f);
} // namespace detail

// The global instance of T, created and loaded on first reference.
template <class T> T *form() {
    if (Form *f = detail::findForm(typeid(T))) return static_cast<T *>(f);
    T *f = new T();
    detail::registerForm(typeid(T), f);
    f->load();
    return f;
}
// The global instance if loaded, else null (does not load).
template <class T> T *loadedForm() {
    return static_cast<T *>(detail::findForm(typeid(T)));
}
// Unloads the global instance if loaded; false when it refused.
template <class T> bool unloadForm(int unloadMode = vbFormCode) {
    T *f = loadedForm<T>();
    return f ? f->unload(unloadMode) : true;
}

// Shorthand for a global instance: `inline forms::FormRef<FrmTm> frmTm;`.
template <class T> struct FormRef {
    T *operator->() const { return form<T>(); }
    T &operator*() const { return *form<T>(); }
    T *get() const { return form<T>(); }
    bool loaded() const { return loadedForm<T>() != nullptr; }
    bool unload(int unloadMode = vbFormCode) const { return unloadForm<T>(unloadMode); }
};

// Every loaded form, in load order.
std::vector<Form *> loadedForms();

// ---------------------------------------------------------------- message box

enum MsgBoxStyle {
    vbOKOnly = 0,
    vbOKCancel = 1,
    vbYesNoCancel = 3,
    vbYesNo = 4,
    vbCritical = 16,
    vbQuestion = 32,
    vbExclamation = 48,
    vbInformation = 64,
    // The button that Enter presses (and that a test answers without a hook).
    vbDefaultButton1 = 0,
    vbDefaultButton2 = 256,
    vbDefaultButton3 = 512,
};
enum MsgBoxResultCode { vbOK = 1, vbCancel = 2, vbYes = 6, vbNo = 7 };

// The standard message box: buttons, icon and default button from style;
// the application title when title is empty. Returns the button pressed.
int msgBox(const QString &prompt, int style = vbOKOnly, const QString &title = QString());
// The answer of the default button of a style (vbDefaultButton2 of vbYesNo
// is vbNo); the first button when the style names one it does not have.
int msgBoxDefaultAnswer(int style);

// Closes every message box and pop-up menu now open, as their own close
// would: a box answers what its close answers (No, else Cancel, else OK), a
// menu chooses nothing. Their callers go on once this handler has
// returned. For an end that outranks whatever the candidate has open (the
// exam's time-up); modal forms are the program's own to unload.
void dismissOpenBoxes();
// A message box, a pop-up menu or a modal form is open now.
bool boxOnShow();

struct MsgBoxCall {
    QString prompt;
    int style;
    QString title; // already defaulted to the application title
};

} // namespace forms
