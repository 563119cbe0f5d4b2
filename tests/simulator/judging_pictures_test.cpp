// Picture answers: clicks on the overlay pictures, the picture drag of
// Image5 and the extra picture, all through the forms layer's mouse.
#include "screen_fixture.h"
#include "simulator/judging_rules.h"

#include <QFileInfo>

namespace {

class PictureSteps : public JudgingFixture {
protected:
    forms::Control *slotControl(int slot) {
        switch (slot) {
        case 1:
            return frm()->Image1;
        case 2:
            return frm()->Image2;
        case 3:
            return frm()->Image3;
        case 4:
            return frm()->Image4;
        case 5:
            return frm()->Image5;
        default:
            return frm()->Image6;
        }
    }
    // Drags Image5 by its corner, moving the pointer to the window point
    // (x, y) `moves` times, and releases it there.
    void dragImage5(double x, double y, int moves = 1, int button = forms::vbLeftButton) {
        press(frm()->Image5, 15, 15, button);
        for (int i = 0; i < moves; ++i) move(frm(), x, y);
        release(frm(), x, y, button);
    }
};

} // namespace

TEST_F(PictureSteps, AClickOnAPictureTakesItsSlotsBranch) {
    for (int slot = 1; slot <= 6; ++slot) {
        for (const QChar branch : {QChar('3'), QChar('0')}) {
            SCOPED_TRACE(testing::Message() << "slot " << slot << " branch " << branch.toLatin1());
            // Slots lie apart, so that each picture can be clicked alone.
            useSteps({StepBuilder().action("0000").picture(slot, 3000, 3000, "j30105", branch),
                      marker(), marker()});
            start();
            frm()->HitCode = QStringLiteral("A1");
            click(slotControl(slot), 60, 60);
            EXPECT_EQ(step(), branch == QChar('0') ? 1 : 3);
            if (branch == QChar('0')) {
                EXPECT_EQ(frm()->HitCode, slot <= 2 ? QStringLiteral("00") : QStringLiteral("A1"));
            }
            forms::testing::unloadAll();
        }
    }
}

TEST_F(PictureSteps, APictureDragReachesOrMissesItsTarget) {
    struct Case {
        const char *code;
        int fromX, fromY, targetX, targetY;
        double pointerX, pointerY; // window twips
        int moves;
        bool reached;
    };
    // From (3000, 3000): a move brings the corner halfway to the pointer.
    const Case cases[] = {
        {"8002", 3000, 3000, 3600, 0, 4200, 8000, 1, true},  // exactly on it, vertical ignored
        {"8002", 3000, 3000, 3600, 0, 4185, 3000, 1, false}, // one pixel short
        {"8002", 3000, 3000, 3600, 0, 9000, 3000, 3, true},  // beyond it
        {"8001", 6000, 3000, 5400, 0, 4800, 3000, 1, true},
        {"8001", 6000, 3000, 5400, 0, 9000, 3000, 4, false}, // the wrong way
        {"8003", 3000, 6000, 0, 5400, 0, 4800, 1, true},
        {"8004", 3000, 3000, 0, 3600, 3000, 4200, 1, true},
        {"8004", 3000, 3000, 0, 3600, 3000, 1000, 3, false},
        {"8006", 6000, 3000, 5400, 3600, 4800, 4200, 1, true},
        {"8006", 6000, 3000, 5400, 3600, 4800, 3000, 1, false}, // only one axis
        {"8007", 3000, 3000, 3600, 3600, 6000, 6000, 2, true},
        {"8008", 6000, 6000, 5400, 5400, 3000, 3000, 2, true},
        {"8009", 3000, 6000, 3600, 5400, 6000, 3000, 2, true},
        {"8009", 3000, 6000, 3600, 5400, 3000, 3000, 2, false},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(testing::Message() << c.code << " to " << c.pointerX << "," << c.pointerY);
        useSteps({StepBuilder()
                      .action(QLatin1String(c.code))
                      .picture(5, c.fromX, c.fromY, "j30101")
                      .dragTarget(c.targetX, c.targetY),
                  marker()});
        start();
        const sim::DragAxes axes = sim::dragAxes(QString::fromLatin1(c.code).toInt());
        dragImage5(c.pointerX, c.pointerY, c.moves);
        EXPECT_EQ(step(), c.reached ? 2 : 1);
        forms::Image *img = frm()->Image5;
        if (c.reached) {
            // Snapped onto the target on the axes the code moves.
            EXPECT_EQ(img->left(), axes.horizontal ? c.targetX : c.fromX);
            EXPECT_EQ(img->top(), axes.vertical ? c.targetY : c.fromY);
        } else {
            // Back where the step put it, ready for another try.
            EXPECT_EQ(img->left(), c.fromX);
            EXPECT_EQ(img->top(), c.fromY);
            EXPECT_EQ(frm()->DragX, c.fromX);
            EXPECT_EQ(frm()->DragY, c.fromY);
        }
        forms::testing::unloadAll();
    }
}

