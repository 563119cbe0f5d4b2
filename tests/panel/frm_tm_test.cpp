// The question panel through the forms layer's mouse driver and manual
// clock: moving between questions, redo, marks, the question list, the
// clock, minimising, closing and the illustration.
#include "panel_fixture.h"

#include "demo/frm_yanshi.h"
#include "home/frm_fengmian.h"

#include "simulator/step_record.h"

#include <QApplication>
#include <QImage>
#include <QCloseEvent>
#include <QWidget>
#include <random>
#include <set>

using namespace panel;

namespace {

QString caption(kvtnButton *b) {
    return b->Caption();
}

} // namespace

class PanelWindow : public PanelFixture {};

TEST_F(PanelWindow, WalksASetOfThreeWithPreviousAndNext) {
    writePracticeSet(3);
    openSet();
    struct Expect {
        int question;
        bool previous, next;
        const char *title, *text;
    };
    const Expect forward[] = {{1, false, true, "Wi 藏1/3(0201)(未完成)", "题目1"},
                              {2, true, true, "Wi 藏2/3(0202)(未完成)", "题目2"},
                              {3, true, false, "Wi 藏3/3(0203)(未完成)", "题目3"}};
    auto check = [&](const Expect &e) {
        SCOPED_TRACE(e.question);
        EXPECT_EQ(S().CurQuestion, e.question);
        EXPECT_EQ(tm()->CmdGN(Previous)->Enabled(), e.previous);
        EXPECT_EQ(tm()->CmdGN(Next)->Enabled(), e.next);
        EXPECT_EQ(tm()->LblBiao->caption(), QString::fromUtf8(e.title));
        EXPECT_EQ(tm()->RtbTM->text(), QString::fromUtf8(e.text));
        EXPECT_EQ(S().QuestionStatus[e.question - 1] & startup::StatusShown, startup::StatusShown);
        // The step engine built the question's first step.
        EXPECT_EQ(S().CurStep, 1);
        EXPECT_EQ(sim::StepRecord(S().CurRecord).actionCode(), "0001");
    };
    check(forward[0]);
    EXPECT_EQ(tm()->LblUnit->caption(), "未完成的题目 1 2 3");
    for (int i = 1; i < 3; ++i) {
        press(Next);
        ft::advance(100);
        check(forward[i]);
    }
    // The next button is disabled at the end: a press does nothing.
    press(Next);
    ft::advance(100);
    check(forward[2]);
    for (int i = 1; i >= 0; --i) {
        press(Previous);
        ft::advance(100);
        check(forward[i]);
    }
    EXPECT_EQ(S().QuestionStatus[0], 1);
    EXPECT_EQ(S().QuestionStatus[1], 1);
    EXPECT_EQ(S().QuestionStatus[2], 1);
}

TEST_F(PanelWindow, AQuestionWorkedToItsEndIsListedDoneAndRedoStartsItAgain) {
    writePracticeSet(2);
    openSet();
    ft::click(frm()->Label1, 300, 300);
    EXPECT_EQ(sim::StepRecord(S().CurRecord).actionCode(), "9999");
    EXPECT_EQ(S().QuestionStatus[0], 5);
    EXPECT_EQ(tm()->LblUnit->caption(), "未完成的题目 2");
    EXPECT_EQ(tm()->LblBiao->caption(), "Wi 藏1/2(0201)(已完成)");
    // Another question and back: the question resumes at its last step.
    press(Next);
    ft::advance(100);
    press(Previous);
    ft::advance(100);
    EXPECT_EQ(S().CurStep, 2);
    EXPECT_EQ(sim::StepRecord(S().CurRecord).actionCode(), "9999");
    // Redo: step 1 again; the question stays done.
    press(Redo);
    EXPECT_EQ(S().CurStep, 1);
    ft::advance(100);
    EXPECT_EQ(sim::StepRecord(S().CurRecord).actionCode(), "0001");
    EXPECT_EQ(S().StepMemo[0], 1);
    EXPECT_EQ(S().QuestionStatus[0], 5);
}

