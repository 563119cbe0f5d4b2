#pragma once
// The demonstration window: a copy of the simulated screen on which a drawn
// arrow pointer replays the steps of the current question. Its region and
// panel pictures are plain images, so every hot spot, panel item and tab is
// a label of the window itself, in window coordinates: the shell's layouts
// (shell_layout.h) give rectangles relative to a picture, and the window
// adds the picture's place.
//
// Stacking order, front to back. The constructor creates the controls in
// the reverse of this order (back first):
//
//   windowed children, in front of everything drawn on the window:
//     Text4, Text2, Text1, Image6
//   windowless controls:
//     the transparent labels, which draw nothing: Lbl3J, Lbl2J, Lbl1J,
//     LblZHU, Label1, Label4;
//     then ImgLogo (the note), Img2J, Shape1, LPoint(0..7), LPoinB(0..5),
//     Pic3J, Shape5, Shape6, ImgICO, Img1J, Pic2J, Pic1J, ImgHui, PicHui,
//     ImgTool, ImgMenu, PicMenu, LHelp, LblXXK(0..13), Shape4, Shape2,
//     PicTool, PicMyPc, ImgMyPc, ImgStart, PicStart, Image5, Image4,
//     Image3, Image2, Image1
//
// So the note lies in front of everything, the pointer in front of every
// region, panel and picture slot, the panels in front of the regions, and
// the step's picture slots at the back.
//
// A fresh window plays each demonstration; unloading it stops its timers.
// The scene is built in frm_yanshi.cpp, frm_yanshi_step.cpp (one step) and
// frm_yanshi_scene.cpp (regions, the scripted hot-spot click, the panel
// builders); frm_yanshi_player.cpp plays it: the step aim, the glides and
// their arrivals, typing, drags, waits, the panel clicks and the closing.
// The abort keys (Enter, Space, Escape) are seen by the window whatever
// has the focus; its text boxes take no typing of the user's.
#include "demo/demo_rules.h"
#include "forms/forms.h"
#include "simulator/step_files.h"
#include "simulator/step_record.h"

#include <QString>
#include <map>

class FrmYanShi : public forms::Form {
public:
    FrmYanShi();
    ~FrmYanShi() override;

    // ----- controls
    forms::TextBox *Text1, *Text2, *Text4;
    forms::PictureBox *Image6;
    forms::Label *ImgLogo, *LHelp, *Label1, *Label4;
    forms::Image *Image1, *Image2, *Image3, *Image4, *Image5;
    // region pictures and the pressed looks of their spots
    forms::Image *PicTool, *PicHui, *PicStart, *PicMyPc, *PicMenu;
    forms::Image *ImgTool, *ImgHui, *ImgStart, *ImgMyPc, *ImgMenu;
    // drop-down panels and the highlights of their clicked items
    forms::Image *Pic1J, *Pic2J, *Pic3J, *Img1J, *Img2J;
    forms::Image *ImgICO; // the drag cursor shown instead of the arrow
    forms::ControlArray<forms::Label> LblZHU{this, QStringLiteral("LblZHU")}; // 0..105
    forms::ControlArray<forms::Label> Lbl1J{this, QStringLiteral("Lbl1J")};   // 0..44
    forms::ControlArray<forms::Label> Lbl2J{this, QStringLiteral("Lbl2J")};   // 0..44
    forms::ControlArray<forms::Label> Lbl3J{this, QStringLiteral("Lbl3J")};   // 0..10
    forms::ControlArray<forms::Label> LblXXK{this, QStringLiteral("LblXXK")}; // 0..13
    forms::Shape *Shape1, *Shape2, *Shape4, *Shape5, *Shape6;
    forms::ControlArray<forms::Line> LPoint{this, QStringLiteral("LPoint")}; // 0..7
    forms::ControlArray<forms::Line> LPoinB{this, QStringLiteral("LPoinB")}; // 0..5

    // ----- timers (all off until the player switches them on)
    forms::Timer *Timer1;     // 500 ms typing
    forms::Timer *Timer2;     // 100 ms main glide
    forms::Timer *Timer3;     // 100 ms picture drag
    forms::Timer *Timer4;     // 200 ms five-tick wait
    forms::Timer *Timer5;     // 100 ms click-box flash
    forms::Timer *Timer6;     // 100 ms glide to a level-1 item
    forms::Timer *Timer7;     // 200 ms glide to a level-2 item
    forms::Timer *Timer8;     // 100 ms glide to a level-3 row
    forms::Timer *Timer9;     // 100 ms three-tick wait
    forms::Timer *TimerStart; // 100 ms glide to a start-menu entry
    forms::Timer *TimEnd;     // 100 ms closing sequence
    forms::Timer *Timer10, *Timer11;

