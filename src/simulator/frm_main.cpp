#include "simulator/frm_main.h"

#include "panel/frm_tm.h"
#include "platform/paths.h"
#include "platform/text.h"
#include "simulator/shell_judging_frm.h"
#include "simulator/shell_tables.h"
#include "simulator/step_controls.h"
#include "startup/run_state.h"

#include <cmath>
#include <cstdlib>

using forms::skip;
using sim::StepRecord;

namespace {

startup::RunState &S() {
    return startup::state();
}

forms::Image *newImage(forms::Container *c, const char *name) {
    return c->add<forms::Image>(QString::fromLatin1(name));
}

forms::PictureBox *newRegion(forms::Container *c, const char *name) {
    auto *p = c->add<forms::PictureBox>(QString::fromLatin1(name));
    p->setBorderStyle(0);
    p->setAutoSize(true);
    return p;
}

forms::Label *newSpotLabel(forms::Label *l) {
    l->setBackStyle(forms::vbTransparent);
    l->setCaption(QString());
    return l;
}

forms::Shape *newFrame(forms::Container *c, const char *name, forms::Color colour, int width) {
    auto *s = c->add<forms::Shape>(QString::fromLatin1(name));
    s->setShape(forms::vbShapeRectangle);
    s->setBorderColor(colour);
    s->setBorderWidth(width);
    s->setBorderStyle(forms::vbBSSolid);
    return s;
}

} // namespace

FrmMain::FrmMain() : forms::Form(QStringLiteral("FrmMain")) {
    createControls();
    wireEvents();
    onLoad = [this] { Form_Load(); };
}

FrmMain::~FrmMain() = default;

