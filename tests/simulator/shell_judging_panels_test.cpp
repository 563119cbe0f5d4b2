// Clicks on the items of the cascading panels: the start menu's three
// levels, context panels opened by the right button, level-2 panels, the
// entry shown highlighted in advance, and gestures that answer two steps.
#include "screen_fixture.h"

namespace {

class PanelItems : public ShellJudgingFixture {
protected:
    // Opens the all-programs panel of the start menu.
    void openAllPrograms() {
        FrmMain *f = frm();
        clickAt(f->StartMenu);
        clickAt(f->LblZHU(84));
        ASSERT_TRUE(f->Pic1J->isShown());
        ASSERT_EQ(f->HitCode, "84");
    }
    // Opens the desktop's context panel.
    void openDesktopPanel() {
        forms::testing::click(frm()->PicTable, 6000, 3000, forms::vbRightButton);
        ASSERT_TRUE(frm()->Pic1J->isShown());
        ASSERT_EQ(frm()->HitCode, "69");
    }
};

StepBuilder desktop() {
    return StepBuilder().background("7d0001").menuBar(u'M');
}
StepBuilder explorer() {
    return StepBuilder().background("k20001").menuBar(u'A').paneFlags(1);
}
StepBuilder strip() {
    return StepBuilder().background("k20001").menuBar(u'O').paneFlags(1);
}

} // namespace

TEST_F(PanelItems, ThreeLevelsOfTheStartMenu) {
    // Entry 2 names folder 1 itself, which only opens its list.
    useFirstStep(desktop().hit(1, hit("84", 10, 1, 5, u'3')).hit(2, hit("84", 10, 1, 0, u'4')));
    start();
    FrmMain *f = frm();
    openAllPrograms();

    // Item 10 opens the program folders, overlapping the panel by 15
    // twips, its first item level with the item.
    forms::Label *folders = f->Lbl1J(10);
    clickAt(folders);
    EXPECT_EQ(f->Sel1J, 10);
    ASSERT_TRUE(f->Pic2J->isShown());
    EXPECT_EQ(f->Pic2J->picture(), shellFile("841077"));
    EXPECT_EQ(f->Pic2J->left(), f->Pic1J->left() + f->Pic1J->width() - 15);
    EXPECT_EQ(f->Pic2J->top(), f->Pic1J->top() + folders->top() - 45);
    EXPECT_EQ(f->Lbl2J(1)->top(), 45);
    EXPECT_EQ(step(), 1);

    // Folder 1 opens its list and is not judged.
    forms::Label *accessories = f->Lbl2J(1);
    clickAt(accessories);
    EXPECT_EQ(f->Sel2J, 1);
    ASSERT_TRUE(f->Pic3J->isShown());
    EXPECT_EQ(f->Pic3J->picture(), shellFile("SS0177"));
    EXPECT_EQ(f->Pic3J->left(), f->Pic2J->left() + f->Pic2J->width() - 15);
    EXPECT_EQ(f->Pic3J->top(), f->Pic2J->top() + accessories->top());
    EXPECT_EQ(f->Lbl3J(9)->top(), 8 * 345);
    EXPECT_EQ(step(), 1);

    // A row of the list answers with all three items.
    clickAt(f->Lbl3J(4));
    EXPECT_EQ(step(), 1);
    clickAt(f->Lbl3J(5));
    EXPECT_EQ(step(), 3);
}

TEST_F(PanelItems, LevelTwoItemsOfTheFoldersPanel) {
    // Items 1 to 4 only open lists; item 5 is judged like any item.
    useFirstStep(desktop().hit(1, hit("84", 10, 2, 0, u'5')).hit(2, hit("84", 10, 5, 0, u'3')));
    start();
    FrmMain *f = frm();
    openAllPrograms();
    clickAt(f->Lbl1J(10));
    clickAt(f->Lbl2J(2));
    EXPECT_TRUE(f->Pic3J->isShown());
    EXPECT_EQ(f->Pic3J->picture(), shellFile("SS0277"));
    EXPECT_EQ(step(), 1);
    clickAt(f->Lbl2J(5));
    EXPECT_EQ(step(), 3);
}

TEST_F(PanelItems, AContextPanelOpenedByTheRightButtonIsAnsweredByAnItem) {
    useFirstStep(desktop().hit(1, hit("69", 3, 0, 0, u'3')));
    start();
    FrmMain *f = frm();
    // A left click on the bare desktop opens nothing.
    forms::testing::click(f->PicTable, 6000, 3000);
    EXPECT_FALSE(f->Pic1J->isShown());
    openDesktopPanel();
    clickAt(f->Lbl1J(2));
    EXPECT_EQ(step(), 1);
    clickAt(f->Lbl1J(3));
    EXPECT_EQ(step(), 3);
}

TEST_F(PanelItems, AnItemThatOpensALevelTwoPanelIsJudgedToo) {
    // The desktop's "查看" opens its menu and answers an entry for itself.
    useFirstStep(desktop().hit(1, hit("69", 1, 0, 0, u'3')));
    start();
    openDesktopPanel();
    clickAt(frm()->Lbl1J(1));
    EXPECT_EQ(step(), 3);
}

