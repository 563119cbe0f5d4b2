// The Qt widgets behind windowed controls: they draw the containers and
// hand real mouse and key events to the router.
#include "internal_p.h"
#include "screen.h"

#include "platform/file_read.h"

#include <QClipboard>
#include <QCloseEvent>
#include <QContextMenuEvent>
#include <QFile>
#include <QGuiApplication>
#include <QHelpEvent>
#include <QImage>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QPointer>
#include <QProxyStyle>
#include <QStyleOptionFrame>
#include <QTextDocument>
#include <QToolTip>
#include <limits>

namespace forms {

WindowedControl *controlOf(QWidget *w) {
    auto *link = dynamic_cast<ControlLink *>(w);
    return link ? link->control : nullptr;
}

namespace {

Form *formOf(ControlLink *link) {
    return link->control ? link->control->form() : nullptr;
}

QPoint toFormPx(QWidget *w, Form *f, QPointF local) {
    QPoint p = local.toPoint();
    if (f->widget() == w) return p;
    return w->mapTo(f->widget(), p);
}

// A real mouse event of a widget goes to the router, as the driver's do.
// Qt's buttons include the one just pressed and leave out the one just
// released; the router is first told those held before this event.
void routeMouse(ControlLink *link, QWidget *w, QMouseEvent *e) {
    Form *f = formOf(link);
    if (!f) return;
    Router &r = Router::instance();
    const QPoint px = toFormPx(w, f, e->position());
    const int shift = shiftFromQt(e->modifiers());
    const int held = buttonsFromQt(e->buttons());
    const int button = buttonFromQt(e->button());
    switch (e->type()) {
    case QEvent::MouseButtonPress:
        r.reconcile(held & ~button);
        r.press(f, px, button, shift, false);
        break;
    case QEvent::MouseButtonDblClick:
        r.reconcile(held & ~button);
        r.doubleClick(f, px, button, shift, false);
        break;
    case QEvent::MouseMove:
        r.reconcile(held);
        r.move(f, px, shift, false);
        break;
    case QEvent::MouseButtonRelease:
        r.reconcile(held | button);
        r.release(f, px, button, shift, false);
        break;
    default:
        break;
    }
}

// The widget took the keyboard focus (a click, the window manager): the
// control's form follows.
void followWidgetFocus(Control *c) {
    if (Form *f = c->form(); f && f->activeControl() != c) f->setFocusControl(c);
}

void drawSunkenBorder(QPainter &p, const QRect &r) {
    // Two-pixel 3D border of a Windows picture box.
    p.setPen(QColor(160, 160, 160));
    p.drawLine(r.left(), r.top(), r.right(), r.top());
    p.drawLine(r.left(), r.top(), r.left(), r.bottom());
    p.setPen(QColor(105, 105, 105));
    p.drawLine(r.left() + 1, r.top() + 1, r.right() - 1, r.top() + 1);
    p.drawLine(r.left() + 1, r.top() + 1, r.left() + 1, r.bottom() - 1);
    p.setPen(QColor(255, 255, 255));
    p.drawLine(r.left(), r.bottom(), r.right(), r.bottom());
    p.drawLine(r.right(), r.top(), r.right(), r.bottom());
    p.setPen(QColor(227, 227, 227));
    p.drawLine(r.left() + 1, r.bottom() - 1, r.right() - 1, r.bottom() - 1);
    p.drawLine(r.right() - 1, r.top() + 1, r.right() - 1, r.bottom() - 1);
}

} // namespace

// ---------------------------------------------------------------- OverlayWidget

OverlayWidget::OverlayWidget(Container *c, QWidget *parent) : QWidget(parent), container_(c) {
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAttribute(Qt::WA_NoSystemBackground);
    setFocusPolicy(Qt::NoFocus);
}

void OverlayWidget::paintEvent(QPaintEvent *) {
    QPainter p(this);
    container_->paintOverlay(p);
}

// ---------------------------------------------------------------- ContainerWidget

ContainerWidget::ContainerWidget(Container *c, QWidget *parent) : QWidget(parent) {
    control = c;
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::ClickFocus);
}

