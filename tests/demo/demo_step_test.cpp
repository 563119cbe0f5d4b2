// The step set-up: each stage of one step's scene, on records built for
// the test.
#include "demo_fixture.h"

namespace {

using DemoStep = DemoFixture;

StepBuilder clickStep() {
    return StepBuilder().action("0001").target(1000, 2000, 500, 300);
}

TEST_F(DemoStep, BackgroundAndOverlaysFollowTheKeepAndHideNames) {
    FrmYanShi *f = openOn({
        clickStep()
            .background("7d0001")
            .picture(1, 300, 450, "9lX001")
            .picture(2, 600, 700, "9lX002")
            .picture(6, 90, 80, "9lX003"),
        clickStep().picture(1, 900, 100, "888888").picture(2, 10, 20, "000000").truncate(206),
        clickStep().picture(2, 50, 60, "888888").picture(6, 0, 0, "888888"),
    });
    EXPECT_EQ(f->picture(), bankFile("7d0001"));
    EXPECT_TRUE(f->Image1->visible());
    EXPECT_EQ(rectOf(f->Image1).l, 300);
    EXPECT_EQ(rectOf(f->Image1).t, 450);
    EXPECT_EQ(f->Image1->picture(), bankFile("9lX001"));
    EXPECT_TRUE(f->Image6->visible());
    EXPECT_EQ(f->Image6->picture(), bankFile("9lX003"));

    build(f, 2);
    EXPECT_EQ(f->picture(), bankFile("7d0001")); // "888888": the background stays
    EXPECT_EQ(f->Image1->left(), 900);
    EXPECT_EQ(f->Image1->picture(), bankFile("9lX001"));
    EXPECT_FALSE(f->Image2->visible());
    EXPECT_FALSE(f->Image6->visible()); // its picture field is cut off

    build(f, 3);
    EXPECT_TRUE(f->Image2->visible());
    EXPECT_EQ(f->Image2->left(), 50);
    EXPECT_EQ(f->Image2->picture(), bankFile("9lX002"));
    EXPECT_TRUE(f->Image6->visible());
    EXPECT_EQ(f->Image6->picture(), bankFile("9lX003"));
}

TEST_F(DemoStep, MissingPicturesKeepTheOldOnesAndStillMove) {
    FrmYanShi *f = openOn({
        clickStep().background("7d0001").picture(3, 300, 450, "9lX001"),
        clickStep().background("zz9999").picture(3, 700, 800, "zz9998"),
    });
    build(f, 2);
    EXPECT_EQ(f->picture(), bankFile("7d0001"));
    EXPECT_EQ(f->Image3->left(), 700);
    EXPECT_EQ(f->Image3->picture(), bankFile("9lX001"));
    EXPECT_TRUE(f->Image3->visible());
}

TEST_F(DemoStep, TextBoxTakesItsInitialTextAndStyle) {
    useAnswers({"abc|ABC", "提示"});
    FrmYanShi *f = openOn({
        StepBuilder()
            .action("0020")
            .textBox(1200, 2400, 3000, 300, 1)
            .textStyle(105, 'R', 5, 1, 2, 3),
        StepBuilder().action("0020").textBox(1200, 2400, 3000, 300).textStyle(0, 'm', 8, 0, 0, 0),
        StepBuilder()
            .action("0020")
            .textBox(1200, 2400, 3000, 300)
            .textStyle(0, 'x', 0, 0, 0, 0)
            .put(131, "K"),
        clickStep(),
    });
    QStringList rows(41);
    rows[1] = QStringLiteral(" F楷体");
    rows[12] = QStringLiteral(" C255000128");
    rows[23] = QStringLiteral("  B010020030 ");
    f->StyleTable.setRows(rows);
    build(f, 1);
    EXPECT_TRUE(f->Text1->visible());
    EXPECT_EQ(rectOf(f->Text1), (R{1200, 2400, 3000, 300}));
    EXPECT_EQ(f->Text1->text(), "abc");
    EXPECT_EQ(f->Text1->selStart(), 3);
    EXPECT_EQ(f->Text1->selLength(), 0);
    EXPECT_EQ(f->Text1->alignment(), forms::vbRightJustify);
    EXPECT_DOUBLE_EQ(f->Text1->font().size, 10.5);
    EXPECT_TRUE(f->Text1->font().bold);
    EXPECT_FALSE(f->Text1->font().italic);
    EXPECT_TRUE(f->Text1->font().underline);
    EXPECT_EQ(f->Text1->font().name, "楷体");
    EXPECT_EQ(f->Text1->foreColor(), forms::rgb(255, 0, 128));
    EXPECT_EQ(f->Text1->backColor(), forms::rgb(10, 20, 30));

    // Style digit 8 keeps the attributes; a size of 0 is 9 points.
    build(f, 2);
    EXPECT_EQ(f->Text1->text(), "");
    EXPECT_EQ(f->Text1->alignment(), forms::vbCenter);
    EXPECT_DOUBLE_EQ(f->Text1->font().size, 9);
    EXPECT_TRUE(f->Text1->font().bold);
    EXPECT_TRUE(f->Text1->font().underline);

    // A letter where the style digit belongs reads 0.
    build(f, 3);
    EXPECT_EQ(f->Text1->alignment(), forms::vbLeftJustify);
    EXPECT_FALSE(f->Text1->font().bold);
    EXPECT_FALSE(f->Text1->font().underline);

    build(f, 4);
    EXPECT_FALSE(f->Text1->visible());
    EXPECT_FALSE(f->Text2->visible());
}

TEST_F(DemoStep, HintWithAlternativesShowsInLines) {
    useAnswers({"x", "第一行|第二行"});
    FrmYanShi *f = openOn({clickStep().hint(600, 300, 2), clickStep()});
    EXPECT_EQ(f->LHelp->caption(), "第一行\r\n第二行");
    EXPECT_EQ(f->TabHint, "第一行|第二行");
    EXPECT_EQ(f->LHelp->left(), 600);
    EXPECT_EQ(f->LHelp->top(), 300);
    EXPECT_TRUE(f->LHelp->visible());
    EXPECT_TRUE(f->Shape2->visible());
    // No hint position: the hint stays as it was.
    f->LHelp->setLeft(0);
    build(f, 2);
    EXPECT_EQ(f->LHelp->left(), 0);
    EXPECT_EQ(f->LHelp->caption(), "第一行\r\n第二行");
}

TEST_F(DemoStep, TargetFramedUnlessItHasNoHeight) {
    FrmYanShi *f = openOn({
        clickStep(),
        StepBuilder().action("0001").target(1000, 2000, 500, 0),
        StepBuilder().action("0001"),
    });
    EXPECT_TRUE(f->Label1->visible());
    EXPECT_EQ(rectOf(f->Label1), (R{1000, 2000, 500, 300}));
    EXPECT_EQ(rectOf(f->Shape1), (R{1000, 2000, 500, 300}));
    EXPECT_TRUE(f->Shape1->visible());
    EXPECT_EQ(f->TargetW, 500);
    EXPECT_EQ(f->TargetH, 300);

    build(f, 2);
    EXPECT_TRUE(f->Label1->visible());
    EXPECT_EQ(rectOf(f->Label1), (R{1000, 2000, 1, 1}));
    EXPECT_FALSE(f->Shape1->visible());

    // No target: the height of 0 carries over, and so does the point.
    build(f, 3);
    EXPECT_FALSE(f->Label1->visible());
    EXPECT_FALSE(f->Shape1->visible());
    EXPECT_EQ(f->TargetH, 0);
    EXPECT_EQ(f->TargetW, 500);
}

// A tab-set row: count, row top, tab height, then per tab its page and Left.
QString tabRow(QChar count, int top, int height, const QList<QPair<QString, int>> &tabs,
               int backLeft = 0, int backTop = 0, int backWidth = 0) {
    QString row =
        QStringLiteral("A") + count + StepBuilder::digits(top, 4) + StepBuilder::digits(height, 3);
    for (const auto &t : tabs) row += t.first + StepBuilder::digits(t.second, 4);
    row = row.leftJustified(139, QLatin1Char(' '));
    row += StepBuilder::digits(backLeft, 4) + StepBuilder::digits(backTop, 4) +
           StepBuilder::digits(backWidth, 4);
    return row;
}

TEST_F(DemoStep, TabStepPlacesItsTabsAndFramesTheTabAsked) {
    useAnswers({"选项卡上的目标"});
    FrmYanShi *f = openOn({
        clickStep().hint(600, 300, 1).picture(1, 3000, 1500, "9lX001").tabStep('B', '2', '3', 1),
        clickStep().picture(1, 3000, 1500, "9lX001").tabStep('B', '3', '3', 1),
        clickStep().tabStep('V', '1', '2', 7),
    });
    QStringList rows(21);
    rows[1] =
        tabRow(u'3', 300, 270, {{"9lX002", 100}, {"9lX003", 900}, {"7d0001", 1700}}, 2000, 30, 400);
    f->TabSetTable.setRows(rows);
    build(f, 1);
    EXPECT_EQ(f->TabCount, 3);
    EXPECT_EQ(f->TabExpected, 3);
    EXPECT_EQ(rectOf(f->LblXXK(1)), (R{3100, 1800, 800, 270}));
    EXPECT_EQ(rectOf(f->LblXXK(2)), (R{3900, 1800, 800, 270}));
    // The last tab has no next Left: 990 wide.
    EXPECT_EQ(rectOf(f->LblXXK(3)), (R{4700, 1800, 990, 270}));
    // Tab label 0: Left, Top, Width, and a Height from characters 142-145.
    EXPECT_EQ(rectOf(f->LblXXK(0)), (R{5000, 1530, 400, 0}));
    EXPECT_EQ(rectOf(f->LblXXK(4)), (R{-1, -1, 1, 1}));
    EXPECT_EQ(f->Image1->picture(), bankFile("9lX003")); // the page of tab 2
    EXPECT_EQ(f->LHelp->caption(), "请选择第3个选项卡");
    EXPECT_EQ(rectOf(f->Shape1), (R{4700, 1800, 990, 270}));
    EXPECT_EQ(rectOf(f->Label1), (R{1000, 2000, 1, 1}));
    EXPECT_FALSE(f->Shape4->visible());

    // The tab asked is in front: straight to the target.
    build(f, 2);
    EXPECT_EQ(f->Image1->picture(), bankFile("9lX001"));
    EXPECT_EQ(rectOf(f->Label1), (R{1000, 2000, 500, 300}));
    EXPECT_EQ(rectOf(f->Shape1), (R{1000, 2000, 500, 300}));
    EXPECT_EQ(f->LHelp->caption(), "选项卡上的目标");

    // A row letter past "U" and a slot outside 1-5 keep the row and origin.
    build(f, 3);
    EXPECT_EQ(f->TabSetRow, rows[1]);
    EXPECT_EQ(rectOf(f->LblXXK(2)), (R{3900, 1800, 800, 270}));
}

TEST_F(DemoStep, TwoRowTabStripPutsTheRowOfTheShownTabInFront) {
    FrmYanShi *f = openOn({
        clickStep().picture(2, 0, 1000, "9lX001").tabStep('A', 'B', '2', 2),
        clickStep().picture(2, 0, 1000, "9lX001").tabStep('A', '2', '5', 2),
    });
    QList<QPair<QString, int>> tabs;
    for (int i = 0; i < 12; ++i) tabs.append({QStringLiteral("9lX00%1").arg(i % 3 + 1), 100 * i});
    QStringList rows(21);
    rows[0] = tabRow(u'C', 200, 300, tabs);
    f->TabSetTable.setRows(rows);
    build(f, 1);
    EXPECT_EQ(f->TabCount, 12);
    EXPECT_EQ(f->TabRow, 2);
    for (int i = 1; i <= 6; ++i) EXPECT_EQ(f->LblXXK(i)->top(), 1200) << i;
    for (int i = 7; i <= 12; ++i) EXPECT_EQ(f->LblXXK(i)->top(), 1500) << i;
    EXPECT_EQ(f->LblXXK(6)->width(), 1050);
    EXPECT_EQ(f->LblXXK(12)->width(), 1050);
    EXPECT_EQ(f->LblXXK(5)->width(), 100);
    build(f, 2);
    EXPECT_EQ(f->TabRow, 1);
    EXPECT_EQ(f->LblXXK(1)->top(), 1500);
    EXPECT_EQ(f->LblXXK(7)->top(), 1200);
}

TEST_F(DemoStep, BackEntryPlacesTabLabelZero) {
    FrmYanShi *f = openOn({clickStep().backEntry("Q0002", 3000, 4500), clickStep()});
    EXPECT_EQ(f->BackEntry, "Q0002");
    EXPECT_EQ(rectOf(f->LblXXK(0)), (R{3000, 4500, 1095, 285}));
    build(f, 2);
    EXPECT_EQ(f->BackEntry, "NONO");
}

TEST_F(DemoStep, DragSourceAndItsFrame) {
    FrmYanShi *f = openOn({
        StepBuilder().action("0040").target(1000, 2000, 500, 300).source(500, 600, 700, 800),
        clickStep(),
    });
    EXPECT_TRUE(f->Label4->visible());
    EXPECT_EQ(rectOf(f->Label4), (R{500, 600, 700, 800}));
    EXPECT_EQ(rectOf(f->Shape4), (R{500, 600, 700, 800}));
    f->Shape4->setLeft(-100); // the stage marker of the step
    build(f, 2);
    EXPECT_EQ(rectOf(f->Label4), (R{-1, 600, 1, 1}));
    EXPECT_EQ(rectOf(f->Shape4), (R{-1, 600, 1, 1}));
}

TEST_F(DemoStep, PictureDragShrinksTargetAndSourceToPoints) {
    FrmYanShi *f = openOn({StepBuilder()
                               .action("8003")
                               .target(1000, 2000, 500, 300)
                               .source(500, 600, 700, 800)
                               .dragTarget(4000, 5000)});
    EXPECT_EQ(rectOf(f->Label1), (R{1000, 2000, 1, 1}));
    EXPECT_EQ(rectOf(f->Label4), (R{500, 600, 1, 1}));
    EXPECT_FALSE(f->Shape1->visible());
    EXPECT_EQ(rectOf(f->Shape4), (R{500, 600, 700, 800}));
    EXPECT_EQ(f->DragTargetX, 4000);
    EXPECT_EQ(f->DragTargetY, 5000);
    EXPECT_FALSE(f->Timer3->enabled());
    EXPECT_EQ(f->ActionValue, 8003);
}

TEST_F(DemoStep, LastStepShowsSuccessAndStartsTheClosing) {
    FrmYanShi *f = openOn({
        clickStep().windowKind('P'),
        StepBuilder().action("9999").target(1000, 2000, 500, 300).menuBar('A').paneFlags(3),
    });
    EXPECT_FALSE(f->TimEnd->enabled());
    build(f, 2);
    EXPECT_EQ(f->LHelp->caption(), "操作成功！");
    EXPECT_FALSE(f->Shape1->visible());
    EXPECT_TRUE(f->TimEnd->enabled());
    // No region is built: those the reset hid stay hidden, and the
    // Computer window keeps the visibility of the step before.
    EXPECT_FALSE(f->PicMenu->visible());
    EXPECT_FALSE(f->PicTool->visible());
    EXPECT_TRUE(f->PicMyPc->visible());
}

TEST_F(DemoStep, TextPromptsByActionCode) {
    useAnswers({"abc|ABC"});
    struct Case {
        const char *code;
        QString prompt;
        bool frame;
    };
    const Case cases[] = {
        {"0020", "输入 abc或  ABC", false},
        {"0021", "输入 abc或  ABC", false},
        {"0027", "输入 abc或  ABC", false},
        {"0022", "输入 abc或  ABC 并按回车键或点红色方框处", true},
        {"0023", "请选中 abc或  ABC", false},
        {"0024", "输入 abc或  ABC 并按回车键", false},
        {"0025", "abc或  ABC", false},
        {"0026", "输入 abc或  ABC 并点击红色方框处", true},
        {"0028", "在单元格或编辑栏中输入 abc或  ABC 并按回车键或点编辑区或点“√”", true},
        {"0001", "abc\r\nABC", true},
    };
    QStringList records;
    for (const Case &c : cases) {
        records << StepBuilder()
                       .action(QString::fromLatin1(c.code))
                       .target(1000, 2000, 500, 300)
                       .textBox(1200, 2400, 3000, 300)
                       .hint(600, 300, 1);
    }
    FrmYanShi *f = openOn(records);
    for (int i = 0; i < int(std::size(cases)); ++i) {
        const Case &c = cases[i];
        build(f, i + 1);
        EXPECT_EQ(f->LHelp->caption(), c.prompt) << c.code;
        EXPECT_EQ(f->Shape1->visible(), c.frame) << c.code;
        const bool second = QLatin1String(c.code) == QLatin1String("0021");
        EXPECT_EQ(f->Text2->visible(), second) << c.code;
        EXPECT_EQ(f->Text1->visible(), !second) << c.code;
        const bool bar = QLatin1String(c.code) == QLatin1String("0028");
        EXPECT_EQ(f->Text4->visible(), bar) << c.code;
        if (bar) {
            EXPECT_EQ(rectOf(f->Text4), (R{2880, 1560, 8865, 225}));
            EXPECT_DOUBLE_EQ(f->Text4->font().size, 11);
        }
        if (second) {
            EXPECT_EQ(rectOf(f->Text2), (R{1200, 2400, 3000, 300}));
        }
    }
}

TEST_F(DemoStep, TargetPointerFromTheCursorCode) {
    FrmYanShi *f = openOn({
        clickStep().cursor('S', 11),
        clickStep().cursor('M', 15),
        clickStep().cursor('M', 42),
        clickStep().cursor('X', 11),
    });
    EXPECT_EQ(f->Label1->mousePointer(), 11);
    build(f, 2);
    EXPECT_EQ(f->Label1->mousePointer(), forms::vbCustom);
    EXPECT_EQ(f->Label1->mouseIcon(), forms::loadPicture(dir().root + "ico15.CUR"));
    build(f, 3); // no such cursor file: custom, the old picture stays
    EXPECT_EQ(f->Label1->mousePointer(), forms::vbCustom);
    build(f, 4);
    EXPECT_EQ(f->Label1->mousePointer(), forms::vbDefault);
}

TEST_F(DemoStep, RegionsOfAWindowWithItsBar) {
    FrmYanShi *f = openOn({
        clickStep().menuBar('A').paneFlags(3).windowKind('P'),
        clickStep().menuBar('G').paneFlags(6).viewVariant('W').barPosition(1200, 480),
        clickStep().menuBar('O').paneFlags(1),
        clickStep().noBars(),
        clickStep().menuBar('M').paneFlags(3),
    });
    EXPECT_TRUE(f->PicMenu->visible());
    EXPECT_EQ(f->PicMenu->picture(), shellFile("A00000"));
    EXPECT_EQ(f->PicMenu->left(), 0);
    EXPECT_EQ(f->PicMenu->top(), 840);
    EXPECT_EQ(rectOf(f->LblZHU(1)), (R{45, 900, 1020, 375}));
    EXPECT_EQ(rectOf(f->LblZHU(2)), (R{1065, 900, 1170, 375}));
    EXPECT_TRUE(f->PicTool->visible());
    EXPECT_EQ(f->PicTool->picture(), shellFile("1100W1"));
    EXPECT_TRUE(f->PicHui->visible());
    EXPECT_EQ(f->PicHui->picture(), shellFile("41A001"));
    EXPECT_EQ(rectOf(f->LblZHU(26)), (R{15, 1470, 2085, 345}));
    EXPECT_EQ(rectOf(f->LblZHU(24)), (R{15, 600, 2085, 345}));
    EXPECT_TRUE(f->PicMyPc->visible());

    build(f, 2);
    EXPECT_EQ(f->PicMenu->picture(), shellFile("G00000"));
    EXPECT_EQ(f->PicMenu->left(), 1200);
    EXPECT_EQ(f->PicMenu->top(), 480);
    EXPECT_EQ(rectOf(f->LblZHU(1)), (R{1215, 495, 780, 270}));
    EXPECT_FALSE(f->PicTool->visible()); // flags 6: pane only
    EXPECT_EQ(f->PicTool->picture(), shellFile("1100W2"));
    EXPECT_EQ(f->PicHui->picture(), shellFile("41A003"));
    EXPECT_EQ(rectOf(f->LblZHU(27)), (R{15, 1335, 2085, 345}));
    EXPECT_FALSE(f->PicMyPc->visible());

    build(f, 3);
    EXPECT_FALSE(f->PicMenu->visible());
    EXPECT_TRUE(f->PicTool->visible());
    EXPECT_FALSE(f->PicHui->visible());
    // The bar's spots keep the last layout.
    EXPECT_EQ(rectOf(f->LblZHU(1)), (R{1215, 495, 780, 270}));

    for (int step : {4, 5}) {
        build(f, step);
        EXPECT_FALSE(f->PicMenu->visible()) << step;
        EXPECT_FALSE(f->PicTool->visible()) << step;
        EXPECT_FALSE(f->PicHui->visible()) << step;
    }
}

TEST_F(DemoStep, ControlPanelSpotsStandWhereTheScreenHasItsWindow) {
    FrmYanShi *f = openOn({
        clickStep().windowKind('N').viewVariant('0'),
        clickStep().windowKind('N').viewVariant('1'),
        clickStep().windowKind('N').viewVariant('5'),
    });
    EXPECT_EQ(rectOf(f->LblZHU(41)), (R{2400, 1905, 5250, 1290}));
    EXPECT_EQ(rectOf(f->LblZHU(49)), (R{-375, -1095, 15, 330}));
    build(f, 2);
    EXPECT_EQ(rectOf(f->LblZHU(41)), (R{360, 1035, 1230, 300}));
    EXPECT_EQ(rectOf(f->LblZHU(51)), (R{3225, 1125, 11985, 720}));
    EXPECT_EQ(rectOf(f->LblZHU(49)), (R{-30, 810, 15, 15}));
    build(f, 3);
    for (int i = 41; i <= 60; ++i) EXPECT_EQ(rectOf(f->LblZHU(i)), (R{-30, 810, 15, 15})) << i;
}

TEST_F(DemoStep, HotSpotStepTakesItsClickApart) {
    const QString second = StepBuilder::entry(u'D', "45", 3, 4, 5, u'C');
    FrmYanShi *f = openOn({
        StepBuilder().action("7000").hit(1, hit("A3", 2, 7, 0, u'B')),
        StepBuilder().action("7771").hit(2, second),
        StepBuilder().action("7000").windowKind('P').viewVariant('W').hit(1, hit("S1", 12, 0, 0)),
        StepBuilder().action("0001").hit(1, hit("A3", 2)),
        StepBuilder().action("7000").hit(1, hit("61")).put(128, "AB").put(132, "-1"),
    });
    EXPECT_EQ(f->HitCode, "A3");
    EXPECT_EQ(f->Target1J, 2);
    EXPECT_EQ(f->Target2J, 7);
    EXPECT_EQ(f->Target3J, 0);
    EXPECT_EQ(f->TargetBranch, "B");

    build(f, 2);
    EXPECT_EQ(f->HitCode, "45");
    EXPECT_EQ(f->Target1J, 3);
    EXPECT_EQ(f->Target2J, 4);
    EXPECT_EQ(f->Target3J, 5);
    EXPECT_EQ(f->TargetBranch, "C");

    // A panel that opens at the target: the code goes into columns 4-5,
    // and the closing Control Panel layout reads its digit as the view.
    build(f, 3);
    EXPECT_EQ(f->HitCode, "S1");
    EXPECT_EQ(f->Target1J, 12);
    EXPECT_EQ(S().CurRecord.mid(3, 2), "S1");
    EXPECT_EQ(S().CurRecord.size(), StepBuilder::kColumns);
    EXPECT_EQ(rectOf(f->LblZHU(51)), (R{3225, 1125, 11985, 720}));
    // The regions were built from the record before the rewrite.
    EXPECT_TRUE(f->PicMyPc->visible());

    build(f, 4);
    EXPECT_EQ(f->HitCode, "0");
    EXPECT_EQ(f->Target1J, 0);
    EXPECT_EQ(f->TargetBranch, "0");

    build(f, 5);
    EXPECT_EQ(f->Target1J, 0);
    EXPECT_EQ(f->Target3J, -1);
}

TEST_F(DemoStep, UnreadableStepFileEndsTheDemonstration) {
    useSteps({clickStep()});
    S().PaperIndex = 18 - S().PaperMode; // a slot without files
    S().CurRecord = QStringLiteral("the simulated screen's record");
    FrmYanShi *f = open();
    EXPECT_TRUE(f->TimEnd->enabled());
    EXPECT_EQ(S().CurRecord, "the simulated screen's record");
}

TEST_F(DemoStep, AStepBeyondTheFileReadsItsLastLine) {
    FrmYanShi *f = openOn({clickStep(), StepBuilder().action("0001").target(70, 80, 90, 100)});
    build(f, 7);
    EXPECT_EQ(rectOf(f->Label1), (R{70, 80, 90, 100}));
}

} // namespace
