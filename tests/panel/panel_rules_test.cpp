// The panel's rules without a window: titles, question lines, the strip of
// unfinished questions, list pages, marks and the clock.
#include "panel/panel_rules.h"
#include "startup/run_state.h"

#include <gtest/gtest.h>
#include <vector>

using namespace panel;

TEST(PanelTitle, EverySetKind) {
    struct Case {
        int mode, index, slot, q, n, code;
        const char *done;
        const char *title; // null: the kind has no title
    };
    const Case cases[] = {
        {0, 2, 2, 5, 40, 7, "T", "Wi 3套第5题(0107)"},
        {0, 0, 0, 40, 40, 1912, "F", "Wi 1套第40题(2012)"},
        {2, 17, 4, 3, 9, 312, "F", "Wi 错5-3/9(0412)(未完成)"},
        {5, 14, 1, 1, 2, 105, "T", "Wi 已1/2(0205)(已完成)"},
        {6, 13, 1, 2, 7, 120, "F", "Wi 未2/7(0220)(未完成)"},
        {8, 11, 20, 4, 40, 1, "T", "Wi 随0-4(0101)"},
        {8, 11, 29, 1, 40, 99, "F", "Wi 随9-1(0199)"},
        {9, 10, 0, 1, 3, 0, "F", "Wi 藏1/3(0100)(未完成)"},
        {10, 9, 0, 2, 3, 201, "T", "Wi 藏2/3(0301)(已完成)"},
        {11, 8, 0, 3, 3, 201, "", "Wi 藏3/3(0301)(已完成)"},
        {12, 7, 0, 1, 1, 1005, "F", "Wi 复1/1(1105)(未完成)"},
        {13, 6, 0, 1, 1, 1005, "T", "Wi 复1/1(1105)(已完成)"},
        {14, 5, 0, 1, 1, 1005, "x", "Wi 复1/1(1105)(已完成)"},
        {20, 0, 0, 1, 12, 1, "F", "Wi 1单元1/12题(未完成)"},
        {20, 3, 0, 12, 12, 312, "T", "Wi 4单元12/12题(已完成)"},
        {1, 0, 0, 1, 1, 1, "F", nullptr},
        {7, 0, 0, 1, 1, 1, "F", nullptr},
        {21, 0, 0, 1, 1, 1, "F", nullptr},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.mode);
        TitleInput in{QStringLiteral("Windows7"), c.mode, c.index, c.slot, c.q, c.n, c.code,
                      QString::fromUtf8(c.done)};
        const auto title = titleLine(in);
        if (!c.title) {
            EXPECT_FALSE(title.has_value());
            continue;
        }
        ASSERT_TRUE(title.has_value());
        EXPECT_EQ(*title, QString::fromUtf8(c.title));
    }
    // A one-letter subject name gives what it has.
    EXPECT_EQ(titleLine({QStringLiteral("W"), 20, 0, 0, 1, 1, 0, "F"}),
              QStringLiteral("W 1单元1/1题(未完成)"));
}

TEST(PanelTitle, DisplayCode) {
    const struct {
        int code;
        const char *shown;
    } cases[] = {{7, "0107"}, {312, "0412"}, {0, "0100"}, {1999, "2099"}, {9950, "0050"}};
    for (const auto &c : cases) EXPECT_EQ(displayCode(c.code), QString::fromUtf8(c.shown));
}

TEST(PanelQuestionText, LinesOfTheQuestionFile) {
    const struct {
        const char *line;
        bool picture;
        const char *name;
        const char *text;
    } cases[] = {
        {"010105打开“计算机”窗口。", false, "", "打开“计算机”窗口。"},
        {"010203第一行|第二行|第三行", false, "", "第一行\r\n第二行\r\n第三行"},
        {"010203||", false, "", "\r\n\r\n"},
        {"010203|", false, "", "\r\n"},
        {"010105", false, "", ""},
        {"0101", false, "", ""},
        {"", false, "", ""},
        {"010105picturep00001按图示排列图标。|保持不变", true, "p00001",
         "按图示排列图标。|保持不变"},
        {"010105picturep0000", true, "p0000", ""},
        {"010105picture", true, "", ""},
        {"010105Picturep00001文字", false, "", "Picturep00001文字"},
        {"010105 picturep00001", false, "", " picturep00001"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.line);
        const QuestionText q = displayedQuestion(QString::fromUtf8(c.line));
        EXPECT_EQ(q.picture, c.picture);
        EXPECT_EQ(q.pictureName, QString::fromUtf8(c.name));
        EXPECT_EQ(q.text, QString::fromUtf8(c.text));
    }
}

TEST(PanelQuestionText, DemonstrationKeepsTheBars) {
    EXPECT_EQ(demonstrationQuestion("010203一|二").text, "一|二");
    const QuestionText pic = demonstrationQuestion("010203picturep00002看|图");
    EXPECT_TRUE(pic.picture);
    EXPECT_EQ(pic.pictureName, "p00002");
    EXPECT_EQ(pic.text, "看|图");
}

