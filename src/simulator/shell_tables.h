#pragma once
// The layout tables of the simulated shell: the fixed regions and hot
// spots, the command and menu bars, the task pane, the Control Panel views
// and the level-1 and level-2 drop-down panels. Every value is in design
// twips (15 per pixel of the 1024 x 600 screen); the layout routines of
// shell_layout.h scale them. Nothing here knows a window, so the simulated
// screen and the demonstration read the same rows.
#include "simulator/shell_spots.h"

#include <QString>
#include <QStringView>
#include <array>
#include <cstdint>
#include <string_view>
#include <vector>

namespace shell {

// ---- Group strings ------------------------------------------------------

// The digit alphabet of group strings: a character's 1-based position is
// the number of items in its group; any other character counts 0.
inline constexpr std::string_view GroupDigits = "123456789ABCDEFGHIJKLMNOP";
int groupSize(QChar c);

// One stacked column of panel items: a group string and the five design
// dimensions (item width and height, left edge, first top, gap after each
// group). The integer widths match what the stacking routine takes.
struct GroupLayout {
    std::string_view groups;
    int32_t dWith;
    int16_t dHeight;
    int16_t dLeft;
    int16_t dTop;
    int16_t dJianju;
};

// An item given its rectangle outright (design twips).
struct PlacedItem {
    int item;
    int left;
    int top;
    int width;
    int height;
};

// Items first..last at Top = base * ScaleY + (i - first) * step * ScaleY:
// each product is scaled on its own and the sum is not cut to whole twips.
struct TopRun {
    int first;
    int last;
    int base;
    int step;
};

// ---- Level-1 panels ------------------------------------------------------

struct Menu1JRow {
    enum class Kind {
        Stacked,   // column, then `placed` items again by their own rectangles
        Placed,    // `placed` items only
        Looped,    // items share loopLeft/Width/Height, tops from `runs`
        StartMenu, // every code from rangeLow to rangeHigh: startMenuPanelTable()
    };
    Kind kind = Kind::Stacked;
    std::vector<std::string_view> keys; // exact, case-sensitive codes
    GroupLayout column{};
    std::vector<PlacedItem> placed;
    int loopLeft = 0;
    int loopWidth = 0;
    int loopHeight = 0;
    std::vector<TopRun> runs;
    std::string_view rangeLow;
    std::string_view rangeHigh;

