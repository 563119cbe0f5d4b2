// Every sample question answered on the shell is worked to its end with
// the mouse, as a candidate would: each step's gestures, then the success
// display of the last step. Every menu the gestures open, at the places the
// step shows the candidate, lies whole on the screen and clear of the
// question panel docked at its lower-right corner: an entry cut off or
// under the panel could not be chosen. Each answer shows what it did: the
// screen after it is another than the one before, but where the action
// itself changes nothing to be seen.
#include "shell_sample_scripts.h"

#include <QImage>
#include <algorithm>
#include <cstdlib>
#include <set>
#include <vector>

namespace {

class ShellJudgingSamples : public ShellJudgingFixture {};

// Where the question panel docks over the screen (pixels).
const QRect kDockedPanel(int(panel::kDockedPanelLeft / 15), int(panel::kDockedPanelTop / 15),
                         int(panel::kPanelWidth / 15), int(panel::kPanelHeight / 15));

// The steps (from 1) of a question whose action changes nothing to be
// seen: a refresh, a button that puts back what the page already shows.
std::set<int> unseenSteps(int question) {
    switch (question) {
    case 2: // "刷新"
        return {3};
    case 7: // "还原为默认值"
        return {1};
    }
    return {};
}

// The screen as the candidate sees it, but for the success display, which
// every last step adds whatever its screen shows.
QImage screenOf(FrmMain *f) {
    const bool success = f->LblSuccess->isShown();
    f->LblSuccess->setVisible(false);
    const QImage shot = f->widget()->grab().toImage();
    f->LblSuccess->setVisible(success);
    return shot;
}

// Whether two screens differ where a person sees it: outside the docked
// question panel, in a patch of pixels (4 x 4 at least, more than the seam
// of two pictures) whose colours are plainly others, not a shade apart, as
// one picture of the wallpaper drawn for the desktop and another for a
// window's background may be.
bool seenToDiffer(const QImage &a, const QImage &b) {
    if (a.size() != b.size()) return true;
    constexpr int kPatch = 4;
    std::vector<int> run(size_t(a.width()), 0); // plainly other pixels up to this row
    for (int y = 0; y < a.height(); ++y) {
        int across = 0;
        for (int x = 0; x < a.width(); ++x) {
            const QColor p = a.pixelColor(x, y), q = b.pixelColor(x, y);
            const bool other =
                !kDockedPanel.contains(x, y) &&
                std::max({std::abs(p.red() - q.red()), std::abs(p.green() - q.green()),
                          std::abs(p.blue() - q.blue())}) > 24;
            run[size_t(x)] = other ? run[size_t(x)] + 1 : 0;
            across = run[size_t(x)] >= kPatch ? across + 1 : 0;
            if (across >= kPatch) return true;
        }
    }
    return false;
}

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
        int stepBefore = 0;
        for (size_t k = 0; k < script.size(); ++k) {
            const int at = step();
            SCOPED_TRACE(testing::Message() << "gesture " << k + 1 << " on step " << at);
            // Each gesture moved the question on (past a step only another
            // way leads to).
            ASSERT_GT(at, stepBefore);
            stepBefore = at;
            // A gesture for each step before the last, none for the last.
            ASSERT_NE(f->rec().actionCode(), "9999");
            const QImage before = screenOf(f);
            script[k](f);
            if (!unseenSteps(i).count(at)) {
                EXPECT_TRUE(seenToDiffer(screenOf(f), before)) << "the screen ignores the answer";
            }
        }
        EXPECT_EQ(f->rec().actionCode(), "9999");
        EXPECT_TRUE(f->LblSuccess->isShown());
        EXPECT_GE(S().QuestionStatus[size_t(q - 1)], startup::StatusDone);
        forms::testing::unloadAll();
    }
}