void FrmMain::createControls() {
    setBorderStyle(forms::vbBSNone);
    setBackColor(forms::rgb(195, 217, 249));
    setWidth(15360);
    setHeight(9000);

    // Windowed children, back to front (see the header).
    PicTable = newRegion(this, "PicTable");
    PicMyPc = newRegion(this, "PicMyPc");
    PicCtrl = newRegion(this, "PicCtrl");
    PicHui = newRegion(this, "PicHui");
    PicTool = newRegion(this, "PicTool");
    PicMenu = newRegion(this, "PicMenu");
    for (auto *p : {PicTable, PicMyPc, PicCtrl, PicHui, PicTool, PicMenu}) p->setVisible(false);
    Image6 = newRegion(this, "Image6");
    Image6->setVisible(false);
    ImgElse = newRegion(this, "ImgElse");
    ImgElse->setVisible(false);
    Text1 = add<forms::TextBox>(QStringLiteral("Text1"));
    Text2 = add<forms::TextBox>(QStringLiteral("Text2"));
    Text3 = add<forms::TextBox>(QStringLiteral("Text3"));
    // The box of a page or a document: its text starts at the top.
    Text3->setMultiLine(true);
    for (auto *t : {Text1, Text2, Text3}) t->setVisible(false);
    PicStart = newRegion(this, "PicStart");
    PicStart->setVisible(false);
    Pic1J = newRegion(this, "Pic1J");
    Pic2J = newRegion(this, "Pic2J");
    Pic3J = newRegion(this, "Pic3J");
    for (auto *p : {Pic1J, Pic2J, Pic3J}) p->setVisible(false);

    // Windowless controls of the window, back to front.
    Image1 = newImage(this, "Image1");
    Image2 = newImage(this, "Image2");
    Image3 = newImage(this, "Image3");
    Image4 = newImage(this, "Image4");
    Image5 = newImage(this, "Image5");
    for (auto *i : {Image1, Image2, Image3, Image4, Image5}) i->setVisible(false);

    LHelp = add<forms::Label>(QStringLiteral("LHelp"));
    LHelp->setBackStyle(forms::vbOpaque);
    LHelp->setBackColor(forms::rgb(255, 255, 192));
    LHelp->setForeColor(forms::rgb(255, 0, 0));
    {
        forms::Font f;
        f.name = QStringLiteral("宋体");
        f.bold = true;
        LHelp->setFont(f);
    }
    LHelp->setAutoSize(true);
    // The bold 宋体 stand-in sets its lines edge to edge: a hint of two
    // lines reads better with a little air between them.
    LHelp->setLineGap(3);

    LblSuccess = add<forms::Label>(QStringLiteral("LblSuccess"));
    LblSuccess->setCaption(QStringLiteral("操作成功！"));
    LblSuccess->setForeColor(forms::rgb(255, 0, 0));
    LblSuccess->setBackStyle(forms::vbTransparent);
    LblSuccess->setAutoSize(true);
    LblSuccess->setVisible(false);

    ImgLogo = newImage(this, "ImgLogo");
    ImgLogo->setStretch(true);
    lblMove = newSpotLabel(add<forms::Label>(QStringLiteral("lblMove")));
    StartMenu = newSpotLabel(add<forms::Label>(QStringLiteral("StartMenu")));
    Label4 = newSpotLabel(add<forms::Label>(QStringLiteral("Label4")));
    Label1 = newSpotLabel(add<forms::Label>(QStringLiteral("Label1")));
    for (int i = 0; i <= 13; ++i) {
        auto *l = newSpotLabel(LblXXK.load(i));
        l->move(-1, -1, 1, 1);
    }

    Shape6 = newFrame(this, "Shape6", forms::sys::WindowText, 1);
    Shape6->setBorderStyle(forms::vbBSDot);
    Shape6->setVisible(false);
    Shape4 = newFrame(this, "Shape4", forms::rgb(0, 255, 0), 2);
    Shape1 = newFrame(this, "Shape1", forms::rgb(255, 0, 0), 2);
    Shape2 = newFrame(this, "Shape2", forms::rgb(255, 255, 0), 2);
    Shape2->move(22200, 12600, 975, 375);
    ShapeStart = newFrame(this, "ShapeStart", forms::rgb(255, 0, 0), 2);
    ShapeStart->setVisible(false);

    // The hint, the success label and the marks must be read over the region
    // pictures, yet the start menu and the panels pop over them; the mouse
    // goes through them to the spot beneath.
    for (forms::WindowlessControl *c : std::initializer_list<forms::WindowlessControl *>{
             LHelp, LblSuccess, Shape6, Shape4, Shape1, Shape2})
        c->setDrawnAbove(true);
    setOverlayBeneath(PicStart);

    // Inside the regions: hover image, hot spots, hint frame.
    struct RegionSpots {
        forms::PictureBox *box;
        forms::Image **hover;
        const char *hoverName;
        int first, last;
        forms::Shape **frame;
        const char *frameName;
    };
    const RegionSpots regions[] = {
        {PicMenu, &ImgMenu, "ImgMenu", 1, 10, &ShapeMenu, "ShapeMenu"},
        {PicTool, &ImgTool, "ImgTool", 11, 23, &ShapeTool, "ShapeTool"},
        {PicHui, &ImgHui, "ImgHui", 24, 40, &ShapeHui, "ShapeHui"},
        {PicCtrl, nullptr, nullptr, 41, 60, &ShapeCtrl, "ShapeCtrl"},
        {PicTable, &ImgTable, "ImgTable", 61, 70, &ShapeTable, "ShapeTable"},
        {PicStart, &ImgStart, "ImgStart", 71, 91, nullptr, nullptr},
        {PicMyPc, &ImgMyPc, "ImgMyPc", 92, 99, &ShapeMyPc, "ShapeMyPc"},
    };
    for (const auto &r : regions) {
        if (r.hover) *r.hover = newImage(r.box, r.hoverName);
        for (int i = r.first; i <= r.last; ++i) {
            const shell::Rect d = shell::designSpotRect(i);
            newSpotLabel(LblZHU.load(i, r.box))->move(d.left, d.top, d.width, d.height);
        }
        if (r.frame) {
            *r.frame = newFrame(r.box, r.frameName, forms::rgb(255, 0, 0), 2);
            (*r.frame)->setVisible(false);
        }
    }

    // Inside the panels.
    Img1jBK = newImage(Pic1J, "Img1jBK");
    Img1J = newImage(Pic1J, "Img1J");
    for (int i = 1; i <= 44; ++i) newSpotLabel(Lbl1J.load(i, Pic1J));
    Shape1J = newFrame(Pic1J, "Shape1J", forms::rgb(123, 160, 205), 1);
    for (int i = 1; i <= 44; ++i) newSpotLabel(Lbl2J.load(i, Pic2J));
    Shape2J = newFrame(Pic2J, "Shape2J", forms::rgb(123, 160, 205), 1);
    Img3J = newImage(Pic3J, "Img3J");
    for (int i = 1; i <= 9; ++i) newSpotLabel(Lbl3J.load(i, Pic3J));

    Timer2 = new forms::Timer(this, QStringLiteral("Timer2"));
    Timer2->setInterval(100);
    Timer3 = new forms::Timer(this, QStringLiteral("Timer3"));
    Timer3->setInterval(1000);
    TimerDisFK = new forms::Timer(this, QStringLiteral("TimerDisFK"));
    TimerDisFK->setInterval(100);
}

