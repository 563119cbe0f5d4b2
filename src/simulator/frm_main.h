#pragma once
// The simulated Windows 7 screen: one step of a question at a time, built
// from pictures with invisible hot spots laid over them.
//
// Stacking order. Hit-testing goes by it, so it is fixed here and the
// constructor creates the controls in exactly this order (front last):
//
//   windowed children of the window, back to front:
//     PicTable (desktop), PicMyPc (Computer window), PicCtrl (Control
//     Panel), PicHui (task pane), PicTool (tool strip), PicMenu (bar),
//     Image6, ImgElse, Text1, Text2, Text3, PicStart (start menu),
//     Pic1J, Pic2J, Pic3J (the drop-down panels lie above everything)
//   windowless controls of the window, beneath every windowed child,
//   back to front:
//     Image1 .. Image5, LHelp, LblSuccess, ImgLogo, lblMove, StartMenu,
//     Label4 (source), Label1 (target), LblXXK(0..13) (tabs),
//     then the marks, which never take the mouse: Shape6, Shape4, Shape1,
//     Shape2, ShapeStart
//   the overlay layer, between Text3 and PicStart: LHelp, LblSuccess,
//     Shape6, Shape4, Shape1 and Shape2 are drawn there, above the region
//     pictures that would hide them and beneath the start menu and panels;
//     they are only seen, the mouse goes through them
//   inside each region picture, back to front: its hover image, its hot
//   spots, its hint frame; inside Pic1J: Img1jBK, Img1J, Lbl1J(1..44),
//   Shape1J; Pic2J: Lbl2J(1..44), Shape2J; Pic3J: Img3J, Lbl3J(1..9).
//
// The targets lie above the pictures and hints, so that a hint or the drag
// bar never swallows a click meant for the step; the tab labels lie above
// the target because a tab step shrinks the target to a point anyway.
#include "forms/forms.h"
#include "simulator/step_files.h"
#include "simulator/step_record.h"

#include <QString>
#include <map>

class FrmMain : public forms::Form {
public:
    FrmMain();
    ~FrmMain() override;

    // ----- controls (names as the window has always had them)
    // windowed
    forms::PictureBox *PicTable, *PicMyPc, *PicCtrl, *PicHui, *PicTool, *PicMenu;
    forms::PictureBox *Image6, *ImgElse;
    forms::TextBox *Text1, *Text2, *Text3;
    forms::PictureBox *PicStart, *Pic1J, *Pic2J, *Pic3J;
    // windowless on the window
    forms::Image *Image1, *Image2, *Image3, *Image4, *Image5;
    forms::Label *LHelp, *LblSuccess;
    forms::Image *ImgLogo;
    forms::Label *lblMove, *StartMenu, *Label4, *Label1;
    forms::ControlArray<forms::Label> LblXXK{this, QStringLiteral("LblXXK")}; // 0..13
    forms::Shape *Shape6, *Shape4, *Shape1, *Shape2, *ShapeStart;
    // inside the regions
    forms::Image *ImgMenu, *ImgTool, *ImgHui, *ImgTable, *ImgStart, *ImgMyPc;
    forms::Shape *ShapeMenu, *ShapeTool, *ShapeHui, *ShapeCtrl, *ShapeTable, *ShapeMyPc;
    forms::ControlArray<forms::Label> LblZHU{this, QStringLiteral("LblZHU")}; // 1..99
    // inside the panels
    forms::Image *Img1jBK, *Img1J, *Img3J;
    // The level-2 panel's hover picture, beneath its items; made by ToolCSH.
    forms::Image *Img2J = nullptr;
    forms::ControlArray<forms::Label> Lbl1J{this, QStringLiteral("Lbl1J")}; // 1..44
    forms::ControlArray<forms::Label> Lbl2J{this, QStringLiteral("Lbl2J")}; // 1..44
    forms::ControlArray<forms::Label> Lbl3J{this, QStringLiteral("Lbl3J")}; // 1..9
    forms::Shape *Shape1J, *Shape2J;
    // timers
    forms::Timer *Timer2;     // 100 ms, one shot: first build of a question
    forms::Timer *Timer3;     // 1000 ms: moves an "8888" step on
    forms::Timer *TimerDisFK; // 100 ms, one shot: the hint frame

    // ----- the step on show, as the build took it from the record
    int ActionValue = 0;
    // The answer entries 1..4; [0] unused.
    QString ExpectedHits[5];
    // The target's size in design twips; a tab step shows it only on the
    // expected tab.
    int TargetW = 0, TargetH = 0;
    // Where a picture drag must bring Image5 (design twips).
    int DragTargetX = 0, DragTargetY = 0;
    // The back-step entry, "NONO" when the step has none.
    QString BackEntry;

