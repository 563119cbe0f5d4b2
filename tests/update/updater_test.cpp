#include "update_fixture.h"

#include "platform/system.h"
#include "startup/services.h"

#include <QDir>
#include <QElapsedTimer>
#include <QTcpServer>
#include <QTemporaryDir>
#include <QTimer>
#include <gtest/gtest.h>

using namespace update;
using testsupport::gbkLines;
using updatetest::kListPath;
using updatetest::serverPath;
using Mode = testsupport::HttpTestServer::Mode;

namespace {

const QString kDone3 = QStringLiteral("已更新3/3文件。请重新打开软件！");
// Waits end far sooner; a bound this long only tells a hang.
constexpr qint64 kHangGuardMs = 20000;

class Updating : public updatetest::UpdateFixture {
protected:
    QString versionFile() const { return dir().bankFile(QStringLiteral("288895")); }
    QString savedList() const { return dir().ksdata() + QStringLiteral("288895.mxy"); }
    QString handoff() const { return dir().root + QStringLiteral("uprun.dll"); }
    QString updater() const { return dir().root + QStringLiteral("qhitpk.rar"); }
    QString program() const { return dir().root + QStringLiteral("w7practice"); }

    // What nothing may change when a check stops before the update.
    void expectNothingWritten(const QByteArray &versionBefore) {
        EXPECT_EQ(bytes(versionFile()), versionBefore);
        EXPECT_FALSE(exists(savedList()));
        EXPECT_FALSE(exists(handoff()));
        EXPECT_TRUE(asked.isEmpty());
        EXPECT_TRUE(told.isEmpty());
        EXPECT_EQ(ends, 0);
    }
};

TEST_F(Updating, NewerFilesOfEveryFolderAreFetchedAndTheVersionAdvances) {
    const QByteArray list = gbkLines({
        QStringLiteral("201601010000 新题库"),
        QStringLiteral("D201601010000288891"),     // local older
        QStringLiteral("K201601010000l30001"),     // missing locally
        QStringLiteral("E201503070905SS0177"),     // equal stamps
        QStringLiteral("E201503070906SS0277"),     // newer by a minute
        QStringLiteral("M201503070904readme.txt"), // local newer
    });
    server.serve(kListPath, list);
    server.serve(serverPath("w7tk/288891.rar"), "new index");
    server.serve(serverPath("ksdata/l30001.rar"), "new picture");
    server.serve(serverPath("examdata/SS0277.rar"), "new panel");
    setStamp(dir().bankFile("288891"), "201503070905");
    setStamp(dir().examFile("SS0177"), "201503070905");
    setStamp(dir().examFile("SS0277"), "201503070905");
    ASSERT_TRUE(testsupport::writeBytes(dir().root + "readme.txt", "old readme"));
    setStamp(dir().root + "readme.txt", "201503070905");

    const CheckResult r = makeUpdater()->check();

    EXPECT_EQ(r.outcome, Outcome::Updated);
    EXPECT_EQ(r.serverVersion, "201601010000");
    EXPECT_EQ(r.tried, 3);
    EXPECT_EQ(r.succeeded, 3);
    EXPECT_TRUE(r.versionAdvanced);
    EXPECT_EQ(bytes(dir().bankFile("288891")), "new index");
    EXPECT_EQ(bytes(dir().ksdata() + "l30001.mxy"), "new picture");
    EXPECT_EQ(bytes(dir().examFile("SS0277")), "new panel");
    EXPECT_EQ(bytes(dir().examFile("SS0177")), "");
    EXPECT_EQ(bytes(dir().root + "readme.txt"), "old readme");
    EXPECT_EQ(bytes(savedList()), list);
    EXPECT_EQ(bytes(versionFile()), list);
    EXPECT_EQ(server.paths,
              QStringList({kListPath, kListPath, serverPath("w7tk/288891.rar"),
                           serverPath("ksdata/l30001.rar"), serverPath("examdata/SS0277.rar")}));
    EXPECT_EQ(asked, QStringList{"升级软件: 题库有新文件，是否要进行升级？"});
    EXPECT_EQ(told, QStringList{kDone3});
    EXPECT_EQ(ends, 1);
    EXPECT_TRUE(started.isEmpty());
    EXPECT_FALSE(exists(handoff()));
    EXPECT_TRUE(reports.isEmpty()) << reports.join('\n').toStdString();
}

TEST_F(Updating, OnlyAProgramThatArrivedIsHandedToTheUpdater) {
    const struct {
        const char *what;
        const char *stamp; // the server's stamp of the program
        bool served;
        bool updaterThere;
        bool arrives; // a new "_bak" is written
        bool handed;  // uprun.dll written
        bool starts;
    } cases[] = {
        {"newer and arrived", "201601010000", true, true, true, true, true},
        {"not newer", "201503070905", true, true, false, false, false},
        {"newer but its download failed", "201601010000", false, true, false, false, false},
        {"newer, the updater missing", "201601010000", true, false, true, true, false},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        QFile::remove(handoff());
        QFile::remove(updater());
        started.clear();
        reports.clear();
        ends = 0;
        // A stale copy of an earlier run must never be handed over.
        ASSERT_TRUE(testsupport::writeBytes(program() + "_bak", "stale"));
        ASSERT_TRUE(testsupport::writeBytes(program(), "running program"));
        setStamp(program(), "201503070905");
        if (c.updaterThere) {
            ASSERT_TRUE(testsupport::writeBytes(updater(), "updater"));
        }
        server.serve(kListPath,
                     gbkLines({"201601010000", QStringLiteral("M%1W7Practice").arg(c.stamp)}));
        if (c.served)
            server.serve(serverPath("W7Practice.rar"), "new program");
        else
            server.serve(serverPath("W7Practice.rar"), "", 404);

        const CheckResult r = makeUpdater()->check();

        EXPECT_EQ(r.outcome, Outcome::Updated);
        EXPECT_EQ(bytes(program()), "running program");
        EXPECT_EQ(bytes(program() + "_bak"), c.arrives ? "new program" : "stale");
        EXPECT_EQ(exists(handoff()), c.handed);
        if (c.handed) {
            EXPECT_EQ(bytes(handoff()), gbkLines({program() + "_bak"}));
        }
        EXPECT_EQ(started, c.starts ? QStringList{updater()} : QStringList());
        EXPECT_EQ(ends, 1);
        EXPECT_EQ(reports.join('\n').contains("qhitpk.rar"), c.handed && !c.updaterThere)
            << reports.join('\n').toStdString();
    }
}

TEST_F(Updating, AServerThatNeverAnswersLeavesEverythingAsItWas) {
    server.serve(kListPath, {}, 200, Mode::Silent);
    const QByteArray version = bytes(versionFile());
    QElapsedTimer clock;
    clock.start();
    // Half a second before the next whole second: the wait ends then.
    const CheckResult r = makeUpdater([](UpdateConfig &c) {
                              c.listSeconds = 0;
                              c.msIntoSecond = 500;
                          })->check();
    const qint64 waited = clock.elapsed();
    EXPECT_EQ(r.outcome, Outcome::TimedOut);
    EXPECT_GE(waited, 500);
    EXPECT_LT(waited, kHangGuardMs);
    EXPECT_TRUE(couldNotCheck(r.outcome));
    EXPECT_EQ(outcomeText(r), "网络超时，无法检测题库版本，请稍后重试。");
    EXPECT_TRUE(r.serverVersion.isEmpty());
    EXPECT_EQ(server.paths, QStringList{kListPath});
    expectNothingWritten(version);
}

TEST_F(Updating, RepliesWithoutANewerVersionStopTheCheck) {
    const struct {
        const char *what;
        int status;
        QByteArray body;
        Outcome outcome;
        const char *text;
    } cases[] = {
        {"404", 404, "<html>Not Found</html>", Outcome::HttpError,
         "服务器出错（404），无法检测题库版本。"},
        {"500", 500, "", Outcome::HttpError, "服务器出错（500），无法检测题库版本。"},
        {"empty", 200, "  \r\n", Outcome::EmptyReply, "服务器没有回复版本，无法检测题库版本。"},
        {"error text", 200, "error: busy", Outcome::ErrorReply, "服务器出错，无法检测题库版本。"},
        {"no version", 200, "<html>20160101</html>", Outcome::NotAVersion,
         "服务器回复的版本有误，无法检测题库版本。"},
        {"short version", 200, "2015", Outcome::UpToDate, "已是最新版本，无需升级。"},
        {"same version", 200, " 201503070905 \r\nD201601010000288891", Outcome::UpToDate,
         "已是最新版本，无需升级。"},
        {"older version", 200, "201412312359", Outcome::UpToDate, "已是最新版本，无需升级。"},
    };
    const QByteArray version = bytes(versionFile());
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        server.paths.clear();
        server.serve(kListPath, c.body, c.status);
        const CheckResult r = makeUpdater()->check();
        EXPECT_EQ(r.outcome, c.outcome);
        EXPECT_EQ(outcomeText(r), QString::fromUtf8(c.text));
        EXPECT_EQ(couldNotCheck(r.outcome), c.outcome != Outcome::UpToDate);
        EXPECT_EQ(server.paths, QStringList{kListPath});
        expectNothingWritten(version);
    }
    // The newest version shows what the server said.
    server.serve(kListPath, " 201503070905 \r\n");
    EXPECT_EQ(makeUpdater()->check().serverVersion, "201503070905");
}

