// A candidate's day on a copy of the whole sample installation, started the
// way the executable starts it and driven only through the forms layer's
// mouse and keys on its manual clock: a unit practised, a demonstration, a
// mock paper sat and its wrong answers reviewed, the update, the about box
// and the exit. After each part the record files in "ksdata" are compared
// byte for byte with what the candidate's work must have left there.
#include "forms/testing.h"
#include "home/frm_fengmian.h"
#include "http_test_server.h"
#include "panel/frm_chengji.h"
#include "panel/frm_logon.h"
#include "panel/frm_tm.h"
#include "panel/hand_in.h"
#include "platform/fakes.h"
#include "platform/http.h"
#include "platform/text.h"
#include "program_fixture.h"
#include "sample_demo.h"
#include "sample_exam.h"
#include "sample_home.h"
#include "sample_judging.h"
#include "sample_panel.h"
#include "sample_questions.h"
#include "sample_shell.h"
#include "sample_shell_questions.h"
#include "sample_startup.h"
#include "sample_update.h"
#include "simulator/frm_main.h"
#include "simulator/step_record.h"
#include "startup/frm_qhmsgbox.h"
#include "startup/frm_start.h"
#include "startup/program_end.h"
#include "startup/run_state.h"
#include "update/frm_about.h"
#include "update/frm_updata.h"
#include "demo/frm_yanshi.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <gtest/gtest.h>
#include <map>

inline void PrintTo(const QString &s, std::ostream *os) {
    *os << '"' << s.toStdString() << '"';
}
inline void PrintTo(const QStringList &l, std::ostream *os) {
    *os << '{' << l.join(", ").toStdString() << '}';
}

namespace ft = forms::testing;
using startup::state;
using testsupport::gbkLines;

namespace {

using Records = std::map<QString, QByteArray>;

// Every part of the sample installation, in the order the sample
// generator lays them out.
std::vector<testsupport::AddFiles> wholeSample() {
    return {sample::addStartupFiles,     sample::addHomeFiles,        sample::addHomeBanner,
            sample::addStepEngineFiles,  sample::addJudgingFiles,     sample::addShellPictures,
            sample::addShellQuestions,   sample::addShellJudgingFiles, sample::addDemoPictures,
            sample::addUpdateFiles,      sample::addPanelFiles,       sample::addExamFiles,
            sample::addHomeBankIndex};
}

class CandidateDay : public testsupport::ProgramFixture {
protected:
    CandidateDay() : ProgramFixture(wholeSample(), QStringLiteral("whole")) {
        startup::resetProgramEnded();
        forms::Screen::setFake(1366, 768);
        platform::setHttp(platform::makeNetworkHttp());
        testsupport::writeBytes(dir().root + "w7practice.ini",
                                "[Update]\r\nHost=" + server.host().toUtf8() + "\r\n");
        ft::setModalHook([this](forms::Form &f) {
            modals << f.name();
            if (const auto it = onModal.find(f.name()); it != onModal.end()) it->second(f);
        });
    }
    ~CandidateDay() override {
        startup::resetProgramEnded();
        platform::setHttp(std::make_unique<platform::FakeHttp>());
    }

    // What main does: the start window loaded, shown unless the start-up
    // ended the run; then the event loop, whose first tick is the deferred
    // start that opens the home page.
    FrmFengmian *startProgram() {
        FrmStart *start = forms::form<FrmStart>();
        if (startup::programEnded()) return nullptr;
        start->show();
        ft::advance(100);
        return forms::loadedForm<FrmFengmian>();
    }
    // The program ended and started again on the same folder.
    FrmFengmian *restart() {
        EXPECT_TRUE(startup::programEnded());
        ft::unloadAll();
        startup::resetProgramEnded();
        startup::resetState();
        return startProgram();
    }

    // The record files, the run logs left out (their names are the run's
    // start time).
    Records records() const {
        Records out;
        for (const QFileInfo &e : QDir(dir().ksdata()).entryInfoList(QDir::Files)) {
            if (e.suffix() == "txt") continue;
            out[e.fileName()] = testsupport::readBytes(e.filePath());
        }
        return out;
    }
    // The records expected: before, with the changed files' new bytes.
    static Records changed(Records before, const Records &changes) {
        for (const auto &[name, bytes] : changes) before[name] = bytes;
        return before;
    }