TEST_F(PanelWindow, MarkAndUnmarkOnShownDoneAndMarkedQuestions) {
    writePracticeSet(3);
    S().QuestionStatus[1] = 4; // done before the set started
    S().QuestionStatus[2] = 2; // marked (a favourite), never shown
    openSet();
    struct Case {
        int question;
        int loaded;     // the status once the question is on screen
        bool markShown; // mark (true) or unmark (false) offered
        int afterMark, afterUnmark;
    };
    const Case cases[] = {{1, 1, true, 3, 1}, {2, 5, true, 7, 5}, {3, 3, false, 3, 1}};
    for (const auto &c : cases) {
        SCOPED_TRACE(c.question);
        S().CurQuestion = c.question;
        tm()->DqExam();
        EXPECT_EQ(S().QuestionStatus[c.question - 1], c.loaded);
        EXPECT_EQ(tm()->CmdGN(Mark)->visible(), c.markShown);
        EXPECT_EQ(tm()->CmdGN(Unmark)->visible(), !c.markShown);
        tm()->CmdGN_Click(Mark);
        EXPECT_EQ(S().QuestionStatus[c.question - 1], c.afterMark);
        EXPECT_FALSE(tm()->CmdGN(Mark)->visible());
        EXPECT_TRUE(tm()->CmdGN(Unmark)->visible());
        // The two buttons share one place: the click reaches the one shown.
        press(Unmark);
        EXPECT_EQ(S().QuestionStatus[c.question - 1], c.afterUnmark);
        EXPECT_TRUE(tm()->CmdGN(Mark)->visible());
        press(Mark);
        EXPECT_EQ(S().QuestionStatus[c.question - 1], c.afterMark);
    }
}

TEST_F(PanelWindow, TheListOfFortyOneQuestionsHasTwoPages) {
    writePracticeSet(41);
    S().QuestionStatus[2] = 2;  // marked, never shown
    S().QuestionStatus[3] = 5;  // done and shown
    S().QuestionStatus[40] = 7; // done, shown and marked
    openSet();
    FrmTm *p = tm();
    EXPECT_FALSE(p->FrmSelect->visible());
    press(List);
    ASSERT_TRUE(p->FrmSelect->visible());
    EXPECT_TRUE(p->CmdSelLast->visible());
    EXPECT_TRUE(p->CmdSelNext->visible());
    EXPECT_EQ(p->ListLastPage, 1);
    const struct {
        int button;
        const char *picture;
    } page0[] = {{1, "l01031"}, {2, "l01030"}, {3, "l01032"}, {4, "l01031"}, {40, "l01030"}};
    for (const auto &b : page0) {
        SCOPED_TRACE(b.button);
        EXPECT_EQ(caption(p->CmTNO(b.button)), QString::number(b.button));
        EXPECT_TRUE(p->CmTNO(b.button)->visible());
        EXPECT_EQ(p->CmTNO(b.button)->Picture().image(),
                  forms::loadPicture(S().DataPath + b.picture + ".mxy").image());
    }
    // The previous page stays on page 0; the next page holds question 41 alone.
    ft::click(p->CmdSelLast, 150, 150);
    EXPECT_EQ(p->ListPage, 0);
    ft::click(p->CmdSelNext, 150, 150);
    EXPECT_EQ(p->ListPage, 1);
    EXPECT_EQ(caption(p->CmTNO(1)), "41");
    EXPECT_EQ(p->CmTNO(1)->Picture().image(),
              forms::loadPicture(S().DataPath + "l01032.mxy").image());
    for (int i = 2; i <= 40; ++i) EXPECT_FALSE(p->CmTNO(i)->visible()) << i;
    ft::click(p->CmdSelNext, 150, 150);
    EXPECT_EQ(p->ListPage, 1);
    // A number goes to its question and closes the list.
    ft::click(p->CmTNO(1), 150, 150);
    EXPECT_FALSE(p->FrmSelect->visible());
    EXPECT_EQ(S().CurQuestion, 41);
    EXPECT_EQ(p->RtbTM->text(), "题目41");
    // The list opens again on the page last shown; its close button shuts it.
    press(List);
    EXPECT_EQ(p->ListPage, 1);
    ft::click(p->CmdSelFH, 150, 150);
    EXPECT_FALSE(p->FrmSelect->visible());
}

