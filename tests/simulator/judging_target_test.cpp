// Target-label answers: clicks with each button and Shift state,
// double-clicks, pointing, the context menu, the press on the source, the
// rubber band and the drag, through the forms layer's mouse.
#include "screen_fixture.h"

#include <QFileInfo>

namespace {

class TargetSteps : public JudgingFixture {
protected:
    // A target at (6000, 4500), 900 x 600, and a source at (1500, 1500),
    // 600 x 600.
    static StepBuilder onTarget(const char *code, QChar branch = '0') {
        return StepBuilder().action(QLatin1String(code)).target(6000, 4500, 900, 600, branch);
    }
    static StepBuilder fromSource(StepBuilder b, QChar back = '0') {
        return b.source(1500, 1500, 600, 600, back);
    }
    void steps(const QString &first) {
        useSteps({first, marker(), marker(), marker(), marker()});
        start();
    }
};

enum Gesture { Click, DoubleClick };

} // namespace

TEST_F(TargetSteps, ButtonsAndShiftStatesOnTheTarget) {
    struct Case {
        const char *code;
        QChar branch;
        Gesture gesture;
        int button, shift;
        int expected;
    };
    const int L = forms::vbLeftButton, R = forms::vbRightButton, M = forms::vbMiddleButton;
    const Case cases[] = {
        {"0001", '0', Click, L, 0, 2},
        {"0001", '3', Click, L, 0, 3},
        {"0001", '0', Click, L, forms::vbShiftMask, 1},
        {"0001", '0', Click, L, forms::vbCtrlMask, 1},
        {"0001", '0', Click, R, 0, 1},
        {"0002", '3', Click, L, 0, 1},
        {"0002", '3', DoubleClick, L, 0, 3},
        {"0003", '0', Click, R, 3, 2},
        {"0003", '0', Click, L, 0, 1},
        {"9102", '0', Click, R, forms::vbShiftMask, 2},
        {"9102", '0', Click, R, 3, 1},
        {"9102", '0', Click, L, forms::vbShiftMask, 1},
        {"9201", '4', Click, L, forms::vbCtrlMask, 4},
        {"9201", '0', Click, L, 0, 1},
        {"9004", '0', Click, M, 0, 2},
        {"9004", '0', Click, L, 0, 1},
        {"9001", '0', Click, L, 0, 2},
        {"9402", '0', Click, R, forms::vbAltMask, 2},
        // A step of another kind jumps to the target's step when it names one.
        {"0020", '3', Click, R, 0, 3},
        {"0000", '0', Click, L, 0, 1},
        {"7772", '3', DoubleClick, L, 0, 3},
        {"7777", '3', DoubleClick, L, 0, 1},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(testing::Message() << c.code << " branch " << c.branch.toLatin1() << " button "
                                        << c.button << " shift " << c.shift);
        steps(onTarget(c.code, c.branch));
        if (c.gesture == Click)
            click(frm()->Label1, 450, 300, c.button, c.shift);
        else
            dblClick(frm()->Label1, 450, 300, c.button, c.shift);
        EXPECT_EQ(step(), c.expected);
        forms::testing::unloadAll();
    }
}

TEST_F(TargetSteps, TheReleaseAfterADoubleClickAnswersTheNextStep) {
    useSteps({onTarget("0002"), onTarget("0000", '4'), marker(), marker()});
    start();
    dblClick(frm()->Label1, 450, 300);
    EXPECT_EQ(step(), 4);
}

TEST_F(TargetSteps, PointingAnswersAndTheTargetTakesTheNextStepsPointer) {
    useSteps({onTarget("0030"), onTarget("0001").cursor('M', 3), marker()});
    start();
    move(frm()->Label1, 450, 300);
    EXPECT_EQ(step(), 2);
    EXPECT_EQ(frm()->Label1->mousePointer(), forms::vbCustom);
    EXPECT_EQ(QFileInfo(frm()->Label1->mouseIcon().path()).fileName(), QStringLiteral("ico03.CUR"));
    forms::testing::unloadAll();

    // Standard pointers by number; a drag step keeps the default one; a
    // cursor file that is missing leaves a pointer without a picture.
    struct Case {
        StepBuilder step;
        int pointer;
    };
    const Case cases[] = {
        {onTarget("0001").cursor('S', 12), forms::vbNoDrop},
        {onTarget("0001").cursor('S', 2), forms::vbCrosshair},
        {fromSource(onTarget("0050").cursor('S', 12), '1'), forms::vbDefault},
        {onTarget("0001").cursor('M', 77), forms::vbCustom},
        {onTarget("0001").cursor('X', 3), forms::vbDefault},
    };
    for (const Case &c : cases) {
        steps(c.step);
        frm()->Label1->setMousePointer(forms::vbHourglass);
        frm()->Label1->setMouseIcon(forms::loadPicture(dir().bankFile(QStringLiteral("j30105"))));
        move(frm()->Label1, 450, 300);
        EXPECT_EQ(frm()->Label1->mousePointer(), c.pointer);
        // The one custom pointer here names the missing file: no picture,
        // not the one the pointer had.
        if (c.pointer == forms::vbCustom) {
            EXPECT_TRUE(frm()->Label1->mouseIcon().isNull());
        }
        EXPECT_EQ(step(), 1);
        forms::testing::unloadAll();
    }
}

