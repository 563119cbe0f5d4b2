// The program itself on a virtual X display, sent the close request a window
// manager sends for Alt+F4 or a taskbar's close (a ClientMessage
// WM_PROTOCOLS / WM_DELETE_WINDOW, by tools/wmclose). The home page must ask
// its exit question: the negative answer leaves it on show, 确定 ends the
// process with exit code 0 within a second, and the next start is accepted.
// Unloaded without a question, the page used to leave the process running
// with no window, holding the lock that refuses every later start.
#include "program_copy.h"
#include "virtual_display.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFileInfo>
#include <gtest/gtest.h>

#include <cstdio>

namespace {

using testsupport::Child;
using testsupport::Geometry;

// Where things lie, from the window's origin, as the program lays out its
// windows at the sample's scale (found on screenshots of the sample).
constexpr int kHomeWidth = 800, kHomeHeight = 600;
constexpr int kBoxWidth = 370, kBoxHeight = 250;
constexpr int kConfirmX = 209, kConfirmY = 207; // "确定" in the exit box
constexpr int kCancelX = 309, kCancelY = 207;   // "取消"

constexpr int kStartMs = 20000;
constexpr const char *kAlreadyRunning = "考试练习系统已在运行";

class DesktopCloseProgram : public ::testing::Test {
protected:
    void SetUp() override {
        wmclose_ = QCoreApplication::applicationDirPath() + QStringLiteral("/wmclose");
        if (!display_.missingTools().isEmpty() || !QFileInfo(wmclose_).isExecutable())
            GTEST_SKIP() << "Xvfb, xdotool and tools/wmclose (libx11-dev) are needed; missing: "
                         << display_.missingTools().join(' ').toStdString();
        ASSERT_TRUE(display_.error().isEmpty()) << display_.error().toStdString();
        ASSERT_TRUE(copy_.error().isEmpty()) << copy_.error().toStdString();
    }

    void startProgram(Child &c) {
        // Both starts share the copy's lock, as two starts by one user do.
        copy_.prepare(c.process(), display_.environment());
        c.process().start(copy_.executable(), {});
        ASSERT_TRUE(c.process().waitForStarted(5000));
    }
    QString homeWindow(Child &c) {
        return display_.waitForWindowOfSize(c, kHomeWidth, kHomeHeight, kStartMs);
    }
    // The desktop's close request to the window; the box it opens.
    QString closeFromDesktop(Child &c, const QString &window) {
        EXPECT_EQ(display_.run(wmclose_, {window}), 0) << "wmclose failed";
        return display_.waitForWindow(c, {window}, 5000);
    }

    QString wmclose_;
    testsupport::ProgramCopy copy_;
    testsupport::VirtualDisplay display_;
};

TEST_F(DesktopCloseProgram, TheHomePageAsksItsExitQuestionAndConfirmedTheProgramEnds) {
    Child first;
    ASSERT_NO_FATAL_FAILURE(startProgram(first));
    const QString home = homeWindow(first);
    ASSERT_FALSE(home.isEmpty()) << "no home page: " << first.output().toStdString();

    // Answered with the negative button: the page stays as it was.
    const QString box = closeFromDesktop(first, home);
    ASSERT_FALSE(box.isEmpty()) << "no exit box after the close request; windows on show: "
                                << display_.visibleWindows(first.pid()).join(' ').toStdString();
    const Geometry g = display_.geometry(box);
    EXPECT_EQ(g.width, kBoxWidth);
    EXPECT_EQ(g.height, kBoxHeight);
    EXPECT_TRUE(display_.visibleWindows(first.pid()).contains(home));
    display_.click(box, kCancelX, kCancelY);
    ASSERT_TRUE(display_.waitForWindowGone(first, box, 5000));
    ASSERT_TRUE(first.running()) << first.output().toStdString();
    EXPECT_EQ(display_.visibleWindows(first.pid()), QStringList({home}));

    // Asked again and confirmed: the process ends.
    const QString again = closeFromDesktop(first, home);
    ASSERT_FALSE(again.isEmpty()) << "no exit box after the second close request";
    // Measured from before xdotool starts, so the figure is an upper bound.
    QElapsedTimer sinceConfirm;
    sinceConfirm.start();
    display_.click(again, kConfirmX, kConfirmY);
    // A hang guard of ten seconds tells a slow end from none at all.
    const bool ended = first.process().waitForFinished(10000);
    const qint64 endMs = sinceConfirm.elapsed();
    RecordProperty("confirm_to_end_ms", int(endMs));
    std::printf("confirm to end: %lld ms\n", static_cast<long long>(endMs));
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
