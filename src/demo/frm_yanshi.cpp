#include "demo/frm_yanshi.h"

#include "panel/frm_tm.h"
#include "platform/paths.h"
#include "platform/text.h"
#include "simulator/frm_main.h"
#include "simulator/shell_judging_frm.h"
#include "simulator/step_controls.h"
#include "startup/run_state.h"

using forms::skip;
using shelljudge::scale;

namespace {

startup::RunState &S() {
    return startup::state();
}

forms::Image *newImage(forms::Container *c, const char *name) {
    return c->add<forms::Image>(QString::fromLatin1(name));
}

forms::Shape *newFrame(forms::Container *c, const char *name, forms::Color colour, int width) {
    auto *s = c->add<forms::Shape>(QString::fromLatin1(name));
    s->setShape(forms::vbShapeRectangle);
    s->setBorderColor(colour);
    s->setBorderWidth(width);
    s->setBorderStyle(forms::vbBSSolid);
    return s;
}

forms::Label *newSpotLabel(forms::Label *l, shell::Rect design) {
    l->setBackStyle(forms::vbTransparent);
    l->setCaption(QString());
    l->move(design.left, design.top, design.width, design.height);
    return l;
}

forms::Timer *newTimer(forms::Form *f, const char *name, int ms) {
    auto *t = new forms::Timer(f, QString::fromLatin1(name));
    t->setInterval(ms);
    return t;
}

} // namespace

FrmYanShi::FrmYanShi() : forms::Form(QStringLiteral("FrmYanShi")) {
    createControls();
    // Relative to their pictures the spots start where the labels were made.
    barSpots_.fill(demo::DemoSpotDesign);
    paneSpots_.fill(demo::DemoSpotDesign);
    onLoad = [this] { Form_Load(); };
    // The desktop's close breaks the demonstration off as a double-click
    // does: the closing hands the screen and the panel back. Unloaded
    // at once, it would leave both hidden and the demonstration playing.
    onQueryUnload = [this](int &cancel, int mode) {
        if (mode != forms::vbFormControlMenu) return;
        cancel = 1;
        TimEnd->setEnabled(true);
    };
    // Nothing of a closed demonstration may tick on.
    onUnload = [this](int &) { stopTimers(); };
    wirePlayer();
}

void FrmYanShi::stopTimers() {
    for (forms::Timer *t : timers()) t->setEnabled(false);
}

FrmYanShi::~FrmYanShi() = default;