    // ----- the pointer and its glide
    int32_t PointerX = 0, PointerY = 0;
    int32_t AimX = 0, AimY = 0;
    double StepLen = 0;
    int16_t StepDX = 0, StepDY = 0;
    int16_t TickCount = 0;

    // ----- the step being played
    int DemoStep = 1;
    QString HitCode = QStringLiteral("0");
    int Target1J = 0, Target2J = 0, Target3J = 0;
    QString TargetBranch = QStringLiteral("0");
    int TypedCount = 0;
    bool StartMenuOpen = false;
    bool Dragging = false;
    int ActionValue = 0;
    int DragTargetX = 0, DragTargetY = 0;
    int TargetW = 0, TargetH = 0;
    QString TabHint;
    QString BackEntry;
    QString TypedText;

    // ----- tab strip of a tab step
    QString TabSetRow;
    int TabExpected = 0, TabPicSlot = 0, TabPicLeft = 0, TabTop = 0, TabCount = 0, TabRow = 0;

    // ----- tables and folders read at load
    sim::StyleTable StyleTable;
    sim::TabSetTable TabSetTable;
    QString ExamDataDir;

    // The step on show, read from the shared CurRecord.
    sim::StepRecord rec() const;

    // ----- the scene
    void Form_Load();
    void setData();
    void CSH();
    void ToolCSH();
    void MenuCSH();
    void DoubleXXK();
    void CtrlCSH();
    void HuiRenwuCSH();
    void ZhuClick(QString &HitCode);
    void Tool1JCSH();
    void Tool2JCSH();
    void Tool3JCSH();
    void pointMove();
    void AimPointer();

    // ----- the player
    // The step aim; the scene calls it last in every step.
    void MuBiaoWei();
    void doNext();
    void GoStep(const QString &cStep);
    // Timer ticks, public so that a test can drive one on its own.
    void Timer1_Timer();
    void Timer2_Timer();
    void Timer3_Timer();
    void Timer4_Timer();
    void Timer5_Timer();
    void Timer6_Timer();
    void Timer7_Timer();
    void Timer8_Timer();
    void Timer9_Timer();
    void TimerStart_Timer();
    void TimEnd_Timer();
    // The end of a demonstration: its timers stop, the window unloads, and
    // the simulated screen and the question panel come back to reload the
    // question. The closing sequence ends here; a paper's time-up ends a
    // demonstration here at once.
    void handBack();
    void Tool1JClick(int &Index);
    void Tool2JClick(int &Index);
    void Tool3JClick(int &Index);
    // The source frame parked at Left -100: the step's first leg is done.
    bool stageMarker() const;

private:
    void createControls();
    // Stages of setData that belong together, in the order they run.
    void resetScene();
    bool readRecord();
    void buildOverlayPictures(const sim::StepRecord &r);
    void buildTextBox(const sim::StepRecord &r);
    void buildHint(const sim::StepRecord &r);
    void buildTarget(const sim::StepRecord &r);
    void buildTabStep(const sim::StepRecord &r);
    void buildSource(const sim::StepRecord &r);
    void buildPrompts(const sim::StepRecord &r);
    void buildRegions(const sim::StepRecord &r);
    void buildHotSpotStep(const sim::StepRecord &r);
    forms::Image *overlayImage(int slot) const; // Image1..Image5
    // A picture by path from the window's cache; a file that cannot be
    // loaded is remembered as blank and leaves a control's picture as it was.
    forms::Picture cachedPicture(const QString &path);
    forms::Picture shellPicture(const QString &name);
    forms::Picture bankPicture(const QString &name);
    // Loads a picture into an image; false (and nothing changed) when the
    // file cannot be loaded.
    bool showPicture(forms::Image *img, const forms::Picture &p);
    void aimAt(const forms::Control *target);
    void wirePlayer();
    void aimHotSpot();
    // One move of a glide; true when it has arrived.
    bool glide();
    void placeClickBox();
    // One move of a panel leg's glide; true once it has arrived, the click
    // box shown and the leg's timer handing over to the click timer.
    bool panelLegArrived(forms::Timer *leg);
    // The drag cursor at the pointer in place of the arrow.
    void showDragCursor(const QString &actionCode);
    void switchTab(const sim::StepRecord &r);
    void startDrag(const QString &actionCode);
    void startTyping(const sim::StepRecord &r);
    void openStartMenu(int spot);
    // The step change of a scripted panel click: the next step, or the
    // step the click's branch names.
    void panelStepChange();
    void stopTimers();
    // The question panel's text of the current question, trimmed; empty
    // when the panel is not loaded.
    static QString questionText();
    void endStep();

    std::map<QString, forms::Picture> pictures_;
    // Rectangles of the bar's and the task pane's spots relative to their
    // picture; they carry over from step to step as the layouts leave them.
    shell::SpotRects barSpots_{};
    shell::SpotRects paneSpots_{};
};
