#include "sample_paint.h"

#include "sample_pictures.h"

#include <QPainter>
#include <QPainterPath>
#include <array>

namespace sample {

namespace {

const QColor kInk(0x20, 0x20, 0x20);
const QColor kFace(0xf0, 0xf0, 0xf0);

// Each drawing keeps to the 16-pixel square `g` inside its button.
using ToolDrawing = void (*)(QPainter &, const QRectF &g);

void dashed(QPainter &p) {
    QPen pen(kInk, 1, Qt::DashLine);
    pen.setDashPattern({2, 2});
    p.setPen(pen);
    p.setBrush(Qt::NoBrush);
}

void freeFormSelect(QPainter &p, const QRectF &g) {
    dashed(p);
    QPainterPath star;
    star.moveTo(g.left() + 2, g.top() + 6);
    star.lineTo(g.left() + 8, g.top() + 1);
    star.lineTo(g.right() - 1, g.top() + 5);
    star.lineTo(g.right() - 4, g.bottom() - 1);
    star.lineTo(g.left() + 4, g.bottom() - 3);
    star.closeSubpath();
    p.drawPath(star);
}

void select(QPainter &p, const QRectF &g) {
    dashed(p);
    p.drawRect(g.adjusted(1, 2, -1, -2));
}

void eraser(QPainter &p, const QRectF &g) {
    p.setPen(kInk);
    p.setBrush(QColor(0xf2, 0xa0, 0xb0));
    QPolygonF block({g.topLeft() + QPointF(2, 9), g.topLeft() + QPointF(9, 2),
                     g.topLeft() + QPointF(15, 8), g.topLeft() + QPointF(8, 15)});
    p.drawPolygon(block);
    p.setBrush(Qt::white);
    p.drawPolygon(QPolygonF(
        {block[0], block[1], g.topLeft() + QPointF(12, 5), g.topLeft() + QPointF(5, 12)}));
}

void fill(QPainter &p, const QRectF &g) {
    // The tipped bucket and the paint running from its lip.
    p.setPen(kInk);
    p.setBrush(QColor(0xd0, 0xd0, 0xd0));
    p.drawPolygon(QPolygonF({g.topLeft() + QPointF(2, 7), g.topLeft() + QPointF(8, 1),
                             g.topLeft() + QPointF(14, 7), g.topLeft() + QPointF(8, 13)}));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x20, 0x60, 0xd0));
    p.drawEllipse(QRectF(g.left() + 11, g.top() + 9, 4, 6));
}

void picker(QPainter &p, const QRectF &g) {
    p.setPen(QPen(kInk, 2));
    p.drawLine(g.bottomLeft() + QPointF(2, -2), g.topRight() + QPointF(-5, 5));
    p.setPen(kInk);
    p.setBrush(kInk);
    p.drawEllipse(QRectF(g.right() - 6, g.top() + 1, 5, 5));
}

void magnifier(QPainter &p, const QRectF &g) {
    p.setPen(QPen(kInk, 1.5));
    p.setBrush(QColor(0xc8, 0xe4, 0xff));
    p.drawEllipse(QRectF(g.left() + 1, g.top() + 1, 9, 9));
    p.setPen(QPen(kInk, 3));
    p.drawLine(g.topLeft() + QPointF(9, 9), g.bottomRight() + QPointF(-1, -1));
}

void pencil(QPainter &p, const QRectF &g) {
    p.setPen(kInk);
    p.setBrush(QColor(0xf4, 0xc8, 0x30));
    p.drawPolygon(QPolygonF({g.topLeft() + QPointF(4, 14), g.topLeft() + QPointF(13, 5),
                             g.topLeft() + QPointF(15, 7), g.topLeft() + QPointF(6, 16)}));
    p.setBrush(kInk);
    p.drawPolygon(QPolygonF({g.topLeft() + QPointF(1, 16), g.topLeft() + QPointF(4, 14),
                             g.topLeft() + QPointF(6, 16)}));
}

void brush(QPainter &p, const QRectF &g) {
    p.setPen(QPen(QColor(0x8a, 0x5a, 0x2a), 2));
    p.drawLine(g.topRight() + QPointF(-1, 1), g.topLeft() + QPointF(7, 9));
    p.setPen(Qt::NoPen);
    p.setBrush(kInk);
    p.drawEllipse(QRectF(g.left() + 1, g.top() + 8, 7, 7));
}

