#include "file_bytes.h"
#include "http_test_server.h"
#include "platform/http.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTcpServer>
#include <QTemporaryDir>
#include <QTimer>
#include <gtest/gtest.h>

#include <memory>

using namespace platform;

namespace {

using testsupport::HttpTestServer;

QByteArray bigBody() {
    QByteArray b;
    for (int i = 0; i < 300000; ++i) b += static_cast<char>(i % 251);
    return b;
}

class HttpTest : public ::testing::Test {
protected:
    void SetUp() override {
        server.serve("/ok", "  20150307 0905  \r\nline 2");
        server.serve("/silent", {}, 200, HttpTestServer::Mode::Silent);
        server.serve("/gone", "<html>Not Found</html>", 404);
        server.serve("/big.rar", bigBody());
        server.serve("/cut.rar", "only part", 200, HttpTestServer::Mode::CutShort);
        server.serve("/slow.rar", bigBody(), 200, HttpTestServer::Mode::Trickle);
        ASSERT_TRUE(dir.isValid());
    }

    HttpTestServer server;
    std::unique_ptr<Http> client = makeNetworkHttp();
    QTemporaryDir dir;
};

} // namespace

TEST_F(HttpTest, GetReturnsTheBodyOfA200Reply) {
    const HttpReply r = client->get(server.url("/ok"), 5000);
    EXPECT_EQ(r.outcome, HttpReply::Outcome::Ok);
    EXPECT_EQ(r.status, 200);
    // The body comes as it was sent; trimming is the caller's business.
    EXPECT_EQ(r.body, QByteArray("  20150307 0905  \r\nline 2"));
    EXPECT_EQ(server.paths, QStringList{"/ok"});
}

TEST_F(HttpTest, GetReportsAnErrorStatusWithoutTakingThePageAsContent) {
    const HttpReply r = client->get(server.url("/gone"), 5000);
    EXPECT_EQ(r.outcome, HttpReply::Outcome::Failed);
    EXPECT_EQ(r.status, 404);
    EXPECT_TRUE(r.body.isEmpty());
    EXPECT_FALSE(r.error.isEmpty());
}

TEST_F(HttpTest, GetFailsWhenNobodyListens) {
    QTcpServer closed;
    ASSERT_TRUE(closed.listen(QHostAddress::LocalHost, 0));
    const quint16 port = closed.serverPort();
    closed.close();
    const HttpReply r = client->get(QStringLiteral("http://127.0.0.1:%1/x").arg(port), 5000);
    EXPECT_EQ(r.outcome, HttpReply::Outcome::Failed);
    EXPECT_EQ(r.status, 0);
}

TEST_F(HttpTest, SilentServerTimesOutWhileTimersKeepRunning) {
    int ticks = 0;
    QTimer ticker;
    QObject::connect(&ticker, &QTimer::timeout, [&] { ++ticks; });
    ticker.start(20);

    QElapsedTimer clock;
    clock.start();
    const HttpReply r = client->get(server.url("/silent"), 400);
    const qint64 waited = clock.elapsed();

    EXPECT_EQ(r.outcome, HttpReply::Outcome::Timeout);
    EXPECT_GE(waited, 400);
    EXPECT_LT(waited, 10000);
    EXPECT_GE(ticks, 3) << "the event loop must run during the wait";
    // The connection is still usable for the next request.
    EXPECT_EQ(client->get(server.url("/ok"), 5000).outcome, HttpReply::Outcome::Ok);
}

TEST_F(HttpTest, GetCanBeCalledAgainFromATimerDuringTheWait) {
    // A report sent while another request waits: both complete on their own.
    HttpReply inner;
    QTimer::singleShot(10, [&] { inner = client->get(server.url("/ok"), 5000); });
    const HttpReply outer = client->get(server.url("/silent"), 500);
    EXPECT_EQ(outer.outcome, HttpReply::Outcome::Timeout);
    EXPECT_EQ(inner.outcome, HttpReply::Outcome::Ok);
}

TEST_F(HttpTest, DownloadWritesTheWholeFile) {
    const QString file = dir.filePath("big.mxy");
    ASSERT_TRUE(testsupport::writeBytes(file, "old"));
    ASSERT_TRUE(client->download(server.url("/big.rar"), file, 5000));
    EXPECT_EQ(testsupport::readBytes(file), bigBody());
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{"big.mxy"});
}

// The limit counts from the last data that arrived: a download that keeps
// coming, for longer than the limit in all, is not cut off. (The silent
// server, which sends nothing, fails below.)
TEST_F(HttpTest, SlowDownloadThatKeepsSendingOutlastsTheLimit) {
    server.trickleMs = 50;
    server.tricklePieces = 20; // about a second in all
    const QString file = dir.filePath("slow.mxy");
    QElapsedTimer clock;
    clock.start();
    ASSERT_TRUE(client->download(server.url("/slow.rar"), file, 600));
    EXPECT_GT(clock.elapsed(), 600); // it did outlast the limit
    EXPECT_EQ(testsupport::readBytes(file), bigBody());
}

TEST_F(HttpTest, FailedDownloadLeavesTheOldFile) {
    const QString file = dir.filePath("keep.mxy");
    const char *paths[] = {"/gone", "/cut.rar", "/silent"};
    for (const char *path : paths) {
        ASSERT_TRUE(testsupport::writeBytes(file, "old content"));
        EXPECT_FALSE(client->download(server.url(path), file, 500)) << path;
        EXPECT_EQ(testsupport::readBytes(file), QByteArray("old content")) << path;
        EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{"keep.mxy"}) << path;
    }
    // Nothing is created where the download failed and no file was before.
    EXPECT_FALSE(client->download(server.url("/gone"), dir.filePath("new.mxy"), 500));
    EXPECT_FALSE(QFile::exists(dir.filePath("new.mxy")));
    EXPECT_FALSE(client->download(server.url("/big.rar"), dir.filePath("no/dir.mxy"), 500));
}

TEST_F(HttpTest, AbortPendingEndsTheWaitAtOnce) {
    // A window closed while its request waits: the wait ends, nothing is written.
    const QString file = dir.filePath("keep.mxy");
    ASSERT_TRUE(testsupport::writeBytes(file, "old content"));
    QElapsedTimer clock;
    clock.start();
    QTimer::singleShot(50, [&] { client->abortPending(); });
    const HttpReply r = client->get(server.url("/silent"), 5000);
    EXPECT_EQ(r.outcome, HttpReply::Outcome::Failed);
    QTimer::singleShot(50, [&] { client->abortPending(); });
    EXPECT_FALSE(client->download(server.url("/silent"), file, 5000));
    EXPECT_LT(clock.elapsed(), 4000);
    EXPECT_EQ(testsupport::readBytes(file), QByteArray("old content"));
    // Nothing waits any more: the next request is not touched.
    client->abortPending();
    EXPECT_EQ(client->get(server.url("/ok"), 5000).outcome, HttpReply::Outcome::Ok);
}