TEST(PanelQuestionText, LineOfAShortOrEmptyFile) {
    const QStringList three{"a", "b", "c"};
    EXPECT_EQ(questionLine(three, 1), "a");
    EXPECT_EQ(questionLine(three, 3), "c");
    EXPECT_EQ(questionLine(three, 4), "c");
    EXPECT_EQ(questionLine(three, 500), "c");
    EXPECT_EQ(questionLine(three, 0), "a");
    EXPECT_FALSE(questionLine({}, 1).has_value());
}

TEST(PanelStatus, UnfinishedStrip) {
    const std::vector<int> status{0, 5, 1, 4, 3, 7, 2, 6};
    EXPECT_EQ(unfinishedStrip(status, 8), "未完成的题目 1 3 5 7");
    EXPECT_EQ(unfinishedStrip(status, 2), "未完成的题目 1");
    EXPECT_EQ(unfinishedStrip(std::vector<int>{4, 5, 6, 7}, 4), "未完成的题目");
    EXPECT_EQ(unfinishedStrip(status, 0), "未完成的题目");
    // A count beyond the table stops at its end.
    EXPECT_EQ(unfinishedStrip(std::vector<int>{0, 4}, 9), "未完成的题目 1");
}

TEST(PanelStatus, MarkUnmarkAndShown) {
    const struct {
        int status, mark, unmark, shownStatus;
        bool isMarkedNow;
    } cases[] = {
        {0, 2, 0, 1, false}, {1, 3, 1, 1, false}, {2, 2, 0, 3, true}, {3, 3, 1, 3, true},
        {4, 6, 4, 5, false}, {5, 7, 5, 5, false}, {6, 6, 4, 7, true}, {7, 7, 5, 7, true},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.status);
        EXPECT_EQ(marked(c.status), c.mark);
        EXPECT_EQ(unmarked(c.status), c.unmark);
        EXPECT_EQ(shown(c.status), c.shownStatus);
        EXPECT_EQ(isMarked(c.status), c.isMarkedNow);
        EXPECT_EQ(marked(marked(c.status)), c.mark);
        EXPECT_EQ(unmarked(unmarked(c.status)), c.unmark);
    }
}

TEST(PanelList, Pages) {
    const struct {
        int n, page;
        bool pageButtons;
        int lastPage, buttons, first;
    } cases[] = {
        {1, 0, false, 0, 1, 1},    {7, 0, false, 0, 7, 1},  {39, 0, false, 0, 39, 1},
        {40, 0, false, 0, 40, 1},  {41, 0, true, 1, 40, 1}, {41, 1, true, 1, 1, 41},
        {80, 1, true, 1, 40, 41},  {81, 2, true, 2, 1, 81}, {500, 12, true, 12, 20, 481},
        {120, 2, true, 2, 40, 81}, {41, 2, true, 1, 0, 81},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(testing::Message() << c.n << " page " << c.page);
        const ListPage l = listPage(c.n, c.page);
        EXPECT_EQ(l.pageButtons, c.pageButtons);
        EXPECT_EQ(l.lastPage, c.lastPage);
        EXPECT_EQ(l.buttons, c.buttons);
        EXPECT_EQ(l.firstQuestion, c.first);
    }
    EXPECT_EQ(previousPage(0), 0);
    EXPECT_EQ(previousPage(3), 2);
    EXPECT_EQ(nextPage(1, 1), 1);
    EXPECT_EQ(nextPage(0, 1), 1);
    EXPECT_EQ(nextPage(0, 0), 0);
}

TEST(PanelList, StatusPictures) {
    const char *pictures[] = {"l01030", "l01031", "l01032", "l01032",
                              "l01030", "l01031", "l01032", "l01032"};
    for (int s = 0; s < 8; ++s) EXPECT_EQ(listPicture(s), pictures[s]) << s;
}

TEST(PanelClock, CaptionAndBar) {
    const struct {
        int minutes;
        double frame, bar;
        const char *caption;
    } cases[] = {
        {50, 2055, 0, "剩余50分钟"},     {49, 2055, 41.1, "剩余49分钟"},
        {26, 2055, 986.4, "剩余26分钟"}, {1, 2055, 2013.9, "剩余1分钟"},
        {0, 2055, 2055, "剩余0分钟"},    {26, 1644, 789.12, "剩余26分钟"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.minutes);
        EXPECT_EQ(clockCaption(c.minutes), QString::fromUtf8(c.caption));
        EXPECT_NEAR(clockBarWidth(c.minutes, c.frame), c.bar, 0.001);
    }
    EXPECT_TRUE(isTimedPaper(startup::MockPaper));
    EXPECT_TRUE(isTimedPaper(startup::RandomPaper));
    for (int m : {2, 5, 6, 9, 10, 11, 12, 13, 14, 20}) EXPECT_FALSE(isTimedPaper(m)) << m;
}

TEST(PanelButtons, Pictures) {
    EXPECT_EQ(buttonPicture(0, false), "l01000");
    EXPECT_EQ(buttonPicture(3, false), "l01003");
    EXPECT_EQ(buttonPicture(11, false), "l01011");
    EXPECT_EQ(buttonPicture(3, true), "l01053");
    EXPECT_EQ(buttonPicture(11, true), "l01054");
    EXPECT_EQ(buttonPicture(7, true), "l01007");
}
