#pragma once
// The Windows 7 chrome the sample's pictures share: the caption buttons of
// a window and the shadow it casts, its menu row, the address row of an
// Explorer window (back and forward, the path, the search box), the taskbar
// with its start orb, pinned programs and clock, a grid of large icons for
// a window's content with the look of a selected item, and a check box.
#include "sample_icons.h"
#include "sample_pictures.h"

#include <QImage>
#include <QList>
#include <QPoint>
#include <QRect>
#include <QSize>
#include <QString>
#include <QStringList>

class QPainter;

namespace sample {

// Minimise, maximise and close at the top-right corner of a window
// `width` pixels wide, with their symbols; a dialog's close button alone.
void drawCaptionButtons(QPainter &p, int width, WindowKind kind = WindowKind::Window);

// The shadow a window casts down and to the right of `window` on what lies
// under it: a dialog's over its own window lies closer and is deeper.
void drawShadow(QPainter &p, const QRect &window, WindowKind kind);

// A window or a dialog laid over a scene at `at`: its shadow, its frame
// with the title and the dark line round it; a dialog's face filled in its
// colour inside the frame.
void drawWindowOver(QPainter &p, const QRect &at, const QString &title, WindowKind kind);
void drawDialog(QPainter &p, const QRect &dialog, const QString &title, const QColor &face);

// A push button of a dialog: grey, rounded, its label in the middle.
void drawDialogButton(QPainter &p, const QRect &r, const QString &label);

// The menu row of a window at the picture's left edge, filling `row`: the
// menus' names 58 pixels wide and 60 apart from 12 pixels in.
void drawMenuRow(QPainter &p, const QRect &row, const QStringList &menus);

// The address row of an Explorer window `width` pixels wide, under its
// title bar (26 pixels high, from 30): back and forward, the path's parts
// with "▸" between them, refresh and the search box.
void drawAddressRow(QPainter &p, int width, const QStringList &path);
// Where that row draws part `index` of the path (pixels of the window), for
// a step whose target is a part of the path; empty for an index it lacks.
QRect addressPartPlace(int width, const QStringList &path, int index);

// The taskbar in bar (40 pixels high): the start orb at its left end, the
// pinned Internet Explorer, Windows Explorer and Media Player, the clock.
void drawTaskbar(QPainter &p, const QRect &bar);

// What an Explorer window shows under its title bar: its address row
// (26 pixels high, from 30) showing the path, or, in the windows steps show
// with the tool strip, nothing but the glass frame down to the strip,
// which holds the window's address field and search box itself.
enum class ExplorerTop { AddressRow, ToolStrip };

// An Explorer window as large as the picture (see windowPicture).
QImage explorerWindowPicture(QSize size, const QString &title, const QStringList &path,
                             bool withTaskbar = false, ExplorerTop top = ExplorerTop::AddressRow);

// The light blue a selected file or folder stands on, filling r with its
// line drawn round it.
void drawSelection(QPainter &p, const QRect &r);

// A check box 13 pixels square, ticked or not; a round option button,
// chosen or not.
void drawCheckBox(QPainter &p, const QRect &box, bool checked, bool round = false);

// Icons with their names under them, in rows from `origin`: large ones
// (56 pixels), or medium ones (32 pixels) in a closer grid. A selected item
// stands on the light blue of a selection.
struct GridItem {
    Icon icon;
    QString name;
    bool selected = false;
};
enum class IconSize { Large, Medium };
void drawIconGrid(QPainter &p, QPoint origin, int perRow, const QList<GridItem> &items,
                  IconSize size = IconSize::Large);
// The place of item `index` (from 0) of such a grid, its icon and its name.
QRect iconGridPlace(QPoint origin, int perRow, int index, IconSize size = IconSize::Large);

} // namespace sample
