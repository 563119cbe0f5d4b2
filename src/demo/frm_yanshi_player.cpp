// The demonstration's player: the step aim, the glide timers and what each
// does on arrival, typing, the picture drag, the waits, the scripted panel
// clicks, the step advance and the closing. Every animation is a chain of
// timers: each switches itself off and the next one on, and a step ends in
// doNext or GoStep, which build the next step inside the tick that ended
// this one. The arithmetic lives in demo_rules.h.
//
// The glides, typing, the panel clicks, the short wait and the closing skip
// a statement that fails and go on; the step aim, the long wait, the flash
// and the picture drag let an error end them.
#include "demo/frm_yanshi.h"

#include "panel/frm_tm.h"
#include "platform/paths.h"
#include "platform/text.h"
#include "simulator/frm_main.h"
#include "simulator/shell_judging.h"
#include "simulator/shell_judging_frm.h"
#include "simulator/shell_tables.h"
#include "startup/run_state.h"

using forms::skip;
using shelljudge::place;
using shelljudge::rectOf;
using shelljudge::scale;
using sim::StepRecord;

namespace {

startup::RunState &S() {
    return startup::state();
}

bool playing() {
    return S().DemoPlaying;
}

// The stage marker: the source frame parked left of the window.
constexpr double StageMarkerLeft = -100;

} // namespace

void FrmYanShi::wirePlayer() {
    // The abort keys count wherever the focus is, and the boxes the
    // demonstration types into are not the user's to type in.
    setKeyPreview(true);
    for (forms::TextBox *t : {Text1, Text2, Text4}) t->setLocked(true);

    Timer1->onTimer = [this] { Timer1_Timer(); };
    Timer2->onTimer = [this] { Timer2_Timer(); };
    Timer3->onTimer = [this] { Timer3_Timer(); };
    Timer4->onTimer = [this] { Timer4_Timer(); };
    Timer5->onTimer = [this] { Timer5_Timer(); };
    Timer6->onTimer = [this] { Timer6_Timer(); };
    Timer7->onTimer = [this] { Timer7_Timer(); };
    Timer8->onTimer = [this] { Timer8_Timer(); };
    Timer9->onTimer = [this] { Timer9_Timer(); };
    TimerStart->onTimer = [this] { TimerStart_Timer(); };
    TimEnd->onTimer = [this] { TimEnd_Timer(); };

    auto abort = [this] { TimEnd->setEnabled(true); };
    onDblClick = abort;
    for (forms::Image *i : {Image1, Image2, Image3, Image4, Image5}) i->onDblClick = abort;
    onKeyUp = [this](int &keyCode, int) {
        if (keyCode == forms::vbKeyReturn || keyCode == forms::vbKeySpace ||
            keyCode == forms::vbKeyEscape)
            TimEnd->setEnabled(true);
    };
}

bool FrmYanShi::stageMarker() const {
    return Shape4->left() == StageMarkerLeft;
}

// ---------------------------------------------------------------- step aim

void FrmYanShi::MuBiaoWei() {
    if (!playing()) return;
    const StepRecord r = rec();
    const QString code = r.actionCode();
    switch (demo::stepAim(code, demo::tabToSwitch(r))) {
    case demo::StepAim::Tab:
        aimAt(LblXXK(TabExpected));
        break;
    case demo::StepAim::Target:
        aimAt(Label1);
        break;
    case demo::StepAim::Source:
        aimAt(Label4);
        break;
    case demo::StepAim::TextBox:
        // Plain twips inside the box, whatever the scale.
        AimX = int32_t(platform::roundEven(Text1->left() + 300));
        AimY = demo::centreOf(Text1->top(), Text1->height());
        break;
    case demo::StepAim::Picture:
        aimAt(Image5);
        break;
    case demo::StepAim::HotSpot:
        aimHotSpot();
        break;
    case demo::StepAim::KeyWait:
        TickCount = 0;
        AimX = PointerX;
        AimY = PointerY;
        Timer4->setEnabled(true);
        Timer2->setEnabled(false);
        return;
    case demo::StepAim::TimedWait:
        // The wait counts on from where the counter stands.
        aimAt(Label1);
        Timer4->setEnabled(true);
        Timer2->setEnabled(false);
        return;
    case demo::StepAim::Previous:
        break;
    }
    AimPointer();
    Timer2->setEnabled(true);
}

