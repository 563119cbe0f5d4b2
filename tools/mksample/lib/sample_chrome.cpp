#include "sample_chrome.h"

#include "sample_pictures.h"
#include "simulator/shell_tables.h"

#include <QFontMetrics>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

namespace sample {

namespace {

void captionButton(QPainter &p, const QRect &r, bool close) {
    QLinearGradient g(r.topLeft(), r.bottomLeft());
    g.setColorAt(0, close ? QColor(0xe8, 0xa0, 0x90) : QColor(0xe4, 0xee, 0xf8));
    g.setColorAt(0.5, close ? QColor(0xc7, 0x50, 0x50) : QColor(0xc4, 0xd6, 0xea));
    g.setColorAt(1, close ? QColor(0xd0, 0x70, 0x60) : QColor(0xd6, 0xe4, 0xf2));
    p.setBrush(g);
    p.setPen(QColor(0x50, 0x60, 0x78));
    p.drawRoundedRect(QRectF(r).adjusted(0.5, 0.5, -0.5, -0.5), 3, 3);
}

// A round back or forward button with its arrow.
void navButton(QPainter &p, const QPointF &centre, bool back) {
    QRadialGradient g(centre - QPointF(3, 3), 12);
    g.setColorAt(0, QColor(0x9c, 0xc8, 0xf0));
    g.setColorAt(1, QColor(0x2c, 0x68, 0xb0));
    p.setBrush(g);
    p.setPen(QPen(QColor(0x20, 0x40, 0x70), 1));
    p.drawEllipse(centre, 10, 10);
    QPainterPath arrow;
    const double d = back ? -1 : 1;
    arrow.moveTo(centre + QPointF(5 * d, 0));
    arrow.lineTo(centre + QPointF(-1 * d, -5));
    arrow.lineTo(centre + QPointF(-1 * d, -2));
    arrow.lineTo(centre + QPointF(-5 * d, -2));
    arrow.lineTo(centre + QPointF(-5 * d, 2));
    arrow.lineTo(centre + QPointF(-1 * d, 2));
    arrow.lineTo(centre + QPointF(-1 * d, 5));
    arrow.closeSubpath();
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::white);
    p.drawPath(arrow);
}

void field(QPainter &p, const QRect &r) {
    p.setBrush(Qt::white);
    p.setPen(QColor(0x8e, 0xa4, 0xc1));
    p.drawRect(QRectF(r).adjusted(0.5, 0.5, -0.5, -0.5));
}

} // namespace

void drawCaptionButtons(QPainter &p, int width, WindowKind kind) {
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    if (kind == WindowKind::Window) {
        const QRect min(width - 104, 1, 27, 19), max(width - 77, 1, 27, 19);
        captionButton(p, min, false);
        captionButton(p, max, false);
        p.setRenderHint(QPainter::Antialiasing, false);
        p.setPen(QPen(QColor(0x20, 0x28, 0x38), 2));
        p.drawLine(min.left() + 9, min.top() + 13, min.right() - 8, min.top() + 13);
        p.setBrush(Qt::NoBrush);
        p.drawRect(max.adjusted(9, 5, -9, -6));
        p.setRenderHint(QPainter::Antialiasing);
    }
    const QRect close(width - 50, 1, 45, 19);
    captionButton(p, close, true);
    p.setPen(QPen(Qt::white, 2));
    const QPoint c = close.center();
    p.drawLine(c + QPoint(-5, -4), c + QPoint(5, 5));
    p.drawLine(c + QPoint(-5, 5), c + QPoint(5, -4));
    p.restore();
}

void drawShadow(QPainter &p, const QRect &window, WindowKind kind) {
    const int offset = kind == WindowKind::Dialog ? 4 : 5;
    p.fillRect(window.translated(offset, offset),
               QColor(0, 0, 0, kind == WindowKind::Dialog ? 60 : 50));
}

void drawWindowOver(QPainter &p, const QRect &at, const QString &title, WindowKind kind) {
    drawShadow(p, at, kind);
    p.drawImage(at.topLeft(), windowPicture(at.size(), title, false, kind));
    p.setPen(QColor(0x55, 0x6e, 0x8c));
    p.setBrush(Qt::NoBrush);
    p.drawRect(at.adjusted(0, 0, -1, -1));
}

void drawDialog(QPainter &p, const QRect &dialog, const QString &title, const QColor &face) {
    drawWindowOver(p, dialog, title, WindowKind::Dialog);
    p.fillRect(dialog.adjusted(6, 36, -6, -6), face);
}

