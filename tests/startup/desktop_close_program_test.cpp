// The program itself on a virtual X display, sent the close request a window
// manager sends for Alt+F4 or a taskbar's close (a ClientMessage
// WM_PROTOCOLS / WM_DELETE_WINDOW, by tools/wmclose). The home page must ask
// its exit question: the negative answer leaves it on show, 确定 ends the
// process with exit code 0, and the next start is accepted.
// Unloaded without a question, the page used to leave the process running
// with no window, holding the lock that refuses every later start.
#include "program_on_display.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFileInfo>
#include <gtest/gtest.h>

#include <cstdio>

namespace {

using namespace testsupport;

class DesktopCloseProgram : public ProgramOnDisplay {
protected:
    void SetUp() override {
        wmclose_ = QCoreApplication::applicationDirPath() + QStringLiteral("/wmclose");
        if (!display_.missingTools().isEmpty() || !QFileInfo(wmclose_).isExecutable())
            GTEST_SKIP() << "Xvfb, xdotool and tools/wmclose (libx11-dev) are needed; missing: "
                         << display_.missingTools().join(' ').toStdString();
        ASSERT_NO_FATAL_FAILURE(expectReady());
    }

    // The desktop's close request to the window; the box it opens.
    QString closeFromDesktop(Child &c, const QString &window) {
        EXPECT_EQ(display_.run(wmclose_, {window}), 0) << "wmclose failed";
        return display_.waitForWindow(c, {window}, kHangGuardMs);
    }

    QString wmclose_;
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
    EXPECT_EQ(g.width, kExitBoxWidth);
    EXPECT_EQ(g.height, kExitBoxHeight);
    EXPECT_TRUE(display_.visibleWindows(first.pid()).contains(home));
    display_.click(box, kExitCancelX, kExitCancelY);
    ASSERT_TRUE(display_.waitForWindowGone(first, box, kHangGuardMs));
    ASSERT_TRUE(first.running()) << first.output().toStdString();
    EXPECT_EQ(display_.visibleWindows(first.pid()), QStringList({home}));

    // Asked again and confirmed: the process ends.
    const QString again = closeFromDesktop(first, home);
    ASSERT_FALSE(again.isEmpty()) << "no exit box after the second close request";
    ASSERT_NO_FATAL_FAILURE(confirmExitAndExpectTheEnd(first, again));
    expectTheNextStartReachesItsHomePage();
}

} // namespace
