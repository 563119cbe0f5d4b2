// The shell layouts on the simulated screen: the regions placed at set-up,
// the per-step layouts read from the step on show, the panels laid out by
// their code, and the region handlers driven through the forms layer's
// event path.
#include "program_fixture.h"
#include "sample_shell.h"
#include "sample_startup.h"
#include "shell_test_print.h"
#include "simulator/frm_main.h"
#include "startup/run_state.h"
#include "step_builder.h"

#include "forms/testing.h"

#include <QFile>
#include <gtest/gtest.h>

using namespace shell;
namespace ft = forms::testing;

namespace {

Rect rectOf(const forms::Control *c) {
    return Rect{c->left(), c->top(), c->width(), c->height()};
}

class ShellScreen : public testsupport::ProgramFixture {
protected:
    ShellScreen() : ProgramFixture({sample::addStartupFiles, sample::addShellPictures}) {
        startup::state().DataPath = dir().bank();
    }

    FrmMain *screen() {
        if (!f_) {
            f_ = forms::form<FrmMain>();
            f_->show();
        }
        return f_;
    }

    // Puts a step on show, as the step builder leaves it for the layouts.
    void onShow(const sample::StepBuilder &step) { startup::state().CurRecord = step.build(); }

    void setScale(double x, double y) {
        startup::state().ScaleX = x;
        startup::state().ScaleY = y;
    }

    void removeShellPicture(const QString &name) {
        ASSERT_TRUE(QFile::remove(dir().examFile(name))) << name.toStdString();
    }

    ft::Session session_;
    FrmMain *f_ = nullptr;
};

} // namespace

TEST_F(ShellScreen, SetUpPlacesTheFixedRegionsAndSpots) {
    FrmMain *f = screen();
    EXPECT_EQ(rectOf(f->StartMenu), (Rect{0, 8400, 900, 795}));
    EXPECT_EQ(f->PicTool->left(), 0);
    EXPECT_EQ(f->PicTool->top(), 735);
    EXPECT_EQ(f->PicHui->top(), 1335);
    EXPECT_EQ(f->PicStart->top(), 1260);
    EXPECT_EQ(f->PicMyPc->left(), 2400);
    EXPECT_EQ(f->PicMyPc->top(), 1350);
    EXPECT_FALSE(f->Pic1J->visible());
    EXPECT_FALSE(f->PicCtrl->visible());
    // The start menu's picture is loaded at once, and sized as drawn.
    const QImage start = sample::shellPicture(QStringLiteral("706600"));
    EXPECT_EQ(f->PicStart->width(), start.width() * 15.0);
    EXPECT_EQ(f->PicStart->height(), start.height() * 15.0);
    EXPECT_EQ(rectOf(f->LblZHU(23)), (Rect{7890, 15, 585, 570}));
    EXPECT_EQ(rectOf(f->LblZHU(84)), (Rect{165, 5925, 3690, 540}));
    EXPECT_EQ(rectOf(f->LblZHU(99)), (Rect{210, 2730, 3750, 855}));
}

TEST_F(ShellScreen, TheBarFollowsTheStepsPlaceAndGoesBack) {
    FrmMain *f = screen();
    setScale(0.8, 0.8);
    onShow(sample::StepBuilder().menuBar('A').barPosition(300, 1200));
    const double height = f->LblZHU(1)->height();
    f->MenuCSH();
    EXPECT_DOUBLE_EQ(f->PicMenu->left(), 300 * 0.8);
    EXPECT_DOUBLE_EQ(f->PicMenu->top(), 1200 * 0.8);
    // A command bar sets no Height.
    EXPECT_EQ(rectOf(f->LblZHU(1)), (Rect{45 * 0.8, 60 * 0.8, 1020 * 0.8, height}));

    // The next step has no place of its own: the bar is back at its default.
    onShow(sample::StepBuilder().menuBar('A'));
    f->MenuCSH();
    EXPECT_EQ(f->PicMenu->left(), 0);
    EXPECT_DOUBLE_EQ(f->PicMenu->top(), 840 * 0.8);

    // A lower-case "w" is no place either.
    onShow(sample::StepBuilder().menuBar('A').put(167, QStringLiteral("w0300 1200")));
    f->MenuCSH();
    EXPECT_DOUBLE_EQ(f->PicMenu->top(), 840 * 0.8);
}

