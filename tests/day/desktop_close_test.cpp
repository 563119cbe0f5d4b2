// The desktop's close request (Alt+F4, the close item of a taskbar or a
// window switcher) to each of the program's windows, on the whole sample
// started as the executable starts it. The request goes in as the window
// system delivers it: through the window's platform window into Qt's close
// handling and the widget's close event. No request may leave the program
// running without a window the candidate can act on, or lose a step.
#include "day_fixture.h"

#include "panel/frm_czts.h"
#include "panel/frm_ime.h"
#include "panel/frm_picture.h"
#include "panel/record_files.h"

#include <QCoreApplication>
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
    // The sample's question "按Alt+F4键关闭“文档”窗口。", on its first step.
    void openAltF4Question() {
        FrmFengmian *home = startProgram();
        ASSERT_NE(home, nullptr);
        ASSERT_NO_FATAL_FAILURE(practiseUnit(home, kKeyUnit));
        ASSERT_NO_FATAL_FAILURE(goToQuestion(kAltF4Question));
        ASSERT_EQ(tm()->RtbTM->text(), "按Alt+F4键关闭“文档”窗口。");
        ASSERT_EQ(state().CurStep, 1);
    }
    static bool altF4Done() {
        return state().QuestionStatus[kAltF4Question - 1] & startup::StatusDone;
    }
    // From the papers tab's first row to the login's confirmation, its bar
    // a few ticks on.
    FrmLogon *confirmLogin() {
        FrmFengmian *home = startProgram();
        EXPECT_NE(home, nullptr);
        if (!home) return nullptr;
        openTab(home, 17);
        clickButton(home, 70);
        FrmLogon *login = forms::loadedForm<FrmLogon>();
        EXPECT_NE(login, nullptr);
        if (!login) return nullptr;
        ft::advance(100);
        ft::click(login->CmdLog, 100, 100);
        ft::advance(300);
        EXPECT_TRUE(login->Picture2->visible());
        EXPECT_FALSE(screen() || tm());
        return login;
    }
};

// Where the window manager reads a box's owner, its type and its size.
struct AsDialog {
    QString owner; // the form whose window it is transient for; empty: none
    ft::WindowLook look;
};

AsDialog asDialog(forms::Form &box) {
    const ft::WindowLook look = ft::windowLook(box.widget());
    QString owner;
    for (forms::Form *f : forms::loadedForms())
        if (look.transientParent && f->widget()->windowHandle() == look.transientParent)
            owner = f->name();
    return {owner, look};
}

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

// The login's confirmation has no exit control of its own; the desktop's
// close asks the exit question there too, and the bar waits for the answer
// instead of starting the paper under the box.
TEST_F(DesktopClose, DuringTheLoginsConfirmationTheExitQuestionHoldsTheBar) {
    for (int answer : {forms::vbYes, forms::vbNo}) {
        SCOPED_TRACE(answer == forms::vbYes ? "是" : "否");
        FrmLogon *login = confirmLogin();
        ASSERT_NE(login, nullptr);
        const double bar = login->LJD->width();
        QString owner;
        bool paperUnderTheBox = false;
        double barUnderTheBox = 0;
        ft::setMsgBoxHook([&](const forms::MsgBoxCall &c) {
            EXPECT_EQ(c.prompt, "确实要退出考试系统吗？");
            if (forms::Form *f = ft::boxOwner()) owner = f->name();
            ft::advance(2000); // the candidate reads the question
            paperUnderTheBox = screen() || tm();
            barUnderTheBox = login->LJD->width();
            return answer;
        });
        closeFromDesktop(login);
        ft::setMsgBoxHook(nullptr);
        EXPECT_EQ(owner, "FrmLogon");
        EXPECT_FALSE(paperUnderTheBox);
        EXPECT_EQ(barUnderTheBox, bar);
        if (answer == forms::vbYes) {
            // The home page, and no paper behind it, now or later.
            EXPECT_EQ(forms::loadedForm<FrmLogon>(), nullptr);
            FrmFengmian *home = forms::loadedForm<FrmFengmian>();
            ASSERT_NE(home, nullptr);
            EXPECT_TRUE(home->visible());
            ft::advance(2000);
            EXPECT_FALSE(screen() || tm());
        } else {
            // The confirmation goes on where it stood, then the paper starts.
            EXPECT_EQ(forms::loadedForm<FrmLogon>(), login);
            EXPECT_TRUE(login->Picture2->visible());
            ft::advance(300);
            EXPECT_EQ(forms::loadedForm<FrmLogon>(), login);
            ft::advance(400);
            EXPECT_EQ(forms::loadedForm<FrmLogon>(), nullptr);
            ft::advance(500);
            expectPracticeOnShow();
            EXPECT_EQ(state().PaperMode, startup::MockPaper);
            EXPECT_EQ(state().CurQuestion, 1);
        }
        ft::unloadAll();
        startup::resetState();
    }
}