void drawDialogButton(QPainter &p, const QRect &r, const QString &label) {
    QLinearGradient g(r.topLeft(), r.bottomLeft());
    g.setColorAt(0, QColor(0xf2, 0xf2, 0xf2));
    g.setColorAt(1, QColor(0xdd, 0xdd, 0xdd));
    p.setPen(QColor(0x70, 0x70, 0x70));
    p.setBrush(g);
    p.drawRoundedRect(r.adjusted(0, 0, -1, -1), 3, 3);
    p.setPen(Qt::black);
    p.setFont(uiFont(12));
    p.drawText(r, Qt::AlignCenter, label);
}

void drawMenuRow(QPainter &p, const QRect &row, const QStringList &menus) {
    p.fillRect(row, QColor(0xf5, 0xf6, 0xf7));
    p.setPen(Qt::black);
    p.setFont(uiFont(12));
    for (int i = 0; i < menus.size(); ++i)
        p.drawText(QRect(12 + 60 * i, row.top(), 58, row.height()), Qt::AlignCenter, menus[i]);
}

namespace {

// The address field of an address row, right of back and forward and left
// of refresh and the search box.
QRect addressField(int width) {
    const int searchWidth = std::min(200, width / 4);
    return QRect(62, 32, width - 62 - searchWidth - 44, 22);
}

} // namespace

QRect addressPartPlace(int width, const QStringList &path, int index) {
    const QRect address = addressField(width);
    const QFontMetrics m(uiFont(12));
    int x = address.left() + 26;
    for (int i = 0; i < path.size(); ++i) {
        x += 16; // the "▸" before the part
        const int w = m.horizontalAdvance(path[i]);
        if (i == index) return QRect(x, address.top(), w + 2, address.height());
        x += w + 6;
    }
    return QRect();
}

void drawAddressRow(QPainter &p, int width, const QStringList &path) {
    const int top = 30;
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient g(0, top, 0, top + 26);
    g.setColorAt(0, QColor(0xdb, 0xe8, 0xf6));
    g.setColorAt(1, QColor(0xc8, 0xda, 0xee));
    p.fillRect(QRect(6, top, width - 12, 26), g);
    navButton(p, QPointF(20, top + 13), true);
    navButton(p, QPointF(44, top + 13), false);
    const int searchWidth = std::min(200, width / 4);
    const QRect address = addressField(width);
    field(p, address);
    drawIcon(p, QRect(address.left() + 3, address.top() + 2, 18, 18),
             path.isEmpty() ? Icon::Folder : iconFor(path.front()));
    p.setFont(uiFont(12));
    for (int i = 0; i < path.size(); ++i) {
        const QRect part = addressPartPlace(width, path, i);
        p.setPen(QColor(0x40, 0x40, 0x40));
        p.drawText(QRect(part.left() - 16, address.top(), 14, address.height()), Qt::AlignCenter,
                   QStringLiteral("▸"));
        p.setPen(Qt::black);
        p.drawText(part, Qt::AlignVCenter, path[i]);
    }
    // Refresh, then the search box.
    p.setPen(QColor(0x30, 0x50, 0x80));
    p.drawText(QRect(address.right() + 4, address.top(), 20, address.height()), Qt::AlignCenter,
               QStringLiteral("⟳"));
    const QRect search(width - 6 - searchWidth - 8, top + 2, searchWidth, 22);
    field(p, search);
    p.setPen(QColor(0x8a, 0x8a, 0x8a));
    p.drawText(search.adjusted(6, 0, -22, 0), Qt::AlignVCenter,
               QStringLiteral("搜索 ") + (path.isEmpty() ? QString() : path.back()));
    p.drawText(search.adjusted(search.width() - 20, 0, 0, 0), Qt::AlignCenter, QStringLiteral("⚲"));
    p.restore();
}