TEST_F(PanelWindow, TheClockOfATimedPaperCountsItsFiftyMinutes) {
    auto &s = S();
    s.PaperMode = startup::MockPaper;
    s.PaperIndex = 0;
    s.StudyMode = startup::Exam;
    writeSet({QStringLiteral("考题")});
    openSet(); // 500 ms of the first minute have gone
    FrmTm *p = tm();
    EXPECT_EQ(p->LblTime->caption(), "剩余50分钟");
    EXPECT_EQ(p->LblTimeJD->width(), 0);
    // The exam buttons replace the practice ones.
    EXPECT_FALSE(p->PicUnit->visible());
    EXPECT_FALSE(p->CmdGN(Finish)->visible());
    EXPECT_TRUE(p->CmdGN(HandIn)->visible());
    EXPECT_TRUE(p->CmdGN(CandidateInfo)->visible());
    EXPECT_TRUE(p->CmdGN(SeeAnswer)->visible());
    const double frame = p->PTime->width();
    ASSERT_EQ(frame, 2055);
    const struct {
        int tick;
        const char *caption;
        double bar;
        int left;
    } ticks[] = {{1, "剩余50分钟", 0, 49},
                 {25, "剩余26分钟", 2055 * 24 / 50.0, 25},
                 {49, "剩余2分钟", 2055 * 48 / 50.0, 1},
                 {50, "剩余1分钟", 2055 * 49 / 50.0, 0}};
    int done = 0;
    for (const auto &t : ticks) {
        SCOPED_TRACE(t.tick);
        ft::advance(60000LL * (t.tick - done) - (done == 0 ? 500 : 0));
        done = t.tick;
        EXPECT_EQ(p->LblTime->caption(), QString::fromUtf8(t.caption));
        EXPECT_NEAR(p->LblTimeJD->width(), t.bar, 0.01);
        EXPECT_EQ(s.MinutesLeft, t.left);
    }
    ASSERT_EQ(ft::msgBoxes().size(), 1u);
    EXPECT_EQ(ft::msgBoxes()[0].prompt, "时间已到，自动交卷！");
    EXPECT_EQ(ft::msgBoxes()[0].title, "Windows7");
    EXPECT_FALSE(p->TimeKS->enabled());
    ft::advance(600000);
    EXPECT_EQ(p->LblTime->caption(), "剩余1分钟");
    EXPECT_EQ(ft::msgBoxes().size(), 1u);
}

TEST_F(PanelWindow, APracticeSetsClockStopsOnItsFirstTick) {
    writePracticeSet(1);
    openSet();
    FrmTm *p = tm();
    EXPECT_TRUE(p->PicUnit->visible());
    EXPECT_TRUE(p->CmdGN(Finish)->visible());
    EXPECT_FALSE(p->CmdGN(HandIn)->visible());
    p->LblTime->setCaption("untouched");
    ASSERT_TRUE(p->TimeKS->enabled());
    ft::advance(59500);
    EXPECT_FALSE(p->TimeKS->enabled());
    EXPECT_EQ(p->LblTime->caption(), "untouched");
    EXPECT_EQ(S().MinutesLeft, 50);
}

