// The pointer moving over the hot spots and panel items: hover looks, the
// code of the open panel kept while the pointer stays on its spot, the
// Control Panel's link panels opened by pointing, the item frames, and
// hover pictures that come from the window's cache.
#include "screen_fixture.h"

namespace {

class ShellHover : public ShellJudgingFixture {};

StepBuilder explorer() {
    return StepBuilder().background("k20001").menuBar(u'A').paneFlags(1);
}

} // namespace

TEST_F(ShellHover, AClickedSpotKeepsItsCodeUntilThePointerReachesAnother) {
    useFirstStep(explorer());
    start();
    FrmMain *f = frm();

    // Pointing shows the hover look and names no spot.
    forms::Label *s16 = f->LblZHU(16);
    moveNearTop(s16);
    EXPECT_EQ(f->HitCode, "00");
    EXPECT_EQ(f->ImgTool->picture(), shellFile("160088"));
    EXPECT_EQ(f->ImgTool->left(), s16->left());

    // A release names the spot, and moving on within it changes nothing.
    forms::Label *s15 = f->LblZHU(15);
    clickNearTop(s15);
    EXPECT_EQ(f->HitCode, "15");
    EXPECT_EQ(f->ImgTool->picture(), shellFile("150099"));
    move(s15, 30, 30);
    move(s15, s15->width() - 30, 60);
    EXPECT_EQ(f->HitCode, "15");
    EXPECT_EQ(f->ImgTool->picture(), shellFile("150099"));

    // A menu stays open while the pointer is on its button...
    forms::Label *organise = f->LblZHU(1);
    clickAt(organise);
    ASSERT_TRUE(f->Pic1J->isShown());
    move(organise, 30, 30);
    EXPECT_TRUE(f->Pic1J->isShown());
    EXPECT_EQ(f->HitCode, "A1");
    // ...and closes on the next button, which only shows its hover look.
    moveTo(f->LblZHU(2));
    EXPECT_FALSE(f->Pic1J->isShown());
    EXPECT_EQ(f->HitCode, "00");
    EXPECT_EQ(f->ImgMenu->picture(), shellFile("A20088"));
    EXPECT_TRUE(f->ImgTool->picture().isNull()) << "the other regions' looks are cleared";
}

TEST_F(ShellHover, TheControlPanelOpensItsLinkPanelsByPointing) {
    useFirstStep(StepBuilder()
                     .background(sample::CtrlPanelHomeScreenPicture)
                     .windowKind(u'N')
                     .viewVariant(u'0'));
    start();
    FrmMain *f = frm();
    forms::Label *system = f->LblZHU(45);
    moveTo(system);
    EXPECT_EQ(f->HitCode, "45");
    ASSERT_TRUE(f->Pic1J->isShown());
    EXPECT_EQ(f->Pic1J->picture(), shellFile("450077"));
    EXPECT_EQ(f->Pic1J->left(), f->PicCtrl->left() + system->left());
    EXPECT_EQ(f->Pic1J->top(), f->PicCtrl->top() + system->top());
    EXPECT_EQ(f->Lbl1J(2)->left(), 840);
    EXPECT_EQ(f->Lbl1J(2)->top(), 270);

    // A link of the panel: a hand, its hover picture, no frame.
    forms::Label *link = f->Lbl1J(2);
    moveTo(link);
    EXPECT_EQ(f->HitCode, "45") << "the panel stays open over its own links";
    EXPECT_EQ(link->mousePointer(), forms::vbCustom);
    EXPECT_FALSE(link->mouseIcon().isNull());
    EXPECT_EQ(f->Img1J->picture(), shellFile("450288"));
    EXPECT_EQ(f->Img1J->left(), link->left());
    EXPECT_EQ(f->Shape1J->left(), -30);
    EXPECT_EQ(f->Shape1J->width(), 15);
    forms::testing::unloadAll();

    // In the small-icon view the category links light up without a panel
    // of links; the rows below them still open theirs.
    useFirstStep(StepBuilder()
                     .background(sample::CtrlPanelCategoryScreenPicture)
                     .windowKind(u'N')
                     .viewVariant(u'1'));
    start();
    f = frm();
    moveTo(f->LblZHU(44));
    EXPECT_EQ(f->HitCode, "44");
    EXPECT_EQ(f->Pic1J->picture(), shellFile("440088"));
    moveTo(f->LblZHU(53));
    EXPECT_EQ(f->HitCode, "53");
    EXPECT_EQ(f->Pic1J->picture(), shellFile("530077"));
    moveTo(f->Lbl1J(3));
    EXPECT_EQ(f->Img1J->picture(), shellFile("530388"));
}