void ContainerWidget::paintEvent(QPaintEvent *) {
    if (!control) return;
    QPainter p(this);
    container()->paintContent(p);
    if (auto *pb = dynamic_cast<PictureBox *>(control); pb && pb->borderStyle() == 1)
        drawSunkenBorder(p, rect());
    if (auto *fr = dynamic_cast<Frame *>(control)) {
        QFont font = toQFont(fr->font());
        QFontMetrics fm(font);
        const int top = fm.height() / 2;
        if (fr->borderStyle() == 1) {
            p.setPen(QColor(213, 223, 229));
            p.drawRect(rect().adjusted(0, top, -1, -1));
        }
        if (!fr->caption().isEmpty()) {
            const QString cap = fr->caption();
            QRect tr(8, 0, fm.horizontalAdvance(cap) + 4, fm.height());
            p.fillRect(tr, toQColor(fr->backColor()));
            p.setFont(font);
            p.setPen(toQColor(fr->foreColor()));
            p.drawText(tr, Qt::AlignCenter, cap);
        }
    }
}

void ContainerWidget::mousePressEvent(QMouseEvent *e) {
    routeMouse(this, this, e);
}
void ContainerWidget::mouseDoubleClickEvent(QMouseEvent *e) {
    routeMouse(this, this, e);
}
void ContainerWidget::mouseMoveEvent(QMouseEvent *e) {
    routeMouse(this, this, e);
}
void ContainerWidget::mouseReleaseEvent(QMouseEvent *e) {
    routeMouse(this, this, e);
}

void ContainerWidget::keyPressEvent(QKeyEvent *e) {
    if (control) Router::instance().keyPress(control, e, nullptr, nullptr);
    e->accept();
}
void ContainerWidget::keyReleaseEvent(QKeyEvent *e) {
    if (control) Router::instance().keyRelease(control, e);
    e->accept();
}

void ContainerWidget::focusInEvent(QFocusEvent *e) {
    QWidget::focusInEvent(e);
    if (control && control->canFocus()) followWidgetFocus(control);
}

void ContainerWidget::leaveEvent(QEvent *e) {
    QWidget::leaveEvent(e);
    if (!control || control->container()) return;
    // The pointer left the window (leaving into a child widget does not count).
    if (!rect().contains(mapFromGlobal(QCursor::pos())))
        Router::instance().leave(static_cast<Form *>(control));
}

void ContainerWidget::closeEvent(QCloseEvent *e) {
    e->ignore();
    // The window's answer may open a box or step the screen on: an error in
    // it is the program's, not the window system's.
    if (auto *f = dynamic_cast<Form *>(control)) runHandler([&] { f->unload(vbFormControlMenu); });
}

void ContainerWidget::moveEvent(QMoveEvent *e) {
    QWidget::moveEvent(e);
    auto *f = dynamic_cast<Form *>(control);
    if (!f || !isWindow() || f->windowState() != vbNormal) return;
    // Moved by the user or the window manager: keep Left/Top in step,
    // without disturbing values that still round to this position. Left/Top
    // place the client area, as geometryChanged sets it; the event's own
    // position is the frame's on some platforms, and following that would
    // push the window by its frame on every move, without end.
    const QPoint pos = geometry().topLeft();
    const double tx = Screen::twipsPerPixelX(), ty = Screen::twipsPerPixelY();
    if (qRound(f->left() / tx) != pos.x() || qRound(f->top() / ty) != pos.y())
        f->Control::move(pos.x() * tx, pos.y() * ty);
}

void ContainerWidget::changeEvent(QEvent *e) {
    QWidget::changeEvent(e);
    if (e->type() != QEvent::WindowStateChange || !isWindow()) return;
    // Also raised by the form's own showMinimized()/showNormal(): following
    // what the form just set changes nothing.
    const Qt::WindowStates before = static_cast<QWindowStateChangeEvent *>(e)->oldState();
    if (auto *f = dynamic_cast<Form *>(control)) {
        f->followWindowState(before);
        detail::followBoxMinimise(this, before & Qt::WindowMinimized);
    }
}

void ContainerWidget::resizeEvent(QResizeEvent *e) {
    QWidget::resizeEvent(e);
    if (control) container()->placeOverlay();
}