void FrmMain::wireEvents() {
    using B = int;
    onClick = [this] { Form_Click(); };
    onKeyUp = [this](int &k, int s) { Form_KeyUp(k, s); };
    onQueryUnload = [this](int &cancel, int mode) { Form_QueryUnload(cancel, mode); };
    onMouseMove = [this](B b, B s, double x, double y) { Form_MouseMove(b, s, x, y); };
    lblMove->onMouseDown = [this](B b, B s, double x, double y) { lblMove_MouseDown(b, s, x, y); };
    Timer2->onTimer = [this] { Timer2_Timer(); };
    Timer3->onTimer = [this] { Timer3_Timer(); };
    TimerDisFK->onTimer = [this] { TimerDisFK_Timer(); };

    Image1->onClick = [this] { Image1_Click(); };
    Image2->onClick = [this] { Image2_Click(); };
    Image3->onClick = [this] { Image3_Click(); };
    Image4->onClick = [this] { Image4_Click(); };
    Image5->onClick = [this] { Image5_Click(); };
    Image6->onClick = [this] { Image6_Click(); };
    Image1->onMouseMove = [this](B b, B s, double x, double y) { Image1_MouseMove(b, s, x, y); };
    Image2->onMouseMove = [this](B b, B s, double x, double y) { Image2_MouseMove(b, s, x, y); };
    Image3->onMouseMove = [this](B b, B s, double x, double y) { Image3_MouseMove(b, s, x, y); };
    Image4->onMouseMove = [this](B b, B s, double x, double y) { Image4_MouseMove(b, s, x, y); };
    Image5->onMouseMove = [this](B b, B s, double x, double y) { Image5_MouseMove(b, s, x, y); };
    Image5->onMouseUp = [this](B b, B s, double x, double y) { Image5_MouseUp(b, s, x, y); };
    Image6->onKeyDown = [this](int &k, int s) { Image6_KeyDown(k, s); };
    ImgElse->onKeyUp = [this](int &k, int s) { ImgElse_KeyUp(k, s); };
    ImgElse->onMouseMove = [this](B b, B s, double x, double y) { ImgElse_MouseMove(b, s, x, y); };
    ImgElse->onMouseUp = [this](B b, B s, double x, double y) { ImgElse_MouseUp(b, s, x, y); };
    ImgElse->onDblClick = [this] { ImgElse_DblClick(); };
    Label1->onDblClick = [this] { Label1_DblClick(); };
    Label1->onMouseMove = [this](B b, B s, double x, double y) { Label1_MouseMove(b, s, x, y); };
    Label1->onMouseUp = [this](B b, B s, double x, double y) { Label1_MouseUp(b, s, x, y); };
    Label4->onMouseDown = [this](B b, B s, double x, double y) { Label4_MouseDown(b, s, x, y); };
    Label4->onMouseMove = [this](B b, B s, double x, double y) { Label4_MouseMove(b, s, x, y); };
    Label4->onMouseUp = [this](B b, B s, double x, double y) { Label4_MouseUp(b, s, x, y); };
    Text1->onChange = [this] { Text1_Change(); };
    Text1->onGotFocus = [this] { Text1_GotFocus(); };
    Text1->onKeyUp = [this](int &k, int s) { Text1_KeyUp(k, s); };
    Text1->onMouseUp = [this](B b, B s, double x, double y) { Text1_MouseUp(b, s, x, y); };
    Text2->onChange = [this] { Text2_Change(); };
    Text3->onChange = [this] { Text3_Change(); };
    Text3->onGotFocus = [this] { Text3_GotFocus(); };

    LblZHU.onMouseMove = [this](int i, B b, B s, double x, double y) {
        LblZHU_MouseMove(i, b, s, x, y);
    };
    LblZHU.onMouseUp = [this](int i, B b, B s, double x, double y) {
        LblZHU_MouseUp(i, b, s, x, y);
    };
    LblZHU.onDblClick = [this](int i) { LblZHU_DblClick(i); };
    Lbl1J.onClick = [this](int i) { Lbl1J_Click(i); };
    Lbl1J.onMouseMove = [this](int i, B b, B s, double x, double y) {
        Lbl1J_MouseMove(i, b, s, x, y);
    };
    Lbl2J.onClick = [this](int i) { Lbl2J_Click(i); };
    Lbl2J.onMouseMove = [this](int i, B b, B s, double x, double y) {
        Lbl2J_MouseMove(i, b, s, x, y);
    };
    Lbl3J.onClick = [this](int i) { Lbl3J_Click(i); };
    Lbl3J.onMouseMove = [this](int i, B b, B s, double x, double y) {
        Lbl3J_MouseMove(i, b, s, x, y);
    };
    LblXXK.onClick = [this](int i) { LblXXK_Click(i); };

    PicTable->onMouseUp = [this](B b, B s, double x, double y) { PicTable_MouseUp(b, s, x, y); };
    PicTool->onMouseUp = [this](B b, B s, double x, double y) { PicTool_MouseUp(b, s, x, y); };
    PicMyPc->onMouseUp = [this](B b, B s, double x, double y) { PicMyPc_MouseUp(b, s, x, y); };
    StartMenu->onMouseUp = [this](B b, B s, double x, double y) { StartMenu_MouseUp(b, s, x, y); };
    PicMyPc->onMouseMove = [this](B b, B s, double x, double y) { PicMyPc_MouseMove(b, s, x, y); };
    PicTable->onMouseMove = [this](B b, B s, double x, double y) {
        PicTable_MouseMove(b, s, x, y);
    };
    PicCtrl->onMouseMove = [this](B b, B s, double x, double y) { PicCtrl_MouseMove(b, s, x, y); };
    Pic1J->onKeyDown = [this](int &k, int s) { Pic1J_KeyDown(k, s); };
    Pic1J->onMouseUp = [this](B b, B s, double x, double y) { Pic1J_MouseUp(b, s, x, y); };
    Pic2J->onKeyDown = [this](int &k, int s) { Pic2J_KeyDown(k, s); };
    PicMyPc->onKeyDown = [this](int &k, int s) { PicMyPc_KeyDown(k, s); };
    PicTable->onKeyDown = [this](int &k, int s) { PicTable_KeyDown(k, s); };
    PicCtrl->onKeyDown = [this](int &k, int s) { PicCtrl_KeyDown(k, s); };
    PicHui->onKeyUp = [this](int &k, int s) { PicHui_KeyUp(k, s); };
    PicMenu->onKeyUp = [this](int &k, int s) { PicMenu_KeyUp(k, s); };
    PicTool->onKeyUp = [this](int &k, int s) { PicTool_KeyUp(k, s); };
}

