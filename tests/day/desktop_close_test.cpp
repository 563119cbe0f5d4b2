// The desktop's close request (Alt+F4, the close item of a taskbar or a
// window switcher) to each of the program's windows, on the whole sample
// started as the executable starts it. The request goes in as the window
// system delivers it: through the window's platform window into Qt's close
// handling and the widget's close event. No request may leave the program
// running without a window the candidate can act on, or lose a step.
#include "day_fixture.h"

#include "panel/frm_ime.h"
#include "panel/frm_picture.h"

#include <QWidget>
#include <QWindow>

namespace ft = forms::testing;
using startup::state;

namespace {

using daytest::CandidateDay;

// The sample's units as the home page counts them from 0.
constexpr int kFirstUnit = 0;
constexpr int kKeyUnit = 3; // 第4单元
// In 第4单元: the rename with F2 (a click on 报告, then F2) and "按Alt+F4".
constexpr int kRenameQuestion = 10;
constexpr int kAltF4Question = 11;

class DesktopClose : public CandidateDay {
protected:
    // The close request as the window system hands it to the window.
    static void closeFromDesktop(forms::Form *f) {
        QWindow *w = f->widget()->windowHandle();
        ASSERT_NE(w, nullptr) << f->name().toStdString() << " has no window";
        w->close();
    }

