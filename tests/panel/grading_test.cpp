#include "records_fixture.h"

#include "panel/grading.h"

#include <QFileInfo>

using namespace panel;
using paneltest::crlf;

namespace {

// Paper k of the bank index has the codes "0k01" .. "0k40" (k = 0, 1, 2);
// random paper j (slot 19 + j) has "1j01" .. "1j40".
QString paperCodes(const QString &prefix) {
    QString out;
    for (int i = 1; i <= 40; ++i)
        out += prefix + QStringLiteral("%1").arg(i, 2, 10, QLatin1Char('0'));
    return out;
}

class GradingTest : public paneltest::RecordsTest {
protected:
    GradingTest() {
        EXPECT_TRUE(testsupport::writeBytes(
            bankFile("288891"),
            crlf({"0303", "404040", paperCodes("00"), paperCodes("01"), paperCodes("02")})));
        put("288891", crlf({paperCodes("11"), paperCodes("12"), paperCodes("13")}));
        s.QuestionCount = 40;
        s.ExamStartTime = "2015-03-07 14:05:09";
    }
    void sitFixedPaper(int k) {
        s.PaperMode = startup::MockPaper;
        s.PaperIndex = k;
        s.PaperSlot = k;
        for (int i = 0; i < 40; ++i) s.QuestionCodes[i] = k * 100 + i + 1;
    }
    GradeResult grade() { return gradePaper(s, files, paperCodeList(s), "2016-01-02 03:04:05"); }
    // Lines 3p + 1 .. 3p + 3 of the history file.
    QList<QByteArray> historyRecord(int p) { return bytes("288892").split('\n').mid(3 * p, 3); }
};

TEST_F(GradingTest, ThirdFixedPaperWritesEveryRecordFile) {
    sitFixedPaper(2);
    for (int i = 0; i < 34; ++i) s.QuestionStatus[i] = 5; // right
    s.QuestionStatus[34] = 3;                             // marked, wrong
    s.QuestionStatus[35] = 7;                             // marked, right
    s.QuestionStatus[36] = 1;
    put("288862", "0105\r\n");
    put("288872", "T\r\n");
    put("288863", "00010238\r\n");
    put("288873", "TT\r\n");

    const GradeResult r = grade();
    EXPECT_EQ(r.scoreText, "87.5");
    EXPECT_EQ(r.scoreLine, "第3套得分：87.5分");
    for (int i = 0; i < 40; ++i) EXPECT_EQ(r.right[i], i < 34 || i == 35) << i;

    EXPECT_EQ(bytes("288862"), "010502350236\r\n");
    EXPECT_EQ(bytes("288872"), "TFF\r\n");
    EXPECT_EQ(bytes("182402"), "0235023702380239"
                               "0240\r\n");
    EXPECT_EQ(bytes("288863"), "000102380235023702390240\r\n"); // 0238 already held
    EXPECT_EQ(bytes("288873"), "TTFFFF\r\n");
    const auto record = historyRecord(2);
    EXPECT_EQ(record, QList<QByteArray>({"2015-03-07 14:05:09\r", "87.5\r", "E\r"}));
    EXPECT_EQ(bytes("288892").count('\n'), 94);
    EXPECT_EQ(s.ExamStartTime, "-1");
}

TEST_F(GradingTest, RandomPaperInSlot22ReadsItsLineAndWritesItsRecords) {
    s.PaperMode = startup::RandomPaper;
    s.PaperIndex = 11;
    s.PaperSlot = 22;
    for (int i = 0; i < 40; ++i) s.QuestionCodes[i] = 1300 + i + 1;
    for (int i = 1; i < 40; ++i) s.QuestionStatus[i] = 4;
    const GradeResult r = grade();
    EXPECT_EQ(r.scoreLine, "随机题得分：97.5分");
    EXPECT_EQ(bytes("182422"), "1301\r\n");
    EXPECT_EQ(bytes("288863"), "1301\r\n");
    EXPECT_EQ(bytes("288873"), "F\r\n");
    EXPECT_EQ(bytes("288862"), "\r\n"); // rewritten even when nothing changed
    EXPECT_EQ(historyRecord(22), QList<QByteArray>({"2015-03-07 14:05:09\r", "97.5\r", "E\r"}));
}

// The random papers are the candidate's file, read as every record is:
// past its end the last paper, and one that cannot be read gives no list,
// is reported once and is held back.
TEST_F(GradingTest, RandomPaperListsPastTheEndAndThatCannotBeRead) {
    s.PaperMode = startup::RandomPaper;
    s.PaperSlot = 25;
    EXPECT_EQ(paperCodeList(s), paperCodes("13"));
    QFile::remove(record("288891"));
    makeUnreadable("288891");
    EXPECT_EQ(paperCodeList(s), "");
    EXPECT_EQ(paperCodeList(s), "");
    EXPECT_TRUE(isHeldBack(record("288891")));
    EXPECT_EQ(reports(), 1);
}

// A random paper whose list could not be read when it is graded keeps the
// wrong list of its last sitting, and says it was not saved; the rest of
// its records are written.
TEST_F(GradingTest, ARandomPaperWithoutItsListKeepsItsLastWrongList) {
    s.PaperMode = startup::RandomPaper;
    s.PaperIndex = 11;
    s.PaperSlot = 22;
    for (int i = 0; i < 40; ++i) s.QuestionCodes[i] = 1300 + i + 1;
    put("182422", "13011302\r\n");
    QFile::remove(record("288891"));
    makeUnreadable("288891");
    const GradeResult r = grade();
    EXPECT_EQ(bytes("182422"), "13011302\r\n");
    EXPECT_EQ(r.unsavedRecords, QStringList({"182422"}));
    EXPECT_TRUE(r.otherRecordsSaved);
    EXPECT_EQ(historyRecord(22), QList<QByteArray>({"2015-03-07 14:05:09\r", "0\r", "E\r"}));
}

TEST_F(GradingTest, AllRightAndNoneRight) {
    sitFixedPaper(0);
    s.QuestionStatus.fill(5);
    put("288863", "0999\r\n");
    put("288873", "T\r\n");
    GradeResult r = grade();
    EXPECT_EQ(r.scoreLine, "第1套得分：100分");
    EXPECT_EQ(bytes("182400"), "\r\n");
    EXPECT_EQ(bytes("288863"), "0999\r\n");
    EXPECT_EQ(bytes("288873"), "T\r\n");

    s.QuestionStatus.fill(1);
    s.ExamStartTime = "2015-03-08 10:00:00";
    r = grade();
    EXPECT_EQ(r.scoreText, "0");
    EXPECT_EQ(bytes("182400"), crlf({paperCodes("00")}));
    EXPECT_EQ(bytes("288863"), crlf({"0999" + paperCodes("00")}));
    EXPECT_EQ(bytes("288873"), crlf({"T" + QString(40, 'F')}));
    EXPECT_EQ(historyRecord(0), QList<QByteArray>({"2015-03-08 10:00:00\r", "100\r", "E\r"}));
}

TEST_F(GradingTest, BestScoreRule) {
    struct Case {
        const char *best;
        int right;
        const char *start;
        const char *time;
        const char *expectedBest;
    } cases[] = {
        {"85", 34, "2015-03-07 14:05:09", "2015-03-07 14:05:09", "85"},
        {"85", 36, "2015-03-07 14:05:09", "2015-03-07 14:05:09", "90"},
        {"85", 40, "-1", "2016-01-02 03:04:05", "85"}, // an answer was seen
        {"abc", 1, "2015-03-07 14:05:09", "2015-03-07 14:05:09", "2.5"},
        {" 97.5x", 39, "2015-03-07 14:05:09", "2015-03-07 14:05:09", " 97.5x"},
    };
    for (const auto &c : cases) {
        sitFixedPaper(1);
        s.QuestionStatus.fill(0);
        for (int i = 0; i < c.right; ++i) s.QuestionStatus[i] = 4;
        s.ExamStartTime = c.start;
        put("288892", crlf({"x", "0", "E", "old", c.best, "E"}));
        grade();
        EXPECT_EQ(historyRecord(1), QList<QByteArray>({QByteArray(c.time) + "\r",
                                                       QByteArray(c.expectedBest) + "\r", "E\r"}))
            << c.best << " " << c.right;
    }
}

TEST_F(GradingTest, UnreadableRecordsAreLeftAlone) {
    sitFixedPaper(0);
    makeUnreadable("288863");
    makeUnreadable("288892");
    grade();
    EXPECT_FALSE(exists("288873")); // the book's flags wait for their list
    EXPECT_TRUE(QFileInfo(record("288863")).isDir());
    EXPECT_TRUE(QFileInfo(record("288892")).isDir());
    EXPECT_EQ(bytes("182400"), crlf({paperCodes("00")}));
}

TEST(SheetTexts, TextFromCharacterSevenOrAfterThePictureName) {
    const auto texts =
        sheetQuestionTexts({"010103打开记事本", "010205picturel62011请看图|再做", "0103"});
    EXPECT_EQ(texts[0], "打开记事本");
    EXPECT_EQ(texts[1], "请看图|再做");
    EXPECT_EQ(texts[2], "");
    EXPECT_EQ(texts[39], "");
    EXPECT_EQ(scoreText(2.5), "2.5");
    EXPECT_EQ(scoreText(100), "100");
}

} // namespace