bool ContainerWidget::event(QEvent *e) {
    if (e->type() == QEvent::ToolTip && control) {
        auto *he = static_cast<QHelpEvent *>(e);
        Form *f = control->form();
        if (f) {
            Control *c = Router::instance().hitTest(f, toFormPx(this, f, he->pos())).control;
            if (c && !c->isWindowed() && !c->toolTipText().isEmpty()) {
                QToolTip::showText(he->globalPos(), c->toolTipText(), this);
                return true;
            }
            if (c == control && !control->toolTipText().isEmpty()) {
                QToolTip::showText(he->globalPos(), control->toolTipText(), this);
                return true;
            }
        }
        QToolTip::hideText();
        e->ignore();
        return true;
    }
    return QWidget::event(e);
}

// ---------------------------------------------------------------- TextBoxWidget

namespace {

// Windows draws a text box with the focus in the same plain frame as one
// without it; the blue ring some Qt styles add would be foreign to the
// simulated screen.
class NoFocusRingStyle : public QProxyStyle {
public:
    void drawPrimitive(PrimitiveElement pe, const QStyleOption *opt, QPainter *p,
                       const QWidget *w) const override {
        if (pe == PE_PanelLineEdit || pe == PE_FrameLineEdit) {
            if (const auto *frame = qstyleoption_cast<const QStyleOptionFrame *>(opt)) {
                QStyleOptionFrame plain(*frame);
                plain.state &= ~State_HasFocus;
                QProxyStyle::drawPrimitive(pe, &plain, p, w);
                return;
            }
        }
        QProxyStyle::drawPrimitive(pe, opt, p, w);
    }
};

QStyle *noFocusRingStyle() {
    // One for all text boxes, going with the application that made it.
    static QPointer<NoFocusRingStyle> style;
    if (!style) {
        style = new NoFocusRingStyle;
        style->setParent(QCoreApplication::instance());
    }
    return style;
}

} // namespace

TextBoxWidget::TextBoxWidget(TextBox *t, QWidget *parent) : QLineEdit(parent) {
    control = t;
    setMouseTracking(true);
    setMaxLength(std::numeric_limits<int>::max());
    setStyle(noFocusRingStyle());
}

void TextBoxWidget::nativeMouse(QMouseEvent *e) {
    switch (e->type()) {
    case QEvent::MouseButtonPress:
        QLineEdit::mousePressEvent(e);
        break;
    case QEvent::MouseButtonDblClick:
        QLineEdit::mouseDoubleClickEvent(e);
        break;
    case QEvent::MouseMove:
        QLineEdit::mouseMoveEvent(e);
        break;
    case QEvent::MouseButtonRelease:
        QLineEdit::mouseReleaseEvent(e);
        break;
    default:
        break;
    }
}

void TextBoxWidget::mousePressEvent(QMouseEvent *e) {
    routeMouse(this, this, e);
    QLineEdit::mousePressEvent(e);
}
void TextBoxWidget::mouseDoubleClickEvent(QMouseEvent *e) {
    routeMouse(this, this, e);
    QLineEdit::mouseDoubleClickEvent(e);
}
void TextBoxWidget::mouseMoveEvent(QMouseEvent *e) {
    routeMouse(this, this, e);
    QLineEdit::mouseMoveEvent(e);
}
void TextBoxWidget::mouseReleaseEvent(QMouseEvent *e) {
    QPointer<TextBoxWidget> self(this);
    routeMouse(this, this, e);
    if (!self) return;
    const QClipboard *clip = QGuiApplication::clipboard();
    if (filtering() && e->button() == Qt::MiddleButton && clip->supportsSelection()) {
        // The selection paste of the middle button, through the filter.
        deselect();
        setCursorPosition(cursorPositionAt(e->position().toPoint()));
        insertArriving(clip->text(QClipboard::Selection));
        e->accept();
        return;
    }
    QLineEdit::mouseReleaseEvent(e);
}

bool TextBoxWidget::filtering() const {
    return control && static_cast<TextBox *>(control)->filtersArrivingText();
}

void TextBoxWidget::insertArriving(const QString &arriving) {
    if (isReadOnly() || !control) return;
    if (!filtering()) {
        insert(arriving);
        return;
    }
    QPointer<TextBoxWidget> self(this);
    for (QChar qc : arriving) {
        int ch = qc.unicode();
        control->raiseKeyPress(ch);
        if (!self || !control) return;
        if (ch == 0) continue;
        const auto *t = static_cast<TextBox *>(control);
        if (t->maxLength() > 0 &&
            t->maxLength() - int(text().size()) + int(selectedText().size()) <= 0)
            break;
        insert(QString(QChar(ch)));
    }
}