    bool holds(QStringView code) const;
};

// The level-1 table in its row order; key sets do not overlap.
const std::vector<Menu1JRow> &menu1JTable();
// The three start-menu panels inside the start-menu range row, tried in
// the order "84", "80", "82".
const std::vector<Menu1JRow> &startMenuPanelTable();
// The row that lays out the panel of `hitCode`, descending into the
// start-menu range; nullptr when no row (or no panel of the range) has it.
const Menu1JRow *findMenu1JRow(QStringView hitCode);

// ---- Level-2 panels ------------------------------------------------------

struct Menu2JRow {
    std::vector<std::string_view> ids;
    GroupLayout column;
};

// The level-2 table, 39 rows in order; the first row holding an id wins.
const std::vector<Menu2JRow> &menu2JTable();
const Menu2JRow *findMenu2JRow(QStringView subMenuId);

// The ids of the level-1 items that open a level-2 panel, each followed by
// "-"; a substring search for a four-character id decides.
extern const char *const SubMenuIds;
bool ownsLevel2Panel(QStringView subMenuId);
// The panel code followed by the level-1 item in two digits ("A1", 7 -> "A107").
QString subMenuId(QStringView hitCode, int sel1J);
// The picture of a level-2 panel without folder and extension: id & "77",
// except the drive panels that share one picture.
QString level2PictureName(QStringView subMenuId);

// ---- Command and menu bars ----------------------------------------------

// Command bars "A" to "D": Top 60 for every spot, Left and Width per spot,
// Height not set. Menu bars "G" and "H": spot n at base + 2100 (n - 1),
// common Top, Width and Height, then the menus at fixed Lefts.
struct MenuBarRow {
    char letter = 0;
    bool commandBar = false;
    std::array<int, 10> lefts{};  // command bar
    std::array<int, 10> widths{}; // command bar
    int top = 0;
    int baseLeft = 0; // menu bar
    int step = 0;
    int width = 0;
    int height = 0;
    std::vector<std::pair<int, int>> fixedLefts; // spot, Left
};
// Rows in the order the letter is compared: "A", "B", "C", "D", "G", "H".
const std::vector<MenuBarRow> &menuBarTable();
const MenuBarRow *findMenuBarRow(QChar letter);

// The bar's default place: Left 0 (unscaled), Top 840.
inline constexpr int MenuBarDefaultTop = 840;

// ---- Task pane -----------------------------------------------------------

inline constexpr int TaskPaneLeft = 15;
inline constexpr int TaskPaneWidth = 2085;
inline constexpr int TaskPaneRowHeight = 345;
// Tops of spots 24..40 for variants 1, 2 and 3.
const std::array<std::array<int, 17>, 3> &taskPaneTops();

// ---- Control Panel -------------------------------------------------------

inline constexpr int CtrlPanelTop = 840;
inline constexpr PlacedItem CtrlPanelParked{0, -30, -30, 15, 15};
// View 0: spots 41..48; the spare spots 49..60 go to (-375, -1935) with
// Height 330 and keep Width 15.
const std::array<PlacedItem, 8> &ctrlPanelView0();
inline constexpr int CtrlPanelView0SpareLeft = -375;
inline constexpr int CtrlPanelView0SpareTop = -1935;
inline constexpr int CtrlPanelView0SpareHeight = 330;
// View 1: spots 41..48 (links), then rows 51..57 at Top 285 + (spot - 51) * 720.
const std::array<PlacedItem, 8> &ctrlPanelView1();
inline constexpr TopRun CtrlPanelView1Rows{51, 57, 285, 720};
inline constexpr int CtrlPanelView1RowLeft = 3225;
inline constexpr int CtrlPanelView1RowWidth = 11985;
inline constexpr int CtrlPanelView1RowHeight = 720;

// ---- Hot spots as the window creates them --------------------------------

// Every spot is created at (0, 0), 495 x 375, unscaled, but for the few the
// window has always had elsewhere: menu-bar spots 7 to 10 and task-pane
// rows 24 and 39. A layout leaves some values alone (command bars set no
// Height, pane variant 4 sets no Top, spot 92 is never laid out), and those
// keep the created ones.
inline constexpr int SpotDesignWidth = 495;
inline constexpr int SpotDesignHeight = 375;
Rect designSpotRect(int index);

// ---- Fixed regions and spots --------------------------------------------

struct RegionPlace {
    int left;
    int top;
};
inline constexpr RegionPlace ToolStripPlace{0, 735};
inline constexpr RegionPlace TaskPanePlace{0, 1335};
inline constexpr RegionPlace DesktopPlace{0, 0};
inline constexpr RegionPlace StartMenuPlace{0, 1260};
inline constexpr RegionPlace ComputerPlace{2400, 1350};
inline constexpr PlacedItem StartButtonRect{0, 0, 8400, 900, 795};
// The start button's context panel stands here whatever the pointer did.
inline constexpr RegionPlace StartButtonPanelPlace{360, 7920};

// Tool strip spots 11..23: Lefts and Widths, Top 15, Height 570.
const std::array<PlacedItem, 13> &toolStripSpots();
// Desktop spots 61..70: 1170 x 1080 at Left 0; 66..70 stay at Top -1050.
const std::array<PlacedItem, 10> &desktopSpots();
// Start-menu spots 71..91.
const std::array<PlacedItem, 21> &startMenuSpots();
// Computer-window spots 93..99 (92 keeps the rectangle it was created with).
const std::array<PlacedItem, 7> &computerSpots();

// ---- Level-3 list --------------------------------------------------------

inline constexpr int Level3Left = 90;
inline constexpr int Level3Width = 2595;
inline constexpr int Level3RowHeight = 345;

// ---- Picture names (without folder and ".mxy") --------------------------

inline constexpr const char *StartMenuPicture = "706600";
QString toolStripPicture(QChar viewVariant); // "1100W2" for "W", else "1100W1"
QString menuBarPicture(QChar letter);        // letter & "00000"
QString taskPanePicture(int variant);        // "41A00" & variant
QString ctrlPanelPicture(QChar viewVariant); // "NN000" & view character
QString panelPicture(QStringView code);      // code & "0077"
QString hoverPicture(QStringView code);      // code & "0088"
QString pressedPicture(QStringView code);    // code & "0099"
QString level3Picture(int item);             // "SS0" & item & "77"

} // namespace shell
