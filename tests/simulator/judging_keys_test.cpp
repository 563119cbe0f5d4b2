// Key steps on the screen: keys pressed and released through the forms
// layer reach the window or the focused region, which judge them.
#include "screen_fixture.h"

namespace {

class KeySteps : public JudgingFixture {};

QString keyStep(const QString &action, const QString &a1 = QStringLiteral("00000"),
                const QString &a2 = QStringLiteral("00000"),
                const QString &a3 = QStringLiteral("00000")) {
    return StepBuilder().action(action).keyAlts(a1, a2, a3);
}

} // namespace

TEST_F(KeySteps, ActionCodesAlternativesAndShiftStates) {
    struct Case {
        const char *what;
        QString step;
        int key, shift;
        bool answers;
    };
    const Case cases[] = {
        {"Enter", keyStep("6013"), forms::vbKeyReturn, 0, true},
        {"Shift+Enter for Enter", keyStep("6013"), forms::vbKeyReturn, forms::vbShiftMask, false},
        {"Ctrl+A", keyStep("6265"), forms::vbKeyA, forms::vbCtrlMask, true},
        {"A for Ctrl+A", keyStep("6265"), forms::vbKeyA, 0, false},
        {"Ctrl+Shift+A for Ctrl+A", keyStep("6265"), forms::vbKeyA, 3, false},
        {"Shift+Delete", keyStep("6146"), forms::vbKeyDelete, forms::vbShiftMask, true},
        {"Alt+Tab", keyStep("6409"), forms::vbKeyTab, forms::vbAltMask, true},
        {"Esc for Enter", keyStep("6013"), forms::vbKeyEscape, 0, false},
        {"alternative 1 P6012 is F1", keyStep("0000", "P6012"), forms::vbKeyF1, 0, true},
        {"alternative 1 P6020 is F9", keyStep("0000", "P6020"), forms::vbKeyF1 + 8, 0, true},
        {"alternative 1 P6021 is 21, not F10", keyStep("0000", "P6021"), forms::vbKeyF1 + 9, 0,
         false},
        {"alternative 2 P6012 is not F1", keyStep("0000", "00000", "P6012"), forms::vbKeyF1, 0,
         false},
        {"alternative 2 P6046 is Delete", keyStep("0000", "00000", "P6046"), forms::vbKeyDelete, 0,
         true},
        {"alternative 3 P6021 is F10", keyStep("0000", "00000", "00000", "P6021"),
         forms::vbKeyF1 + 9, 0, true},
        {"alternative 3 P6415 is Alt+F4", keyStep("0000", "00000", "00000", "P6415"),
         forms::vbKeyF1 + 3, forms::vbAltMask, true},
        {"alternative 3 with the wrong Shift", keyStep("0000", "00000", "00000", "P6415"),
         forms::vbKeyF1 + 3, 0, false},
        {"a click step with a Delete alternative", keyStep("0001", "P6146"), forms::vbKeyDelete,
         forms::vbShiftMask, true},
        {"an alternative without its P", keyStep("0000", "06046"), forms::vbKeyDelete, 0, false},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        useSteps({c.step, marker()});
        start();
        keyDown(c.key, c.shift);
        EXPECT_EQ(step(), 1) << "the window judges on the release";
        keyUp(c.key, c.shift);
        EXPECT_EQ(step(), c.answers ? 2 : 1);
        forms::testing::unloadAll();
    }
}

TEST_F(KeySteps, AKeyNamedTwiceAnswersOneStep) {
    // Enter is both the action code and alternative 2.
    useSteps({keyStep("6013", "00000", "P6013"), keyStep("6013"), marker()});
    start();
    forms::testing::pressKey(forms::vbKeyReturn);
    EXPECT_EQ(step(), 2);
}

