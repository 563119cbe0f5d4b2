#include "child_process.h"
#include "platform/http.h"
#include "platform/text.h"
#include "program_fixture.h"
#include "startup/run_state.h"
#include "startup/services.h"

#include <QDir>
#include <QSettings>
#include <QTcpServer>
#include <QTcpSocket>
#include <functional>
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

using startup::state;

namespace {

class Services : public testsupport::ProgramFixture {
protected:
    Services() {
        state().SubjectName = QStringLiteral("Windows7");
        state().BankVersion = QStringLiteral("201503070905");
        state().OsVersion = QStringLiteral("6.1");
    }
    QString logPath() const { return dir().ksdata() + QStringLiteral("20150307090502.txt"); }
    void configureHost(const QString &host) {
        QSettings ini(dir().root + QLatin1String(startup::kInstallConfigFile),
                      QSettings::IniFormat);
        ini.setValue(QStringLiteral("ErrorReport/Host"), host);
    }
};

QByteArray entry(const QString &tag, const QString &text, int number) {
    return platform::encodeGbk(QStringLiteral("\r\n2015-03-07 09:05:02\r\n软件运行提示:") + tag +
                               text + QStringLiteral("\r\n系统版本:6.1,软件版本:201503070905,") +
                               QString::number(number) + QStringLiteral("\r\n\r\n"));
}

TEST_F(Services, RunLogEntryHasItsExactBytes) {
    state().RunLogPath = logPath();
    const QString text = QStringLiteral("文件未找到");
    ModZCB::SubmitError(QStringLiteral("readInfo"), 53, text, QString());
    EXPECT_EQ(testsupport::readBytes(logPath()), entry(QStringLiteral("readInfo"), text, 53));

    // The log is only ever appended to.
    ModZCB::SubmitError(QStringLiteral("fengmaincsh"), -5, QStringLiteral("x"), QString());
    EXPECT_EQ(testsupport::readBytes(logPath()),
              entry(QStringLiteral("readInfo"), text, 53) +
                  entry(QStringLiteral("fengmaincsh"), QStringLiteral("x"), -5));
}

TEST_F(Services, NoLogBeforeTheLogIsNamedAndNoRequestWithoutHost) {
    ModZCB::SubmitError(QStringLiteral("startload"), 53, QStringLiteral("x"), QString());
    EXPECT_TRUE(QDir(dir().ksdata()).entryList({QStringLiteral("*.txt")}, QDir::Files).isEmpty());
    EXPECT_TRUE(http().requested.isEmpty());
}

TEST_F(Services, LogFolderMissingLosesTheEntrySilently) {
    state().RunLogPath = dir().root + QStringLiteral("nofolder/20150307090502.txt");
    ModZCB::SubmitError(QStringLiteral("readInfo"), 53, QStringLiteral("x"), QString());
    EXPECT_FALSE(QDir(dir().root + QStringLiteral("nofolder")).exists());
}

// The run log's name is foreseeable and ksdata may be shared: what was put
// there beforehand is never opened as the log, never followed, and said
// once on standard error; the run goes on. In a child, whose standard
// error the test reads; a pipe is opened without a reader, which must not
// wait for one.
TEST_F(Services, ChildReportsWhereTheRunLogIsNoFileOfItsOwn) {
    if (testsupport::childRole() != "runlog") GTEST_SKIP() << testsupport::kChildOnly;
    const QString victim = dir().root + QStringLiteral("victim.txt");
    const QString nowhere = dir().root + QStringLiteral("nowhere.txt");
    ASSERT_TRUE(testsupport::writeBytes(victim, "the user's own text\r\n"));
    const struct {
        const char *what;
        std::function<bool(const QByteArray &)> make;
    } cases[] = {
        {"a link to a file the user may write",
         [&](const QByteArray &p) {
             return ::symlink(QFile::encodeName(victim).constData(), p.constData()) == 0;
         }},
        {"a second name of a file the user may write",
         [&](const QByteArray &p) {
             return ::link(QFile::encodeName(victim).constData(), p.constData()) == 0;
         }},
        {"a link that leads nowhere",
         [&](const QByteArray &p) {
             return ::symlink(QFile::encodeName(nowhere).constData(), p.constData()) == 0;
         }},
        {"a named pipe", [](const QByteArray &p) { return ::mkfifo(p.constData(), 0644) == 0; }},
        {"a folder", [](const QByteArray &p) { return ::mkdir(p.constData(), 0755) == 0; }},
    };
    int n = 0;
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        const QString log = dir().ksdata() + QStringLiteral("2015030709051%1.txt").arg(n++);
        ASSERT_TRUE(c.make(QFile::encodeName(log)));
        const QFileInfo before(log);
        state().RunLogPath = log;
        startup::trapError(QStringLiteral("readInfo"), 53, QStringLiteral("first"));
        startup::trapError(QStringLiteral("readInfo"), 53, QStringLiteral("second"));
        const QFileInfo after(log);
        EXPECT_EQ(after.isSymLink(), before.isSymLink());
        EXPECT_EQ(after.isDir(), before.isDir());
        EXPECT_EQ(after.size(), before.size());
    }
    EXPECT_EQ(testsupport::readBytes(victim), "the user's own text\r\n");
    EXPECT_FALSE(QFileInfo::exists(nowhere));
    // The run goes on, and reports into a log of its own where there is one.
    state().RunLogPath = logPath();
    startup::trapError(QStringLiteral("readInfo"), 53, QStringLiteral("x"));
    EXPECT_EQ(testsupport::readBytes(logPath()),
              entry(QStringLiteral("readInfo"), QStringLiteral("x"), 53));
}