void FrmYanShi::aimHotSpot() {
    const auto &s = S();
    const int n = demo::hotSpotIndex(HitCode);
    const QChar first = HitCode.isEmpty() ? QChar() : HitCode.front();
    forms::Label *spot = LblZHU(n);
    if (first >= u'S') place(spot, rectOf(Label1));
    place(Shape1, rectOf(spot));
    Shape1->setVisible(true);
    aimAt(spot);
    if (n >= 70 && n <= 91) {
        // The start button, from where the start menu opens.
        Shape1->setLeft(0);
        Shape1->setTop(8400 * s.ScaleY);
        Shape1->setWidth(900 * s.ScaleX);
        Shape1->setHeight(795 * s.ScaleY);
        aimAt(Shape1);
    }
    if (demo::opensAtTarget(HitCode)) {
        place(Shape1, rectOf(Label1));
        aimAt(Shape1);
    }
}

// ---------------------------------------------------------------- glides

bool FrmYanShi::glide() {
    PointerX += StepDX;
    PointerY += StepDY;
    pointMove();
    return demo::hasArrived(PointerX, PointerY, AimX, AimY, StepLen, S().ScaleX);
}

void FrmYanShi::placeClickBox() {
    Shape5->setLeft(PointerX - demo::ClickBoxOffset);
    Shape5->setTop(PointerY - demo::ClickBoxOffset);
}

void FrmYanShi::Timer5_Timer() {
    if (!playing()) return;
    const demo::FlashTick t = demo::flashTick(TickCount);
    Shape5->setVisible(t.visible);
    TickCount = t.count;
    if (t.done) Timer5->setEnabled(false);
}

void FrmYanShi::showDragCursor(const QString &code) {
    const auto &s = S();
    if (code.startsWith(QLatin1String("004")) && Dragging) {
        // A band that would turn inside out keeps that side at 1 twip.
        const double w = PointerX - Shape6->left() + 120 * s.ScaleX;
        const double h = PointerY - Shape6->top() + 120 * s.ScaleY;
        if (w >= 0) Shape6->setWidth(w);
        if (h >= 0) Shape6->setHeight(h);
    }
    const QString cursor = rec().cursorKind() == QLatin1String("S")
                               ? QStringLiteral("ico00.CUR")
                               : QStringLiteral("ico") + rec().cursorCode().right(2) +
                                     QStringLiteral(".CUR");
    showPicture(ImgICO, cachedPicture(platform::programFolder() + cursor));
    ImgICO->setVisible(true);
    ImgICO->setLeft(PointerX);
    ImgICO->setTop(PointerY);
    // The arrow leaves the window while the cursor picture stands in for it.
    for (int i = 0; i < demo::FillLines; ++i) {
        LPoinB(i)->setX1(-100);
        LPoinB(i)->setX2(-100);
    }
    for (int i = 0; i < demo::OutlineLines; ++i) {
        LPoint(i)->setX1(-100);
        LPoint(i)->setX2(-100);
    }
}

