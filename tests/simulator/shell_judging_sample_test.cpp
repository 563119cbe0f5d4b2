// Every sample question answered on the shell is worked to its end with
// the mouse, as a candidate would: each step's gestures, then the success
// display of the last step.
#include "screen_fixture.h"

#include <functional>
#include <vector>

namespace {

class ShellJudgingSamples : public ShellJudgingFixture {};

using Gestures = std::function<void(FrmMain *)>;

// The gestures of one question, step by step.
std::vector<Gestures> scriptOf(int question) {
    switch (question) {
    case 0: // the command bar "A"
        return {
            [](FrmMain *f) {
                clickAt(f->LblZHU(1));
                clickAt(f->Lbl1J(9));
            },
            [](FrmMain *f) {
                clickAt(f->LblZHU(7));
                clickAt(f->Lbl1J(3));
            },
            [](FrmMain *f) {
                clickAt(f->LblZHU(1));
                clickAt(f->Lbl1J(7));
                clickAt(f->Lbl2J(1));
            },
            [](FrmMain *f) { clickAt(f->LblZHU(3)); },
            [](FrmMain *f) {
                clickAt(f->LblZHU(1));
                clickAt(f->Lbl1J(9));
            },
        };
    case 1: // the menu bar "G"
        return {
            [](FrmMain *f) {
                clickAt(f->LblZHU(1));
                clickAt(f->Lbl1J(3));
                clickAt(f->Lbl2J(2));
            },
            [](FrmMain *f) {
                clickAt(f->LblZHU(3));
                clickAt(f->Lbl1J(4));
            },
        };
    case 2: // the tool strip and the task pane
        return {
            [](FrmMain *f) {
                clickAt(f->LblZHU(23));
                clickAt(f->Lbl1J(3));
            },
            [](FrmMain *f) { clickAt(f->LblZHU(26)); },
            [](FrmMain *f) { clickAt(f->LblZHU(15)); },
        };
    case 3: // the desktop
        return {
            [](FrmMain *f) { dblClickAt(f->LblZHU(63)); },
            [](FrmMain *f) { dblClickAt(f->LblZHU(96)); },
            [](FrmMain *f) {
                click(f->PicTable, 6000, 3000, forms::vbRightButton);
                clickAt(f->Lbl1J(1));
                clickAt(f->Lbl2J(2));
            },
        };
    case 4: // the start menu
        return {
            [](FrmMain *f) {
                clickInTurn({f->StartMenu, f->LblZHU(84), f->Lbl1J(10), f->Lbl2J(1), f->Lbl3J(5)});
            },
            [](FrmMain *f) {
                clickAt(f->StartMenu);
                clickAt(f->LblZHU(79));
            },
            [](FrmMain *f) {
                clickAt(f->StartMenu);
                clickAt(f->LblZHU(82));
                clickAt(f->Lbl1J(2));
            },
            [](FrmMain *f) {
                clickAt(f->StartMenu);
                clickAt(f->LblZHU(80));
                clickAt(f->Lbl1J(3));
            },
            [](FrmMain *f) {
                clickAt(f->StartMenu, forms::vbRightButton);
                clickAt(f->Lbl1J(2));
            },
        };
    case 5: // the Control Panel
        return {
            [](FrmMain *f) {
                moveTo(f->LblZHU(45));
                clickAt(f->Lbl1J(2));
            },
            [](FrmMain *f) {
                moveTo(f->LblZHU(53));
                clickAt(f->Lbl1J(3));
            },
        };
    case 6: // the Computer window
        return {
            [](FrmMain *f) {
                click(f->PicMyPc, 9000, 5500, forms::vbRightButton);
                clickAt(f->Lbl1J(9));
            },
            [](FrmMain *f) {
                clickAt(f->LblZHU(95), forms::vbRightButton);
                clickAt(f->Lbl1J(4));
                clickAt(f->Lbl2J(1));
            },
        };
    case 7: // the tab strips, with a detour through the back button
        return {
            [](FrmMain *f) {
                clickAt(f->LblXXK(3));
                clickAt(f->Label1);
                clickAt(f->LblXXK(2));
                clickAt(f->Label1);
            },
            [](FrmMain *f) {
                clickAt(f->LblXXK(3));
                clickAt(f->LblXXK(0));
                ASSERT_EQ(startup::state().CurStep, 1);
                clickAt(f->LblXXK(2));
                clickAt(f->Label1);
                ASSERT_EQ(startup::state().CurStep, 2);
                clickAt(f->LblXXK(9));
                clickAt(f->Label1);
            },
        };
    }
    return {};
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
        const std::vector<Gestures> script = scriptOf(i);
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