// The server did answer, but with no usable list: the candidate is told
// why, not that there is no connection, and the report says what came.
TEST_F(Updating, AReplyCutOffOrPastTheListsLimitIsNoAnswer) {
    const QByteArray list = gbkLines({"201601010000", "K201601010000l30001"});
    const struct {
        const char *what;
        QByteArray body;
        Mode mode;
        Outcome outcome;
        const char *text;
        const char *report;
    } cases[] = {
        {"cut off", list, Mode::CutShort, Outcome::CutOff,
         "服务器回复传输中断，无法检测题库版本，请稍后重试。", "cut off after 35 bytes of 1035"},
        {"past the limit", list + QByteArray(1024 * 1024, ' '), Mode::Answer, Outcome::TooLong,
         "服务器回复过长，无法检测题库版本。", "longer than 1048576 bytes"},
    };
    const QByteArray version = bytes(versionFile());
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        server.paths.clear();
        reports.clear();
        server.serve(kListPath, c.body, 200, c.mode);
        const CheckResult r = makeUpdater()->check();
        EXPECT_EQ(r.outcome, c.outcome);
        EXPECT_EQ(r.httpStatus, 200);
        EXPECT_EQ(outcomeText(r), QString::fromUtf8(c.text));
        EXPECT_TRUE(couldNotCheck(r.outcome));
        ASSERT_EQ(reports.size(), 1);
        EXPECT_TRUE(reports[0].startsWith("tkup: ")) << reports[0].toStdString();
        EXPECT_TRUE(reports[0].contains(QLatin1String(c.report))) << reports[0].toStdString();
        EXPECT_EQ(server.paths, QStringList{kListPath});
        expectNothingWritten(version);
    }
}