// Hidden while a demonstration plays, the screen can still be sent the
// request (a pager, a tool that kept its window); nobody pressed Alt+F4.
TEST_F(DesktopClose, TheScreenHiddenForADemonstrationJudgesNothing) {
    auto &s = state();
    ASSERT_NO_FATAL_FAILURE(openAltF4Question());
    FrmMain *m = screen();
    press(panel::Demo);
    // On its way: the screen still up for two ticks.
    closeFromDesktop(m);
    EXPECT_EQ(s.CurStep, 1);
    EXPECT_FALSE(altF4Done());
    ft::advance(500);
    ASSERT_NE(forms::loadedForm<FrmYanShi>(), nullptr);
    ASSERT_FALSE(m->visible());
    closeFromDesktop(m);
    EXPECT_EQ(screen(), m);
    EXPECT_FALSE(m->visible());
    EXPECT_FALSE(m->LblSuccess->visible());
    EXPECT_FALSE(altF4Done());

    // Broken off: the question as it was, and on show it answers again.
    ft::pressKey(forms::vbKeyEscape);
    ft::advance(600);
    expectPracticeOnShow();
    EXPECT_EQ(s.CurQuestion, kAltF4Question);
    EXPECT_EQ(s.CurStep, 1);
    EXPECT_FALSE(altF4Done());
    closeFromDesktop(m);
    EXPECT_TRUE(altF4Done());
}

// A button whose work stays on the panel hands the keys back to the screen,
// as 上一题 and the others do: the desktop's Alt+F4 goes to the window with
// the focus and answers the step.
TEST_F(DesktopClose, AfterEachPanelButtonTheKeysGoToTheScreen) {
    auto button = [](FrmTm *p, int i) { ft::click(p->CmdGN(i), 150, 150); };
    const struct {
        const char *what;
        std::function<void(FrmTm *)> act;
    } cases[] = {
        {"标记", [&](FrmTm *p) { button(p, panel::Mark); }},
        {"取消标记",
         [&](FrmTm *p) {
             button(p, panel::Mark);
             button(p, panel::Unmark);
         }},
        {"题目", [&](FrmTm *p) { button(p, panel::List); }},
        {"the list's 返回",
         [&](FrmTm *p) {
             button(p, panel::List);
             ft::click(p->CmdSelFH, 150, 150);
         }},
        {"EN, the input-method option off",
         [](FrmTm *p) {
             state().UseInputMethod = false;
             ft::click(p->LblIME, 60, 60);
         }},
        {"the panel's minimise", [](FrmTm *p) { ft::click(p->LblZXH, 100, 100); }},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        // Each case meets the question undone: the earlier case's answer
        // is taken out of the unit progress.
        QFile::remove(dir().ksdata() + panel::recname::UnitProgress + ".mxy");
        ASSERT_NO_FATAL_FAILURE(openAltF4Question());
        ASSERT_FALSE(altF4Done());
        c.act(tm());
        EXPECT_EQ(state().CurStep, 1);
        forms::Form *focused = ft::keyForm();
        ASSERT_EQ(focused, screen()) << (focused ? focused->name().toStdString() : "none");
        closeFromDesktop(focused);
        EXPECT_TRUE(altF4Done());
        EXPECT_EQ(actionCode(), "9999");
        press(panel::Finish);
        ft::unloadAll();
        startup::resetState();
    }
}

