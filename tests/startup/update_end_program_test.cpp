// The program itself on a virtual X display, clicked as a candidate clicks:
// the update window is opened from the home page against an update server
// that accepts and never answers, and the program is ended from the home
// page while the update window still waits for the banner. The process must
// end at once with exit code 0 and give up its single-instance lock, so that
// the next start is accepted. A wait that entered the event loop again after
// the end used to leave the process spinning for ever, holding the lock.
#include "loopback_servers.h"
#include "program_copy.h"
#include "virtual_display.h"

#include <QElapsedTimer>
#include <QFile>
#include <gtest/gtest.h>

#include <cstdio>

namespace {

using testsupport::Child;
using testsupport::Geometry;

// Where the buttons lie, from the window's origin, as the program lays out
// its windows at the sample's scale (found on screenshots of the sample).
constexpr int kHomeWidth = 800, kHomeHeight = 600;
constexpr int kUpgradeX = 537, kUpgradeY = 504; // "升级"
constexpr int kExitX = 782, kExitY = 17;        // the close button, top right
constexpr int kBoxWidth = 370, kBoxHeight = 250;
constexpr int kConfirmX = 209, kConfirmY = 207; // "确定" in the exit box

constexpr int kStartMs = 20000;
constexpr const char *kAlreadyRunning = "考试练习系统已在运行";

class UpdateEndProgram : public ::testing::Test {
protected:
    void SetUp() override {
        if (!display_.missingTools().isEmpty())
            GTEST_SKIP() << "Xvfb and xdotool are needed (scripts/deps.sh installs them)";
        ASSERT_TRUE(display_.error().isEmpty()) << display_.error().toStdString();
        ASSERT_TRUE(copy_.error().isEmpty()) << copy_.error().toStdString();
        ASSERT_GT(server_.port(), 0);
        QFile ini(program() + QStringLiteral("/w7practice.ini"));
        ASSERT_TRUE(ini.open(QIODevice::WriteOnly));
        ini.write(
            QStringLiteral("[Update]\nHost=http://127.0.0.1:%1\n").arg(server_.port()).toUtf8());
        ini.close();
    }

    QString program() const { return copy_.program(); }

    void startProgram(Child &c) {
        // Both starts share the copy's lock and registry, as two starts by
        // one user do.
        copy_.prepare(c.process(), display_.environment());
        c.process().start(copy_.executable(), {});
        ASSERT_TRUE(c.process().waitForStarted(5000));
    }

    // The program's home page, once it is on the screen (the start-up
    // window comes first): the window of the home page's size.
    QString homeWindow(Child &c) {
        return display_.waitForWindowOfSize(c, kHomeWidth, kHomeHeight, kStartMs);
    }

    testsupport::ProgramCopy copy_;
    testsupport::SilentServer server_;
    testsupport::VirtualDisplay display_; // declared before the programs: it goes last
};

TEST_F(UpdateEndProgram, EndsFromInsideTheUpdateWaitAndTheNextStartIsAccepted) {
    Child first;
    ASSERT_NO_FATAL_FAILURE(startProgram(first));
    const QString home = homeWindow(first);
    ASSERT_FALSE(home.isEmpty()) << "no home page of " << kHomeWidth << "x" << kHomeHeight << ": "
                                 << first.output().toStdString();

    QElapsedTimer sinceUpgrade;
    display_.click(home, kUpgradeX, kUpgradeY);
    sinceUpgrade.start();
    // The update window fetches the home page's banner first and waits for
    // it in a loop of its own, hidden.
    const QByteArray banner = server_.acceptRequest(5000);
    ASSERT_TRUE(banner.startsWith("GET /up/ad/")) << banner.toStdString();

    display_.click(home, kExitX, kExitY);
    const QString box = display_.waitForWindow(first, {home}, 5000);
    ASSERT_FALSE(box.isEmpty()) << "no exit box";
    const Geometry g = display_.geometry(box);
    EXPECT_EQ(g.width, kBoxWidth);
    EXPECT_EQ(g.height, kBoxHeight);

    // The exit box runs inside the banner's wait, which still waits: its
    // request is open and the list's has not begun.
    ASSERT_TRUE(server_.lastStillOpen()) << "the banner's request ended before the exit";
    ASSERT_FALSE(server_.connectionPending(0)) << "the list was asked for before the exit";
    ASSERT_FALSE(first.process().waitForFinished(0)) << "the program ended before the exit";
    const qint64 upgradeToConfirm = sinceUpgrade.elapsed();
    // Measured from before xdotool starts, so the figure is an upper bound.
    QElapsedTimer sinceConfirm;
    sinceConfirm.start();
    display_.click(box, kConfirmX, kConfirmY);

    // A hang guard of ten seconds tells a slow end from none at all.
    const bool ended = first.process().waitForFinished(10000);
    const qint64 endMs = sinceConfirm.elapsed();
    RecordProperty("upgrade_to_confirm_ms", int(upgradeToConfirm));
    RecordProperty("confirm_to_end_ms", int(endMs));
    std::printf("upgrade to confirm: %lld ms; confirm to end: %lld ms\n",
                static_cast<long long>(upgradeToConfirm), static_cast<long long>(endMs));
    ASSERT_TRUE(ended) << "the program still runs 10 s after the exit was confirmed";
    EXPECT_LT(endMs, 1000) << "the program took " << endMs << " ms to end";
    EXPECT_EQ(first.process().exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(first.process().exitCode(), 0) << first.output().toStdString();

    // The lock is free again: a new start reaches its home page.
    Child second;
    ASSERT_NO_FATAL_FAILURE(startProgram(second));
    const QString secondHome = homeWindow(second);
    EXPECT_FALSE(second.output().contains(kAlreadyRunning)) << second.output().toStdString();
    EXPECT_FALSE(secondHome.isEmpty())
        << "the second start shows no home page: " << second.output().toStdString();
    second.stop();
}

} // namespace