void airbrush(QPainter &p, const QRectF &g) {
    p.setPen(kInk);
    p.setBrush(QColor(0x90, 0x90, 0xa0));
    p.drawRect(QRectF(g.left() + 8, g.top() + 5, 6, 10));
    p.drawRect(QRectF(g.left() + 10, g.top() + 2, 2, 3));
    p.setPen(kInk);
    for (const QPointF d : {QPointF(2, 3), QPointF(5, 1), QPointF(1, 7), QPointF(4, 5),
                            QPointF(6, 8), QPointF(2, 11)})
        p.drawPoint(g.topLeft() + d);
}

void textTool(QPainter &p, const QRectF &g) {
    p.setFont(uiFont(15, true));
    p.setPen(kInk);
    p.drawText(g, Qt::AlignCenter, QStringLiteral("A"));
}

void line(QPainter &p, const QRectF &g) {
    p.setPen(QPen(kInk, 1.5));
    p.drawLine(g.topLeft() + QPointF(1, 1), g.bottomRight() - QPointF(1, 1));
}

void curve(QPainter &p, const QRectF &g) {
    p.setPen(QPen(kInk, 1.5));
    p.setBrush(Qt::NoBrush);
    QPainterPath s;
    s.moveTo(g.left() + 1, g.bottom() - 2);
    s.cubicTo(g.left() + 3, g.top() - 4, g.right() - 3, g.bottom() + 4, g.right() - 1, g.top() + 2);
    p.drawPath(s);
}

void outline(QPainter &p) {
    p.setPen(QPen(kInk, 1.2));
    p.setBrush(Qt::NoBrush);
}

void rectangle(QPainter &p, const QRectF &g) {
    outline(p);
    p.drawRect(g.adjusted(1, 3, -1, -3));
}

void polygon(QPainter &p, const QRectF &g) {
    outline(p);
    p.drawPolygon(QPolygonF({g.topLeft() + QPointF(1, 6), g.topLeft() + QPointF(8, 1),
                             g.topLeft() + QPointF(15, 5), g.topLeft() + QPointF(12, 14),
                             g.topLeft() + QPointF(6, 11), g.topLeft() + QPointF(2, 14)}));
}

void ellipse(QPainter &p, const QRectF &g) {
    outline(p);
    p.drawEllipse(g.adjusted(1, 3, -1, -3));
}

void roundedRectangle(QPainter &p, const QRectF &g) {
    outline(p);
    p.drawRoundedRect(g.adjusted(1, 3, -1, -3), 4, 4);
}

// In the order of 画图's tool box, row by row.
constexpr std::array<ToolDrawing, PaintToolCount> kTools = {
    freeFormSelect, select,   eraser, fill,  picker,    magnifier, pencil,  brush,
    airbrush,       textTool, line,   curve, rectangle, polygon,   ellipse, roundedRectangle};
constexpr int kPencil = 6;

void toolButton(QPainter &p, const QRect &r, bool pressed) {
    p.setPen(pressed ? QColor(0x80, 0x80, 0x80) : QColor(0xc8, 0xc8, 0xc8));
    p.setBrush(pressed ? QColor(0xe2, 0xe2, 0xe2) : QColor(0xf8, 0xf8, 0xf8));
    p.drawRect(r.adjusted(0, 0, -1, -1));
}

} // namespace

QRect paintToolButton(const QRect &column, int index) {
    return QRect(column.topLeft() + QPoint(3 + 25 * (index % 2), 8 + 25 * (index / 2)),
                 QSize(22, 22));
}

void drawPaintToolBox(QPainter &p, const QRect &column) {
    p.save();
    p.fillRect(column, kFace);
    for (int i = 0; i < PaintToolCount; ++i) {
        const QRect r = paintToolButton(column, i);
        toolButton(p, r, i == kPencil);
        p.save();
        p.setRenderHint(QPainter::Antialiasing);
        kTools[size_t(i)](p, QRectF(r).adjusted(3, 3, -3, -3));
        p.restore();
    }
    p.restore();
}

} // namespace sample