TEST_F(PictureSteps, OnlyTheLeftButtonAloneDragsAndOnlyDragCodesMove) {
    useSteps({StepBuilder().action("8002").picture(5, 3000, 3000, "j30101").dragTarget(3600, 0),
              marker()});
    start();
    dragImage5(9000, 3000, 3, forms::vbRightButton);
    EXPECT_EQ(frm()->Image5->left(), 3000);
    EXPECT_EQ(step(), 1);
    // Left and right held together.
    press(frm()->Image5, 15, 15);
    press(frm()->Image5, 15, 15, forms::vbRightButton);
    move(frm(), 9000, 3000);
    EXPECT_EQ(frm()->Image5->left(), 3000);
    release(frm(), 9000, 3000, forms::vbRightButton);
    release(frm(), 9000, 3000);
    EXPECT_EQ(step(), 1);
    forms::testing::unloadAll();

    useSteps({StepBuilder().action("8005").picture(5, 3000, 3000, "j30101").dragTarget(3600, 0),
              marker()});
    start();
    dragImage5(9000, 9000, 3);
    EXPECT_EQ(frm()->Image5->left(), 3000);
    EXPECT_EQ(frm()->Image5->top(), 3000);
    EXPECT_EQ(step(), 1);
}

TEST_F(PictureSteps, TheClickAfterADropIsJudgedAgainstTheNextStep) {
    // Dropped just past the target, the pointer is still over the picture:
    // its click then takes the branch of the next step's slot 5.
    useSteps({StepBuilder().action("8002").picture(5, 3000, 3000, "j30101").dragTarget(3150, 0),
              StepBuilder().action("0000").picture(5, 3150, 3000, "888888", '4'), marker(),
              marker()});
    start();
    press(frm()->Image5, 15, 15);
    move(frm(), 3300, 3015);
    release(frm(), 3300, 3015);
    EXPECT_EQ(step(), 4);
}

namespace {

class ExtraPicture : public JudgingFixture {
protected:
    // A step showing the extra picture at (3000, 3000); columns 4-5 are
    // its code, the picture names "j3e01h" (hover) and "j3e01n" (normal).
    static StepBuilder extra(QChar kind, QChar view, const QString &pictures = "j3e01hn") {
        return StepBuilder()
            .action("0000")
            .windowKind(kind)
            .viewVariant(view)
            .target(3000, 3000, 1200, 390)
            .put(167, pictures);
    }
    QString shownPicture() const {
        return QFileInfo(forms::form<FrmMain>()->ImgElse->picture().path()).baseName();
    }
};

} // namespace

TEST_F(ExtraPicture, ShowsItsHoverLookUnderThePointer) {
    useSteps({extra('T', '1'), marker()});
    start();
    ASSERT_TRUE(frm()->ImgElse->isShown());
    EXPECT_EQ(shownPicture(), QStringLiteral("j3e01n"));
    move(frm()->ImgElse, 60, 60);
    EXPECT_EQ(shownPicture(), QStringLiteral("j3e01h"));
}

TEST_F(ExtraPicture, AClickIsJudgedByItsCode) {
    struct Case {
        const char *what;
        StepBuilder step;
        int expected;
    };
    const Case cases[] = {
        {"U6, entry 1", extra('U', '6').hit(1, "HU60000000"), 2},
        {"U6, entry 3 with item 1", extra('U', '6').hit(3, "HU60100003"), 3},
        {"U6, item 2 refused", extra('U', '6').hit(3, "HU60200000"), 1},
        {"a plain code in entry 1", extra('T', '1').hit(1, "HT10000004"), 4},
        {"a plain code in entry 2 is not read", extra('T', '1').hit(2, "HT10000000"), 1},
        {"another code", extra('T', '2').hit(1, "HT10000000"), 1},
        {"entry 1 with an item", extra('T', '1').hit(1, "HT10100000"), 1},
        {"hover picture missing", extra('T', '1', "j3e01xn").hit(1, "HT10000000"), 2},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        useSteps({c.step, marker(), marker(), marker()});
        start();
        click(frm()->ImgElse, 60, 60);
        EXPECT_EQ(step(), c.expected);
        forms::testing::unloadAll();
    }
}