void FrmYanShi::createControls() {
    setBorderStyle(forms::vbBSNone);
    setBackColor(forms::Color(0xF9D9C3));
    setCaption(QString());
    setWidth(15360);
    setHeight(9000);

    // Windowless controls, back to front (see the header).
    Image1 = newImage(this, "Image1");
    Image2 = newImage(this, "Image2");
    Image3 = newImage(this, "Image3");
    Image4 = newImage(this, "Image4");
    Image5 = newImage(this, "Image5");
    for (forms::Image *i : {Image1, Image2, Image3, Image4}) i->move(0, 0, 495, 495);
    Image5->move(0, 0, 870, 270);
    PicStart = newImage(this, "PicStart");
    PicStart->setVisible(false);
    ImgStart = newImage(this, "ImgStart");
    ImgMyPc = newImage(this, "ImgMyPc");
    ImgMyPc->move(0, 0, 735, 495);
    PicMyPc = newImage(this, "PicMyPc");
    PicTool = newImage(this, "PicTool");
    Shape2 = newFrame(this, "Shape2", forms::rgb(255, 255, 0), 2);
    Shape2->move(-3000, -3000, 2295, 375);
    Shape4 = newFrame(this, "Shape4", forms::rgb(0, 255, 0), 2);
    for (int i = 0; i <= 13; ++i) {
        forms::Label *l = LblXXK.load(i);
        l->setBackStyle(forms::vbTransparent);
        l->setCaption(QStringLiteral("选项卡"));
        l->move(0, 0, 1335, 375);
    }
    LHelp = add<forms::Label>(QStringLiteral("LHelp"));
    LHelp->setBackStyle(forms::vbOpaque);
    LHelp->setBackColor(forms::Color(0xC0FFFF));
    LHelp->setForeColor(forms::Color(0x0000FF));
    {
        forms::Font f;
        f.name = QStringLiteral("宋体");
        f.size = 10.5;
        f.bold = true;
        LHelp->setFont(f);
    }
    LHelp->setAutoSize(true);
    PicMenu = newImage(this, "PicMenu");
    ImgMenu = newImage(this, "ImgMenu");
    ImgTool = newImage(this, "ImgTool");
    PicHui = newImage(this, "PicHui");
    ImgHui = newImage(this, "ImgHui");
    for (forms::Image *i : {ImgStart, ImgMenu, ImgTool, ImgHui}) i->move(0, 0, 870, 270);
    Pic1J = newImage(this, "Pic1J");
    Pic2J = newImage(this, "Pic2J");
    Img1J = newImage(this, "Img1J");
    ImgICO = newImage(this, "ImgICO");
    ImgICO->move(0, 0, 480, 480);
    ImgICO->setVisible(false);
    Shape6 = newFrame(this, "Shape6", forms::rgb(0, 0, 0), 1);
    Shape6->setBorderStyle(forms::vbBSDot);
    Shape5 = newFrame(this, "Shape5", forms::Color(0x0000FF), 2);
    // Hidden beyond the right edge until the first arrival.
    Shape5->move(16200, 600, demo::ClickBoxSize, demo::ClickBoxSize);
    Shape5->setVisible(false);
    Pic3J = newImage(this, "Pic3J");
    for (int i = 0; i <= 5; ++i) {
        forms::Line *l = LPoinB.load(i);
        l->setBorderColor(forms::Color(0xFFFFFF));
        l->setBorderWidth(2);
    }
    for (int i = 0; i <= 7; ++i) {
        forms::Line *l = LPoint.load(i);
        l->setBorderColor(forms::sys::WindowText);
        l->setBorderWidth(1);
    }
    Shape1 = newFrame(this, "Shape1", forms::Color(0x0000FF), 2);
    Img2J = newImage(this, "Img2J");
    ImgLogo = add<forms::Label>(QStringLiteral("ImgLogo"));
    ImgLogo->setBackStyle(forms::vbOpaque);
    ImgLogo->setWordWrap(true);

    // The transparent labels draw nothing; they lie in front so that a
    // spot is never covered by the picture it belongs to.
    Label4 = newSpotLabel(add<forms::Label>(QStringLiteral("Label4")), {0, 0, 1335, 615});
    Label1 = newSpotLabel(add<forms::Label>(QStringLiteral("Label1")), {0, 0, 1215, 495});
    for (int i = 0; i <= 105; ++i) newSpotLabel(LblZHU.load(i), demo::DemoSpotDesign);
    for (int i = 0; i <= shell::PanelItemCount; ++i) newSpotLabel(Lbl1J.load(i), demo::SpareItem);
    for (int i = 0; i <= shell::PanelItemCount; ++i) newSpotLabel(Lbl2J.load(i), demo::SpareItem);
    for (int i = 0; i <= 10; ++i) newSpotLabel(Lbl3J.load(i), demo::SpareLevel3Last);
    Lbl3J(0)->move(demo::SpareLevel3First.left, demo::SpareLevel3First.top,
                   demo::SpareLevel3First.width, demo::SpareLevel3First.height);

    // Windowed children, in front of everything drawn on the window.
    Image6 = add<forms::PictureBox>(QStringLiteral("Image6"));
    Image6->setBorderStyle(0);
    Image6->setAutoSize(true);
    Image6->move(0, 0, 1215, 495);
    Image6->setVisible(false);
    Text1 = add<forms::TextBox>(QStringLiteral("Text1"));
    Text1->move(0, 0, 8865, 225);
    {
        forms::Font f;
        f.name = QStringLiteral("宋体");
        f.size = 12;
        Text1->setFont(f);
    }
    Text2 = add<forms::TextBox>(QStringLiteral("Text2"));
    Text2->move(0, 0, 1500, 225);
    Text2->setText(QStringLiteral("新建文件夹"));
    Text4 = add<forms::TextBox>(QStringLiteral("Text4"));
    Text4->move(0, 0, 735, 270);
    for (forms::TextBox *t : {Text1, Text2, Text4}) t->setVisible(false);

    Timer1 = newTimer(this, "Timer1", 500);
    Timer2 = newTimer(this, "Timer2", 100);
    Timer3 = newTimer(this, "Timer3", 100);
    Timer4 = newTimer(this, "Timer4", 200);
    Timer5 = newTimer(this, "Timer5", 100);
    Timer6 = newTimer(this, "Timer6", 100);
    Timer7 = newTimer(this, "Timer7", 200);
    Timer8 = newTimer(this, "Timer8", 100);
    Timer9 = newTimer(this, "Timer9", 100);
    TimerStart = newTimer(this, "TimerStart", 100);
    TimEnd = newTimer(this, "TimEnd", 100);
    Timer10 = newTimer(this, "Timer10", 100);
    Timer11 = newTimer(this, "Timer11", 100);
}