    // A practice of one whole unit, from the home page's units tab.
    void practiseUnit(FrmFengmian *home, int unit) {
        openTab(home, 16);
        clickButton(home, 50 + unit);
        clickButton(home, 20);
        ft::advance(500);
        ASSERT_TRUE(tm() && screen());
    }
    // Through the panel's list of questions.
    void goToQuestion(int q) {
        press(panel::List);
        ft::click(tm()->CmTNO(q), 150, 150);
        ft::advance(200);
        ASSERT_EQ(state().CurQuestion, q);
    }
    // Both windows of the practice there and on show.
    void expectPracticeOnShow() {
        ASSERT_TRUE(screen() && tm());
        EXPECT_TRUE(screen()->visible());
        EXPECT_TRUE(tm()->visible());
    }
};

TEST_F(DesktopClose, TheHomePageAsksAsItsExitButtonDoes) {
    // How the exit box is answered: its buttons, and the desktop's close
    // of the box itself.
    const struct {
        const char *what;
        std::function<void(FrmQHMSGBOX &)> answer;
        bool ends;
    } cases[] = {
        {"确定", [](FrmQHMSGBOX &b) { ft::click(b.LblClick(1), 100, 100); }, true},
        {"the negative button", [](FrmQHMSGBOX &b) { ft::click(b.LblClick(0), 100, 100); }, false},
        {"the box's close button", [](FrmQHMSGBOX &b) { ft::click(b.LblClick(3), 100, 100); },
         false},
        {"the box closed from the desktop", [](FrmQHMSGBOX &b) { closeFromDesktop(&b); }, false},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        FrmFengmian *home = startProgram();
        ASSERT_NE(home, nullptr);
        openTab(home, 17);
        ASSERT_TRUE(home->PicKaCH->visible());
        QString title, prompt;
        modals.clear();
        onModal["FrmQHMSGBOX"] = [&](forms::Form &f) {
            auto &box = static_cast<FrmQHMSGBOX &>(f);
            title = box.LblTitle->caption();
            prompt = box.LblPrompt->caption();
            c.answer(box);
        };
        closeFromDesktop(home);
        EXPECT_EQ(modals, QStringList({"FrmQHMSGBOX"}));
        EXPECT_EQ(title, "退出系统");
        EXPECT_EQ(prompt, "\r\n\r\n\r\n您确实要退出学习软件吗？");
        EXPECT_EQ(startup::programEnded(), c.ends);
        if (c.ends) {
            for (forms::Form *f : forms::loadedForms())
                EXPECT_FALSE(f->visible()) << f->name().toStdString();
        } else {
            // The page as it was: loaded, on show, on the same tab.
            EXPECT_EQ(forms::loadedForm<FrmFengmian>(), home);
            EXPECT_TRUE(home->visible());
            EXPECT_TRUE(home->PicKaCH->visible());
            EXPECT_FALSE(home->ClickBotn(17)->enabled());
        }
        ft::unloadAll();
        startup::resetProgramEnded();
        startup::resetState();
    }
}

TEST_F(DesktopClose, TheStartWindowRefusesItAndStillOpensTheHomePage) {
    FrmStart *start = forms::form<FrmStart>();
    ASSERT_FALSE(startup::programEnded());
    start->show();
    ft::advance(50);
    closeFromDesktop(start);
    EXPECT_EQ(forms::loadedForm<FrmStart>(), start);
    EXPECT_TRUE(start->visible());
    ft::advance(50);
    FrmFengmian *home = forms::loadedForm<FrmFengmian>();
    ASSERT_NE(home, nullptr);
    EXPECT_TRUE(home->visible());
    EXPECT_EQ(forms::loadedForm<FrmStart>(), nullptr);
}

TEST_F(DesktopClose, TheScreenRefusesItAndKeepsItsStepAndEveryResumeStep) {
    auto &s = state();
    FrmFengmian *home = startProgram();
    ASSERT_NE(home, nullptr);
    ASSERT_NO_FATAL_FAILURE(practiseUnit(home, kKeyUnit));
    ASSERT_NO_FATAL_FAILURE(goToQuestion(kRenameQuestion));
    FrmMain *m = screen();
    ASSERT_EQ(s.CurStep, 1);
    ft::click(m->Label1, midX(m->Label1), midY(m->Label1));
    ASSERT_EQ(s.CurStep, 2); // the F2 step

    closeFromDesktop(m);
    EXPECT_EQ(screen(), m);
    expectPracticeOnShow();
    EXPECT_EQ(s.CurStep, 2);
    EXPECT_EQ(s.StepMemo[kRenameQuestion - 1], 2);
    // The request is no F2: the step still waits for it.
    ft::pressKey(forms::vbKeyF1 + 1);
    EXPECT_EQ(s.CurStep, 3);

    // Away and back: the question resumes where it was left.
    ASSERT_NO_FATAL_FAILURE(goToQuestion(kRenameQuestion + 1));
    ASSERT_NO_FATAL_FAILURE(goToQuestion(kRenameQuestion));
    EXPECT_EQ(screen(), m);
    EXPECT_EQ(s.CurStep, 3);
}

TEST_F(DesktopClose, OnTheScreenItAnswersAnAltF4StepOnTheQuestionPanelNothing) {
    auto &s = state();
    FrmFengmian *home = startProgram();
    ASSERT_NE(home, nullptr);
    ASSERT_NO_FATAL_FAILURE(practiseUnit(home, kKeyUnit));
    ASSERT_NO_FATAL_FAILURE(goToQuestion(kAltF4Question));
    ASSERT_EQ(tm()->RtbTM->text(), "按Alt+F4键关闭“文档”窗口。");
    ASSERT_EQ(s.CurStep, 1);

    // The panel refuses and counts nothing.
    FrmTm *panel = tm();
    closeFromDesktop(panel);
    EXPECT_EQ(tm(), panel);
    EXPECT_EQ(s.CurStep, 1);
    EXPECT_EQ(s.QuestionStatus[kAltF4Question - 1] & startup::StatusDone, 0);

    FrmMain *m = screen();
    closeFromDesktop(m);
    EXPECT_EQ(screen(), m);
    expectPracticeOnShow();
    EXPECT_EQ(actionCode(), "9999");
    EXPECT_TRUE(m->LblSuccess->visible());
    EXPECT_NE(s.QuestionStatus[kAltF4Question - 1] & startup::StatusDone, 0);
}

TEST_F(DesktopClose, TheDemonstrationEndsAsOnItsBreakOffKeys) {
    auto &s = state();
    // Escape released is the break-off the request must match.
    for (bool byDesktop : {false, true}) {
        SCOPED_TRACE(byDesktop ? "closed from the desktop" : "Escape");
        FrmFengmian *home = startProgram();
        ASSERT_NE(home, nullptr);
        ASSERT_NO_FATAL_FAILURE(practiseUnit(home, kFirstUnit));
        ASSERT_NO_FATAL_FAILURE(goToQuestion(3));
        const int step = s.CurStep;
        press(panel::Demo);
        ft::advance(500);
        FrmYanShi *demo = forms::loadedForm<FrmYanShi>();
        ASSERT_NE(demo, nullptr);
        ASSERT_TRUE(demo->visible());
        ASSERT_TRUE(s.DemoPlaying);
        EXPECT_FALSE(screen()->visible());
        EXPECT_FALSE(tm()->visible());

        if (byDesktop)
            closeFromDesktop(demo);
        else
            ft::pressKey(forms::vbKeyEscape);
        // The closing sequence takes its four ticks.
        EXPECT_EQ(forms::loadedForm<FrmYanShi>(), demo);
        EXPECT_TRUE(demo->TimEnd->enabled());
        ft::advance(400);
        EXPECT_EQ(forms::loadedForm<FrmYanShi>(), nullptr);
        EXPECT_FALSE(s.DemoPlaying);
        ft::advance(200);
        expectPracticeOnShow();
        EXPECT_EQ(s.CurQuestion, 3);
        EXPECT_EQ(s.CurStep, step);

        press(panel::Finish);
        ft::unloadAll();
        startup::resetState();
    }
}

TEST_F(DesktopClose, ThePictureViewerHidesAsThePanelsToggleDoes) {
    FrmFengmian *home = startProgram();
    ASSERT_NE(home, nullptr);
    ASSERT_NO_FATAL_FAILURE(practiseUnit(home, kFirstUnit));
    // The sample's picture question is the unit's last.
    ASSERT_NO_FATAL_FAILURE(goToQuestion(state().QuestionCount));
    FrmTm *p = tm();
    ASSERT_TRUE(p->Image2->visible());
    ft::click(p->Image2, 150, 150);
    FrmPicture *v = forms::loadedForm<FrmPicture>();
    ASSERT_NE(v, nullptr);
    ASSERT_TRUE(v->visible());
    ASSERT_EQ(p->Image2->Caption(), "隐藏图片");

    closeFromDesktop(v);
    EXPECT_EQ(forms::loadedForm<FrmPicture>(), v);
    EXPECT_FALSE(v->visible());
    EXPECT_EQ(p->Image2->Caption(), "显示图片");
    expectPracticeOnShow();
    // The toggle shows it again.
    ft::click(p->Image2, 150, 150);
    EXPECT_TRUE(v->visible());
    EXPECT_EQ(p->Image2->Caption(), "隐藏图片");
}

// The notice on input methods, opened from the panel's "?" beside the
// input method: closed from the desktop, it goes as its close button goes
// and restores the panel the button minimised.
TEST_F(DesktopClose, TheInputMethodNoticeGoesAsItsCloseButtonDoes) {
    FrmFengmian *home = startProgram();
    ASSERT_NE(home, nullptr);
    ASSERT_NO_FATAL_FAILURE(practiseUnit(home, kFirstUnit));
    modals.clear();
    bool stillLoaded = true;
    bool minimised = false;
    onModal["FrmIME"] = [&](forms::Form &f) {
        minimised = tm()->FrmZXH->visible();
        closeFromDesktop(&f);
        stillLoaded = f.isLoaded();
    };
    ft::click(tm()->CmdEn, 60, 60);
    EXPECT_EQ(modals, QStringList({"FrmIME"}));
    EXPECT_TRUE(minimised);
    EXPECT_FALSE(stillLoaded);
    EXPECT_FALSE(tm()->FrmZXH->visible());
    expectPracticeOnShow();
}

} // namespace
