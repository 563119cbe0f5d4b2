// The windows of a paper and of a practice set's end opened from the
// question panel itself, through the mouse driver and the manual clock:
// the hand-in road to the score sheet and back to the papers tab, the
// "no" answers, the clock running out behind an open window, the finish
// of a practice set to its record files, the answer warning and the
// input-method notice and menu.
#include "panel_fixture.h"

#include "home/frm_fengmian.h"
#include "demo/frm_yanshi.h"
#include "panel/frm_chengji.h"
#include "panel/frm_czts.h"
#include "panel/frm_ime.h"
#include "panel/hand_in.h"
#include "platform/fakes.h"
#include "platform/system.h"

using namespace panel;

namespace {

QString codes(int from, int to) {
    QString out;
    for (int c = from; c <= to; ++c) out += QStringLiteral("%1").arg(c, 4, 10, QLatin1Char('0'));
    return out;
}

class PanelRoad : public PanelFixture {
protected:
    PanelRoad() {
        resetTimeUp();
        // Answers every window shown modally by the button named for it.
        ft::setModalHook([this](forms::Form &f) {
            modals << f.name();
            panelSeen << (forms::loadedForm<FrmTm>() && tm()->visible());
            if (const auto it = onModal.find(f.name()); it != onModal.end()) it->second(f);
        });
    }
    ~PanelRoad() override { resetTimeUp(); }

public: // for the tables of cases
    void putRecord(const QString &name, const QByteArray &bytes) {
        testsupport::writeBytes(dir().ksdata() + name + ".mxy", bytes);
    }
    QByteArray record(const QString &name) {
        return testsupport::readBytes(dir().ksdata() + name + ".mxy");
    }
    // Bank index: one paper, two units of the given question counts.
    void writeBankIndex(const QString &counts, const QString &paper) {
        testsupport::writeBytes(dir().bankFile("288891"), testsupport::gbkLines({"0102", counts, paper}));
    }

    // Fixed paper 1 of 40 questions (codes 0101 to 0140) as the login
    // leaves it: the exam clock running, the exam buttons shown.
    void startPaper() {
        auto &s = S();
        writeBankIndex("0240", codes(101, 140));
        s.PaperMode = startup::MockPaper;
        s.PaperIndex = 0;
        s.PaperSlot = 0;
        s.StudyMode = startup::Exam;
        s.PanelMayClose = false;
        s.ExamStartTime = QStringLiteral("2015-03-07 08:10:00");
        s.QuestionStatus.fill(0);
        QStringList texts;
        for (int i = 1; i <= 40; ++i) texts << QStringLiteral("考题%1").arg(i);
        writeSet(texts);
        openSet();
        ASSERT_TRUE(tm()->CmdGN(HandIn)->visible());
    }
    // Question 1 worked to its end through the simulated screen.
    void workFirstQuestion() { ft::click(frm()->Label1, 300, 300); }

    // What the hand-in dialog does when it is shown.
    void answerHandIn(const QString &form, bool yes) {
        onModal[form] = [yes](forms::Form &f) {
            auto &d = static_cast<HandInDialog &>(f);
            ft::click(yes ? d.Command1 : d.Command2, 300, 150);
        };
    }
    void closeByTitleBar(const QString &form) {
        onModal[form] = [](forms::Form &f) { f.unload(forms::vbFormControlMenu); };
    }
    bool docked() {
        FrmTm *p = forms::loadedForm<FrmTm>();
        FrmMain *m = forms::loadedForm<FrmMain>();
        return p && m && p->visible() && p->left() + p->width() == m->effectiveLeft() + m->effectiveWidth() &&
               p->top() + p->height() == m->effectiveTop() + m->effectiveHeight();
    }
    // Ticks the exam clock to zero: the next minute is its last.
    void runClockOut() {
        S().MinutesLeft = 1;
        ft::advance(60000);
    }