TEST_F(TargetSteps, TheContextMenuOpensAtThePointerInsideTheDesktop) {
    steps(onTarget("7777").contextPanel("T1"));
    click(frm()->Label1, 300, 150, forms::vbRightButton);
    forms::PictureBox *p = frm()->Pic1J;
    ASSERT_TRUE(p->visible());
    EXPECT_EQ(frm()->HitCode, QStringLiteral("T1"));
    EXPECT_EQ(p->left(), 6300);
    EXPECT_EQ(p->top(), 4650);
    EXPECT_EQ(step(), 1);
    forms::testing::unloadAll();
    // A panel the bank lacks opens empty; its items still work.
    steps(onTarget("7777").contextPanel("Z9"));
    click(frm()->Label1, 300, 150, forms::vbRightButton);
    EXPECT_TRUE(frm()->Pic1J->visible());
    EXPECT_TRUE(frm()->Pic1J->picture().isNull());
    EXPECT_EQ(frm()->HitCode, QStringLiteral("Z9"));
    // A left click opens nothing.
    forms::testing::unloadAll();
    steps(onTarget("7772").contextPanel("T1"));
    click(frm()->Label1, 300, 150);
    EXPECT_FALSE(frm()->Pic1J->visible());
    forms::testing::unloadAll();

    // Near the right edge it opens to the left of the pointer; near the
    // bottom of the desktop area it opens upwards.
    useSteps(
        {StepBuilder().action("7777").contextPanel("T1").target(14100, 8100, 1200, 800), marker()});
    start();
    click(frm()->Label1, 600, 600, forms::vbRightButton);
    ASSERT_GT(frm()->Pic1J->width(), 0);
    ASSERT_GT(frm()->PicTable->height(), 0);
    EXPECT_EQ(frm()->Pic1J->left(), 14700 - frm()->Pic1J->width());
    EXPECT_EQ(frm()->Pic1J->top(), 8700 - frm()->Pic1J->height());
}

TEST_F(TargetSteps, APressOnTheSourceAnswersAtOnceUnlessTheStepSaysOtherwise) {
    struct Case {
        const char *what;
        StepBuilder step;
        int button;
        int expected;
    };
    const Case cases[] = {
        {"plain", fromSource(StepBuilder().action("0000")), forms::vbLeftButton, 2},
        {"right button", fromSource(StepBuilder().action("0000")), forms::vbRightButton, 1},
        {"columns 6-7 EE", fromSource(StepBuilder().action("0000").noBars()), forms::vbLeftButton,
         1},
        {"columns 4-5 EE",
         fromSource(StepBuilder().action("0000").windowKind('E').viewVariant('E')),
         forms::vbLeftButton, 1},
        {"a cell to confirm", fromSource(StepBuilder().action("0028")), forms::vbLeftButton, 1},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        steps(c.step);
        press(frm()->Label4, 300, 300, c.button);
        EXPECT_EQ(step(), c.expected);
        release(frm()->Label4, 300, 300, c.button);
        forms::testing::unloadAll();
    }
    // A source that names a step jumps there on the release.
    steps(fromSource(StepBuilder().action("0000"), '4'));
    press(frm()->Label4, 300, 300);
    EXPECT_EQ(step(), 1);
    release(frm()->Label4, 300, 300);
    EXPECT_EQ(step(), 4);
}

TEST_F(TargetSteps, ARubberBandCountsOnTheTargetsEdgeAndNotJustOutside) {
    struct Case {
        const char *what;
        double x, y; // release point relative to the target
        int expected;
    };
    const Case cases[] = {
        {"on the top-left corner", 0, 0, 2},
        {"on the bottom-right corner", 900, 600, 2},
        {"inside", 450, 300, 2},
        {"one pixel left of it", -15, 0, 1},
        {"one pixel below it", 900, 615, 1},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        steps(fromSource(onTarget("0040").noBars()));
        press(frm()->Label4, 300, 300);
        ASSERT_TRUE(frm()->Shape6->visible());
        EXPECT_EQ(frm()->Shape6->width(), 15);
        move(frm()->Label1, c.x, c.y);
        // The band runs from the press to the pointer.
        EXPECT_EQ(frm()->Shape6->left(), 1800);
        EXPECT_EQ(frm()->Shape6->top(), 1800);
        EXPECT_EQ(frm()->Shape6->width(), 6000 + c.x - 1800);
        EXPECT_EQ(frm()->Shape6->height(), 4500 + c.y - 1800);
        release(frm()->Label1, c.x, c.y);
        EXPECT_EQ(step(), c.expected);
        if (c.expected == 1) {
            EXPECT_FALSE(frm()->Shape6->visible());
            EXPECT_FALSE(frm()->Dragging);
        }
        forms::testing::unloadAll();
    }
}

