#pragma once
// The hot spots of the simulated Windows 7 shell: which indexes of the
// hot-spot array belong to which screen region, the code a hit on a spot
// leaves behind, and the rectangles the layouts work with. Plain data with
// no window behind it, so the simulated screen and the demonstration share
// it.
#include <QString>
#include <QStringView>

namespace shell {

// A rectangle in twips: Left and Top relative to the control's container.
struct Rect {
    double left = 0;
    double top = 0;
    double width = 0;
    double height = 0;
    friend bool operator==(const Rect &, const Rect &) = default;
};

// The screen's twips per pixel over 15, per axis.
struct Scale {
    double x = 1;
    double y = 1;
};

// A fixed run of hot-spot indexes owned by one region picture.
struct HotSpotRange {
    int first;
    int last;
    constexpr bool contains(int index) const { return index >= first && index <= last; }
};

// The hot-spot array runs from 1 to 99; there is no spot 0.
inline constexpr int LastHotSpot = 99;

inline constexpr HotSpotRange MenuBarSpots{1, 10};    // PicMenu, laid out per step
inline constexpr HotSpotRange ToolStripSpots{11, 23}; // PicTool, fixed
inline constexpr HotSpotRange TaskPaneSpots{24, 40};  // PicHui, laid out per step
inline constexpr HotSpotRange CtrlPanelSpots{41, 60}; // PicCtrl, laid out per step
inline constexpr HotSpotRange DesktopSpots{61, 70};   // PicTable, fixed
inline constexpr HotSpotRange StartMenuSpots{71, 91}; // PicStart, fixed
inline constexpr HotSpotRange ComputerSpots{92, 99};  // PicMyPc, fixed (93-99)

// Which region a hot-spot index belongs to.
enum class Region { None, MenuBar, ToolStrip, TaskPane, CtrlPanel, Desktop, StartMenu, Computer };
Region regionOf(int index);

// The hidden state of a panel item: unscaled, outside every panel.
inline constexpr Rect ParkedSpot{-100, -100, 0, 0};

// Panel items per level-1 and level-2 panel, and rows of the level-3 list.
inline constexpr int PanelItemCount = 44;
inline constexpr int Level3RowCount = 9;

// The code of hot spot `index`: the bar letter in front of the index, cut
// to the last two characters ("A5" for spot 5 on bar "A", "12", "61").
// The context panels use the letter "A", which gives plain two-digit codes.
// An empty variant (a record that ends early) leaves the bare index.
QString hitCode(QStringView menuBarVariant, int index);
// A number in two digits, a leading zero below 10 ("05", "45"): the codes
// of the fixed spots and the item part of panel ids and pictures.
QString twoDigits(int n);

// The codes that the context panels of the regions set.
inline constexpr const char *ToolStripContextCode = "25";
inline constexpr const char *DesktopContextCode = "69";
inline constexpr const char *StartButtonContextCode = "70";
inline constexpr const char *ComputerContextCode = "92";

// "No hot spot".
inline constexpr const char *NoHitCode = "00";

} // namespace shell