// A list line that leads to one of the update's own files, in any spelling,
// is refused like an unsafe name: the server's bytes never become the saved
// list, the version or the hand-over, and the version file is the list
// this check compared.
TEST_F(Updating, ListLinesNamingTheUpdatesOwnFilesAreRefused) {
    const QByteArray list = gbkLines(
        {"201601010000", "K201601010000288895", "K201601010000288895.MXY", "D201601010000288895",
         "M201601010000uprun.dll", "M201601010000UPRUN.DLL", "K201601010000l30001"});
    server.serve(kListPath, list);
    for (const char *name :
         {"ksdata/288895.rar", "ksdata/288895.rar", "w7tk/288895.rar", "uprun.rar"})
        server.serve(serverPath(QString::fromLatin1(name)), "NOT A LIST");
    server.serve(serverPath("ksdata/l30001.rar"), "new picture");

    const CheckResult r = makeUpdater()->check();

    EXPECT_EQ(r.outcome, Outcome::Updated);
    EXPECT_EQ(r.rejected, 5);
    EXPECT_EQ(r.tried, 1);
    EXPECT_EQ(r.succeeded, 1);
    EXPECT_TRUE(r.versionAdvanced);
    EXPECT_EQ(bytes(versionFile()), list);
    EXPECT_EQ(bytes(savedList()), list);
    EXPECT_FALSE(exists(handoff()));
    EXPECT_TRUE(QDir(dir().root).entryList({"uprun*", "UPRUN*"}).isEmpty());
    EXPECT_EQ(bytes(dir().ksdata() + "l30001.mxy"), "new picture");
    EXPECT_EQ(server.paths, QStringList({kListPath, kListPath, serverPath("ksdata/l30001.rar")}));
    EXPECT_EQ(told, QStringList{"已更新1/1文件。请重新打开软件！"});
    EXPECT_EQ(reports.size(), 5);
    // The next check compares with the new version and asks for nothing.
    server.paths.clear();
    auto next = makeUpdater([](UpdateConfig &c) { c.bankVersion = "201601010000"; });
    EXPECT_EQ(next->check().outcome, Outcome::UpToDate);
}