TEST_F(ExtraPicture, PanelsOpenBelowItOrAtThePointer) {
    // A right click on a code before "T0" opens nothing.
    useSteps({extra('S', '1'), marker()});
    start();
    click(frm()->ImgElse, 60, 60, forms::vbRightButton);
    EXPECT_FALSE(frm()->Pic1J->visible());
    EXPECT_EQ(frm()->HitCode, QStringLiteral("S1"));
    EXPECT_EQ(shownPicture(), QStringLiteral("j3e01h"));
    // A left click on an "S" code opens its panel under the target.
    forms::testing::unloadAll();
    useSteps({extra('S', '1').target(3000, 600, 1200, 390), marker()});
    start();
    click(frm()->ImgElse, 60, 60);
    ASSERT_TRUE(frm()->Pic1J->visible());
    EXPECT_EQ(frm()->Pic1J->left(), 3000);
    EXPECT_EQ(frm()->Pic1J->top(), 600 + 390 + 15);
    forms::testing::unloadAll();
    // Lower down it opens upwards, yet never above the window.
    useSteps({extra('S', '1').target(3000, 6000, 1200, 390), marker()});
    start();
    click(frm()->ImgElse, 60, 60);
    const double tall = frm()->Pic1J->height();
    ASSERT_GT(tall, 9000 - 6405);
    EXPECT_EQ(frm()->Pic1J->top(), std::max(0.0, 6405 - tall));
    forms::testing::unloadAll();

    // A right click from "T0" on: the panel at the pointer, to the left of
    // it near the right edge, upwards near the bottom.
    useSteps({extra('T', '1'), marker()});
    start();
    click(frm()->ImgElse, 300, 150, forms::vbRightButton);
    ASSERT_TRUE(frm()->Pic1J->visible());
    EXPECT_EQ(frm()->Pic1J->left(), 3300);
    EXPECT_EQ(frm()->Pic1J->top(), 3150);
    forms::testing::unloadAll();

    useSteps({extra('T', '1').target(14400, 8400, 900, 390), marker()});
    start();
    click(frm()->ImgElse, 300, 150, forms::vbRightButton);
    const double w = frm()->Pic1J->width(), h = frm()->Pic1J->height();
    ASSERT_GT(w, 0);
    EXPECT_EQ(frm()->Pic1J->left(), 14700 - w);
    EXPECT_EQ(frm()->Pic1J->top(), 8550 - h);
    forms::testing::unloadAll();

    // The drop-down panel is held against the right edge, not flipped.
    useSteps({extra('S', '1').target(14400, 600, 900, 390), marker()});
    start();
    click(frm()->ImgElse, 60, 60);
    EXPECT_EQ(frm()->Pic1J->left(), frm()->effectiveWidth() - frm()->Pic1J->width());
}

TEST_F(ExtraPicture, ADoubleClickIsJudgedByEntryTwoOfKindSAndAbove) {
    struct Case {
        const char *entry2;
        int expected;
    };
    const Case cases[] = {{"SS20000000", 2},
                          {"TS20000003", 3},
                          {"HS20000000", 1},
                          {"SS20001000", 1},
                          {"SS30000000", 1}};
    for (const Case &c : cases) {
        SCOPED_TRACE(c.entry2);
        useSteps({extra('S', '2').hit(2, QLatin1String(c.entry2)), marker(), marker()});
        start();
        dblClick(frm()->ImgElse, 60, 60);
        EXPECT_EQ(step(), c.expected);
        forms::testing::unloadAll();
    }
}

TEST_F(ExtraPicture, OneDoubleClickAnswersTwoSteps) {
    // The first release answers step 1 and clears the hot-spot code; the
    // double-click is judged against step 2 with that code.
    useSteps({extra('U', '6').hit(1, "HU60000000"),
              extra('S', '2').hit(2, "S000000000").put(167, "j3e02hn"), marker()});
    start();
    dblClick(frm()->ImgElse, 60, 60);
    EXPECT_EQ(step(), 3);
}

TEST_F(PictureSteps, MovingOverAPictureClosesPanelsOnlyPastTheThreshold) {
    useSteps({StepBuilder()
                  .action("7777")
                  .contextPanel("T1")
                  .target(9000, 1500, 1200, 1200)
                  .picture(3, 1500, 4500, "j30103")
                  .picture(5, 1500, 6000, "j30101"),
              marker()});
    start();
    for (forms::Image *img : {frm()->Image3, frm()->Image5}) {
        // Up and down the picture: the reset point ends at its corner.
        move(img, 15, 400);
        move(img, 15, 15);
        click(frm()->Label1, 300, 300, forms::vbRightButton);
        ASSERT_TRUE(frm()->Pic1J->visible());
        // The picture's own coordinates are compared with the last reset
        // point: 300 twips apart is not yet far enough.
        ASSERT_EQ(frm()->LastMouseY, 15);
        move(img, 15, 315);
        EXPECT_TRUE(frm()->Pic1J->visible());
        move(img, 15, 330);
        EXPECT_FALSE(frm()->Pic1J->visible());
    }
}