TEST_F(PanelWindow, MinimisesToItsBarAndRestoresAtTheScreensCorner) {
    writePracticeSet(2);
    openSet();
    FrmTm *p = tm();
    FrmMain *m = frm();
    // Docked at the screen's lower-right corner, 332 x 242 pixels.
    EXPECT_EQ(p->width(), 4980);
    EXPECT_EQ(p->height(), 3630);
    EXPECT_EQ(p->left() + p->width(), m->left() + m->width());
    EXPECT_EQ(p->top() + p->height(), m->top() + m->height());
    EXPECT_TRUE(p->topmost());
    // The screen elsewhere on the desktop: the bar follows its lower-left corner.
    m->move(1500, 600);
    ft::click(p->LblZXH, 150, 150);
    EXPECT_TRUE(p->FrmZXH->visible());
    EXPECT_EQ(p->width(), 810);
    EXPECT_EQ(p->height(), 870);
    EXPECT_EQ(p->left(), 1500);
    EXPECT_EQ(p->top(), 600 + 9000 - 870);
    // Minimised, the question stays as it was.
    EXPECT_EQ(p->RtbTM->text(), "题目1");
    // Dragged somewhere, then restored: back at the screen's lower-right corner.
    p->move(30, 45);
    ft::move(p->Command2, 100, 100);
    EXPECT_EQ(p->Command2->borderStyle(), 1);
    ft::move(p->FrmZXH, 10, 800);
    EXPECT_EQ(p->Command2->borderStyle(), 0);
    ft::click(p->Command2, 100, 100);
    EXPECT_FALSE(p->FrmZXH->visible());
    EXPECT_EQ(p->width(), 4980);
    EXPECT_EQ(p->height(), 3630);
    EXPECT_EQ(p->left(), 1500 + 15360 - 4980);
    EXPECT_EQ(p->top(), 600 + 9000 - 3630);
    // A drag strip pressed with the right button gives the focus back to the
    // screen without moving the panel.
    ft::setActiveForm(p);
    ft::click(p->lblMove, 600, 100, forms::vbRightButton);
    EXPECT_EQ(ft::keyForm(), m);
    EXPECT_EQ(p->left(), 1500 + 15360 - 4980);
}

TEST_F(PanelWindow, TheQuestionTextAndTheStripHandTheFocusBack) {
    writePracticeSet(12);
    S().QuestionStatus[4] = 4;
    openSet();
    FrmTm *p = tm();
    // The strip cuts a long list off; its tooltip holds all of it.
    ft::move(p->LblUnit, 30, 30);
    EXPECT_EQ(p->LblUnit->toolTipText(), "未完成的题目 1 2 3 4 6 7 8 9 10 11 12");
    // A click or a key in the question text gives the keys back to the screen.
    ft::click(p->RtbTM, 300, 300);
    EXPECT_EQ(ft::keyForm(), frm());
    p->RtbTM->setFocus();
    ft::setActiveForm(p);
    ft::pressKey(forms::vbKeyA);
    EXPECT_EQ(ft::keyForm(), frm());
}

// The clock row as drawn: "EN" in the middle of the blue that the "?"
// button leaves free, and the strip of a long list cut off before the blue
// begins, with its whole list in the tooltip.
TEST_F(PanelWindow, TheStripStopsShortOfTheInputMethodBoxAndItsEnIsCentred) {
    writePracticeSet(15);
    openSet();
    FrmTm *p = tm();
    p->show();
    forms::Label *box = p->LblIME;
    EXPECT_EQ(box->caption(), "EN");
    EXPECT_EQ(box->font().size, 9);
    auto px = [](double twips) { return int(twips / 15); };
    const QImage body = p->FrmZhuYa->widget()->grab().toImage();
    // The ink of the letters, found over the blue left of CmdEn: centred
    // there, to a pixel, and on the box's middle.
    const int x0 = px(box->left()), x1 = px(p->CmdEn->left());
    const int y0 = px(box->top()), y1 = px(box->top() + box->height());
    int inkLeft = x1, inkRight = -1, inkTop = y1, inkBottom = -1;
    for (int y = y0; y < y1; ++y)
        for (int x = x0; x < x1; ++x)
            if (body.pixelColor(x, y) != QColor(0, 0, 255)) {
                inkLeft = std::min(inkLeft, x), inkRight = std::max(inkRight, x);
                inkTop = std::min(inkTop, y), inkBottom = std::max(inkBottom, y);
            }
    ASSERT_GE(inkRight, inkLeft);
    EXPECT_NEAR(inkLeft - x0, x1 - 1 - inkRight, 2);
    EXPECT_NEAR(inkTop - y0, y1 - 1 - inkBottom, 2);
    EXPECT_GE(inkBottom - inkTop, 6); // readable, not a speck
    // A click on the letters opens the menu.
    S().UseInputMethod = true;
    int popups = 0;
    ft::setPopupHook([&](forms::Menu &, double, double) -> forms::Menu * {
        ++popups;
        return nullptr;
    });
    ft::click(box, (inkLeft + inkRight) / 2 * 15 - box->left(), 60);
    EXPECT_EQ(popups, 1);

    // The strip ends at PicUnit's right edge, before the blue box.
    EXPECT_LE(p->PicUnit->left() + p->PicUnit->width(), box->left());
    ASSERT_GT(p->LblUnit->width(), p->PicUnit->width()); // the list runs on
    const int row0 = int(box->top() / 15), rows = int(box->height() / 15);
    const int stripEnd = px(p->PicUnit->left() + p->PicUnit->width());
    for (int y = row0; y < row0 + rows; ++y) {
        for (int x = stripEnd; x < px(box->left()); ++x)
            EXPECT_EQ(body.pixelColor(x, y), QColor(240, 240, 240)) << x << "," << y;
        // The blue left of the letters holds no ink of the strip.
        for (int x = px(box->left()); x < inkLeft; ++x)
            EXPECT_EQ(body.pixelColor(x, y), QColor(0, 0, 255)) << x << "," << y;
    }
    ft::move(p->LblUnit, 30, 30);
    EXPECT_EQ(p->LblUnit->toolTipText(),
              "未完成的题目 1 2 3 4 5 6 7 8 9 10 11 12 13 14 15");
}