// Nor may a list line write the program's own bookkeeping: the writer's
// journal in any folder the update writes (finished as the writer's own at
// its next write there), the installation's lock, or a file of the
// writer's temporary names; in any letter case, and through a folder that
// is a link to another. The other lines go through.
TEST_F(Updating, ListLinesNamingTheProgramsBookkeepingAreRefused) {
    // The lock is there while the program runs.
    QTemporaryDir runtime;
    auto lock = platform::makeLockFileSingleInstance(runtime.path());
    ASSERT_TRUE(lock->acquire(QLatin1String(startup::kInstanceLockName), dir().ksdata()));
    const QString lockFile = dir().ksdata() + "w7practice.lock";
    const QByteArray lockBytes = bytes(lockFile);
    ASSERT_FALSE(lockBytes.isEmpty());
    // The picture folder leads to the records.
    ASSERT_TRUE(QDir(dir().root).rename("examdata", "examdata.real"));
    ASSERT_TRUE(QFile::link(dir().ksdata(), dir().root + "examdata"));

    const QStringList refused = {
        "D201601010000w7files.journal",
        "K201601010000W7FILES.JOURNAL",
        "E201601010000w7Files.Journal",
        "M201601010000w7files.journal",
        "K201601010000w7practice.lock",
        "K201601010000W7Practice.LOCK",
        "E201601010000w7practice.lock", // the lock, through the link
        "K201601010000288892.mxy.w7tmp-0123456789abcdef",
        "D201601010000288891.w7tmp-0123456789ABCDEF",
        "M201601010000w7practice.w7tmp-00000000deadbeef",
    };
    const QByteArray list =
        gbkLines(QStringList{"201601010000"} + refused + QStringList{"K201601010000l30001"});
    server.serve(kListPath, list);
    server.serve(serverPath("ksdata/l30001.rar"), "new picture");

    const CheckResult r = makeUpdater()->check();

    EXPECT_EQ(r.outcome, Outcome::Updated);
    EXPECT_EQ(r.rejected, refused.size());
    EXPECT_EQ(r.tried, 1);
    EXPECT_EQ(r.succeeded, 1);
    EXPECT_EQ(server.paths.join(' '),
              QStringList({kListPath, kListPath, serverPath("ksdata/l30001.rar")}).join(' '));
    EXPECT_EQ(bytes(lockFile), lockBytes);
    for (const QString &folder : {dir().root, dir().bank(), dir().ksdata()})
        EXPECT_EQ(QDir(folder)
                      .entryList({"*.journal", "*w7tmp*"}, QDir::AllEntries | QDir::System)
                      .join(' '),
                  QString())
            << folder.toStdString();
    EXPECT_EQ(bytes(dir().ksdata() + "l30001.mxy"), "new picture");
    EXPECT_EQ(reports.size(), refused.size());
}