TEST_F(ShellScreen, BarHeightsCarryOverFromStepToStep) {
    FrmMain *f = screen();
    onShow(sample::StepBuilder().menuBar('H'));
    f->MenuCSH();
    onShow(sample::StepBuilder().menuBar('A'));
    f->MenuCSH();
    // "A" places its spots at Top 60 and keeps the menu bar's height.
    EXPECT_EQ(rectOf(f->LblZHU(3)), (Rect{2235, 60, 1710, 240}));
    // A bar without a layout leaves every spot where the last one put it.
    onShow(sample::StepBuilder().menuBar('G'));
    f->MenuCSH();
    const Rect g2 = rectOf(f->LblZHU(2));
    onShow(sample::StepBuilder().menuBar('E'));
    f->MenuCSH();
    EXPECT_EQ(rectOf(f->LblZHU(2)), g2);
    EXPECT_EQ(g2, (Rect{795, 15, 780, 270}));
}

TEST_F(ShellScreen, WhatTheLayoutsLeaveAloneKeepsTheDesignedRectangles) {
    setScale(0.8, 0.8);
    FrmMain *f = screen();
    // The spots are created unscaled; spot 92 is never laid out.
    EXPECT_EQ(rectOf(f->LblZHU(92)), (Rect{0, 0, 495, 375}));

    // A bar without a layout of its own lies over the spots as created.
    onShow(sample::StepBuilder().menuBar('E'));
    f->MenuCSH();
    EXPECT_EQ(rectOf(f->LblZHU(1)), (Rect{0, 0, 495, 375}));
    EXPECT_EQ(rectOf(f->LblZHU(8)), (Rect{480, -120, 495, 375}));
    EXPECT_EQ(rectOf(f->LblZHU(10)), (Rect{3240, 840, 375, 255}));

    // A command bar sets no Height: its spots keep the created ones.
    onShow(sample::StepBuilder().menuBar('A'));
    f->MenuCSH();
    EXPECT_EQ(rectOf(f->LblZHU(1)), (Rect{45 * 0.8, 60 * 0.8, 1020 * 0.8, 375}));
    EXPECT_EQ(f->LblZHU(10)->height(), 255);

    // Pane variant 4 before any other shows the rows at their created Tops.
    onShow(sample::StepBuilder().menuBar('A').paneFlags(8));
    f->HuiRenwuCSH();
    EXPECT_EQ(rectOf(f->LblZHU(24)), (Rect{15 * 0.8, 120, 2085 * 0.8, 345 * 0.8}));
    EXPECT_EQ(f->LblZHU(39)->top(), 2880);
    EXPECT_EQ(f->LblZHU(30)->top(), 0);
}

TEST_F(ShellScreen, TaskPaneRowsByVariant) {
    FrmMain *f = screen();
    onShow(sample::StepBuilder().menuBar('A').paneFlags(3));
    f->HuiRenwuCSH();
    EXPECT_EQ(rectOf(f->LblZHU(26)), (Rect{15, 135, 2085, 345}));
    EXPECT_EQ(f->LblZHU(24)->top(), -735);
    onShow(sample::StepBuilder().menuBar('A').paneFlags(4));
    f->HuiRenwuCSH();
    EXPECT_EQ(f->LblZHU(30)->top(), 330);
    EXPECT_EQ(f->LblZHU(24)->top(), 4815);
    // Variant 4 keeps the rows of variant 2.
    onShow(sample::StepBuilder().menuBar('A').paneFlags(8));
    f->HuiRenwuCSH();
    EXPECT_EQ(f->LblZHU(30)->top(), 330);
    EXPECT_EQ(f->LblZHU(25)->top(), 5505);
}

