// The question panel as the simulated screen relies on it.
#include "home/frm_fengmian.h"
#include "panel/frm_tm.h"
#include "sample_dir.h"
#include "screen_fixture.h"
#include "startup/program_end.h"

namespace ft = forms::testing;

class PanelTest : public EngineFixture {};

TEST_F(PanelTest, StartingAQuestionRestoresItsStepAndPictures) {
    auto &s = startup::state();
    useSteps({StepBuilder().action("0001"), StepBuilder().action("0001").lead("two"),
              StepBuilder().action("9999")},
             {1, 2});
    s.CurQuestion = 2;
    FrmMain *f = frm();
    s.StepMemo[1] = 2;
    s.QuestionPictures[1][0] = "q00001";
    s.QuestionPictures[1][2] = "q00011";
    s.QuestionPictures[1][6] = "q00031";
    forms::form<FrmTm>()->DqExam();
    EXPECT_EQ(s.CurStep, 2);
    EXPECT_FALSE(f->picture().isNull());
    EXPECT_FALSE(f->Image2->picture().isNull());
    EXPECT_TRUE(f->Image1->picture().isNull());
    EXPECT_FALSE(f->Image6->picture().isNull());
    EXPECT_TRUE(f->Timer2->enabled());
    ft::advance(100);
    EXPECT_EQ(f->rec().actionCode(), "9999");
    EXPECT_EQ(s.QuestionStatus[1], 5); // shown by the panel, done by the step engine
}

TEST_F(PanelTest, HandsOnHelpShowsTheHints) {
    useSteps({StepBuilder().target(600, 600, 900, 900).hint(100, 100, 1).action("0001")});
    build(1);
    FrmMain *f = frm();
    EXPECT_FALSE(f->LHelp->visible());
    EXPECT_FALSE(f->Shape1->visible());
    forms::form<FrmTm>()->CmdGN_Click(6);
    EXPECT_EQ(startup::state().StudyMode, startup::Guided);
    for (forms::Control *c :
         std::initializer_list<forms::Control *>{f->LHelp, f->Shape1, f->Shape4, f->Shape2})
        EXPECT_TRUE(c->visible()) << c->name().toStdString();
    EXPECT_TRUE(f->TimerDisFK->enabled());
    EXPECT_EQ(f->windowState(), forms::vbNormal);
}

TEST_F(PanelTest, EndingTheSetUnloadsTheScreenAndReloadsItFresh) {
    auto &s = startup::state();
    s.ModuleNumber = sample::kModuleNumber;
    FrmMain *f = frm();
    f->LastMouseX = 900;
    s.StepMemo[3] = 7;
    forms::form<FrmTm>()->JiaoJuan();
    EXPECT_EQ(forms::loadedForm<FrmMain>(), nullptr);
    EXPECT_EQ(forms::loadedForm<FrmTm>(), nullptr);
    ASSERT_NE(forms::loadedForm<FrmFengmian>(), nullptr);
    EXPECT_TRUE(forms::loadedForm<FrmFengmian>()->visible());
    EXPECT_FALSE(startup::programEnded());
    // The next exercise loads the window afresh.
    EXPECT_EQ(frm()->LastMouseX, 0);
    EXPECT_EQ(s.StepMemo[3], 1);
    startup::resetProgramEnded();
}