    // ----- the screen: the bank's tables, the shell's pictures and the
    // tab strip of a tab step
    sim::StyleTable StyleTable;
    sim::TabSetTable TabSetTable;
    QString ExamDataDir;
    // Pictures by file path, loaded once for the life of the window: the
    // hover handlers and the reset run on pointer moves and must not go to
    // the disk. A picture that cannot be loaded is remembered as blank.
    std::map<QString, forms::Picture> PictureCache;
    // The hand pointer of the Control Panel links, loaded on first use.
    forms::Picture LinkCursor;
    bool LinkCursorLoaded = false;
    // The tab strip: its row of the tab-set table (kept from the tab step
    // before when a step names no row), the image showing the page, the
    // tab expected and the front row of a two-row strip.
    QString TabSetRow;
    int TabPicLeft = 0, TabPicTop = 0, TabPicSlot = 0, TabExpected = 0;
    QString TabPicName, TabHint;
    int TabRow = 0, TabCount = 0;

    // ----- judging: how far the candidate has gone in an answer
    // The last hot spot or panel hit, "00" for none.
    QString HitCode;
    // The point of the last reset of the movement rule.
    int LastMouseX = 0, LastMouseY = 0;
    // Where the picture drag has brought Image5 (window twips).
    int DragX = 0, DragY = 0;
    // The rubber band's start point (window twips) and whether a band or
    // drag from the source is under way.
    int BandX = 0, BandY = 0;
    bool Dragging = false;
    // A broken answer-text file is reported once per window, not at every
    // keystroke of a text step.
    bool AnswerTextFailureReported = false;

    // ----- panels: the item selected in the level-1 and level-2 panel
    int Sel1J = 0, Sel2J = 0;

    // The step on show, read from the shared CurRecord.
    sim::StepRecord rec() const;

    // ----- the step engine
    void setData();
    void doNext();
    void GoStep(const QString &cStep);
    void frmCsh();
    // A question is being loaded: the panel's one loader says so on every
    // road to a question. Closes the start menu and every level of every
    // panel and forgets the hit and the items that keep them open, so that
    // the question's first step is drawn clean.
    void questionLoading();
    // Resets the transient state once the pointer has travelled more than
    // 300 design twips on one axis from the point of the last reset. Every
    // element that follows the movement rule calls it with its own X, Y.
    void MovementRule(double X, double Y);
    // Docks the question panel at the window's lower-right corner.
    void DockPanel();
    // Where an answer leads: "0" the next step, any other character that
    // step; an empty field (a record cut short) leads nowhere.
    void takeBranch(const QString &branch);

    // ----- window events
    void Form_Load();
    void Form_Click();
    void Form_KeyUp(int &KeyCode, int Shift);
    // The desktop's close (Alt+F4, a taskbar, a switcher) is refused and
    // judged as Alt+F4 on the window: under a window manager that key
    // never arrives as a key. Hidden for a demonstration, the window
    // refuses it and judges nothing.
    void Form_QueryUnload(int &Cancel, int UnloadMode);
    void Form_MouseMove(int Button, int Shift, double X, double Y);
    void lblMove_MouseDown(int Button, int Shift, double X, double Y);
    void Timer2_Timer();
    void Timer3_Timer();
    // Stops the timers that build the screen or move it on by themselves
    // (the first build, a timed step, the hint frame). A demonstration hides
    // the screen and plays on the shared record; the screen must stay on
    // its step meanwhile, and the question's reload afterwards starts them
    // again.
    void standStill();

    // ----- answer judging: handlers of the step's own controls
    void KeyClick(int KeyCode, int Shift);
    void Image1_Click();
    void Image2_Click();
    void Image3_Click();
    void Image4_Click();
    void Image5_Click();
    void Image6_Click();
    void Image1_MouseMove(int Button, int Shift, double X, double Y);
    void Image2_MouseMove(int Button, int Shift, double X, double Y);
    void Image3_MouseMove(int Button, int Shift, double X, double Y);
    void Image4_MouseMove(int Button, int Shift, double X, double Y);
    void Image5_MouseMove(int Button, int Shift, double X, double Y);
    void Image5_MouseUp(int Button, int Shift, double X, double Y);
    void Image6_KeyDown(int &KeyCode, int Shift);
    void ImgElse_KeyUp(int &KeyCode, int Shift);
    void ImgElse_MouseMove(int Button, int Shift, double X, double Y);
    void ImgElse_MouseUp(int Button, int Shift, double X, double Y);
    void ImgElse_DblClick();
    void Label1_DblClick();
    void Label1_MouseMove(int Button, int Shift, double X, double Y);
    void Label1_MouseUp(int Button, int Shift, double X, double Y);
    void Label4_MouseDown(int Button, int Shift, double X, double Y);
    void Label4_MouseMove(int Button, int Shift, double X, double Y);
    void Label4_MouseUp(int Button, int Shift, double X, double Y);
    void Text1_Change();
    void Text1_GotFocus();
    void Text1_KeyUp(int &KeyCode, int Shift);
    void Text1_MouseUp(int Button, int Shift, double X, double Y);
    void Text2_Change();
    void Text3_Change();
    void Text3_GotFocus();
    void TimerDisFK_Timer();

