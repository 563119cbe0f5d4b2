#include "controls.h"
#include "form.h"
#include "internal_p.h"
#include "screen.h"

#include "platform/paths.h"
#include "platform/system.h"
#include "platform/text.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFontMetricsF>
#include <QPainter>
#include <QStringDecoder>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextEdit>
#include <QTextLayout>
#include <cmath>
#include <memory>

namespace forms {

namespace {

Qt::Alignment qtAlign(int a) {
    switch (a) {
    case vbRightJustify:
        return Qt::AlignRight;
    case vbCenter:
        return Qt::AlignHCenter;
    default:
        return Qt::AlignLeft;
    }
}

Qt::PenStyle penStyle(int borderStyle) {
    switch (borderStyle) {
    case vbBSTransparent:
        return Qt::NoPen;
    case vbBSDash:
        return Qt::DashLine;
    case vbBSDot:
        return Qt::DotLine;
    case vbBSDashDot:
        return Qt::DashDotLine;
    case vbBSDashDotDot:
        return Qt::DashDotDotLine;
    default:
        return Qt::SolidLine;
    }
}

// Captions use '&' as the mnemonic marker: "&&" shows one '&'.
QString displayCaption(const QString &c) {
    QString out;
    out.reserve(c.size());
    for (int i = 0; i < c.size(); ++i) {
        if (c[i] == u'&') {
            if (i + 1 < c.size() && c[i + 1] == u'&') {
                out += u'&';
                ++i;
            }
            continue;
        }
        out += c[i];
    }
    return out;
}

QString normaliseNewlines(QString s) {
    s.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    s.replace(u'\r', u'\n');
    return s;
}

// From the top of one line of text to the top of the next. The Chinese
// faces that stand in for 宋体 bring no leading of their own and their
// glyphs fill the em, so lines set at the font's height touch: quotation
// marks and commas meet the line below. Lines are therefore at least 1.2 em
// apart (in whole pixels), or the font's own line spacing where that is
// wider.
double lineSpacingPx(const QFont &f) {
    const QFontMetricsF fm(f);
    const double em = f.pixelSize() > 0 ? f.pixelSize() : fm.height();
    return std::max(fm.lineSpacing(), std::round(em * 1.2));
}

// A caption laid out in lines: each line break of the caption starts a
// paragraph; a paragraph wraps at wrapWidth (> 0) or not at all. Every
// line lies lineSpacingPx below the one before, and `gap` more after a
// line break of the caption. The layouts stay positioned for drawing.
struct CaptionLines {
    std::vector<std::unique_ptr<QTextLayout>> paragraphs;
    std::vector<double> tops; // of each paragraph
    double width = 0;         // of the widest line
    double height = 0;        // from the first line's top to the last line's foot
};

CaptionLines layCaption(const QFont &font, const QString &text, double wrapWidth, int gap,
                        Qt::Alignment align) {
    CaptionLines out;
    const QFontMetricsF fm(font);
    const double spacing = lineSpacingPx(font);
    QTextOption option(align);
    option.setWrapMode(wrapWidth > 0 ? QTextOption::WordWrap : QTextOption::NoWrap);
    double next = 0; // top of the next line
    const QStringList paragraphs = text.split(u'\n');
    for (int i = 0; i < paragraphs.size(); ++i) {
        if (i > 0) next += gap;
        auto layout = std::make_unique<QTextLayout>(paragraphs[i], font);
        layout->setTextOption(option);
        layout->beginLayout();
        double y = 0;
        for (QTextLine line = layout->createLine(); line.isValid(); line = layout->createLine()) {
            line.setLineWidth(wrapWidth > 0 ? wrapWidth : 1e6);
            line.setPosition(QPointF(0, y));
            out.width = std::max(out.width, line.naturalTextWidth());
            out.height = next + y + fm.height();
            y += spacing;
        }
        layout->endLayout();
        out.tops.push_back(next);
        next += y;
        out.paragraphs.push_back(std::move(layout));
    }
    return out;
}

} // namespace

// ---------------------------------------------------------------- Label

Label::Label(Container *parent, const QString &name) : WindowlessControl(parent, name) {
    setSizeInternal(1215, 255); // the designer's default label
}

void Label::setCaption(const QString &c) {
    if (c == caption_) return;
    caption_ = c;
    fit();
    appearanceChanged();
}
void Label::setAutoSize(bool on) {
    autoSize_ = on;
    fit();
}
void Label::setWordWrap(bool on) {
    wordWrap_ = on;
    fit();
}
void Label::setAlignment(int a) {
    alignment_ = a;
    appearanceChanged();
}
void Label::setBackStyle(int s) {
    backStyle_ = s;
    appearanceChanged();
}
void Label::setBackColor(Color c) {
    backColor_ = c;
    appearanceChanged();
}
void Label::setForeColor(Color c) {
    foreColor_ = c;
    appearanceChanged();
}
void Label::setBorderStyle(int s) {
    borderStyle_ = s;
    appearanceChanged();
}
void Label::setFont(const Font &f) {
    font_ = f;
    fit();
    appearanceChanged();
}
void Label::setFontName(const QString &n) {
    Font f = font_;
    f.name = n;
    setFont(f);
}
void Label::setFontSize(double pt) {
    if (pt <= 0) raise(380);
    Font f = font_;
    f.size = pt;
    setFont(f);
}
void Label::setFontBold(bool b) {
    Font f = font_;
    f.bold = b;
    setFont(f);
}
void Label::setFontItalic(bool b) {
    Font f = font_;
    f.italic = b;
    setFont(f);
}
void Label::setFontUnderline(bool b) {
    Font f = font_;
    f.underline = b;
    setFont(f);
}

void Label::setLineGap(int px) {
    lineGap_ = std::max(0, px);
    fit();
    appearanceChanged();
}

QSizeF Label::captionSizePx(bool wrap, double widthPx) const {
    const QFont f = toQFont(font_);
    const QString text = normaliseNewlines(displayCaption(caption_));
    if (text.isEmpty()) return QSizeF(0, QFontMetricsF(f).height());
    const CaptionLines lines =
        layCaption(f, text, wrap ? std::max(1.0, widthPx) : 0, lineGap_, Qt::AlignLeft);
    return QSizeF(std::ceil(lines.width), std::ceil(lines.height));
}

double Label::captionWidth() const {
    return captionSizePx(false, 0).width() * Screen::twipsPerPixelX();
}
double Label::captionHeight() const {
    return captionSizePx(wordWrap_, rectPx().width()).height() * Screen::twipsPerPixelY();
}

void Label::fit() {
    if (!autoSize_) return;
    const double tx = Screen::twipsPerPixelX(), ty = Screen::twipsPerPixelY();
    if (wordWrap_) {
        QSizeF s = captionSizePx(true, rectPx().width());
        setSizeInternal(width(), s.height() * ty);
    } else {
        QSizeF s = captionSizePx(false, 0);
        setSizeInternal(s.width() * tx, s.height() * ty);
    }
}

void Label::setCentredCaption(bool on, double rightInset) {
    centred_ = on;
    rightInset_ = on ? std::max(0.0, rightInset) : 0;
    appearanceChanged();
}

void Label::paint(QPainter &p) const {
    const QRect r = rectPx();
    if (r.isEmpty()) return;
    p.setClipRect(r);
    if (backStyle_ == vbOpaque) p.fillRect(r, toQColor(backColor_));
    if (borderStyle_ == 1) {
        p.setPen(QPen(Qt::black, 1));
        p.drawRect(r.adjusted(0, 0, -1, -1));
    }
    const QString text = normaliseNewlines(displayCaption(caption_));
    if (text.isEmpty()) return;
    // Drawn as measured: always wrapped at the label's width.
    p.setPen(enabled() ? toQColor(foreColor_) : toQColor(sys::GrayText));
    QRectF area(r);
    if (centred_) area.setWidth(std::max(1.0, area.width() - rightInset_ / Screen::twipsPerPixelX()));
    const Qt::Alignment align = centred_ ? Qt::AlignHCenter : qtAlign(alignment_);
    const CaptionLines lines =
        layCaption(toQFont(font_), text, std::max(1.0, area.width()), lineGap_, align);
    const double top = centred_ ? area.top() + (area.height() - lines.height) / 2 : area.top();
    for (size_t i = 0; i < lines.paragraphs.size(); ++i)
        lines.paragraphs[i]->draw(&p, QPointF(area.left(), top + lines.tops[i]));
}

// ---------------------------------------------------------------- Image

Image::Image(Container *parent, const QString &name) : WindowlessControl(parent, name) {}

void Image::setPicture(const Picture &p) {
    picture_ = p;
    if (!stretch_ && !p.isNull()) setSizeInternal(p.width(), p.height());
    appearanceChanged();
}

void Image::loadPicture(const QString &path) {
    setPicture(forms::loadPicture(path));
}

void Image::setStretch(bool on) {
    stretch_ = on;
    if (!on && !picture_.isNull()) setSizeInternal(picture_.width(), picture_.height());
    appearanceChanged();
}

void Image::setBorderStyle(int s) {
    borderStyle_ = s;
    appearanceChanged();
}

void Image::paint(QPainter &p) const {
    const QRect r = rectPx();
    if (r.isEmpty()) return;
    p.setClipRect(r);
    if (!picture_.isNull()) {
        if (stretch_)
            p.drawPixmap(r, picture_.pixmap());
        else
            p.drawPixmap(r.topLeft(), picture_.pixmap());
    }
    if (borderStyle_ == 1) {
        p.setPen(QPen(Qt::black, 1));
        p.drawRect(r.adjusted(0, 0, -1, -1));
    }
}

// ---------------------------------------------------------------- Shape

Shape::Shape(Container *parent, const QString &name) : WindowlessControl(parent, name) {
    setSizeInternal(1215, 735);
}

void Shape::setShape(int kind) {
    shape_ = kind;
    appearanceChanged();
}
void Shape::setBorderColor(Color c) {
    borderColor_ = c;
    appearanceChanged();
}
void Shape::setBorderWidth(int w) {
    if (w < 1) raise(380);
    borderWidth_ = w;
    appearanceChanged();
}
void Shape::setBorderStyle(int s) {
    borderStyle_ = s;
    appearanceChanged();
}
void Shape::setBackStyle(int s) {
    backStyle_ = s;
    appearanceChanged();
}
void Shape::setBackColor(Color c) {
    backColor_ = c;
    appearanceChanged();
}
void Shape::setFillStyle(int s) {
    fillStyle_ = s;
    appearanceChanged();
}
void Shape::setFillColor(Color c) {
    fillColor_ = c;
    appearanceChanged();
}

void Shape::paint(QPainter &p) const {
    QRectF r = rectPx();
    if (r.isEmpty()) return;
    if (shape_ == vbShapeSquare || shape_ == vbShapeCircle || shape_ == vbShapeRoundedSquare) {
        const double s = std::min(r.width(), r.height());
        r = QRectF(r.center().x() - s / 2, r.center().y() - s / 2, s, s);
    }
    // The outline lies inside the rectangle.
    const double w = borderWidth_;
    QRectF inner = r.adjusted(w / 2, w / 2, -w / 2, -w / 2);
    p.setRenderHint(QPainter::Antialiasing, shape_ >= vbShapeOval);
    auto draw = [&](const QRectF &rr) {
        switch (shape_) {
        case vbShapeOval:
        case vbShapeCircle:
            p.drawEllipse(rr);
            break;
        case vbShapeRoundedRectangle:
        case vbShapeRoundedSquare: {
            const double rad = std::min(rr.width(), rr.height()) / 6;
            p.drawRoundedRect(rr, rad, rad);
            break;
        }
        default:
            p.drawRect(rr);
        }
    };
    p.setPen(Qt::NoPen);
    if (backStyle_ == vbOpaque) {
        p.setBrush(toQColor(backColor_));
        draw(inner);
    }
    if (fillStyle_ == vbFSSolid) {
        p.setBrush(toQColor(fillColor_));
        draw(inner);
    }
    p.setBrush(Qt::NoBrush);
    const Qt::PenStyle ps = penStyle(borderStyle_);
    if (ps == Qt::NoPen) return;
    QPen pen(toQColor(borderColor_), w, w > 1 ? Qt::SolidLine : ps);
    pen.setJoinStyle(Qt::MiterJoin);
    p.setPen(pen);
    draw(inner);
}

// ---------------------------------------------------------------- Line

Line::Line(Container *parent, const QString &name) : WindowlessControl(parent, name) {}

void Line::syncBox() {
    Control::move(std::min(x1_, x2_), std::min(y1_, y2_));
    setSizeInternal(std::fabs(x2_ - x1_), std::fabs(y2_ - y1_));
    appearanceChanged();
}
void Line::setX1(double v) {
    x1_ = v;
    syncBox();
}
void Line::setY1(double v) {
    y1_ = v;
    syncBox();
}
void Line::setX2(double v) {
    x2_ = v;
    syncBox();
}
void Line::setY2(double v) {
    y2_ = v;
    syncBox();
}
void Line::setBorderColor(Color c) {
    borderColor_ = c;
    appearanceChanged();
}
void Line::setBorderWidth(int w) {
    if (w < 1) raise(380);
    borderWidth_ = w;
    appearanceChanged();
}
void Line::setBorderStyle(int s) {
    borderStyle_ = s;
    appearanceChanged();
}

void Line::paint(QPainter &p) const {
    const Qt::PenStyle ps = penStyle(borderStyle_);
    if (ps == Qt::NoPen) return;
    const double tx = Screen::twipsPerPixelX(), ty = Screen::twipsPerPixelY();
    QPen pen(toQColor(borderColor_), borderWidth_, borderWidth_ > 1 ? Qt::SolidLine : ps);
    pen.setCapStyle(Qt::FlatCap);
    p.setPen(pen);
    p.drawLine(QPointF(std::round(x1_ / tx), std::round(y1_ / ty)),
               QPointF(std::round(x2_ / tx), std::round(y2_ / ty)));
}

// ---------------------------------------------------------------- PictureBox

PictureBox::PictureBox(Container *parent, const QString &name) : Container(parent, name) {
    setWidget(new ContainerWidget(this, parent ? parent->widget() : nullptr));
    widget()->setFocusPolicy(Qt::ClickFocus);
    setSizeInternal(1215, 1215);
}

void PictureBox::setAutoSize(bool on) {
    autoSize_ = on;
    fit();
}

void PictureBox::setPicture(const Picture &p) {
    Container::setPicture(p);
    fit();
}

void PictureBox::loadPicture(const QString &path) {
    setPicture(forms::loadPicture(path));
}

void PictureBox::fit() {
    if (!autoSize_ || picture().isNull()) return;
    const QPoint off = clientOffsetPx();
    setSizeInternal((picture().widthPx() + 2 * off.x()) * Screen::twipsPerPixelX(),
                    (picture().heightPx() + 2 * off.y()) * Screen::twipsPerPixelY());
}

void PictureBox::setBorderStyle(int s) {
    borderStyle_ = s;
    fit();
    // The inner area moved: so did the windowed children.
    for (Control *c : controls())
        if (c->isWindowed()) c->move(c->left(), c->top());
    update();
}

QPoint PictureBox::clientOffsetPx() const {
    return borderStyle_ == 1 ? QPoint(2, 2) : QPoint(0, 0);
}
double PictureBox::scaleWidth() const {
    return std::max(0, rectPx().width() - 2 * clientOffsetPx().x()) * Screen::twipsPerPixelX();
}
double PictureBox::scaleHeight() const {
    return std::max(0, rectPx().height() - 2 * clientOffsetPx().y()) * Screen::twipsPerPixelY();
}

void PictureBox::setFont(const Font &f) {
    font_ = f;
}

// ---------------------------------------------------------------- Frame

Frame::Frame(Container *parent, const QString &name) : Container(parent, name) {
    setWidget(new ContainerWidget(this, parent ? parent->widget() : nullptr));
    setSizeInternal(1215, 1215);
}

void Frame::setCaption(const QString &c) {
    caption_ = c;
    update();
}
void Frame::setBorderStyle(int s) {
    borderStyle_ = s;
    update();
}
void Frame::setFont(const Font &f) {
    font_ = f;
    update();
}

// ---------------------------------------------------------------- TextBox

namespace {
TextBoxWidget *lineEdit(const WindowedControl *c) {
    return static_cast<TextBoxWidget *>(c->widget());
}
} // namespace

TextBox::TextBox(Container *parent, const QString &name) : WindowedControl(parent, name) {
    auto *w = new TextBoxWidget(this, parent ? parent->widget() : nullptr);
    setWidget(w);
    QObject::connect(w, &QLineEdit::textChanged, w, [this](const QString &) { raiseChange(); });
    setSizeInternal(1215, 285);
    applyLook();
}

QString TextBox::text() const {
    return lineEdit(this)->text();
}

void TextBox::setText(const QString &t) {
    if (t == text()) return;
    auto *w = lineEdit(this);
    w->setText(t);
    w->setCursorPosition(0);
}

int TextBox::selStart() const {
    auto *w = lineEdit(this);
    return w->hasSelectedText() ? w->selectionStart() : w->cursorPosition();
}

void TextBox::setSelStart(int pos) {
    if (pos < 0) raise(380);
    auto *w = lineEdit(this);
    w->deselect();
    w->setCursorPosition(std::min<int>(pos, int(w->text().size())));
}

int TextBox::selLength() const {
    return int(lineEdit(this)->selectedText().size());
}

void TextBox::setSelLength(int len) {
    if (len < 0) raise(380);
    auto *w = lineEdit(this);
    const int start = selStart();
    const int n = std::min<int>(len, int(w->text().size()) - start);
    if (n <= 0) {
        w->deselect();
        w->setCursorPosition(start);
    } else {
        w->setSelection(start, n);
    }
}

QString TextBox::selText() const {
    return lineEdit(this)->selectedText();
}

void TextBox::setSelText(const QString &t) {
    auto *w = lineEdit(this);
    const int start = selStart();
    const int len = selLength();
    QString s = w->text();
    s.replace(start, len, t);
    setText(s);
    w->setCursorPosition(start + int(t.size()));
}

bool TextBox::locked() const {
    return lineEdit(this)->isReadOnly();
}
void TextBox::setLocked(bool on) {
    lineEdit(this)->setReadOnly(on);
}

void TextBox::setMaxLength(int n) {
    if (n < 0) raise(380);
    // Only typing is limited (TextBoxWidget); text set by code is kept whole.
    maxLength_ = n;
}

void TextBox::setAlignment(int a) {
    alignment_ = a;
    applyAlignment();
}
void TextBox::setMultiLine(bool on) {
    multiLine_ = on;
    applyAlignment();
}
void TextBox::applyAlignment() {
    lineEdit(this)->setAlignment(qtAlign(alignment_) |
                                 (multiLine_ ? Qt::AlignTop : Qt::AlignVCenter));
}
void TextBox::setBorderStyle(int s) {
    borderStyle_ = s;
    applyLook();
}
void TextBox::setBackColor(Color c) {
    backColor_ = c;
    applyLook();
}
void TextBox::setForeColor(Color c) {
    foreColor_ = c;
    applyLook();
}
void TextBox::setFont(const Font &f) {
    font_ = f;
    applyLook();
}
void TextBox::setFontName(const QString &n) {
    font_.name = n;
    applyLook();
}
void TextBox::setFontSize(double pt) {
    if (pt <= 0) raise(380);
    font_.size = pt;
    applyLook();
}
void TextBox::setFontBold(bool b) {
    font_.bold = b;
    applyLook();
}

void TextBox::applyLook() {
    auto *w = lineEdit(this);
    w->setFont(toQFont(font_));
    w->setFrame(borderStyle_ != 0);
    QPalette pal = w->palette();
    pal.setColor(QPalette::Base, toQColor(backColor_));
    pal.setColor(QPalette::Text, toQColor(foreColor_));
    w->setPalette(pal);
}

void TextBox::setFiltersArrivingText(bool on) {
    filterArriving_ = on;
    lineEdit(this)->setAcceptDrops(!on);
}

void TextBox::insertArriving(const QString &text) {
    lineEdit(this)->insertArriving(text);
}

void TextBox::raiseChange() {
    runHandler([&] {
        if (onChange) onChange();
        if (arrayEvents() && arrayEvents()->onChange) arrayEvents()->onChange(index());
    });
}

// ---------------------------------------------------------------- RichTextBox

RichTextBox::RichTextBox(Container *parent, const QString &name) : WindowedControl(parent, name) {
    auto *w = new RichTextBoxWidget(this, parent ? parent->widget() : nullptr);
    setWidget(w);
    setSizeInternal(2415, 1455);
    applyLook();
}

void RichTextBox::setText(const QString &t) {
    text_ = t;
    QString shown = t;
    // Windows line ends first, so that CR LF makes one break, not two.
    shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    shown.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    static_cast<QTextEdit *>(widget())->setPlainText(shown);
    // A new text comes with plain blocks.
    applyLineSpacing();
}

QString RichTextBox::shownText() const {
    return static_cast<QTextEdit *>(widget())->toPlainText();
}

void RichTextBox::applyLineSpacing() {
    auto *w = static_cast<QTextEdit *>(widget());
    QTextBlockFormat lines;
    lines.setLineHeight(lineSpacingPx(toQFont(font_)), QTextBlockFormat::FixedHeight);
    QTextCursor all(w->document());
    all.select(QTextCursor::Document);
    all.mergeBlockFormat(lines);
}

void RichTextBox::setBorderStyle(int s) {
    borderStyle_ = s;
    applyLook();
}
void RichTextBox::setBackColor(Color c) {
    backColor_ = c;
    applyLook();
}
void RichTextBox::setForeColor(Color c) {
    foreColor_ = c;
    applyLook();
}
void RichTextBox::setFont(const Font &f) {
    font_ = f;
    applyLook();
}
void RichTextBox::setFontName(const QString &n) {
    font_.name = n;
    applyLook();
}
void RichTextBox::setFontSize(double pt) {
    if (pt <= 0) raise(380);
    font_.size = pt;
    applyLook();
}
void RichTextBox::setFontBold(bool b) {
    font_.bold = b;
    applyLook();
}

void RichTextBox::applyLook() {
    auto *w = static_cast<QTextEdit *>(widget());
    w->setFont(toQFont(font_));
    applyLineSpacing();
    w->setFrameShape(borderStyle_ != 0 ? QFrame::StyledPanel : QFrame::NoFrame);
    QPalette pal = w->palette();
    pal.setColor(QPalette::Base, toQColor(backColor_));
    pal.setColor(QPalette::Text, toQColor(foreColor_));
    w->setPalette(pal);
}

// ---------------------------------------------------------------- CheckBox

CheckBox::CheckBox(Container *parent, const QString &name) : WindowedControl(parent, name) {
    auto *w = new CheckBoxWidget(this, parent ? parent->widget() : nullptr);
    setWidget(w);
    // The user's click: the box has already changed its state.
    QObject::connect(w, &QAbstractButton::clicked, w,
                     [this](bool checked) { setValue(checked ? vbChecked : vbUnchecked); });
    setSizeInternal(1215, 255);
    applyLook();
}

void CheckBox::setCaption(const QString &c) {
    caption_ = c;
    static_cast<QCheckBox *>(widget())->setText(displayCaption(c));
}

void CheckBox::setValue(int v) {
    if (v < 0 || v > 2) raise(380);
    auto *w = static_cast<QCheckBox *>(widget());
    const Qt::CheckState st = v == vbChecked  ? Qt::Checked
                              : v == vbGrayed ? Qt::PartiallyChecked
                                              : Qt::Unchecked;
    if (w->checkState() != st) {
        QSignalBlocker block(w);
        w->setCheckState(st);
    }
    if (v == value_) return;
    value_ = v;
    raiseClick();
}

void CheckBox::setBackColor(Color c) {
    backColor_ = c;
    applyLook();
}
void CheckBox::setForeColor(Color c) {
    foreColor_ = c;
    applyLook();
}
void CheckBox::setFont(const Font &f) {
    font_ = f;
    applyLook();
}

void CheckBox::applyLook() {
    auto *w = widget();
    w->setFont(toQFont(font_));
    QPalette pal = w->palette();
    pal.setColor(QPalette::Window, toQColor(backColor_));
    pal.setColor(QPalette::WindowText, toQColor(foreColor_));
    w->setPalette(pal);
    w->setAutoFillBackground(true);
}

// ---------------------------------------------------------------- WebView

WebView::WebView(Container *parent, const QString &name) : WindowedControl(parent, name) {
    setWidget(new WebViewWidget(this, parent ? parent->widget() : nullptr));
    setSizeInternal(4800, 3600);
}

void WebView::navigate(const QString &path) {
    auto *w = static_cast<QTextBrowser *>(widget());
    location_ = platform::resolvePath(path);
    const auto read = platform::readFileBytes(location_, platform::readlimit::kBankText);
    if (!read) {
        w->clear();
        return;
    }
    const QByteArray &bytes = *read;
    // The bank's pages are GBK unless they say (or prove to be) UTF-8.
    QString html;
    const QByteArray head = bytes.left(1024).toLower();
    auto dec = QStringDecoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString utf8 = dec(bytes);
    if (head.contains("utf-8") || (!dec.hasError() && !head.contains("gb")))
        html = utf8;
    else
        html = platform::decodeGbk(bytes);
    w->setSearchPaths({QFileInfo(location_).absolutePath()});
    w->setHtml(html);
}

QString WebView::documentText() const {
    return static_cast<QTextBrowser *>(widget())->toPlainText();
}

QString WebView::resolveRelative(const QString &name) const {
    QString rel = name;
    rel.replace(QLatin1Char('\\'), QLatin1Char('/'));
    if (rel.isEmpty() || QDir::isAbsolutePath(rel) || location_.isEmpty()) return QString();
    return platform::resolvePath(QFileInfo(location_).absolutePath() + QLatin1Char('/') + rel);
}

void WebView::followLink(const QUrl &link) {
    const QString scheme = link.scheme().toLower();
    if (scheme == QLatin1String("http") || scheme == QLatin1String("https")) {
        platform::shell().open(link.toString());
        return;
    }
    if (!scheme.isEmpty()) return;
    auto *w = static_cast<QTextBrowser *>(widget());
    const QString page = link.path(QUrl::FullyDecoded);
    if (page.isEmpty()) {
        if (link.hasFragment()) w->scrollToAnchor(link.fragment(QUrl::FullyDecoded));
        return;
    }
    const QString file = resolveRelative(page);
    if (file.isEmpty() || !QFileInfo(file).isFile()) return;
    navigate(file);
    if (link.hasFragment()) w->scrollToAnchor(link.fragment(QUrl::FullyDecoded));
}

// ---------------------------------------------------------------- UserControl

UserControl::UserControl(Container *parent, const QString &name) : Container(parent, name) {
    setWidget(new ContainerWidget(this, parent ? parent->widget() : nullptr));
    setSizeInternal(1215, 495);
}

bool UserControl::pointerOver() const {
    for (Control *c = Router::instance().hover(); c; c = c->container())
        if (c == this) return true;
    return false;
}

void UserControl::userMouseDown(int, int, double, double) {}
void UserControl::userMouseMove(int, int, double, double) {}
void UserControl::userMouseUp(int, int, double, double) {}
void UserControl::userResize() {}

void UserControl::geometryChanged() {
    Container::geometryChanged();
    runHandler([&] { userResize(); });
}

} // namespace forms
