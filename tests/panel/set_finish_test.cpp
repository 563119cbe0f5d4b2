#include "records_fixture.h"

#include "panel/set_finish.h"

#include "forms/testing.h"

#include <QFileInfo>

using namespace panel;
using paneltest::crlf;

namespace {

class FinishTest : public paneltest::RecordsTest {
protected:
    FinishTest() { s.UnitCount = 4; }
    // A set of the given kind with one question per status, codes as given.
    void set(int mode, const std::vector<int> &statuses, const std::vector<int> &codes) {
        s.PaperMode = mode;
        s.QuestionCount = static_cast<int>(statuses.size());
        for (size_t i = 0; i < statuses.size(); ++i) {
            s.QuestionStatus[i] = statuses[i];
            s.QuestionCodes[i] = codes[i];
        }
    }
    int asked = 0;
    bool answer = false;
    void finish() {
        finishSetRecords(s, files, [this] {
            ++asked;
            return answer;
        });
    }
};

TEST_F(FinishTest, WholeUnitRebuildsItsLineAndKeepsTheOthers) {
    put("288893", crlf({"TTT", "TTTTT", "FF"}));
    s.PaperIndex = 1;
    set(startup::UnitAll, {0, 5, 4, 1, 0}, {101, 102, 103, 104, 105});
    finish();
    EXPECT_EQ(bytes("288893"), crlf({"TTT", "FTTFF", "FF", "", ""}));
    EXPECT_EQ(homeReturnButtonFor(startup::UnitAll), 16);
}

TEST_F(FinishTest, UnlearnedSetsTheQuestionsOwnCharacter) {
    put("288893", crlf({"F", "F", "F", "TTTTTTTTTF"}));
    s.PaperSlot = 3;
    set(startup::UnitUnlearned, {4, 0, 5}, {310, 305, 312});
    finish();
    // Character 12 of a 10-character line: padded so that it is the 12th.
    EXPECT_EQ(bytes("288893"), crlf({"F", "F", "F", "TTTTTTTTTTFT", ""}));
}

TEST_F(FinishTest, ReviewFlagsOfWholeAndUnreviewedLists) {
    struct Case {
        int mode;
        const char *list, *flags;
        std::vector<int> statuses;
        const char *expected;
    } cases[] = {
        {startup::FavouritesAll, "0101020203030404", "FFFF", {4, 0, 0, 5}, "TFFT\r\n"},
        {startup::FavouritesAll, "0101020203030404", "F", {0, 0, 4, 0}, "FFTF\r\n"},
        {startup::FavouritesUnreviewed, "0101020203030404", "TTFF", {4, 4}, "TTTT\r\n"},
        {startup::FavouritesUnreviewed, "0101020203030404", "TFTF", {0, 4}, "TFTT\r\n"},
        // A stray lower-case flag was in the set: question 1 is that entry.
        {startup::FavouritesUnreviewed, "0101020203030404", "tFTF", {0, 4, 4}, "tTTT\r\n"},
        {startup::WrongBookAll, "010102020303", "TFF", {0, 0, 4}, "TFT\r\n"},
        {startup::WrongBookUnreviewed, "010102020303", "T", {4, 0}, "TTF\r\n"},
    };
    for (const auto &c : cases) {
        const bool wrongBook = c.mode >= startup::WrongBookAll;
        put(wrongBook ? "288863" : "288862", QByteArray(c.list) + "\r\n");
        put(wrongBook ? "288873" : "288872", QByteArray(c.flags) + "\r\n");
        std::vector<int> codes;
        const int n = static_cast<int>(c.statuses.size());
        for (int i = 0; i < n; ++i) codes.push_back(101 * (i + 1));
        // Favourites stay favourites: every question keeps its mark.
        std::vector<int> statuses = c.statuses;
        if (!wrongBook)
            for (int &st : statuses) st |= startup::StatusMarked;
        set(c.mode, statuses, codes);
        finish();
        EXPECT_EQ(bytes(wrongBook ? "288873" : "288872"), c.expected) << c.mode << " " << c.flags;
        if (wrongBook) {
            EXPECT_EQ(bytes("288863"), QByteArray(c.list) + "\r\n");
        }
    }
}

TEST_F(FinishTest, FavouritesFollowTheMarks) {
    put("288862", "010502030301\r\n");
    put("288872", "TFT\r\n");
    s.PaperIndex = 2;
    put("288893", crlf({"", "", "FF"}));
    // 0203 unmarked: leaves with its flag; 0402 marked: joins with an F.
    set(startup::UnitAll, {2, 0, 6}, {105, 203, 402});
    finish();
    EXPECT_EQ(bytes("288862"), "010503010402\r\n");
    EXPECT_EQ(bytes("288872"), "TTF\r\n");

    // In a favourites set nothing joins, but an unmarked one leaves.
    set(startup::FavouritesAll, {2, 0}, {105, 301});
    finish();
    EXPECT_EQ(bytes("288862"), "01050402\r\n");
    EXPECT_EQ(bytes("288872"), "TF\r\n");
    EXPECT_EQ(homeReturnButtonFor(startup::FavouritesAll), 18);
}

TEST_F(FinishTest, FortyFiveNewMarksAllGetFlags) {
    QString expected;
    std::vector<int> statuses(45, 2), codes;
    for (int i = 1; i <= 45; ++i) {
        codes.push_back(100 + i);
        expected += codeText(100 + i);
    }
    set(startup::UnitLearned, statuses, codes);
    finish();
    EXPECT_EQ(bytes("288862"), expected.toLatin1() + "\r\n");
    EXPECT_EQ(bytes("288872"), QByteArray(45, 'F') + "\r\n");
}

TEST_F(FinishTest, PaperWrongReviewAsksAndShortensOnYes) {
    s.PaperSlot = 21;
    put("182421", "010502030301\r\n");
    set(startup::PaperWrongReview, {0, 4, 0}, {105, 203, 301});
    answer = false;
    finish();
    EXPECT_EQ(asked, 1);
    EXPECT_EQ(bytes("182421"), "010502030301\r\n");
    answer = true;
    finish();
    EXPECT_EQ(bytes("182421"), "01050301\r\n");

    set(startup::PaperWrongReview, {4, 4}, {105, 301});
    finish();
    EXPECT_EQ(bytes("182421"), "\r\n");
    EXPECT_EQ(homeReturnButtonFor(startup::PaperWrongReview), 0);
}

TEST_F(FinishTest, NothingDoneChangesNothingButTheFavouritesAndAsksNothing) {
    put("288893", "TT\r\n");
    put("288872", "F\r\n");
    put("288862", "0101\r\n");
    put("182402", "0101\r\n");
    for (int mode : {startup::UnitAll, startup::UnitUnlearned, startup::FavouritesAll,
                     startup::FavouritesUnreviewed, startup::PaperWrongReview}) {
        s.PaperSlot = 2;
        set(mode, {2, 2}, {101, 102});
        finish();
        EXPECT_EQ(bytes("288893"), "TT\r\n") << mode;
        EXPECT_EQ(bytes("182402"), "0101\r\n") << mode;
        EXPECT_EQ(asked, 0) << mode;
    }
    EXPECT_EQ(bytes("288862"), "01010102\r\n");
    EXPECT_EQ(bytes("288872"), "FF\r\n");
}

TEST_F(FinishTest, KindsWithoutRecordsOfTheirOwnChangeOnlyFavourites) {
    put("288893", "FFF\r\n");
    put("288873", "FF\r\n");
    put("288863", "01010102\r\n");
    for (int mode : {startup::MockPaper, startup::RandomPaper, startup::UnitLearned,
                     startup::FavouritesReviewed, startup::WrongBookReviewed}) {
        set(mode, {4, 4}, {101, 102});
        finish();
        EXPECT_EQ(bytes("288893"), "FFF\r\n") << mode;
        EXPECT_EQ(bytes("288873"), "FF\r\n") << mode;
    }
    EXPECT_EQ(homeReturnButtonFor(startup::WrongBookReviewed), 19);
    EXPECT_EQ(homeReturnButtonFor(startup::RandomPaper), 0);
}

TEST_F(FinishTest, UnreadableProgressIsNotWipedAndNoUnitsKeepsEveryLine) {
    makeUnreadable("288893");
    s.PaperIndex = 0;
    set(startup::UnitAll, {4}, {1});
    finish();
    EXPECT_TRUE(QFileInfo(record("288893")).isDir());
    EXPECT_EQ(reports(), 1);

    QDir(record("288893")).removeRecursively();
    forgetHeldBackRecords();
    s.UnitCount = 0; // a bank index that could not be read
    put("288893", crlf({"FF", "TT", "TF"}));
    finish();
    EXPECT_EQ(bytes("288893"), crlf({"T", "TT", "TF", ""}));
}

} // namespace

namespace {

TEST(FinishQuestion, RemovingDoneQuestionsIsAskedWithNoAsDefault) {
    forms::testing::Session session;
    startup::state().ApplicationTitle = "青禾——Windows 7模块";
    EXPECT_FALSE(askRemoveDoneQuestions()); // unanswered: the default, No
    forms::testing::setMsgBoxHook([](const forms::MsgBoxCall &) { return forms::vbYes; });
    EXPECT_TRUE(askRemoveDoneQuestions());
    const auto &boxes = forms::testing::msgBoxes();
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_EQ(boxes[0].prompt, "本次答对的题目要从“错题复习”中去掉吗？\r\n"
                               "如果你认为掌握的还不太好，建议你点“否”，把它们保留在错题记录中。");
    EXPECT_EQ(boxes[0].style, forms::vbYesNo | forms::vbQuestion | forms::vbDefaultButton2);
    EXPECT_EQ(boxes[0].title, "青禾——Windows 7模块");
    startup::resetState();
}

} // namespace
