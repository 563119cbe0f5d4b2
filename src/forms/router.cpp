// One path for the mouse and the keys: real Qt events and the test driver
// both come here. The router decides what a point hits (windowed children
// first, then the windowless ones top-first), keeps the control pressed
// captured until the last button is released, and makes Click and DblClick.
#include "internal_p.h"
#include "screen.h"

#include <QKeyEvent>
#include <QMouseEvent>

namespace forms {

Router &Router::instance() {
    static Router r;
    return r;
}

namespace {

Router::Hit hitIn(Container *c, QPoint p) {
    QWidget *w = c->widget();
    if (w) {
        const QObjectList &kids = w->children();
        for (auto it = kids.rbegin(); it != kids.rend(); ++it) {
            auto *cw = qobject_cast<QWidget *>(*it);
            if (!cw || cw->isWindow()) continue;
            WindowedControl *ctl = controlOf(cw);
            if (!ctl || !ctl->visible() || !cw->geometry().contains(p)) continue;
            if (!ctl->enabled()) return Router::Hit{}; // a disabled window swallows the mouse
            if (auto *cc = dynamic_cast<Container *>(ctl)) return hitIn(cc, p - cw->pos());
            return Router::Hit{ctl, true};
        }
    }
    if (WindowlessControl *wl = c->windowlessAt(p - c->clientOffsetPx()))
        return Router::Hit{wl, false};
    return Router::Hit{c, false};
}

bool isUser(Control *c) {
    return dynamic_cast<UserControl *>(c) != nullptr;
}

// Controls whose Click the router makes (a check box makes its own from
// its value; a user control raises its own).
bool makesClick(Control *c) {
    return !isUser(c) && !dynamic_cast<CheckBox *>(c) && !dynamic_cast<WebView *>(c);
}

bool isNative(Control *c) {
    return dynamic_cast<TextBox *>(c) || dynamic_cast<CheckBox *>(c) || dynamic_cast<WebView *>(c);
}

void forwardNative(Control *c, QPoint px, QEvent::Type type, int button, int buttons, int shift) {
    auto *w = static_cast<WindowedControl *>(c)->widget();
    if (!w) return;
    const QPoint local = px - c->originInFormPx();
    QMouseEvent e(type, QPointF(local), QPointF(w->mapToGlobal(local)), qtButtonFromCode(button),
                  qtButtonsFromCodes(buttons), qtModifiersFromShift(shift));
    if (auto *t = dynamic_cast<TextBoxWidget *>(w))
        t->nativeMouse(&e);
    else if (auto *cb = dynamic_cast<CheckBoxWidget *>(w))
        cb->nativeMouse(&e);
}

} // namespace

Router::Hit Router::hitTest(Form *f, QPoint px) const {
    // A form made but not shown still takes the driver's mouse (tests lay
    // windows out without showing them); an unloaded one takes nothing.
    if (!f || f->unloaded_ || !f->enabled()) return Hit{};
    if (!QRect(QPoint(0, 0), f->rectPx().size()).contains(px)) return Hit{};
    return hitIn(f, px);
}

void Router::deliverDown(Control *c, QPoint px, int button, int shift, bool synthetic,
                         QEvent::Type type) {
    const double x = relX(c, px), y = relY(c, px);
    if (auto *uc = dynamic_cast<UserControl *>(c))
        runHandler([&] { uc->userMouseDown(button, shift, x, y); });
    else
        c->raiseMouseDown(button, shift, x, y);
    if (synthetic && captured_ == c && isNative(c))
        forwardNative(c, px, type, button, buttons_, shift);
}

void Router::deliverMove(Control *c, QPoint px, int buttons, int shift, bool synthetic) {
    const double x = relX(c, px), y = relY(c, px);
    if (auto *uc = dynamic_cast<UserControl *>(c))
        runHandler([&] { uc->userMouseMove(buttons, shift, x, y); });
    else
        c->raiseMouseMove(buttons, shift, x, y);
    if (synthetic && isNative(c) && (captured_ == c || hover_ == c))
        forwardNative(c, px, QEvent::MouseMove, 0, buttons, shift);
}

void Router::deliverUp(Control *c, QPoint px, int button, int shift, bool synthetic) {
    const double x = relX(c, px), y = relY(c, px);
    if (synthetic && isNative(c))
        forwardNative(c, px, QEvent::MouseButtonRelease, button, buttons_, shift);
    if (auto *uc = dynamic_cast<UserControl *>(c))
        runHandler([&] { uc->userMouseUp(button, shift, x, y); });
    else
        c->raiseMouseUp(button, shift, x, y);
}

void Router::updateCursor(Control *c) {
    if (!c) return;
    if (!c->isWindowed()) {
        if (Container *ct = c->container(); ct && ct->widget())
            ct->widget()->setCursor(c->cursor());
    } else if (auto *w = static_cast<WindowedControl *>(c)->widget();
               w && c->mousePointer() != vbDefault) {
        w->setCursor(c->cursor());
    }
}

void Router::press(Form *f, QPoint px, int button, int shift, bool synthetic) {
    if (!f || button == 0) return;
    pointerForm_ = f;
    pointerPx_ = px;
    setActiveForm(f);
    if (captured_) {
        // Another button while one is held: same control, no new capture.
        buttons_ |= button;
        deliverDown(captured_, px, button, shift, synthetic, QEvent::MouseButtonPress);
        return;
    }
    Hit h = hitTest(f, px);
    if (!h.control) return;
    Control *t = h.control;
    Control *focus = t->canFocus() ? t
                     : (!t->isWindowed() && t->container() && t->container()->canFocus())
                         ? t->container()
                         : nullptr;
    if (focus && focus->isEnabledInChain() && f->activeControl() != focus)
        f->setFocusControl(focus);
    captured_ = t;
    buttons_ = button;
    suppressClick_ = false;
    lastPressed_ = t;
    hover_ = t;
    const bool outerReal = realPress_;
    realPress_ = !synthetic;
    deliverDown(t, px, button, shift, synthetic, QEvent::MouseButtonPress);
    realPress_ = outerReal;
    // A press that became a window drag: its release never comes here.
    if (ignoreButtons_ & button) f->raiseInputDone();
}

void Router::doubleClick(Form *f, QPoint px, int button, int shift, bool synthetic) {
    if (!f || button == 0) return;
    if (captured_ || button != vbLeftButton) {
        press(f, px, button, shift, synthetic);
        return;
    }
    Hit h = hitTest(f, px);
    if (!h.control || h.control != lastPressed_) {
        press(f, px, button, shift, synthetic);
        return;
    }
    Control *t = h.control;
    pointerForm_ = f;
    pointerPx_ = px;
    setActiveForm(f);
    captured_ = t;
    buttons_ = button;
    suppressClick_ = true;
    hover_ = t;
    if (synthetic && isNative(t))
        forwardNative(t, px, QEvent::MouseButtonDblClick, button, buttons_, shift);
    if (!isUser(t)) t->raiseDblClick();
}

void Router::move(Form *f, QPoint px, int shift, bool synthetic) {
    if (!f) return;
    pointerForm_ = f;
    pointerPx_ = px;
    if (captured_) {
        hover_ = captured_;
        deliverMove(captured_, px, buttons_, shift, synthetic);
        return;
    }
    if (ignoreButtons_) return;
    Hit h = hitTest(f, px);
    hover_ = h.control;
    if (!h.control) return;
    updateCursor(h.control);
    deliverMove(h.control, px, 0, shift, synthetic);
}

void Router::release(Form *f, QPoint px, int button, int shift, bool synthetic) {
    if (!f || button == 0) return;
    pointerForm_ = f;
    pointerPx_ = px;
    if (ignoreButtons_ & button) {
        // The release of a press whose capture was given up (window drag).
        ignoreButtons_ &= ~button;
        return;
    }
    if (!captured_) {
        // A press that met no control ends here too.
        f->raiseInputDone();
        return;
    }
    if (!(buttons_ & button)) return;
    Control *c = captured_;
    buttons_ &= ~button;
    const bool wasDouble = suppressClick_;
    if (buttons_ == 0) {
        captured_ = nullptr;
        suppressClick_ = false;
    }
    // Kept alive through the handlers: deletion waits until none runs.
    Control *watch = c;
    watched_.push_back(&watch);
    deliverUp(c, px, button, shift, synthetic);
    watched_.pop_back();
    const bool alive = watch != nullptr;
    const bool click = alive && !wasDouble && (button == vbLeftButton || button == vbRightButton) &&
                       makesClick(c) && hitTest(f, px).control == c;
    if (click) c->raiseClick();
    if (!captured_) {
        Hit h = hitTest(f, px);
        hover_ = h.control;
        // The form itself lives until no handler runs.
        f->raiseInputDone();
    }
}

void Router::leave(Form *f) {
    if (pointerForm_ == f && !captured_) {
        hover_ = nullptr;
        pointerForm_ = nullptr;
    }
}

void Router::keyPress(Control *c, QKeyEvent *e, bool *cancelChar, int *charOut) {
    int kc = keyCodeFromQt(e->key(), e->modifiers());
    const int shift = shiftFromQt(e->modifiers());
    Control *watch = c;
    watched_.push_back(&watch);
    // A form that previews the keys sees them first; a key or character it
    // sets to 0 does not reach the control.
    Form *preview = previewingForm(c);
    if (kc && preview) preview->raiseKeyDown(kc, shift);
    if (kc && watch) c->raiseKeyDown(kc, shift);
    const QString text = e->text();
    int ch = text.isEmpty() ? 0 : text.at(0).unicode();
    if (ch && watch) {
        const int orig = ch;
        if (preview) preview->raiseKeyPress(ch);
        if (ch && watch) c->raiseKeyPress(ch);
        if (cancelChar) *cancelChar = ch == 0;
        if (charOut) *charOut = (ch != orig && ch != 0) ? ch : 0;
    }
    watched_.pop_back();
}

void Router::keyRelease(Control *c, QKeyEvent *e) {
    if (e->isAutoRepeat()) return; // a held key repeats KeyDown only
    int kc = keyCodeFromQt(e->key(), e->modifiers());
    if (!kc) return;
    const int shift = shiftFromQt(e->modifiers());
    Form *f = c->form();
    Control *watch = c;
    watched_.push_back(&watch);
    if (Form *preview = previewingForm(c)) preview->raiseKeyUp(kc, shift);
    if (kc && watch) c->raiseKeyUp(kc, shift);
    watched_.pop_back();
    if (f) f->raiseInputDone();
}

Form *Router::previewingForm(Control *c) {
    Form *f = c->form();
    return f && f != c && f->keyPreview() ? f : nullptr;
}

void Router::releaseCapture() {
    if (!captured_) return;
    ignoreButtons_ |= buttons_;
    buttons_ = 0;
    captured_ = nullptr;
    suppressClick_ = false;
}

void Router::reconcile(int heldBefore) {
    ignoreButtons_ &= heldBefore;
    if (!captured_) return;
    buttons_ &= heldBefore;
    if (buttons_ == 0) {
        // The control pressed gets no MouseUp: its release went elsewhere.
        captured_ = nullptr;
        suppressClick_ = false;
    }
}

void Router::reset() {
    hover_ = captured_ = lastPressed_ = nullptr;
    pointerForm_ = activeForm_ = nullptr;
    activeOrder_.clear();
    buttons_ = ignoreButtons_ = 0;
    suppressClick_ = realPress_ = false;
    pointerPx_ = QPoint();
}

void Router::forget(Control *c) {
    for (Control **w : watched_)
        if (*w == c) *w = nullptr;
    if (hover_ == c) hover_ = nullptr;
    if (lastPressed_ == c) lastPressed_ = nullptr;
    if (captured_ == c) releaseCapture();
    if (activeForm_ == c) activeForm_ = nullptr;
    std::erase(activeOrder_, c);
    if (pointerForm_ == c) pointerForm_ = nullptr;
}

void Router::forgetForm(Form *f) {
    auto inForm = [f](Control *c) { return c && c->form() == f; };
    if (inForm(hover_)) hover_ = nullptr;
    if (inForm(lastPressed_)) lastPressed_ = nullptr;
    if (inForm(captured_)) releaseCapture();
    for (Control **w : watched_)
        if (inForm(*w)) *w = nullptr;
    if (activeForm_ == f) activeForm_ = nullptr;
    std::erase(activeOrder_, f);
    if (pointerForm_ == f) pointerForm_ = nullptr;
}

void Router::setActiveForm(Form *f) {
    activeForm_ = f;
    if (!f) return;
    std::erase(activeOrder_, f);
    activeOrder_.push_back(f);
}

Form *Router::boxOwner(const Form *box) const {
    for (auto it = activeOrder_.rbegin(); it != activeOrder_.rend(); ++it) {
        Form *f = *it;
        QWidget *w = f->widget();
        if (f != box && f->isLoaded() && w && w->isVisible() && !w->isMinimized()) return f;
    }
    return nullptr;
}

} // namespace forms
