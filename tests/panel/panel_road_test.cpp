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

#include <QWidget>
#include <QWindow>

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
        // Answers every window shown modally by the button named for it.
        ft::setModalHook([this](forms::Form &f) {
            modals << f.name();
            panelSeen << (forms::loadedForm<FrmTm>() && tm()->visible());
            if (const auto it = onModal.find(f.name()); it != onModal.end()) it->second(f);
        });
    }

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
        clockStart = ft::now();
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
    // The clock's last minute, run up to the given time before its end.
    void runClockTo(qint64 beforeZero) {
        S().MinutesLeft = 1;
        ft::advance(60000 - (ft::now() - clockStart) % 60000 - beforeZero);
    }

    // A hand-in dialog after the time-up's message: on show and on top, over
    // the paper's screen on show, and nothing else of the candidate's left
    // open (the warning, the notice, a demonstration, the illustration).
    void expectBoxBack(forms::Form &f) {
        EXPECT_FALSE(f.widget()->isMinimized()) << f.name().toStdString();
        EXPECT_EQ(f.windowState(), forms::vbNormal);
        EXPECT_EQ(ft::keyForm(), &f);
        EXPECT_TRUE(frm()->visible());
        EXPECT_FALSE(frm()->widget()->isMinimized());
        EXPECT_EQ(frm()->windowState(), forms::vbNormal);
        EXPECT_FALSE(forms::loadedForm<FrmCZTS>());
        EXPECT_FALSE(forms::loadedForm<FrmIME>());
        EXPECT_FALSE(forms::loadedForm<FrmYanShi>());
        if (FrmPicture *p = forms::loadedForm<FrmPicture>()) {
            EXPECT_FALSE(p->visible());
        }
        EXPECT_EQ(ft::msgBoxes().back().prompt, "时间已到，自动交卷！");
    }

    qint64 clockStart = 0; // when the paper's panel and its clock were made
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