TEST_F(PanelItems, ALevelTwoItemOfAContextPanel) {
    useFirstStep(desktop().hit(3, hit("69", 1, 2, 0, u'4')));
    start();
    FrmMain *f = frm();
    openDesktopPanel();
    forms::Label *view = f->Lbl1J(1);
    clickAt(view);
    ASSERT_TRUE(f->Pic2J->isShown());
    EXPECT_EQ(f->Pic2J->picture(), shellFile("690177"));
    EXPECT_EQ(f->Pic2J->left(), f->Pic1J->left() + f->Pic1J->width() - 75);
    clickAt(f->Lbl2J(3));
    EXPECT_EQ(step(), 1);
    clickAt(f->Lbl2J(2));
    EXPECT_EQ(step(), 4);
}

TEST_F(PanelItems, ALevelTwoPanelAtTheRightEdgeOpensToTheLeft) {
    useFirstStep(desktop());
    start();
    FrmMain *f = frm();
    forms::testing::click(f->PicTable, 14000, 1500, forms::vbRightButton);
    ASSERT_TRUE(f->Pic1J->isShown());
    clickAt(f->Lbl1J(1));
    ASSERT_TRUE(f->Pic2J->isShown());
    EXPECT_EQ(f->Pic2J->left(), f->Pic1J->left() - f->Pic2J->width() + 15);
    EXPECT_LE(f->Pic2J->left() + f->Pic2J->width(), f->width());
}

TEST_F(PanelItems, AnEntryShownInAdvanceAnswersByEntryThree) {
    // Entry 3 of kind "D" moves the step on whatever its branch says.
    useFirstStep(explorer().hit(3, QStringLiteral("DA1090k209")));
    start();
    FrmMain *f = frm();
    clickAt(f->LblZHU(1));
    ASSERT_TRUE(f->Img1jBK->isShown());
    EXPECT_EQ(f->Img1jBK->picture(), shellFile("k20977"));
    EXPECT_EQ(f->Img1jBK->top(), f->Lbl1J(9)->top());
    clickAt(f->Lbl1J(8));
    EXPECT_EQ(step(), 1);
    clickAt(f->LblZHU(1));
    clickAt(f->Lbl1J(9));
    EXPECT_EQ(step(), 2);
    forms::testing::unloadAll();

    // Elsewhere than at index 3 a "D" entry is not acted on.
    useFirstStep(explorer().hit(2, QStringLiteral("DA1090k209")));
    start();
    clickAt(frm()->LblZHU(1));
    clickAt(frm()->Lbl1J(9));
    EXPECT_EQ(step(), 1);
}

TEST_F(PanelItems, OneGestureAnswersTwoSteps) {
    struct Case {
        const char *what;
        QStringList steps;
        std::function<void(FrmMain *)> gesture;
        int leadsTo;
    };
    const Case cases[] = {
        {"a release, then entry 3 of the next step for the same spot",
         {strip().hit(1, hit("15")), strip().hit(3, hit("15")), marker(), marker()},
         [](FrmMain *f) { clickAt(f->LblZHU(15)); },
         3},
        {"a release whose next step expects another spot",
         {strip().hit(1, hit("15")), strip().hit(3, hit("16")), marker()},
         [](FrmMain *f) { clickAt(f->LblZHU(15)); },
         2},
        {"a later entry of the next step, not an earlier one",
         {strip().hit(2, hit("15")), strip().hit(1, hit("15")), marker()},
         [](FrmMain *f) { clickAt(f->LblZHU(15)); },
         2},
        {"a level-1 item, then item 00 of the same panel, since Sel1J is 0 now",
         {explorer().hit(1, hit("A1", 9)), explorer().hit(2, hit("A1")), marker()},
         [](FrmMain *f) {
             clickAt(f->LblZHU(1));
             clickAt(f->Lbl1J(9));
         },
         3},
        {"a level-1 item, then the same item, which Sel1J no longer names",
         {explorer().hit(1, hit("A1", 9)), explorer().hit(2, hit("A1", 9)), marker()},
         [](FrmMain *f) {
             clickAt(f->LblZHU(1));
             clickAt(f->Lbl1J(9));
         },
         2},
        {"a level-3 row that jumps, keeping Sel1J, then answers again",
         {desktop().hit(1, hit("84", 10, 1, 5, u'3')), marker(),
          desktop().hit(2, hit("84", 10, 1, 5)), marker()},
         [](FrmMain *f) {
             clickInTurn({f->StartMenu, f->LblZHU(84), f->Lbl1J(10), f->Lbl2J(1), f->Lbl3J(5)});
         },
         4},
        {"an entry shown in advance after an item answered",
         {explorer().hit(1, hit("A1", 9)), explorer().hit(3, QStringLiteral("DA1000k209")),
          marker()},
         [](FrmMain *f) {
             clickAt(f->LblZHU(1));
             clickAt(f->Lbl1J(9));
         },
         3},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        useSteps(c.steps);
        start();
        c.gesture(frm());
        EXPECT_EQ(step(), c.leadsTo);
        forms::testing::unloadAll();
    }
}