// The check waits for the banner: one that keeps trickling in is given up
// at the banner's limit like one that never comes, and the old one stays.
TEST_F(Updating, ABannerThatKeepsTricklingIsGivenUpAtItsLimit) {
    const QString banner = dir().ksdata() + "170100.mxy";
    ASSERT_TRUE(testsupport::writeBytes(banner, "old banner"));
    server.trickleMs = 100;
    server.tricklePieces = 600; // a minute in all, never idle for long
    server.serve("/up/ad/kvtn/170100.rar", QByteArray(4000, 'b'), 200, Mode::Trickle);
    auto u = makeUpdater([](UpdateConfig &c) { c.bannerIdleMs = 400; });
    QElapsedTimer clock;
    clock.start();
    EXPECT_FALSE(u->fetchBanner());
    EXPECT_GE(clock.elapsed(), 390);
    EXPECT_LT(clock.elapsed(), kHangGuardMs) << "it waited for the whole trickle";
    EXPECT_EQ(bytes(banner), "old banner");
}

TEST_F(Updating, NoServerNoRequest) {
    QTcpServer closed;
    ASSERT_TRUE(closed.listen(QHostAddress::LocalHost, 0));
    const QString refused = QStringLiteral("http://127.0.0.1:%1").arg(closed.serverPort());
    closed.close();
    const QByteArray version = bytes(versionFile());

    CheckResult r = makeUpdater([&](UpdateConfig &c) { c.host = refused; })->check();
    EXPECT_EQ(r.outcome, Outcome::NoConnection);
    EXPECT_EQ(outcomeText(r), "无法连接升级服务器，无法检测题库版本。");
    EXPECT_EQ(reports.size(), 1);

    auto none = makeUpdater([](UpdateConfig &c) { c.host.clear(); });
    r = none->check();
    EXPECT_EQ(r.outcome, Outcome::NoServer);
    EXPECT_EQ(outcomeText(r), "未设置升级服务器，无法检测题库版本。");
    EXPECT_FALSE(none->fetchBanner());
    EXPECT_TRUE(server.paths.isEmpty());
    expectNothingWritten(version);
}

TEST_F(Updating, ACutOffFileKeepsTheOldOneAndTheVersion) {
    server.serve(kListPath,
                 gbkLines({"201601010000", "D201601010000288891", "K201601010000l30001"}));
    server.serve(serverPath("w7tk/288891.rar"), "part of the new index", 200, Mode::CutShort);
    server.serve(serverPath("ksdata/l30001.rar"), "new picture");
    const QByteArray index = bytes(dir().bankFile("288891"));
    const QByteArray version = bytes(versionFile());
    setStamp(dir().bankFile("288891"), "201503070905");

    const CheckResult r = makeUpdater()->check();

    EXPECT_EQ(r.outcome, Outcome::Updated);
    EXPECT_EQ(r.tried, 2);
    EXPECT_EQ(r.succeeded, 1);
    EXPECT_FALSE(r.versionAdvanced);
    EXPECT_EQ(bytes(dir().bankFile("288891")), index);
    EXPECT_EQ(bytes(dir().ksdata() + "l30001.mxy"), "new picture");
    // The next check tries the missing file again.
    EXPECT_EQ(bytes(versionFile()), version);
    EXPECT_EQ(told, QStringList{"已更新1/2文件。请重新打开软件！"});
    EXPECT_EQ(ends, 1);
    EXPECT_EQ(QDir(dir().bank()).entryList({"*288891*"}, QDir::Files | QDir::Hidden),
              QStringList{"288891.mxy"});
}