void FrmYanShi::Timer2_Timer() {
    const StepRecord r = rec();
    const QString code = r.actionCode();
    const QString code3 = code.left(3);
    Shape5->setBorderColor(forms::Color(demo::clickBoxColour(code)));
    if (!playing()) {
        Timer2->setEnabled(false);
        return;
    }
    Shape6->setWidth(1);
    Shape6->setHeight(1);
    PointerX += StepDX;
    PointerY += StepDY;
    if (code3 == QLatin1String("004") || (code3 == QLatin1String("005") && stageMarker())) {
        skip([&] { showDragCursor(code); });
    } else {
        ImgICO->setVisible(false);
        skip([&] { pointMove(); });
    }
    if (!demo::hasArrived(PointerX, PointerY, AimX, AimY, StepLen, S().ScaleX)) return;
    placeClickBox();
    Timer5->setEnabled(true);

    const demo::Arrival a = demo::arrival(code, demo::tabToSwitch(r), stageMarker());
    switch (a) {
    case demo::Arrival::TabSwitch:
        switchTab(r);
        Timer2_Timer();
        return;
    case demo::Arrival::EndClick: {
        const QString branch = r.targetRect().branch;
        if (demo::endsByBranch(code, branch))
            skip([&] { GoStep(branch); });
        else
            skip([&] { doNext(); });
        return;
    }
    case demo::Arrival::DragStart:
        startDrag(code);
        Timer2_Timer();
        return;
    default:
        break;
    }
    Shape6->setVisible(false);
    switch (a) {
    case demo::Arrival::MouseButton:
        skip([&] { doNext(); });
        break;
    case demo::Arrival::Typing:
        startTyping(r);
        Timer1->setEnabled(true);
        Timer2->setEnabled(false);
        break;
    case demo::Arrival::PictureDrag: {
        const auto &s = S();
        if (DragTargetX != 0) AimX = int32_t(platform::roundEven(DragTargetX * s.ScaleX));
        if (DragTargetY != 0) AimY = int32_t(platform::roundEven(DragTargetY * s.ScaleY));
        skip([&] { AimPointer(); });
        Timer2->setEnabled(false);
        Timer3->setEnabled(true);
        break;
    }
    case demo::Arrival::LastStep:
        TimEnd->setEnabled(true);
        Timer2->setEnabled(false);
        break;
    case demo::Arrival::HotSpot: {
        const int n = demo::hotSpotIndex(HitCode);
        if (n >= 71 && n <= 91 && !StartMenuOpen) {
            openStartMenu(n);
        } else {
            Timer2->setEnabled(false);
            skip([&] { ZhuClick(HitCode); });
        }
        break;
    }
    default:
        // A step with nothing to do on arrival ends there, rather than
        // carrying the pointer on past its aim.
        Timer2->setEnabled(false);
        skip([&] { doNext(); });
        break;
    }
}

void FrmYanShi::switchTab(const StepRecord &r) {
    const auto &s = S();
    if (TabPicSlot >= 1 && TabPicSlot <= 5)
        showPicture(overlayImage(TabPicSlot), bankPicture(r.slotPicture(TabPicSlot)));
    Label1->setVisible(true);
    LHelp->setCaption(TabHint);
    skip([&] { Label1->setHeight(TargetH * s.ScaleY); });
    skip([&] { Label1->setWidth(TargetW * s.ScaleX); });
    place(Shape1, rectOf(Label1));
    aimAt(Label1);
    skip([&] { AimPointer(); });
    Shape4->setLeft(StageMarkerLeft);
}

void FrmYanShi::startDrag(const QString &code) {
    aimAt(Label1);
    Dragging = true;
    skip([&] { AimPointer(); });
    Shape6->setLeft(Shape4->left());
    Shape6->setTop(Shape4->top());
    Shape6->setWidth(1);
    Shape6->setHeight(1);
    Shape6->setVisible(code.startsWith(QLatin1String("004")));
    Shape4->setLeft(StageMarkerLeft);
    Shape4->setWidth(15);
}

void FrmYanShi::startTyping(const StepRecord &r) {
    const QString line = r.answerLineField();
    if (StepRecord::isAllZeros(line)) {
        TypedText.clear();
    } else {
        // A file that cannot be read types nothing.
        TypedText = sim::readAnswerText(S().TextFilePath, sim::wholeValue(line)).value_or(QString());
    }
    TypedText = sim::initialTextOf(TypedText);
    const int from = demo::typingStart(Text1->text(), TypedText);
    if (from > 0) TypedCount = from;
}

void FrmYanShi::openStartMenu(int n) {
    const shell::Scale sc = scale();
    PicStart->setVisible(true);
    // Written afresh each time, so that the offsets never add up.
    for (const shell::PlacedItem &p : shell::startMenuSpots()) {
        shelljudge::place(LblZHU(p.item),
                          shell::Rect{p.left * sc.x + PicStart->left(), p.top * sc.y + PicStart->top(),
                                      p.width * sc.x, p.height * sc.y});
    }
    forms::Label *entry = LblZHU(n);
    place(Shape1, rectOf(entry));
    Shape1->setVisible(true);
    aimAt(entry);
    skip([&] { AimPointer(); });
    StartMenuOpen = true;
    Timer2->setEnabled(false);
    TimerStart->setEnabled(true);
}