void drawTaskbar(QPainter &p, const QRect &bar) {
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient glass(bar.topLeft(), bar.bottomLeft());
    glass.setColorAt(0, QColor(0x3a, 0x56, 0x72));
    glass.setColorAt(0.5, QColor(0x1e, 0x30, 0x44));
    glass.setColorAt(1, QColor(0x16, 0x24, 0x34));
    p.fillRect(bar, glass);
    // The light line along the bar's top edge stays in the bar's first row
    // of pixels: smoothed on the edge itself it would tint the row above,
    // which belongs to the desktop picture the screen lays over it.
    p.setPen(QColor(255, 255, 255, 90));
    p.drawLine(QPointF(bar.left(), bar.top() + 0.5), QPointF(bar.right() + 1, bar.top() + 0.5));
    const QPointF orbAt(bar.left() + 30, bar.top() + 20);
    QRadialGradient orb(orbAt, 19);
    orb.setColorAt(0, QColor(0x8c, 0xd0, 0xff));
    orb.setColorAt(0.7, QColor(0x1d, 0x6f, 0xc8));
    orb.setColorAt(1, QColor(0x0c, 0x34, 0x6a));
    p.setBrush(orb);
    p.setPen(QPen(QColor(0x0a, 0x20, 0x40), 1));
    p.drawEllipse(orbAt, 18, 18);
    const QColor flag[] = {QColor(0xf2, 0x50, 0x22), QColor(0x7f, 0xba, 0x00),
                           QColor(0x00, 0xa4, 0xef), QColor(0xff, 0xb9, 0x00)};
    for (int i = 0; i < 4; ++i) {
        p.setPen(Qt::NoPen);
        p.setBrush(flag[i]);
        p.drawRect(QRectF(orbAt.x() - 9 + 9.5 * (i % 2), orbAt.y() - 9 + 9.5 * (i / 2), 8, 8));
    }
    const Icon pinned[] = {Icon::Network, Icon::Folder, Icon::MediaPlayer};
    for (int i = 0; i < 3; ++i)
        drawIcon(p, QRect(bar.left() + 72 + 56 * i, bar.top() + 4, 32, 32), pinned[i]);
    p.setFont(uiFont(12));
    p.setPen(Qt::white);
    p.drawText(QRect(bar.right() - 83, bar.top() + 2, 80, 18), Qt::AlignCenter,
               QStringLiteral("9:05"));
    p.drawText(QRect(bar.right() - 83, bar.top() + 20, 80, 18), Qt::AlignCenter,
               QStringLiteral("2015/3/7"));
    p.restore();
}

QImage explorerWindowPicture(QSize size, const QString &title, const QStringList &path,
                             bool withTaskbar, ExplorerTop top) {
    QImage img = windowPicture(size, title, withTaskbar);
    QPainter p(&img);
    if (top == ExplorerTop::ToolStrip) {
        // The title bar's glass goes on down to the strip, so that no part
        // of the window shows between them.
        const int stripTop = int(shell::ToolStripPlace.top / 15);
        QLinearGradient glass(0, 30, 0, stripTop);
        glass.setColorAt(0, QColor(153, 180, 209));
        glass.setColorAt(1, QColor(185, 209, 234));
        p.fillRect(QRect(0, 30, size.width(), stripTop - 30), glass);
    } else {
        drawAddressRow(p, size.width(), path);
    }
    return img;
}

void drawSelection(QPainter &p, const QRect &r) {
    p.setPen(QColor(0x99, 0xd1, 0xff));
    p.setBrush(QColor(0xcc, 0xe8, 0xff));
    p.drawRect(r);
}

void drawCheckBox(QPainter &p, const QRect &box, bool checked, bool round) {
    p.setPen(QColor(0x8e, 0x8f, 0x8f));
    p.setBrush(Qt::white);
    if (round)
        p.drawEllipse(box);
    else
        p.drawRect(box);
    p.setPen(Qt::black);
    if (checked && round) {
        p.setBrush(QColor(0x2a, 0x5a, 0x9e));
        p.drawEllipse(box.adjusted(3, 3, -3, -3));
    } else if (checked) {
        p.drawLine(box.left() + 3, box.top() + 6, box.left() + 5, box.top() + 9);
        p.drawLine(box.left() + 5, box.top() + 9, box.left() + 10, box.top() + 3);
    }
}

QRect iconGridPlace(QPoint origin, int perRow, int index, IconSize size) {
    const QSize cell = size == IconSize::Large ? QSize(100, 96) : QSize(84, 70);
    return QRect(origin + QPoint(cell.width() * (index % perRow), cell.height() * (index / perRow)),
                 cell - QSize(0, 6));
}

void drawIconGrid(QPainter &p, QPoint origin, int perRow, const QList<GridItem> &items,
                  IconSize size) {
    const int icon = size == IconSize::Large ? 56 : 32;
    p.save();
    p.setFont(uiFont(12));
    for (int i = 0; i < items.size(); ++i) {
        const QRect at = iconGridPlace(origin, perRow, i, size);
        if (items[i].selected) drawSelection(p, at.adjusted(4, -2, -5, 0));
        drawIcon(p, QRect(at.center().x() - icon / 2, at.y(), icon, icon), items[i].icon);
        p.setPen(Qt::black);
        p.drawText(QRect(at.x(), at.y() + icon + 2, at.width(), 32),
                   Qt::AlignHCenter | Qt::AlignTop | Qt::TextWordWrap, items[i].name);
    }
    p.restore();
}

} // namespace sample
