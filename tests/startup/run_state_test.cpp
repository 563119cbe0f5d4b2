#include "startup/run_state.h"

#include <gtest/gtest.h>

namespace {

TEST(PracticeSlot, NamesTheExerciseFilesWithTwoDigits) {
    startup::RunState s;
    s.DataPath = QStringLiteral("/p/w7tk/");
    const struct {
        int mode, index;
        const char *step, *question;
    } cases[] = {
        {startup::MockPaper, 5, "/p/w7tk/288805.mxy", "/p/w7tk/288855.mxy"},
        {startup::UnitAll, 3, "/p/w7tk/288823.mxy", "/p/w7tk/288873.mxy"},
        {startup::RandomPaper, 19 - startup::RandomPaper, "/p/w7tk/288819.mxy",
         "/p/w7tk/288869.mxy"},
        {startup::MockPaper, 0, "/p/w7tk/288800.mxy", "/p/w7tk/288850.mxy"},
    };
    for (const auto &c : cases) {
        s.PaperMode = c.mode;
        s.PaperIndex = c.index;
        startup::setExerciseFilePaths(s);
        EXPECT_EQ(s.StepFilePath, QLatin1String(c.step));
        EXPECT_EQ(s.QuestionFilePath, QLatin1String(c.question));
    }
}

TEST(RunStateReset, StartsEmptyWithUnitScale) {
    startup::state().CurQuestion = 500;
    startup::state().QuestionStatus[499] = startup::StatusDone;
    startup::state().RunLogPath = QStringLiteral("x");
    startup::state().BankVersion = QStringLiteral("20150307");
    startup::state().ScaleX = 1.5;
    startup::state().DemoPlaying = true;
    startup::resetState();
    const startup::RunState &s = startup::state();
    EXPECT_EQ(s.CurQuestion, 0);
    EXPECT_EQ(s.QuestionStatus[499], 0);
    EXPECT_TRUE(s.RunLogPath.isEmpty());
    EXPECT_TRUE(s.BankVersion.isEmpty());
    EXPECT_EQ(s.ScaleX, 1.0);
    EXPECT_FALSE(s.DemoPlaying);
}

} // namespace