void FrmYanShi::TimerStart_Timer() {
    bool arrived = false;
    skip([&] { arrived = glide(); });
    if (!arrived) return;
    TimerStart->setEnabled(false);
    skip([&] { ZhuClick(HitCode); });
}

// ---------------------------------------------------------------- typing, dragging, waiting

void FrmYanShi::Timer1_Timer() {
    if (!playing()) {
        Timer1->setEnabled(false);
        return;
    }
    const QString code = rec().actionCode();
    TypedCount += 1;
    // Selecting a text types nothing and ends at once, whatever its length.
    const bool selecting = code == QLatin1String("0023");
    if (!selecting) {
        forms::TextBox *box = code == QLatin1String("0021") ? Text2 : Text1;
        skip([&] { box->setText(TypedText.left(TypedCount)); });
        skip([&] { box->setSelStart(TypedCount); });
        if (TypedCount < TypedText.size()) return;
    }
    TypedCount = 0;
    Timer1->setEnabled(false);
    if (code == QLatin1String("0026") || code == QLatin1String("0022")) {
        // The confirming click on the red box is the step's second leg.
        aimAt(Label1);
        skip([&] { AimPointer(); });
        Shape4->setLeft(StageMarkerLeft);
        Timer2->setEnabled(true);
    } else {
        skip([&] { doNext(); });
    }
}

void FrmYanShi::Timer3_Timer() {
    if (!playing()) return;
    PointerX += StepDX;
    PointerY += StepDY;
    pointMove();
    // Centred on the pointer, held in single precision as the image holds it.
    Image5->setLeft(double(float(PointerX - Image5->width() / 2)));
    Image5->setTop(double(float(PointerY - Image5->height() / 2)));
    if (demo::hasArrived(PointerX, PointerY, AimX, AimY, StepLen, S().ScaleX)) {
        doNext();
        Timer3->setEnabled(false);
    }
}

void FrmYanShi::Timer4_Timer() {
    TickCount += 1;
    if (TickCount >= 5) {
        TickCount = 0;
        Timer4->setEnabled(false);
        doNext();
    }
}

void FrmYanShi::Timer9_Timer() {
    if (!playing()) return;
    TickCount += 1;
    if (TickCount >= 3) {
        TickCount = 0;
        skip([&] { doNext(); });
        Timer9->setEnabled(false);
    }
}

// ---------------------------------------------------------------- panel legs

bool FrmYanShi::panelLegArrived(forms::Timer *leg) {
    if (!playing()) return false;
    bool arrived = false;
    skip([&] { arrived = glide(); });
    if (!arrived) return false;
    placeClickBox();
    Timer5->setEnabled(true);
    leg->setEnabled(false);
    return true;
}

void FrmYanShi::Timer6_Timer() {
    if (!panelLegArrived(Timer6)) return;
    TickCount = 0;
    skip([&] { Tool1JClick(Target1J); });
}

void FrmYanShi::Timer7_Timer() {
    if (!panelLegArrived(Timer7)) return;
    TickCount = 0;
    skip([&] { Tool2JClick(Target2J); });
}

void FrmYanShi::Timer8_Timer() {
    if (!panelLegArrived(Timer8)) return;
    // The fallback should the row click not end the step.
    Timer9->setEnabled(true);
    skip([&] { Tool3JClick(Target3J); });
}

void FrmYanShi::panelStepChange() {
    if (TargetBranch == QLatin1String("0")) {
        skip([&] { doNext(); });
        return;
    }
    // A jump keeps the timers running; the panel legs of this step must
    // not click on into the step jumped to.
    for (forms::Timer *t : {Timer7, Timer8, Timer9}) t->setEnabled(false);
    skip([&] { GoStep(TargetBranch); });
}

