// A candidate's day on a copy of the whole sample installation, started the
// way the executable starts it and driven only through the forms layer's
// mouse and keys on its manual clock: a unit practised, a demonstration, a
// mock paper sat and its wrong answers reviewed, the update, the about box
// and the exit. After each part the record files in "ksdata" are compared
// byte for byte with what the candidate's work must have left there.
#include "day_fixture.h"

namespace ft = forms::testing;
using startup::state;
using testsupport::gbkLines;

namespace {

using daytest::CandidateDay;
using daytest::Records;

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

    // Question 2: the file name typed into its box, saved, then retyped in
    // the dialog opened again.
    press(panel::Next);
    ft::advance(200);
    EXPECT_EQ(tm()->RtbTM->text(),
              "在“另存为”对话框的文件名框中输入“年度总结”，然后保存；"
              "再用“文件”菜单的“另存为”打开对话框，在文件名框中输入“Windows 7”，"
              "最后将文件名改回“年度总结”。");
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