sim::StepRecord FrmYanShi::rec() const {
    return sim::StepRecord(S().CurRecord);
}

// ---------------------------------------------------------------- loading

void FrmYanShi::Form_Load() {
    auto &s = S();
    const shell::Scale sc = scale();
    skip([&] { setIcon(bankPicture(QStringLiteral("l62011"))); });
    PointerX = int32_t(platform::roundEven(7680 * sc.x));
    PointerY = int32_t(platform::roundEven(5760 * sc.y));
    s.StudyMode = startup::Guided;
    TickCount = 0;
    Label1->setCaption(QString());
    move(0, 0, 15360 * sc.x, 9000 * sc.y);
    setWindowState(forms::vbNormal);

    ImgLogo->setLeft(demo::noteLeft(sc.x));
    ImgLogo->setTop(demo::NoteTop * sc.y);
    ImgLogo->setWidth(demo::NoteWidth * sc.x);
    ImgLogo->setBackColor(forms::Color(0xC0FFFF));
    ImgLogo->setFontSize(9 * sc.x);
    const QString question = questionText();
    ImgLogo->setCaption(question);
    ImgLogo->setHeight(demo::noteHeight(question, sc.y));
    // The rule counts lines at the font's height; lines set with air
    // between them need a little more, and the last one must not be cut.
    if (!question.isEmpty())
        ImgLogo->setHeight(std::max(ImgLogo->height(), ImgLogo->captionHeight()));
    ImgLogo->setForeColor(forms::sys::ButtonText);

    skip([&] { LHelp->setFontSize(11 * sc.x); });
    skip([&] { LblXXK(0)->setFontSize(9 * sc.x); });
    setTopmost(true);
    setLeft((forms::Screen::width() - width()) / 2);
    setTop((forms::Screen::height() - height()) / 2);
    // Over the simulated screen exactly, unless that one is maximised.
    if (FrmMain *main = forms::loadedForm<FrmMain>()) {
        if (main->windowState() == forms::vbNormal) move(main->left(), main->top());
    }

    StyleTable.load(s.DataPath + QStringLiteral("\\288905.mxy"));
    TabSetTable.load(s.DataPath + QStringLiteral("\\288906.mxy"));
    ExamDataDir = platform::programFolder() + QStringLiteral("examdata/");
    PicStart->setLeft(0);
    showPicture(PicStart, shellPicture(QString::fromLatin1(shell::StartMenuPicture)));
    DemoStep = 1;
    for (forms::Image *i : {ImgStart, ImgMenu, ImgHui, ImgTool, ImgMyPc})
        i->setPicture(forms::Picture());
    for (forms::Image *i : {Pic1J, Pic2J, Pic3J}) i->setVisible(false);

    PicStart->move(demo::DemoStartMenuPlace.left * sc.x, demo::DemoStartMenuPlace.top * sc.y);
    PicTool->move(shell::ToolStripPlace.left * sc.x, shell::ToolStripPlace.top * sc.y);
    PicHui->move(shell::TaskPanePlace.left * sc.x, shell::TaskPanePlace.top * sc.y);
    PicMyPc->move(shell::ComputerPlace.left * sc.x, shell::ComputerPlace.top * sc.y);
    shell::SpotRects spots{};
    demo::layoutLoadSpots(spots, shell::Point{PicStart->left(), PicStart->top()},
                          shell::Point{PicMyPc->left(), PicMyPc->top()}, sc);
    for (shell::HotSpotRange range :
         {shell::DesktopSpots, shell::StartMenuSpots, shell::ComputerSpots}) {
        for (int i = range.first; i <= range.last; ++i)
            shelljudge::place(LblZHU(i), spots[size_t(i)]);
    }

    CSH();
    setData();
}