TEST_F(PanelWindow, RefusesToCloseUntilTheSetIsFinished) {
    writePracticeSet(2);
    openSet();
    FrmTm *p = tm();
    // A close from the window manager (Alt+F4), with the flag in either state.
    for (bool mayClose : {false, true}) {
        S().PanelMayClose = mayClose;
        QCloseEvent close;
        QApplication::sendEvent(p->widget(), &close);
        EXPECT_EQ(forms::loadedForm<FrmTm>(), p) << mayClose;
        EXPECT_TRUE(p->visible());
    }
    S().PanelMayClose = false;
    EXPECT_FALSE(p->unload());
    EXPECT_EQ(forms::loadedForm<FrmTm>(), p);
    // The finish closes the screen and the panel and shows the home page.
    press(Finish);
    EXPECT_TRUE(S().PanelMayClose);
    EXPECT_EQ(forms::loadedForm<FrmTm>(), nullptr);
    EXPECT_EQ(forms::loadedForm<FrmMain>(), nullptr);
    ASSERT_NE(forms::loadedForm<FrmFengmian>(), nullptr);
    EXPECT_TRUE(forms::loadedForm<FrmFengmian>()->visible());
    EXPECT_EQ(S().HomeReturnButton, 18);
}

TEST_F(PanelWindow, APictureQuestionShowsMovesAndHidesItsIllustration) {
    auto &s = S();
    s.PaperMode = startup::FavouritesAll;
    s.PaperIndex = 10;
    s.StudyMode = startup::Practice;
    writeSet({QStringLiteral("picture") + sample::kPanelIllustration + QStringLiteral("看图|操作"),
              QStringLiteral("第一行|第二行")});
    openSet();
    FrmTm *p = tm();
    FrmPicture *v = forms::form<FrmPicture>();
    EXPECT_EQ(p->RtbTM->text(), "看图|操作");
    ASSERT_TRUE(p->Image2->visible());
    EXPECT_EQ(caption(p->Image2), "显示图片");
    EXPECT_FALSE(v->visible());
    const QImage picture = forms::loadPicture(dir().bankFile(sample::kPanelIllustration)).image();
    ASSERT_FALSE(picture.isNull());
    EXPECT_EQ(v->Image1->picture().image(), picture);

    ft::click(p->Image2, 150, 150);
    EXPECT_TRUE(v->visible());
    EXPECT_EQ(caption(p->Image2), "隐藏图片");
    ft::advance(100); // the viewer fits itself to the picture and centres
    EXPECT_EQ(v->width(), picture.width() * 15 + 120);
    EXPECT_EQ(v->height(), picture.height() * 15 + 120);
    EXPECT_EQ(v->left(), (1366 * 15 - v->width()) / 2);
    EXPECT_EQ(v->top(), (768 * 15 - v->height()) / 2);
    EXPECT_TRUE(v->topmost());
    // Moved away, it comes back to the centre when shown again.
    v->move(0, 0);
    ft::click(p->Image2, 150, 150);
    EXPECT_FALSE(v->visible());
    EXPECT_EQ(caption(p->Image2), "显示图片");
    ft::click(p->Image2, 150, 150);
    EXPECT_EQ(v->left(), 0);
    ft::advance(100);
    EXPECT_EQ(v->left(), (1366 * 15 - v->width()) / 2);

    // The next question has no picture: toggle and viewer go away.
    press(Next);
    EXPECT_FALSE(v->visible());
    EXPECT_FALSE(p->Image2->visible());
    EXPECT_EQ(p->RtbTM->text(), "第一行\r\n第二行");
}

