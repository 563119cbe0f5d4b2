// The list tabs through the real event path: each set started from its
// tab's buttons to the exact shared state and exercise files, the random
// paper drawn and deleted to the exact bytes of its records, the review
// tabs counted, practised by each filter and cleared.
#include "home_fixture.h"
#include "panel/frm_logon.h"
#include "panel/frm_tm.h"
#include "platform/text.h"
#include "startup/frm_qhmsgbox.h"

#include <gtest/gtest.h>

using startup::state;

namespace {

namespace ft = forms::testing;

constexpr int kUnits = 12;

// Question k of unit u: one step, named by its code.
QString code(int u, int k) {
    return startup::twoDigits(u) + startup::twoDigits(k);
}
QString questionLine(int u, int k) {
    return QStringLiteral("Q%1").arg(code(u, k)).left(4) + QStringLiteral("01题") + code(u, k);
}

// Paper p: forty codes of the twelve units of four questions.
QString paperList(int p) {
    QString list;
    for (int i = 0; i < 40; ++i) list += code((i + p) % kUnits, i / kUnits + 1);
    return list;
}

class HomeTabs : public hometest::HomeFixture {
protected:
    // Twelve units of four one-step questions; two whole papers and a third
    // whose line is short.
    HomeTabs() {
        for (int u = 0; u < kUnits; ++u) {
            QStringList questions, steps;
            for (int k = 1; k <= 4; ++k) {
                questions << questionLine(u, k);
                steps << QStringLiteral("step ") + code(u, k);
            }
            bank(QStringLiteral("2888%1").arg(70 + u), questions);
            bank(QStringLiteral("2888%1").arg(20 + u), steps);
        }
        bank(QStringLiteral("288891"), {"03" + QStringLiteral("12"), QString("04").repeated(kUnits),
                                        paperList(0), paperList(1), paperList(2).left(156)});
    }
    void bank(const QString &name, const QStringList &lines) {
        ASSERT_TRUE(testsupport::writeBytes(dir().bankFile(name), testsupport::gbkLines(lines)));
    }
    QByteArray ksdata(const QString &name) const {
        return testsupport::readBytes(dir().ksdata() + name + QStringLiteral(".mxy"));
    }
    QByteArray bankBytes(const QString &name) const {
        return testsupport::readBytes(dir().bankFile(name));
    }
    // The exercise question list of slot 19 for a list of codes.
    static QByteArray questionsOf(const QString &codes) {
        QStringList lines;
        for (int i = 0; i < codes.size(); i += 4)
            lines << questionLine(codes.mid(i, 2).toInt(), codes.mid(i + 2, 2).toInt());
        return testsupport::gbkLines(lines);
    }
    // Answers every message box with its button `button` (1 confirms) and
    // keeps what it said.
    void answerBoxes(int button) {
        ft::setModalHook([this, button](forms::Form &form) {
            auto &box = static_cast<FrmQHMSGBOX &>(form);
            boxTitle = box.LblTitle->caption();
            boxPrompt = box.LblPrompt->caption();
            ft::click(box.LblClick(button), 100, 100);
        });
    }
    static void clickLabel(forms::Label *l) { ft::click(l, 30, 30); }
    // The favourites and wrong-question tabs are reached from the top bar
    // (the sample's cover has tiles for units and papers only).
    static void openTab(FrmFengmian *f, int topBarButton) {
        clickButton(f, 4);
        if (topBarButton != 16) clickButton(f, topBarButton);
    }
    QString boxTitle, boxPrompt;
};

// ---------------------------------------------------------------- units

TEST_F(HomeTabs, UnitsTabOpensOnTheFirstUnitLeftToLearnAndShowsItsCounts) {
    // Unit 0 is learned but for one question of four (a quarter), so the
    // tab opens on it; unit 1 is all learned.
    ASSERT_TRUE(writeKsdata(QStringLiteral("288893"), {"TTTF", "TTTT"}));
    FrmFengmian *f = home();
    EXPECT_TRUE(state().LastErrorProc.isEmpty()) << state().LastErrorProc.toStdString();
    // The page build leaves the all-units view.
    EXPECT_EQ(f->SelectedUnit, -1);
    EXPECT_EQ(f->LblUnitDQCAP(1)->caption(), QStringLiteral("所有题库中题目"));
    EXPECT_EQ(f->LblUnitDQCAP(2)->caption(), QStringLiteral("48题"));
    EXPECT_EQ(f->LblUnitDQCAP(3)->caption(), QStringLiteral("7题"));
    EXPECT_EQ(f->ClickBotn(48)->Caption(), QStringLiteral("11-12单元"));

    clickButton(f, 4);
    EXPECT_TRUE(f->PicTiKu->visible());
    EXPECT_EQ(f->SelectedUnit, 0);
    EXPECT_FALSE(f->ClickBotn(50)->Enabled());
    EXPECT_TRUE(f->ClickBotn(50)->Caption().startsWith(QStringLiteral("1.") +
                                                       state().UnitTable[0][1].left(8)));
    EXPECT_EQ(home::gbkColumns(f->ClickBotn(50)->Caption()), 25);
    EXPECT_EQ(f->LblUnitDQCAP(2)->caption(), QStringLiteral("4题"));
    EXPECT_EQ(f->LblUnitDQCAP(3)->caption(), QStringLiteral("3题"));
    EXPECT_EQ(f->LblUnitDQCAP(4)->caption(), QStringLiteral("1题"));
    EXPECT_DOUBLE_EQ(f->ImgUnitD->height(), 2677.5);
    EXPECT_DOUBLE_EQ(f->ImgUnitC->top(), 5550 - 892.5);
    EXPECT_DOUBLE_EQ(f->LblUnitDQCAP(4)->top(), 5550 - 892.5 - 240);
    for (int u = 10; u < 12; ++u) EXPECT_FALSE(f->ClickBotn(50 + u)->visible()) << u;

    // Page 2 selects the unit numbered 11 and shows only the bank's units.
    clickButton(f, 48);
    EXPECT_EQ(f->SelectedUnit, 10);
    EXPECT_TRUE(f->ClickBotn(61)->isShown());
    EXPECT_FALSE(f->ClickBotn(62)->visible());
    EXPECT_FALSE(f->ClickBotn(55)->visible());
    EXPECT_EQ(f->LblUnitDQCAP(1)->caption(),
              QStringLiteral("第11单元 ") + state().UnitTable[10][1]);
}

TEST_F(HomeTabs, UnitStartsByFilter) {
    ASSERT_TRUE(writeKsdata(QStringLiteral("288893"), {"", "", "TFTT"}));
    FrmFengmian *f = home();
    clickButton(f, 4);
    clickButton(f, 52);
    clickButton(f, 38); // learned
    EXPECT_EQ(f->ChapterFilter, 1);
    clickButton(f, 20);
    const startup::RunState &s = state();
    ASSERT_EQ(forms::loadedForm<FrmFengmian>(), nullptr);
    EXPECT_EQ(s.PaperMode, startup::UnitLearned);
    EXPECT_EQ(s.PaperIndex, 14);
    EXPECT_EQ(s.PaperSlot, 2);
    EXPECT_EQ(s.QuestionCount, 3);
    EXPECT_EQ(bankBytes(QStringLiteral("288869")), questionsOf("020102030204"));
    EXPECT_EQ(bankBytes(QStringLiteral("288819")),
              testsupport::gbkLines({"step 0201", "step 0203", "step 0204"}));
    for (int q = 0; q < 3; ++q) {
        EXPECT_EQ(s.QuestionDone[q], QStringLiteral("T"));
        EXPECT_EQ(s.QuestionStatus[q] & startup::StatusDone, startup::StatusDone);
    }

    f = home();
    clickButton(f, 4);
    clickButton(f, 52);
    clickButton(f, 39); // not learned
    clickButton(f, 20);
    EXPECT_EQ(s.PaperMode, startup::UnitUnlearned);
    EXPECT_EQ(s.PaperIndex, 13);
    EXPECT_EQ(s.QuestionCount, 1);
    EXPECT_EQ(bankBytes(QStringLiteral("288869")), questionsOf("0202"));
    EXPECT_EQ(s.QuestionDone[0], QStringLiteral("F"));

    f = home();
    clickButton(f, 4);
    clickButton(f, 52);
    clickButton(f, 20); // whole unit: its own pair
    EXPECT_EQ(s.PaperMode, startup::UnitAll);
    EXPECT_EQ(s.PaperIndex, 2);
    EXPECT_EQ(s.QuestionCount, 4);
    EXPECT_TRUE(s.StepFilePath.endsWith(QStringLiteral("/288822.mxy")));
    const QString done[] = {"T", "F", "T", "T"};
    for (int q = 0; q < 4; ++q) {
        EXPECT_EQ(s.QuestionDone[q], done[q]) << q;
        EXPECT_EQ(s.QuestionCodes[q], 201 + q);
    }
}

TEST_F(HomeTabs, UnitStartsThatAreRefused) {
    ASSERT_TRUE(writeKsdata(QStringLiteral("288893"), {"TTTT"}));
    answerBoxes(1);
    FrmFengmian *f = home();
    clickButton(f, 4); // opens on unit 1 (unit 0 is learned)
    clickButton(f, 49);
    clickButton(f, 20);
    EXPECT_EQ(boxTitle, QStringLiteral("单元练习"));
    EXPECT_EQ(boxPrompt, QStringLiteral("\r\n本模块共有12单元\r\n\r\n"
                                        "请先点击左边单元名称选择您要学习的单元，再点开始学习！"));
    clickButton(f, 50);
    clickButton(f, 39);
    clickButton(f, 20);
    EXPECT_EQ(boxTitle, QStringLiteral("章节练习"));
    EXPECT_EQ(boxPrompt, QStringLiteral("\r\n\r\n\r\n您本部分没有未学题！"));
    clickButton(f, 51);
    clickButton(f, 38);
    clickButton(f, 20);
    EXPECT_EQ(boxPrompt, QStringLiteral("\r\n\r\n\r\n您本部分没有已学题！"));
    EXPECT_NE(forms::loadedForm<FrmFengmian>(), nullptr);
    EXPECT_EQ(bankBytes(QStringLiteral("288869")), QByteArray());
}

// A count line that gives no unit a count would cut every line to nothing.
TEST_F(HomeTabs, ProgressIsKeptWhenTheIndexHasNoCountLine) {
    ASSERT_TRUE(writeKsdata(QStringLiteral("288893"), {"TTTT", "TF"}));
    const QStringList withoutCounts = {"  ", "\t", "ab", "a1", "0000"};
    std::vector<QStringList> indexes = {{"0312"}};
    for (const QString &line : withoutCounts) indexes.push_back({"0312", line, paperList(0)});
    for (const QStringList &index : indexes) {
        bank(QStringLiteral("288891"), index);
        home();
        EXPECT_EQ(ksdata(QStringLiteral("288893")), QByteArray("TTTT\r\nTF\r\n"))
            << '"' << index.value(1).toStdString() << '"';
        forms::unloadForm<FrmFengmian>();
    }
    // A count for the second unit alone is a count: the file takes its shape.
    bank(QStringLiteral("288891"), {"0312", "0003", paperList(0)});
    home();
    EXPECT_EQ(ksdata(QStringLiteral("288893")),
              testsupport::gbkLines(QStringList({"", "TFF"}) + QStringList(23, QString()) +
                                    QStringList{""}));
}

TEST_F(HomeTabs, ABankOfMoreUnitsThanRowsIsSaidOnceAndListsTwenty) {
    bank(QStringLiteral("288891"), {"0025", QString("04").repeated(25)});
    FrmFengmian *f = home();
    EXPECT_EQ(state().LastErrorProc, QStringLiteral("fengmaincsh"));
    EXPECT_EQ(state().UnitCount, 25); // kept as read, for the panel's finish
    EXPECT_TRUE(state().UnitTable[20][2].isEmpty());
    clickButton(f, 4);
    clickButton(f, 48);
    EXPECT_TRUE(f->ClickBotn(69)->isShown());
    EXPECT_EQ(f->LblUnitDQCAP(1)->caption().left(5), QStringLiteral("第11单元"));
}

TEST_F(HomeTabs, ABankWithoutUnitsOrPapers) {
    bank(QStringLiteral("288891"), {"0000", ""});
    answerBoxes(1);
    FrmFengmian *f = home();
    clickButton(f, 4);
    EXPECT_EQ(f->SelectedUnit, -1);
    EXPECT_FALSE(f->ClickBotn(49)->Enabled());
    EXPECT_FALSE(f->ClickBotn(50)->visible());
    EXPECT_EQ(f->LblUnitDQCAP(2)->caption(), QStringLiteral("0题"));
    clickButton(f, 20);
    EXPECT_EQ(boxPrompt, QStringLiteral("\r\n本模块共有0单元\r\n\r\n"
                                        "请先点击左边单元名称选择您要学习的单元，再点开始学习！"));
    // The sprint page shows its eight rows; their papers are not in the bank.
    clickButton(f, 17);
    ASSERT_TRUE(f->ClickBotn(77)->isShown());
    clickButton(f, 70);
    EXPECT_EQ(boxTitle, QStringLiteral("无法开始考试"));
    EXPECT_NE(forms::loadedForm<FrmFengmian>(), nullptr);
    clickButton(f, 30);
    clickButton(f, 21);
    EXPECT_EQ(boxTitle, QStringLiteral("随机组卷"));
    EXPECT_NE(forms::loadedForm<FrmFengmian>(), nullptr);
}

TEST_F(HomeTabs, AnEmptyUnitIsRefused) {
    bank(QStringLiteral("288891"), {"0002", "0004"});
    answerBoxes(1);
    FrmFengmian *f = home();
    clickButton(f, 4);
    EXPECT_EQ(f->SelectedUnit, 0); // a unit of 0 questions counts unlearned
    clickButton(f, 20);
    EXPECT_EQ(boxTitle, QStringLiteral("章节练习"));
    EXPECT_NE(forms::loadedForm<FrmFengmian>(), nullptr);
    EXPECT_EQ(forms::loadedForm<FrmTm>(), nullptr);
}

// ---------------------------------------------------------------- papers

TEST_F(HomeTabs, PaperRowsShowTheHistoryAndOpenOnSprintOrMock) {
    QStringList history;
    for (int slot = 0; slot < 30; ++slot)
        history << panel::PaperHistoryTable::kNoExamYet << "0"
                << "E";
    history[3] = "2015-03-01 10:20:30";
    history[4] = "97.5";
    ASSERT_TRUE(writeKsdata(QStringLiteral("288892"), history));
    ASSERT_TRUE(writeKsdata(QStringLiteral("182401"), {"  000100020003  "}));
    FrmFengmian *f = home();
    clickButton(f, 5);
    // Three papers: rows 0..7 are sprint rows, and row 1 has 75 or more,
    // but rows 2..7 have 0: the sprint page.
    EXPECT_FALSE(f->ClickBotn(28)->Enabled());
    EXPECT_TRUE(f->ImgShiJuan(7)->visible());
    EXPECT_FALSE(f->ImgShiJuan(8)->visible());
    EXPECT_EQ(f->LblShiJuanBiao(1)->caption(), QStringLiteral("冲刺试卷二"));
    EXPECT_EQ(f->LblShiJuanTime(1)->caption(), QStringLiteral("最后考试时间：2015-03-01 10:20"));
    EXPECT_EQ(f->LblShiJuanScore(1)->caption(), QStringLiteral("97.5"));
    EXPECT_EQ(f->LblShiJuanCuoTi(1)->caption(), QStringLiteral("(3)"));
    EXPECT_EQ(f->LblShiJuanCuoTi(2)->caption(), QStringLiteral("(0)"));
    EXPECT_TRUE(f->LblShiJuanDel(1)->caption().isEmpty());

    clickButton(f, 31);
    EXPECT_TRUE(f->LblNoHis->visible());
    EXPECT_FALSE(f->ImgShiJuan(0)->visible());
    clickButton(f, 30);
    EXPECT_TRUE(f->ImgSuiJi->visible());
    EXPECT_TRUE(f->ClickBotn(21)->isShown());
    clickButton(f, 29);
    EXPECT_FALSE(f->ClickBotn(21)->visible());
    EXPECT_FALSE(f->ImgShiJuan(8)->visible()); // no mock paper in a bank of three
}

TEST_F(HomeTabs, PaperStartsThroughTheLoginAndAShortLineIsRefused) {
    answerBoxes(1);
    FrmFengmian *f = home();
    clickButton(f, 5);
    clickButton(f, 72); // paper 2's line is 156 characters
    EXPECT_EQ(boxTitle, QStringLiteral("无法开始考试"));
    EXPECT_NE(forms::loadedForm<FrmFengmian>(), nullptr);
    EXPECT_EQ(bankBytes(QStringLiteral("288802")), QByteArray());

    state().QuestionStatus[0] = startup::StatusDone; // left over from a set before
    clickButton(f, 71);
    const startup::RunState &s = state();
    ASSERT_NE(forms::loadedForm<FrmLogon>(), nullptr);
    EXPECT_EQ(s.PaperMode, startup::MockPaper);
    EXPECT_EQ(s.PaperSlot, 1);
    EXPECT_EQ(s.PaperIndex, 1);
    EXPECT_EQ(bankBytes(QStringLiteral("288851")), questionsOf(paperList(1)));
    for (int q = 0; q < 40; ++q) {
        EXPECT_EQ(s.QuestionDone[q], QStringLiteral("F")) << q;
        EXPECT_EQ(s.QuestionStatus[q] & startup::StatusDone, 0) << q;
    }
}

TEST_F(HomeTabs, APapersWrongAnswersArePractised) {
    answerBoxes(1);
    FrmFengmian *f = home();
    clickButton(f, 5);
    clickLabel(f->LblShiJuanCCC(0));
    EXPECT_EQ(boxTitle, QStringLiteral("没有生成错题"));
    EXPECT_EQ(boxPrompt,
              QStringLiteral("\r\n\r\n\r\n你可能是还没有做本套试题，或者上次得分为0。\r\n"
                             "请点“开始考试”做本套试题。"));
    ASSERT_TRUE(writeKsdata(QStringLiteral("182400"), {"010203040101"}));
    clickLabel(f->LblShiJuanCCC(0));
    const startup::RunState &s = state();
    ASSERT_EQ(forms::loadedForm<FrmFengmian>(), nullptr);
    EXPECT_NE(forms::loadedForm<FrmTm>(), nullptr);
    EXPECT_EQ(s.PaperMode, startup::PaperWrongReview);
    EXPECT_EQ(s.PaperIndex, 17);
    EXPECT_EQ(s.PaperSlot, 0);
    EXPECT_EQ(s.QuestionCount, 3);
    EXPECT_EQ(bankBytes(QStringLiteral("288869")), questionsOf("010203040101"));
}

// ---------------------------------------------------------------- random papers

TEST_F(HomeTabs, RandomPaperDrawnThenDeletedToTheExactRecords) {
    // Two random papers drawn before, with their history and wrong lists.
    const QString older1 = paperList(3), older2 = paperList(4);
    ASSERT_TRUE(writeKsdata(QStringLiteral("288891"), {older1, older2}));
    QStringList history;
    for (int slot = 0; slot < 31; ++slot)
        history << panel::PaperHistoryTable::kNoExamYet << "0"
                << "E";
    history[0] = "fixed paper 0";
    history[60] = "2015-03-01 08:00:00";
    history[61] = "85";
    history[63] = "2015-02-01 08:00:00";
    history[64] = "60";
    ASSERT_TRUE(writeKsdata(QStringLiteral("288892"), history));
    ASSERT_TRUE(writeKsdata(QStringLiteral("182420"), {"0101"}));
    // Slot 21 has no wrong list: its copy must not leave slot 22's behind.
    removeKsdata(QStringLiteral("182421"));
    ASSERT_TRUE(writeKsdata(QStringLiteral("182422"), {"stale"}));

    // Pairs of numbers that name the units 0..11 and numbers 1..4 in turn;
    // the third pair repeats the first and is drawn again.
    std::vector<double> values;
    QString drawn;
    for (int i = 0; i < 40; ++i) {
        const int u = i % kUnits, k = i / kUnits + 1;
        values.push_back(u / 1000.0 + 1e-7);
        values.push_back((k - 1) / 1000.0 + 1e-7);
        drawn += code(u, k);
        if (i == 1) values.insert(values.end(), {1e-7, 1e-7});
    }
    FrmFengmian *f = home();
    f->randomSource = [values, n = size_t(0)]() mutable { return values[n++ % values.size()]; };
    clickButton(f, 5);
    clickButton(f, 30);
    clickButton(f, 21);
    ASSERT_EQ(forms::loadedForm<FrmFengmian>(), nullptr);
    ASSERT_NE(forms::loadedForm<FrmLogon>(), nullptr);
    const startup::RunState &s = state();
    EXPECT_EQ(s.PaperMode, startup::RandomPaper);
    EXPECT_EQ(s.PaperSlot, 20);
    EXPECT_EQ(s.QuestionCount, 40);
    EXPECT_EQ(bankBytes(QStringLiteral("288869")), questionsOf(drawn));
    EXPECT_EQ(ksdata(QStringLiteral("288891")),
              testsupport::gbkLines({drawn, older1, older2, "", "", "", "", "", "", ""}));
    QStringList expected = history.mid(0, 60);
    expected << "2015-03-07 09:05:02"
             << "0"
             << "E";
    expected << history.mid(60, 6);
    while (expected.size() < 90)
        expected << panel::PaperHistoryTable::kNoExamYet << "0"
                 << "E";
    expected << QString();
    EXPECT_EQ(ksdata(QStringLiteral("288892")), testsupport::gbkLines(expected));
    EXPECT_EQ(ksdata(QStringLiteral("182420")), QByteArray("\r\n"));
    EXPECT_EQ(ksdata(QStringLiteral("182421")), QByteArray("0101\r\n"));
    EXPECT_EQ(ksdata(QStringLiteral("182422")), QByteArray("\r\n"));

    // Delete the newest (slot 20): the older two move back down.
    forms::unloadForm<FrmLogon>();
    f = home();
    EXPECT_EQ(f->RandomPaperCount, 3);
    clickButton(f, 5);
    clickButton(f, 31);
    answerBoxes(0); // declined: nothing changes
    clickLabel(f->LblShiJuanDel(20));
    EXPECT_EQ(boxPrompt, QStringLiteral("\r\n\r\n\r\n您确实要删除本套随机试题吗？"));
    EXPECT_EQ(ksdata(QStringLiteral("182421")), QByteArray("0101\r\n"));
    answerBoxes(1);
    clickLabel(f->LblShiJuanDel(20));
    EXPECT_EQ(ksdata(QStringLiteral("288891")), testsupport::gbkLines({older1, older2, ""}));
    EXPECT_EQ(ksdata(QStringLiteral("182420")), QByteArray("0101\r\n"));
    EXPECT_EQ(ksdata(QStringLiteral("182421")), QByteArray("\r\n"));
    EXPECT_EQ(ksdata(QStringLiteral("182422")), QByteArray("\r\n")); // the last stays
    QStringList afterDelete = history.mid(0, 60);
    afterDelete << history.mid(60, 6) << history.mid(63, 3);
    while (afterDelete.size() < 90)
        afterDelete << panel::PaperHistoryTable::kNoExamYet << "0"
                    << "E";
    afterDelete << QString();
    EXPECT_EQ(ksdata(QStringLiteral("288892")), testsupport::gbkLines(afterDelete));
    // The page is built again on the open tab.
    EXPECT_EQ(f->RandomPaperCount, 2);
    EXPECT_TRUE(f->PicKaCH->visible());
    EXPECT_EQ(f->LblShiJuanScore(20)->caption(), QStringLiteral("85"));
}

TEST_F(HomeTabs, ARandomPaperFileOfFifteenLinesKeepsTen) {
    QStringList lines;
    for (int i = 0; i < 15; ++i) lines << paperList(i);
    ASSERT_TRUE(writeKsdata(QStringLiteral("288891"), lines));
    FrmFengmian *f = home();
    EXPECT_EQ(f->RandomPaperCount, 10);
    clickButton(f, 5);
    clickButton(f, 30);
    clickButton(f, 21);
    const QStringList written =
        platform::readLines(dir().ksdata() + QStringLiteral("288891.mxy")).value_or(QStringList());
    ASSERT_EQ(written.size(), 10);
    EXPECT_EQ(written.mid(1), lines.mid(0, 9));
}

TEST_F(HomeTabs, ARandomPaperNeedsFortyQuestions) {
    bank(QStringLiteral("288891"), {"0003", "151410"});
    answerBoxes(1);
    FrmFengmian *f = home();
    clickButton(f, 5);
    clickButton(f, 30);
    clickButton(f, 21);
    EXPECT_EQ(boxTitle, QStringLiteral("随机组卷"));
    EXPECT_NE(forms::loadedForm<FrmFengmian>(), nullptr);
    EXPECT_FALSE(QFile::exists(dir().ksdata() + QStringLiteral("288891.mxy")));
}

// ---------------------------------------------------------------- favourites and wrong book

TEST_F(HomeTabs, ReviewTabsCountPractiseByFilterAndClear) {
    const struct {
        bool wrongBook;
        QString list, flags;
        int open, start, clear;
        std::array<int, 2> boxes;
        std::array<int, 3> modes; // filters 1, 2, 3
        QString clearPrompt1;
    } tabs[] = {
        {false,
         "288862",
         "288872",
         18,
         22,
         23,
         {40, 41},
         {10, 11, 9},
         QStringLiteral("您确实要清除未复习的收藏题目吗？")},
        {true,
         "288863",
         "288873",
         19,
         24,
         25,
         {42, 43},
         {13, 14, 12},
         QStringLiteral("您确实要清除未学习的我的错题题目吗？")},
    };
    for (const auto &t : tabs) {
        SCOPED_TRACE(t.wrongBook ? "wrong book" : "favourites");
        ASSERT_TRUE(writeKsdata(t.list, {"0101020203030404"}));
        ASSERT_TRUE(writeKsdata(t.flags, {"TFFT"}));
        const QString other = t.wrongBook ? "288862" : "288863";
        removeKsdata(other);
        FrmFengmian *f = home();
        openTab(f, t.open);
        // The count labels of the form loaded last.
        const auto open = [&] { return t.wrongBook ? f->LblCuoTiWei : f->LblBiaoZhiWei; };
        const auto reviewed = [&] { return t.wrongBook ? f->LblCuoTiYI : f->LblBiaoZhiYI; };
        EXPECT_EQ(open()->caption(), "2");
        EXPECT_EQ(reviewed()->caption(), "2");

        // Filter 1 (the page build's): entries 2 and 3.
        clickButton(f, t.start);
        const startup::RunState &s = state();
        ASSERT_EQ(forms::loadedForm<FrmFengmian>(), nullptr);
        EXPECT_EQ(s.PaperMode, t.modes[0]);
        EXPECT_EQ(s.PaperMode + s.PaperIndex, 19);
        EXPECT_EQ(s.QuestionCount, 2);
        EXPECT_EQ(bankBytes(QStringLiteral("288869")), questionsOf("02020303"));

        // Filter 2: untick the first box, tick the second.
        f = home();
        openTab(f, t.open);
        clickButton(f, t.boxes[0]);
        clickButton(f, t.boxes[1]);
        clickButton(f, t.start);
        EXPECT_EQ(s.PaperMode, t.modes[1]);
        EXPECT_EQ(bankBytes(QStringLiteral("288869")), questionsOf("01010404"));
        EXPECT_EQ(s.QuestionDone[1], "T");
        EXPECT_EQ(s.QuestionStatus[1] & startup::StatusDone, startup::StatusDone);

        // Filter 3: both ticked; questions 1 and 4 start done.
        f = home();
        openTab(f, t.open);
        clickButton(f, t.boxes[1]);
        clickButton(f, t.start);
        EXPECT_EQ(s.PaperMode, t.modes[2]);
        EXPECT_EQ(s.QuestionCount, 4);
        EXPECT_EQ(s.QuestionDone[0], "T");
        EXPECT_EQ(s.QuestionDone[1], "F");
        // A favourites set starts marked; a wrong-book entry only when it is
        // also a favourite, which here it is not.
        EXPECT_EQ((s.QuestionStatus[1] & startup::StatusMarked) != 0, !t.wrongBook);

        // Both boxes unticked: start and clear do nothing.
        f = home();
        openTab(f, t.open);
        clickButton(f, t.boxes[0]);
        boxTitle.clear();
        answerBoxes(1);
        clickButton(f, t.start);
        clickButton(f, t.clear);
        EXPECT_TRUE(boxTitle.isEmpty());
        EXPECT_NE(forms::loadedForm<FrmFengmian>(), nullptr);

        // Clearing filter 1, refused and then confirmed.
        clickButton(f, t.boxes[0]);
        answerBoxes(0);
        clickButton(f, t.clear);
        EXPECT_EQ(boxPrompt, QStringLiteral("\r\n\r\n\r\n") + t.clearPrompt1);
        EXPECT_EQ(ksdata(t.flags), QByteArray("TFFT\r\n"));
        answerBoxes(1);
        clickButton(f, t.clear);
        EXPECT_EQ(ksdata(t.list), QByteArray("01010404\r\n"));
        EXPECT_EQ(ksdata(t.flags), QByteArray("TT\r\n"));
        EXPECT_EQ(open()->caption(), "0");
        EXPECT_EQ(reviewed()->caption(), "2");

        // Then all: both files hold one empty line.
        clickButton(f, t.boxes[1]);
        clickButton(f, t.clear);
        EXPECT_EQ(ksdata(t.list), QByteArray("\r\n"));
        EXPECT_EQ(ksdata(t.flags), QByteArray("\r\n"));
        EXPECT_EQ(reviewed()->caption(), "0");

        // Nothing left: the start says so.
        clickButton(f, t.start);
        EXPECT_EQ(boxPrompt, QStringLiteral("\r\n\r\n\r\n") +
                                 (t.wrongBook ? QStringLiteral("您还没有错题记录！")
                                              : QStringLiteral("您还没有已收藏题目！")));
        forms::unloadForm<FrmFengmian>();
    }
}

TEST_F(HomeTabs, TheTwoTabsBoxesAreTheirOwn) {
    FrmFengmian *f = home();
    openTab(f, 18);
    clickButton(f, 41);
    EXPECT_EQ(f->FavouritesFilter, 3);
    EXPECT_EQ(f->WrongBookFilter, 1);
    clickButton(f, 19);
    clickButton(f, 42);
    EXPECT_EQ(f->WrongBookFilter, 0);
    EXPECT_EQ(f->FavouritesFilter, 3);
    EXPECT_EQ(f->LblCuoTiWei->caption(), "0"); // no record files
}

} // namespace
