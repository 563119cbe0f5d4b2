#include "testing.h"
#include "internal_p.h"
#include "screen.h"

#include <QApplication>
#include <QKeyEvent>
#include <QWindow>

namespace forms::testing {

namespace {

Form *formOrNull(Control *c) {
    return c ? c->form() : nullptr;
}

QPoint pointFor(Control *at, double x, double y) {
    const QPoint o = at->originInFormPx();
    return QPoint(o.x() + int(std::lround(x / Screen::twipsPerPixelX())),
                  o.y() + int(std::lround(y / Screen::twipsPerPixelY())));
}

// The widget that receives the keys: the focused control's, else the form's.
QWidget *keyTarget() {
    Form *f = activeForm();
    if (!f) return nullptr;
    if (Control *c = f->activeControl())
        if (auto *wc = dynamic_cast<WindowedControl *>(c); wc && wc->widget()) return wc->widget();
    return f->widget();
}

QString textFor(int keyCode, int shift) {
    if (shift & (vbCtrlMask | vbAltMask)) {
        if ((shift & vbCtrlMask) && !(shift & vbAltMask) && keyCode >= 65 && keyCode <= 90)
            return QString(QChar(keyCode - 64));
        return QString();
    }
    if (keyCode >= 65 && keyCode <= 90)
        return QString(QChar(shift & vbShiftMask ? keyCode : keyCode + 32));
    if (keyCode >= 48 && keyCode <= 57 && !(shift & vbShiftMask)) return QString(QChar(keyCode));
    if (keyCode >= 96 && keyCode <= 105) return QString(QChar(48 + keyCode - 96));
    switch (keyCode) {
    case vbKeyReturn:
        return QStringLiteral("\r");
    case vbKeyEscape:
        return QString(QChar(27));
    case vbKeyBack:
        return QString(QChar(8));
    case vbKeyTab:
        return QStringLiteral("\t");
    case vbKeySpace:
        return QStringLiteral(" ");
    default:
        return QString();
    }
}

void sendKey(QEvent::Type type, int qtKey, Qt::KeyboardModifiers mods, const QString &text,
             bool autoRepeat) {
    QWidget *w = keyTarget();
    if (!w) return;
    QKeyEvent e(type, qtKey, mods, text, autoRepeat);
    QApplication::sendEvent(w, &e);
}

} // namespace

void press(Control *at, double x, double y, int button, int shift) {
    Form *f = formOrNull(at);
    Router::instance().press(f, pointFor(at, x, y), button, shift, true);
}

void move(Control *at, double x, double y, int shift) {
    Form *f = formOrNull(at);
    Router::instance().move(f, pointFor(at, x, y), shift, true);
}

void release(Control *at, double x, double y, int button, int shift) {
    Form *f = formOrNull(at);
    Router::instance().release(f, pointFor(at, x, y), button, shift, true);
}

void click(Control *at, double x, double y, int button, int shift) {
    // The pointer arrives before it presses.
    Form *f = formOrNull(at);
    const QPoint p = pointFor(at, x, y);
    auto &r = Router::instance();
    r.move(f, p, shift, true);
    r.press(f, p, button, shift, true);
    r.release(f, p, button, shift, true);
}

void dblClick(Control *at, double x, double y, int button, int shift) {
    click(at, x, y, button, shift);
    Form *f = formOrNull(at);
    const QPoint p = pointFor(at, x, y);
    auto &r = Router::instance();
    r.doubleClick(f, p, button, shift, true);
    r.release(f, p, button, shift, true);
}

Control *controlUnderPointer() {
    return Router::instance().hover();
}

void keyDown(int keyCode, int shift, bool autoRepeat) {
    sendKey(QEvent::KeyPress, qtKeyFromKeyCode(keyCode), qtModifiersFromShift(shift),
            textFor(keyCode, shift), autoRepeat);
}

void keyUp(int keyCode, int shift, bool autoRepeat) {
    sendKey(QEvent::KeyRelease, qtKeyFromKeyCode(keyCode), qtModifiersFromShift(shift),
            textFor(keyCode, shift), autoRepeat);
}

void pressKey(int keyCode, int shift) {
    keyDown(keyCode, shift);
    keyUp(keyCode, shift);
}

void typeText(const QString &text) {
    for (QChar ch : text) {
        const ushort u = ch.unicode();
        int qtKey = Qt::Key_unknown;
        int shift = 0;
        if (u >= 'a' && u <= 'z')
            qtKey = Qt::Key_A + (u - 'a');
        else if (u >= 'A' && u <= 'Z') {
            qtKey = Qt::Key_A + (u - 'A');
            shift = vbShiftMask;
        } else if (u >= '0' && u <= '9')
            qtKey = Qt::Key_0 + (u - '0');
        else if (u == ' ')
            qtKey = Qt::Key_Space;
        else if (u < 128)
            qtKey = u; // Qt's keys for printable ASCII are their codes
        const auto mods = qtModifiersFromShift(shift);
        sendKey(QEvent::KeyPress, qtKey, mods, QString(ch), false);
        sendKey(QEvent::KeyRelease, qtKey, mods, QString(ch), false);
    }
}

void setActiveForm(Form *f) {
    Router::instance().setActiveForm(f);
}

Form *activeForm() {
    Form *f = Router::instance().activeForm();
    if (f && f->isLoaded()) return f;
    // The last form loaded that is shown.
    auto all = loadedForms();
    for (auto it = all.rbegin(); it != all.rend(); ++it)
        if ((*it)->visible()) return *it;
    return all.empty() ? nullptr : all.back();
}

Form *keyForm() {
    Form *f = Router::instance().activeForm();
    return f && f->isLoaded() && !f->isUnloaded() && f->visible() ? f : nullptr;
}

Form *boxOwner() {
    return Router::instance().boxOwner(nullptr);
}

void byWindowManager(Form *f, Qt::WindowState state) {
    f->widget()->windowHandle()->setWindowState(state);
    QCoreApplication::processEvents();
}

WindowLook windowLook(const QWidget *w) {
    return {w->windowType(), w->windowHandle() ? w->windowHandle()->transientParent() : nullptr,
            bool(w->windowFlags() & Qt::WindowMaximizeButtonHint),
            w->minimumSize() == w->size() && w->maximumSize() == w->size(),
            bool(w->windowFlags() & Qt::WindowStaysOnTopHint)};
}

void advance(qint64 ms) {
    clock::advance(ms);
}
qint64 now() {
    return clock::now();
}

void setModalHook(ModalHook hook) {
    detail::g_modalHook = std::move(hook);
}
void setMsgBoxHook(MsgBoxHook hook) {
    detail::g_msgBoxHook = std::move(hook);
}

void setRealMessageBoxes(bool on) {
    detail::g_realBoxesOffscreen = on;
}
void setPopupHook(PopupHook hook) {
    detail::g_popupHook = std::move(hook);
}
const std::vector<MsgBoxCall> &msgBoxes() {
    return detail::g_msgBoxLog;
}

void unloadAll() {
    auto all = loadedForms();
    for (auto it = all.rbegin(); it != all.rend(); ++it) {
        Form *f = *it;
        // No refusal: the handlers are not asked.
        f->onQueryUnload = nullptr;
        f->onUnload = nullptr;
        f->unload();
    }
    detail::flushGraveyard();
}

void deleteUnloaded() {
    detail::flushGraveyard();
}

QStringList liveForms() {
    QStringList names;
    for (const Form *f : detail::liveForms()) names << f->name();
    return names;
}

int liveControls() {
    return detail::liveControls();
}

namespace {
// What one test may leave behind for the next.
void resetShared() {
    detail::g_modalHook = nullptr;
    detail::g_msgBoxHook = nullptr;
    detail::g_popupHook = nullptr;
    detail::g_realBoxesOffscreen = false;
    detail::g_msgBoxLog.clear();
    Screen::clearFake();
    clearPictureCache();
    setPictureCacheLimit(kDefaultPictureCacheLimit);
    Router::instance().reset();
}
} // namespace

Session::Session() {
    clock::useManual(0);
    resetShared();
}

Session::~Session() {
    unloadAll();
    resetShared();
    setUnhandledErrorHook(nullptr);
    clock::useReal();
}

} // namespace forms::testing