TEST_F(PanelWindow, GuideInformationAndDemonstration) {
    writePracticeSet(2);
    openSet();
    FrmTm *p = tm();
    FrmMain *m = frm();
    press(Guide);
    EXPECT_EQ(S().StudyMode, startup::Guided);
    EXPECT_TRUE(m->LHelp->visible());
    EXPECT_TRUE(m->TimerDisFK->enabled());
    // Guided help lasts until the next question.
    press(Next);
    EXPECT_EQ(S().StudyMode, startup::Practice);

    // The information button belongs to the exam set; its frame opens the same way.
    p->CmdGN_Click(CandidateInfo);
    EXPECT_TRUE(p->FrmKSXX->visible());
    EXPECT_EQ(p->KsName1->caption(), "考生");
    EXPECT_EQ(p->KsKM1->caption(), "Windows7");
    ft::click(p->CmdKSFH, 150, 150);
    EXPECT_FALSE(p->FrmKSXX->visible());

    // The demonstration hides both windows on the second tick and shows its
    // own; broken off with Escape it hands them back four ticks later and
    // the question reloads.
    press(Demo);
    EXPECT_TRUE(S().DemoPlaying);
    ft::advance(100);
    EXPECT_TRUE(p->visible());
    EXPECT_FALSE(forms::loadedForm<FrmYanShi>());
    ft::advance(100);
    FrmYanShi *demo = forms::loadedForm<FrmYanShi>();
    ASSERT_TRUE(demo);
    EXPECT_TRUE(demo->visible());
    // Its note shows the panel's question text.
    EXPECT_EQ(demo->ImgLogo->caption(), "题目2");
    EXPECT_TRUE(S().DemoPlaying);
    EXPECT_FALSE(p->visible());
    EXPECT_FALSE(m->visible());
    EXPECT_FALSE(p->TimStartYS->enabled());
    ft::keyUp(forms::vbKeyEscape);
    ft::advance(300);
    EXPECT_TRUE(S().DemoPlaying);
    ft::advance(100);
    EXPECT_FALSE(forms::loadedForm<FrmYanShi>());
    EXPECT_FALSE(S().DemoPlaying);
    EXPECT_TRUE(p->visible());
    EXPECT_TRUE(m->visible());
    EXPECT_TRUE(p->TimerREDO->enabled());
    ft::advance(100);
    EXPECT_FALSE(p->TimerREDO->enabled());
    EXPECT_EQ(p->RtbTM->text(), "题目2");
}