TEST(ServicesRunLog, ALinkAPipeOrAFolderAsTheRunLogIsNeverWrittenAndSaidOnceOnStandardError) {
    const auto run = testsupport::runChildWithin(
        20000, "Services.ChildReportsWhereTheRunLogIsNoFileOfItsOwn", "runlog");
    EXPECT_TRUE(run.passed()) << run.output.toStdString();
    for (int n = 0; n < 5; ++n)
        EXPECT_EQ(run.output.count("ksdata/2015030709051" + QByteArray::number(n) +
                                   ".txt is a link or no regular file"),
                  1)
            << run.output.toStdString();
}

// An error reported while another report waits for the network is
// reported in its turn, and each entry keeps its own tag and text.
TEST_F(Services, ReportDuringAReportKeepsBothEntriesApart) {
    configureHost(QStringLiteral("127.0.0.1:9"));
    state().RunLogPath = logPath();
    bool nested = false;
    http().whileWaiting = [&](const QString &) {
        if (nested) return;
        nested = true;
        startup::trapError(QStringLiteral("clickbotn"), 9, QStringLiteral("second"));
    };
    startup::trapError(QStringLiteral("fengmaincsh"), 53, QStringLiteral("first"));
    EXPECT_EQ(http().requested.size(), 2);
    EXPECT_EQ(testsupport::readBytes(logPath()),
              entry(QStringLiteral("clickbotn"), QStringLiteral("second"), 9) +
                  entry(QStringLiteral("fengmaincsh"), QStringLiteral("first"), 53));
    // The reporter's own failing request (the fake fails it) is not reported.
    EXPECT_EQ(state().LastErrorProc, QStringLiteral("clickbotn"));
}

TEST_F(Services, GetHtmlStrTellsContentFromErrors) {
    http().reply(QStringLiteral("http://h/ok"),
                 platform::encodeGbk(QStringLiteral("  201503071200 版本 \r\n")));
    http().reply(QStringLiteral("http://h/missing"), QByteArray("20 not found page"), 404);
    http().replyTimeout(QStringLiteral("http://h/slow"));
    // Only blanks are trimmed, as everywhere.
    EXPECT_EQ(ModZCB::getHtmlStr(QStringLiteral("http://h/ok"), 2),
              QStringLiteral("201503071200 版本 \r\n"));
    EXPECT_TRUE(ModZCB::getHtmlStr(QStringLiteral("http://h/missing"), 2)
                    .startsWith(QStringLiteral("error")));
    EXPECT_EQ(ModZCB::getHtmlStr(QStringLiteral("http://h/slow"), 2),
              QStringLiteral("error-timeout，网络状况不好，请重试！"));
    EXPECT_TRUE(state().LastErrorProc.isEmpty());

    // A request that fails outright is reported with the fetch's tag.
    state().RunLogPath = logPath();
    EXPECT_EQ(ModZCB::getHtmlStr(QStringLiteral("http://h/none"), 2), QString());
    EXPECT_EQ(state().LastErrorProc, QStringLiteral("getHtmlStr"));
    EXPECT_TRUE(testsupport::readBytes(logPath()).contains("getHtmlStr"));
}

TEST(GetHtmlStrWait, EndsAfterMoreThanTheSecondsAndAtMostOneMore) {
    const struct {
        int ms, seconds, limit;
    } cases[] = {{0, 1, 2000}, {999, 1, 1001}, {500, 2, 2500}};
    for (const auto &c : cases) EXPECT_EQ(ModZCB::waitLimitMs(c.ms, c.seconds), c.limit);
}

// A server on 127.0.0.1 that answers every request with 200 and keeps the
// request lines it received.
class LineServer {
public:
    LineServer() {
        server.listen(QHostAddress::LocalHost);
        QObject::connect(&server, &QTcpServer::newConnection, [this] {
            while (QTcpSocket *s = server.nextPendingConnection()) {
                QObject::connect(s, &QTcpSocket::readyRead, s, [this, s] {
                    buffer += s->readAll();
                    if (!buffer.contains("\r\n\r\n")) return;
                    lines << QString::fromLatin1(buffer.left(buffer.indexOf("\r\n")));
                    buffer.clear();
                    s->write("HTTP/1.1 200 OK\r\nContent-Length: 2\r\nConnection: close\r\n\r\nok");
                    s->disconnectFromHost();
                });
            }
        });
    }
    QTcpServer server;
    QByteArray buffer;
    QStringList lines;
};

TEST_F(Services, ReportRequestLineIsPercentEncoded) {
    LineServer server;
    ASSERT_TRUE(server.server.isListening());
    platform::setHttp(platform::makeNetworkHttp());
    configureHost(QStringLiteral("127.0.0.1:%1").arg(server.server.serverPort()));
    state().SubjectName = QStringLiteral("Win 7&中");
    startup::trapError(QStringLiteral("readInfo"), 53, QStringLiteral("a&b #c 文件"));
    ASSERT_EQ(server.lines.size(), 1);
    EXPECT_EQ(server.lines[0],
              QStringLiteral("GET /up/error/submit.asp?pronm=Win%207%26%E4%B8%AD"
                             "&pver=201503070905&osver=6.1&errsub=readInfo&errno=53"
                             "&errdescript=a%26b%20%23c%20%E6%96%87%E4%BB%B6 HTTP/1.1"));
}

} // namespace