void FrmYanShi::Tool1JClick(int &Index) {
    const shell::Scale sc = scale();
    Target1J = Index;
    const QString id = shell::subMenuId(HitCode, Target1J);
    if (shell::opensLevel2(id)) {
        showPicture(Pic2J, shellPicture(shell::level2PictureName(id)));
        skip([&] { Pic2J->setLeft(Pic1J->left() + Pic1J->width() -
                                              demo::level2Overlap(id, HitCode) * sc.x); });
        skip([&] { Pic2J->setTop(Lbl1J(Target1J)->top() - 45 * sc.y); });
        if (width() - Pic2J->width() < Pic2J->left())
            Pic2J->setLeft(Pic1J->left() - Pic2J->width() + 15 * sc.x);
        Pic2J->setVisible(true);
    }
    if (id == QLatin1String("S112") || id == QLatin1String("S113")) {
        skip([&] { Pic2J->setLeft(Lbl1J(Index)->left() + Lbl1J(Index)->width()); });
        skip([&] { Pic2J->setTop(Pic1J->top()); });
    }
    const shell::Point kept = shell::clampLevel2(shell::Point{Pic2J->left(), Pic2J->top()},
                                                 Pic2J->width(), Pic2J->height(), Pic1J->left(), sc);
    if (kept.y != Pic2J->top()) Pic2J->setTop(kept.y);
    if (kept.x != Pic2J->left()) Pic2J->setLeft(kept.x);
    skip([&] { Tool2JCSH(); });
    skip([&] { Img1J->setLeft(Lbl1J(Index)->left()); });
    skip([&] { Img1J->setTop(Lbl1J(Index)->top()); });
    showPicture(Img1J, shellPicture(demo::level1Highlight(HitCode, Index)));
    Img1J->setVisible(true);
    if (Target2J == 0) {
        panelStepChange();
        Pic1J->setPicture(forms::Picture());
    }
}

void FrmYanShi::Tool2JClick(int &Index) {
    const int m = Index;
    if (shell::opensLevel3(HitCode, Target1J, Target2J)) {
        showPicture(Pic3J, shellPicture(shell::level3Picture(m)));
        skip([&] { Pic3J->setLeft(Pic2J->left() + Pic2J->width() - 15 * S().ScaleX); });
        skip([&] { Pic3J->setTop(Lbl2J(m)->top()); });
        Pic3J->setVisible(true);
        skip([&] { Img2J->setLeft(Lbl2J(m)->left()); });
        skip([&] { Img2J->setTop(Lbl2J(m)->top()); });
        showPicture(Img2J, shellPicture(demo::level2Highlight(m)));
        Img2J->setVisible(true);
        skip([&] { Tool3JCSH(); });
    } else if (Target2J != 0) {
        panelStepChange();
        Img1J->setVisible(false);
    }
}

void FrmYanShi::Tool3JClick(int &) {
    // Without a row to click, the short wait ends the step.
    if (Target3J == 0) return;
    panelStepChange();
    Img1J->setVisible(false);
    Img2J->setVisible(false);
    Pic3J->setVisible(false);
}

// ---------------------------------------------------------------- advance and end

void FrmYanShi::doNext() {
    if (!playing()) return;
    for (forms::Timer *t :
         {Timer1, Timer2, Timer3, Timer4, Timer5, Timer6, Timer7, Timer8, Timer9, Timer10, Timer11})
        t->setEnabled(false);
    if (rec().actionCode() == QLatin1String("9999")) {
        Timer2->setEnabled(false);
        Shape5->move(-500, -500);
        // Parked without being drawn: the arrow stays where it was seen.
        PointerX = PointerY = -500;
        TimEnd->setEnabled(true);
        return;
    }
    ++DemoStep;
    setData();
}

void FrmYanShi::GoStep(const QString &cStep) {
    if (cStep == QLatin1String("0")) return;
    DemoStep = sim::branchStep(cStep);
    skip([&] { setData(); });
}

void FrmYanShi::endStep() {
    if (TargetBranch == QLatin1String("0"))
        doNext();
    else
        GoStep(TargetBranch);
}

void FrmYanShi::TimEnd_Timer() {
    skip([&] { Shape5->move(-500, -500); });
    TickCount += 1;
    if (TickCount < 4) return;
    handBack();
}

void FrmYanShi::handBack() {
    // Every timer of the window, not only those of the steps.
    stopTimers();
    TickCount = 0;
    DemoStep = 1;
    S().DemoPlaying = false;
    // Deleted once the handler running now has returned.
    skip([&] { unload(); });
    skip([] { forms::form<FrmMain>()->show(); });
    skip([] { forms::form<FrmTm>()->TimerREDO->setEnabled(true); });
    skip([] { forms::form<FrmTm>()->show(); });
}