StepRecord FrmMain::rec() const {
    return StepRecord(S().CurRecord);
}

QString FrmMain::bankPicture(const QString &name) const {
    return S().DataPath + name + QStringLiteral(".mxy");
}

QString FrmMain::shellPicture(const QString &name) const {
    return ExamDataDir + name + QStringLiteral(".mxy");
}

forms::Image *FrmMain::overlayImage(int slot) const {
    return sim::overlaySlot({Image1, Image2, Image3, Image4, Image5}, slot);
}

// ---------------------------------------------------------------- window

void FrmMain::Form_Load() {
    auto &s = S();
    const double sx = s.ScaleX, sy = s.ScaleY;
    skip([&] { setIcon(forms::loadPicture(bankPicture(QStringLiteral("l62011")))); });
    skip([&] {
        setLeft(0);
        setTop(0);
        setWindowState(forms::vbMaximized);
    });
    skip([&] {
        if (forms::Screen::height() / forms::Screen::twipsPerPixelY() > 650) {
            setWindowState(forms::vbNormal);
            setWidth(15360 * sx);
            setHeight(9000 * sy);
            setLeft((forms::Screen::width() - width()) / 2);
            setTop((forms::Screen::height() - height()) / 2);
        }
    });
    skip([&] { DockPanel(); });
    skip([&] { LHelp->setFontSize(11 * sx); });
    skip([&] { LblXXK(0)->setFontSize(9 * sx); });
    skip([&] { Label1->setCaption(QString()); });
    skip([&] { ImgLogo->move(13320 * sx, 8010 * sy, 1740 * sx, 345 * sy); });
    skip([&] { ImgLogo->loadPicture(bankPicture(QStringLiteral("l62009"))); });
    skip([&] { PicTable->loadPicture(bankPicture(QStringLiteral("9lX001"))); });
    skip([&] { PicMyPc->loadPicture(bankPicture(QStringLiteral("9lX002"))); });
    skip([&] { PicCtrl->loadPicture(bankPicture(QStringLiteral("9lX003"))); });
    StyleTable.load(bankPicture(QStringLiteral("288905")));
    TabSetTable.load(bankPicture(QStringLiteral("288906")));
    for (int q = 0; q < 40; ++q) s.StepMemo[q] = 1;
    ExamDataDir = platform::programFolder() + QStringLiteral("examdata/");
    // The desktop icons of the sample desktop, top to bottom: recycle bin,
    // network, Computer, Control Panel.
    skip([&] { LblZHU(61)->setToolTipText(QStringLiteral("包含您已经删除的文件和文件夹。")); });
    skip([&] { LblZHU(62)->setToolTipText(QStringLiteral("访问网络上的计算机和设备。")); });
    skip([&] {
        LblZHU(63)->setToolTipText(QStringLiteral("显示连接到此计算机上的驱动器和硬件。"));
    });
    skip([&] { LblZHU(64)->setToolTipText(QStringLiteral("更改您的计算机设置并自定义其功能。")); });
    skip([&] { lblMove->move(1440 * sx, 0, 9495 * sx, 375 * sy); });
    skip([&] {
        LblSuccess->setFontSize(72 * sx);
        LblSuccess->setLeft(4110 * sx);
        LblSuccess->setTop(3840 * sy);
        LblSuccess->setVisible(false);
    });
    skip([&] { ToolCSH(); });
}