    QStringList modals;
    QList<bool> panelSeen; // the panel visible when each modal window opened
    std::map<QString, std::function<void(forms::Form &)>> onModal;
};

TEST_F(PanelRoad, HandInFromThePanelsButtonToTheScoreSheetAndThePapersTab) {
    startPaper();
    workFirstQuestion();
    ASSERT_EQ(S().QuestionStatus[0], 5);
    press(Next);
    press(Mark); // question 2 marked: the first dialog warns
    QString warning;
    onModal["FrmEnd1"] = [&](forms::Form &f) {
        auto &d = static_cast<FrmEnd1 &>(f);
        warning = d.Label1->caption();
        EXPECT_EQ(tm()->left(), 0);
        EXPECT_EQ(tm()->top(), 0);
        ft::click(d.Command1, 300, 150);
    };
    answerHandIn("FrmEnd2", true);
    press(HandIn);

    EXPECT_EQ(modals, QStringList({"FrmEnd1", "FrmEnd2"}));
    EXPECT_EQ(panelSeen, QList<bool>({false, false}));
    EXPECT_EQ(warning, "您还有题目未做或仍处于标识状态！\r\n\r\n您是否确定交卷?");
    EXPECT_FALSE(forms::loadedForm<FrmTm>());
    EXPECT_FALSE(forms::loadedForm<FrmMain>());
    FrmChengji *sheet = forms::loadedForm<FrmChengji>();
    ASSERT_TRUE(sheet);
    EXPECT_TRUE(sheet->visible());
    EXPECT_EQ(sheet->Label1->caption(), "第1套得分：2.5分");
    EXPECT_EQ(record("182400"), codes(102, 140).toLatin1() + "\r\n");
    EXPECT_TRUE(record("288892").startsWith("2015-03-07 08:10:00\r\n2.5\r\nE\r\n"));
    // The clock has gone with the panel: no time-out comes later.
    ft::advance(50 * 60000);
    EXPECT_TRUE(ft::msgBoxes().empty());

    ft::click(sheet->Command2, 100, 100);
    EXPECT_FALSE(forms::loadedForm<FrmChengji>());
    FrmFengmian *home = forms::loadedForm<FrmFengmian>();
    ASSERT_TRUE(home);
    EXPECT_TRUE(home->visible());
    EXPECT_EQ(S().HomeReturnButton, 17);
    EXPECT_TRUE(home->TimFH->enabled());
    ft::advance(100);
    EXPECT_FALSE(home->TimFH->enabled());
    // Nothing of the paper came back behind the home page.
    EXPECT_FALSE(forms::loadedForm<FrmTm>());
    EXPECT_FALSE(forms::loadedForm<FrmMain>());
}

TEST_F(PanelRoad, EveryNoReturnsToThePaperWithItsClockRunning) {
    const struct {
        const char *what;
        std::function<void(PanelRoad &)> answers;
        QStringList modals;
    } cases[] = {
        {"first no", [](PanelRoad &t) { t.answerHandIn("FrmEnd1", false); }, {"FrmEnd1"}},
        {"second no",
         [](PanelRoad &t) {
             t.answerHandIn("FrmEnd1", true);
             t.answerHandIn("FrmEnd2", false);
         },
         {"FrmEnd1", "FrmEnd2"}},
        {"first closed", [](PanelRoad &t) { t.closeByTitleBar("FrmEnd1"); }, {"FrmEnd1"}},
        {"second closed",
         [](PanelRoad &t) {
             t.answerHandIn("FrmEnd1", true);
             t.closeByTitleBar("FrmEnd2");
         },
         {"FrmEnd1", "FrmEnd2"}},
    };
    startPaper();
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        modals.clear();
        onModal.clear();
        c.answers(*this);
        const int minutes = S().MinutesLeft;
        // A minute passes while the first dialog is open.
        auto answer1 = onModal["FrmEnd1"];
        onModal["FrmEnd1"] = [answer1](forms::Form &f) {
            ft::advance(60000);
            answer1(f);
        };
        press(HandIn);
        EXPECT_EQ(modals, c.modals);
        EXPECT_TRUE(docked());
        EXPECT_FALSE(forms::loadedForm<FrmEnd1>());
        EXPECT_FALSE(forms::loadedForm<FrmEnd2>());
        EXPECT_FALSE(forms::loadedForm<FrmChengji>());
        EXPECT_FALSE(S().PanelMayClose);
        EXPECT_TRUE(tm()->TimeKS->enabled());
        EXPECT_EQ(S().MinutesLeft, minutes - 1);
    }
    EXPECT_TRUE(ft::msgBoxes().empty());
}