// A demonstration asked for while the screen waits on a timed step: the
// hidden screen stands still while the demonstration plays every step with
// its own record, and the reload after the hand-back shows the step the
// screen was on. Its timed step then runs on.
TEST_F(PanelWindow, ADemonstrationBesideATimedStepLeavesTheScreenWhereItWas) {
    const QString answers = dir().bankFile(QStringLiteral("t88890"));
    ASSERT_TRUE(platform::writeLinesAtomic(answers, {QStringLiteral("001abc")}));
    const struct {
        int timed; // the step the screen is on
    } cases[] = {{3}, {4}};
    for (const auto &c : cases) {
        SCOPED_TRACE(c.timed);
        // Five steps: a click, a typed answer, the timed step among two
        // clicks, the last step.
        QStringList steps;
        QStringList codes{QString()};
        for (int k = 1; k <= 4; ++k) {
            sample::StepBuilder b;
            if (k == c.timed)
                b.action("8888");
            else if (k == 2)
                b.action("0020").textBox(3000, 3000, 3000, 300).answerLine(1);
            else
                b.action("0001").target(1000 * k, 1350, 1080, 1080);
            steps << b;
            codes << b.build().mid(7, 4);
        }
        steps << sample::StepBuilder().action("9999");
        codes << QStringLiteral("9999");
        writePracticeSet(1);
        S().TextFilePath = answers;
        ASSERT_TRUE(platform::writeLinesAtomic(S().StepFilePath, steps));
        openSet();
        // Back at the question's timed step, as a resumed question is.
        S().StepMemo[0] = c.timed;
        tm()->DqExam();
        ft::advance(100);
        ASSERT_EQ(S().CurStep, c.timed);
        ASSERT_TRUE(frm()->Timer3->enabled());

        press(Demo);
        std::set<int> played;
        QString typed;
        QStringList wrong; // what went astray, tick by tick
        int t = 0;
        for (; t < 60000 && (t < 300 || forms::loadedForm<FrmYanShi>()); t += 100) {
            ft::advance(100);
            FrmYanShi *f = forms::loadedForm<FrmYanShi>();
            if (S().CurStep != c.timed)
                wrong << QStringLiteral("%1 ms: the screen on step %2").arg(t).arg(S().CurStep);
            if (!f) continue;
            played.insert(f->DemoStep);
            const QString code = sim::StepRecord(S().CurRecord).actionCode();
            if (code != codes.value(f->DemoStep))
                wrong << QStringLiteral("%1 ms: step %2 plays %3").arg(t).arg(f->DemoStep).arg(code);
            // The box keeps its text once the typing has ended the step.
            if (f->DemoStep == 2 || f->DemoStep == 3) typed = f->Text1->text();
        }
        ASSERT_FALSE(forms::loadedForm<FrmYanShi>()) << t;
        EXPECT_EQ(wrong.mid(0, 5).join(u'\n').toStdString(), "");
        EXPECT_EQ(played, (std::set<int>{1, 2, 3, 4, 5}));
        EXPECT_EQ(typed, "abc");
        EXPECT_FALSE(S().DemoPlaying);

        // The reload, then the step engine's build.
        ft::advance(200);
        EXPECT_EQ(S().CurStep, c.timed);
        EXPECT_EQ(S().CurRecord, steps[c.timed - 1]);
        EXPECT_TRUE(frm()->Timer3->enabled());
        ft::advance(1000);
        EXPECT_EQ(S().CurStep, c.timed + 1);

        S().PanelMayClose = true;
        forms::unloadForm<FrmMain>();
        forms::unloadForm<FrmTm>();
        S().PanelMayClose = false;
    }
}

// Random and truncated lines of the question file never stop the panel:
// whatever the file holds, a question shows some text and nothing fails.
TEST_F(PanelWindow, BrokenQuestionFilesNeverStopThePanel) {
    writePracticeSet(3);
    openSet();
    FrmTm *p = tm();
    auto &s = S();
    std::mt19937 rng(20150307);
    const QString alphabet = QStringLiteral("picture|0123456789ab 题目图");
    for (int round = 0; round < 200; ++round) {
        QStringList lines;
        const int n = static_cast<int>(rng() % 5);
        for (int i = 0; i < n; ++i) {
            // Lines are never empty: an empty last line cannot be told from
            // the file's final line end.
            QString line = QStringLiteral("0");
            const int len = static_cast<int>(rng() % 30);
            for (int k = 0; k < len; ++k)
                line += alphabet[static_cast<int>(rng() % alphabet.size())];
            if (rng() % 3 == 0) line = QStringLiteral("010102picture") + line.left(rng() % 8);
            lines << line;
        }
        if (rng() % 7 == 0) {
            QFile::remove(s.QuestionFilePath);
            lines.clear();
        } else {
            ASSERT_TRUE(platform::writeLinesAtomic(s.QuestionFilePath, lines));
        }
        s.CurQuestion = 1 + static_cast<int>(rng() % 3);
        const QString before = s.LineBuffer;
        p->DqExam();
        if (lines.isEmpty()) {
            EXPECT_EQ(s.LineBuffer, before);
        } else {
            EXPECT_EQ(s.LineBuffer, lines.at(std::min<int>(s.CurQuestion, lines.size()) - 1));
        }
        EXPECT_EQ(p->Image2->visible(), s.LineBuffer.mid(6).startsWith(QStringLiteral("picture")));
    }
}