void FrmMain::DockPanel() {
    FrmTm *tm = forms::form<FrmTm>();
    tm->setLeft(effectiveLeft() + effectiveWidth() - tm->width());
    tm->setTop(effectiveTop() + effectiveHeight() - tm->height());
}

void FrmMain::Form_Click() {
    HitCode = QStringLiteral("00");
}

void FrmMain::Form_KeyUp(int &KeyCode, int Shift) {
    KeyClick(KeyCode, Shift);
}

void FrmMain::Form_MouseMove(int, int, double X, double Y) {
    MovementRule(X, Y);
}

void FrmMain::MovementRule(double X, double Y) {
    const auto &s = S();
    if (std::abs(X - LastMouseX) > 300 * s.ScaleX || std::abs(Y - LastMouseY) > 300 * s.ScaleY) {
        LastMouseX = static_cast<int>(platform::roundEven(X));
        LastMouseY = static_cast<int>(platform::roundEven(Y));
        // A reset that fails here has nobody to report to; the pointer
        // simply moves on.
        skip([&] { frmCsh(); });
    }
}

void FrmMain::lblMove_MouseDown(int Button, int, double, double) {
    if (forms::Screen::height() / forms::Screen::twipsPerPixelY() < 650) return;
    if (Button == forms::vbLeftButton) dragWindow();
    DockPanel();
}

