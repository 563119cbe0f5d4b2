#pragma once
// Test driver: acts on the windows through the same routing that real Qt
// mouse and key events go through, runs the manual clock, answers modal
// forms, message boxes and pop-up menus.
//
//   forms::testing::Session session;           // manual clock at 0, hooks,
//                                              // unloads all forms at the end
//   auto *f = forms::form<FrmMain>();
//   forms::testing::click(f->LblZHU(5), 100, 100);
//   forms::testing::keyDown(forms::vbKeyF1);
//   forms::testing::advance(100);              // fires due timer ticks
//
// Mouse positions are twips relative to the control given (its top-left),
// may lie outside it, and are turned into a point of its form; what the
// point hits decides which control receives the event, as for a real mouse.
#include "form.h"
#include "keys.h"
#include "timer.h"

#include <QString>
#include <QStringList>
#include <functional>

class QWidget;
class QWindow;

namespace forms::testing {

// ----- mouse (button: 1, 2, 4; shift: sum of 1, 2, 4)
void press(Control *at, double x, double y, int button = vbLeftButton, int shift = 0);
// Moves the pointer; the buttons still held are those pressed and not
// released.
void move(Control *at, double x, double y, int shift = 0);
void release(Control *at, double x, double y, int button = vbLeftButton, int shift = 0);
// press + release at the same point.
void click(Control *at, double x, double y, int button = vbLeftButton, int shift = 0);
// press, release, second press (a double-click), release.
void dblClick(Control *at, double x, double y, int button = vbLeftButton, int shift = 0);
// Where the driver's pointer is, and which control it is over (null: none).
Control *controlUnderPointer();

// ----- keys, to the control with the focus (or the active form)
void keyDown(int keyCode, int shift = 0, bool autoRepeat = false);
void keyUp(int keyCode, int shift = 0, bool autoRepeat = false);
// keyDown + keyUp.
void pressKey(int keyCode, int shift = 0);
// Types text: for each character its key down, the character, key up.
void typeText(const QString &text);
// The form whose focused control gets the keys (default: the last form
// shown or clicked).
void setActiveForm(Form *f);
Form *activeForm();
// The form the program last made active (shown, clicked, brought to top),
// while it is still on show; null once it went (a box that closed) and
// nothing was made active since. activeForm() falls back to the last form
// shown instead, which would hide a window that forgot to take the keys.
Form *keyForm();
// The window a box shown now would be a dialog of (null: a dialog of its
// own), as a message-box hook sees it.
Form *boxOwner();

// ----- the window manager
// Minimises, maximises or restores the form's window behind the program's
// back, as a window manager does: the platform reports the new state.
void byWindowManager(Form *f, Qt::WindowState state);
// What a window manager reads of a window on show.
struct WindowLook {
    Qt::WindowType type;
    const QWindow *transientParent; // null: none
    bool maximise;                  // offered
    bool fixedSize;
    bool onTop;
};
WindowLook windowLook(const QWidget *w);

// ----- clock
void advance(qint64 ms);
qint64 now();

// ----- hooks
// Called when a form is shown modally; it acts on the form (clicks, keys,
// advance). When it returns and the form is still shown, the form is
// hidden as if closed by the system, so a test never blocks.
using ModalHook = std::function<void(Form &)>;
void setModalHook(ModalHook hook);
// Answers a message box: returns the button (vbYes, vbOK ...).
using MsgBoxHook = std::function<int(const MsgBoxCall &)>;
void setMsgBoxHook(MsgBoxHook hook);
// Chooses an item of a pop-up menu (null: dismissed).
using PopupHook = std::function<Menu *(Menu &menu, double x, double y)>;
void setPopupHook(PopupHook hook);
// Real message boxes on the offscreen platform too (where nobody could
// answer one, so it normally goes to standard error), for a test of the
// box's own loop that closes the box itself. Without a hook, real mode.
void setRealMessageBoxes(bool on);
// Message boxes seen (and answered by the hook or with the default button).
const std::vector<MsgBoxCall> &msgBoxes();

// Unloads every form (no refusal asked: Cancel is ignored), deletes them.
void unloadAll();
// Deletes the unloaded forms and controls now, as the program's event loop
// does once no handler runs (nothing while a handler runs). Pointers the
// test kept to them are dead afterwards.
void deleteUnloaded();
// Every form object alive (loaded, or unloaded and not yet deleted), by
// name, in the order they were made; and the controls alive, forms counted.
QStringList liveForms();
int liveControls();

// A test's set-up and clean-up: manual clock at 0, default hooks (modal:
// none; message box: its default button), no fake screen; at the end every
// form unloaded and deleted, hooks cleared, picture cache emptied, real
// clock back.
class Session {
public:
    Session();
    ~Session();
    Session(const Session &) = delete;
    Session &operator=(const Session &) = delete;
};

} // namespace forms::testing