    // The record files compared one by one, their text shown on a mismatch.
    void expectRecords(const Records &expected, const char *when) {
        SCOPED_TRACE(when);
        const Records now = records();
        QStringList names, expectedNames;
        for (const auto &e : now) names << e.first;
        for (const auto &e : expected) expectedNames << e.first;
        EXPECT_EQ(names.join(' ').toStdString(), expectedNames.join(' ').toStdString());
        for (const auto &[name, bytes] : expected) {
            const auto it = now.find(name);
            if (it == now.end()) continue;
            EXPECT_EQ(platform::decodeGbk(it->second).toStdString(),
                      platform::decodeGbk(bytes).toStdString())
                << name.toStdString();
            EXPECT_EQ(it->second, bytes) << name.toStdString();
        }
    }

    FrmTm *tm() { return forms::loadedForm<FrmTm>(); }
    FrmMain *screen() { return forms::loadedForm<FrmMain>(); }
    void press(int button) { ft::click(tm()->CmdGN(button), 150, 150); }
    static void clickButton(FrmFengmian *f, int i) {
        kvtnButton *b = f->ClickBotn(i);
        ft::click(b, b->width() / 2, b->height() / 2);
    }
    static double midX(forms::Control *c) { return c->width() / 2; }
    static double midY(forms::Control *c) { return c->height() / 2; }
    QString actionCode() const { return sim::StepRecord(state().CurRecord).actionCode(); }
    // A list tab from wherever the home page stands: the cover's tile, or
    // the top bar's button when a tab is open.
    static void openTab(FrmFengmian *home, int topBarButton) {
        if (!home->PicTOP->visible()) clickButton(home, 4);
        if (home->ClickBotn(topBarButton)->enabled()) clickButton(home, topBarButton);
    }
    // Answers the program's own message box with its button (1 confirms).
    void confirmBoxes(int button = 1) {
        onModal["FrmQHMSGBOX"] = [this, button](forms::Form &f) {
            boxPrompts << static_cast<FrmQHMSGBOX &>(f).LblPrompt->caption();
            ft::click(static_cast<FrmQHMSGBOX &>(f).LblClick(button), 100, 100);
        };
    }
    // The home page's exit, confirmed in the program's own message box.
    void exitThroughHomePage(FrmFengmian *home) {
        modals.clear();
        onModal["FrmQHMSGBOX"] = [](forms::Form &f) {
            EXPECT_EQ(static_cast<FrmQHMSGBOX &>(f).LblTitle->caption(), "退出系统");
            ft::click(static_cast<FrmQHMSGBOX &>(f).LblClick(1), 100, 100);
        };
        clickButton(home, 3);
        EXPECT_EQ(modals, QStringList({"FrmQHMSGBOX"}));
        EXPECT_TRUE(startup::programEnded());
    }
    // The sample's folder question: a double click on the folder, then its
    // timed step runs to the last.
    void openTheFolder() {
        ft::dblClick(screen()->Label1, midX(screen()->Label1), midY(screen()->Label1));
        ft::advance(3000);
    }
    // The sample's drag question: the folder dragged onto the other.
    void dragTheFolder() {
        FrmMain *m = screen();
        ft::press(m->Label4, midX(m->Label4), midY(m->Label4));
        ft::move(m->Label1, midX(m->Label1), midY(m->Label1));
        ft::release(m->Label1, midX(m->Label1), midY(m->Label1));
    }
    // From the papers tab's first row through the login to question 1.
    void sitFirstPaper(FrmFengmian *home) {
        clickButton(home, 70);
        FrmLogon *login = forms::loadedForm<FrmLogon>();
        ASSERT_NE(login, nullptr);
        ft::advance(100);
        ft::click(login->CmdLog, 100, 100);
        ft::advance(700);
        ASSERT_FALSE(forms::loadedForm<FrmLogon>());
        ft::advance(500); // the panel's timers load the question and build its step
        ASSERT_TRUE(tm() && screen());
        ASSERT_EQ(state().PaperMode, startup::MockPaper);
    }
    // Hand-in through both confirmations to the score sheet.
    FrmChengji *handIn() {
        modals.clear();
        answerHandIn("FrmEnd1");
        answerHandIn("FrmEnd2");
        press(panel::HandIn);
        EXPECT_EQ(modals, QStringList({"FrmEnd1", "FrmEnd2"}));
        FrmChengji *sheet = forms::loadedForm<FrmChengji>();
        EXPECT_TRUE(sheet && sheet->visible());
        return sheet;
    }
    void answerHandIn(const QString &form) {
        onModal[form] = [](forms::Form &f) {
            ft::click(static_cast<panel::HandInDialog &>(f).Command1, 300, 150);
        };
    }