TEST_F(PanelRoad, TheClockAtZeroHandsInThroughBothDialogs) {
    startPaper();
    answerHandIn("FrmEnd1", true);
    answerHandIn("FrmEnd2", true);
    runClockOut();
    ASSERT_EQ(ft::msgBoxes().size(), 1u);
    EXPECT_EQ(ft::msgBoxes()[0].prompt, "时间已到，自动交卷！");
    EXPECT_EQ(ft::msgBoxes()[0].title, "Windows7");
    EXPECT_EQ(modals, QStringList({"FrmEnd1", "FrmEnd2"}));
    EXPECT_FALSE(forms::loadedForm<FrmTm>());
    ASSERT_TRUE(forms::loadedForm<FrmChengji>());
    EXPECT_EQ(forms::loadedForm<FrmChengji>()->Label1->caption(), "第1套得分：0分");
}

TEST_F(PanelRoad, TheClockRunningOutUnderAnOpenDialogOnlyShowsItsMessage) {
    for (const QString dialog : {"FrmEnd1", "FrmEnd2"}) {
        SCOPED_TRACE(dialog.toStdString());
        startPaper();
        modals.clear();
        onModal.clear();
        answerHandIn("FrmEnd1", true);
        std::function<void(forms::Form &)> answer = [](forms::Form &f) {
            ft::click(static_cast<HandInDialog &>(f).Command2, 300, 150);
        };
        onModal[dialog] = [this, answer](forms::Form &f) {
            const size_t before = ft::msgBoxes().size();
            runClockOut();
            EXPECT_EQ(ft::msgBoxes().size(), before + 1);
            EXPECT_TRUE(f.visible());
            answer(f);
        };
        press(HandIn);
        // One hand-in at a time: neither dialog opened a second time.
        EXPECT_EQ(modals, dialog == "FrmEnd1" ? QStringList({"FrmEnd1"})
                                              : QStringList({"FrmEnd1", "FrmEnd2"}));
        EXPECT_EQ(ft::msgBoxes().back().prompt, "时间已到，自动交卷！");
        // The paper goes on without a clock.
        EXPECT_TRUE(docked());
        EXPECT_FALSE(tm()->TimeKS->enabled());
        const size_t shown = ft::msgBoxes().size();
        ft::advance(10 * 60000);
        EXPECT_EQ(ft::msgBoxes().size(), shown);
        EXPECT_EQ(modals.size(), dialog == "FrmEnd1" ? 1 : 2);
        // Handed in later through the button.
        modals.clear();
        answerHandIn("FrmEnd1", true);
        answerHandIn("FrmEnd2", true);
        press(HandIn);
        EXPECT_EQ(modals, QStringList({"FrmEnd1", "FrmEnd2"}));
        EXPECT_TRUE(forms::loadedForm<FrmChengji>());
        forms::unloadForm<FrmChengji>();
    }
}

TEST_F(PanelRoad, SeeTheAnswerAndTheImeNoticeHoldTheTimeOutUntilTheyClose) {
    startPaper();
    answerHandIn("FrmEnd1", false);
    // The answer warning over the panel, the illustration hidden first.
    tm()->Image2->setCaption(QStringLiteral("隐藏图片"));
    forms::form<FrmPicture>()->show();
    onModal["FrmCZTS"] = [this](forms::Form &f) {
        EXPECT_FALSE(forms::form<FrmPicture>()->visible());
        EXPECT_EQ(tm()->Image2->Caption(), "显示图片");
        runClockOut();
        EXPECT_TRUE(ft::msgBoxes().empty());
        EXPECT_EQ(modals, QStringList({"FrmCZTS"}));
        ft::click(static_cast<FrmCZTS &>(f).Command1, 300, 150);
    };
    press(SeeAnswer);
    EXPECT_FALSE(forms::loadedForm<FrmCZTS>());
    EXPECT_EQ(modals, QStringList({"FrmCZTS", "FrmEnd1"}));
    ASSERT_EQ(ft::msgBoxes().size(), 1u);
    EXPECT_EQ(ft::msgBoxes()[0].prompt, "时间已到，自动交卷！");
    EXPECT_TRUE(docked());
    EXPECT_EQ(S().StudyMode, startup::Exam);

    // The input-method notice over the minimised panel, on a new paper.
    forms::unloadForm<FrmMain>();
    S().PanelMayClose = true;
    forms::unloadForm<FrmTm>();
    startPaper();
    modals.clear();
    onModal["FrmIME"] = [this](forms::Form &f) {
        EXPECT_TRUE(tm()->FrmZXH->visible());
        EXPECT_DOUBLE_EQ(tm()->width(), tm()->FrmZXH->width());
        runClockOut();
        EXPECT_EQ(ft::msgBoxes().size(), 1u);
        ft::click(static_cast<FrmIME &>(f).LblClick(0), 100, 100);
    };
    ft::click(tm()->CmdEn, 100, 100);
    EXPECT_EQ(modals, QStringList({"FrmIME", "FrmEnd1"}));
    EXPECT_EQ(ft::msgBoxes().size(), 2u);
    EXPECT_FALSE(tm()->FrmZXH->visible());
    EXPECT_DOUBLE_EQ(tm()->width(), 4980);
    EXPECT_TRUE(docked());
}

