// Clicks, double-clicks and other buttons on the hot spots of every screen
// region, through the forms layer's event path: which step each leads to,
// the code it leaves, the pressed look and the panel it opens.
#include "screen_fixture.h"

namespace {

class HotSpotClicks : public ShellJudgingFixture {};

enum class Gesture { Left, Right, Middle, Double };

void act(forms::Control *at, double x, double y, Gesture g) {
    switch (g) {
    case Gesture::Left:
        forms::testing::click(at, x, y);
        break;
    case Gesture::Right:
        forms::testing::click(at, x, y, forms::vbRightButton);
        break;
    case Gesture::Middle:
        forms::testing::click(at, x, y, forms::vbMiddleButton);
        break;
    case Gesture::Double:
        forms::testing::dblClick(at, x, y);
        break;
    }
}

StepBuilder bar(QChar letter, int paneFlags = 0) {
    return StepBuilder().background("k20001").menuBar(letter).paneFlags(paneFlags);
}
StepBuilder desktop() {
    return StepBuilder().background("7d0001").menuBar(u'M');
}
StepBuilder computer() {
    return StepBuilder().background("k20001").windowKind(u'P');
}

} // namespace

TEST_F(HotSpotClicks, ACommandBarButtonTakesClicksDownToItsDesignedHeight) {
    useFirstStep(bar(u'A'));
    start();
    FrmMain *f = frm();
    // Button 1 stands at Top 60 and keeps the height it was created with,
    // 375: a click 360 twips below its top still opens its menu.
    click(f->PicMenu, 500, 60 + 360);
    EXPECT_EQ(f->HitCode, QStringLiteral("A1"));
    EXPECT_TRUE(f->Pic1J->isShown());
}

TEST_F(HotSpotClicks, EveryRegionAndButtonLeadsToItsStep) {
    struct Case {
        const char *what;
        StepBuilder step;
        int spot;
        Gesture gesture;
        bool openStartMenu;
        int leadsTo;                // 1: not answered
        const char *code = nullptr; // HitCode left when not answered
        bool panelOpen = false;     // Pic1J shown when not answered
    };
    using G = Gesture;
    const Case cases[] = {
        {"a plain button of command bar A", bar(u'A').hit(1, hit("A3", 0, 0, 0, u'3')), 3, G::Left,
         false, 3},
        {"button 1 of bar A opens its menu and answers", bar(u'A').hit(1, hit("A1", 0, 0, 0, u'3')),
         1, G::Left, false, 3},
        {"spot 5 of bar B is B5", bar(u'B').hit(1, hit("B5", 0, 0, 0, u'4')), 5, G::Left, false, 4},
        {"spot 5 of bar B is not A5", bar(u'B').hit(1, hit("A5", 0, 0, 0, u'4')), 5, G::Left, false,
         1, "B5", false},
        {"a tool-strip button", bar(u'O', 1).hit(1, hit("15", 0, 0, 0, u'3')), 15, G::Left, false,
         3},
        {"the wrong tool-strip button", bar(u'O', 1).hit(1, hit("15", 0, 0, 0, u'3')), 16, G::Left,
         false, 1, "16", false},
        {"tool-strip button 23 opens its panel and answers",
         bar(u'O', 1).hit(1, hit("23", 0, 0, 0, u'3')), 23, G::Left, false, 3},
        {"a row of the task pane", bar(u'O', 2).hit(1, hit("26", 0, 0, 0, u'5')), 26, G::Left,
         false, 5},
        {"a desktop icon is not opened by one click", desktop().hit(1, hit("63", 0, 0, 0, u'3')),
         63, G::Left, false, 1, "63", false},
        {"a desktop icon opened by double-click", desktop().hit(1, hit("63", 0, 0, 0, u'3')), 63,
         G::Double, false, 3},
        {"a double-click also answers item 1 of the icon's panel",
         desktop().hit(2, hit("63", 1, 0, 0, u'3')), 63, G::Double, false, 3},
        {"but not item 2", desktop().hit(2, hit("63", 2, 0, 0, u'3')), 63, G::Double, false, 1,
         "63", false},
        {"the right button on an icon opens its panel", desktop().hit(1, hit("63", 0, 0, 0, u'3')),
         63, G::Right, false, 1, "63", true},
        {"the middle button on an icon too", desktop().hit(1, hit("62", 0, 0, 0, u'3')), 62,
         G::Middle, false, 1, "62", true},
        {"an entry of the start menu", desktop().hit(1, hit("75", 0, 0, 0, u'3')), 75, G::Left,
         true, 3},
        {"All programs opens its panel and answers", desktop().hit(4, hit("84", 0, 0, 0, u'3')), 84,
         G::Left, true, 3},
        {"the Computer window's spot 92 by one click", computer().hit(1, hit("92", 0, 0, 0, u'3')),
         92, G::Left, false, 3},
        {"a drive is not opened by one click", computer().hit(1, hit("95", 0, 0, 0, u'3')), 95,
         G::Left, false, 1, "95", false},
        {"a drive opened by double-click", computer().hit(1, hit("95", 0, 0, 0, u'3')), 95,
         G::Double, false, 3},
        {"the right button on a drive opens its panel", computer().hit(1, hit("97", 0, 0, 0, u'3')),
         97, G::Right, false, 1, "97", true},
        {"the right button elsewhere only names the spot",
         bar(u'O', 1).hit(1, hit("15", 0, 0, 0, u'3')), 15, G::Right, false, 1, "15", false},
        {"an entry of another kind", bar(u'O', 1).hit(1, QStringLiteral("D150000003")), 15, G::Left,
         false, 1, "15", false},
        // Pointing lays the link's hover look over it; the click answers all the same.
        {"a link of a Control Panel page",
         StepBuilder().background("k20003").windowKind(u'N').viewVariant(u'1').hit(
             1, hit("42", 0, 0, 0, u'3')),
         42, G::Left, false, 3},
        {"the wrong link of a Control Panel page",
         StepBuilder().background("k20003").windowKind(u'N').viewVariant(u'1').hit(
             1, hit("42", 0, 0, 0, u'3')),
         43, G::Left, false, 1, "43", false},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        useFirstStep(c.step);
        start();
        FrmMain *f = frm();
        if (c.openStartMenu) {
            clickAt(f->StartMenu);
            ASSERT_TRUE(f->PicStart->isShown());
        }
        forms::Label *spot = f->LblZHU(c.spot);
        act(spot, spot->width() / 2, spot->height() / 2, c.gesture);
        EXPECT_EQ(step(), c.leadsTo);
        if (c.leadsTo == 1) {
            EXPECT_EQ(f->HitCode, c.code);
            EXPECT_EQ(f->Pic1J->isShown(), c.panelOpen);
        }
        forms::testing::unloadAll();
    }
}