TEST_F(Updating, TheListIsAppliedOnlyAsJustRead) {
    // An older saved list names a file that this check must not fetch.
    ASSERT_TRUE(
        testsupport::writeBytes(savedList(), gbkLines({"201512010000", "K201512010000stale1"})));
    server.serve(serverPath("ksdata/stale1.rar"), "stale");
    const struct {
        const char *what;
        testsupport::HttpTestServer::Route second;
        Outcome outcome;
        const char *text;
    } cases[] = {
        {"second download fails",
         {404, "gone"},
         Outcome::ListFailed,
         "升级列表下载失败，请稍后重试。"},
        {"second download cut off",
         {200, "201601010000\r\n", Mode::CutShort},
         Outcome::ListFailed,
         "升级列表下载失败，请稍后重试。"},
        {"second download past the list's limit",
         {200, "201601010000\r\n" + QByteArray(1024 * 1024, ' ')},
         Outcome::ListFailed,
         "升级列表下载失败，请稍后重试。"},
        {"list changed meanwhile",
         {200, "201601020000\r\nK201601020000stale1\r\n"},
         Outcome::ListChanged,
         "升级列表正在更新，请稍后重试。"},
    };
    const QByteArray version = bytes(versionFile());
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        server.paths.clear();
        server.serve(kListPath, "201601010000\r\nK201601010000stale1\r\n");
        server.then(kListPath, c.second);
        const CheckResult r = makeUpdater()->check();
        EXPECT_EQ(r.outcome, c.outcome);
        EXPECT_EQ(r.serverVersion, "201601010000");
        EXPECT_EQ(outcomeText(r), QString::fromUtf8(c.text));
        EXPECT_EQ(server.paths, QStringList({kListPath, kListPath}));
        EXPECT_TRUE(asked.isEmpty());
        EXPECT_FALSE(exists(dir().ksdata() + "stale1.mxy"));
        EXPECT_EQ(bytes(versionFile()), version);
    }
}

TEST_F(Updating, NamesThatAreNoFileNamesAreSkippedAndReported) {
    const QString outside = QDir(dir().root).absoluteFilePath("..");
    server.serve(kListPath,
                 gbkLines({"201601010000", "D201601010000../../x1", "K201601010000ab/cd1",
                           "E201601010000x1.y.zz", "K201601010000good01"}));
    server.serve(serverPath("ksdata/good01.rar"), "good");
    server.serve(serverPath("x1.rar"), "bad");
    server.serve(serverPath("ab/cd1.rar"), "bad");

    const CheckResult r = makeUpdater()->check();

    EXPECT_EQ(r.outcome, Outcome::Updated);
    EXPECT_EQ(r.rejected, 3);
    EXPECT_EQ(r.tried, 1);
    EXPECT_EQ(r.succeeded, 1);
    EXPECT_TRUE(r.versionAdvanced);
    EXPECT_EQ(bytes(dir().ksdata() + "good01.mxy"), "good");
    ASSERT_EQ(reports.size(), 3);
    EXPECT_TRUE(reports[0].startsWith("tkup: ")) << reports[0].toStdString();
    EXPECT_TRUE(reports[0].contains("../../x1"));
    EXPECT_TRUE(reports[1].contains("ab/cd1"));
    EXPECT_EQ(server.paths, QStringList({kListPath, kListPath, serverPath("ksdata/good01.rar")}));
    EXPECT_TRUE(QDir(outside).entryList({"x1*"}).isEmpty());
    EXPECT_TRUE(QDir(dir().ksdata()).entryList({"ab*", "cd1*"}).isEmpty());
    EXPECT_TRUE(QDir(dir().root).entryList({"x1*"}).isEmpty());
}

