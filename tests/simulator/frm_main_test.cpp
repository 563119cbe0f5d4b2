// The simulated screen: building a step, the step flow, the window's
// set-up and the reset of its transient state.
#include "panel/frm_tm.h"
#include "screen_fixture.h"

#include <random>

namespace ft = forms::testing;

namespace {

QRectF rectOf(const forms::Control *c) {
    return QRectF(c->left(), c->top(), c->width(), c->height());
}

} // namespace

class FrmMainTest : public EngineFixture {};

// ---------------------------------------------------------------- stage order

TEST_F(FrmMainTest, RedBoxAfterTheTabAndTextStages) {
    useAnswerLines({"001abc|ABC", "002hint|text"});
    auto target = [] { return StepBuilder().target(3000, 3000, 1200, 600).hint(100, 100, 2); };
    auto textStep = [&](const char *code) {
        return target()
            .textBox(1200, 4500, 3000, 450, 0) // empty: nothing answered yet
            .answerLine(1)
            .hint(100, 100, 1)
            .action(code);
    };
    auto tab = [&](QChar shown) {
        return target()
            .picture(2, 3000, 1200, "q00022")
            .tabStep('A', shown, '2', 2)
            .action("0001")
            .build();
    };
    struct Case {
        const char *name;
        QString record;
        int mode;
        bool redBox;
        QString caption;
    };
    const Case cases[] = {
        {"target, guided", target().action("0001"), startup::Guided, true, "hint\r\ntext"},
        {"target, practice", target().action("0001"), startup::Practice, false, "hint\r\ntext"},
        {"point target", StepBuilder().target(3000, 3000, 2000, 0).action("0001"), startup::Guided,
         false, ""},
        {"no target", StepBuilder().action("0000"), startup::Guided, false, ""},
        {"tab not in front", tab('1'), startup::Guided, false, "请选择第2个选项卡"},
        {"tab in front", tab('2'), startup::Guided, true, "hint\r\ntext"},
        {"0022", textStep("0022"), startup::Guided, true,
         "输入 abc或  ABC 并按回车键或点红色方框处"},
        {"0026", textStep("0026"), startup::Guided, true, "输入 abc或  ABC 并点击红色方框处"},
        {"0024", textStep("0024"), startup::Guided, false, "输入 abc或  ABC 并按回车键"},
        {"0020", textStep("0020"), startup::Guided, false, "输入 abc或  ABC"},
        {"0023", textStep("0023"), startup::Guided, false, "请选中 abc或  ABC"},
        {"0027", textStep("0027"), startup::Guided, false, "输入 abc或  ABC"},
        {"0028", textStep("0028"), startup::Guided, false, "abc或  ABC"},
        {"0022, practice", textStep("0022"), startup::Practice, false,
         "输入 abc或  ABC 并按回车键或点红色方框处"},
        {"last step", target().action("9999"), startup::Guided, false, "hint\r\ntext"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        startup::state().StudyMode = c.mode;
        useSteps({c.record});
        build(1);
        EXPECT_EQ(frm()->Shape1->visible(), c.redBox);
        EXPECT_EQ(frm()->LHelp->caption(), c.caption);
        ft::unloadAll();
    }
}

TEST_F(FrmMainTest, TabStepLaysTheStripOverThePage) {
    useAnswerLines({"001choose"});
    startup::state().StudyMode = startup::Guided;
    useSteps({StepBuilder()
                  .picture(2, 3000, 1200, "q00022")
                  .tabStep('A', '1', '3', 2)
                  .target(3300, 1980, 300, 300)
                  .hint(100, 100, 1)
                  .action("0001")});
    FrmMain *f = frm();
    forms::clearPictureCache();
    const int before = forms::pictureDecodeCount();
    build(1);
    // Read from the disk: the step's picture, the page of tab 1 that
    // replaces it, the tool strip and the blank extra picture of the reset.
    EXPECT_EQ(forms::pictureDecodeCount(), before + 4);
    // The page of tab 1 replaced the step's own picture.
    EXPECT_TRUE(
        f->Image2->picture().path().endsWith(QStringLiteral("q00021.mxy"), Qt::CaseInsensitive));
    EXPECT_EQ(f->TabPicLeft, 3000);
    EXPECT_EQ(f->TabPicTop, 1200);
    EXPECT_EQ(f->TabExpected, 3);
    EXPECT_EQ(f->TabCount, 3);
    EXPECT_EQ(f->TabPicName, "q00022");
    EXPECT_EQ(f->TabHint, "choose");
    EXPECT_EQ(rectOf(f->LblXXK(1)), QRectF(3090, 1200, 750, 300));
    EXPECT_EQ(rectOf(f->LblXXK(2)), QRectF(3840, 1200, 750, 300));
    EXPECT_EQ(rectOf(f->LblXXK(3)), QRectF(4590, 1200, 750, 300));
    // Tabs past the count stay parked.
    EXPECT_EQ(rectOf(f->LblXXK(4)), QRectF(-1, -1, 1, 1));
    EXPECT_EQ(rectOf(f->Shape1), rectOf(f->LblXXK(3)));
    EXPECT_EQ(rectOf(f->Label1), QRectF(3300, 1980, 1, 1));
    EXPECT_EQ(f->BackEntry, "NONO");

    // A twelve-tab strip stands in two rows: tabs 6 and 12 widen.
    useSteps({StepBuilder().picture(1, 0, 0, "q00021").tabStep('B', '8', '8', 1).action("0001")});
    build(1);
    EXPECT_EQ(f->TabCount, 12);
    EXPECT_EQ(f->TabRow, 2);
    EXPECT_EQ(f->LblXXK(6)->width(), 1050);
    EXPECT_EQ(f->LblXXK(12)->width(), 1050);
}

TEST_F(FrmMainTest, BackStepEntryPlacesTheBackLabel) {
    useSteps({StepBuilder().backEntry("Q0002", 4500, 6000).action("0001")});
    build(1);
    EXPECT_EQ(frm()->BackEntry, "Q0002");
    EXPECT_EQ(rectOf(frm()->LblXXK(0)), QRectF(4500, 6000, 1095, 285));
}

// ---------------------------------------------------------------- scene

TEST_F(FrmMainTest, OverlayPicturesHideKeepAndRemember) {
    auto &s = startup::state();
    useSteps({StepBuilder()
                  .background("q00001")
                  .picture(1, 450, 1200, "q00011")
                  .picture(3, 100, 200, "888888")
                  .picture(5, 1500, 2250, "q00012"),
              StepBuilder()
                  .picture(1, 600, 1300, "888888")
                  .picture(2, 0, 0, "000000")
                  .picture(6, 30, 60, "q00031"),
              StepBuilder().picture(6, 30, 60, "q00031").truncate(196)});
    build(1);
    FrmMain *f = frm();
    EXPECT_TRUE(f->Image1->visible());
    EXPECT_FALSE(f->Image1->picture().isNull());
    // "888888" on a question's first step: shown at its place, no picture.
    EXPECT_TRUE(f->Image3->visible());
    EXPECT_TRUE(f->Image3->picture().isNull());
    EXPECT_EQ(f->Image3->left(), 100);
    EXPECT_EQ(f->DragX, 1500);
    EXPECT_EQ(f->DragY, 2250);
    EXPECT_EQ(s.QuestionPictures[0][0], "q00001");
    EXPECT_EQ(s.QuestionPictures[0][1], "q00011");
    EXPECT_EQ(s.QuestionPictures[0][3], "");
    EXPECT_EQ(s.QuestionPictures[0][5], "q00012");
    EXPECT_EQ(s.StepMemo[0], 1);
    const forms::Picture first = f->Image1->picture();

    build(2);
    EXPECT_EQ(f->Image1->picture(), first); // kept, moved
    EXPECT_EQ(f->Image1->left(), 600);
    EXPECT_FALSE(f->Image2->visible());
    EXPECT_TRUE(f->Image6->visible());
    EXPECT_EQ(s.QuestionPictures[0][6], "q00031");
    EXPECT_EQ(s.StepMemo[0], 2);

    // A record that ends before the sixth picture hides it.
    build(3);
    EXPECT_FALSE(f->Image6->visible());
}

TEST_F(FrmMainTest, NoPictureIsDecodedTwice) {
    useSteps({StepBuilder()
                  .background("q00001")
                  .picture(1, 450, 1200, "q00011")
                  .picture(2, 450, 1200, "q00011")
                  .windowKind('T')
                  .target(100, 100, 300, 300)
                  .extraPicture("q00031")
                  .menuBar('A')
                  .paneFlags(3)});
    build(1);
    const int afterFirst = forms::pictureDecodeCount();
    frm()->GoStep("1");
    frm()->GoStep("1");
    EXPECT_EQ(forms::pictureDecodeCount(), afterFirst);
}

TEST_F(FrmMainTest, ScreenRegionsFollowTheRecord) {
    struct Case {
        const char *name;
        QString record;
        bool table, menu, tool, hui, myPc, ctrl, start, imgElse;
    };
    const Case cases[] = {
        {"desktop, pane flag 1", StepBuilder().menuBar('M').paneFlags(1), true, false, false, false,
         false, false, true, false},
        {"bar A with strip and pane 1", StepBuilder().menuBar('A').paneFlags(3), false, true, true,
         true, false, false, true, false},
        {"no bar, strip only", StepBuilder().menuBar('O').paneFlags(1), false, false, true, false,
         false, false, true, false},
        {"EE", StepBuilder().noBars(), false, false, false, false, false, false, true, false},
        {"Computer window, start hidden", StepBuilder().windowKind('P').viewVariant('F'), false,
         false, false, false, true, false, false, false},
        {"Control Panel", StepBuilder().windowKind('N').viewVariant('0'), false, false, false,
         false, false, true, true, false},
        {"extra picture for z", StepBuilder().windowKind('z'), false, false, false, false, false,
         false, true, true},
        {"extra picture for R: none", StepBuilder().windowKind('R'), false, false, false, false,
         false, false, true, false},
        {"last step hides the start button", StepBuilder().menuBar('M').action("9999"), true, false,
         false, false, false, false, false, false},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        useSteps({c.record});
        build(1);
        FrmMain *f = frm();
        EXPECT_EQ(f->PicTable->visible(), c.table);
        EXPECT_EQ(f->PicMenu->visible(), c.menu);
        EXPECT_EQ(f->PicTool->visible(), c.tool);
        EXPECT_EQ(f->PicHui->visible(), c.hui);
        EXPECT_EQ(f->PicMyPc->visible(), c.myPc);
        EXPECT_EQ(f->PicCtrl->visible(), c.ctrl);
        EXPECT_EQ(f->StartMenu->visible(), c.start);
        EXPECT_EQ(f->ImgElse->visible(), c.imgElse);
    }
}

// A region whose picture cannot be loaded stays hidden, its spots where
// the last step put them: the picture of an earlier step, or none, must not
// show under spots laid out for another.
TEST_F(FrmMainTest, ARegionWithoutItsPictureStaysHidden) {
    // The desktop, the Computer window and the start menu get their
    // pictures when the window is set up.
    using P = Removed::Path;
    Removed desktop(dir().bankFile("9lX001"), P{}), computer(dir().bankFile("9lX002"), P{});
    Removed startMenu(QStringLiteral("706600"));
    FrmMain *f = frm();
    f->show();

    struct Case {
        const char *name;
        QString shown, missing; // steps with and without the region's picture
        const char *picture;    // the shell picture the second step lacks
        forms::PictureBox *FrmMain::*region;
        int spot; // a spot of the region, which must not move
    };
    const Case cases[] = {
        {"bar", StepBuilder().menuBar('A'), StepBuilder().menuBar('G'), "G00000", &FrmMain::PicMenu,
         2},
        {"task pane", StepBuilder().menuBar('A').paneFlags(2),
         StepBuilder().menuBar('A').paneFlags(4), "41A002", &FrmMain::PicHui, 30},
        {"tool strip", StepBuilder().menuBar('A').paneFlags(1),
         StepBuilder().menuBar('A').paneFlags(1).viewVariant('W'), "1100W2", &FrmMain::PicTool, 23},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        useSteps({c.shown, c.missing});
        build(1);
        forms::PictureBox *region = f->*(c.region);
        ASSERT_TRUE(region->visible());
        const QRectF spot = rectOf(f->LblZHU(c.spot));
        Removed gone(QString::fromLatin1(c.picture));
        build(2);
        EXPECT_FALSE(region->visible());
        EXPECT_EQ(rectOf(f->LblZHU(c.spot)), spot);
    }

    useSteps({StepBuilder().menuBar('M'), StepBuilder().windowKind('P')});
    build(1);
    EXPECT_FALSE(f->PicTable->visible());
    build(2);
    EXPECT_FALSE(f->PicMyPc->visible());
    ft::click(f->StartMenu, 450, 400);
    EXPECT_FALSE(f->PicStart->visible());
}

TEST_F(FrmMainTest, TargetSourceAndTimedSteps) {
    useSteps({StepBuilder().target(1500, 1200, 2000, 600, '3').source(300, 450, 900, 600),
              StepBuilder().target(1500, 1200, 2000, 0),
              StepBuilder().target(1500, 1200, 2000, 600).source(300, 450, 900, 600).action("8006"),
              StepBuilder().action("8888"), StepBuilder().action("0001")});
    FrmMain *f = frm();
    build(1);
    EXPECT_EQ(rectOf(f->Label1), QRectF(1500, 1200, 2000, 600));
    EXPECT_EQ(rectOf(f->Shape1), rectOf(f->Label1));
    EXPECT_EQ(rectOf(f->Label4), QRectF(300, 450, 900, 600));
    EXPECT_EQ(rectOf(f->Shape4), rectOf(f->Label4));
    EXPECT_TRUE(f->Label4->visible());
    // A height of 0 makes the target a point; a missing source is parked
    // left of the screen, its Top kept.
    build(2);
    EXPECT_EQ(f->TargetW, 2000);
    EXPECT_EQ(f->TargetH, 0);
    EXPECT_EQ(f->Label1->width(), 1);
    EXPECT_EQ(f->Label1->height(), 1);
    EXPECT_EQ(rectOf(f->Label4), QRectF(-1, 450, 1, 1));
    // Picture drags shrink both.
    build(3);
    EXPECT_EQ(f->Label1->width(), 1);
    EXPECT_EQ(f->Label4->height(), 1);
    EXPECT_FALSE(f->Timer3->enabled());
    build(4);
    EXPECT_TRUE(f->Timer3->enabled());
    EXPECT_EQ(f->ActionValue, 8888);
    build(5);
    EXPECT_FALSE(f->Timer3->enabled());
}

TEST_F(FrmMainTest, InputBoxTakesItsStyle) {
    useAnswerLines({"001abc|ABC", "002x|y"});
    auto box = [](int size, QChar align, int bits, int font, int fore, int back) {
        return StepBuilder()
            .textBox(1200, 4500, 3000, 450, 2)
            .textStyle(size, align, bits, font, fore, back)
            .action("0024")
            .build();
    };
    useSteps({box(0, 'L', 0, 0, 0, 0), box(120, 'R', 5, 3, 1, 1), box(105, 'm', 9, 2, 2, 2),
              box(90, 'r', 3, 1, 0, 0), StepBuilder().action("0001")});
    // The sample's style table: fonts 0 宋体, 1 黑体, 2 楷体, 3 Arial; text
    // colours 0 black, 1 red, 2 blue; backgrounds 0 white, 1 light yellow,
    // 2 light blue.
    FrmMain *f = frm();
    build(1);
    EXPECT_TRUE(f->Text1->visible());
    EXPECT_EQ(rectOf(f->Text1), QRectF(1200, 4500, 3000, 450));
    EXPECT_EQ(f->Text1->text(), "x");
    EXPECT_EQ(f->Text1->font().size, 9);
    EXPECT_EQ(f->Text1->alignment(), forms::vbLeftJustify);
    EXPECT_EQ(f->Text1->font().name, QStringLiteral("宋体"));
    EXPECT_EQ(f->Text1->foreColor(), forms::rgb(0, 0, 0));
    EXPECT_EQ(f->Text1->backColor(), forms::rgb(255, 255, 255));
    build(2);
    EXPECT_EQ(f->Text1->font().size, 12);
    EXPECT_EQ(f->Text1->alignment(), forms::vbRightJustify);
    EXPECT_TRUE(f->Text1->font().bold);
    EXPECT_FALSE(f->Text1->font().italic);
    EXPECT_TRUE(f->Text1->font().underline);
    EXPECT_EQ(f->Text1->font().name, QStringLiteral("Arial"));
    EXPECT_EQ(f->Text1->foreColor(), forms::rgb(255, 0, 0));
    EXPECT_EQ(f->Text1->backColor(), forms::rgb(255, 255, 192));
    // Style bits 9 leave the step before's bold, italic and underline.
    build(3);
    EXPECT_DOUBLE_EQ(f->Text1->font().size, 10.5);
    EXPECT_EQ(f->Text1->alignment(), forms::vbCenter);
    EXPECT_TRUE(f->Text1->font().bold);
    EXPECT_TRUE(f->Text1->font().underline);
    EXPECT_EQ(f->Text1->font().name, QStringLiteral("楷体"));
    EXPECT_EQ(f->Text1->foreColor(), forms::rgb(0, 0, 255));
    EXPECT_EQ(f->Text1->backColor(), forms::rgb(220, 230, 240));
    build(4);
    EXPECT_TRUE(f->Text1->font().italic);
    EXPECT_FALSE(f->Text1->font().underline);
    EXPECT_EQ(f->Text1->font().name, QStringLiteral("黑体"));
    build(5);
    EXPECT_FALSE(f->Text1->visible());
}

TEST_F(FrmMainTest, ReplacementBoxesTakeTheInputBoxsPlace) {
    useAnswerLines({"001abc|ABC"});
    startup::state().StudyMode = startup::Guided;
    auto box = [](const char *code) {
        return StepBuilder()
            .textBox(1200, 4500, 3000, 450, 1)
            .textStyle(140, 'L', 1, 3, 1, 1)
            .target(100, 100, 600, 600)
            .action(code)
            .build();
    };
    useSteps({box("0021"), box("0027"), box("0020")});
    FrmMain *f = frm();
    build(1);
    EXPECT_TRUE(f->Text2->visible());
    EXPECT_FALSE(f->Text1->visible());
    EXPECT_EQ(f->Text2->text(), "abc");
    EXPECT_EQ(rectOf(f->Text2), QRectF(1200, 4500, 3000, 450));
    EXPECT_EQ(f->Text2->font().size, 9); // its own font
    build(2);
    EXPECT_FALSE(f->Text2->visible());
    EXPECT_TRUE(f->Text3->visible());
    EXPECT_FALSE(f->Text1->visible());
    EXPECT_EQ(f->Text3->font().size, 14);
    EXPECT_TRUE(f->Text3->font().bold);
    EXPECT_EQ(f->Text3->font().name, f->Text1->font().name);
    EXPECT_EQ(f->Text3->backColor(), f->Text1->backColor());
    EXPECT_FALSE(f->Shape1->visible());
    build(3);
    EXPECT_FALSE(f->Text3->visible());
    EXPECT_TRUE(f->Text1->visible());
}

TEST_F(FrmMainTest, HintKeepsItsPlaceAndStaysOnScreen) {
    useAnswerLines({"001first|second", "002a very long hint that runs past the right edge"});
    startup::state().StudyMode = startup::Guided;
    useSteps({StepBuilder().hint(600, 300, 1).action("0001"), StepBuilder().action("0001"),
              StepBuilder().hint(15000, 300, 2).action("0001"),
              StepBuilder().hint(600, 300, 0).action("0001")});
    FrmMain *f = frm();
    build(1);
    EXPECT_EQ(f->LHelp->caption(), "first\r\nsecond");
    EXPECT_EQ(f->LHelp->left(), 600);
    build(2); // no hint position: the hint stays as it was
    EXPECT_EQ(f->LHelp->caption(), "first\r\nsecond");
    EXPECT_EQ(f->LHelp->left(), 600);
    build(3);
    EXPECT_DOUBLE_EQ(f->LHelp->left() + f->LHelp->width(), f->effectiveWidth());
    build(4);
    EXPECT_EQ(f->LHelp->caption(), "");
}

// ---------------------------------------------------------------- last step

TEST_F(FrmMainTest, LastStepMarksTheQuestionAndTheListInEveryMode) {
    for (int mode : {startup::Practice, startup::Exam}) {
        SCOPED_TRACE(mode);
        auto &s = startup::state();
        s.StudyMode = mode;
        useSteps({StepBuilder().action("9999"), StepBuilder().action("9999"),
                  StepBuilder().action("9999"), StepBuilder().action("9999"),
                  StepBuilder().action("9999"), StepBuilder().action("9999")},
                 {1, 1, 1, 1, 1, 1});
        for (int q = 0; q < 6; ++q) s.QuestionStatus[q] = (q == 1 || q == 4) ? 1 : 5;
        s.CurQuestion = 3;
        s.QuestionStatus[2] = 2; // marked, not done
        frm();
        FrmTm *tm = forms::form<FrmTm>();
        tm->LblBiao->setCaption("第3题 (未完成) 共6题 (未完成)");
        build(1);
        EXPECT_EQ(s.QuestionStatus[2], 6);
        EXPECT_EQ(tm->LblUnit->caption(), "未完成的题目 2 5");
        EXPECT_EQ(tm->LblBiao->caption(), "第3题 (已完成) 共6题 (已完成)");
        EXPECT_EQ(frm()->LblSuccess->visible(), mode != startup::Exam);
        EXPECT_FALSE(frm()->LHelp->visible());
        EXPECT_FALSE(frm()->Shape1->visible());
        // Built again, it adds nothing.
        build(1);
        EXPECT_EQ(s.QuestionStatus[2], 6);
        forms::testing::unloadAll();
    }
}

// ---------------------------------------------------------------- flow

TEST_F(FrmMainTest, GoStepNamesTheStep) {
    QStringList records;
    for (int i = 1; i <= 20; ++i)
        records << StepBuilder().lead(StepBuilder::digits(i, 3)).action("0001");
    useSteps(records);
    struct Case {
        const char *branch;
        int step;
        const char *lead; // the line built: past the file's end, its last line
    };
    const Case cases[] = {{"0", 7, "007"}, {"5", 5, "005"}, {"C", 12, "012"}, {"Z", 35, "020"},
                          {"#", 9, "009"}, {"a", 9, "009"}, {"1", 1, "001"}};
    for (const auto &c : cases) {
        SCOPED_TRACE(c.branch);
        build(7);
        frm()->HitCode = "A5";
        frm()->GoStep(QString::fromLatin1(c.branch));
        EXPECT_EQ(startup::state().CurStep, c.step);
        EXPECT_EQ(frm()->rec().leadField(), c.lead);
        EXPECT_EQ(frm()->HitCode, "A5"); // GoStep leaves the hot spot alone
    }
}

TEST_F(FrmMainTest, DoNextMovesOnAndStopsAtTheLastStep) {
    auto &s = startup::state();
    useSteps({StepBuilder().action("0001"), StepBuilder().action("9999")});
    s.QuestionStatus[0] = 1;
    build(1);
    FrmMain *f = frm();
    f->HitCode = "61";
    f->Sel1J = 3;
    f->PicStart->setVisible(true);
    f->doNext();
    EXPECT_EQ(s.CurStep, 2);
    EXPECT_EQ(f->HitCode, "00");
    EXPECT_EQ(f->Sel1J, 0);
    EXPECT_FALSE(f->PicStart->visible());
    EXPECT_EQ(s.QuestionStatus[0], 5);
    // On the last step doNext leaves the step, and marks the question done
    // once however often it runs. Nothing is rebuilt there, so doNext closes
    // the start menu itself: the reset keeps it open on a start-menu spot.
    s.QuestionStatus[0] = 1;
    f->LblSuccess->setVisible(false);
    f->HitCode = "75";
    f->PicStart->setVisible(true);
    f->doNext();
    EXPECT_FALSE(f->PicStart->visible());
    EXPECT_EQ(f->HitCode, "00");
    f->doNext();
    EXPECT_EQ(s.CurStep, 2);
    EXPECT_EQ(s.QuestionStatus[0], 5);
    EXPECT_FALSE(f->LblSuccess->visible()); // not rebuilt
}

TEST_F(FrmMainTest, TimersStartAQuestionAndMoveATimedStepOn) {
    auto &s = startup::state();
    useSteps({StepBuilder().action("8888"), StepBuilder().action("0001").lead("two")});
    s.StepMemo[0] = 1;
    FrmMain *f = frm();
    f->show();
    forms::form<FrmTm>()->DqExam();
    EXPECT_TRUE(f->Timer2->enabled());
    s.CurRecord.clear();
    ft::advance(99);
    EXPECT_TRUE(s.CurRecord.isEmpty());
    ft::advance(1);
    EXPECT_EQ(frm()->rec().actionCode(), "8888");
    EXPECT_FALSE(f->Timer2->enabled());
    EXPECT_TRUE(f->Timer3->enabled());
    ft::advance(999);
    EXPECT_EQ(s.CurStep, 1);
    ft::advance(1);
    EXPECT_EQ(s.CurStep, 2);
    EXPECT_EQ(f->rec().leadField(), "two");
    EXPECT_FALSE(f->Timer3->enabled());
    // Timer2 built once: nothing rebuilds the question later.
    s.CurRecord = "untouched";
    ft::advance(5000);
    EXPECT_EQ(s.CurRecord, "untouched");
}

// ---------------------------------------------------------------- window

TEST_F(FrmMainTest, WindowPlacementAndPanelDocking) {
    struct Case {
        int w, h;
        bool maximised;
    };
    for (const Case c : {Case{1366, 768, false}, Case{1024, 650, true}, Case{1280, 651, false}}) {
        SCOPED_TRACE(c.h);
        forms::Screen::setFake(c.w, c.h);
        FrmMain *f = frm();
        FrmTm *tm = forms::form<FrmTm>();
        if (c.maximised) {
            EXPECT_EQ(f->windowState(), forms::vbMaximized);
        } else {
            EXPECT_EQ(f->windowState(), forms::vbNormal);
            EXPECT_EQ(f->width(), 15360);
            EXPECT_EQ(f->height(), 9000);
            EXPECT_EQ(f->left(), (c.w * 15 - 15360) / 2.0);
            EXPECT_EQ(f->top(), (c.h * 15 - 9000) / 2.0);
        }
        EXPECT_EQ(tm->left() + tm->width(), f->effectiveLeft() + f->effectiveWidth());
        EXPECT_EQ(tm->top() + tm->height(), f->effectiveTop() + f->effectiveHeight());
        EXPECT_TRUE(tm->topmost());
        ft::unloadAll();
    }
}

TEST_F(FrmMainTest, DragBarDocksThePanelAgain) {
    FrmMain *f = frm();
    f->show();
    FrmTm *tm = forms::form<FrmTm>();
    tm->setLeft(0);
    tm->setTop(0);
    ft::press(f->lblMove, 100, 100, forms::vbRightButton);
    ASSERT_EQ(ft::controlUnderPointer(), f->lblMove);
    ft::release(f->lblMove, 100, 100, forms::vbRightButton);
    EXPECT_EQ(tm->left() + tm->width(), f->effectiveLeft() + f->effectiveWidth());
    EXPECT_EQ(f->lblMove->left(), 1440);
    EXPECT_EQ(f->lblMove->width(), 9495);
}

TEST_F(FrmMainTest, MovementRuleThreshold) {
    useSteps({StepBuilder().action("0001")});
    FrmMain *f = frm();
    f->show();
    build(1);
    // The pointer lands on whole pixels (15 twips), so the stored point is
    // set off by the distance under test.
    const double px = 6000, py = 4200;
    struct Case {
        double dx, dy;
        bool reset;
    };
    const Case cases[] = {{300, 0, false}, {0, 300, false}, {300, 300, false}, {-300, -300, false},
                          {301, 0, true},  {0, 301, true},  {-301, 0, true},   {0, -301, true}};
    for (const auto &c : cases) {
        SCOPED_TRACE(QString("%1,%2").arg(c.dx).arg(c.dy).toStdString());
        f->LastMouseX = static_cast<int>(px - c.dx);
        f->LastMouseY = static_cast<int>(py - c.dy);
        f->Pic1J->setVisible(true);
        ft::move(f, px, py);
        EXPECT_EQ(!f->Pic1J->visible(), c.reset);
        EXPECT_EQ(f->LastMouseX, c.reset ? px : px - c.dx);
        EXPECT_EQ(f->LastMouseY, c.reset ? py : py - c.dy);
    }
    // At a scale of 0.8 the threshold is 240 twips.
    startup::state().ScaleX = 0.8;
    for (const Case c : {Case{240, 0, false}, Case{241, 0, true}}) {
        f->LastMouseX = static_cast<int>(px - c.dx);
        f->LastMouseY = static_cast<int>(py);
        f->Pic1J->setVisible(true);
        ft::move(f, px, py);
        EXPECT_EQ(!f->Pic1J->visible(), c.reset) << c.dx;
    }
}

TEST_F(FrmMainTest, BareWindowClickClearsTheHotSpot) {
    FrmMain *f = frm();
    f->show();
    f->HitCode = "61";
    ft::click(f, 7000, 5000);
    EXPECT_EQ(f->HitCode, "00");
}

// ---------------------------------------------------------------- reset

TEST_F(FrmMainTest, ResetShowsTheExtraPictureAndTheDrive) {
    FrmMain *f = frm();
    struct Case {
        const char *name;
        QString record;
        QString hit1;
        const char *extra; // picture file of ImgElse
    };
    const Case cases[] = {
        {"passes", StepBuilder().windowKind('S').extraPicture("q00031", '2'), "H000000000",
         "q00031"},
        {"W", StepBuilder().windowKind('S').put(167, "Wq00321"), "", "000000"},
        {"0 first", StepBuilder().windowKind('S').put(167, "0q00321"), "", "000000"},
        {"0 last", StepBuilder().windowKind('S').extraPicture("q00031").put(173, "0"), "",
         "000000"},
        {"back entry", StepBuilder().windowKind('S').extraPicture("q00031"), "Q0001", "000000"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        startup::state().CurRecord = c.record;
        f->ExpectedHits[1] = c.hit1;
        f->frmCsh();
        EXPECT_TRUE(
            f->ImgElse->picture().path().endsWith(QString(c.extra) + ".mxy", Qt::CaseInsensitive))
            << f->ImgElse->picture().path().toStdString();
    }
    // The drive highlight of the Computer window: "A" is spot 99.
    startup::state().CurRecord = StepBuilder().windowKind('P').viewVariant('A');
    f->frmCsh();
    EXPECT_EQ(f->ImgMyPc->left(), f->LblZHU(99)->left());
    EXPECT_EQ(f->ImgMyPc->top(), f->LblZHU(99)->top());
    EXPECT_TRUE(f->ImgMyPc->picture().path().endsWith("990099.mxy", Qt::CaseInsensitive));
    startup::state().CurRecord = StepBuilder().windowKind('P').viewVariant('G');
    f->frmCsh();
    EXPECT_TRUE(f->ImgMyPc->picture().isNull());
}

TEST_F(FrmMainTest, ResetKeepsTheStartMenuOnlyForItsCodes) {
    FrmMain *f = frm();
    struct Case {
        const char *code;
        bool open;
    };
    for (const Case c : {Case{"71", true}, Case{"80", true}, Case{"91", true}, Case{"70", false},
                         Case{"92", false}, Case{"A1", false}, Case{"00", false}}) {
        SCOPED_TRACE(c.code);
        f->HitCode = c.code;
        f->PicStart->setVisible(true);
        f->frmCsh();
        EXPECT_EQ(f->PicStart->visible(), c.open);
    }
}

// A picture that cannot be loaded must not stop the reset half way: the
// start menu would stay open over the next step.
TEST_F(FrmMainTest, ResetRunsOnPastAMissingPicture) {
    FrmMain *f = frm();
    startup::state().CurRecord =
        StepBuilder().windowKind('P').viewVariant('C').extraPicture("nopic1");
    f->ExpectedHits[1] = "H000000000";
    f->ImgElse->setPicture(forms::loadPicture(dir().bankFile("q00011")));
    f->ImgStart->setPicture(forms::loadPicture(dir().bankFile("q00011")));
    f->HitCode = "00";
    f->PicStart->setVisible(true);
    // Make the drive highlight missing too.
    QFile::rename(dir().examFile("950099"), dir().examFile("950099.away"));
    f->frmCsh();
    QFile::rename(dir().examFile("950099.away"), dir().examFile("950099"));
    EXPECT_TRUE(f->ImgElse->picture().isNull());
    EXPECT_TRUE(f->ImgStart->picture().isNull());
    EXPECT_TRUE(f->ImgMyPc->picture().isNull());
    EXPECT_FALSE(f->PicStart->visible());
}

// ---------------------------------------------------------------- robustness

TEST_F(FrmMainTest, MissingFilesLeaveTheScreenBuildable) {
    auto &s = startup::state();
    useAnswerLines({"001hint"});
    useSteps({StepBuilder().hint(100, 100, 1).textBox(1200, 4500, 3000, 450, 1).action("0024")});
    build(1);
    const QString record = s.CurRecord;
    EXPECT_EQ(frm()->LHelp->caption(), "输入 hint 并按回车键");
    // No step file: the record on show is built again.
    s.StepFilePath = dir().bankFile("nosuch");
    build(2);
    EXPECT_EQ(s.CurRecord, record);
    // No answer-text file: empty initial text and hint.
    s.TextFilePath = dir().bankFile("nosuch");
    build(1);
    EXPECT_EQ(frm()->Text1->text(), "");
    EXPECT_EQ(frm()->LHelp->caption(), "输入  并按回车键");
    // A question number out of range leaves the record and the memos.
    s.CurQuestion = 0;
    s.StepFilePath = dir().bankFile("288819");
    build(1);
    EXPECT_EQ(s.CurRecord, record);
}

TEST_F(FrmMainTest, RandomAndTruncatedRecordsNeverBreakTheBuild) {
    std::mt19937 rng(20150307);
    const QString alphabet =
        QStringLiteral("0000000000123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ|Qqz#-. 8899");
    const QString base = StepBuilder()
                             .background("q00001")
                             .picture(1, 450, 1200, "q00011")
                             .target(600, 1350, 1080, 1080)
                             .textBox(1200, 4500, 3000, 450, 1)
                             .hint(100, 100, 1)
                             .tabStep('A', '1', '2', 2)
                             .source(100, 100, 100, 100);
    QStringList records;
    for (int i = 0; i < 300; ++i) {
        QString r = base;
        const int changes = std::uniform_int_distribution<int>(1, 40)(rng);
        for (int k = 0; k < changes; ++k) {
            const int col = std::uniform_int_distribution<int>(0, 211)(rng);
            r[col] = alphabet.at(std::uniform_int_distribution<int>(0, alphabet.size() - 1)(rng));
        }
        if (i % 3 == 0) r.truncate(std::uniform_int_distribution<int>(0, 211)(rng));
        records << r;
    }
    useSteps(records);
    auto &s = startup::state();
    FrmMain *f = frm();
    for (int mode : {startup::Guided, startup::Practice, startup::Exam}) {
        s.StudyMode = mode;
        for (int i = 1; i <= records.size(); ++i) {
            SCOPED_TRACE(i);
            build(i);
            ASSERT_EQ(s.CurRecord, records[i - 1]);
            EXPECT_EQ(s.StepMemo[0], i);
            // Whatever the record holds, only the guided mode shows the hint
            // and its marks, and a point target has no red box.
            if (mode != startup::Guided) {
                for (forms::Control *c : std::initializer_list<forms::Control *>{
                         f->LHelp, f->Shape1, f->Shape2, f->Shape4})
                    EXPECT_FALSE(c->visible()) << c->name().toStdString();
            }
            if (f->Label1->height() <= 10) {
                EXPECT_FALSE(f->Shape1->visible());
            }
            const QString branch = s.CurRecord.mid(22, 1);
            f->GoStep(branch);
            f->doNext();
        }
    }
    // The timers go on building from whatever step the last jump left.
    f->Timer3_Timer();
    ft::advance(3000);
    EXPECT_TRUE(records.contains(s.CurRecord));
    EXPECT_EQ(s.StepMemo[0], s.CurStep);
}

// ---------------------------------------------------------------- the sample

TEST_F(FrmMainTest, EverySampleQuestionRunsToItsLastStep) {
    auto &s = startup::state();
    ASSERT_GE(s.QuestionCount, 5);
    FrmMain *f = frm();
    for (int q = 1; q <= s.QuestionCount; ++q) {
        SCOPED_TRACE(q);
        s.CurQuestion = q;
        build(1);
        int steps = 1;
        for (;;) {
            const sim::StepRecord r = f->rec();
            QStringList names{r.backPicture()};
            for (int k = 1; k <= 6; ++k) names << r.slotPicture(k);
            for (const QString &n : names) {
                if (!n.isEmpty() && n != "888888") {
                    EXPECT_TRUE(platform::fileExists(dir().bankFile(n))) << n.toStdString();
                }
            }
            if (r.actionCode() == "9999") break;
            ASSERT_LT(steps, 10);
            f->doNext();
            ++steps;
        }
        EXPECT_TRUE(f->LblSuccess->visible());
        EXPECT_GE(s.QuestionStatus[q - 1], 4);
    }
}

// Setting the initial text judges it at once: a box that starts with the
// expected text answers its step, and the next step is built from inside
// the build. The screen must then be the next step's, not a mixture.
TEST_F(FrmMainTest, AStepAnsweredByItsInitialTextShowsTheNextStep) {
    useAnswerLines({"001abc", "002next"});
    startup::state().StudyMode = startup::Guided;
    for (const char *code : {"0020", "0021"}) {
        SCOPED_TRACE(code);
        useSteps({StepBuilder()
                      .textBox(1200, 4500, 3000, 450, 1)
                      .answerLine(1)
                      .hint(100, 100, 1)
                      .target(200, 200, 900, 900)
                      .action(code),
                  StepBuilder().target(6000, 3000, 1200, 600).hint(300, 300, 2).action("0001")});
        build(1);
        FrmMain *f = frm();
        EXPECT_EQ(startup::state().CurStep, 2);
        EXPECT_EQ(f->LHelp->caption(), "next");
        EXPECT_EQ(rectOf(f->Label1), QRectF(6000, 3000, 1200, 600));
        EXPECT_EQ(rectOf(f->Shape1), rectOf(f->Label1));
        EXPECT_TRUE(f->Shape1->visible());
        EXPECT_FALSE(f->Text1->visible());
        EXPECT_FALSE(f->Text2->visible());
        EXPECT_EQ(f->ExpectedHits[1], f->rec().expectedHit(1).text());
        ft::unloadAll();
    }
}