TEST_F(ShellHover, SpotsWithoutALookOnlyCloseThePanels) {
    useFirstStep(StepBuilder().background("k20001").windowKind(u'P'));
    start();
    FrmMain *f = frm();
    clickAt(f->LblZHU(95), forms::vbRightButton);
    ASSERT_TRUE(f->Pic1J->isShown());
    const QRectF frameBefore(f->Shape1J->left(), f->Shape1J->top(), f->Shape1J->width(), 1);
    moveTo(f->LblZHU(92));
    EXPECT_FALSE(f->Pic1J->isShown());
    EXPECT_EQ(f->HitCode, "00");
    EXPECT_EQ(f->ImgMyPc->picture(), shellFile("950099")) << "the Computer window keeps its look";
    EXPECT_EQ(QRectF(f->Shape1J->left(), f->Shape1J->top(), f->Shape1J->width(), 1), frameBefore);
}

TEST_F(ShellHover, StartMenuSpotsLeaveTheItemFramesWhereTheyAre) {
    useFirstStep(StepBuilder().background("7d0001").menuBar(u'M'));
    start();
    FrmMain *f = frm();
    clickAt(f->StartMenu);
    clickAt(f->LblZHU(82));
    ASSERT_TRUE(f->Pic1J->isShown());
    moveTo(f->Lbl1J(2));
    const double frameTop = f->Shape1J->top();
    EXPECT_EQ(f->Shape1J->left(), f->Lbl1J(2)->left());
    moveTo(f->LblZHU(75));
    EXPECT_EQ(f->Shape1J->left(), f->Lbl1J(2)->left());
    EXPECT_EQ(f->Shape1J->top(), frameTop);
    EXPECT_FALSE(f->Pic1J->isShown());
    EXPECT_EQ(f->ImgStart->picture(), shellFile("750088"));
}

TEST_F(ShellHover, ItemFramesAndTheSubPanelsOfOtherItems) {
    useFirstStep(StepBuilder().background("7d0001").menuBar(u'M'));
    start();
    FrmMain *f = frm();
    forms::testing::click(f->PicTable, 6000, 3000, forms::vbRightButton);
    ASSERT_EQ(f->HitCode, "69");
    forms::Label *item = f->Lbl1J(2);
    moveTo(item);
    EXPECT_EQ(f->Shape1J->left(), item->left());
    EXPECT_EQ(f->Shape1J->top(), item->top());
    EXPECT_EQ(f->Shape1J->width(), item->width());
    EXPECT_EQ(item->mousePointer(), forms::vbDefault);

    clickAt(f->Lbl1J(1));
    ASSERT_TRUE(f->Pic2J->isShown());
    moveTo(f->Lbl1J(1));
    EXPECT_TRUE(f->Pic2J->isShown()) << "pointing back at the item clicked";
    forms::Label *sub = f->Lbl2J(3);
    moveTo(sub);
    EXPECT_EQ(f->Shape2J->top(), sub->top());
    EXPECT_EQ(f->Shape2J->height(), sub->height());
    moveTo(f->Lbl1J(2));
    EXPECT_FALSE(f->Pic2J->isShown());
}

