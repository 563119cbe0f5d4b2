#include "forms/testing.h"
#include "home/frm_fengmian.h"
#include "program_fixture.h"
#include "startup/frm_start.h"
#include "startup/program_end.h"
#include "startup/run_state.h"
#include "startup/services.h"

#include <QDir>
#include <QRegularExpression>
#include <gtest/gtest.h>
#include <map>

namespace ft = forms::testing;
using startup::state;

namespace {

class StartUp : public testsupport::ProgramFixture {
protected:
    StartUp() { startup::resetProgramEnded(); }
    ~StartUp() override { startup::resetProgramEnded(); }
    ft::Session session;
};

TEST_F(StartUp, SecondCopyShowsTheNoticeAndEndsBeforeReadingAnything) {
    singleInstance().otherCopyRuns = true;
    forms::form<FrmStart>();
    ASSERT_EQ(ft::msgBoxes().size(), 1u);
    const forms::MsgBoxCall &call = ft::msgBoxes()[0];
    EXPECT_EQ(call.prompt,
              QStringLiteral("考试练习系统已在运行。如果你没有找到，请关闭其它窗口和程序，"
                             "或者注销或重启。"));
    EXPECT_EQ(call.title, QStringLiteral("系统提示"));
    EXPECT_EQ(call.style, forms::vbOKOnly | forms::vbInformation);
    EXPECT_TRUE(startup::programEnded());
    EXPECT_TRUE(registry().values.isEmpty());
    EXPECT_TRUE(state().InfoTable[0].isEmpty());
    EXPECT_EQ(testsupport::readBytes(dir().bankFile(QStringLiteral("288892"))),
              QByteArray("0\r\n"));
    ft::advance(1000);
    EXPECT_FALSE(forms::loadedForm<FrmFengmian>());
    EXPECT_TRUE(state().RunLogPath.isEmpty());
}

TEST_F(StartUp, SplashThenHomePageAndRunLogAfterTheTimer) {
    FrmStart *start = forms::form<FrmStart>();
    start->show();
    EXPECT_FALSE(startup::programEnded());
    EXPECT_EQ(state().ModuleName, sample::kModuleName);
    EXPECT_EQ(start->Label1->caption(),
              QStringLiteral("正在启动") + sample::kModuleName + QStringLiteral("，请稍候..."));
    EXPECT_DOUBLE_EQ(start->width(), 6000);
    EXPECT_DOUBLE_EQ(start->height(), 3000);
    EXPECT_DOUBLE_EQ(start->Label1->left(), (6000 - start->Label1->width()) / 2);
    EXPECT_FALSE(start->picture().isNull());
    EXPECT_EQ(state().CandidateName, QStringLiteral("青禾1"));
    EXPECT_FALSE(state().OsVersion.isEmpty());
    EXPECT_EQ(registry().values.size(), 2);
    // Nothing is named and the home page is not there until the tick.
    EXPECT_TRUE(state().RunLogPath.isEmpty());
    EXPECT_FALSE(forms::loadedForm<FrmFengmian>());

    ft::advance(99);
    EXPECT_FALSE(forms::loadedForm<FrmFengmian>());
    ft::advance(1);
    FrmFengmian *home = forms::loadedForm<FrmFengmian>();
    ASSERT_TRUE(home);
    EXPECT_TRUE(home->visible());
    EXPECT_EQ(state().RunLogPath, dir().ksdata() + QStringLiteral("20150307090502.txt"));
    EXPECT_FALSE(forms::loadedForm<FrmStart>());
    EXPECT_EQ(state().BankVersion, sample::kBankVersion);
    // No error of the whole start-up.
    EXPECT_TRUE(state().LastErrorProc.isEmpty()) << state().LastErrorProc.toStdString();
    ft::advance(1000); // the deferred start runs once
    EXPECT_EQ(forms::loadedForm<FrmFengmian>(), home);
}

// One copy per installation: the lock is asked for in the program folder's
// record folder, in the spelling the installation gives it.
TEST_F(StartUp, TheInstallationsLockIsAskedForInItsRecordFolder) {
    ASSERT_TRUE(QDir(dir().root).rename("ksdata", "KsData"));
    forms::form<FrmStart>();
    EXPECT_EQ(singleInstance().name, QStringLiteral("w7practice"));
    EXPECT_EQ(singleInstance().installationFolder, dir().root + "KsData/");
    EXPECT_TRUE(singleInstance().held);
}

// A lock that could not be made is no other copy: the start goes on, and
// the run log, once named, says which lock and why.
TEST_F(StartUp, ALockThatCouldNotBeMadeIsToldInTheRunLogOnceItIsNamed) {
    const QString fault = dir().ksdata() + QStringLiteral("w7practice.lock: Permission denied");
    singleInstance().lockFaults = {fault};
    forms::form<FrmStart>();
    EXPECT_FALSE(startup::programEnded());
    EXPECT_TRUE(ft::msgBoxes().empty());
    ft::advance(100);
    ASSERT_TRUE(forms::loadedForm<FrmFengmian>());
    EXPECT_TRUE(ft::msgBoxes().empty());
    const QByteArray log =
        testsupport::readBytes(dir().ksdata() + QStringLiteral("20150307090502.txt"));
    EXPECT_TRUE(log.contains("startload")) << log.toStdString();
    EXPECT_TRUE(log.contains(fault.toUtf8())) << log.toStdString();
    EXPECT_EQ(log.count(fault.toUtf8()), 1);
}

TEST_F(StartUp, RecordFolderIsMadeWhenMissingAndTakesTheRunLog) {
    QDir(dir().ksdata()).removeRecursively();
    forms::form<FrmStart>();
    EXPECT_TRUE(QDir(dir().ksdata()).exists());
    ft::advance(100);
    startup::trapError(QStringLiteral("clickbotn"), 9);
    EXPECT_TRUE(testsupport::readBytes(dir().ksdata() + QStringLiteral("20150307090502.txt"))
                    .contains("clickbotn"));
}

// A run that ended in the middle of an action on the records: the start
// finishes the action whose list of renames was in place, drops the new
// files of one that had not got so far, and leaves every other file alone.
TEST_F(StartUp, AnActionBrokenOffByTheLastRunIsFinishedOrDroppedBeforeTheRecordsAreRead) {
    const QString ks = dir().ksdata();
    const QString newFavourites = "288862.mxy.w7tmp-0123456789abcdef",
                  newFlags = "288872.mxy.w7tmp-00000000000000ff";
    const std::map<QString, QByteArray> left = {
        {"288862.mxy", "0105\r\n"},
        {"288872.mxy", "T\r\n"},
        {newFavourites, "01050301\r\n"},
        {newFlags, "TF\r\n"},
        {"w7files.journal", "w7files 1\n" + newFavourites.toUtf8() + "\t288862.mxy\n" +
                                newFlags.toUtf8() + "\t288872.mxy\nend 2\n"},
        {"288892.mxy.w7tmp-fedcba9876543210", "a history never committed"},
        {"170100.mxy", "banner"},
        {"288895.mxy", "201501010000"},
    };
    for (const auto &[name, bytes] : left) ASSERT_TRUE(testsupport::writeBytes(ks + name, bytes));
    const QStringList sample =
        QDir(ks).entryList(QDir::Files).filter(QRegularExpression("^\\d+\\.mxy$"));
    forms::form<FrmStart>();
    EXPECT_EQ(QDir(ks).entryList(QDir::Files), sample); // nothing but the records
    EXPECT_EQ(testsupport::readBytes(ks + "288862.mxy"), "01050301\r\n");
    EXPECT_EQ(testsupport::readBytes(ks + "288872.mxy"), "TF\r\n");
    EXPECT_EQ(testsupport::readBytes(ks + "170100.mxy"), "banner");
}

TEST_F(StartUp, HighDpiSplash) {
    forms::Screen::setFake(1280, 800, 12);
    FrmStart *start = forms::form<FrmStart>();
    EXPECT_DOUBLE_EQ(state().ScaleX, 0.8);
    EXPECT_DOUBLE_EQ(start->width(), 4800);
    EXPECT_DOUBLE_EQ(start->height(), 2400);
    EXPECT_DOUBLE_EQ(start->Label1->font().size, 11 * 0.8);
    EXPECT_DOUBLE_EQ(start->Label1->top(), 2160 * 0.8);
}

TEST_F(StartUp, MissingSplashPictureIsReportedAndStartUpGoesOn) {
    QFile::remove(dir().bankFile(QStringLiteral("l20059")));
    FrmStart *start = forms::form<FrmStart>();
    EXPECT_EQ(state().LastErrorProc, QStringLiteral("startload"));
    EXPECT_EQ(state().LastErrorNumber, 53);
    EXPECT_TRUE(start->StartPending);
    ft::advance(100);
    EXPECT_TRUE(forms::loadedForm<FrmFengmian>());
}

} // namespace
