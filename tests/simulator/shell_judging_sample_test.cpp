// Every sample question answered on the shell is worked to its end with
// the mouse, as a candidate would: each step's gestures, then the success
// display of the last step. Every menu the gestures open, at the places the
// step shows the candidate, lies whole on the screen and clear of the
// question panel docked at its lower-right corner: an entry cut off or
// under the panel could not be chosen.
#include "shell_sample_scripts.h"

namespace {

class ShellJudgingSamples : public ShellJudgingFixture {};

} // namespace

TEST_F(ShellJudgingSamples, EveryQuestionIsWorkedToItsEnd) {
    const QStringList texts = sample::shellJudgingQuestionTexts();
    for (int i = 0; i < texts.size(); ++i) {
        SCOPED_TRACE(texts[i].toStdString());
        const int q = questionNumber(texts[i]);
        ASSERT_GT(q, 0);
        S().CurQuestion = q;
        S().CurStep = 1;
        start();
        FrmMain *f = frm();
        const std::vector<shellsample::Gestures> script = shellsample::scriptOf(i);
        ASSERT_FALSE(script.empty());
        for (size_t k = 0; k < script.size(); ++k) {
            SCOPED_TRACE(testing::Message() << "step " << k + 1);
            ASSERT_EQ(step(), int(k) + 1);
            // A gesture for each step before the last, none for the last.
            ASSERT_NE(f->rec().actionCode(), "9999");
            script[k](f);
        }
        EXPECT_EQ(f->rec().actionCode(), "9999");
        EXPECT_TRUE(f->LblSuccess->isShown());
        EXPECT_GE(S().QuestionStatus[size_t(q - 1)], startup::StatusDone);
        forms::testing::unloadAll();
    }
}
