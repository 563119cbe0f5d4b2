#pragma once
// The arithmetic of the demonstration window, kept apart from it so that
// tests check it without a window: where the drawn arrow's fourteen lines
// stand, how tall the question note grows, how a glide is cut into ticks,
// which hot spot and panel items a hot-spot step clicks, and where the
// fixed hot spots of the demonstration's own screen lie. The demonstration
// lays its regions out with the shell's tables (shell_layout.h); what it
// adds here is what differs from the simulated screen.
#include "simulator/shell_layout.h"
#include "simulator/step_record.h"

#include <QString>
#include <QStringView>
#include <array>
#include <cstdint>
#include <optional>

namespace demo {

// ---- The drawn pointer ---------------------------------------------------

// One straight line, end points in window twips.
struct Segment {
    double x1 = 0, y1 = 0, x2 = 0, y2 = 0;
    friend bool operator==(const Segment &, const Segment &) = default;
};
inline constexpr int OutlineLines = 8; // black, 1 pixel
inline constexpr int FillLines = 6;    // white, 2 pixels, 30 twips apart
struct PointerLines {
    std::array<Segment, OutlineLines> outline;
    std::array<Segment, FillLines> fill;
};
// The arrow around (x, y): every end point is the position plus a design
// offset times the scale. The tip lies 60 design twips right of (x, y);
// the eighth outline line closes the tail from the end of the third to
// the start of the seventh.
PointerLines pointerLines(int32_t x, int32_t y, shell::Scale scale);

// ---- The question note ---------------------------------------------------

// The note grows downward by one 180-twip line per started group of 14
// characters (14 characters already take two lines), plus 15 twips.
double noteHeight(const QString &text, double scaleY);
// Left of the note: its whole design Left is scaled, so that the note
// stays inside the window at every scale.
double noteLeft(double scaleX);
inline constexpr int NoteTop = 7620;
inline constexpr int NoteWidth = 2535;

// ---- Glides --------------------------------------------------------------

// One tick of a glide: the long axis moves a fifteenth of the straight
// distance, the short one in proportion (halves to the even neighbour).
struct GlideStep {
    double stepLen = 0;
    int16_t dx = 0;
    int16_t dy = 0;
};
// The step from the pointer towards the aim. false when a step does not
// fit a 16-bit number (the caller keeps the step it had).
bool aimPointer(int32_t pointerX, int32_t pointerY, int32_t aimX, int32_t aimY, GlideStep &out);

// The centre of a rectangle as the aim takes it: whole twips, halves to
// the even neighbour (Left 1000, Width 255 gives 1128).
int32_t centreOf(double start, double extent);

// Whether a glide has arrived, tested after each move: within 1.2 steps on
// both axes, or closer than 1.5 steps, or closer than 120 design twips.
// Nothing snaps the pointer to the aim; it stays where the move left it.
bool hasArrived(int32_t pointerX, int32_t pointerY, int32_t aimX, int32_t aimY, double stepLen,
                double scaleX);

// ---- The click box -------------------------------------------------------

// The click box's colour (&H00BBGGRR) for a step: red, green for a
// double-click, yellow for a right-click and the other clicks on the target.
uint32_t clickBoxColour(const QString &actionCode);
inline constexpr int ClickBoxSize = 375;
inline constexpr int ClickBoxOffset = 180; // up and left of the pointer

// One tick of the flash from the shared tick counter: shown on even counts,
// hidden on odd ones; the third tick hides the box and ends the flash with
// the counter back at 0.
struct FlashTick {
    bool visible = false;
    int16_t count = 0;
    bool done = false;
};
FlashTick flashTick(int16_t count);

// ---- Playing a step ------------------------------------------------------

// What a step's aim is, from its action code (a tab step that still has to
// switch its tab always glides to the tab).
enum class StepAim {
    Tab,      // the centre of the expected tab
    Target,   // the centre of Label1
    Source,   // the centre of Label4 (the drag's first leg)
    TextBox,  // 300 twips inside Text1's left edge, at mid-height
    Picture,  // the centre of Image5
    HotSpot,  // the hot spot of HitCode, the start button, or the target
    KeyWait,  // a key: no glide, the pointer stays, a wait from 0
    TimedWait,// "8888": Label1's centre recorded, no glide, a wait counting on
    Previous, // any other code: the aim recorded before
};
StepAim stepAim(const QString &actionCode, bool tabToSwitch);

// Whether a tab step still has to switch to the expected tab (the tab
// shown is not the one expected).
bool tabToSwitch(const sim::StepRecord &r);

// What the main glide does on arrival, the first matching row.
enum class Arrival {
    TabSwitch,   // tab step, first leg: the page switches, the glide goes on
    EndClick,    // click kinds and every second leg: the step ends
    DragStart,   // a drag's first leg arrived at the source
    MouseButton, // mouse-button steps: the step ends
    Typing,      // text steps: typing starts
    PictureDrag, // the picture is dragged to its drop point
    LastStep,    // the demonstration closes
    HotSpot,     // a main hot spot is clicked (the start menu opens first)
    None,        // no action of its own: the step ends
};
Arrival arrival(const QString &actionCode, bool tabToSwitch, bool stageMarker);
// Whether an ended click step jumps to its target's branch rather than
// going on with the next step.
bool endsByBranch(const QString &actionCode, const QString &branch);

// Where typing goes on: after the text already in the box when that is the
// beginning of the text to type, else from the start.
int typingStart(const QString &boxText, const QString &typed);

// ---- Panel clicks --------------------------------------------------------

// How far a level-2 panel overlaps the level-1 panel's right edge (design
// twips): 15 for a numeric id, 75 for one beginning with a letter and for
// the panels of "69", "S1" and "S2".
int level2Overlap(QStringView subMenuId, QStringView hitCode);
// The highlight of the clicked level-1 item n ("A1", 7: "A10700").
QString level1Highlight(QStringView hitCode, int item);
// The highlight of the level-2 item m that opens a level-3 list ("841002").
QString level2Highlight(int item);

// ---- Hot-spot steps ------------------------------------------------------

// A step that clicks a main hot spot: "7000" and the codes beginning "777".
bool isHotSpotStep(const QString &actionCode);
// What such a step clicks, from its first answer entry when that is of
// kind "H", else from its second whatever its kind. An item that names no
// number reads 0.
struct HotSpotClick {
    QString hitCode = QStringLiteral("0");
    int target1 = 0;
    int target2 = 0;
    int target3 = 0;
    QString branch = QStringLiteral("0");
};
HotSpotClick hotSpotClick(const sim::StepRecord &r);
// A code beginning "S" to "V" opens its panel at the target: the record
// then carries the code in columns 4-5, where the rest of the step reads
// the window kind and the Control Panel view.
bool opensAtTarget(QStringView hitCode);
QString withCodeInColumns4To5(const QString &record, const QString &hitCode);
// The hot spot a code names: its leading number, or when that is 0 the
// value of its last character ("45" 45, "A3" 3, "00" 0).
int hotSpotIndex(QStringView hitCode);

// ---- The demonstration's own screen --------------------------------------

// Every hot spot of the demonstration starts here, unscaled.
inline constexpr shell::Rect DemoSpotDesign{0, 0, 495, 375};
// The start menu stands lower than on the simulated screen.
inline constexpr shell::RegionPlace DemoStartMenuPlace{0, 1380};
// Two spots the simulated screen does not lay out: the whole desktop and
// the inside of the Computer window (form coordinates).
inline constexpr shell::PlacedItem WholeDesktopSpot{69, 0, 0, 15360, 8490};
inline constexpr shell::PlacedItem ComputerInsideSpot{92, 3150, 1680, 8820, 6870};
// Level-3 rows are narrower than the simulated screen's.
inline constexpr int DemoLevel3Width = 1980;
// The spare panel items no layout touches keep these (unscaled).
inline constexpr shell::Rect SpareItem{0, 0, 495, 495};
inline constexpr shell::Rect SpareLevel3First{18360, 5880, 1095, 495};
inline constexpr shell::Rect SpareLevel3Last{0, 0, 1095, 495};

// The fixed spots laid out when the window loads, in form coordinates:
// desktop 61-70 (69 the whole desktop), start menu 71-91 moved by the
// start menu picture, Computer window 93-99 moved by its picture, then 92.
// The tool-strip spots are laid out per step (toolStripSpots below).
void layoutLoadSpots(shell::SpotRects &spots, shell::Point startMenu, shell::Point computer,
                     shell::Scale scale);
// Tool-strip spots 11-23 moved by the tool strip picture.
void layoutToolStripSpots(shell::SpotRects &spots, shell::Point toolStrip, shell::Scale scale);

// Where ZhuClick's extra-window and context panels are pinned to the
// window's edges (right 15330/15360, bottom 8800/8820), and the final fit
// that moves a panel left of its spot or up from the bottom.
struct PanelBox {
    double left, top, width, height;
};
void pinToEdges(PanelBox &panel, shell::Scale scale);
// Without a spot (a code that names none) the panel is not moved left.
void fitPanel(PanelBox &panel, std::optional<double> spotLeft, shell::Scale scale);

} // namespace demo