    // ----- shell: layout routines and the handlers of the hot spots,
    // regions and panels
    void ToolCSH();
    void MenuCSH();
    void HuiRenwuCSH();
    void CtrlCSH();
    void ShapeCSH();
    void DoubleXXK();
    void Tool1JTop(QString &str1, int &dWith, int &dHeight, int &dLeft, int &dTop, int &dJianju);
    void Tool1JCSH();
    void Tool2JCSH();
    void Tool3JCSH();
    void LblZHU_MouseMove(int Index, int Button, int Shift, double X, double Y);
    void LblZHU_MouseUp(int Index, int Button, int Shift, double X, double Y);
    void LblZHU_DblClick(int Index);
    void Lbl1J_Click(int Index);
    void Lbl1J_MouseMove(int Index, int Button, int Shift, double X, double Y);
    void Lbl2J_Click(int Index);
    void Lbl2J_MouseMove(int Index, int Button, int Shift, double X, double Y);
    void Lbl3J_Click(int Index);
    void Lbl3J_MouseMove(int Index, int Button, int Shift, double X, double Y);
    void LblXXK_Click(int Index);
    void PicTable_MouseUp(int Button, int Shift, double X, double Y);
    void PicTool_MouseUp(int Button, int Shift, double X, double Y);
    void PicMyPc_MouseUp(int Button, int Shift, double X, double Y);
    void StartMenu_MouseUp(int Button, int Shift, double X, double Y);
    void PicMyPc_MouseMove(int Button, int Shift, double X, double Y);
    void PicTable_MouseMove(int Button, int Shift, double X, double Y);
    void PicCtrl_MouseMove(int Button, int Shift, double X, double Y);
    void Pic1J_KeyDown(int &KeyCode, int Shift);
    void Pic1J_MouseUp(int Button, int Shift, double X, double Y);
    void Pic2J_KeyDown(int &KeyCode, int Shift);
    void PicMyPc_KeyDown(int &KeyCode, int Shift);
    void PicTable_KeyDown(int &KeyCode, int Shift);
    void PicCtrl_KeyDown(int &KeyCode, int Shift);
    void PicHui_KeyUp(int &KeyCode, int Shift);
    void PicMenu_KeyUp(int &KeyCode, int Shift);
    void PicTool_KeyUp(int &KeyCode, int Shift);

private:
    // Counts builds: setting the text of an input box judges it at once, and
    // a right answer there builds the next step inside this build.
    int builds_ = 0;
    void createControls();
    void wireEvents();
    // Stages of setData that belong together.
    void buildOverlayPictures(const sim::StepRecord &r, int q);
    void buildTextBox(const sim::StepRecord &r, int build);
    void buildTarget(const sim::StepRecord &r);
    void buildTabStep(const sim::StepRecord &r);
    void buildBackEntry(const sim::StepRecord &r);
    void buildSource(const sim::StepRecord &r);
    void buildLastStep(const sim::StepRecord &r);
    void buildReplacementBoxes(const sim::StepRecord &r, int build);
    void buildPrompts(const sim::StepRecord &r);
    void buildTargetPointer(const sim::StepRecord &r);
    void buildRegions(const sim::StepRecord &r);
    void layoutHint();
    void raiseWindows();
    // Marks the question on show done, once: building its last step and
    // moving on from it both do.
    void markQuestionDone();
    forms::Image *overlayImage(int slot) const; // Image1..Image5
    QString bankPicture(const QString &name) const;
    QString shellPicture(const QString &name) const;
    // The expected text of a line field of the answer-text file; false
    // (and reported) when the file or its line cannot be read.
    bool expectedTextOf(const QString &lineField, QString &text);
    // Goes to the step a branch names; "0" or an empty field stays.
    void jumpTo(const QString &branch);
    // The typed answer confirmed by a click on the target or the source.
    bool confirmTypedAnswer();
    // A pointer chosen by a cursor code; a missing cursor file leaves the
    // pointer without a picture.
    void applyPointer(forms::Control *c, const QString &cursorCode, bool customForAnyLetter);
    // A picture file shown in a box, from the window's cache; a missing
    // file leaves the box empty.
    void showPictureOrNone(forms::PictureBox *box, const QString &path);
};