TEST_F(PanelRoad, SeeingTheAnswerTurnsThePanelToPractice) {
    startPaper();
    ft::setMsgBoxHook([](const forms::MsgBoxCall &) { return forms::vbYes; });
    onModal["FrmCZTS"] = [](forms::Form &f) { ft::click(static_cast<FrmCZTS &>(f).Command2, 300, 150); };
    press(SeeAnswer);
    FrmTm *p = tm();
    EXPECT_TRUE(p->PicUnit->visible());
    for (int i : {Finish, Guide, Demo}) EXPECT_TRUE(p->CmdGN(i)->visible()) << i;
    for (int i : {HandIn, CandidateInfo, SeeAnswer}) EXPECT_FALSE(p->CmdGN(i)->visible()) << i;
    EXPECT_TRUE(p->TimStartYS->enabled());
    EXPECT_TRUE(p->TimKsModel->enabled());
    EXPECT_EQ(S().ExamStartTime, "-1");
    // The buttons stay the practice ones once the study-mode timer has run.
    ft::advance(500);
    EXPECT_TRUE(p->CmdGN(Finish)->visible());
    EXPECT_FALSE(p->CmdGN(HandIn)->visible());
}

TEST_F(PanelRoad, TheClockRunningOutDuringADemonstrationWaitsForItsEnd) {
    startPaper(); // the panel was created 500 ms ago
    ft::setMsgBoxHook([](const forms::MsgBoxCall &) { return forms::vbYes; });
    onModal["FrmCZTS"] = [](forms::Form &f) { ft::click(static_cast<FrmCZTS &>(f).Command2, 300, 150); };
    press(SeeAnswer); // the paper turns into practice; its clock runs on
    ft::advance(200);  // the demonstration the warning starts is up
    ASSERT_TRUE(forms::loadedForm<FrmYanShi>());
    ft::keyUp(forms::vbKeyEscape);
    ft::advance(400);
    ASSERT_FALSE(S().DemoPlaying);
    answerHandIn("FrmEnd1", false);
    S().MinutesLeft = 1;
    ft::advance(58800); // 100 ms before the clock's minute
    const size_t before = ft::msgBoxes().size();
    press(Demo);
    ft::advance(100); // the minute is up while the demonstration plays
    EXPECT_EQ(ft::msgBoxes().size(), before);
    EXPECT_FALSE(modals.contains("FrmEnd1"));
    EXPECT_TRUE(timeUpPending());
    ft::advance(100); // the demonstration window is up
    ASSERT_TRUE(forms::loadedForm<FrmYanShi>());
    ft::keyUp(forms::vbKeyEscape); // broken off, it hands the screen back
    ft::advance(400);
    EXPECT_FALSE(forms::loadedForm<FrmYanShi>());
    EXPECT_FALSE(S().DemoPlaying);
    ASSERT_EQ(ft::msgBoxes().size(), before + 1);
    EXPECT_EQ(ft::msgBoxes().back().prompt, "时间已到，自动交卷！");
    EXPECT_EQ(modals.count("FrmEnd1"), 1);
    EXPECT_FALSE(timeUpPending());
}