TEST_F(ShellScreen, ControlPanelViewsAndAMissingViewPicture) {
    FrmMain *f = screen();
    setScale(0.8, 0.8);
    onShow(sample::StepBuilder().windowKind('N').viewVariant('0'));
    f->PicCtrl->setVisible(true);
    f->CtrlCSH();
    EXPECT_EQ(f->PicCtrl->left(), 0);
    EXPECT_DOUBLE_EQ(f->PicCtrl->top(), 840 * 0.8);
    EXPECT_EQ(f->PicCtrl->width(), sample::shellPicture(QStringLiteral("NN0000")).width() * 15.0);
    EXPECT_EQ(rectOf(f->LblZHU(45)), (Rect{7650 * 0.8, 1065 * 0.8, 5250 * 0.8, 1005 * 0.8}));
    EXPECT_EQ(rectOf(f->LblZHU(60)), (Rect{-375 * 0.8, -1935 * 0.8, 15 * 0.8, 330 * 0.8}));

    onShow(sample::StepBuilder().windowKind('N').viewVariant('1'));
    f->CtrlCSH();
    EXPECT_EQ(rectOf(f->LblZHU(57)),
              (Rect{3225 * 0.8, 6 * 720 * 0.8 + 285 * 0.8, 11985 * 0.8, 720 * 0.8}));
    EXPECT_EQ(rectOf(f->LblZHU(49)), (Rect{-30 * 0.8, -30 * 0.8, 15 * 0.8, 15 * 0.8}));
    EXPECT_TRUE(f->PicCtrl->visible());

    // A view whose picture the installation lacks is not shown over the
    // picture of the view before, and its spots stay where they were.
    const Rect spot57 = rectOf(f->LblZHU(57));
    onShow(sample::StepBuilder().windowKind('N').viewVariant('7'));
    f->CtrlCSH();
    EXPECT_FALSE(f->PicCtrl->visible());
    EXPECT_EQ(rectOf(f->LblZHU(57)), spot57);
}

TEST_F(ShellScreen, LevelOnePanelsByCodeWithTheirPreHighlight) {
    FrmMain *f = screen();
    onShow(sample::StepBuilder().hit(3, QStringLiteral("DU603x4a1b")));
    f->HitCode = QStringLiteral("U6");
    f->Tool1JCSH();
    EXPECT_EQ(rectOf(f->Lbl1J(3)), (Rect{45, 825, 2745, 330}));
    EXPECT_EQ(rectOf(f->Lbl1J(4)), (Rect{-60, -100, 30, 0}));
    EXPECT_EQ(rectOf(f->Lbl1J(21)), ParkedSpot);
    // The entry names no picture of the sample: nothing is highlighted.
    EXPECT_FALSE(f->Img1jBK->visible());

    // With the picture there, the highlight sits on item 3.
    const QImage look = sample::shellPicture(QStringLiteral("A30088"));
    ASSERT_FALSE(look.isNull());
    ASSERT_TRUE(look.save(dir().examFile(QStringLiteral("4a1b77")), "PNG"));
    f->Tool1JCSH();
    EXPECT_TRUE(f->Img1jBK->visible());
    EXPECT_EQ(f->Img1jBK->left(), 45);
    EXPECT_EQ(f->Img1jBK->top(), 825);
    EXPECT_FALSE(f->Img1jBK->picture().isNull());

    // An entry whose item number names no item shows nothing, and a new
    // panel leaves nothing of the old one.
    onShow(sample::StepBuilder().hit(3, QStringLiteral("DU600x4a1b")));
    f->Tool1JCSH();
    EXPECT_FALSE(f->Img1jBK->visible());
    f->HitCode = QStringLiteral("75");
    f->Tool1JCSH();
    for (int i = 1; i <= 44; ++i) EXPECT_EQ(rectOf(f->Lbl1J(i)), ParkedSpot) << i;
}