QString FrmYanShi::questionText() {
    const FrmTm *tm = forms::loadedForm<FrmTm>();
    if (!tm || !tm->RtbTM) return QString();
    return platform::trimBlanks(tm->RtbTM->text());
}

// ---------------------------------------------------------------- resets

void FrmYanShi::CSH() {
    if (!S().DemoPlaying) return;
    skip([&] { Pic2J->setVisible(false); });
    skip([&] { Pic1J->setVisible(false); });
    skip([&] { ImgMenu->setPicture(forms::Picture()); });
}

void FrmYanShi::ToolCSH() {
    const shell::Scale sc = scale();
    for (forms::Image *i : {ImgStart, ImgMenu, ImgHui, ImgTool}) i->setPicture(forms::Picture());
    PicTool->move(shell::ToolStripPlace.left * sc.x, shell::ToolStripPlace.top * sc.y);
    shell::SpotRects spots{};
    demo::layoutToolStripSpots(spots, shell::Point{PicTool->left(), PicTool->top()}, sc);
    for (int i = shell::ToolStripSpots.first; i <= shell::ToolStripSpots.last; ++i)
        shelljudge::place(LblZHU(i), spots[size_t(i)]);
}

// ---------------------------------------------------------------- pointer

void FrmYanShi::pointMove() {
    setTopmost(true);
    const demo::PointerLines p = demo::pointerLines(PointerX, PointerY, scale());
    auto set = [](forms::Line *l, const demo::Segment &s) {
        l->setX1(s.x1);
        l->setY1(s.y1);
        l->setX2(s.x2);
        l->setY2(s.y2);
    };
    for (int i = 0; i < demo::OutlineLines; ++i) set(LPoint(i), p.outline[size_t(i)]);
    for (int i = 0; i < demo::FillLines; ++i) set(LPoinB(i), p.fill[size_t(i)]);
}

void FrmYanShi::AimPointer() {
    demo::GlideStep g;
    if (!demo::aimPointer(PointerX, PointerY, AimX, AimY, g)) forms::raise(forms::errOverflow);
    StepLen = g.stepLen;
    StepDX = g.dx;
    StepDY = g.dy;
}

void FrmYanShi::aimAt(const forms::Control *target) {
    AimX = demo::centreOf(target->left(), target->width());
    AimY = demo::centreOf(target->top(), target->height());
}

// ---------------------------------------------------------------- pictures

forms::Picture FrmYanShi::cachedPicture(const QString &path) {
    auto it = pictures_.find(path);
    if (it != pictures_.end()) return it->second;
    forms::Picture p;
    skip([&] { p = forms::loadPicture(path); });
    pictures_.emplace(path, p);
    return p;
}

forms::Picture FrmYanShi::shellPicture(const QString &name) {
    return cachedPicture(ExamDataDir + name + QStringLiteral(".mxy"));
}

forms::Picture FrmYanShi::bankPicture(const QString &name) {
    return cachedPicture(S().DataPath + name + QStringLiteral(".mxy"));
}

bool FrmYanShi::showPicture(forms::Image *img, const forms::Picture &p) {
    if (!p) return false;
    if (!(img->picture() == p)) img->setPicture(p);
    return true;
}

forms::Image *FrmYanShi::overlayImage(int slot) const {
    return sim::overlaySlot({Image1, Image2, Image3, Image4, Image5}, slot);
}
