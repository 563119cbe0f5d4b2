// The program itself on a virtual X display, clicked as a candidate clicks:
// the update window is opened from the home page against an update server
// that accepts and never answers, and the program is ended from the home
// page while the update window still waits for the banner. The process must
// end at once with exit code 0 and give up its single-instance lock, so that
// the next start is accepted. A wait that entered the event loop again after
// the end used to leave the process spinning for ever, holding the lock.
#include "loopback_servers.h"
#include "program_on_display.h"

#include <QElapsedTimer>
#include <QFile>
#include <gtest/gtest.h>

#include <cstdio>

namespace {

using namespace testsupport;

// Where the buttons lie on the home page, from the window's origin.
constexpr int kUpgradeX = 537, kUpgradeY = 504; // "升级"
constexpr int kExitX = 782, kExitY = 17;        // the close button, top right

class UpdateEndProgram : public ProgramOnDisplay {
protected:
    void SetUp() override {
        if (!display_.missingTools().isEmpty())
            GTEST_SKIP() << "Xvfb and xdotool are needed (scripts/deps.sh installs them)";
        ASSERT_NO_FATAL_FAILURE(expectReady());
        ASSERT_GT(server_.port(), 0);
        QFile ini(copy_.program() + QStringLiteral("/w7practice.ini"));
        ASSERT_TRUE(ini.open(QIODevice::WriteOnly));
        ini.write(
            QStringLiteral("[Update]\nHost=http://127.0.0.1:%1\n").arg(server_.port()).toUtf8());
        ini.close();
    }

    SilentServer server_;
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
    const QByteArray banner = server_.acceptRequest(kHangGuardMs);
    ASSERT_TRUE(banner.startsWith("GET /up/ad/")) << banner.toStdString();

    display_.click(home, kExitX, kExitY);
    const QString box = display_.waitForWindow(first, {home}, kHangGuardMs);
    ASSERT_FALSE(box.isEmpty()) << "no exit box";
    const Geometry g = display_.geometry(box);
    EXPECT_EQ(g.width, kExitBoxWidth);
    EXPECT_EQ(g.height, kExitBoxHeight);

    // The exit box runs inside the banner's wait, which still waits: its
    // request is open and the list's has not begun.
    ASSERT_TRUE(server_.lastStillOpen()) << "the banner's request ended before the exit";
    ASSERT_FALSE(server_.connectionPending(0)) << "the list was asked for before the exit";
    ASSERT_FALSE(first.process().waitForFinished(0)) << "the program ended before the exit";
    const qint64 upgradeToConfirm = sinceUpgrade.elapsed();
    RecordProperty("upgrade_to_confirm_ms", int(upgradeToConfirm));
    std::printf("[ figure ] upgrade to confirm: %lld ms\n",
                static_cast<long long>(upgradeToConfirm));
    ASSERT_NO_FATAL_FAILURE(confirmExitAndExpectTheEnd(first, box));
    expectTheNextStartReachesItsHomePage();
}

} // namespace
