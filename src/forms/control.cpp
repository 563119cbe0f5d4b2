#include "control.h"
#include "form.h"
#include "internal_p.h"
#include "screen.h"
#include "timer.h"

#include <QPainter>
#include <QWidget>
#include <algorithm>
#include <cmath>

namespace forms {

namespace {
int px(double twips, double tpp) {
    return int(std::lround(twips / tpp));
}
int g_liveControls = 0;
} // namespace

int detail::liveControls() {
    return g_liveControls;
}

// ---------------------------------------------------------------- Control

Control::Control(Container *parent, const QString &name) : name_(name), container_(parent) {
    ++g_liveControls;
    if (parent) parent->adopt(this);
}

Control::~Control() {
    --g_liveControls;
    Router::instance().forget(this);
    if (Form *f = form(); f && f != static_cast<Control *>(this) && f->activeControl() == this)
        f->setFocusControl(nullptr);
}

Form *Control::form() const {
    const Control *c = this;
    while (c->container_) c = c->container_;
    return dynamic_cast<Form *>(const_cast<Control *>(c));
}

void Control::setLeft(double v) {
    if (v == left_) return;
    left_ = v;
    geometryChanged();
}
void Control::setTop(double v) {
    if (v == top_) return;
    top_ = v;
    geometryChanged();
}
void Control::setWidth(double v) {
    if (v < 0) raise(380);
    if (v == width_) return;
    width_ = v;
    geometryChanged();
}
void Control::setHeight(double v) {
    if (v < 0) raise(380);
    if (v == height_) return;
    height_ = v;
    geometryChanged();
}
void Control::move(double left, double top) {
    setLeft(left);
    setTop(top);
}
void Control::move(double left, double top, double width, double height) {
    setLeft(left);
    setTop(top);
    setWidth(width);
    setHeight(height);
}

void Control::setSizeInternal(double w, double h) {
    if (w == width_ && h == height_) return;
    width_ = w;
    height_ = h;
    geometryChanged();
}

void Control::setVisible(bool v) {
    if (v == visible_) return;
    visible_ = v;
    visibilityChanged();
    if (!v && container_) {
        Form *f = form();
        if (f && f->activeControl() && f->activeControl() != f) {
            for (Control *c = f->activeControl(); c; c = c->container())
                if (c == this) {
                    f->setFocusControl(nullptr);
                    break;
                }
        }
    }
}

void Control::setEnabled(bool v) {
    if (v == enabled_) return;
    enabled_ = v;
    appearanceChanged();
    if (!v) {
        Form *f = form();
        if (f && f->activeControl() == this) f->setFocusControl(nullptr);
    }
}

void Control::setToolTipText(const QString &t) {
    toolTip_ = t;
}

void Control::setMousePointer(int kind) {
    if ((kind < 0 || kind > 15) && kind != vbCustom) raise(380);
    mousePointer_ = kind;
    appearanceChanged();
}

void Control::setMouseIcon(const Picture &p) {
    mouseIcon_ = p;
    appearanceChanged();
}

QCursor Control::cursor() const {
    if (mousePointer_ == vbCustom && !mouseIcon_.isNull()) return mouseIcon_.cursor();
    if (mousePointer_ != vbDefault && mousePointer_ != vbCustom)
        return standardCursor(mousePointer_);
    // Windowless controls show their container's pointer; windowed ones
    // the standard arrow (text boxes their I-beam, left to Qt).
    if (!isWindowed() && container_) return container_->cursor();
    return QCursor(Qt::ArrowCursor);
}

void Control::zOrder(int) {}

bool Control::hasFocus() const {
    Form *f = form();
    return f && f->activeControl() == this;
}

void Control::setFocus() {
    Form *f = form();
    if (!f || !canFocus() || !isShown() || !isEnabledInChain() || !f->isLoaded() || !f->visible())
        raise(errInvalidCall);
    f->setFocusControl(this);
}

bool Control::isShown() const {
    for (const Control *c = this; c; c = c->container_)
        if (!c->visible_) return false;
    return true;
}

bool Control::isEnabledInChain() const {
    for (const Control *c = this; c; c = c->container_)
        if (!c->enabled_) return false;
    return true;
}

QRect Control::rectPx() const {
    const double tx = Screen::twipsPerPixelX(), ty = Screen::twipsPerPixelY();
    return QRect(px(left_, tx), px(top_, ty), std::max(0, px(width_, tx)),
                 std::max(0, px(height_, ty)));
}

QPoint Control::originInFormPx() const {
    if (!container_) return QPoint(0, 0);
    return container_->originInFormPx() + container_->clientOffsetPx() + rectPx().topLeft();
}

double relX(const Control *c, QPoint formPx) {
    return (formPx.x() - c->originInFormPx().x()) * Screen::twipsPerPixelX();
}
double relY(const Control *c, QPoint formPx) {
    return (formPx.y() - c->originInFormPx().y()) * Screen::twipsPerPixelY();
}

// Own handler, then the array's, as one event handler.
void Control::raiseClick() {
    runHandler([&] {
        if (onClick) onClick();
        if (arrayEvents_ && arrayEvents_->onClick) arrayEvents_->onClick(index_);
    });
}
void Control::raiseDblClick() {
    runHandler([&] {
        if (onDblClick) onDblClick();
        if (arrayEvents_ && arrayEvents_->onDblClick) arrayEvents_->onDblClick(index_);
    });
}
void Control::raiseMouseDown(int b, int s, double x, double y) {
    runHandler([&] {
        if (onMouseDown) onMouseDown(b, s, x, y);
        if (arrayEvents_ && arrayEvents_->onMouseDown)
            arrayEvents_->onMouseDown(index_, b, s, x, y);
    });
}
void Control::raiseMouseMove(int b, int s, double x, double y) {
    runHandler([&] {
        if (onMouseMove) onMouseMove(b, s, x, y);
        if (arrayEvents_ && arrayEvents_->onMouseMove)
            arrayEvents_->onMouseMove(index_, b, s, x, y);
    });
}
void Control::raiseMouseUp(int b, int s, double x, double y) {
    runHandler([&] {
        if (onMouseUp) onMouseUp(b, s, x, y);
        if (arrayEvents_ && arrayEvents_->onMouseUp) arrayEvents_->onMouseUp(index_, b, s, x, y);
    });
}
void Control::raiseKeyDown(int &k, int s) {
    runHandler([&] {
        if (onKeyDown) onKeyDown(k, s);
        if (arrayEvents_ && arrayEvents_->onKeyDown) arrayEvents_->onKeyDown(index_, k, s);
    });
}
void Control::raiseKeyUp(int &k, int s) {
    runHandler([&] {
        if (onKeyUp) onKeyUp(k, s);
        if (arrayEvents_ && arrayEvents_->onKeyUp) arrayEvents_->onKeyUp(index_, k, s);
    });
}
void Control::raiseKeyPress(int &k) {
    runHandler([&] {
        if (onKeyPress) onKeyPress(k);
        if (arrayEvents_ && arrayEvents_->onKeyPress) arrayEvents_->onKeyPress(index_, k);
    });
}
void Control::raiseGotFocus() {
    runHandler([&] {
        if (onGotFocus) onGotFocus();
        if (arrayEvents_ && arrayEvents_->onGotFocus) arrayEvents_->onGotFocus(index_);
    });
}
void Control::raiseLostFocus() {
    runHandler([&] {
        if (onLostFocus) onLostFocus();
        if (arrayEvents_ && arrayEvents_->onLostFocus) arrayEvents_->onLostFocus(index_);
    });
}

void Control::attachToArray(int index, IndexedEvents *events) {
    index_ = index;
    arrayEvents_ = events;
}

void Control::geometryChanged() {}
void Control::appearanceChanged() {}
void Control::visibilityChanged() {}

QCursor standardCursor(int kind) {
    switch (kind) {
    case vbCrosshair:
        return QCursor(Qt::CrossCursor);
    case vbIbeam:
        return QCursor(Qt::IBeamCursor);
    case vbIconPointer:
        return QCursor(Qt::ArrowCursor);
    case vbSizePointer:
        return QCursor(Qt::SizeAllCursor);
    case vbSizeNESW:
        return QCursor(Qt::SizeBDiagCursor);
    case vbSizeNS:
        return QCursor(Qt::SizeVerCursor);
    case vbSizeNWSE:
        return QCursor(Qt::SizeFDiagCursor);
    case vbSizeWE:
        return QCursor(Qt::SizeHorCursor);
    case vbUpArrow:
        return QCursor(Qt::UpArrowCursor);
    case vbHourglass:
        return QCursor(Qt::WaitCursor);
    case vbNoDrop:
        return QCursor(Qt::ForbiddenCursor);
    case vbArrowHourglass:
        return QCursor(Qt::BusyCursor);
    case vbArrowQuestion:
        return QCursor(Qt::WhatsThisCursor);
    case vbSizeAll:
        return QCursor(Qt::SizeAllCursor);
    default:
        return QCursor(Qt::ArrowCursor);
    }
}

// ---------------------------------------------------------------- windowless

WindowlessControl::WindowlessControl(Container *parent, const QString &name)
    : Control(parent, name) {
    // Drawn above the windowless controls made before it.
    if (parent) {
        parent->windowless_.push_back(this);
        parent->update();
    }
}

bool WindowlessControl::hitTest(QPoint p) const {
    return rectPx().contains(p);
}

void WindowlessControl::zOrder(int position) {
    if (container()) container()->moveWindowless(this, position);
}

void WindowlessControl::setDrawnAbove(bool on) {
    if (drawnAbove_ == on) return;
    drawnAbove_ = on;
    if (container()) container()->placeOverlay();
    appearanceChanged();
}

void WindowlessControl::geometryChanged() {
    if (container()) container()->update();
}
void WindowlessControl::appearanceChanged() {
    if (container()) container()->update();
}
void WindowlessControl::visibilityChanged() {
    if (container()) container()->update();
}

// ---------------------------------------------------------------- windowed

WindowedControl::WindowedControl(Container *parent, const QString &name) : Control(parent, name) {}

WindowedControl::~WindowedControl() {
    if (widget_) {
        if (auto *link = dynamic_cast<ControlLink *>(widget_)) link->control = nullptr;
        delete widget_;
        widget_ = nullptr;
    }
}

void WindowedControl::setWidget(QWidget *w) {
    widget_ = w;
    if (auto *link = dynamic_cast<ControlLink *>(w)) link->control = this;
    geometryChanged();
    if (container() && !visible())
        w->hide();
    else if (container())
        w->show();
    if (container()) container()->placeOverlay();
}

void WindowedControl::geometryChanged() {
    if (!widget_ || !container()) return;
    QRect r = rectPx();
    r.translate(container()->clientOffsetPx());
    widget_->setGeometry(r);
}

void WindowedControl::appearanceChanged() {
    if (!widget_) return;
    widget_->setEnabled(enabled());
    if (mousePointer() != vbDefault)
        widget_->setCursor(cursor());
    else
        widget_->unsetCursor();
    widget_->update();
}

void WindowedControl::visibilityChanged() {
    if (widget_ && container()) widget_->setVisible(visible());
}

void WindowedControl::setToolTipText(const QString &t) {
    Control::setToolTipText(t);
    if (widget_) widget_->setToolTip(t);
}

void WindowedControl::zOrder(int position) {
    if (!widget_) return;
    if (position == vbSendToBack)
        widget_->lower();
    else
        widget_->raise();
    if (container()) container()->placeOverlay();
}

// ---------------------------------------------------------------- Container

Container::Container(Container *parent, const QString &name) : WindowedControl(parent, name) {}

Container::~Container() {
    detail::exhumeChildrenOf(this);
    // Timers first: nothing may tick on a half-destroyed container.
    for (Timer *t : std::vector<Timer *>(timers_)) delete t;
    timers_.clear();
    windowless_.clear();
    children_.clear();
    overlayBeneath_ = nullptr;
    while (!owned_.empty()) {
        auto c = std::move(owned_.back());
        owned_.pop_back();
        c.reset();
    }
}

double Container::scaleWidth() const {
    return width();
}
double Container::scaleHeight() const {
    return height();
}

void Container::setBackColor(Color c) {
    backColor_ = c;
    update();
}
void Container::setForeColor(Color c) {
    foreColor_ = c;
    update();
}
void Container::setPicture(const Picture &p) {
    picture_ = p;
    update();
}

void Container::adopt(Control *c) {
    owned_.emplace_back(c);
    children_.push_back(c);
}

void Container::destroyChild(Control *c) {
    auto it = std::find_if(owned_.begin(), owned_.end(),
                           [c](const std::unique_ptr<Control> &p) { return p.get() == c; });
    if (it == owned_.end()) return;
    std::unique_ptr<Control> owned = std::move(*it);
    owned_.erase(it);
    children_.erase(std::remove(children_.begin(), children_.end(), c), children_.end());
    windowless_.erase(std::remove(windowless_.begin(), windowless_.end(), c), windowless_.end());
    Form *f = form();
    if (f && f->activeControl() == c) f->setFocusControl(nullptr);
    Router::instance().forget(c);
    if (auto *w = dynamic_cast<WindowedControl *>(c); w && w->widget()) w->widget()->hide();
    if (overlayBeneath_ == c) overlayBeneath_ = nullptr;
    update();
    detail::bury(std::move(owned));
}

void Container::adoptTimer(Timer *t) {
    timers_.push_back(t);
}
void Container::dropTimer(Timer *t) {
    timers_.erase(std::remove(timers_.begin(), timers_.end(), t), timers_.end());
}

void Container::moveWindowless(WindowlessControl *c, int position) {
    auto it = std::find(windowless_.begin(), windowless_.end(), c);
    if (it == windowless_.end()) return;
    windowless_.erase(it);
    if (position == vbSendToBack)
        windowless_.insert(windowless_.begin(), c);
    else
        windowless_.push_back(c);
    update();
}

WindowlessControl *Container::windowlessAt(QPoint p) const {
    for (auto it = windowless_.rbegin(); it != windowless_.rend(); ++it) {
        WindowlessControl *c = *it;
        if (c->visible() && c->enabled() && !c->drawnAbove() && c->hitTest(p)) return c;
    }
    return nullptr;
}

void Container::update() {
    if (widget()) widget()->update();
    if (overlay_) overlay_->update();
}

void Container::setOverlayBeneath(WindowedControl *below) {
    overlayBeneath_ = below;
    placeOverlay();
}

void Container::placeOverlay() {
    if (!widget()) return;
    if (!overlay_) {
        const bool wanted = std::any_of(windowless_.begin(), windowless_.end(),
                                        [](WindowlessControl *c) { return c->drawnAbove(); });
        if (!wanted) return;
        overlay_ = new OverlayWidget(this, widget());
        overlay_->show();
    }
    overlay_->setGeometry(widget()->rect());
    if (overlayBeneath_ && overlayBeneath_->widget() &&
        overlayBeneath_->widget()->parentWidget() == widget())
        overlay_->stackUnder(overlayBeneath_->widget());
    else
        overlay_->raise();
}

void Container::paintContent(QPainter &p) const {
    if (!widget()) return;
    p.fillRect(widget()->rect(), toQColor(backColor_));
    const QPoint off = clientOffsetPx();
    p.save();
    p.translate(off);
    if (!picture_.isNull()) p.drawPixmap(0, 0, picture_.pixmap());
    for (WindowlessControl *c : windowless_) {
        if (!c->visible() || c->drawnAbove()) continue;
        p.save();
        c->paint(p);
        p.restore();
    }
    p.restore();
}

void Container::paintOverlay(QPainter &p) const {
    p.save();
    p.translate(clientOffsetPx());
    for (WindowlessControl *c : windowless_) {
        if (!c->visible() || !c->drawnAbove()) continue;
        p.save();
        c->paint(p);
        p.restore();
    }
    p.restore();
}

} // namespace forms
