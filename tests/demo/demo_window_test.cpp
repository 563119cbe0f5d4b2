// The demonstration window as it loads: its place, the note, the pointer,
// the tables, the fixed hot spots, the two per-step resets and the drawn
// arrow.
#include "demo_fixture.h"

#include "panel/frm_tm.h"
#include "simulator/frm_main.h"

namespace {

using DemoWindow = DemoFixture;

TEST_F(DemoWindow, LoadsCentredGuidedWithThePointerMidScreen) {
    S().StudyMode = startup::Exam;
    FrmYanShi *f = open();
    EXPECT_EQ(S().StudyMode, startup::Guided);
    EXPECT_EQ(f->PointerX, 7680);
    EXPECT_EQ(f->PointerY, 5760);
    EXPECT_EQ(f->DemoStep, 1);
    // 1366 x 768 pixels are 20490 x 11520 twips.
    EXPECT_EQ(rectOf(f), (R{2565, 1260, 15360, 9000}));
    EXPECT_TRUE(f->topmost());
    EXPECT_EQ(f->ExamDataDir, dir().root + "examdata/");
    EXPECT_EQ(f->StyleTable.row(0), platform::readLines(dir().bankFile("288905"))->value(0));
    EXPECT_EQ(f->TabSetTable.row(1), platform::readLines(dir().bankFile("288906"))->value(1));
}

TEST_F(DemoWindow, LiesOnTheSimulatedScreenUnlessThatIsMaximised) {
    FrmMain *main = forms::form<FrmMain>();
    main->move(1500, 900);
    EXPECT_EQ(rectOf(open()), (R{1500, 900, 15360, 9000}));
    forms::unloadForm<FrmYanShi>();
    main->setWindowState(forms::vbMaximized);
    FrmYanShi *f = open();
    EXPECT_EQ(f->left(), 2565);
    EXPECT_EQ(f->top(), 1260);
}

TEST_F(DemoWindow, TheNoteGrowsDownwardByStartedGroupsOf14Characters) {
    struct Case {
        int chars;
        double scaleY;
        double height;
    };
    const Case cases[] = {{0, 1, 195},  {13, 1, 195}, {14, 1, 375},
                          {27, 1, 375}, {28, 1, 555}, {14, 0.8, 300}};
    for (const Case &c : cases) {
        EXPECT_DOUBLE_EQ(demo::noteHeight(QString(c.chars, u'题'), c.scaleY), c.height)
            << c.chars << " " << c.scaleY;
    }
    FrmYanShi *f = open();
    EXPECT_EQ(rectOf(f->ImgLogo), (R{12780, 7620, 2535, 195}));
}

// The note holds every line of the question: the last one is never cut
// off, whatever the spacing of its lines.
TEST_F(DemoWindow, TheNoteHoldsEveryLineOfTheQuestion) {
    for (int chars : {13, 14, 40, 70}) {
        SCOPED_TRACE(chars);
        FrmYanShi *f = open();
        f->ImgLogo->setCaption(QString(chars, u'题'));
        const double lines = f->ImgLogo->captionHeight();
        forms::unloadForm<FrmYanShi>();
        FrmTm *tm = forms::form<FrmTm>();
        tm->RtbTM->setText(QString(chars, u'题'));
        f = open();
        EXPECT_GE(f->ImgLogo->height(), lines);
        EXPECT_GE(f->ImgLogo->height(), demo::noteHeight(QString(chars, u'题'), 1));
        forms::unloadForm<FrmYanShi>();
    }
}

TEST_F(DemoWindow, TheNoteStaysInsideTheWindowAtOtherScales) {
    S().ScaleX = 0.8;
    S().ScaleY = 0.8;
    FrmYanShi *f = open();
    EXPECT_DOUBLE_EQ(f->width(), 12288);
    EXPECT_DOUBLE_EQ(f->ImgLogo->left(), 10224);
    EXPECT_DOUBLE_EQ(f->ImgLogo->width(), 2028);
    EXPECT_LE(f->ImgLogo->left() + f->ImgLogo->width(), f->width());
}

TEST_F(DemoWindow, FixedHotSpotsInWindowCoordinates) {
    FrmYanShi *f = open();
    struct Case {
        int spot;
        R rect;
    };
    const Case cases[] = {
        {0, {0, 0, 495, 375}},          {61, {0, 75, 1170, 1080}},
        {65, {0, 6795, 1170, 1080}},    {66, {0, -1050, 1170, 1080}},
        {70, {0, -1050, 1170, 1080}},   {69, {0, 0, 15360, 8490}},
        {71, {4005, 6870, 2040, 465}},  {79, {4005, 2580, 2040, 465}},
        {80, {165, 1545, 3690, 540}},   {84, {165, 7305, 3690, 540}},
        {81, {4005, 7890, 1020, 330}},  {82, {5010, 7890, 345, 330}},
        {92, {3150, 1680, 8820, 6870}}, {93, {2610, 5325, 3750, 855}},
        {97, {10230, 1845, 3750, 855}}, {11, {30, 750, 1185, 570}},
        {23, {7890, 750, 585, 570}},    {105, {0, 0, 495, 375}},
    };
    for (const Case &c : cases) EXPECT_EQ(rectOf(f->LblZHU(c.spot)), c.rect) << c.spot;
    EXPECT_EQ(f->PicStart->top(), 1380);
    EXPECT_FALSE(f->PicStart->visible());
    EXPECT_EQ(f->PicStart->picture(), shellFile("706600"));
}

TEST_F(DemoWindow, FixedHotSpotsScale) {
    S().ScaleX = 1.25;
    S().ScaleY = 1.5;
    FrmYanShi *f = open();
    EXPECT_EQ(rectOf(f->LblZHU(84)), (R{206.25, 10957.5, 4612.5, 810}));
    EXPECT_EQ(rectOf(f->LblZHU(93)), (R{3262.5, 7987.5, 4687.5, 1282.5}));
    EXPECT_EQ(rectOf(f->LblZHU(14)), (R{3225, 1125, 1181.25, 855}));
    EXPECT_EQ(f->PointerX, 9600);
    EXPECT_EQ(f->PointerY, 8640);
}

TEST_F(DemoWindow, ToolCshTwiceLeavesTheTaskbarWhereItWas) {
    FrmYanShi *f = open();
    f->ImgTool->setPicture(shellFile("110099"));
    f->ToolCSH();
    f->ToolCSH();
    EXPECT_EQ(rectOf(f->LblZHU(14)), (R{2580, 750, 945, 570}));
    EXPECT_EQ(rectOf(f->LblZHU(22)), (R{8505, 750, 480, 570}));
    EXPECT_FALSE(f->ImgTool->picture());
}

TEST_F(DemoWindow, CshClosesPanelsOnlyWhileADemonstrationPlays) {
    FrmYanShi *f = open();
    f->Pic1J->setVisible(true);
    f->Pic2J->setVisible(true);
    f->ImgMenu->setPicture(shellFile("A10088"));
    S().DemoPlaying = false;
    f->CSH();
    EXPECT_TRUE(f->Pic1J->visible());
    EXPECT_TRUE(f->ImgMenu->picture());
    S().DemoPlaying = true;
    f->CSH();
    EXPECT_FALSE(f->Pic1J->visible());
    EXPECT_FALSE(f->Pic2J->visible());
    EXPECT_FALSE(f->ImgMenu->picture());
}

TEST_F(DemoWindow, StackingOrderFrontToBack) {
    FrmYanShi *f = open();
    // The controls that can be seen, front to back; the labels that draw
    // nothing are left out.
    const QStringList expected = {
        "ImgLogo",  "Img2J",    "Shape1", "LPoint", "LPoinB", "Pic3J",   "Shape5",  "Shape6",
        "ImgICO",   "Img1J",    "Pic2J",  "Pic1J",  "ImgHui", "PicHui",  "ImgTool", "ImgMenu",
        "PicMenu",  "LHelp",    "LblXXK", "Shape4", "Shape2", "PicTool", "PicMyPc", "ImgMyPc",
        "ImgStart", "PicStart", "Image5", "Image4", "Image3", "Image2",  "Image1"};
    const QStringList transparent = {"Label1", "Label4", "LblZHU", "Lbl1J", "Lbl2J", "Lbl3J"};
    QStringList order;
    const auto &controls = f->windowless();
    for (auto it = controls.rbegin(); it != controls.rend(); ++it) {
        const QString name = (*it)->name();
        if (transparent.contains(name)) continue;
        if (order.isEmpty() || order.last() != name) order << name;
    }
    EXPECT_EQ(order, expected);
    // The windows lie in front of everything drawn on the window.
    for (forms::Control *c :
         std::initializer_list<forms::Control *>{f->Text1, f->Text2, f->Text4, f->Image6})
        EXPECT_TRUE(c->isWindowed()) << c->name().toStdString();
}

TEST_F(DemoWindow, UnloadingStopsEveryTimer) {
    FrmYanShi *f = open();
    for (forms::Timer *t : f->timers()) t->setEnabled(true);
    int ticks = 0;
    for (forms::Timer *t : f->timers()) t->onTimer = [&] { ++ticks; };
    ASSERT_TRUE(f->unload());
    forms::testing::advance(1000);
    EXPECT_EQ(ticks, 0);
}

TEST_F(DemoWindow, MissingTablesLeaveEmptyRows) {
    S().DataPath = dir().root + "nobank/";
    FrmYanShi *f = open();
    EXPECT_TRUE(f->StyleTable.row(0).isEmpty());
    EXPECT_TRUE(f->TabSetTable.row(20).isEmpty());
}

// ---------------------------------------------------------------- pointer

struct Line {
    double x1, y1, x2, y2;
    friend bool operator==(const Line &, const Line &) = default;
};
std::ostream &operator<<(std::ostream &o, const Line &l) {
    return o << "(" << l.x1 << ", " << l.y1 << ")-(" << l.x2 << ", " << l.y2 << ")";
}
Line lineOf(const forms::Line *l) {
    return Line{l->x1(), l->y1(), l->x2(), l->y2()};
}

TEST_F(DemoWindow, ThePointerIsFourteenLinesAroundItsPosition) {
    FrmYanShi *f = open();
    f->setTopmost(false);
    f->PointerX = 1000;
    f->PointerY = 2000;
    f->pointMove();
    EXPECT_TRUE(f->topmost());
    const Line outline[] = {
        {1060, 2000, 1060, 2240}, {1060, 2240, 1120, 2180}, {1120, 2180, 1180, 2300},
        {1150, 2150, 1225, 2285}, {1165, 2150, 1240, 2150}, {1060, 1985, 1240, 2165},
        {1195, 2300, 1225, 2270}, {1180, 2300, 1195, 2300},
    };
    const Line fill[] = {
        {1075, 2015, 1075, 2210}, {1105, 2045, 1105, 2180}, {1135, 2075, 1135, 2150},
        {1165, 2105, 1165, 2135}, {1195, 2120, 1195, 2135}, {1135, 2165, 1210, 2300},
    };
    for (int i = 0; i < 8; ++i) EXPECT_EQ(lineOf(f->LPoint(i)), outline[i]) << i;
    for (int i = 0; i < 6; ++i) EXPECT_EQ(lineOf(f->LPoinB(i)), fill[i]) << i;
    EXPECT_EQ(f->LPoint(0)->borderWidth(), 1);
    EXPECT_EQ(f->LPoinB(0)->borderWidth(), 2);
    EXPECT_EQ(f->LPoinB(0)->borderColor(), forms::Color(0xFFFFFF));
}

TEST_F(DemoWindow, ThePointerScalesAndComesBackAfterTheDragDisplay) {
    S().ScaleX = 1.25;
    S().ScaleY = 1.5;
    FrmYanShi *f = open();
    f->PointerX = 1000;
    f->PointerY = 2000;
    for (int i = 0; i < 8; ++i) f->LPoint(i)->setX1(-100);
    f->pointMove();
    EXPECT_EQ(lineOf(f->LPoint(0)), (Line{1075, 2000, 1075, 2360}));
    EXPECT_EQ(lineOf(f->LPoint(5)), (Line{1075, 1977.5, 1300, 2247.5}));
    EXPECT_EQ(lineOf(f->LPoint(7)), (Line{1225, 2450, 1243.75, 2450}));
    EXPECT_EQ(lineOf(f->LPoinB(0)), (Line{1093.75, 2022.5, 1093.75, 2315}));
    // Parked at the end of a demonstration: off the window entirely.
    f->PointerX = f->PointerY = -500;
    f->pointMove();
    for (int i = 0; i < 8; ++i) {
        EXPECT_LT(std::max(f->LPoint(i)->x1(), f->LPoint(i)->x2()), 0) << i;
        EXPECT_LT(std::max(f->LPoint(i)->y1(), f->LPoint(i)->y2()), 0) << i;
    }
}

} // namespace