void FrmMain::raiseWindows() {
    skip([&] { forms::form<FrmTm>()->bringToTop(); });
    skip([&] { bringToTop(); });
}

// ---------------------------------------------------------------- reset

void FrmMain::frmCsh() {
    ShapeCSH();
    Pic1J->setVisible(false);
    Pic2J->setVisible(false);
    Pic3J->setVisible(false);
    for (auto *i : {ImgMenu, ImgTool, ImgTable, ImgHui, ImgMyPc}) i->setPicture(forms::Picture());

    const StepRecord r = rec();
    const bool extra = r.namesExtraPic() && !ExpectedHits[1].startsWith(QLatin1Char('Q'));
    // The reset runs on pointer moves, so its pictures come from the
    // window's cache. A picture that cannot be loaded leaves the extra
    // picture blank; the rest of the reset (above all closing the start
    // menu) still runs.
    showPictureOrNone(ImgElse, bankPicture(extra ? r.extraPicName() : QStringLiteral("000000")));

    ImgStart->setPicture(forms::Picture());

    shelljudge::showSelectedDrive(*this, r);

    if (HitCode < QLatin1String("71") || HitCode > QLatin1String("91")) PicStart->setVisible(false);
}

void FrmMain::questionLoading() {
    // Between the steps of one question a start-menu code keeps the menu
    // open (frmCsh). A question loaded inherits nothing of the one before:
    // a menu left open may cover its targets, and a code left over would
    // keep the start menu open and a pointed-at link panel from opening.
    HitCode = QStringLiteral("00");
    Sel1J = 0;
    Sel2J = 0;
    for (forms::PictureBox *p : {PicStart, Pic1J, Pic2J, Pic3J}) p->setVisible(false);
}

// ---------------------------------------------------------------- flow

void FrmMain::Timer2_Timer() {
    setData();
    Timer2->setEnabled(false);
}

void FrmMain::Timer3_Timer() {
    if (ActionValue == 8888) doNext();
}

void FrmMain::standStill() {
    for (forms::Timer *t : {Timer2, Timer3, TimerDisFK}) t->setEnabled(false);
}

void FrmMain::doNext() {
    skip([&] { frmCsh(); });
    PicStart->setVisible(false);
    HitCode = QStringLiteral("00");
    Sel1J = 0;
    if (rec().actionCode() == QLatin1String("9999")) {
        markQuestionDone();
    } else {
        S().CurStep += 1;
        setData();
    }
    raiseWindows();
}

void FrmMain::GoStep(const QString &cStep) {
    if (cStep == QLatin1String("0")) return;
    S().CurStep = sim::branchStep(cStep);
    setData();
}

void FrmMain::markQuestionDone() {
    auto &s = S();
    const int q = s.CurQuestion - 1;
    if (q >= 0 && q < startup::kMaxQuestions && s.QuestionStatus[q] < startup::StatusDone)
        s.QuestionStatus[q] += startup::StatusDone;
}
