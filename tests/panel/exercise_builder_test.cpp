#include "records_fixture.h"

#include "panel/exercise_builder.h"

using namespace panel;
using paneltest::crlf;

namespace {

// Unit 0: questions of 4, 6 and 5 steps; unit 1: 3 and 7; unit 2: one
// question of 5 steps whose step file has only 2 lines. Step lines name
// their unit and line: "u0s11".
class BuilderTest : public paneltest::RecordsTest {
protected:
    BuilderTest() {
        unit(0, {4, 6, 5}, 15);
        unit(1, {3, 7}, 10);
        unit(2, {5}, 2);
    }
    void unit(int u, const std::vector<int> &counts, int stepLines) {
        QStringList questions, steps;
        for (size_t k = 0; k < counts.size(); ++k)
            questions << QStringLiteral("%1%2%3q%4")
                             .arg(u, 2, 10, QChar('0'))
                             .arg(k + 1, 2, 10, QChar('0'))
                             .arg(counts[k], 2, 10, QChar('0'))
                             .arg(k + 1);
        for (int n = 1; n <= stepLines; ++n) steps << QStringLiteral("u%1s%2").arg(u).arg(n);
        EXPECT_TRUE(testsupport::writeBytes(bankFile(QStringLiteral("2888%1").arg(70 + u)),
                                            crlf(questions)));
        EXPECT_TRUE(
            testsupport::writeBytes(bankFile(QStringLiteral("2888%1").arg(20 + u)), crlf(steps)));
    }
    static QStringList range(int u, int from, int to) {
        QStringList out;
        for (int n = from; n <= to; ++n) out << QStringLiteral("u%1s%2").arg(u).arg(n);
        return out;
    }
};

TEST_F(BuilderTest, CopiesEachCodesLineAndBlockInListOrder) {
    const ExerciseBuild b = buildExercise("00030102", s.DataPath);
    EXPECT_EQ(b.questionLines, QStringList({"000305q3", "010207q2"}));
    EXPECT_EQ(b.stepLines, range(0, 11, 15) + range(1, 4, 10));
    EXPECT_EQ(b.codes, std::vector<int>({3, 102}));
    EXPECT_EQ(firstLinesOf(b.questionLines), std::vector<int>({1, 6, 13}));
}

TEST_F(BuilderTest, ShortMissingAndOddLists) {
    struct Case {
        const char *list;
        std::vector<int> codes;
        QStringList questions;
        int steps;
        std::vector<int> skipped;
    } cases[] = {
        {"", {}, {}, 0, {}},
        {"000301", {3, 1}, {"000305q3", "000104q1"}, 9, {}},        // 1.5 codes count 2
        {"0003010201", {3, 102}, {"000305q3", "010207q2"}, 12, {}}, // 2.5 count 2
        {"0009", {9}, {"000305q3"}, 5, {}},                         // past the last line: the last
        {"0100", {100}, {"010103q1"}, 3, {}},                       // number 00: question 1
        {"05010001", {1}, {"000104q1"}, 4, {501}},                  // unit 5 has no files
        {"0201", {201}, {"020105q1"}, 2, {}}, // a short step file gives what it has
    };
    for (const auto &c : cases) {
        const ExerciseBuild b = buildExercise(c.list, s.DataPath);
        EXPECT_EQ(b.codes, c.codes) << c.list;
        EXPECT_EQ(b.questionLines, c.questions) << c.list;
        EXPECT_EQ(b.stepLines.size(), c.steps) << c.list;
        EXPECT_EQ(b.skipped, c.skipped) << c.list;
    }
    EXPECT_EQ(firstLinesOf({"000104a", "  ", "000206b"}), std::vector<int>({1, 5}));
}

TEST_F(BuilderTest, WrongAnswerReviewSetsTheExerciseWithTheFavouriteMarks) {
    put("288862", "0102\r\n");
    s.PaperMode = startup::MockPaper;
    s.PaperIndex = 3;
    s.PaperSlot = 3;
    s.QuestionStatus.fill(7);
    startWrongAnswerReview(s, buildExercise("00010102", s.DataPath));
    EXPECT_EQ(testsupport::readBytes(bankFile("288869")), "000104q1\r\n010207q2\r\n");
    EXPECT_EQ(testsupport::readBytes(bankFile("288819")), crlf(range(0, 1, 4) + range(1, 4, 10)));
    EXPECT_EQ(s.QuestionCount, 2);
    EXPECT_EQ(s.QuestionCodes[1], 102);
    EXPECT_EQ(s.QuestionStatus[0], 0);
    EXPECT_EQ(s.QuestionStatus[1], startup::StatusMarked); // a favourite stays one
    EXPECT_EQ(s.PaperMode, startup::PaperWrongReview);
    EXPECT_EQ(s.PaperIndex, 17);
    EXPECT_EQ(s.PaperSlot, 3);
    EXPECT_EQ(s.StudyMode, startup::Practice);
    EXPECT_EQ(s.StepFilePath, bankFile("288819"));
    EXPECT_EQ(s.QuestionFilePath, bankFile("288869"));
    EXPECT_EQ(s.QuestionFirstLine[1], 5);
    EXPECT_EQ(s.QuestionFirstLine[2], 12);
    EXPECT_EQ(s.QuestionDone[0], "F");
    EXPECT_EQ(s.CurQuestion, 1);
    EXPECT_EQ(s.MinutesLeft, 50);
}

} // namespace
