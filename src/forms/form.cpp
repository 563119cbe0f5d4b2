#include "form.h"
#include "internal_p.h"
#include "screen.h"
#include "timer.h"

#include "platform/run_end.h"

#include <QApplication>
#include <QEventLoop>
#include <QGuiApplication>
#include <QMenu>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPointer>
#include <QPushButton>
#include <QScopedValueRollback>
#include <QScreen>
#include <QTimer>
#include <QWindow>
#include <algorithm>
#include <cstdio>
#include <map>
#include <utility>

namespace forms {

namespace detail {
std::function<void(Form &)> g_modalHook;
std::function<int(const MsgBoxCall &)> g_msgBoxHook;
bool g_realBoxesOffscreen = false;
std::function<Menu *(Menu &, double, double)> g_popupHook;
std::vector<MsgBoxCall> g_msgBoxLog;

namespace {
std::map<std::type_index, Form *> &registry() {
    static std::map<std::type_index, Form *> r;
    return r;
}
std::vector<Form *> &loadOrder() {
    static std::vector<Form *> v;
    return v;
}
std::vector<Form *> &alive() {
    static std::vector<Form *> v;
    return v;
}
} // namespace

const std::vector<Form *> &liveForms() {
    return alive();
}

Form *findForm(std::type_index t) {
    auto it = registry().find(t);
    return it == registry().end() ? nullptr : it->second;
}

void registerForm(std::type_index t, Form *f) {
    registry()[t] = f;
}

bool unregisterForm(Form *f) {
    for (auto it = registry().begin(); it != registry().end(); ++it)
        if (it->second == f) {
            registry().erase(it);
            return true;
        }
    return false;
}

void forgetAllRegistered() {
    registry().clear();
}

void stopTimers(Container *c) {
    for (Timer *t : c->timers()) t->setEnabled(false);
    for (Control *k : c->controls())
        if (auto *cc = dynamic_cast<Container *>(k)) stopTimers(cc);
}

} // namespace detail

std::vector<Form *> loadedForms() {
    return detail::loadOrder();
}

namespace {
// The message boxes and pop-up menus open now, innermost last, each with
// the way to close it as its own close would (none while a test's hook
// answers it: the hook's answer is then overruled).
struct OpenBox {
    std::function<void()> close;
    bool dismissed = false;
};
std::vector<OpenBox *> g_openBoxes;

class OpenBoxScope {
public:
    explicit OpenBoxScope(std::function<void()> close = {}) {
        box_.close = std::move(close);
        g_openBoxes.push_back(&box_);
    }
    ~OpenBoxScope() { std::erase(g_openBoxes, &box_); }
    OpenBoxScope(const OpenBoxScope &) = delete;
    OpenBoxScope &operator=(const OpenBoxScope &) = delete;
    void setClose(std::function<void()> close) { box_.close = std::move(close); }
    bool dismissed() const { return box_.dismissed; }

private:
    OpenBox box_;
};
} // namespace

void dismissOpenBoxes() {
    // A close runs no handler of ours; the boxes' loops end when control
    // returns to them.
    const std::vector<OpenBox *> open = g_openBoxes;
    for (OpenBox *b : open) {
        b->dismissed = true;
        if (b->close) b->close();
    }
}

bool boxOnShow() {
    // A box dismissed is gone for the candidate, though its caller has not
    // yet had its answer.
    for (const OpenBox *b : g_openBoxes)
        if (!b->dismissed) return true;
    for (Form *f : detail::loadOrder())
        if (f->isModalShown() && f->visible()) return true;
    return false;
}

namespace {
// The headless platform of the tests has no window order to change.
void raiseWindow(QWidget *w) {
    if (QGuiApplication::platformName() != QLatin1String("offscreen")) w->raise();
}

// A window raised above a topmost one: without a window manager nobody
// enforces the stays-on-top hint, so the topmost windows rise again.
void raiseAbove(Form *raised) {
    raiseWindow(raised->widget());
    if (raised->topmost()) return;
    for (Form *f : detail::loadOrder())
        if (f != raised && f->topmost() && f->widget()->isVisible()) raiseWindow(f->widget());
}

// ---------------------------------------------------------------- a box minimised

// What a minimised modal box took with it.
QPointer<QWidget> g_minimisedBox;
std::vector<QPointer<QWidget>> g_takenAlong;
bool g_followingBox = false;

Form *formOf(QWidget *w) {
    return dynamic_cast<Form *>(controlOf(w));
}

void minimiseWindow(QWidget *w) {
    if (Form *f = formOf(w))
        f->setWindowState(vbMinimized);
    else
        w->showMinimized();
}

void restoreWindow(QWidget *w) {
    if (Form *f = formOf(w))
        f->restoreMinimized();
    else if (w->isMinimized())
        w->showNormal();
}

// The window manager takes the owner along (if it does); the other windows
// the box blocks go too, lest they stay on show with nothing to answer.
void takeAlong(QWidget *box) {
    g_minimisedBox = box;
    g_takenAlong.clear();
    const QWindow *owner = box->windowHandle() ? box->windowHandle()->transientParent() : nullptr;
    for (Form *f : detail::loadOrder()) {
        QWidget *w = f->widget();
        if (w == box || !w->isVisible()) continue;
        if (w->isMinimized() && w->windowHandle() != owner) continue; // minimised before
        g_takenAlong.emplace_back(w);
        minimiseWindow(w);
    }
}

void bringBackTakenAlong() {
    std::vector<QPointer<QWidget>> windows;
    windows.swap(g_takenAlong);
    g_minimisedBox = nullptr;
    for (const QPointer<QWidget> &w : windows)
        if (w && w->isVisible()) restoreWindow(w);
}

// Above the windows it blocks and with the focus: the box is what the
// candidate has to answer before anything else.
void putBoxOnTop(QWidget *box) {
    if (Form *f = formOf(box)) {
        f->bringToTop();
        return;
    }
    raiseWindow(box);
    box->activateWindow();
}

} // namespace

void detail::followBoxMinimise(QWidget *w, bool wasMinimised) {
    const bool minimised = w->isMinimized();
    if (minimised == wasMinimised || g_followingBox) return;
    QWidget *box = QApplication::activeModalWidget();
    if (!box || !box->isVisible()) return;
    // Restoring one window here changes the state of the others.
    QScopedValueRollback<bool> busy(g_followingBox, true);
    if (w == box && minimised) {
        takeAlong(box);
    } else if (w == box || (!minimised && box->isMinimized())) {
        // The box came back, or a window it blocks did (from a taskbar or a
        // window switcher): all of them, the box on top.
        restoreWindow(box);
        bringBackTakenAlong();
        putBoxOnTop(box);
    }
}

void detail::boxClosed(QWidget *box) {
    if (g_takenAlong.empty() || (g_minimisedBox && g_minimisedBox != box)) return;
    QScopedValueRollback<bool> busy(g_followingBox, true);
    bringBackTakenAlong();
}

// ---------------------------------------------------------------- Form

Form::Form(const QString &name) : Container(nullptr, name) {
    detail::alive().push_back(this);
    auto *w = new ContainerWidget(this, nullptr);
    w->setAttribute(Qt::WA_DeleteOnClose, false);
    w->setFocusPolicy(Qt::StrongFocus);
    setWidget(w);
    setBackColor(sys::ButtonFace);
    setSizeInternal(4800, 3600);
    // Forms start hidden.
    Control::setVisible(false);
    applyWindowFlags();
}

Form::~Form() {
    focus_ = nullptr;
    Router::instance().forgetForm(this);
    detail::unregisterForm(this);
    auto &order = detail::loadOrder();
    order.erase(std::remove(order.begin(), order.end(), this), order.end());
    auto &alive = detail::alive();
    alive.erase(std::remove(alive.begin(), alive.end(), this), alive.end());
}

void Form::load() {
    if (loaded_ || unloaded_) return;
    loaded_ = true;
    detail::loadOrder().push_back(this);
    HandlerScope scope;
    if (onLoad) onLoad(); // an error here goes to whoever referenced the form
}

void Form::show(int modal) {
    if (unloaded_) return;
    load();
    if (!loaded_) return;
    QWidget *w = widget();
    const bool wasVisible = visible();
    // Its owner is the window the box was opened from: looked up before
    // the box itself counts as active.
    if (modal == vbModal && modalDepth_ == 0) becomeBoxOf(Router::instance().boxOwner(this));
    Control::setVisible(true);
    geometryChanged();
    if (modal == vbModal) w->setWindowModality(Qt::ApplicationModal);
    if (windowState_ == vbMinimized)
        w->showMinimized();
    else
        w->show();
    raiseAbove(this);
    if (QGuiApplication::platformName() != QLatin1String("offscreen")) w->activateWindow();
    Router::instance().setActiveForm(this);
    if (!wasVisible && onActivate) runHandler([&] { onActivate(); });
    if (modal != vbModal) return;

    ++modalDepth_;
    if (detail::g_modalHook || detail::manualMode()) {
        if (detail::g_modalHook)
            runHandler([&] { detail::g_modalHook(*this); });
        else
            qWarning("forms: modal form %s shown in a test without a modal hook",
                     qPrintable(name()));
        // Not closed by the hook: closed as if by the system.
        if (visible() && !unloaded_) hide();
    } else {
        // hide() (also through unload) ends the loop.
        // After the run's end the event loop returns at once: waiting on
        // for a window nobody closes would spin.
        QEventLoop loop;
        QEventLoop *outer = std::exchange(modalLoop_, &loop);
        platform::EndableWait endable([&loop] { loop.quit(); });
        while (visible() && !unloaded_ && !platform::runEnded()) loop.exec(QEventLoop::DialogExec);
        modalLoop_ = outer;
    }
    --modalDepth_;
    if (unloaded_) {
        // Kept through its own loop; freed once no handler runs.
        detail::flushLater();
        return;
    }
    w->setWindowModality(Qt::NonModal);
    if (modalDepth_ == 0) endBox();
}

void Form::raiseInputDone() {
    if (unloaded_ || !loaded_) return;
    runHandler([&] {
        if (onInputDone) onInputDone();
    });
}

void Form::hide() {
    Control::setVisible(false);
    widget()->hide();
    detail::boxClosed(widget());
    if (modalLoop_) modalLoop_->quit();
    // The keys go to another window now.
    if (Router::instance().activeForm() == this) Router::instance().setActiveForm(nullptr);
}

void Form::setVisible(bool v) {
    if (v)
        show();
    else
        hide();
}

bool Form::unload(int unloadMode) {
    if (unloaded_) return true;
    if (!loaded_) {
        // Never loaded: nothing to ask; it is simply gone.
        unloaded_ = true;
        if (detail::unregisterForm(this)) detail::buryForm(this);
        return true;
    }
    {
        HandlerScope scope;
        int cancel = 0;
        if (onQueryUnload) onQueryUnload(cancel, unloadMode);
        if (cancel) return false;
        if (onUnload) onUnload(cancel);
        if (cancel) return false;
    }
    unloaded_ = true;
    loaded_ = false;
    detail::stopTimers(this);
    hide();
    Router::instance().forgetForm(this);
    auto &order = detail::loadOrder();
    order.erase(std::remove(order.begin(), order.end(), this), order.end());
    if (detail::unregisterForm(this)) detail::buryForm(this);
    return true;
}

void Form::setCaption(const QString &c) {
    caption_ = c;
    widget()->setWindowTitle(c);
}

void Form::setIcon(const Picture &p) {
    icon_ = p;
    widget()->setWindowIcon(p.isNull() ? QIcon() : QIcon(p.pixmap()));
}

void Form::setBorderStyle(int s) {
    borderStyle_ = s;
    applyWindowFlags();
}

void Form::applyWindowFlags() {
    QWidget *w = widget();
    const bool wasShown = w->isVisible();
    Qt::WindowFlags f = box_ ? Qt::Dialog : Qt::Window;
    if (borderStyle_ == vbBSNone)
        f |= Qt::FramelessWindowHint;
    else if (box_)
        // A title and its close box: no maximise.
        f |= Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
             Qt::WindowCloseButtonHint;
    else if (borderStyle_ == vbFixedDialog)
        f |= Qt::Dialog;
    if (topmost_) f |= Qt::WindowStaysOnTopHint;
    if (w->windowFlags() == f) return;
    w->setWindowFlags(f);
    if (wasShown) w->show();
}

void Form::becomeBoxOf(Form *owner) {
    box_ = true;
    applyWindowFlags();
    QWidget *w = widget();
    // The platform window must know its owner before it is mapped: the
    // window manager reads it then.
    w->winId();
    if (QWindow *h = w->windowHandle())
        h->setTransientParent(owner ? owner->widget()->windowHandle() : nullptr);
}

void Form::endBox() {
    box_ = false;
    QWidget *w = widget();
    if (QWindow *h = w->windowHandle()) h->setTransientParent(nullptr);
    w->setMinimumSize(0, 0);
    w->setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    applyWindowFlags();
}

void Form::setTopmost(bool on) {
    topmost_ = on;
    applyWindowFlags();
    if (on && widget()->isVisible()) raiseWindow(widget());
}

void Form::bringToTop() {
    if (widget()->isVisible()) {
        raiseAbove(this);
        widget()->activateWindow();
    }
    Router::instance().setActiveForm(this);
}

void Form::enterWindowState(int s) {
    if (s == windowState_) return;
    if (windowState_ == vbNormal) normalRect_ = QRectF(left(), top(), width(), height());
    if (s == vbMinimized) stateBeforeMinimized_ = windowState_;
    windowState_ = s;
    if (s == vbMaximized) {
        const QRect g = Screen::geometryPx();
        Control::setLeft(g.x() * Screen::twipsPerPixelX());
        Control::setTop(g.y() * Screen::twipsPerPixelY());
        Control::setWidth(g.width() * Screen::twipsPerPixelX());
        Control::setHeight(g.height() * Screen::twipsPerPixelY());
    } else if (s == vbNormal) {
        Control::setLeft(normalRect_.x());
        Control::setTop(normalRect_.y());
        Control::setWidth(normalRect_.width());
        Control::setHeight(normalRect_.height());
    }
}

void Form::setWindowState(int s) {
    if (s < vbNormal || s > vbMaximized) raise(380);
    QWidget *w = widget();
    // The window itself decides whether there is anything to do: a state
    // missed on the way must not make a restore do nothing.
    const bool shownMinimized = w->isVisible() && w->isMinimized();
    if (s == windowState_ && shownMinimized == (s == vbMinimized)) return;
    enterWindowState(s);
    if (w->isVisible()) {
        if (s == vbMinimized)
            w->showMinimized();
        else
            w->showNormal();
    }
    geometryChanged();
}

void Form::followWindowState(Qt::WindowStates before) {
    const Qt::WindowStates now = widget()->windowState();
    if (now & Qt::WindowMinimized)
        enterWindowState(vbMinimized);
    else if (now & (Qt::WindowMaximized | Qt::WindowFullScreen))
        enterWindowState(vbMaximized);
    else if (windowState_ == vbMinimized)
        enterWindowState(stateBeforeMinimized_);
    else if (before & (Qt::WindowMaximized | Qt::WindowFullScreen))
        enterWindowState(vbNormal);
}

void Form::restoreMinimized() {
    if (windowState_ == vbMinimized)
        setWindowState(stateBeforeMinimized_);
    else if (widget()->isMinimized())
        setWindowState(windowState_);
}

void Form::setLeft(double v) {
    if (windowState_ != vbNormal) raise(errFormMaxMin);
    Control::setLeft(v);
}
void Form::setTop(double v) {
    if (windowState_ != vbNormal) raise(errFormMaxMin);
    Control::setTop(v);
}
void Form::setWidth(double v) {
    if (windowState_ != vbNormal) raise(errFormMaxMin);
    Control::setWidth(v);
}
void Form::setHeight(double v) {
    if (windowState_ != vbNormal) raise(errFormMaxMin);
    Control::setHeight(v);
}

double Form::effectiveLeft() const {
    return left();
}
double Form::effectiveTop() const {
    return top();
}
double Form::effectiveWidth() const {
    return width();
}
double Form::effectiveHeight() const {
    return height();
}
double Form::scaleWidth() const {
    return rectPx().width() * Screen::twipsPerPixelX();
}
double Form::scaleHeight() const {
    return rectPx().height() * Screen::twipsPerPixelY();
}

void Form::geometryChanged() {
    QWidget *w = widget();
    if (!w) return;
    QRect r = rectPx();
    r.setSize(r.size().expandedTo(QSize(1, 1)));
    // A box keeps the size the program gives it: the window manager offers
    // no resize and no maximise.
    if (box_) w->setFixedSize(r.size());
    if (w->geometry() != r) w->setGeometry(r);
    if (onResize && loaded_) runHandler([&] { onResize(); });
}

void Form::setFocusControl(Control *c) {
    if (c == this) c = nullptr;
    if (c == focus_) return;
    Control *old = focus_;
    focus_ = c;
    if (old) old->raiseLostFocus();
    if (focus_ != c) return; // LostFocus moved the focus elsewhere
    if (c) {
        if (auto *wc = dynamic_cast<WindowedControl *>(c); wc && wc->widget())
            wc->widget()->setFocus(Qt::OtherFocusReason);
        c->raiseGotFocus();
    } else if (widget()) {
        widget()->setFocus(Qt::OtherFocusReason);
    }
}

void Form::dragWindow() {
    Router &router = Router::instance();
    router.releaseCapture();
    // Only a real press drags: the driver's presses return at once.
    QWidget *w = widget();
    if (!router.inRealPress() || !w->isVisible() || windowState_ != vbNormal ||
        QGuiApplication::mouseButtons() == Qt::NoButton)
        return;
    if (QGuiApplication::platformName().startsWith(QLatin1String("wayland"))) {
        // Only the compositor may move windows there; it takes the release.
        if (w->windowHandle()) w->windowHandle()->startSystemMove();
        return;
    }
    // Follow the pointer until the button is released. The grab point is
    // where the button went down: by the time this runs the pointer may
    // already be elsewhere (the events wait in the queue).
    struct Follower : QObject {
        QPointer<QWidget> w;
        QPoint grabOffset;
        QEventLoop loop;
        bool eventFilter(QObject *, QEvent *e) override {
            switch (e->type()) {
            case QEvent::MouseMove: {
                auto *me = static_cast<QMouseEvent *>(e);
                if (me->buttons() == Qt::NoButton) {
                    loop.quit(); // the release went elsewhere
                } else if (w) {
                    w->move(me->globalPosition().toPoint() - grabOffset);
                }
                return true;
            }
            case QEvent::MouseButtonPress:
            case QEvent::MouseButtonDblClick:
                return true;
            case QEvent::MouseButtonRelease:
                loop.quit();
                return true;
            case QEvent::Hide:
                if (w && !w->isVisible()) loop.quit();
                return false;
            default:
                return false;
            }
        }
    } follower;
    follower.w = w;
    follower.grabOffset = w->mapToGlobal(router.pointerPx()) - w->pos();
    if (platform::runEnded()) return;
    w->grabMouse();
    qApp->installEventFilter(&follower);
    {
        platform::EndableWait endable([&follower] { follower.loop.quit(); });
        follower.loop.exec();
    }
    qApp->removeEventFilter(&follower);
    if (!follower.w) return;
    w->releaseMouse();
    // The loop took the release: the router forgets the button now.
    router.reconcile(buttonsFromQt(QGuiApplication::mouseButtons()));
    const QPoint pos = w->pos();
    Control::setLeft(pos.x() * Screen::twipsPerPixelX());
    Control::setTop(pos.y() * Screen::twipsPerPixelY());
}

void Form::popupMenu(Menu *menu, int flags, double x, double y) {
    if (!menu) raise(errInvalidCall);
    const QPoint ptr = Router::instance().pointerPx();
    const double px = x < 0 ? ptr.x() : x / Screen::twipsPerPixelX();
    const double py = y < 0 ? ptr.y() : y / Screen::twipsPerPixelY();
    Menu *chosen = nullptr;
    OpenBoxScope open;
    if (detail::g_popupHook || detail::manualMode()) {
        if (detail::g_popupHook)
            chosen = detail::g_popupHook(*menu, px * Screen::twipsPerPixelX(),
                                         py * Screen::twipsPerPixelY());
    } else {
        QMenu qm;
        std::map<QAction *, Menu *> map;
        for (Menu *item : menu->items()) {
            if (!item->visible()) continue;
            if (item->caption() == QLatin1String("-")) {
                qm.addSeparator();
                continue;
            }
            QAction *a = qm.addAction(item->caption());
            a->setEnabled(item->enabled());
            a->setCheckable(item->checked());
            a->setChecked(item->checked());
            map[a] = item;
        }
        QPoint global = widget()->mapToGlobal(QPoint(int(px), int(py)));
        const QSize sz = qm.sizeHint();
        if (flags & vbPopupMenuRightAlign)
            global.rx() -= sz.width();
        else if (flags & vbPopupMenuCenterAlign)
            global.rx() -= sz.width() / 2;
        open.setClose([&qm] { qm.close(); });
        QAction *a = qm.exec(global);
        if (a && map.count(a)) chosen = map[a];
    }
    if (open.dismissed()) chosen = nullptr;
    if (chosen && chosen->enabled()) chosen->raiseClick();
}

// ---------------------------------------------------------------- Menu

Menu::Menu(Form *owner, const QString &name, const QString &caption)
    : owner_(owner), name_(name), caption_(caption) {}
Menu::~Menu() = default;

Menu *Menu::addItem(const QString &name, const QString &caption) {
    items_.push_back(std::make_unique<Menu>(owner_, name, caption));
    itemPtrs_.push_back(items_.back().get());
    return itemPtrs_.back();
}

void Menu::raiseClick() {
    runHandler([&] {
        if (onClick) onClick();
    });
}

// ---------------------------------------------------------------- message box

namespace {

// The answers of a style's buttons, left to right.
std::vector<int> answersOf(int style) {
    switch (style & 7) {
    case vbOKCancel:
        return {vbOK, vbCancel};
    case vbYesNoCancel:
        return {vbYes, vbNo, vbCancel};
    case vbYesNo:
        return {vbYes, vbNo};
    default:
        return {vbOK};
    }
}

// What closing the box without choosing answers: No of a question, else
// Cancel where there is one, else OK.
int dismissedAnswer(int style) {
    const int buttons = style & 7;
    if (buttons == vbOKCancel || buttons == vbYesNoCancel) return vbCancel;
    return buttons == vbYesNo ? vbNo : vbOK;
}

// The offscreen and minimal platforms draw into memory only.
bool anybodySeesWindows() {
    if (detail::g_realBoxesOffscreen) return true;
    const QString platform = QGuiApplication::platformName();
    return platform != QLatin1String("offscreen") && platform != QLatin1String("minimal");
}

} // namespace

int msgBoxDefaultAnswer(int style) {
    const std::vector<int> answers = answersOf(style);
    const size_t n = static_cast<size_t>((style >> 8) & 3);
    return n < answers.size() ? answers[n] : answers.front();
}

int msgBox(const QString &prompt, int style, const QString &title) {
    MsgBoxCall call{prompt, style, title.isEmpty() ? appTitle() : title};
    const int buttons = style & 7;
    if (detail::g_msgBoxHook || detail::manualMode()) {
        detail::g_msgBoxLog.push_back(call);
        int r = msgBoxDefaultAnswer(style);
        OpenBoxScope open;
        if (detail::g_msgBoxHook) {
            HandlerScope scope;
            r = detail::g_msgBoxHook(call);
        }
        return open.dismissed() ? dismissedAnswer(style) : r;
    }
    // Nobody answers a box after the run's end, and its loop would return
    // at once anyway.
    if (platform::runEnded()) return dismissedAnswer(style);
    if (!anybodySeesWindows()) {
        // Nobody could answer the box, and the program would wait for ever:
        // the text goes to standard error and the box counts as closed.
        std::fprintf(stderr, "%s: %s\n", call.title.toUtf8().constData(),
                     prompt.toUtf8().constData());
        return dismissedAnswer(style);
    }
    QMessageBox box;
    box.setWindowTitle(call.title);
    box.setText(prompt);
    switch (style & 0x70) {
    case vbCritical:
        box.setIcon(QMessageBox::Critical);
        break;
    case vbQuestion:
        box.setIcon(QMessageBox::Question);
        break;
    case vbExclamation:
        box.setIcon(QMessageBox::Warning);
        break;
    case vbInformation:
        box.setIcon(QMessageBox::Information);
        break;
    default:
        break;
    }
    std::map<QAbstractButton *, int> result;
    auto add = [&](const QString &text, QMessageBox::ButtonRole role, int code) {
        result[box.addButton(text, role)] = code;
    };
    if (buttons == vbYesNo || buttons == vbYesNoCancel) {
        add(QStringLiteral("是(&Y)"), QMessageBox::YesRole, vbYes);
        add(QStringLiteral("否(&N)"), QMessageBox::NoRole, vbNo);
    } else {
        add(QStringLiteral("确定"), QMessageBox::AcceptRole, vbOK);
    }
    if (buttons == vbOKCancel || buttons == vbYesNoCancel)
        add(QStringLiteral("取消"), QMessageBox::RejectRole, vbCancel);
    for (const auto &[button, code] : result)
        if (code == msgBoxDefaultAnswer(style))
            box.setDefaultButton(static_cast<QPushButton *>(button));
    box.setWindowFlag(Qt::WindowStaysOnTopHint);
    // A dialog of the window it was asked from; before any window is up,
    // a dialog of its own.
    if (Form *owner = Router::instance().boxOwner(nullptr)) {
        box.winId();
        if (QWindow *h = box.windowHandle()) h->setTransientParent(owner->widget()->windowHandle());
    }
    struct MinimiseFollower : QObject {
        bool eventFilter(QObject *o, QEvent *e) override {
            if (e->type() == QEvent::WindowStateChange)
                detail::followBoxMinimise(static_cast<QWidget *>(o),
                                          static_cast<QWindowStateChangeEvent *>(e)->oldState() &
                                              Qt::WindowMinimized);
            return false;
        }
    } follower;
    box.installEventFilter(&follower);
    OpenBoxScope open([&box] { box.reject(); });
    {
        platform::EndableWait endable([&box] { box.reject(); });
        // Centred on the screen, as the program's own boxes are: over a
        // small owner (the question panel's minimised bar) it would stand
        // in a corner.
        box.setWindowModality(Qt::ApplicationModal);
        box.show();
        const QRect area = box.screen() ? box.screen()->availableGeometry() : QRect();
        if (area.isValid()) box.move(area.center() - box.rect().center());
        box.exec();
    }
    box.removeEventFilter(&follower);
    detail::boxClosed(&box);
    if (open.dismissed()) return dismissedAnswer(style);
    auto it = result.find(box.clickedButton());
    return it == result.end() ? dismissedAnswer(style) : it->second;
}

} // namespace forms