// Every kind of box, on show, is a dialog of the window it was opened from:
// the window manager keeps it above that window and minimises them
// together, offers no maximise and no resize.
TEST_F(DesktopClose, EachBoxIsADialogOfTheWindowItBelongsTo) {
    std::map<QString, AsDialog> seen;
    auto look = [&](const QString &as, std::function<void(forms::Form &)> answer) {
        return [&seen, as, answer](forms::Form &f) {
            seen[as] = asDialog(f);
            answer(f);
        };
    };
    // The home page's exit question, answered with the negative button.
    FrmFengmian *home = startProgram();
    ASSERT_NE(home, nullptr);
    onModal["FrmQHMSGBOX"] = look("FrmQHMSGBOX", [](forms::Form &f) {
        ft::click(static_cast<FrmQHMSGBOX &>(f).LblClick(0), 100, 100);
    });
    clickButton(home, 3);
    // A paper: the answer warning from the panel, then the hand-in
    // confirmations, opened once the panel has hidden itself.
    openTab(home, 17);
    ASSERT_NO_FATAL_FAILURE(sitFirstPaper(home));
    onModal["FrmCZTS"] = look(
        "FrmCZTS", [](forms::Form &f) { ft::click(static_cast<FrmCZTS &>(f).Command1, 300, 150); });
    press(panel::SeeAnswer);
    onModal["FrmEnd1"] = look("FrmEnd1", [](forms::Form &f) {
        ft::click(static_cast<panel::HandInDialog &>(f).Command1, 300, 150);
    });
    onModal["FrmEnd2"] = look("FrmEnd2", [](forms::Form &f) {
        ft::click(static_cast<panel::HandInDialog &>(f).Command2, 300, 150);
    });
    press(panel::HandIn);

    const struct {
        const char *box, *owner;
        bool onTop;
    } expected[] = {
        {"FrmQHMSGBOX", "FrmFengmian", true}, // stays on top of every window
        {"FrmCZTS", "FrmTm", true},           // kept above all windows
        {"FrmEnd1", "FrmMain", false},
        {"FrmEnd2", "FrmMain", false},
    };
    for (const auto &e : expected) {
        SCOPED_TRACE(e.box);
        ASSERT_TRUE(seen.count(e.box));
        const AsDialog &d = seen[e.box];
        EXPECT_EQ(d.owner, e.owner);
        EXPECT_EQ(d.look.type, Qt::Dialog);
        EXPECT_FALSE(d.look.maximise);
        EXPECT_TRUE(d.look.fixedSize);
        EXPECT_EQ(d.look.onTop, e.onTop);
    }
    // The paper goes on after the second box's 否.
    expectPracticeOnShow();
}

// 重要提示 minimised by the window manager takes the simulated screen with
// it (the panel is hidden for the hand-in); restored, both come back, the
// box on top and answerable.
TEST_F(DesktopClose, AMinimisedHandInQuestionTakesTheScreenWithIt) {
    FrmFengmian *home = startProgram();
    ASSERT_NE(home, nullptr);
    openTab(home, 17);
    ASSERT_NO_FATAL_FAILURE(sitFirstPaper(home));
    FrmMain *m = screen();
    FrmTm *panel = tm();
    int screenMinimised = -1, screenBack = -1;
    bool panelShownMeanwhile = true;
    forms::Form *onTop = nullptr;
    onModal["FrmEnd1"] = [&](forms::Form &f) {
        ft::byWindowManager(&f, Qt::WindowMinimized);
        screenMinimised = m->windowState();
        ft::byWindowManager(&f, Qt::WindowNoState);
        screenBack = m->windowState();
        panelShownMeanwhile = panel->visible();
        onTop = ft::activeForm();
        ft::click(static_cast<panel::HandInDialog &>(f).Command2, 300, 150);
    };
    press(panel::HandIn);
    EXPECT_EQ(screenMinimised, forms::vbMinimized);
    EXPECT_EQ(screenBack, forms::vbNormal);
    EXPECT_FALSE(panelShownMeanwhile);
    ASSERT_NE(onTop, nullptr);
    EXPECT_EQ(onTop->name(), "FrmEnd1");
    // 否: back to the paper, the panel docked again.
    expectPracticeOnShow();
    EXPECT_FALSE(m->widget()->isMinimized());
}

} // namespace