TEST_F(KeySteps, AHeldKeyIsJudgedOnceOnReleaseAndOnEveryRepeatOnPress) {
    // The window judges releases: repeats of a held key give one answer.
    useSteps({keyStep("6013"), keyStep("6013"), marker()});
    start();
    keyDown(forms::vbKeyReturn);
    for (int i = 0; i < 3; ++i) {
        keyUp(forms::vbKeyReturn, 0, true);
        keyDown(forms::vbKeyReturn, 0, true);
    }
    keyUp(forms::vbKeyReturn);
    EXPECT_EQ(step(), 2);

    // A picture that judges presses answers at every repeat.
    forms::testing::unloadAll();
    const QString withPicture =
        StepBuilder().action("6013").picture(6, 3000, 3000, "j30105").build();
    useSteps({withPicture, withPicture, marker()});
    start();
    click(frm()->Image6, 30, 30);
    keyDown(forms::vbKeyReturn);
    EXPECT_EQ(step(), 2);
    keyDown(forms::vbKeyReturn, 0, true);
    EXPECT_EQ(step(), 3);
}

TEST_F(KeySteps, EachElementJudgesOnItsOwnEvent) {
    struct Case {
        const char *what;
        StepBuilder step;
        std::function<forms::Control *(FrmMain *)> element;
        double x, y;
        bool onPress; // judged on KeyDown, else on KeyUp
    };
    const StepBuilder base = StepBuilder().action("6046");
    const Case cases[] = {
        {"Image6", StepBuilder(base).picture(6, 3000, 3000, "j30105"),
         [](FrmMain *f) { return f->Image6; }, 30, 30, true},
        {"ImgElse",
         StepBuilder(base)
             .windowKind('T')
             .viewVariant('9')
             .target(600, 600, 1200, 390)
             .put(167, QStringLiteral("j3e01hn")),
         [](FrmMain *f) { return f->ImgElse; }, 30, 30, false},
        {"desktop", StepBuilder(base).menuBar('M'), [](FrmMain *f) { return f->PicTable; }, 12000,
         6000, true},
        {"Computer window", StepBuilder(base).windowKind('P'),
         [](FrmMain *f) { return f->PicMyPc; }, 60, 60, true},
        {"Control Panel", StepBuilder(base).windowKind('N'), [](FrmMain *f) { return f->PicCtrl; },
         60, 60, true},
        {"command bar", StepBuilder(base).menuBar('A'), [](FrmMain *f) { return f->PicMenu; }, 15,
         15, false},
        {"tool strip", StepBuilder(base).menuBar('A').paneFlags(1),
         [](FrmMain *f) { return f->PicTool; }, 15, 15, false},
        {"task pane", StepBuilder(base).menuBar('A').paneFlags(2),
         [](FrmMain *f) { return f->PicHui; }, 15, 15, false},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        useSteps({c.step, marker()});
        start();
        forms::Control *e = c.element(frm());
        ASSERT_TRUE(e->isShown());
        // Held down, so that no click of the region's own is judged.
        press(e, c.x, c.y);
        keyDown(forms::vbKeyDelete);
        EXPECT_EQ(step(), c.onPress ? 2 : 1);
        keyUp(forms::vbKeyDelete);
        EXPECT_EQ(step(), 2);
        release(e, c.x, c.y);
        forms::testing::unloadAll();
    }
}

TEST_F(KeySteps, TheOpenPanelJudgesOnPress) {
    // A context menu step that also takes Delete: the right click opens
    // the panel, a press on it gives it the keys.
    useSteps({StepBuilder()
                  .action("7777")
                  .contextPanel("T1")
                  .target(3000, 3000, 1200, 1200)
                  .keyAlts("00000", "P6046"),
              marker()});
    start();
    click(frm()->Label1, 600, 600, forms::vbRightButton);
    ASSERT_TRUE(frm()->Pic1J->isShown());
    press(frm()->Pic1J, 2, 2);
    keyDown(forms::vbKeyDelete);
    EXPECT_EQ(step(), 2);
}

TEST_F(KeySteps, KeysInTheInputBoxNeverReachTheWindow) {
    useAnswers({QStringLiteral("abc")});
    useSteps({StepBuilder().action("0024").textBox(1500, 2400, 6000, 330).answerLine(1), marker()});
    start();
    ASSERT_TRUE(frm()->Text1->hasFocus());
    int windowKeys = 0;
    frm()->onKeyUp = [&](int &, int) { ++windowKeys; };
    forms::testing::pressKey(forms::vbKeyDelete);
    forms::testing::pressKey(forms::vbKeyReturn);
    EXPECT_EQ(windowKeys, 0);
    EXPECT_EQ(step(), 1);
}
