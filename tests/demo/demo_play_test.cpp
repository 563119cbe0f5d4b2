// The demonstration playing on the manual clock: glides and their
// arrivals, the flash, typing, the picture drag, the waits, the jumps, the
// closing and the abort, a three-level menu step, and every sample question
// from its first step to its last with the panel back at its step.
#include "demo_fixture.h"

#include "panel/frm_tm.h"
#include "panel/hand_in.h"
#include "simulator/frm_main.h"

namespace {

namespace ft = forms::testing;

class DemoPlay : public DemoFixture {
protected:
    // A question of `first` steps followed by twelve click steps whose
    // targets' Left is 100 × their step number, then the last step.
    FrmYanShi *openOnFirst(const QStringList &first) {
        QStringList steps = first;
        while (steps.size() < 13)
            steps << StepBuilder().action("0001").target(100 * int(steps.size() + 1), 15, 150, 150);
        steps << StepBuilder().action("9999");
        return openOn(steps);
    }
    FrmYanShi *openOnFirst(const QString &first) { return openOnFirst(QStringList{first}); }
    // Advances the clock 100 ms at a time until `done` holds or `limit` ms
    // have passed; the time it took.
    template <class Done> int playUntil(Done done, int limit = 20000) {
        int t = 0;
        while (!done() && t < limit) {
            ft::advance(100);
            t += 100;
        }
        return t;
    }
    static bool closed() { return forms::loadedForm<FrmYanShi>() == nullptr; }
    static void stopAll(FrmYanShi *f) {
        for (forms::Timer *t : f->timers()) t->setEnabled(false);
    }
};

// A click target centred on (1000, 1000).
StepBuilder clickAt1000(const char *code = "0001", QChar branch = u'0') {
    return std::move(StepBuilder().action(code).target(900, 900, 200, 200, branch));
}

TEST_F(DemoPlay, TheMainGlideArrivesShortOfTheAimAndEndsTheStep) {
    FrmYanShi *f = openOnFirst(clickAt1000());
    EXPECT_TRUE(f->Timer2->enabled());
    EXPECT_EQ(f->StepDX, -547);
    EXPECT_EQ(f->StepDY, -390);
    ft::advance(100);
    EXPECT_EQ(f->PointerX, 7133);
    EXPECT_EQ(f->PointerY, 5370);
    EXPECT_EQ(f->LPoint(0)->x1(), 7193); // the tip, 60 twips right
    ft::advance(900);
    EXPECT_EQ(f->DemoStep, 1);
    ft::advance(100);
    // Eleven ticks: the step ended where the pointer stood, not on the aim.
    EXPECT_EQ(f->DemoStep, 2);
    EXPECT_EQ(f->PointerX, 1663);
    EXPECT_EQ(f->PointerY, 1470);
    // The box went to the pointer, but the advance cut its flash off.
    EXPECT_EQ(f->Shape5->left(), 1483);
    EXPECT_EQ(f->Shape5->top(), 1290);
    EXPECT_FALSE(f->Shape5->visible());
    EXPECT_FALSE(f->Timer5->enabled());
    // The next step glides on from there.
    EXPECT_TRUE(f->Timer2->enabled());
    EXPECT_EQ(f->AimX, 275);
}

TEST_F(DemoPlay, TheClickBoxFlashesOnceAndTakesTheStepsColour) {
    FrmYanShi *f = openOnFirst(clickAt1000("0002"));
    ft::advance(100);
    EXPECT_EQ(f->Shape5->borderColor(), forms::Color(0x00FF00));
    stopAll(f);
    f->TickCount = 0;
    f->Timer5->setEnabled(true);
    ft::advance(100);
    EXPECT_TRUE(f->Shape5->visible());
    EXPECT_EQ(f->TickCount, 1);
    ft::advance(100);
    EXPECT_FALSE(f->Shape5->visible());
    ft::advance(100);
    EXPECT_FALSE(f->Shape5->visible());
    EXPECT_FALSE(f->Timer5->enabled());
    EXPECT_EQ(f->TickCount, 0);
    // Not playing: the flash neither shows nor stops.
    S().DemoPlaying = false;
    f->Timer5->setEnabled(true);
    ft::advance(500);
    EXPECT_FALSE(f->Shape5->visible());
    EXPECT_TRUE(f->Timer5->enabled());
    EXPECT_EQ(f->TickCount, 0);
}

TEST_F(DemoPlay, EachStepKindAimsAtItsTarget) {
    struct Case {
        const char *what;
        QString step;
        int32_t aimX, aimY;
        bool glides;
    };
    const Case cases[] = {
        {"click", clickAt1000(), 1000, 1000, true},
        {"point", clickAt1000("0030"), 1000, 1000, true},
        {"drag source", StepBuilder().action("0041").target(0, 0, 30, 30).source(3000, 2000, 600, 301),
         3300, 2150, true},
        {"text box", StepBuilder().action("0020").textBox(1000, 2000, 3000, 300), 1300, 2150, true},
        {"text box, second box", StepBuilder().action("0021").textBox(1001, 2000, 3000, 301),
         1301, 2150, true},
        {"Computer spot", StepBuilder().action("7000").windowKind('P').hit(1, hit("92", 1)), 7560,
         5115, true},
        {"start-menu entry: the start button", StepBuilder().action("7000").hit(1, hit("75")), 450,
         8798, true},
        {"spot 70: the start button", StepBuilder().action("7000").hit(1, hit("70")), 450, 8798,
         true},
        {"S code: the target", StepBuilder().action("7000").target(2000, 3000, 1000, 500).hit(1, hit("S2", 1)),
         2500, 3250, true},
        {"key: the pointer stays", StepBuilder().action("6013"), 7680, 5760, false},
        {"timed: the target recorded", clickAt1000("8888"), 1000, 1000, false},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        FrmYanShi *f = openOnFirst(c.step);
        EXPECT_EQ(f->AimX, c.aimX);
        EXPECT_EQ(f->AimY, c.aimY);
        EXPECT_EQ(f->Timer2->enabled(), c.glides);
        EXPECT_EQ(f->Timer4->enabled(), !c.glides);
        EXPECT_EQ(f->PointerX, 7680);
        forms::unloadForm<FrmYanShi>();
    }
    // Hot-spot steps frame their spot; an S code moves the spot onto the target.
    FrmYanShi *f =
        openOnFirst(StepBuilder().action("7000").target(2000, 3000, 1000, 500).hit(1, hit("S2", 1)));
    EXPECT_EQ(rectOf(f->LblZHU(2)), (R{2000, 3000, 1000, 500}));
    EXPECT_EQ(rectOf(f->Shape1), (R{2000, 3000, 1000, 500}));
    EXPECT_TRUE(f->Shape1->visible());
    forms::unloadForm<FrmYanShi>();
    f = openOnFirst(StepBuilder().action("7000").hit(1, hit("84")));
    EXPECT_EQ(rectOf(f->Shape1), (R{0, 8400, 900, 795}));
    forms::unloadForm<FrmYanShi>();

    // A code the aim does not know glides to the aim recorded before.
    f = openOnFirst({clickAt1000(), StepBuilder().action("0000")});
    f->AimX = 4321;
    f->AimY = 1234;
    build(f, 2);
    EXPECT_EQ(f->AimX, 4321);
    EXPECT_EQ(f->AimY, 1234);
    EXPECT_TRUE(f->Timer2->enabled());
    // Not playing: nothing is aimed or started.
    stopAll(f);
    S().DemoPlaying = false;
    f->MuBiaoWei();
    EXPECT_FALSE(f->Timer2->enabled());
    EXPECT_EQ(f->AimX, 4321);
}

TEST_F(DemoPlay, ArrivalRowsEndTheStepOrJump) {
    struct Case {
        const char *what;
        QString step;
        int next;
    };
    const Case cases[] = {
        {"click, next", clickAt1000("0001"), 2},
        {"double-click jumps by its branch", clickAt1000("0002", u'4'), 4},
        {"right-click by a letter", clickAt1000("0003", u'B'), 11},
        {"other click ignores its branch", clickAt1000("0004", u'4'), 2},
        {"point ignores its branch", clickAt1000("0030", u'4'), 2},
        {"L code", clickAt1000("L123", u'4'), 2},
        {"mouse button", clickAt1000("9201"), 2},
        {"no action of its own", clickAt1000("3001"), 2},
        {"unknown code", StepBuilder().action("0005").target(900, 900, 200, 200), 2},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        FrmYanShi *f = openOnFirst(c.step);
        playUntil([&] { return f->DemoStep != 1; }, 3000);
        EXPECT_EQ(f->DemoStep, c.next);
        EXPECT_EQ(f->Label1->left(), 100 * c.next);
        forms::unloadForm<FrmYanShi>();
    }
}

// A jump to the last step stops no timer: the glide runs on, arrives on
// the last step's record and hands over to the closing.
TEST_F(DemoPlay, AGlideThatArrivesOnTheLastStepStopsThere) {
    FrmYanShi *f = openOnFirst(clickAt1000("0002", u'E'));
    playUntil([&] { return f->DemoStep != 1; }, 3000);
    EXPECT_EQ(f->DemoStep, 14);
    EXPECT_EQ(f->LHelp->caption(), "操作成功！");
    EXPECT_TRUE(f->TimEnd->enabled());
    EXPECT_TRUE(f->Timer2->enabled());
    ft::advance(100);
    EXPECT_FALSE(f->Timer2->enabled());
    EXPECT_TRUE(f->TimEnd->enabled());
    // The flash of the arrival shares the counter and sets it back once.
    ft::advance(300);
    EXPECT_FALSE(closed());
    ft::advance(100);
    EXPECT_TRUE(closed());
}

TEST_F(DemoPlay, ATabStepSwitchesItsPageThenGlidesToTheTarget) {
    FrmYanShi *f = openOnFirst(StepBuilder()
                                   .action("0001")
                                   .picture(1, 600, 900, "888888")
                                   .target(6000, 5000, 400, 200)
                                   .tabStep('A', '1', '2', 1));
    const double tabX = f->LblXXK(2)->left() + f->LblXXK(2)->width() / 2;
    EXPECT_NEAR(f->AimX, tabX, 0.5);
    playUntil([&] { return f->stageMarker(); }, 3000);
    // The tab page shows, the target takes its size and the glide goes on.
    EXPECT_EQ(rectOf(f->Label1), (R{6000, 5000, 400, 200}));
    EXPECT_EQ(rectOf(f->Shape1), (R{6000, 5000, 400, 200}));
    EXPECT_EQ(f->AimX, 6200);
    EXPECT_EQ(f->AimY, 5100);
    EXPECT_TRUE(f->Timer2->enabled());
    EXPECT_TRUE(f->Timer5->enabled());
    EXPECT_EQ(f->DemoStep, 1);
    playUntil([&] { return f->DemoStep != 1; }, 3000);
    EXPECT_EQ(f->DemoStep, 2);
}

TEST_F(DemoPlay, ADragShowsTheCursorAndTheBandThenEndsAtTheTarget) {
    FrmYanShi *f = openOnFirst(StepBuilder()
                                   .action("0041")
                                   .cursor('M', 3)
                                   .target(6000, 5000, 400, 200)
                                   .source(3000, 2000, 600, 300));
    ft::advance(100);
    // The cursor picture stands in for the arrow from the first tick.
    EXPECT_TRUE(f->ImgICO->visible());
    EXPECT_EQ(f->ImgICO->left(), f->PointerX);
    EXPECT_EQ(f->LPoint(0)->x1(), -100);
    playUntil([&] { return f->stageMarker(); }, 3000);
    EXPECT_TRUE(f->Dragging);
    EXPECT_EQ(f->Shape6->left(), 3000);
    EXPECT_EQ(f->Shape6->top(), 2000);
    EXPECT_TRUE(f->Shape6->visible());
    EXPECT_EQ(f->AimX, 6200);
    ft::advance(100);
    // The band runs from the source's corner to 120 twips past the pointer.
    EXPECT_EQ(f->Shape6->width(), f->PointerX - 3000 + 120);
    EXPECT_EQ(f->Shape6->height(), f->PointerY - 2000 + 120);
    playUntil([&] { return f->DemoStep != 1; }, 3000);
    EXPECT_EQ(f->DemoStep, 2);
    // The next step's glide brings the arrow back.
    ft::advance(100);
    EXPECT_FALSE(f->ImgICO->visible());
    EXPECT_EQ(f->LPoint(0)->x1(), f->PointerX + 60);
}

TEST_F(DemoPlay, TypingOneCharacterATick) {
    useAnswers({"abc|xyz", "ab", QString(320, u'字')});
    struct Case {
        const char *what;
        QString step;
        QStringList texts; // the box after each typing tick
        bool secondBox;
    };
    const Case cases[] = {
        {"from an empty box", StepBuilder().action("0020").textBox(1000, 2000, 3000, 300).answerLine(1),
         {"a", "ab", "abc"}, false},
        {"after the beginning already there",
         StepBuilder().action("0027").textBox(1000, 2000, 3000, 300, 2).answerLine(1), {"abc"}, false},
        {"into the second box", StepBuilder().action("0021").textBox(1000, 2000, 3000, 300).answerLine(1),
         {"a", "ab", "abc"}, true},
        {"nothing to type", StepBuilder().action("0024").textBox(1000, 2000, 3000, 300), {""}, false},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        FrmYanShi *f = openOnFirst(c.step);
        playUntil([&] { return f->Timer1->enabled(); }, 3000);
        ASSERT_TRUE(f->Timer1->enabled());
        EXPECT_FALSE(f->Timer2->enabled());
        forms::TextBox *box = c.secondBox ? f->Text2 : f->Text1;
        const QString before = f->Text1->text();
        for (int i = 0; i < c.texts.size(); ++i) {
            EXPECT_EQ(f->DemoStep, 1) << i;
            ft::advance(500);
            if (i + 1 < c.texts.size()) {
                EXPECT_EQ(box->text(), c.texts[i]) << i;
                EXPECT_EQ(box->selStart(), c.texts[i].size()) << i;
            }
        }
        // The last character ends the step.
        EXPECT_EQ(f->DemoStep, 2);
        EXPECT_EQ(f->TypedCount, 0);
        if (c.secondBox) {
            EXPECT_EQ(f->Text1->text(), before);
        }
        forms::unloadForm<FrmYanShi>();
    }
}

TEST_F(DemoPlay, SelectingEndsOnItsFirstTickWhateverTheLength) {
    useAnswers({QString(320, u'字')});
    FrmYanShi *f =
        openOnFirst(StepBuilder().action("0023").textBox(1000, 2000, 3000, 300).answerLine(1));
    playUntil([&] { return f->Timer1->enabled(); }, 3000);
    EXPECT_EQ(f->TypedText.size(), 320);
    ft::advance(500);
    EXPECT_EQ(f->DemoStep, 2);
    EXPECT_TRUE(f->Text1->text().isEmpty() || f->Text1->text() != f->TypedText);
}

TEST_F(DemoPlay, TypingThenAClickOnTheRedBox) {
    useAnswers({"ab"});
    for (const char *code : {"0022", "0026"}) {
        SCOPED_TRACE(code);
        FrmYanShi *f = openOnFirst(StepBuilder()
                                       .action(code)
                                       .textBox(1000, 2000, 3000, 300)
                                       .answerLine(1)
                                       .target(6000, 5000, 400, 200));
        playUntil([&] { return f->Timer1->enabled(); }, 3000);
        ft::advance(1000);
        EXPECT_EQ(f->Text1->text(), "ab");
        EXPECT_FALSE(f->Timer1->enabled());
        EXPECT_TRUE(f->stageMarker());
        EXPECT_TRUE(f->Timer2->enabled());
        EXPECT_EQ(f->AimX, 6200);
        EXPECT_EQ(f->AimY, 5100);
        EXPECT_EQ(f->DemoStep, 1);
        playUntil([&] { return f->DemoStep != 1; }, 3000);
        EXPECT_EQ(f->DemoStep, 2);
        forms::unloadForm<FrmYanShi>();
    }
}

TEST_F(DemoPlay, APictureDragCarriesImage5ToItsDropPoint) {
    FrmYanShi *f =
        openOnFirst(StepBuilder().action("8001").picture(5, 1000, 1000, "j30101").dragTarget(6000, 0));
    const forms::Picture p = bankFile("j30101");
    ASSERT_TRUE(p);
    const double w = p.width(), h = p.height();
    EXPECT_EQ(f->AimX, demo::centreOf(1000, w));
    const int32_t startY = f->AimY;
    playUntil([&] { return f->Timer3->enabled(); }, 3000);
    // The drop point: X from the record, Y kept at the picture's centre.
    EXPECT_EQ(f->AimX, 6000);
    EXPECT_EQ(f->AimY, startY);
    EXPECT_FALSE(f->Timer2->enabled());
    ft::advance(100);
    EXPECT_EQ(f->Image5->left(), f->PointerX - w / 2);
    EXPECT_EQ(f->Image5->top(), f->PointerY - h / 2);
    playUntil([&] { return f->DemoStep != 1; }, 3000);
    EXPECT_EQ(f->DemoStep, 2);
    // Not snapped: the picture stays centred where the pointer arrived.
    EXPECT_NE(f->PointerX, 6000);
    EXPECT_LE(std::abs(f->PointerX - 6000), 1.5 * f->StepLen);
    EXPECT_EQ(f->Image5->left(), f->PointerX - w / 2);
    EXPECT_FALSE(f->Timer3->enabled());
}

TEST_F(DemoPlay, KeyAndTimedStepsWaitOneSecond) {
    for (const char *code : {"6013", "8888"}) {
        SCOPED_TRACE(code);
        FrmYanShi *f = openOnFirst(clickAt1000(code));
        ft::advance(800);
        EXPECT_EQ(f->DemoStep, 1);
        EXPECT_EQ(f->TickCount, 4);
        EXPECT_EQ(f->PointerX, 7680);
        ft::advance(200);
        EXPECT_EQ(f->DemoStep, 2);
        forms::unloadForm<FrmYanShi>();
    }
}

TEST_F(DemoPlay, TheShortWaitEndsTheStepOnItsThirdCount) {
    FrmYanShi *f = openOnFirst(clickAt1000());
    stopAll(f);
    f->TickCount = 0;
    f->Timer9->setEnabled(true);
    ft::advance(200);
    EXPECT_EQ(f->DemoStep, 1);
    EXPECT_EQ(f->TickCount, 2);
    ft::advance(100);
    EXPECT_EQ(f->DemoStep, 2);
    EXPECT_FALSE(f->Timer9->enabled());
    EXPECT_EQ(f->TickCount, 0);
}

TEST_F(DemoPlay, GoStepByBranchCode) {
    FrmYanShi *f = openOnFirst(clickAt1000());
    struct Case {
        const char *code;
        int step;
    };
    // "0" stays; a lower-case letter or a blank is step 9.
    const Case cases[] = {{"5", 5}, {"0", 5}, {"C", 12}, {"a", 9}, {"1", 1}, {" ", 9}};
    for (const Case &c : cases) {
        f->GoStep(QString::fromLatin1(c.code));
        EXPECT_EQ(f->DemoStep, c.step) << c.code;
    }
    EXPECT_EQ(f->Label1->left(), 900);
    // A jump leaves the running timers on.
    f->Timer5->setEnabled(true);
    f->GoStep("3");
    EXPECT_TRUE(f->Timer5->enabled());
    EXPECT_EQ(f->Label1->left(), 300);
}

TEST_F(DemoPlay, TheLastStepClosesOnTheFourthTickAndHandsBack) {
    FrmYanShi *f = openOnFirst(clickAt1000());
    f->show();
    FrmMain *main = forms::form<FrmMain>();
    main->hide();
    f->GoStep("D"); // step 13, before the last
    playUntil([&] { return f->DemoStep == 14; }, 3000);
    EXPECT_EQ(f->LHelp->caption(), "操作成功！");
    EXPECT_TRUE(f->TimEnd->enabled());
    ft::advance(300);
    EXPECT_FALSE(closed());
    EXPECT_EQ(f->Shape5->left(), -500);
    ft::advance(100);
    EXPECT_TRUE(closed());
    EXPECT_FALSE(S().DemoPlaying);
    EXPECT_TRUE(main->visible());
    FrmTm *tm = forms::loadedForm<FrmTm>();
    ASSERT_TRUE(tm);
    EXPECT_TRUE(tm->visible());
    EXPECT_TRUE(tm->TimerREDO->enabled());

    // A new demonstration starts again at step 1 with a clear counter.
    S().DemoPlaying = true;
    f = open();
    EXPECT_EQ(f->DemoStep, 1);
    EXPECT_EQ(f->TickCount, 0);
}

TEST_F(DemoPlay, APapersTimeUpEndsTheDemonstrationAtOnce) {
    forms::form<FrmMain>();
    forms::form<FrmTm>();
    openOnFirst(clickAt1000());
    QStringList modals;
    bool demonstrationGone = false, screenBack = false;
    ft::setModalHook([&](forms::Form &m) {
        modals << m.name();
        demonstrationGone = closed() && !S().DemoPlaying;
        screenBack = forms::form<FrmMain>()->visible();
    });
    panel::examTimeUp();
    ASSERT_EQ(ft::msgBoxes().size(), 1u);
    EXPECT_EQ(ft::msgBoxes()[0].prompt, "时间已到，自动交卷！");
    EXPECT_EQ(modals, QStringList({"FrmEnd1"}));
    EXPECT_TRUE(demonstrationGone);
    EXPECT_TRUE(screenBack);
    // The question is loaded again for the paper that goes on.
    EXPECT_TRUE(forms::form<FrmTm>()->TimerREDO->enabled());
}

TEST_F(DemoPlay, AFinishedLastStepParksThePointerAndTheBox) {
    FrmYanShi *f = openOn({clickAt1000(), StepBuilder().action("9999")});
    f->PointerX = 1000;
    f->pointMove();
    f->DemoStep = 2;
    S().CurRecord = StepBuilder().action("9999");
    f->Timer2->setEnabled(true);
    f->doNext();
    EXPECT_EQ(f->PointerX, -500);
    EXPECT_EQ(f->PointerY, -500);
    EXPECT_EQ(f->Shape5->left(), -500);
    EXPECT_FALSE(f->Timer2->enabled());
    EXPECT_TRUE(f->TimEnd->enabled());
    // Not drawn there: the arrow stays where it was last seen.
    EXPECT_EQ(f->LPoint(0)->x1(), 1060);
    ft::advance(400);
    EXPECT_TRUE(closed());
    // Not playing, an advance does nothing at all.
    S().DemoPlaying = false;
    f = open();
    f->Timer6->setEnabled(true);
    f->doNext();
    EXPECT_EQ(f->DemoStep, 1);
    EXPECT_TRUE(f->Timer6->enabled());
}

TEST_F(DemoPlay, DoubleClickOrEnterSpaceEscapeBreaksOff) {
    useAnswers({"abc"});
    const QStringList steps{
        StepBuilder().action("0020").textBox(1000, 2000, 3000, 300).answerLine(1).picture(
            1, 5000, 8000, "j30101")};
    struct Case {
        const char *what;
        std::function<void(FrmYanShi *)> act;
        bool ends;
    };
    const Case cases[] = {
        {"Enter", [](FrmYanShi *) { ft::pressKey(forms::vbKeyReturn); }, true},
        {"Space", [](FrmYanShi *) { ft::pressKey(forms::vbKeySpace); }, true},
        {"Escape", [](FrmYanShi *) { ft::pressKey(forms::vbKeyEscape); }, true},
        {"another key", [](FrmYanShi *) { ft::pressKey(forms::vbKeyA); }, false},
        {"double-click on the window",
         [](FrmYanShi *f) { ft::dblClick(f, f->width() - 300, f->height() - 60); }, true},
        {"double-click on a picture",
         [](FrmYanShi *f) { ft::dblClick(f->Image1, 30, 560); }, true},
        {"double-click on a hot spot", [](FrmYanShi *f) { ft::dblClick(f->LblZHU(61), 30, 30); },
         false},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        FrmYanShi *f = openOnFirst(steps);
        f->show();
        f->Text1->setFocus();
        ASSERT_TRUE(f->Text1->hasFocus());
        c.act(f);
        // The boxes are the demonstration's to type in.
        EXPECT_TRUE(f->Text1->text().isEmpty());
        EXPECT_EQ(f->TimEnd->enabled(), c.ends);
        ft::advance(400);
        EXPECT_EQ(closed(), c.ends);
        forms::unloadForm<FrmYanShi>();
    }
}

// "84", item 10, item 1, row 5: the start menu opens, then the all-programs
// panel, the program folders, and the list of folder 1, each a glide ended
// by a scripted click; the row's click ends the step.
TEST_F(DemoPlay, AThreeLevelMenuStepPlaysFromTheStartButtonToItsBranch) {
    FrmYanShi *f = openOnFirst(StepBuilder().action("7000").hit(1, hit("84", 10, 1, 5, u'6')));
    QStringList seen;
    auto note = [&](const QString &what) {
        if (seen.isEmpty() || seen.last() != what) seen << what;
    };
    const forms::Picture panel1 = shellFile("840077"), panel2 = shellFile("841077"),
                         list3 = shellFile("SS0177");
    int t = playUntil([&] {
        if (f->TimerStart->enabled()) note("start menu");
        if (f->Timer6->enabled() && f->Pic1J->picture() == panel1) note("level 1");
        if (f->Timer7->enabled() && f->Pic2J->visible() && f->Pic2J->picture() == panel2)
            note("level 2");
        if (f->Timer8->enabled() && f->Pic3J->visible() && f->Pic3J->picture() == list3 &&
            f->Img2J->picture() == shellFile("841001"))
            note("level 3");
        return f->DemoStep != 1;
    });
    EXPECT_EQ(seen, QStringList({"start menu", "level 1", "level 2", "level 3"}));
    EXPECT_LT(t, 20000);
    // The row's click jumps by the step's branch and closes the panels.
    EXPECT_EQ(f->DemoStep, 6);
    EXPECT_FALSE(f->Pic3J->visible());
    EXPECT_FALSE(f->Img2J->visible());
    EXPECT_FALSE(f->Timer8->enabled());
    EXPECT_FALSE(f->Timer9->enabled());
    EXPECT_TRUE(f->Timer2->enabled());
    EXPECT_EQ(f->AimX, 675);
}

TEST_F(DemoPlay, ALevel1ClickThatJumpsLeavesNoPanelGlideBehind) {
    FrmYanShi *f = openOnFirst(StepBuilder().action("7000").menuBar('A').hit(1, hit("A1", 3, 0, 0, u'5')));
    playUntil([&] { return f->DemoStep != 1; });
    EXPECT_EQ(f->DemoStep, 5);
    EXPECT_FALSE(f->Timer7->enabled());
    // The highlight was shown, then the step jumped to hid it again.
    EXPECT_EQ(f->Img1J->picture(), shellFile("A10300"));
    EXPECT_FALSE(f->Img1J->visible());
    EXPECT_FALSE(f->Pic1J->picture());
    playUntil([&] { return f->DemoStep != 5; });
    EXPECT_EQ(f->DemoStep, 6);
}

// ---------------------------------------------------------------- the sample

// Every sample question, from its first step to its last on the manual
// clock; the panel and the simulated screen come back and the panel shows
// the question at the step it remembered.
TEST_F(DemoPlay, EverySampleQuestionPlaysToItsEnd) {
    // The screen and the panel were there before the demonstration, their
    // start-up timers done.
    forms::form<FrmMain>();
    forms::form<FrmTm>();
    ft::advance(1000);
    int questions = 0, level1Glides = 0, level3Glides = 0, typingTicks = 0;
    for (int unit : demotest::kSampleUnits) {
        const QList<int> counts = demostate::stepCounts(dir(), unit);
        for (int q = 1; q <= counts.size(); ++q) {
            SCOPED_TRACE(QStringLiteral("unit %1 question %2").arg(unit).arg(q).toStdString());
            demotest::demonstrateUnit(dir(), unit);
            auto &s = S();
            s.CurQuestion = q;
            // The simulated screen stood at the question's last step.
            const int memo = counts[q - 1];
            s.CurStep = memo;
            s.StepMemo[size_t(q - 1)] = memo;
            FrmYanShi *f = open();
            f->show();
            int last = 0;
            QString lastCode;
            const int t = playUntil(
                [&] {
                    if (closed()) return true;
                    last = std::max(last, f->DemoStep);
                    level1Glides += f->Timer6->enabled();
                    level3Glides += f->Timer8->enabled();
                    typingTicks += f->Timer1->enabled();
                    lastCode = sim::StepRecord(s.CurRecord).actionCode();
                    return false;
                },
                120000);
            ASSERT_TRUE(closed()) << t;
            EXPECT_EQ(last, counts[q - 1]);
            EXPECT_EQ(lastCode, "9999");
            EXPECT_FALSE(s.DemoPlaying);
            FrmTm *tm = forms::loadedForm<FrmTm>();
            ASSERT_TRUE(tm);
            EXPECT_TRUE(tm->visible());
            EXPECT_TRUE(forms::form<FrmMain>()->visible());
            s.CurStep = 0;
            ft::advance(100);
            EXPECT_EQ(s.CurStep, memo);
            EXPECT_FALSE(tm->TimerREDO->enabled());
            // The simulated screen builds its step before the next request.
            ft::advance(200);
            ++questions;
        }
    }
    EXPECT_GT(questions, 20);
    // The sweep went through menus down to the third level, and typing.
    EXPECT_GT(level1Glides, 0);
    EXPECT_GT(level3Glides, 0);
    EXPECT_GT(typingTicks, 0);
}

} // namespace