TEST_F(ShellScreen, StackingOnTheItemsRoundsAndStopsAtTheTable) {
    FrmMain *f = screen();
    setScale(0.8, 0.8);
    f->HitCode = QStringLiteral("00");
    f->Tool1JCSH();
    QString groups = QStringLiteral("5");
    int w = 2000, h = 333, l = 45, t = 45, gap = 120;
    f->Tool1JTop(groups, w, h, l, t, gap);
    const double tops[] = {36, 302, 568, 834, 1100};
    for (int i = 1; i <= 5; ++i) EXPECT_EQ(f->Lbl1J(i)->top(), tops[i - 1]) << i;

    setScale(1, 1);
    groups = QStringLiteral("KK");
    h = 100;
    gap = 0;
    try {
        f->Tool1JTop(groups, w, h, l, t, gap);
        ADD_FAILURE() << "a 22nd item must end the routine";
    } catch (const forms::Error &e) {
        EXPECT_EQ(e.number(), forms::errSubscript);
    }
    EXPECT_EQ(f->Lbl1J(20)->top(), 45 + 19 * 100);
    EXPECT_EQ(rectOf(f->Lbl1J(21)), (Rect{45, 0, 2000, 100}));
    EXPECT_EQ(f->Lbl1J(22)->left(), 45);
    EXPECT_EQ(f->Lbl1J(22)->height(), 0);
}

TEST_F(ShellScreen, LevelTwoAndThreeItems) {
    FrmMain *f = screen();
    f->HitCode = QStringLiteral("S1");
    f->Sel1J = 12;
    f->Tool2JCSH();
    const double tops[] = {435, 1410, 2385, 3360, 4335};
    for (int i = 1; i <= 5; ++i) EXPECT_EQ(rectOf(f->Lbl2J(i)), (Rect{30, tops[i - 1], 4785, 975}));
    EXPECT_EQ(rectOf(f->Lbl2J(6)), (Rect{-60, -100, 30, 0}));
    // No item clicked: an id no row holds parks every item.
    f->Sel1J = 0;
    f->Tool2JCSH();
    for (int i = 1; i <= 44; ++i) EXPECT_EQ(rectOf(f->Lbl2J(i)), ParkedSpot) << i;

    f->Tool3JCSH();
    for (int k = 1; k <= 9; ++k)
        EXPECT_EQ(rectOf(f->Lbl3J(k)), (Rect{90, 345.0 * (k - 1), 2595, 345}));
}

TEST_F(ShellScreen, ContextPanelsOpenAtThePointerAndFlip) {
    FrmMain *f = screen();
    f->PicTable->setVisible(true);
    const QImage panel = sample::shellPicture(QStringLiteral("690077"));
    const double pw = panel.width() * 15.0, ph = panel.height() * 15.0;

    // Pointer positions on whole pixels, as the mouse reports them.
    ft::click(f->PicTable, 5010, 1005, forms::vbRightButton);
    EXPECT_TRUE(f->Pic1J->visible());
    EXPECT_EQ(f->HitCode, "69");
    EXPECT_EQ(f->Pic1J->left(), 5010);
    EXPECT_EQ(f->Pic1J->top(), 1005);
    EXPECT_EQ(f->Pic1J->width(), pw);
    // The desktop's panel has its items.
    EXPECT_EQ(rectOf(f->Lbl1J(1)), (Rect{45, 45, 3105, 330}));

    // Near the right edge it opens to the left of the pointer, near the
    // bottom of the desktop above it.
    ft::click(f->PicTable, 14505, 8010, forms::vbRightButton);
    EXPECT_EQ(f->Pic1J->left(), 14505 - pw);
    EXPECT_EQ(f->Pic1J->top(), 8010 - ph);

    // The middle button only parks the hover frames.
    f->Pic1J->setVisible(false);
    f->Shape1J->setLeft(500);
    ft::click(f->PicTable, 5010, 1005, forms::vbMiddleButton);
    EXPECT_FALSE(f->Pic1J->visible());
    EXPECT_EQ(f->Shape1J->left(), -300);
}