// Whatever the candidate has open when the clock reaches zero, its
// message comes at once, then the first hand-in dialog (or, when a hand-in
// dialog is open already, the message over it and that dialog, brought
// back), over the paper's windows on show; 返回 leaves the paper going on
// with the clock stopped and the keys on the screen.
TEST_F(PanelRoad, TheClockAtZeroComesAtOnceWhateverIsOpen) {
    auto seeAnswerWith = [this](int answer) {
        ft::setMsgBoxHook([answer](const forms::MsgBoxCall &c) {
            return c.title == "不建议您立即看答案" ? answer : forms::vbOK;
        });
        onModal["FrmCZTS"] = [](forms::Form &f) {
            ft::click(static_cast<FrmCZTS &>(f).Command2, 300, 150);
        };
        press(SeeAnswer);
    };
    const struct {
        const char *what;
        std::function<void()> open;          // runs the clock out with it open
        QStringList modals;                     // the windows shown, in order
        bool answersSeen = false;               // the paper turned to practice
    } cases[] = {
        {"nothing open", [this] { runClockOut(); }, {"FrmEnd1"}},
        {"重要提示 from the hand-in button",
         [this] {
             onModal["FrmEnd1"] = [this](forms::Form &f) {
                 runClockOut();
                 expectBoxBack(f);
                 ft::click(static_cast<HandInDialog &>(f).Command2, 300, 150);
             };
             press(HandIn);
         },
         {"FrmEnd1"}},
        {"its second box",
         [this] {
             answerHandIn("FrmEnd1", true);
             onModal["FrmEnd2"] = [this](forms::Form &f) {
                 runClockOut();
                 expectBoxBack(f);
                 ft::click(static_cast<HandInDialog &>(f).Command2, 300, 150);
             };
             press(HandIn);
         },
         {"FrmEnd1", "FrmEnd2"}},
        {"重要提示 minimised by the window manager",
         [this] {
             onModal["FrmEnd1"] = [this](forms::Form &f) {
                 ft::byWindowManager(&f, Qt::WindowMinimized);
                 ASSERT_EQ(frm()->windowState(), forms::vbMinimized);
                 runClockOut();
                 expectBoxBack(f);
                 ft::click(static_cast<HandInDialog &>(f).Command2, 300, 150);
             };
             press(HandIn);
         },
         {"FrmEnd1"}},
        {"请注意",
         [this] {
             onModal["FrmCZTS"] = [this](forms::Form &) { runClockOut(); };
             press(SeeAnswer);
         },
         {"FrmCZTS", "FrmEnd1"}},
        {"a box over 请注意",
         [this] {
             ft::setMsgBoxHook([this](const forms::MsgBoxCall &c) {
                 if (c.title == "不建议您立即看答案") runClockOut();
                 return forms::vbYes; // overruled: the box went with the time-up
             });
             onModal["FrmCZTS"] = [](forms::Form &f) {
                 ft::click(static_cast<FrmCZTS &>(f).Command2, 300, 150);
             };
             press(SeeAnswer);
         },
         {"FrmCZTS", "FrmEnd1"}},
        {"the input-method notice",
         [this] {
             onModal["FrmIME"] = [this](forms::Form &) { runClockOut(); };
             ft::click(tm()->CmdEn, 100, 100);
         },
         {"FrmIME", "FrmEnd1"}},
        {"the input-method menu",
         [this] {
             S().UseInputMethod = true;
             ft::setPopupHook([this](forms::Menu &m, double, double) {
                 runClockOut();
                 return m.items().empty() ? nullptr : m.items().back();
             });
             ft::click(tm()->LblIME, 60, 60);
         },
         {"FrmEnd1"}},
        {"the illustration",
         [this] {
             tm()->Image2->setCaption(QStringLiteral("隐藏图片"));
             forms::form<FrmPicture>()->show();
             runClockOut();
         },
         {"FrmEnd1"}},
        {"a demonstration on its way after 我想立即看答案",
         [this, seeAnswerWith] {
             runClockTo(100);
             seeAnswerWith(forms::vbYes);
             ASSERT_TRUE(tm()->TimStartYS->enabled());
             ft::advance(100);
         },
         {"FrmCZTS", "FrmEnd1"},
         true},
        {"a demonstration playing after 我想立即看答案",
         [this, seeAnswerWith] {
             runClockTo(400);
             seeAnswerWith(forms::vbYes);
             ft::advance(200);
             ASSERT_TRUE(forms::loadedForm<FrmYanShi>());
             ft::advance(200);
         },
         {"FrmCZTS", "FrmEnd1"},
         true},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        startPaper();
        modals.clear();
        onModal.clear();
        ft::setMsgBoxHook(nullptr);
        ft::setPopupHook(nullptr);
        const size_t before = ft::msgBoxes().size();
        // The first dialog, when the time-up opens it: over the paper's
        // windows, with nothing else left open.
        onModal["FrmEnd1"] = [this](forms::Form &f) {
            expectBoxBack(f);
            ft::click(static_cast<HandInDialog &>(f).Command2, 300, 150);
        };
        c.open();

        EXPECT_EQ(modals, c.modals);
        EXPECT_EQ(ft::msgBoxes().size(), before + (c.answersSeen ? 2 : 1) +
                                             (QString(c.what) == "a box over 请注意"));
        EXPECT_EQ(ft::msgBoxes().back().prompt, "时间已到，自动交卷！");
        // 返回: the paper goes on, without a clock, the keys on the screen.
        EXPECT_TRUE(docked());
        EXPECT_FALSE(tm()->TimeKS->enabled());
        EXPECT_FALSE(S().DemoPlaying);
        EXPECT_EQ(S().StudyMode != startup::Exam, c.answersSeen);
        EXPECT_EQ(S().ExamStartTime == "-1", c.answersSeen);
        ft::advance(500); // the question reloaded where a demonstration held it
        EXPECT_EQ(ft::keyForm(), frm());
        for (forms::Form *f : forms::loadedForms())
            EXPECT_TRUE(f == frm() || f == tm() || !f->visible()) << f->name().toStdString();
        const size_t shown = ft::msgBoxes().size();
        ft::advance(10 * 60000);
        EXPECT_EQ(ft::msgBoxes().size(), shown);
        // Handed in later through the button, where the paper still has it.
        if (!c.answersSeen) {
            modals.clear();
            answerHandIn("FrmEnd1", true);
            answerHandIn("FrmEnd2", true);
            press(HandIn);
            EXPECT_EQ(modals, QStringList({"FrmEnd1", "FrmEnd2"}));
            EXPECT_TRUE(forms::loadedForm<FrmChengji>());
            forms::unloadForm<FrmChengji>();
        } else {
            S().PanelMayClose = true;
            forms::unloadForm<FrmTm>();
            forms::unloadForm<FrmMain>();
        }
        ft::deleteUnloaded();
    }
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

namespace {

// A Enter key step, then the last step: a question that only a key
// reaching the simulated screen can finish.
QStringList enterKeyQuestion() {
    return {sample::StepBuilder().background("q00005").action("6013").keyAlts("00000"),
            sample::StepBuilder().action("9999")};
}

// The desktop's close request, as the window system hands it to a window.
void closeFromDesktop(forms::Form &f) {
    ASSERT_TRUE(f.widget()->windowHandle());
    f.widget()->windowHandle()->close();
}

} // namespace

// Whatever the candidate clicks, presses or drags on the panel, and however
// a box or the illustration opened from it closes, the next key goes to the
// simulated screen and is judged there.
TEST_F(PanelRoad, AfterEveryControlAndEveryBoxTheNextKeyIsJudged) {
    enum Set { Practice, Exam };
    auto openIllustration = [this] { ft::click(tm()->Image2, 150, 150); };
    auto bar = [this] { ft::click(tm()->LblZXH, 100, 100); };
    auto czts = [this](std::function<void(FrmCZTS &)> close) {
        onModal["FrmCZTS"] = [close](forms::Form &f) { close(static_cast<FrmCZTS &>(f)); };
        press(SeeAnswer);
    };
    auto notice = [this](std::function<void(FrmIME &)> close) {
        onModal["FrmIME"] = [close](forms::Form &f) { close(static_cast<FrmIME &>(f)); };
        ft::click(tm()->CmdEn, 100, 100);
    };
    const struct {
        const char *what;
        Set set;
        std::function<void()> act;
    } cases[] = {
        {"上一题", Practice, [this] { press(Next), press(Previous); }},
        {"下一题", Practice, [this] { press(Next); }},
        {"重做本题", Practice, [this] { press(Redo); }},
        {"标记", Practice, [this] { press(Mark); }},
        {"取消标记", Practice, [this] { press(Mark), press(Unmark); }},
        {"题目", Practice, [this] { press(List); }},
        {"the list's 下一页", Practice,
         [this] { press(List), ft::click(tm()->CmdSelNext, 150, 150); }},
        {"the list's 上一页", Practice,
         [this] { press(List), ft::click(tm()->CmdSelLast, 150, 150); }},
        {"the list's 返回", Practice, [this] { press(List), ft::click(tm()->CmdSelFH, 150, 150); }},
        {"a number of the list", Practice,
         [this] { press(List), ft::click(tm()->CmTNO(3), 150, 150); }},
        {"操作提示", Practice, [this] { press(Guide); }},
        {"操作演示 played to its end", Practice,
         [this] {
             press(Demo);
             ft::advance(30000);
             ASSERT_FALSE(forms::loadedForm<FrmYanShi>());
         }},
        {"显示图片", Practice, openIllustration},
        {"隐藏图片", Practice, [&] { openIllustration(), openIllustration(); }},
        {"a click on the illustration", Practice,
         [&] { openIllustration(), ft::click(forms::form<FrmPicture>()->Image1, 150, 150); }},
        {"the illustration closed by the desktop", Practice,
         [&] { openIllustration(), closeFromDesktop(*forms::form<FrmPicture>()); }},
        {"the minimise", Practice, bar},
        {"the bar's restore", Practice, [&] { bar(), ft::click(tm()->Command2, 100, 100); }},
        {"the bar's drag strip", Practice, [&] { bar(), ft::click(tm()->Label2, 300, 100); }},
        {"the bar itself", Practice, [&] { bar(), ft::click(tm()->FrmZXH, 30, 30); }},
        {"the red × (no action)", Practice, [this] { ft::click(tm()->LblClose, 100, 100); }},
        {"the title strip", Practice, [this] { ft::click(tm()->lblMove, 1500, 100); }},
        {"the title strip dragged", Practice,
         [this] {
             ft::press(tm()->lblMove, 1500, 100);
             ft::move(tm()->lblMove, 1800, 200);
             ft::release(tm()->lblMove, 1800, 200);
         }},
        {"the question text", Practice, [this] { ft::click(tm()->RtbTM, 300, 300); }},
        {"the strip of unfinished questions", Practice,
         [this] { ft::click(tm()->LblUnit, 100, 100); }},
        {"the panel's body", Practice, [this] { ft::click(tm()->FrmZhuYa, 30, 2700); }},
        {"the panel's edge, where no control lies", Practice,
         [this] { ft::click(tm(), tm()->width() - 15, tm()->height() - 15); }},
        {"EN, the option off", Practice,
         [this] {
             S().UseInputMethod = false;
             ft::click(tm()->LblIME, 60, 60);
         }},
        {"EN, its menu dismissed", Practice,
         [this] {
             S().UseInputMethod = true;
             ft::setPopupHook([](forms::Menu &, double, double) { return nullptr; });
             ft::click(tm()->LblIME, 60, 60);
         }},
        {"the notice's ×", Practice,
         [&] { notice([](FrmIME &f) { ft::click(f.LblClick(0), 100, 100); }); }},
        {"the notice's 确定", Practice,
         [&] { notice([](FrmIME &f) { ft::click(f.LblClick(1), 100, 100); }); }},
        {"the notice closed by the desktop", Practice,
         [&] { notice([](FrmIME &f) { closeFromDesktop(f); }); }},
        {"交卷, then 返回", Exam,
         [this] {
             answerHandIn("FrmEnd1", false);
             press(HandIn);
         }},
        {"交卷, 交卷, then 返回", Exam,
         [this] {
             answerHandIn("FrmEnd1", true);
             answerHandIn("FrmEnd2", false);
             press(HandIn);
         }},
        {"交卷, then its ×", Exam,
         [this] {
             onModal["FrmEnd1"] = [](forms::Form &f) { closeFromDesktop(f); };
             press(HandIn);
         }},
        {"考生信息 and its 返回", Exam,
         [this] { press(CandidateInfo), ft::click(tm()->CmdKSFH, 150, 150); }},
        {"请注意's 关闭", Exam, [&] { czts([](FrmCZTS &f) { ft::click(f.Command1, 300, 150); }); }},
        {"请注意's ×", Exam, [&] { czts([](FrmCZTS &f) { closeFromDesktop(f); }); }},
        {"请注意's text", Exam, [&] { czts([](FrmCZTS &f) { ft::click(f.Label2, 300, 300); }); }},
        {"请注意's 我想立即看答案, 否, then 关闭", Exam,
         [&] {
             ft::setMsgBoxHook([](const forms::MsgBoxCall &) { return forms::vbNo; });
             czts([](FrmCZTS &f) {
                 ft::click(f.Command2, 300, 150);
                 ft::click(f.Command1, 300, 150);
             });
         }},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        auto &s = S();
        onModal.clear();
        ft::setMsgBoxHook(nullptr);
        ft::setPopupHook(nullptr);
        s.QuestionStatus.fill(0);
        const QString text = QStringLiteral("picture") + sample::kPanelIllustration +
                             QStringLiteral("按回车键");
        if (c.set == Exam) {
            s.PaperMode = startup::MockPaper;
            s.PaperIndex = 0;
            s.StudyMode = startup::Exam;
            s.PanelMayClose = false;
            writeSet(QStringList(40, text), enterKeyQuestion());
        } else {
            s.PaperMode = startup::FavouritesAll;
            s.PaperIndex = 10;
            s.StudyMode = startup::Practice;
            writeSet(QStringList(41, text), enterKeyQuestion()); // two list pages
        }
        openSet();
        c.act();
        ft::advance(500); // a question loaded by the action is built
        const int q = s.CurQuestion;
        ASSERT_EQ(frm()->rec().actionCode(), "6013");
        EXPECT_EQ(ft::keyForm(), frm()) << (ft::keyForm() ? ft::keyForm()->name().toStdString() : "none");
        ft::pressKey(forms::vbKeyReturn);
        EXPECT_TRUE(s.QuestionStatus[q - 1] & startup::StatusDone) << "question " << q;
        s.PanelMayClose = true;
        forms::unloadForm<FrmTm>();
        forms::unloadForm<FrmMain>();
        ft::unloadAll();
        ft::deleteUnloaded();
        s.PanelMayClose = false;
    }
}