TEST_F(HotSpotClicks, TheStripAboveTheDesktopIsASpotOfItsOwn) {
    // Spots 66 to 70 lie above the desktop but for a strip 30 twips high,
    // where the last of them, 70, takes the click.
    useFirstStep(desktop().hit(1, hit("70", 0, 0, 0, u'2')));
    start();
    forms::testing::click(frm()->PicTable, 585, 15);
    EXPECT_EQ(step(), 2);
}

TEST_F(HotSpotClicks, PressedLooksAndWhereTheirPanelsOpen) {
    useFirstStep(bar(u'A').hit(1, hit("A9")));
    start();
    FrmMain *f = frm();
    const double barLeft = f->PicMenu->left(), barTop = f->PicMenu->top();
    const double barHeight = f->PicMenu->height();

    // A menu opens right below its button.
    forms::Label *organise = f->LblZHU(1);
    clickAt(organise);
    EXPECT_EQ(f->HitCode, "A1");
    EXPECT_EQ(f->ImgMenu->picture(), shellFile("A10088"));
    EXPECT_EQ(f->ImgMenu->left(), organise->left());
    EXPECT_EQ(f->ImgMenu->top(), organise->top());
    ASSERT_TRUE(f->Pic1J->isShown());
    EXPECT_EQ(f->Pic1J->picture(), shellFile("A10077"));
    EXPECT_EQ(f->Pic1J->left(), organise->left() + barLeft);
    EXPECT_EQ(f->Pic1J->top(), barTop + barHeight);
    EXPECT_GT(f->Lbl1J(13)->height(), 0) << "the menu's items are laid out";

    // A plain button closes it and shows only its pressed look.
    clickAt(f->LblZHU(2));
    EXPECT_EQ(f->HitCode, "A2");
    EXPECT_FALSE(f->Pic1J->isShown());
    EXPECT_EQ(f->ImgMenu->picture(), shellFile("A20088"));

    // The view button opens its menu up and to the left.
    forms::Label *view = f->LblZHU(7);
    clickAt(view);
    EXPECT_EQ(f->Pic1J->picture(), shellFile("A70077"));
    EXPECT_EQ(f->Pic1J->left(), view->left() + barLeft - 1245);
    EXPECT_EQ(f->Pic1J->top(), barTop + barHeight - 1245);
    forms::testing::unloadAll();

    // A desktop icon's panel opens at the icon's centre.
    useFirstStep(desktop());
    start();
    f = frm();
    forms::Label *icon = f->LblZHU(63);
    clickAt(icon, forms::vbRightButton);
    EXPECT_EQ(f->ImgTable->picture(), shellFile("630099"));
    EXPECT_EQ(f->Pic1J->picture(), shellFile("630077"));
    EXPECT_EQ(f->Pic1J->left(), icon->left() + icon->width() / 2);
    EXPECT_EQ(f->Pic1J->top(), icon->top() + icon->height() / 2);
    forms::testing::unloadAll();

    // A drive's panel opens at the pointer, to its left near the window's
    // right edge.
    useFirstStep(computer());
    start();
    f = frm();
    forms::Label *drive = f->LblZHU(97);
    forms::testing::click(drive, 3000, 300, forms::vbRightButton);
    EXPECT_EQ(f->ImgMyPc->picture(), shellFile("970099"));
    ASSERT_TRUE(f->Pic1J->isShown());
    const double pointerX = f->PicMyPc->left() + drive->left() + 3000;
    EXPECT_EQ(f->Pic1J->left(), pointerX - f->Pic1J->width());
    EXPECT_EQ(f->Pic1J->top(), f->PicMyPc->top() + drive->top() + 300);
}

TEST_F(HotSpotClicks, AMissingPictureLeavesItBlankAndTheClickIsJudged) {
    Removed pressed(QStringLiteral("A10088"));
    Removed panel(QStringLiteral("A10077"));
    useFirstStep(bar(u'A').hit(1, hit("A1", 0, 0, 0, u'3')));
    start();
    clickAt(frm()->LblZHU(1));
    EXPECT_EQ(step(), 3);
    forms::testing::unloadAll();

    useFirstStep(bar(u'A').hit(1, hit("A1", 5)));
    start();
    FrmMain *f = frm();
    clickAt(f->LblZHU(1));
    EXPECT_TRUE(f->ImgMenu->picture().isNull());
    EXPECT_TRUE(f->Pic1J->isShown());
    EXPECT_TRUE(f->Pic1J->picture().isNull());
    EXPECT_EQ(f->HitCode, "A1");
}
