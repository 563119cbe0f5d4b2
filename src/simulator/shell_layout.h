#pragma once
// The layout routines of the simulated shell, on plain arrays of
// rectangles: a window copies its labels' rectangles in, lets a routine
// move them as the tables say, and copies them back. Each routine changes
// only what its table sets, so a value a layout leaves alone (a Height the
// command bars never set, the Tops of a task-pane variant without rows)
// carries over from the previous step exactly as it would on the labels.
#include "simulator/shell_tables.h"

#include <QStringView>
#include <array>
#include <optional>

namespace shell {

// Hot spots 1..99 by index; [0] is not used.
using SpotRects = std::array<Rect, LastHotSpot + 1>;
// Panel items 1..44 by index; [0] is not used.
using ItemRects = std::array<Rect, PanelItemCount + 1>;

// A table item's rectangle at `s`, each side scaled on its own.
Rect scaled(const PlacedItem &p, Scale s);

struct Point {
    double x = 0;
    double y = 0;
    friend bool operator==(const Point &, const Point &) = default;
};

// Error numbers a layout routine can end with; its caller skips the call.
inline constexpr int NoError = 0;
inline constexpr int OverflowError = 6;
inline constexpr int SubscriptError = 9;

// Stacks items 1..n of a panel from a group string (the level-1 and
// level-2 stacking are the same routine). The tops are summed in whole
// twips, halves to the even neighbour, so rounding accumulates at scales
// other than 1. There are tops for 20 items: a 21st item lands at Top 0
// and a 22nd ends the routine with SubscriptError after its Left is set;
// items already placed stay. A top beyond a 16-bit integer ends it with
// OverflowError. Returns NoError otherwise.
int stackItems(ItemRects &items, QStringView groups, int32_t dWith, int16_t dHeight, int16_t dLeft,
               int16_t dTop, int16_t dJianju, Scale scale);
int stackItems(ItemRects &items, const GroupLayout &column, Scale scale);

// Puts every item 1..44 into the parked state (unscaled).
void parkItems(ItemRects &items);

// Lays out a level-1 panel for `hitCode`: parks all 44 items, then applies
// the row of the level-1 table. A stacking error is returned, but the
// items the row places afterwards are placed all the same.
int layoutLevel1(ItemRects &items, QStringView hitCode, Scale scale);
// Applies one row to already parked items (the demonstration offsets the
// result by its panel position afterwards).
int applyMenu1JRow(ItemRects &items, const Menu1JRow &row, Scale scale);

// Lays out a level-2 panel: parks all 44 items, then stacks the row of
// `subMenuId`; an id without a row leaves them parked.
int layoutLevel2(ItemRects &items, QStringView subMenuId, Scale scale);

// The nine rows of the level-3 list, inside the list picture (the
// demonstration's rows are narrower).
std::array<Rect, Level3RowCount + 1> level3Rows(Scale scale, int rowWidth = Level3Width);

// The level-1 item a "D" entry asks to show highlighted in advance, with
// the picture it shows there. Only an entry of kind "D" for the open
// panel counts, and only when its item number names an item (1..44): an
// entry naming no item shows nothing rather than a stray picture.
struct PreHighlight {
    int item;
    QString picture; // without folder and ".mxy"
};
std::optional<PreHighlight> preHighlight(QStringView entry, QStringView hitCode);

// ---- Hot-spot regions ----------------------------------------------------

// The fixed spots laid out once when the screen is set up: 11..23, 61..91
// and 93..99, in the order the window has always set them.
void layoutFixedSpots(SpotRects &spots, Scale scale);

// Where the bar goes: (0, 840) unless the step gives a place.
Point menuBarPlace(std::optional<Point> stepPlace, Scale scale);
// Spots 1..10 for bar `letter`; a letter without a row changes nothing.
void layoutMenuBar(SpotRects &spots, QChar letter, Scale scale);

// The task-pane variant of the pane flags (column 7 read as a digit, / 2).
int taskPaneVariant(QChar paneFlags);
// Spots 24..40 for `variant`; variants without rows keep their Tops.
void layoutTaskPane(SpotRects &spots, int variant, Scale scale);

// The Control Panel view number: a digit's value, anything else 0.
int ctrlPanelView(QChar viewVariant);
// Spots 41..60 for `view`: all parked first, then the view's spots.
void layoutCtrlPanel(SpotRects &spots, int view, Scale scale);

// ---- Context panels ------------------------------------------------------

// How each region's context panel is opened: its code, where the panel's
// corner starts, and which edges flip or pin it.
enum class ContextRegion { Desktop, Computer, ToolStrip, StartButton };
struct ContextPanelRule {
    ContextRegion region;
    const char *code;
    bool rightButtonOnly; // else every button but the left
    bool flipAtRightEdge; // room to the right tested against the window
    enum class Below { NotTested, RegionHeight, WindowHeight } below;
    bool pinTopAtZero;    // a Top above the screen becomes 0
    bool parkFramesFirst; // ShapeCSH before anything else
};
const ContextPanelRule &contextPanelRule(ContextRegion region);

// What the handler knows when it places the panel.
struct ContextPanelInput {
    Point pointer;       // X, Y of the event, in the region's coordinates
    Point regionOrigin;  // Left, Top of the region picture in the window
    double regionHeight; // height of the region picture
    double windowWidth;
    double windowHeight;
    double panelWidth; // the panel takes the size of its picture
    double panelHeight;
    // The demonstration's scripted click opens the panel at a spot's
    // centre: it flips only when the corner lies beyond the room left (not
    // at its edge) and never pins the Top.
    bool flipOnlyBeyond = false;
};
// The panel's Left and Top in window twips.
Point placeContextPanel(ContextRegion region, const ContextPanelInput &in, Scale scale);

} // namespace shell