TEST_F(ShellScreen, ToolStripAndComputerPanels) {
    FrmMain *f = screen();
    // The step builder gives the strip its picture.
    f->PicTool->loadPicture(dir().examFile(QStringLiteral("1100W1")));
    f->PicTool->setVisible(true);
    ft::click(f->PicTool, 9510, 300, forms::vbRightButton);
    EXPECT_EQ(f->HitCode, "25");
    EXPECT_EQ(f->Pic1J->left(), 9510);
    EXPECT_EQ(f->Pic1J->top(), 735 + 300);
    // At the right edge it flips; it always opens downward.
    ft::click(f->PicTool, 15000, 300, forms::vbRightButton);
    EXPECT_EQ(f->Pic1J->left(), 15000 - f->Pic1J->width());
    EXPECT_EQ(f->Pic1J->top(), 735 + 300);
    f->PicTool->setVisible(false);
    f->Pic1J->setVisible(false);

    f->PicMyPc->setVisible(true);
    ft::click(f->PicMyPc, 9000, 3000, forms::vbRightButton);
    EXPECT_EQ(f->HitCode, "92");
    EXPECT_EQ(f->Pic1J->left(), 2400 + 9000);
    EXPECT_EQ(f->Pic1J->top(), 1350 + 3000);
    // Too close to the foot of the window for the panel: it opens upward.
    f->Pic1J->setVisible(false);
    ft::click(f->PicMyPc, 9000, 5010, forms::vbRightButton);
    EXPECT_EQ(f->Pic1J->top(), 1350 + 5010 - f->Pic1J->height());
    // A left click on the bare window opens nothing.
    f->Pic1J->setVisible(false);
    ft::click(f->PicMyPc, 9000, 5010);
    EXPECT_FALSE(f->Pic1J->visible());
}

TEST_F(ShellScreen, StartButtonOpensTheMenuOrItsPanel) {
    FrmMain *f = screen();
    f->HitCode = QStringLiteral("A3");
    ft::click(f->StartMenu, 300, 300);
    EXPECT_TRUE(f->PicStart->visible());
    EXPECT_EQ(f->HitCode, "A3");
    EXPECT_FALSE(f->Pic1J->visible());

    f->PicStart->setVisible(false);
    ft::click(f->StartMenu, 300, 300, forms::vbMiddleButton);
    EXPECT_EQ(f->HitCode, "70");
    EXPECT_TRUE(f->Pic1J->visible());
    EXPECT_EQ(f->Pic1J->left(), 360);
    EXPECT_EQ(f->Pic1J->top(), 7920);
    EXPECT_FALSE(f->PicStart->visible());
}

TEST_F(ShellScreen, AMissingContextPanelPictureLeavesTheScreenAsItWas) {
    FrmMain *f = screen();
    removeShellPicture(QStringLiteral("690077"));
    f->PicTable->setVisible(true);
    f->HitCode = QStringLiteral("00");
    ft::click(f->PicTable, 5010, 1005, forms::vbRightButton);
    EXPECT_FALSE(f->Pic1J->visible());
    EXPECT_EQ(f->HitCode, "00");
}

TEST_F(ShellScreen, TheComputerWindowKeepsTheStepsDriveSelected) {
    FrmMain *f = screen();
    f->PicMyPc->setVisible(true);
    onShow(sample::StepBuilder().windowKind('P').viewVariant('A'));
    ft::move(f->PicMyPc, 8000, 6000);
    EXPECT_EQ(f->ImgMyPc->left(), 210);
    EXPECT_EQ(f->ImgMyPc->top(), 2730);
    EXPECT_EQ(f->ImgMyPc->picture().path().section('/', -1).toLower(), "990099.mxy");

    // Another window kind leaves the hover image alone.
    f->ImgMyPc->setPicture(forms::Picture());
    onShow(sample::StepBuilder().windowKind('N').viewVariant('C'));
    ft::move(f->PicMyPc, 8000, 6010);
    EXPECT_TRUE(f->ImgMyPc->picture().isNull());
}
