#include "home/home_tabs.h"
#include "startup/run_state.h"

#include <gtest/gtest.h>
#include <random>
#include <set>

using namespace home;

namespace {

TEST(UnitsTabRules, ButtonCaptionIsTwentyFiveColumns) {
    const struct {
        int unit;
        QString title;
        QString caption;
    } cases[] = {
        {2, "abc", "3.abc" + QString(20, ' ')},
        // 3 columns of "12.", 14 of the title, spaces to 24 and one more.
        {11, "控制面板设置啊", "12.控制面板设置啊" + QString(8, ' ')},
        // A double-width character spanning columns 24 and 25 stays.
        {0, QString(21, 'a') + "一二", "1." + QString(21, 'a') + "一"},
        // One that would start at column 25 becomes a space.
        {0, QString(22, 'a') + "一二", "1." + QString(22, 'a') + " "},
        {0, QString(20, 'a') + "一二", "1." + QString(20, 'a') + "一 "},
        // A longer title is cut without a mark.
        {0, QString(40, 'x'), "1." + QString(23, 'x')},
    };
    for (const auto &c : cases) {
        EXPECT_EQ(unitButtonCaption(c.unit, c.title), c.caption) << c.title.toStdString();
        EXPECT_EQ(gbkColumns(unitButtonCaption(c.unit, c.title)), 25);
    }
}

TEST(UnitsTabRules, OpeningUnit) {
    const struct {
        std::vector<UnitCounts> units;
        int opened;
    } cases[] = {
        {{}, -1},
        {{{10, 2}, {4, 1}}, 1},          // exactly a fifth stays, a quarter opens
        {{{10, 1}, {10, 2}, {5, 1}}, 2}, // all four-fifths learned: the last
        {{{10, 0}, {0, 0}, {10, 9}}, 1}, // a unit of 0 questions counts unlearned
        {{{10, 3}}, 0},
    };
    for (const auto &c : cases) EXPECT_EQ(openingUnit(c.units), c.opened);
}

TEST(UnitsTabRules, BarsAndCaptions) {
    const auto bars = unitBars(8, 2);
    ASSERT_TRUE(bars);
    EXPECT_DOUBLE_EQ(bars->learnedHeight, 2677.5);
    EXPECT_DOUBLE_EQ(bars->openHeight, 892.5);
    EXPECT_DOUBLE_EQ(bars->learnedTop(), 2872.5);
    EXPECT_DOUBLE_EQ(bars->openTop(), 4657.5);
    EXPECT_FALSE(unitBars(0, 0));
    EXPECT_EQ(selectionCaption(-1, "x"), QStringLiteral("所有题库中题目"));
    EXPECT_EQ(selectionCaption(2, QStringLiteral("桌面")), QStringLiteral("第3单元 桌面"));
    EXPECT_EQ(unitCodesFlagged(2, "TFTT", 'T'), QStringLiteral("020102030204"));
    EXPECT_EQ(unitCodesFlagged(2, "TFTT", 'F'), QStringLiteral("0202"));
    EXPECT_EQ(unitCodesFlagged(3, "FFFFFFF", 'T'), QString());
}

TEST(PapersTabRules, SprintRowsTitlesAndPlaces) {
    const struct {
        int papers, lastSprint;
    } sprint[] = {{0, 7},  {3, 7},  {4, 1},  {7, 1},  {8, 3},
                  {11, 3}, {12, 5}, {15, 5}, {16, 7}, {20, 7}};
    for (const auto &c : sprint) EXPECT_EQ(lastSprintRow(c.papers), c.lastSprint) << c.papers;

    EXPECT_EQ(paperTitle(3, 3), QStringLiteral("冲刺试卷四"));
    EXPECT_EQ(paperTitle(4, 3), QStringLiteral("模拟试卷一"));
    EXPECT_EQ(paperTitle(9, 3), QStringLiteral("模拟试卷六"));
    EXPECT_EQ(paperTitle(18, 7), QStringLiteral("模拟试卷"));
    EXPECT_EQ(paperTitle(22, 7), QStringLiteral("随机试卷三"));
    EXPECT_DOUBLE_EQ(paperRowTop(2, 3), 1470);
    EXPECT_DOUBLE_EQ(paperRowTop(4, 3), 120);
    EXPECT_DOUBLE_EQ(paperRowTop(9, 3), 2820);
    EXPECT_DOUBLE_EQ(paperRowTop(19, 7), 6870);
    EXPECT_DOUBLE_EQ(paperRowTop(22, 7), 1470);
    EXPECT_DOUBLE_EQ(paperRowLeft(4), 2880);
    EXPECT_DOUBLE_EQ(paperRowLeft(21), 7440);

    EXPECT_EQ(lastExamCaption("2015-03-07 09:05:02"),
              QStringLiteral("最后考试时间：2015-03-07 09:05"));
    EXPECT_EQ(lastExamCaption(panel::PaperHistoryTable::kNoExamYet),
              QStringLiteral("最后考试时间：您还未考试！"));
    EXPECT_EQ(wrongCountCaption(QString(28, '1')), "(7)");
    EXPECT_EQ(wrongCountCaption(QString(30, '1')), "(7)");
    EXPECT_EQ(wrongCountCaption("  00010002  "), "(2)");
    EXPECT_EQ(wrongCountCaption(""), "(0)");
    EXPECT_FALSE(paperLineUsable(QString(159, '0')));
    EXPECT_TRUE(paperLineUsable(QString(160, '0')));
}

TEST(PapersTabRules, SprintOrMock) {
    const struct {
        std::vector<const char *> scores; // rows 0..
        int lastSprint, page;
    } cases[] = {
        {{"0", "80", "90", "75"}, 3, 29},
        {{"100", "80", "74.5", "75"}, 3, 28},
        {{"0", "0", "0", "0"}, 3, 28},
        {{"0", "97.5"}, 1, 29},
        {{"0", "x"}, 1, 28},
    };
    for (const auto &c : cases) {
        panel::PaperHistoryTable t;
        for (size_t i = 0; i < c.scores.size(); ++i) t.setBestScore(int(i), c.scores[i]);
        EXPECT_EQ(openingPaperPage(t, c.lastSprint), c.page);
    }
}

TEST(PapersTabRules, Pages) {
    const struct {
        int button, lastSprint, papers, randoms;
        std::vector<int> rows;
        bool newPaper, noRandom;
    } cases[] = {
        {28, 3, 10, 0, {0, 1, 2, 3}, false, false},
        {29, 3, 10, 0, {4, 5, 6, 7, 8, 9}, false, false},
        {28, 7, 2, 0, {0, 1, 2, 3, 4, 5, 6, 7}, false, false},
        {30, 3, 10, 2, {}, true, false},
        {31, 3, 10, 0, {}, false, true},
        {31, 3, 10, 3, {20, 21, 22}, false, false},
    };
    for (const auto &c : cases) {
        const PaperPage p = paperPage(c.button, c.lastSprint, c.papers, c.randoms);
        std::vector<int> rows;
        for (int i = 0; i < kPaperRows; ++i)
            if (p.rows[i]) rows.push_back(i);
        EXPECT_EQ(rows, c.rows) << c.button;
        EXPECT_EQ(p.newPaper, c.newPaper);
        EXPECT_EQ(p.noRandom, c.noRandom);
        EXPECT_EQ(p.sprintPictures, c.button == 28);
    }
}

// A source that gives back the numbers it was given, in order.
RandomSource scripted(std::vector<double> values) {
    auto at = std::make_shared<size_t>(0);
    return [values = std::move(values), at] { return values[(*at)++ % values.size()]; };
}

TEST(RandomPaperRules, DrawFollowsTheSourceAndSkipsRepeatsAndEmptyUnits) {
    // Units 0..2 of 20, 0 and 30 questions. Each pair: unit from the first
    // number (x 1000 mod 3), number from the second (x 1000 mod n, + 1).
    std::vector<double> values;
    QString expected;
    for (int i = 0; i < 40; ++i) {
        const int unit = i % 2 == 0 ? 0 : 2;
        const int k = i / 2 + 1;
        values.push_back(unit / 1000.0 + 0.0000001);
        values.push_back((k - 1) / 1000.0 + 0.0000001);
        expected += startup::twoDigits(unit) + startup::twoDigits(k);
        if (i == 5) {
            // A repeat of the first code, then a pick of the empty unit 1:
            // both drawn again.
            values.insert(values.end(), {0.0000001, 0.0000001, 0.0010001, 0.0050001});
        }
    }
    const auto list = drawRandomPaper({20, 0, 30}, scripted(values));
    ASSERT_TRUE(list);
    EXPECT_EQ(*list, expected);
}

TEST(RandomPaperRules, DrawWithAFixedSeedGivesFortyDistinctCodesOfTheBank) {
    const std::vector<int> counts = {4, 4, 0, 4, 4, 4, 4, 4, 4, 4, 4, 4, 4};
    std::mt19937 gen(7);
    std::uniform_real_distribution<double> d(0, 1);
    const auto list = drawRandomPaper(counts, [&] { return d(gen); });
    ASSERT_TRUE(list);
    ASSERT_EQ(list->size(), 160);
    std::set<QString> codes;
    for (int i = 0; i < 40; ++i) {
        const QString code = list->mid(4 * i, 4);
        codes.insert(code);
        const int u = code.left(2).toInt(), k = code.mid(2).toInt();
        ASSERT_LT(u, int(counts.size()));
        EXPECT_GE(k, 1);
        EXPECT_LE(k, counts[u]) << code.toStdString();
    }
    EXPECT_EQ(codes.size(), 40u);
}

TEST(RandomPaperRules, TooSmallABankDrawsNothing) {
    const auto never = [] { return 0.5; };
    EXPECT_FALSE(drawRandomPaper({}, never));
    EXPECT_FALSE(drawRandomPaper({0, 0}, never));
    EXPECT_FALSE(drawRandomPaper({20, 19}, never));
    EXPECT_TRUE(drawRandomPaper({40}, [n = 0]() mutable { return (n++ / 2 % 40) / 1000.0; }));
}

TEST(RandomPaperRules, RotationOfListsHistoryAndWrongLists) {
    EXPECT_EQ(randomPapersAfterDraw({}, "NEW"),
              QStringList({"NEW", "", "", "", "", "", "", "", "", ""}));
    QStringList ten;
    for (int i = 1; i <= 10; ++i) ten << QStringLiteral("P%1").arg(i);
    EXPECT_EQ(randomPapersAfterDraw(ten, "NEW"),
              QStringList({"NEW", "P1", "P2", "P3", "P4", "P5", "P6", "P7", "P8", "P9"}));

    EXPECT_EQ(randomPapersAfterDelete({"A", "B", "C", "", ""}, 20, 3), QStringList({"B", "C", ""}));
    EXPECT_EQ(randomPapersAfterDelete({"A", "B", "C"}, 21, 3), QStringList({"A", "C", ""}));
    EXPECT_EQ(randomPapersAfterDelete({"A"}, 20, 1), QStringList({""}));

    EXPECT_EQ(wrongListsAfterDraw(0), std::vector<WrongListCopy>({{-1, 20}}));
    EXPECT_EQ(wrongListsAfterDraw(2), std::vector<WrongListCopy>({{21, 22}, {20, 21}, {-1, 20}}));
    EXPECT_EQ(wrongListsAfterDraw(10).size(), 10u);
    EXPECT_EQ(wrongListsAfterDraw(10).front(), (WrongListCopy{28, 29}));
    EXPECT_EQ(wrongListsAfterDelete(20, 3), std::vector<WrongListCopy>({{21, 20}, {22, 21}}));
    EXPECT_EQ(wrongListsAfterDelete(22, 3), std::vector<WrongListCopy>{});
    EXPECT_EQ(wrongListsAfterDelete(20, 10).back(), (WrongListCopy{29, 28}));

    panel::PaperHistoryTable t;
    t.setLastExamTime(0, "fixed");
    t.setLastExamTime(20, "r20");
    t.setBestScore(20, "80");
    t.setLastExamTime(28, "r28");
    t.setLastExamTime(29, "r29");
    const panel::PaperHistoryTable drawn = historyAfterDraw(t, "2015-03-07 09:05:02");
    EXPECT_EQ(drawn.lastExamTime(0), "fixed");
    EXPECT_EQ(drawn.lastExamTime(20), "2015-03-07 09:05:02");
    EXPECT_EQ(drawn.bestScore(20), "0");
    EXPECT_EQ(drawn.lastExamTime(21), "r20");
    EXPECT_EQ(drawn.bestScore(21), "80");
    EXPECT_EQ(drawn.lastExamTime(29), "r28");
    const QStringList written = historyToWrite(drawn);
    ASSERT_EQ(written.size(), 91);
    EXPECT_EQ(written[62], "E");
    EXPECT_EQ(written[90], "");

    const panel::PaperHistoryTable deleted = historyAfterDelete(drawn, 20, 3);
    EXPECT_EQ(deleted.lastExamTime(20), "r20");
    EXPECT_EQ(deleted.bestScore(20), "80");
    EXPECT_EQ(deleted.lastExamTime(0), "fixed");
}

TEST(ReviewTabRules, TheTwoTabsDifferByTheirTable) {
    const ReviewTab &f = favouritesTab(), &w = wrongBookTab();
    EXPECT_EQ(f.listFile, "288862");
    EXPECT_EQ(w.flagsFile, "288873");
    EXPECT_EQ(f.kinds, (std::array<int, 3>{10, 11, 9}));
    EXPECT_EQ(w.kinds, (std::array<int, 3>{13, 14, 12}));
    EXPECT_EQ(boxPicture(42, true), "l20092");
    EXPECT_EQ(boxPicture(41, false), "l20041");
    const struct {
        int filter, box, after;
    } toggles[] = {{1, 0, 0}, {3, 0, 2}, {0, 0, 1}, {2, 0, 3}, {1, 1, 3}, {3, 1, 1}, {0, 1, 2}};
    for (const auto &t : toggles) EXPECT_EQ(toggledFilter(t.filter, t.box), t.after);
    EXPECT_EQ(reviewCounts("TFFT").unreviewed, 2);
    EXPECT_EQ(reviewCounts("TFFt").reviewed, 1); // only an upper-case T is reviewed
    EXPECT_EQ(reviewCounts("").unreviewed, 0);
}

TEST(ReviewTabRules, PracticeByFilter) {
    const QString list = "0101020203030404"; // flags T F F T
    const struct {
        const ReviewTab *tab;
        int filter;
        QString list, flags;
        ReviewPractice::Outcome outcome;
        QString chosen, prompt;
        int mode;
        QString done; // of the first questions, then "F"s / "T"s
    } cases[] = {
        {&favouritesTab(), 1, list, "TFFT", ReviewPractice::Start, "02020303", "", 10, "FFFF"},
        {&favouritesTab(), 2, list, "TFFT", ReviewPractice::Start, "01010404", "", 11, "TTTT"},
        {&favouritesTab(), 3, list, "TFFT", ReviewPractice::Start, list, "", 9, "TFFTF"},
        {&wrongBookTab(), 3, list, "TFFT", ReviewPractice::Start, list, "", 12, "TFFTF"},
        // Five entries, three flags: the last two only in the whole list,
        // and not done there.
        {&favouritesTab(), 3, list + "0505", "TTT", ReviewPractice::Start, list + "0505", "", 9,
         "TTTFF"},
        {&favouritesTab(), 1, list + "0505", "TTT", ReviewPractice::Refused, "",
         "您没有未复习的收藏题目！", 0, ""},
        {&wrongBookTab(), 2, "000100020003", "FFF", ReviewPractice::Refused, "",
         "您还没有已复习的错题记录！", 0, ""},
        {&favouritesTab(), 1, list, "", ReviewPractice::Refused, "", "您还没有已收藏题目！", 0, ""},
        {&wrongBookTab(), 3, "", "T", ReviewPractice::Refused, "", "您还没有错题记录！", 0, ""},
        {&favouritesTab(), 0, list, "TFFT", ReviewPractice::Nothing, "", "", 0, ""},
        {&favouritesTab(), 1, list, "ttff", ReviewPractice::Start, list, "", 10, "FFFF"},
        // More flags than entries: a flag without its entry chooses nothing.
        {&favouritesTab(), 1, "0101", "FFT", ReviewPractice::Start, "0101", "", 10, "FFFF"},
        {&favouritesTab(), 2, "0101", "FFT", ReviewPractice::Refused, "",
         "您没有已复习的收藏题目！", 0, ""},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.tab->practiceTitle.toStdString() + " " + std::to_string(c.filter));
        const ReviewPractice p = reviewPractice(*c.tab, c.filter, c.list, c.flags);
        EXPECT_EQ(p.outcome, c.outcome);
        EXPECT_EQ(p.prompt, c.prompt);
        if (c.outcome != ReviewPractice::Start) continue;
        EXPECT_EQ(p.list, c.chosen);
        EXPECT_EQ(p.paperMode, c.mode);
        EXPECT_EQ(p.paperMode + p.paperIndex, 19);
        EXPECT_EQ(p.questionCount, c.chosen.size() / 4);
        for (int q = 0; q < c.done.size(); ++q) {
            EXPECT_EQ(p.done[q], QString(c.done[q])) << q;
            EXPECT_EQ(p.status[q], c.done[q] == 'T' ? startup::StatusDone : 0) << q;
        }
    }
    // 600 favourites: the first 500.
    const ReviewPractice big =
        reviewPractice(favouritesTab(), 3, QString(2400, '1'), QString(600, 'F'));
    EXPECT_EQ(big.list.size(), 2000);
    EXPECT_EQ(big.questionCount, 500);
}

TEST(ReviewTabRules, Clearing) {
    const QString list = "0101020203030404";
    const struct {
        int filter;
        QString list, flags;
        std::optional<panel::CodesWithFlags> kept;
    } cases[] = {
        {1, list, "TFFT", panel::CodesWithFlags{"01010404", "TT"}},
        {2, list, "TFFT", panel::CodesWithFlags{"02020303", "FF"}},
        {3, list, "TFFT", panel::CodesWithFlags{"", ""}},
        {2, list, "TxFT", panel::CodesWithFlags{"02020303", "FF"}}, // flags rebuilt
        {1, list + "0505", "TTT", panel::CodesWithFlags{"010102020303", "TTT"}},
        {2, "0101", "FFT", panel::CodesWithFlags{"0101", "F"}},
        {1, list, "", std::nullopt},
        {3, "", "TF", std::nullopt},
        {0, list, "TFFT", std::nullopt},
    };
    for (const auto &c : cases)
        EXPECT_EQ(reviewAfterClear(c.filter, c.list, c.flags), c.kept) << c.filter;
}

} // namespace