void TextBoxWidget::inputMethodEvent(QInputMethodEvent *e) {
    if (!filtering() || e->commitString().isEmpty()) {
        QLineEdit::inputMethodEvent(e);
        return;
    }
    // The composition goes on as the input method shows it; only the
    // committed text is judged.
    const QString commit = e->commitString();
    QInputMethodEvent rest(e->preeditString(), e->attributes());
    QLineEdit::inputMethodEvent(&rest);
    insertArriving(commit);
    e->accept();
}

void TextBoxWidget::contextMenuEvent(QContextMenuEvent *e) {
    if (!filtering()) {
        QLineEdit::contextMenuEvent(e);
        return;
    }
    QPointer<QMenu> menu = createStandardContextMenu();
    for (QAction *a : menu->actions()) {
        if (a->objectName() != QStringLiteral("edit-paste")) continue;
        a->disconnect();
        QPointer<TextBoxWidget> self(this);
        connect(a, &QAction::triggered, this, [self] {
            if (self) self->insertArriving(QGuiApplication::clipboard()->text());
        });
    }
    menu->exec(e->globalPos());
    delete menu;
}

void TextBoxWidget::keyPressEvent(QKeyEvent *e) {
    if (!control) {
        QLineEdit::keyPressEvent(e);
        return;
    }
    bool cancel = false;
    int replaced = 0;
    QPointer<TextBoxWidget> self(this);
    Router::instance().keyPress(control, e, &cancel, &replaced);
    if (!self || !control) return;
    if (cancel) {
        e->accept();
        return;
    }
    const QString typed = replaced ? QString(QChar(replaced)) : e->text();
    const bool printable = !typed.isEmpty() && typed.at(0).unicode() >= 32;
    if (printable && !isReadOnly()) {
        auto *t = static_cast<TextBox *>(control);
        const int room = t->maxLength() == 0
                             ? 1
                             : t->maxLength() - int(text().size()) + int(selectedText().size());
        if (room <= 0) {
            e->accept(); // full
            return;
        }
    }
    if (filtering() && e->matches(QKeySequence::Paste)) {
        insertArriving(QGuiApplication::clipboard()->text());
        e->accept();
        return;
    }
    if (replaced) {
        // The handler changed the character: type that one instead.
        if (printable && !isReadOnly()) insert(typed);
        e->accept();
        return;
    }
    QLineEdit::keyPressEvent(e);
    // The box had the key, also one the line edit leaves unused (Escape):
    // its form sees it only by KeyPreview, never a second time.
    e->accept();
}

void TextBoxWidget::keyReleaseEvent(QKeyEvent *e) {
    if (control) Router::instance().keyRelease(control, e);
    QLineEdit::keyReleaseEvent(e);
}

void TextBoxWidget::focusInEvent(QFocusEvent *e) {
    QLineEdit::focusInEvent(e);
    if (control) followWidgetFocus(control);
}

// ---------------------------------------------------------------- RichTextBoxWidget

RichTextBoxWidget::RichTextBoxWidget(RichTextBox *t, QWidget *parent) : QTextEdit(parent) {
    control = t;
    setReadOnly(true);
    setAcceptRichText(false);
    setUndoRedoEnabled(false);
    setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    setLineWrapMode(QTextEdit::WidgetWidth);
    setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setMouseTracking(true);
    viewport()->setMouseTracking(true);
}

// The scroll area hands the viewport's mouse here, in viewport coordinates.
void RichTextBoxWidget::mousePressEvent(QMouseEvent *e) {
    routeMouse(this, viewport(), e);
    QTextEdit::mousePressEvent(e);
}
void RichTextBoxWidget::mouseDoubleClickEvent(QMouseEvent *e) {
    routeMouse(this, viewport(), e);
    QTextEdit::mouseDoubleClickEvent(e);
}
void RichTextBoxWidget::mouseMoveEvent(QMouseEvent *e) {
    routeMouse(this, viewport(), e);
    QTextEdit::mouseMoveEvent(e);
}
void RichTextBoxWidget::mouseReleaseEvent(QMouseEvent *e) {
    QPointer<RichTextBoxWidget> self(this);
    routeMouse(this, viewport(), e);
    if (self) QTextEdit::mouseReleaseEvent(e);
}