    testsupport::HttpTestServer server;
    QStringList modals, boxPrompts;
    std::map<QString, std::function<void(forms::Form &)>> onModal;
    ft::Session session;
};

TEST_F(CandidateDay, FromStartToExit) {
    auto &s = state();
    // A second copy while this one runs only says so and ends.
    singleInstance().otherCopyRuns = true;
    EXPECT_EQ(startProgram(), nullptr);
    ASSERT_EQ(ft::msgBoxes().size(), 1u);
    EXPECT_EQ(ft::msgBoxes()[0].title, "系统提示");
    ft::unloadAll();
    startup::resetProgramEnded();
    singleInstance().otherCopyRuns = false;

    const Records installed = records();
    FrmFengmian *home = startProgram();
    ASSERT_NE(home, nullptr);
    EXPECT_TRUE(home->visible());
    EXPECT_TRUE(s.LastErrorProc.isEmpty()) << s.LastErrorProc.toStdString();
    // The version and contact line (labels sized to their texts): each
    // ends before the next begins.
    for (int i = 0; i < 3; ++i) {
        forms::Label *l = home->LblInfo(i);
        EXPECT_LT(l->left() + l->width(), home->LblInfo(i + 1)->left()) << l->caption().toStdString();
    }
    EXPECT_LE(home->LblInfo(3)->left() + home->LblInfo(3)->width(), home->width());
    // The start-up brings the unit progress into shape: a line per unit,
    // each as long as the unit; nothing else is written.
    const QStringList bankIndex =
        platform::readLines(dir().bankFile("288891")).value_or(QStringList());
    ASSERT_GE(bankIndex.size(), 3);
    QStringList unitLines;
    for (int u = 0; u < bankIndex[0].mid(2, 2).toInt(); ++u)
        unitLines << QString(bankIndex[1].mid(2 * u, 2).toInt(), 'F');
    ASSERT_EQ(unitLines.size(), 12);
    while (unitLines.size() < 26) unitLines << QString();
    expectRecords(changed(installed, {{"288893.mxy", gbkLines(unitLines)}}), "started");
    const Records atStart = records();

    // ---- the first unit, whole
    clickButton(home, 4);
    clickButton(home, 20);
    ft::advance(500);
    ASSERT_TRUE(tm() && screen());
    EXPECT_TRUE(tm()->visible());
    EXPECT_TRUE(screen()->visible());
    EXPECT_EQ(s.PaperMode, startup::UnitAll);
    // Question 1: the folder opened by a double click, then a timed step.
    EXPECT_EQ(tm()->RtbTM->text(), "在“文档”窗口中打开“报告”文件夹。");
    openTheFolder();
    EXPECT_EQ(actionCode(), "9999");
    EXPECT_TRUE(screen()->LblSuccess->visible());
    EXPECT_EQ(screen()->LblSuccess->caption(), "操作成功！");
    EXPECT_EQ(s.QuestionStatus[0], 5);

    // Question 2: the file name typed into its box, saved, then retyped.
    press(panel::Next);
    ft::advance(200);
    EXPECT_EQ(tm()->RtbTM->text(), "在“另存为”对话框的文件名框中输入“年度总结”，然后保存；"
                                   "再在文件名框中输入“Windows 7”，最后将文件名改回“年度总结”。");
    press(panel::Mark);

    // The demonstration of question 3 from the panel's button.
    press(panel::Next);
    ft::advance(200);
    const int stepBefore = s.CurStep;
    press(panel::Demo);
    bool succeeded = false;
    for (int t = 0; t < 1200 && (s.DemoPlaying || forms::loadedForm<FrmYanShi>()); ++t) {
        ft::advance(100);
        if (FrmYanShi *d = forms::loadedForm<FrmYanShi>())
            succeeded = succeeded || d->LHelp->caption() == "操作成功！";
    }
    EXPECT_TRUE(succeeded);
    EXPECT_FALSE(forms::loadedForm<FrmYanShi>());
    EXPECT_FALSE(s.DemoPlaying);
    ft::advance(500);
    EXPECT_TRUE(tm()->visible());
    EXPECT_TRUE(screen()->visible());
    EXPECT_EQ(s.CurQuestion, 3);
    EXPECT_EQ(s.CurStep, stepBefore);

    // Question 4: the folder dragged onto the other.
    press(panel::Next);
    ft::advance(200);
    EXPECT_EQ(tm()->RtbTM->text(), "将“报告”文件夹拖动到“备份”文件夹中。");
    dragTheFolder();
    EXPECT_EQ(actionCode(), "9999");
    EXPECT_TRUE(screen()->LblSuccess->visible());

    press(panel::Finish);
    home = forms::loadedForm<FrmFengmian>();
    ASSERT_NE(home, nullptr);
    EXPECT_TRUE(home->visible());
    ft::advance(100);
    // Questions 1 and 4 done, question 2 marked.
    QByteArray progress = atStart.at("288893.mxy");
    ASSERT_TRUE(progress.startsWith("FFFFFF\r\n"));
    progress.replace(0, 6, "TFFTFF");
    const Records afterUnit = changed(
        atStart, {{"288893.mxy", progress}, {"288862.mxy", "0002\r\n"}, {"288872.mxy", "F\r\n"}});
    expectRecords(afterUnit, "unit practised");

    // ---- the program ended and opened again: the same progress
    exitThroughHomePage(home);
    home = restart();
    ASSERT_NE(home, nullptr);
    expectRecords(afterUnit, "opened again after the unit");
    EXPECT_EQ(s.UnitTable[0][4], "TFFTFF");
    // The units tab opens on the first unit, with its new counts.
    openTab(home, 16);
    EXPECT_TRUE(home->PicTiKu->visible());
    EXPECT_EQ(home->SelectedUnit, 0);
    EXPECT_EQ(home->LblUnitDQCAP(2)->caption(), "6题");
    EXPECT_EQ(home->LblUnitDQCAP(3)->caption(), "2题");
    EXPECT_EQ(home->LblUnitDQCAP(4)->caption(), "4题");
    // The favourites tab counts the marked question, not yet reviewed.
    openTab(home, 18);
    EXPECT_TRUE(home->PicBiaoZhi->visible());
    EXPECT_EQ(home->LblBiaoZhiWei->caption(), "1");
    EXPECT_EQ(home->LblBiaoZhiYI->caption(), "0");

    // ---- a mock paper: the first fixed paper through the login
    EXPECT_FALSE(home->ClickBotn(17)->isShown() && !home->ClickBotn(17)->enabled());
    openTab(home, 17);
    sitFirstPaper(home);
    if (HasFatalFailure()) return;
    // Question 1 of the paper is the folder opened: worked; the rest left.
    EXPECT_EQ(tm()->RtbTM->text(), "在“文档”窗口中打开“报告”文件夹。");
    openTheFolder();
    EXPECT_EQ(s.QuestionStatus[0], 5);
    press(panel::Next);
    ft::advance(10 * 60000 - 3000);
    EXPECT_EQ(s.MinutesLeft, 40);
    // The clock shows the minutes left before its tick takes one off.
    EXPECT_EQ(tm()->LblTime->caption(), "剩余41分钟");
    FrmChengji *sheet = handIn();
    ASSERT_NE(sheet, nullptr);
    EXPECT_EQ(sheet->Label1->caption(), "第1套得分：2.5分");
    // Every question of the paper but the first is wrong; the wrong book
    // had none before.
    const QString paper = bankIndex[2];
    ASSERT_EQ(paper.size(), 160);
    ASSERT_TRUE(paper.startsWith("0001"));
    const QByteArray wrong = paper.mid(4).toLatin1() + "\r\n";
    QByteArray history = gbkLines({"2015-03-07 09:05:02", "2.5", "E"});
    for (int slot = 1; slot <= 30; ++slot) history += gbkLines({"您还未考试！", "0", "E"});
    history += "\r\n";
    const Records afterPaper = changed(afterUnit, {{"182400.mxy", wrong},
                                                   {"288863.mxy", wrong},
                                                   {"288873.mxy", QByteArray(39, 'F') + "\r\n"},
                                                   {"288892.mxy", history}});
    expectRecords(afterPaper, "paper handed in");

    // ---- the paper's wrong answers practised; the drag answered
    ft::click(sheet->Command3, 100, 100);
    ft::advance(500);
    ASSERT_TRUE(tm() && screen());
    EXPECT_EQ(s.PaperMode, startup::PaperWrongReview);
    EXPECT_EQ(tm()->RtbTM->text(), "将“报告”文件夹拖动到“备份”文件夹中。");
    dragTheFolder();
    EXPECT_EQ(actionCode(), "9999");
    ft::setMsgBoxHook([](const forms::MsgBoxCall &) { return int(forms::vbYes); });
    const size_t asked = ft::msgBoxes().size();
    press(panel::Finish);
    ASSERT_EQ(ft::msgBoxes().size(), asked + 1);
    EXPECT_TRUE(ft::msgBoxes().back().prompt.startsWith("本次答对的题目要从“错题复习”中去掉吗？"));
    home = forms::loadedForm<FrmFengmian>();
    ASSERT_NE(home, nullptr);
    EXPECT_TRUE(home->visible());
    ft::advance(100);
    // The question answered in the review leaves the paper's wrong list.
    ASSERT_TRUE(wrong.startsWith("0004"));
    const Records afterReview = changed(afterPaper, {{"182400.mxy", wrong.mid(4)}});
    expectRecords(afterReview, "wrong answers reviewed");

    // ---- the papers tab: the first paper's time, score and wrong count
    openTab(home, 17);
    EXPECT_TRUE(home->PicKaCH->visible());
    EXPECT_EQ(home->LblShiJuanTime(0)->caption(), "最后考试时间：2015-03-07 09:05");
    EXPECT_EQ(home->LblShiJuanScore(0)->caption(), "2.5");
    EXPECT_EQ(home->LblShiJuanCuoTi(0)->caption(), "(38)");

    // ---- a random paper drawn, left at the login, then deleted
    clickButton(home, 30);
    clickButton(home, 21);
    FrmLogon *randomLogin = forms::loadedForm<FrmLogon>();
    ASSERT_NE(randomLogin, nullptr);
    EXPECT_EQ(s.PaperMode, startup::RandomPaper);
    EXPECT_EQ(s.PaperSlot, 20);
    const QByteArray randomList = testsupport::readBytes(dir().ksdata() + "288891.mxy");
    ASSERT_EQ(randomList.size(), 160 + 2 + 9 * 2);
    ft::advance(100);
    ft::click(randomLogin->CmdExit, 100, 100);
    EXPECT_EQ(ft::msgBoxes().back().prompt, "确实要退出考试系统吗？");
    home = forms::loadedForm<FrmFengmian>();
    ASSERT_NE(home, nullptr);
    EXPECT_TRUE(home->visible());
    openTab(home, 17);
    clickButton(home, 31);
    EXPECT_TRUE(home->LblShiJuanDel(20)->isShown());
    confirmBoxes();
    ft::click(home->LblShiJuanDel(20), 30, 30);
    EXPECT_EQ(boxPrompts, QStringList({"\r\n\r\n\r\n您确实要删除本套随机试题吗？"}));
    // Nothing of it is shown any more; the history is written back as the
    // home page writes it, thirty records, and the draw's record stays in
    // the slot no paper uses now.
    QStringList historyLines;
    for (int slot = 0; slot < 30; ++slot) {
        if (slot == 0)
            historyLines << "2015-03-07 09:05:02" << "2.5" << "E";
        else if (slot == 20)
            historyLines << "2015-03-07 09:05:02" << "0" << "E";
        else
            historyLines << "您还未考试！" << "0" << "E";
    }
    historyLines << QString();
    const Records afterRandom = changed(afterReview, {{"288891.mxy", "\r\n"},
                                                      {"182420.mxy", "\r\n"},
                                                      {"288892.mxy", gbkLines(historyLines)}});
    expectRecords(afterRandom, "random paper deleted");

    // ---- the wrong-question book: its unreviewed questions practised
    openTab(home, 19);
    EXPECT_TRUE(home->PicCuoTi->visible());
    EXPECT_EQ(home->LblCuoTiWei->caption(), "39");
    EXPECT_EQ(home->LblCuoTiYI->caption(), "0");
    clickButton(home, 24);
    ft::advance(500);
    ASSERT_TRUE(tm() && screen());
    EXPECT_EQ(s.PaperMode, startup::WrongBookUnreviewed);
    EXPECT_EQ(s.QuestionCount, 39);
    EXPECT_EQ(tm()->RtbTM->text(), "将“报告”文件夹拖动到“备份”文件夹中。");
    dragTheFolder();
    EXPECT_EQ(actionCode(), "9999");
    press(panel::Finish);
    home = forms::loadedForm<FrmFengmian>();
    ASSERT_NE(home, nullptr);
    ft::advance(100);
    const QByteArray flags = "T" + QByteArray(38, 'F') + "\r\n";
    expectRecords(changed(afterRandom, {{"288873.mxy", flags}}), "wrong book practised");
    openTab(home, 19);
    EXPECT_EQ(home->LblCuoTiWei->caption(), "38");
    EXPECT_EQ(home->LblCuoTiYI->caption(), "1");
    // Cleared: first the questions not yet learned, then the learned one.
    boxPrompts.clear();
    clickButton(home, 25);
    EXPECT_EQ(boxPrompts, QStringList({"\r\n\r\n\r\n您确实要清除未学习的我的错题题目吗？"}));
    EXPECT_EQ(home->LblCuoTiWei->caption(), "0");
    EXPECT_EQ(home->LblCuoTiYI->caption(), "1");
    expectRecords(changed(afterRandom, {{"288863.mxy", "0004\r\n"}, {"288873.mxy", "T\r\n"}}),
                  "unlearned wrong questions cleared");
    clickButton(home, 42);
    clickButton(home, 43);
    boxPrompts.clear();
    clickButton(home, 25);
    EXPECT_EQ(boxPrompts, QStringList({"\r\n\r\n\r\n您确实要清除已学习的我的错题题目吗？"}));
    EXPECT_EQ(home->LblCuoTiYI->caption(), "0");
    const Records afterWrongBook =
        changed(afterRandom, {{"288863.mxy", "\r\n"}, {"288873.mxy", "\r\n"}});
    expectRecords(afterWrongBook, "wrong book cleared");

    // ---- the update: one newer bank file on the server
    const QByteArray list = gbkLines({"201601010000", "D201601010000l39999"});
    server.serve("/up/qkwfb/%E4%B8%AD%E6%96%87Windows%207/w7tk/288895.txt", list);
    server.serve("/up/qkwfb/%E4%B8%AD%E6%96%87Windows%207/w7tk/l39999.rar", "new picture");
    clickButton(home, 15); // the cover, where the update button is
    const size_t beforeUpdate = ft::msgBoxes().size();
    clickButton(home, 8);
    FrmUpdata *update = forms::loadedForm<FrmUpdata>();
    ASSERT_NE(update, nullptr);
    EXPECT_TRUE(update->visible());
    ft::advance(100);
    ASSERT_EQ(ft::msgBoxes().size(), beforeUpdate + 2);
    EXPECT_EQ(ft::msgBoxes()[beforeUpdate].prompt, "题库有新文件，是否要进行升级？");
    EXPECT_EQ(ft::msgBoxes()[beforeUpdate + 1].prompt, "已更新1/1文件。请重新打开软件！");
    EXPECT_EQ(testsupport::readBytes(dir().bankFile("l39999")), "new picture");
    EXPECT_EQ(testsupport::readBytes(dir().bankFile("288895")), list);
    EXPECT_TRUE(startup::programEnded());
    // The list fetched is kept in the record folder.
    const Records afterUpdate = changed(afterWrongBook, {{"288895.mxy", list}});
    expectRecords(afterUpdate, "updated");

    // ---- the program opened again: the about box, then the exit
    home = restart();
    ASSERT_NE(home, nullptr);
    EXPECT_EQ(s.BankVersion, "201601010000");
    expectRecords(afterUpdate, "opened again");
    modals.clear();
    onModal["FrmAbout"] = [](forms::Form &f) {
        EXPECT_EQ(static_cast<FrmAbout &>(f).Label1(0)->caption(), "题库版本：V201601010000");
        ft::click(static_cast<FrmAbout &>(f).LblClick(1), 100, 100);
    };
    ft::click(home->LblInfo(0), 30, 30);
    EXPECT_FALSE(forms::loadedForm<FrmAbout>());
    EXPECT_EQ(modals, QStringList({"FrmAbout"}));
    exitThroughHomePage(home);
    expectRecords(afterUpdate, "ended");
}

// The day again with the unit progress unreadable (a folder stands where
// the file belongs) and the banner file gone: every other record is kept
// up, nothing is written over the unreadable one, nothing crashes.
TEST_F(CandidateDay, AnUnreadableRecordAndNoBanner) {
    const QString progress = dir().ksdata() + "288893.mxy";
    ASSERT_TRUE(QFile::remove(progress));
    ASSERT_TRUE(QDir().mkpath(progress));
    ASSERT_TRUE(QFile::remove(dir().ksdata() + "170100.mxy"));

    FrmFengmian *home = startProgram();
    ASSERT_NE(home, nullptr);
    EXPECT_TRUE(home->visible());
    clickButton(home, 4);
    clickButton(home, 20);
    ft::advance(500);
    ASSERT_TRUE(tm() && screen());
    openTheFolder();
    EXPECT_EQ(actionCode(), "9999");
    press(panel::Next);
    press(panel::Mark);
    press(panel::Finish);
    home = forms::loadedForm<FrmFengmian>();
    ASSERT_NE(home, nullptr);
    EXPECT_TRUE(home->visible());
    ft::advance(100);
    EXPECT_TRUE(QFileInfo(progress).isDir());
    EXPECT_EQ(testsupport::readBytes(dir().ksdata() + "288862.mxy"), "0002\r\n");

    clickButton(home, 17);
    sitFirstPaper(home);
    if (HasFatalFailure()) return;
    openTheFolder();
    FrmChengji *sheet = handIn();
    ASSERT_NE(sheet, nullptr);
    EXPECT_EQ(sheet->Label1->caption(), "第1套得分：2.5分");
    EXPECT_TRUE(testsupport::readBytes(dir().ksdata() + "288892.mxy")
                    .startsWith("2015-03-07 09:05:02\r\n2.5\r\nE\r\n"));
    ft::click(sheet->Command2, 100, 100);
    home = forms::loadedForm<FrmFengmian>();
    ASSERT_NE(home, nullptr);
    ft::advance(100);

    exitThroughHomePage(home);
    home = restart();
    ASSERT_NE(home, nullptr);
    EXPECT_TRUE(home->visible());
    EXPECT_TRUE(QFileInfo(progress).isDir());
    EXPECT_FALSE(QFile::exists(dir().ksdata() + "170100.mxy"));
    exitThroughHomePage(home);
}

} // namespace


