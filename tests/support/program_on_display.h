#pragma once
// The sample program, started from a copy of its installation on a virtual
// X display of its own, for the tests whose fault shows only with a real X
// server between the program and the person: its windows found by size,
// the home page's exit confirmed, and the end and the next start checked.
#include "program_copy.h"
#include "virtual_display.h"

#include <QElapsedTimer>
#include <gtest/gtest.h>

#include <cstdio>

namespace testsupport {

// Sizes and places from the window's origin, as the program lays out its
// windows at the sample's scale (found on screenshots of the sample).
inline constexpr int kHomeWidth = 800, kHomeHeight = 600;
inline constexpr int kExitBoxWidth = 370, kExitBoxHeight = 250;
inline constexpr int kExitConfirmX = 209, kExitConfirmY = 207; // "确定" in the exit box
inline constexpr int kExitCancelX = 309, kExitCancelY = 207;   // "取消"
inline constexpr const char *kAlreadyRunning = "考试练习系统已在运行";

class ProgramOnDisplay : public ::testing::Test {
protected:
    // A start takes some seconds under the sanitizers on a loaded machine;
    // one that hangs fails after this.
    static constexpr int kStartMs = 60000;
    // Every other wait (a window, a box, the end) takes well under a
    // second; one that takes this long hangs. No test bounds how long they
    // take: the figures are printed.
    static constexpr int kHangGuardMs = 20000;

    // For SetUp, after it skipped on missing tools (display_.missingTools()).
    void expectReady() {
        ASSERT_TRUE(display_.error().isEmpty()) << display_.error().toStdString();
        ASSERT_TRUE(copy_.error().isEmpty()) << copy_.error().toStdString();
    }

    void startProgram(Child &c) {
        // Every start shares the copy's lock and registry, as the starts of
        // one user do.
        copy_.prepare(c.process(), display_.environment());
        c.process().start(copy_.executable(), {});
        ASSERT_TRUE(c.process().waitForStarted(kHangGuardMs));
    }
    // The home page once it is on the screen (the start-up window comes
    // first): the program's window of the home page's size.
    QString homeWindow(Child &c) {
        return display_.waitForWindowOfSize(c, kHomeWidth, kHomeHeight, kStartMs);
    }

    // Confirms the exit box on show: the process must end normally with
    // exit code 0. The time from the click to the end is reported (an upper
    // bound: it includes starting xdotool).
    void confirmExitAndExpectTheEnd(Child &c, const QString &box) {
        QElapsedTimer sinceConfirm;
        sinceConfirm.start();
        display_.click(box, kExitConfirmX, kExitConfirmY);
        const bool ended = c.process().waitForFinished(kHangGuardMs);
        const qint64 endMs = sinceConfirm.elapsed();
        RecordProperty("confirm_to_end_ms", int(endMs));
        std::printf("[ figure ] confirm to end: %lld ms\n", static_cast<long long>(endMs));
        ASSERT_TRUE(ended) << "the program still runs " << endMs
                           << " ms after the exit was confirmed";
        EXPECT_EQ(c.process().exitStatus(), QProcess::NormalExit);
        EXPECT_EQ(c.process().exitCode(), 0) << c.output().toStdString();
    }

    // The lock is free again: a new start reaches its home page.
    void expectTheNextStartReachesItsHomePage() {
        Child next;
        ASSERT_NO_FATAL_FAILURE(startProgram(next));
        const QString home = homeWindow(next);
        EXPECT_FALSE(next.output().contains(kAlreadyRunning)) << next.output().toStdString();
        EXPECT_FALSE(home.isEmpty())
            << "the next start shows no home page: " << next.output().toStdString();
        next.stop();
    }

    ProgramCopy copy_;
    VirtualDisplay display_;
};

} // namespace testsupport
