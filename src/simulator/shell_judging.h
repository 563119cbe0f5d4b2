#pragma once
// The rules by which the simulated shell answers the pointer: which answer
// entry of a step a click on a hot spot or a panel item satisfies, which
// look a hot spot shows under the pointer or when released on, which panel
// a release opens and where, and where the level-2 and level-3 panels
// cascade. Plain functions with no window behind them: the window's
// handlers apply them to its controls.
#include "simulator/shell_layout.h"

#include <QString>
#include <QStringView>
#include <optional>

namespace shell {

// ---- Answer entries ------------------------------------------------------

// The handler that judges a click, which decides the entries it can answer
// and the item columns it compares.
enum class ClickKind {
    HotSpotRelease,     // left release on a hot spot: spots 1-60 and 66-92
    HotSpotDoubleClick, // double-click: desktop icons 61-65, Computer items 93-99
    Level1Item,
    Level2Item,
    Level3Item,
};

// One click being judged. The code is the hot spot or panel the click was
// on, kept for the whole handler: moving to the next step clears the
// window's own code, yet the entries examined after a match still answer
// this click.
struct Click {
    ClickKind kind;
    int index = 0; // hot spot 1..99, or the item clicked
    QString code;
};

// The level-1 and level-2 items last clicked, as they stand when an entry
// is examined (the step change of an earlier match may have reset them).
struct Selection {
    int sel1J = 0;
    int sel2J = 0;
};

// An item column of an entry read as a number: blanks ignored, a pair that
// is no number reads 0.
int itemNumber(QStringView twoColumns);

// Whether entry `entry` (ten characters: kind, code, three items, branch)
// is answered by the click with the current selection.
//   release:       kind "H", same code, columns 4-7 "0000"
//   double-click:  kind "H", same code, columns 4-7 "0000" or "0100"
//   level-1 item:  kind "H", same code, columns 4-5 = Sel1J, 6-7 "00"
//   level-2 item:  kind "H", same code, 4-5 = Sel1J, 6-7 = the item, 8-9 "00"
//   level-3 item:  kind "H", same code, 4-5 = Sel1J, 6-7 = Sel2J, 8-9 = the item
// A hot spot outside the handler's range answers nothing.
bool entryMatches(QStringView entry, const Click &click, Selection sel);

// The level-1 item shown highlighted in advance: entry 3 of kind "D" for
// the panel clicked and the item now selected moves the step on, whatever
// its branch.
bool preHighlightAnswers(QStringView entry3, QStringView code, int sel1J);

// Where a matched entry leads: its tenth character ("0" the next step).
QString branchOf(QStringView entry);

// ---- Looks of the hot spots ---------------------------------------------

// The image that shows a hot spot's hover or pressed look, one per region
// (the Control Panel shows its links in the level-1 panel instead).
enum class Carrier { None, Menu, Tool, Hui, Table, Start, MyPc };

struct Look {
    Carrier carrier = Carrier::None;
    QString picture; // shell picture without folder and ".mxy"
};

// A spot owns the code when its panel is the one open: the code is the
// spot's two digits, or a bar letter "A".."L" followed by its digit.
bool ownsHitCode(int index, QStringView hitCode);

// The hover look of a spot outside the Control Panel: its code (the bar
// letter and digit for 1-9) followed by "0088". Spots 67-70 and 92 have
// none; Control Panel spots are answered by ctrlPanelOverlay.
Look hoverLook(int index, QStringView menuBarVariant);

// What pointing at Control Panel spot `index` opens over itself: in view 1
// the category spots below 50 show their hover picture alone; every other
// spot opens its link panel, whose items are then laid out.
struct CtrlOverlay {
    QString picture;
    bool layoutItems;
};
CtrlOverlay ctrlPanelOverlay(int index, int view);

// The pressed look a release shows: a left release on the bar (code &
// "0088"), the tool strip, desktop icons 61-66 and the Computer window
// (NN & "0099"); another button only on the desktop and the Computer
// window.
Look pressedLook(int index, QStringView code, int button);

// The command-bar buttons that open no panel.
extern const char *const PlainButtonCodes;
bool isPlainButton(QStringView code);

// ---- Panels opened by a release ----------------------------------------

enum class PanelPlace {
    UnderBar,        // 1-10
    AboveLeftOfBar,  // "A7".."D7": up and to the left of the place under the bar
    UnderToolButton, // 23
    AllPrograms,     // 84
    UserPanel,       // 80
    ShutDownArrow,   // 82
    IconCentre,      // 61-70, any button but the left
    AtPointer,       // 92-99, any button but the left
};

struct ReleasePanel {
    QString picture; // code & "0077"
    PanelPlace place;
};

// The level-1 panel a release on hot spot `index` opens, if any. The
// tool-strip spots lay out the panel items on every left release, but only
// spot 23 shows a panel.
std::optional<ReleasePanel> releasePanel(int index, QStringView code, int button);

// What the placement reads, in window twips unless said otherwise.
struct ReleasePanelInput {
    Rect spot;             // the hot spot, in its region's coordinates
    Rect region;           // the region picture: PicMenu, PicTool, PicStart or PicMyPc
    Point pointer;         // X, Y of the release inside the hot spot
    double panelWidth = 0; // the panel takes the size of its picture
    double panelHeight = 0;
    double windowWidth = 0;
    double windowHeight = 0;
};
Point placeReleasePanel(PanelPlace place, const ReleasePanelInput &in, Scale scale);

// ---- Panel items ---------------------------------------------------------

// The Control Panel link panels "41".."59" (compared as text) point with a
// hand and a hover picture instead of a frame.
bool isLinkPanel(QStringView hitCode);
// The hover picture of link `item` of a link panel: code, item in two
// digits, "88"; none in view 1 on the category panels "41".."49".
QString linkHoverPicture(QStringView hitCode, int item, int view);
// Where the frame goes on a link panel: out of sight, unscaled.
inline constexpr Rect HiddenItemFrame{-30, -15, 15, 15};
// The hand pointer of the links, in the program folder.
inline constexpr const char *LinkCursorFile = "ico15.CUR";

// Where a level-2 panel opens beside the level-1 item clicked: overlapping
// Pic1J by 75 design twips (ids beginning with a letter, and panel "69") or
// 15, its first item level with the item, flipped to the left of Pic1J when
// it would cross the window's right edge; "S112" and "S113" stand right of
// the item at Pic1J's top.
struct Level2Input {
    Rect pic1J; // window twips
    Rect item;  // the level-1 item clicked, inside Pic1J
    double panelWidth = 0;
    double windowWidth = 0;
};
Point openLevel2(QStringView subMenuId, QStringView hitCode, const Level2Input &in, Scale scale);
// Keeps the level-2 panel on the screen: raised so that it ends at 8820
// design twips, moved to the left of Pic1J when it would cross 15210. Runs
// after every level-1 click, whether a panel opened or not.
Point clampLevel2(Point at, double panelWidth, double panelHeight, double pic1JLeft, Scale scale);

// Entry 10 of the all-programs panel "84" opens the list of program
// folders whose first four entries open the level-3 lists. The level-2
// tables have no row for it, which would leave the level-3 lists out of
// reach; its column is laid out from here.
inline constexpr const char *AllProgramsFoldersId = "8410";
inline constexpr GroupLayout AllProgramsFolders{"42", 2400, 330, 45, 45, 120};
// Whether a level-1 item opens a level-2 panel: the ids of the tables, and
// the all-programs folders.
bool opensLevel2(QStringView subMenuId);

// The level-3 lists open from one place only: the level-2 items 1-4 of
// item 10 of the all-programs panel "84".
bool opensLevel3(QStringView hitCode, int sel1J, int item);
// The level-3 list beside level-2 item `item`.
Point openLevel3(Rect pic2J, double itemTop, Scale scale);
// The hover picture of row `row` of the list opened from level-2 item sel2J.
QString level3HoverPicture(int sel2J, int row);

} // namespace shell
