// The scripted click on a main hot spot and the three panel builders, each
// called directly on a step set up for it.
#include "demo_fixture.h"

namespace {

class DemoScene : public DemoFixture {
protected:
    // A question whose first step is `first`, followed by twelve steps that
    // only mark where a branch arrives (their targets' Left is 100 × step).
    FrmYanShi *openOnFirst(const QString &first) {
        QStringList steps{first};
        for (int i = 2; i <= 13; ++i)
            steps << StepBuilder().action("0001").target(100 * i, 15, 150, 150);
        return openOn(steps);
    }
    // The step on show, by the marker of its target.
    static double markerLeft(const FrmYanShi *f) { return f->Label1->left(); }
    static double widthOf(const char *name) { return shellFile(name).width(); }
    static double heightOf(const char *name) { return shellFile(name).height(); }
    void click(FrmYanShi *f) {
        f->Timer2->setEnabled(true);
        f->Timer6->setEnabled(false);
        f->ZhuClick(f->HitCode);
    }
};

TEST_F(DemoScene, AControlPanelSpotEndsTheStepThroughItsBranch) {
    FrmYanShi *f = openOnFirst(StepBuilder().action("7000").hit(1, hit("45", 2)));
    click(f);
    EXPECT_EQ(f->DemoStep, 2);
    EXPECT_EQ(markerLeft(f), 200);
    // The next step glides to its own target.
    EXPECT_TRUE(f->Timer2->enabled());
    EXPECT_EQ(f->AimX, 275);
    EXPECT_FALSE(f->Pic1J->visible());

    forms::unloadForm<FrmYanShi>();
    f = openOnFirst(StepBuilder().action("7000").hit(1, hit("45", 2, 0, 0, u'B')));
    click(f);
    EXPECT_EQ(f->DemoStep, 11);
    EXPECT_EQ(markerLeft(f), 1100);
}

TEST_F(DemoScene, AClickWithoutPanelItemsEndsTheStepAndClearsThePressedLooks) {
    FrmYanShi *f = openOnFirst(StepBuilder().action("7000").menuBar('A').hit(1, hit("A1")));
    // Not playing: the next step's set-up leaves the panel alone, so the
    // click's own effects show.
    S().DemoPlaying = false;
    f->Pic1J->setVisible(true);
    f->ImgHui->setPicture(shellFile("A10088"));
    f->ImgTool->setPicture(shellFile("110099"));
    f->ZhuClick(f->HitCode);
    EXPECT_EQ(f->DemoStep, 1); // doNext acts only while a demonstration plays
    EXPECT_TRUE(f->Pic1J->visible());
    EXPECT_FALSE(f->ImgHui->picture());
    EXPECT_FALSE(f->ImgTool->picture());
    S().DemoPlaying = true;
    click(f);
    EXPECT_EQ(f->DemoStep, 2);
    EXPECT_TRUE(f->Timer2->enabled()); // the next step's glide
}

TEST_F(DemoScene, ATaskPaneRowThatNamesAnItemEndsItsStep) {
    FrmYanShi *f = openOnFirst(
        StepBuilder().action("7000").menuBar('A').paneFlags(2).hit(1, hit("26", 3, 0, 0, u'4')));
    click(f);
    EXPECT_EQ(f->DemoStep, 4);
    EXPECT_FALSE(f->Pic1J->visible());
}

TEST_F(DemoScene, MenuBarSpotOpensItsPanelBelowTheSpot) {
    FrmYanShi *f = openOnFirst(StepBuilder().action("7000").menuBar('A').hit(1, hit("A1", 6)));
    click(f);
    EXPECT_EQ(f->ImgMenu->left(), 45);
    EXPECT_EQ(f->ImgMenu->top(), 900);
    EXPECT_EQ(f->ImgMenu->picture(), shellFile("A10088"));
    EXPECT_TRUE(f->Pic1J->visible());
    EXPECT_EQ(f->Pic1J->picture(), shellFile("A10077"));
    EXPECT_EQ(f->Pic1J->left(), 45);
    EXPECT_EQ(f->Pic1J->top(), 1275);
    // Item 6 of the panel "A1": the second group starts 120 twips lower.
    EXPECT_EQ(rectOf(f->Lbl1J(6)), (R{90, 3090, 2700, 330}));
    EXPECT_EQ(rectOf(f->Shape1), (R{90, 3090, 2700, 330}));
    EXPECT_TRUE(f->Timer6->enabled());
}

TEST_F(DemoScene, MenuBarPanelFitsIntoTheWindow) {
    const double w = widthOf("H50077"), h = heightOf("H50077");
    // A bar far right and low: the panel opens left of the spot and ends
    // at the bottom limit.
    FrmYanShi *f = openOnFirst(
        StepBuilder().action("7000").menuBar('H').barPosition(9999, 9000).hit(1, hit("H5", 1)));
    click(f);
    EXPECT_EQ(f->LblZHU(5)->left(), 13254);
    EXPECT_EQ(f->Pic1J->left(), 13254 - w);
    EXPECT_EQ(f->Pic1J->top(), 8820 - h);
}

TEST_F(DemoScene, ContextMenuOnTheTargetIsPinnedThenFitted) {
    const double w = widthOf("620077"), h = heightOf("620077");
    FrmYanShi *f = openOnFirst(StepBuilder()
                                   .action("7771")
                                   .menuBar('A')
                                   .target(14000, 8000, 600, 300)
                                   .hit(2, hit("A1", 1))
                                   .put(125, "X62"));
    ASSERT_EQ(f->HitCode, "A1");
    click(f);
    EXPECT_EQ(f->Pic1J->picture(), shellFile("620077"));
    // Pinned to the right edge, then moved left of spot 1 by the final fit.
    EXPECT_EQ(f->Pic1J->left(), 45 - w);
    EXPECT_EQ(f->Pic1J->top(), 8820 - h);

    // With room around the target the corner stays at its centre.
    forms::unloadForm<FrmYanShi>();
    f = openOnFirst(StepBuilder()
                        .action("7771")
                        .menuBar('A')
                        .target(3000, 2000, 600, 300)
                        .hit(2, hit("A1", 1))
                        .put(125, "X62"));
    click(f);
    EXPECT_EQ(f->Pic1J->left(), 3300);
    EXPECT_EQ(f->Pic1J->top(), 2150);
}

TEST_F(DemoScene, ExtraPictureWindowOpensThePanelOfItsCodeAtTheTarget) {
    FrmYanShi *f = openOnFirst(StepBuilder()
                                   .action("7000")
                                   .target(3000, 3000, 600, 400)
                                   .hit(1, hit("T1", 3))
                                   .put(167, "9lX001"));
    ASSERT_EQ(S().CurRecord.mid(3, 2), "T1");
    click(f);
    EXPECT_EQ(f->Pic1J->picture(), shellFile("T10077"));
    EXPECT_EQ(f->ImgMenu->picture(), bankFile("9lX001"));
    EXPECT_EQ(f->Pic1J->left(), 3300);
    EXPECT_EQ(f->Pic1J->top(), 3200);
}

TEST_F(DemoScene, TaskbarButtons) {
    FrmYanShi *f = openOnFirst(StepBuilder().action("7000").hit(1, hit("23", 1)));
    click(f);
    EXPECT_EQ(f->ImgTool->left(), 7890);
    EXPECT_EQ(f->ImgTool->top(), 750);
    EXPECT_EQ(f->ImgTool->picture(), shellFile("230099"));
    EXPECT_TRUE(f->Pic1J->visible());
    EXPECT_EQ(f->Pic1J->picture(), shellFile("230077"));
    EXPECT_EQ(f->Pic1J->left(), 7890);
    EXPECT_EQ(f->Pic1J->top(), 1320);
    EXPECT_TRUE(f->Timer6->enabled());

    forms::unloadForm<FrmYanShi>();
    f = openOnFirst(StepBuilder().action("7000").hit(1, hit("15", 1)));
    click(f);
    EXPECT_EQ(f->ImgTool->left(), 3525);
    EXPECT_EQ(f->ImgTool->picture(), shellFile("150099"));
    EXPECT_FALSE(f->Pic1J->visible());
    EXPECT_TRUE(f->Timer6->enabled());
}

TEST_F(DemoScene, DesktopSpotsAndSpot70) {
    FrmYanShi *f = openOnFirst(StepBuilder().action("7000").hit(1, hit("65", 1)));
    click(f);
    EXPECT_EQ(f->Pic1J->picture(), shellFile("650077"));
    EXPECT_EQ(f->Pic1J->left(), 585);
    EXPECT_EQ(f->Pic1J->top(), 7335);
    EXPECT_TRUE(f->Pic1J->visible());
    EXPECT_FALSE(f->ImgMenu->picture());

    forms::unloadForm<FrmYanShi>();
    f = openOnFirst(StepBuilder().action("7000").hit(1, hit("70", 1)));
    click(f);
    EXPECT_EQ(f->Pic1J->picture(), shellFile("700077"));
    EXPECT_EQ(f->Pic1J->left(), 360);
    EXPECT_EQ(f->Pic1J->top(), 6600);
}

TEST_F(DemoScene, StartMenuEntries) {
    struct Case {
        const char *code;
        const char *pressed;
        const char *panel;
        double left, top;
    };
    const Case cases[] = {
        {"84", "840088", "840077", 120, 1500},
        {"80", "800088", "800077", 3855, 1515},
        {"82", "820088", "820077", 5355, 8220 - heightOf("820077")},
        {"75", "750088", nullptr, 0, 0},
    };
    for (const Case &c : cases) {
        FrmYanShi *f = openOnFirst(StepBuilder().action("7000").hit(1, hit(c.code, 1)));
        click(f);
        const forms::Label *spot = f->LblZHU(QString::fromLatin1(c.code).toInt());
        EXPECT_EQ(f->ImgStart->left(), spot->left()) << c.code;
        EXPECT_EQ(f->ImgStart->top(), spot->top()) << c.code;
        EXPECT_EQ(f->ImgStart->picture(), shellFile(c.pressed)) << c.code;
        EXPECT_TRUE(f->Timer6->enabled()) << c.code;
        EXPECT_EQ(f->Pic1J->visible(), c.panel != nullptr) << c.code;
        if (c.panel) {
            EXPECT_EQ(f->Pic1J->picture(), shellFile(c.panel)) << c.code;
            EXPECT_EQ(f->Pic1J->left(), c.left) << c.code;
            EXPECT_EQ(f->Pic1J->top(), c.top) << c.code;
        }
        forms::unloadForm<FrmYanShi>();
    }
}

TEST_F(DemoScene, ComputerItemsOpenAtTheirCentreAndFlipOnlyBeyondTheEdge) {
    const double w = widthOf("970077"), h = heightOf("970077");
    FrmYanShi *f = openOnFirst(StepBuilder().action("7000").windowKind('P').hit(1, hit("97", 1)));
    click(f);
    EXPECT_EQ(f->ImgMyPc->left(), 10230);
    EXPECT_EQ(f->ImgMyPc->top(), 1845);
    EXPECT_EQ(f->ImgMyPc->picture(), shellFile("970099"));
    EXPECT_EQ(f->Pic1J->left(), 12105);
    EXPECT_EQ(f->Pic1J->top(), 2272.5);

    // Exactly at the edge the panel stays; one twip beyond, it flips left
    // and up.
    f->move(f->left(), f->top(), 12105 + w, 2272.5 + h);
    click(f);
    EXPECT_EQ(f->Pic1J->left(), 12105);
    EXPECT_EQ(f->Pic1J->top(), 2272.5);
    f->move(f->left(), f->top(), 12104 + w, 2271.5 + h);
    click(f);
    EXPECT_EQ(f->Pic1J->left(), 12105 - w);
    EXPECT_EQ(f->Pic1J->top(), 2272.5 - h);

    forms::unloadForm<FrmYanShi>();
    f = openOnFirst(StepBuilder().action("7000").windowKind('P').hit(1, hit("92", 1)));
    click(f);
    EXPECT_EQ(f->ImgMyPc->left(), 3150);
    EXPECT_EQ(f->Pic1J->picture(), shellFile("920077"));
    EXPECT_EQ(f->Pic1J->left(), 7560);
    EXPECT_EQ(f->Pic1J->top(), 5115);
}

// ---------------------------------------------------------------- builders

TEST_F(DemoScene, Level1ItemsMoveWithThePanelParkedOnesIncluded) {
    FrmYanShi *f = openOnFirst(StepBuilder().action("0001"));
    f->Pic1J->move(2000, 3000);
    f->HitCode = "84";
    f->Target1J = 2;
    f->Tool1JCSH();
    EXPECT_EQ(rectOf(f->Lbl1J(1)), (R{2015, 3045, 3750, 315}));
    EXPECT_EQ(rectOf(f->Lbl1J(2)), (R{2015, 3360, 3750, 315}));
    EXPECT_EQ(rectOf(f->Lbl1J(15)), (R{2045, 8805, 3690, 345}));
    // Re-parked by the stacking; beyond item 20 only parked.
    EXPECT_EQ(rectOf(f->Lbl1J(16)), (R{1940, 2900, 30, 0}));
    EXPECT_EQ(rectOf(f->Lbl1J(21)), (R{1900, 2900, 0, 0}));
    EXPECT_EQ(rectOf(f->Lbl1J(0)), (R{0, 0, 495, 495}));
    EXPECT_EQ(rectOf(f->Shape1), (R{2015, 3360, 3750, 315}));
    EXPECT_EQ(f->AimX, 3890);
    EXPECT_EQ(f->AimY, 3518); // 3517.5 to the even neighbour
    EXPECT_TRUE(f->Timer6->enabled());

    // Twice in a row: the same rectangles.
    f->Tool1JCSH();
    EXPECT_EQ(rectOf(f->Lbl1J(2)), (R{2015, 3360, 3750, 315}));

    f->Target1J = 16;
    f->Tool1JCSH();
    EXPECT_EQ(f->AimX, 1955);
    EXPECT_EQ(f->AimY, 2900);
}

TEST_F(DemoScene, Level1SpareAndMissingItems) {
    FrmYanShi *f = openOnFirst(StepBuilder().action("0001"));
    f->Pic1J->move(2000, 3000);
    f->HitCode = "ZZ";
    f->Target1J = 5;
    f->Tool1JCSH();
    for (int i = 1; i <= 44; ++i) EXPECT_EQ(rectOf(f->Lbl1J(i)), (R{1900, 2900, 0, 0})) << i;
    EXPECT_EQ(rectOf(f->Shape1), (R{1900, 2900, 0, 0}));

    // Item 0 is the spare label at the window's corner.
    f->Target1J = 0;
    f->PointerX = 7680;
    f->PointerY = 5760;
    f->Tool1JCSH();
    EXPECT_EQ(rectOf(f->Shape1), (R{0, 0, 495, 495}));
    EXPECT_EQ(f->AimX, 248);
    EXPECT_EQ(f->AimY, 248);
    EXPECT_DOUBLE_EQ(f->StepLen, std::sqrt(7432.0 * 7432 + 5512.0 * 5512) / 15);
    EXPECT_EQ(f->StepDX, -617);
    EXPECT_EQ(f->StepDY, -458);

    // Beyond 44 (or negative): aim and frame stay, the glide starts anyway.
    for (int bad : {45, -1}) {
        f->Timer6->setEnabled(false);
        f->Target1J = bad;
        f->Tool1JCSH();
        EXPECT_EQ(rectOf(f->Shape1), (R{0, 0, 495, 495})) << bad;
        EXPECT_EQ(f->AimX, 248) << bad;
        EXPECT_TRUE(f->Timer6->enabled()) << bad;
    }
}

TEST_F(DemoScene, Level2ItemsOfTheSubMenuOfTheTargetItem) {
    FrmYanShi *f = openOnFirst(StepBuilder().action("0001"));
    f->Pic2J->move(5000, 2000);
    f->HitCode = "A1";
    f->Target1J = 7;
    f->Target2J = 3;
    f->Tool2JCSH();
    EXPECT_EQ(rectOf(f->Lbl2J(1)), (R{5045, 2045, 1800, 330}));
    EXPECT_EQ(rectOf(f->Lbl2J(3)), (R{5045, 2825, 1800, 330}));
    EXPECT_EQ(rectOf(f->Lbl2J(5)), (R{4940, 1900, 30, 0}));
    EXPECT_EQ(rectOf(f->Shape1), (R{5045, 2825, 1800, 330}));
    EXPECT_EQ(f->AimX, 5945);
    EXPECT_EQ(f->AimY, 2990);
    EXPECT_TRUE(f->Timer7->enabled());

    f->Target2J = 0;
    f->Tool2JCSH();
    EXPECT_EQ(rectOf(f->Shape1), (R{0, 0, 495, 495}));
    EXPECT_EQ(f->AimX, 248);

    for (int bad : {45, -1}) {
        f->Timer7->setEnabled(false);
        f->Target2J = bad;
        f->Tool2JCSH();
        EXPECT_EQ(f->AimX, 248) << bad;
        EXPECT_EQ(rectOf(f->Shape1), (R{0, 0, 495, 495})) << bad;
        EXPECT_TRUE(f->Timer7->enabled()) << bad;
    }

    // An id without a row leaves every item parked, moved by the panel.
    f->Target1J = 9;
    f->Target2J = 1;
    f->Tool2JCSH();
    EXPECT_EQ(rectOf(f->Lbl2J(1)), (R{4900, 1900, 0, 0}));
}

TEST_F(DemoScene, Level3RowsAreNarrowerThanTheScreens) {
    FrmYanShi *f = openOnFirst(StepBuilder().action("0001"));
    f->Pic3J->move(6000, 3000);
    f->Target3J = 2;
    f->Tool3JCSH();
    EXPECT_EQ(rectOf(f->Lbl3J(1)), (R{6090, 3000, 1980, 345}));
    EXPECT_EQ(rectOf(f->Lbl3J(9)), (R{6090, 5760, 1980, 345}));
    EXPECT_EQ(rectOf(f->Shape1), (R{6090, 3345, 1980, 345}));
    EXPECT_EQ(f->AimX, 7080);
    EXPECT_EQ(f->AimY, 3518);
    EXPECT_TRUE(f->Timer8->enabled());

    struct Case {
        int target;
        R frame;
        int aimX, aimY;
    };
    const Case spares[] = {{0, {18360, 5880, 1095, 495}, 18908, 6128},
                           {10, {0, 0, 1095, 495}, 548, 248},
                           {11, {0, 0, 1095, 495}, 548, 248},
                           {-1, {0, 0, 1095, 495}, 548, 248}};
    for (const Case &c : spares) {
        f->Target3J = c.target;
        f->Tool3JCSH();
        EXPECT_EQ(rectOf(f->Shape1), c.frame) << c.target;
        EXPECT_EQ(f->AimX, c.aimX) << c.target;
        EXPECT_EQ(f->AimY, c.aimY) << c.target;
    }
}

TEST_F(DemoScene, AimRoundsHalvesToTheEvenNeighbour) {
    EXPECT_EQ(demo::centreOf(1000, 255), 1128);
    EXPECT_EQ(demo::centreOf(1000, 253), 1126);
    EXPECT_EQ(demo::centreOf(100, 301), 250);
    demo::GlideStep g;
    ASSERT_TRUE(demo::aimPointer(0, 0, 1500, 0, g));
    EXPECT_EQ(g.dx, 100);
    EXPECT_EQ(g.dy, 0);
    ASSERT_TRUE(demo::aimPointer(500, 500, 500, 500, g));
    EXPECT_EQ(g.stepLen, 0);
    EXPECT_EQ(g.dx, 0);
    EXPECT_EQ(g.dy, 0);
    ASSERT_TRUE(demo::aimPointer(1000, 1000, 0, 0, g)); // equal axes: Y is the long one
    EXPECT_EQ(g.dx, -94);
    EXPECT_EQ(g.dy, -94);
}

// ---------------------------------------------------------------- bar and pane

TEST_F(DemoScene, TheBarFollowsItsPlaceAndKeepsItsLastLayout) {
    FrmYanShi *f = openOn({
        StepBuilder().action("0001").menuBar('A'),
        StepBuilder().action("0001").menuBar('E').barPosition(1200, 480),
        StepBuilder().action("0001").menuBar('A').put(167, "W          "),
        StepBuilder().action("0001").menuBar('A').put(167, "W1200X0480"),
        StepBuilder().action("0001").menuBar('A').barPosition(1200, 480).truncate(166),
    });
    EXPECT_EQ(rectOf(f->LblZHU(1)), (R{45, 900, 1020, 375}));
    build(f, 2);
    EXPECT_TRUE(f->PicMenu->visible());
    EXPECT_EQ(rectOf(f->LblZHU(1)), (R{1245, 540, 1020, 375}));
    build(f, 3);
    EXPECT_EQ(f->PicMenu->left(), 0);
    EXPECT_EQ(f->PicMenu->top(), 0);
    build(f, 4);
    EXPECT_EQ(f->PicMenu->left(), 1200);
    EXPECT_EQ(f->PicMenu->top(), 480);
    build(f, 5);
    EXPECT_EQ(f->PicMenu->left(), 0);
    EXPECT_EQ(f->PicMenu->top(), 840);
}

TEST_F(DemoScene, APaneVariantWithoutRowsKeepsTheTopsOfTheLastOne) {
    FrmYanShi *f = openOn({
        StepBuilder().action("0001").menuBar('A').paneFlags(2),
        StepBuilder().action("0001").menuBar('A').paneFlags(8),
        StepBuilder().action("0001").menuBar('M').paneFlags(6),
    });
    build(f, 2);
    EXPECT_EQ(rectOf(f->LblZHU(26)), (R{15, 1470, 2085, 345}));
    build(f, 3); // no bar letter: the pane is neither shown nor laid out
    EXPECT_FALSE(f->PicHui->visible());
    EXPECT_EQ(rectOf(f->LblZHU(26)), (R{15, 1470, 2085, 345}));
}

} // namespace