TEST_F(ShellHover, TheRowsOfALevelThreeListLightUp) {
    useFirstStep(StepBuilder().background("7d0001").menuBar(u'M'));
    start();
    FrmMain *f = frm();
    clickAt(f->StartMenu);
    clickAt(f->LblZHU(84));
    clickAt(f->Lbl1J(10));
    clickAt(f->Lbl2J(4));
    ASSERT_TRUE(f->Pic3J->isShown());
    moveTo(f->Lbl3J(1));
    EXPECT_EQ(f->Img3J->picture(), shellFile("SS0401"));
    EXPECT_EQ(f->Img3J->top(), 0);
    moveTo(f->Lbl3J(2));
    EXPECT_EQ(f->Img3J->picture(), shellFile("SS0402"));
    EXPECT_EQ(f->Img3J->top(), f->Lbl3J(2)->top());
    // Another folder's row of the level-2 panel closes the list.
    moveTo(f->Lbl2J(3));
    EXPECT_FALSE(f->Pic3J->isShown());
}

TEST_F(ShellHover, HoverPicturesComeFromTheCacheNotFromTheDisk) {
    useFirstStep(explorer());
    start();
    FrmMain *f = frm();
    moveNearTop(f->LblZHU(16));
    const forms::Picture look = f->ImgTool->picture();
    ASSERT_FALSE(look.isNull());
    {
        Removed gone(QStringLiteral("160088"));
        moveNearTop(f->LblZHU(17));
        const int decodes = forms::pictureDecodeCount();
        for (int i = 0; i < 20; ++i) {
            moveNearTop(f->LblZHU(16));
            moveNearTop(f->LblZHU(17));
        }
        EXPECT_EQ(forms::pictureDecodeCount(), decodes);
        moveNearTop(f->LblZHU(16));
        EXPECT_EQ(f->ImgTool->picture(), look);
    }
    // A picture the folder lacks leaves the look blank.
    Removed gone(QStringLiteral("180088"));
    moveNearTop(f->LblZHU(18));
    EXPECT_TRUE(f->ImgTool->picture().isNull());
    EXPECT_EQ(f->ImgTool->left(), f->LblZHU(18)->left());
}

// The Computer window shows the step's drive again at every move, and the
// reset that a far move starts shows the drive and the extra picture again:
// all come from the window's cache, so a move reads no file once they are
// in it.
TEST_F(ShellHover, MovesOverTheComputerWindowReadNoFile) {
    const auto computer = [](QChar drive) {
        return StepBuilder().background("k20001").windowKind(u'P').viewVariant(drive);
    };
    useSteps({computer(u'C'), computer(u'D')});
    start();
    FrmMain *f = frm();
    // Moves far enough apart to reset the screen, then moves too short to
    // reset it, which only show the drive again.
    const auto sweep = [&] {
        for (int i = 0; i < 10; ++i) move(f->PicMyPc, i % 2 ? 6000 : 1000, 150);
        for (int i = 0; i < 10; ++i) move(f->PicMyPc, 1000 + 15 * i, 150);
    };
    sweep();
    const forms::Picture drive = f->ImgMyPc->picture(), extra = f->ImgElse->picture();
    ASSERT_EQ(drive, shellFile("950099"));
    ASSERT_FALSE(extra.isNull());
    {
        Removed gone(QStringLiteral("950099"));
        Removed blank(dir().bankFile(QStringLiteral("000000")), Removed::Path{});
        const int decodes = forms::pictureDecodeCount();
        sweep();
        EXPECT_EQ(forms::pictureDecodeCount(), decodes);
        EXPECT_EQ(f->ImgMyPc->picture(), drive);
        EXPECT_EQ(f->ImgElse->picture(), extra);
    }
    // A drive picture the folder lacks leaves the look blank, on its drive.
    Removed gone(QStringLiteral("960099"));
    build(2);
    sweep();
    EXPECT_TRUE(f->ImgMyPc->picture().isNull());
    EXPECT_EQ(f->ImgMyPc->left(), f->LblZHU(96)->left());
    EXPECT_EQ(f->ImgMyPc->top(), f->LblZHU(96)->top());
}