TEST_F(Updating, NoAtTheQuestionChangesNothing) {
    server.serve(kListPath, gbkLines({"201601010000", "K201601010000l30001"}));
    server.serve(serverPath("ksdata/l30001.rar"), "new picture");
    answerYes = false;
    const QByteArray version = bytes(versionFile());
    const CheckResult r = makeUpdater()->check();
    EXPECT_EQ(r.outcome, Outcome::Declined);
    EXPECT_EQ(asked.size(), 1);
    EXPECT_FALSE(exists(dir().ksdata() + "l30001.mxy"));
    EXPECT_EQ(bytes(versionFile()), version);
    EXPECT_TRUE(told.isEmpty());
    EXPECT_EQ(ends, 0);
}

TEST_F(Updating, AVersionFileThatCannotBeReplacedIsReportedAndTheRunStillEnds) {
    server.serve(kListPath, gbkLines({"201601010000", "K201601010000l30001"}));
    server.serve(serverPath("ksdata/l30001.rar"), "new picture");
    // A folder where the version file should be: no file can replace it.
    ASSERT_TRUE(QFile::remove(versionFile()));
    ASSERT_TRUE(QDir().mkpath(versionFile()));
    const CheckResult r = makeUpdater()->check();
    EXPECT_EQ(r.outcome, Outcome::Updated);
    EXPECT_FALSE(r.versionAdvanced);
    ASSERT_EQ(reports.size(), 1);
    EXPECT_TRUE(reports[0].contains("288895.mxy"));
    EXPECT_EQ(told, QStringList{"已更新1/1文件。请重新打开软件！"});
    EXPECT_EQ(ends, 1);
}

TEST_F(Updating, ClosingDuringTheWaitEndsTheRequest) {
    server.serve(kListPath, {}, 200, Mode::Silent);
    auto u = makeUpdater(); // the check's limit: a minute
    QTimer::singleShot(100, [&] { u->cancel(); });
    QElapsedTimer clock;
    clock.start();
    const CheckResult r = u->check();
    EXPECT_EQ(r.outcome, Outcome::Cancelled);
    // Well before the check's minute, which a wait that did not end would
    // have run out.
    EXPECT_LT(clock.elapsed(), kHangGuardMs);
    EXPECT_EQ(server.paths, QStringList{kListPath});
    EXPECT_TRUE(asked.isEmpty());
    EXPECT_TRUE(reports.isEmpty());
    EXPECT_FALSE(exists(savedList()));
}

TEST_F(Updating, TheBannerComesFromItsOwnAddress) {
    const QString banner = dir().ksdata() + "170100.mxy";
    server.serve("/up/ad/kvtn/170100.rar",
                 gbkLines({"新题库已发布◎欢迎升级", "255", "http://www.example.org/"}));
    EXPECT_TRUE(makeUpdater()->fetchBanner());
    EXPECT_EQ(bytes(banner), gbkLines({"新题库已发布◎欢迎升级", "255", "http://www.example.org/"}));
    // A banner that does not arrive keeps the old one.
    server.serve("/up/ad/kvtn/170100.rar", "", 404);
    EXPECT_FALSE(makeUpdater()->fetchBanner());
    EXPECT_EQ(bytes(banner), gbkLines({"新题库已发布◎欢迎升级", "255", "http://www.example.org/"}));
    EXPECT_EQ(server.paths, QStringList({"/up/ad/kvtn/170100.rar", "/up/ad/kvtn/170100.rar"}));
}

TEST(UpdateAddresses, SegmentsAreEncodedAndTheBankNameHasNoSlash) {
    UpdateConfig c;
    c.host = "http://h:8080";
    c.programFolder = "/opt/程序/";
    c.dataPath = "/opt/程序/题库/";
    c.subject = "Windows 7";
    c.bannerCode = "kv/tn";
    EXPECT_EQ(listUrl(c), "http://h:8080/up/qkwfb/Windows%207/%E9%A2%98%E5%BA%93/288895.txt");
    EXPECT_EQ(bannerUrl(c), "http://h:8080/up/ad/kv%2Ftn/170100.rar");
    c.host.clear();
    EXPECT_TRUE(listUrl(c).isEmpty());
    EXPECT_TRUE(bannerUrl(c).isEmpty());
}

} // namespace