TEST_F(PanelRoad, ImeLabelOpensTheMenuOnlyWithTheOption) {
    dynamic_cast<platform::FakeKeyboardLayouts &>(platform::keyboardLayouts()).layouts = {
        {11, ""}, {12, "拼音"}, {13, "五笔"}};
    writePracticeSet(1);
    openSet();
    QStringList shown;
    double atX = -1, atY = -1;
    ft::setPopupHook([&](forms::Menu &menu, double x, double y) -> forms::Menu * {
        atX = x;
        atY = y;
        forms::Menu *chosen = nullptr;
        for (forms::Menu *item : menu.items()) {
            if (!item->visible()) continue;
            shown << item->caption();
            if (item->caption() == "五笔") chosen = item;
        }
        return chosen;
    });
    S().UseInputMethod = false;
    ft::click(tm()->LblIME, 100, 100);
    EXPECT_TRUE(shown.isEmpty());
    EXPECT_EQ(S().InputLayout, 0u);

    S().UseInputMethod = true;
    ft::click(tm()->LblIME, 100, 100);
    EXPECT_EQ(shown, QStringList({"英语（美国）", "拼音", "五笔"}));
    // Right-aligned on the label, 300 twips an item above it.
    EXPECT_DOUBLE_EQ(atX, 4230);
    EXPECT_DOUBLE_EQ(atY, 2760 - 3 * 300 + 450);
    EXPECT_EQ(S().InputLayout, 13u);
}

TEST_F(PanelRoad, TheFinishButtonWritesThePracticeSetsRecords) {
    const struct {
        const char *what;
        int mode, index, slot, homeButton;
        std::map<QString, QByteArray> before, after;
    } cases[] = {
        {"whole unit", startup::UnitAll, 1, 1, 16, {}, {}},
        {"wrong book", startup::WrongBookAll, 12, 0, 19,
         {{"288863", "010101020103\r\n"}, {"288873", "FFF\r\n"}},
         {{"288863", "010101020103\r\n"}, {"288873", "TFF\r\n"}}},
        {"paper's wrong answers", startup::PaperWrongReview, 1, 0, 0,
         {{"182400", "010101020103\r\n"}},
         {{"182400", "01020103\r\n"}}},
    };
    ft::setMsgBoxHook([](const forms::MsgBoxCall &) { return forms::vbYes; });
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        auto &s = S();
        writeBankIndex("0203", codes(101, 103));
        putRecord("288893", "TT\r\nFFF\r\n");
        putRecord("288862", "");
        putRecord("288872", "");
        for (const auto &[name, bytes] : c.before) putRecord(name, bytes);
        s.UnitCount = 2;
        s.PaperMode = c.mode;
        s.PaperIndex = c.index;
        s.PaperSlot = c.slot;
        s.StudyMode = startup::Practice;
        s.PanelMayClose = false;
        s.QuestionStatus.fill(0);
        writeSet({QStringLiteral("题目1"), QStringLiteral("题目2"), QStringLiteral("题目3")});
        openSet();
        workFirstQuestion();
        press(Next);
        press(Next);
        press(Mark);
        const size_t asked = ft::msgBoxes().size();
        press(Finish);

        EXPECT_FALSE(forms::loadedForm<FrmTm>());
        EXPECT_FALSE(forms::loadedForm<FrmMain>());
        for (const auto &[name, bytes] : c.after) EXPECT_EQ(record(name), bytes) << name.toStdString();
        // The unit's line shows the set's end; the home page has brought
        // the file into shape again since.
        const auto progress = platform::readLines(dir().ksdata() + "288893.mxy");
        ASSERT_TRUE(progress);
        ASSERT_GE(progress->size(), 2);
        EXPECT_EQ(progress->at(0), "TT");
        EXPECT_EQ(progress->at(1), c.mode == startup::UnitAll ? "TFF" : "FFF");
        EXPECT_EQ(record("288862"), "0103\r\n");
        EXPECT_EQ(record("288872"), "F\r\n");
        EXPECT_EQ(ft::msgBoxes().size() - asked, c.mode == startup::PaperWrongReview ? 1u : 0u);

        FrmFengmian *home = forms::loadedForm<FrmFengmian>();
        ASSERT_TRUE(home);
        EXPECT_TRUE(home->visible());
        EXPECT_EQ(s.HomeReturnButton, c.homeButton);
        EXPECT_EQ(home->TimFH->enabled(), c.homeButton != 0);
        ft::advance(100);
        EXPECT_FALSE(home->TimFH->enabled());
        forms::unloadForm<FrmFengmian>();
    }
}

} // namespace