void RichTextBoxWidget::keyPressEvent(QKeyEvent *e) {
    QPointer<RichTextBoxWidget> self(this);
    if (control) Router::instance().keyPress(control, e, nullptr, nullptr);
    if (self) QTextEdit::keyPressEvent(e);
}

void RichTextBoxWidget::keyReleaseEvent(QKeyEvent *e) {
    QPointer<RichTextBoxWidget> self(this);
    if (control) Router::instance().keyRelease(control, e);
    if (self) QTextEdit::keyReleaseEvent(e);
}

void RichTextBoxWidget::focusInEvent(QFocusEvent *e) {
    QTextEdit::focusInEvent(e);
    if (control) followWidgetFocus(control);
}

// ---------------------------------------------------------------- CheckBoxWidget

CheckBoxWidget::CheckBoxWidget(CheckBox *c, QWidget *parent) : QCheckBox(parent) {
    control = c;
}

void CheckBoxWidget::nativeMouse(QMouseEvent *e) {
    switch (e->type()) {
    case QEvent::MouseButtonPress:
        QCheckBox::mousePressEvent(e);
        break;
    case QEvent::MouseButtonDblClick:
        QCheckBox::mouseDoubleClickEvent(e);
        break;
    case QEvent::MouseMove:
        QCheckBox::mouseMoveEvent(e);
        break;
    case QEvent::MouseButtonRelease:
        QCheckBox::mouseReleaseEvent(e);
        break;
    default:
        break;
    }
}

void CheckBoxWidget::keyPressEvent(QKeyEvent *e) {
    QPointer<CheckBoxWidget> self(this);
    if (control) Router::instance().keyPress(control, e, nullptr, nullptr);
    if (self) QCheckBox::keyPressEvent(e);
}

void CheckBoxWidget::keyReleaseEvent(QKeyEvent *e) {
    QPointer<CheckBoxWidget> self(this);
    if (control) Router::instance().keyRelease(control, e);
    if (self) QCheckBox::keyReleaseEvent(e);
}

void CheckBoxWidget::focusInEvent(QFocusEvent *e) {
    QCheckBox::focusInEvent(e);
    if (control) followWidgetFocus(control);
}

// ---------------------------------------------------------------- WebViewWidget

WebViewWidget::WebViewWidget(WebView *w, QWidget *parent) : QTextBrowser(parent) {
    control = w;
    setOpenExternalLinks(false);
    // The view decides where a link goes (WebView::followLink).
    setOpenLinks(false);
    connect(this, &QTextBrowser::anchorClicked, this, [this](const QUrl &link) {
        if (auto *view = static_cast<WebView *>(control)) view->followLink(link);
    });
}

QVariant WebViewWidget::loadResource(int type, const QUrl &name) {
    auto *view = static_cast<WebView *>(control);
    const bool local = name.scheme().isEmpty() || name.isLocalFile();
    if (!view || !local) return QTextBrowser::loadResource(type, name);
    // Every file a page names is read as the program reads its files
    // (platform/file_read.h), never opened by the browser on its own.
    const QString path = name.isLocalFile() ? name.toLocalFile()
                                            : view->resolveRelative(name.path(QUrl::FullyDecoded));
    const bool image = type == QTextDocument::ImageResource;
    const auto bytes = platform::readFileBytes(path, image ? platform::readlimit::kPicture
                                                           : platform::readlimit::kBankText);
    if (!bytes) return QVariant();
    if (!image) return *bytes;
    // Bank pictures carry the bank's extension whatever they hold: the
    // format comes from the content.
    const QImage picture = QImage::fromData(*bytes);
    return picture.isNull() ? QVariant() : QVariant(picture);
}

// The mouse arrives in the viewport's coordinates.
void WebViewWidget::mousePressEvent(QMouseEvent *e) {
    routeMouse(this, viewport(), e);
    QTextBrowser::mousePressEvent(e);
}
void WebViewWidget::mouseDoubleClickEvent(QMouseEvent *e) {
    routeMouse(this, viewport(), e);
    QTextBrowser::mouseDoubleClickEvent(e);
}
void WebViewWidget::mouseMoveEvent(QMouseEvent *e) {
    routeMouse(this, viewport(), e);
    QTextBrowser::mouseMoveEvent(e);
}
void WebViewWidget::mouseReleaseEvent(QMouseEvent *e) {
    routeMouse(this, viewport(), e);
    QTextBrowser::mouseReleaseEvent(e);
}

} // namespace forms