TEST_F(TargetSteps, ABandKeepsItsCornerAndNeedsItsShiftState) {
    steps(fromSource(onTarget("0041").noBars()));
    // Without Shift the band does not start.
    press(frm()->Label4, 300, 300);
    EXPECT_FALSE(frm()->Shape6->visible());
    release(frm()->Label4, 300, 300);
    // With Shift: moving up and left of the start grows it the other way.
    press(frm()->Label4, 300, 300, forms::vbLeftButton, forms::vbShiftMask);
    move(frm()->Label4, 0, -150, forms::vbShiftMask);
    EXPECT_EQ(frm()->Shape6->left(), 1800);
    EXPECT_EQ(frm()->Shape6->width(), 300);
    EXPECT_EQ(frm()->Shape6->height(), 450);
    // Released without Shift: neither judged nor ended.
    move(frm()->Label1, 450, 300, forms::vbShiftMask);
    release(frm()->Label1, 450, 300);
    EXPECT_EQ(step(), 1);
    EXPECT_TRUE(frm()->Shape6->visible());
    EXPECT_TRUE(frm()->Dragging);
    // The next band with Shift throughout answers.
    press(frm()->Label4, 300, 300, forms::vbLeftButton, forms::vbShiftMask);
    move(frm()->Label1, 450, 300, forms::vbShiftMask);
    release(frm()->Label1, 450, 300, forms::vbLeftButton, forms::vbShiftMask);
    EXPECT_EQ(step(), 2);
}

TEST_F(TargetSteps, ADragDropsOnTheTargetOnlyAfterItHasMoved) {
    struct Case {
        const char *what;
        StepBuilder step;
        int shift;
        bool moveFirst;
        double x, y; // release point relative to the target
        int expected;
    };
    const Case cases[] = {
        {"plain drag", fromSource(onTarget("0050").cursor('S', 12), '3'), 0, true, 450, 300, 2},
        {"drop branch", fromSource(onTarget("0050").cursor('S', 12).dropBranch('4'), '3'), 0, true,
         900, 600, 4},
        {"Ctrl drag, custom pointer", fromSource(onTarget("0052").cursor('M', 3), '3'),
         forms::vbCtrlMask, true, 0, 0, 2},
        {"cursor file missing", fromSource(onTarget("0050").cursor('M', 77), '3'), 0, true, 450,
         300, 2},
        {"no move: the source's step", fromSource(onTarget("0050").cursor('S', 12), '3'), 0, false,
         450, 300, 3},
        {"missed: the source's step", fromSource(onTarget("0050").cursor('S', 12), '3'), 0, true,
         -15, 300, 3},
        {"wrong Shift: the source's step", fromSource(onTarget("0052").cursor('S', 12), '3'), 0,
         true, 450, 300, 3},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        steps(c.step);
        press(frm()->Label4, 300, 300, forms::vbLeftButton, c.shift);
        if (c.moveFirst) move(frm()->Label1, c.x, c.y, c.shift);
        release(frm()->Label1, c.x, c.y, forms::vbLeftButton, c.shift);
        EXPECT_EQ(step(), c.expected);
        forms::testing::unloadAll();
    }
}

TEST_F(TargetSteps, TheDragPointerFollowsTheCursorCode) {
    struct Case {
        StepBuilder step;
        int pointer;
        const char *file;
    };
    const Case cases[] = {
        {fromSource(onTarget("0050").cursor('S', 12), '3'), forms::vbNoDrop, ""},
        {fromSource(onTarget("0050").cursor('M', 3), '3'), forms::vbCustom, "ico03.CUR"},
        // Any other letter also names a cursor file.
        {fromSource(onTarget("0050"), '3'), forms::vbCustom, "ico00.CUR"},
    };
    for (const Case &c : cases) {
        steps(c.step);
        press(frm()->Label4, 300, 300);
        move(frm()->Label4, 600, 600);
        EXPECT_EQ(frm()->Label4->mousePointer(), c.pointer);
        if (*c.file) {
            EXPECT_EQ(QFileInfo(frm()->Label4->mouseIcon().path()).fileName(),
                      QLatin1String(c.file));
        }
        // A miss puts the default pointer back.
        release(frm()->Label4, 600, 600);
        EXPECT_EQ(frm()->Label4->mousePointer(), forms::vbDefault);
        forms::testing::unloadAll();
    }
}
