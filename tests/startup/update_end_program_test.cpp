// The program itself on a virtual X display, clicked as a candidate clicks:
// the update window is opened from the home page against an update server
// that accepts and never answers, and the program is ended from the home
// page while the update window still waits for the banner. The process must
// end at once with exit code 0 and give up its single-instance lock, so that
// the next start is accepted. A wait that entered the event loop again after
// the end used to leave the process spinning for ever, holding the lock.
#include "loopback_servers.h"
#include "program_copy.h"

#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QThread>
#include <gtest/gtest.h>
#include <memory>
#include <vector>

#include <cerrno>
#include <cstdio>
#include <poll.h>
#include <unistd.h>

namespace {

// Where the buttons lie, from the window's origin, as the program lays out
// its windows at the sample's scale (found on screenshots of the sample).
constexpr int kHomeWidth = 800, kHomeHeight = 600;
constexpr int kUpgradeX = 537, kUpgradeY = 504; // "升级"
constexpr int kExitX = 782, kExitY = 17;        // the close button, top right
constexpr int kBoxWidth = 370, kBoxHeight = 250;
constexpr int kConfirmX = 209, kConfirmY = 207; // "确定" in the exit box

constexpr int kStartMs = 20000;
constexpr const char *kAlreadyRunning = "考试练习系统已在运行";

// A child process that is killed when it goes out of scope, whatever ended
// the test.
class Child {
public:
    Child() { p_.setProcessChannelMode(QProcess::MergedChannels); }
    ~Child() { stop(); }
    Child(const Child &) = delete;
    Child &operator=(const Child &) = delete;

    QProcess &process() { return p_; }
    // Without an event loop QProcess learns of the end only in a wait.
    bool running() { return p_.state() != QProcess::NotRunning && !p_.waitForFinished(0); }
    qint64 pid() const { return p_.processId(); }
    // SIGTERM first: Xvfb then removes its socket and lock file.
    void stop() {
        if (!running()) return;
        p_.terminate();
        if (p_.waitForFinished(3000)) return;
        p_.kill();
        p_.waitForFinished(5000);
    }
    // Everything it printed so far.
    QByteArray output() {
        out_ += p_.readAll();
        return out_;
    }

private:
    QProcess p_;
    QByteArray out_;
};

struct Geometry {
    int x = 0, y = 0, width = 0, height = 0;
};

class UpdateEndProgram : public ::testing::Test {
protected:
    void SetUp() override {
        xvfbPath_ = QStandardPaths::findExecutable(QStringLiteral("Xvfb"));
        xdotoolPath_ = QStandardPaths::findExecutable(QStringLiteral("xdotool"));
        if (xvfbPath_.isEmpty() || xdotoolPath_.isEmpty())
            GTEST_SKIP() << "Xvfb and xdotool are needed (scripts/deps.sh installs them)";
        ASSERT_TRUE(copy_.error().isEmpty()) << copy_.error().toStdString();
        ASSERT_GT(server_.port(), 0);
        QFile ini(program() + QStringLiteral("/w7practice.ini"));
        ASSERT_TRUE(ini.open(QIODevice::WriteOnly));
        ini.write(
            QStringLiteral("[Update]\nHost=http://127.0.0.1:%1\n").arg(server_.port()).toUtf8());
        ini.close();
        startXvfb();
    }

    QString program() const { return copy_.program(); }

    // A display of its own: Xvfb picks a free number and writes it to its
    // standard output.
    void startXvfb() {
        QProcess &x = xvfb_.process();
        x.setProcessChannelMode(QProcess::SeparateChannels);
        x.setStandardErrorFile(QProcess::nullDevice());
        x.start(xvfbPath_,
                {QStringLiteral("-displayfd"), QStringLiteral("1"), QStringLiteral("-screen"),
                 QStringLiteral("0"), QStringLiteral("1280x800x24"), QStringLiteral("-nolisten"),
                 QStringLiteral("tcp")});
        ASSERT_TRUE(x.waitForStarted(5000));
        QElapsedTimer t;
        t.start();
        while (!x.canReadLine() && t.elapsed() < 10000 && xvfb_.running()) x.waitForReadyRead(100);
        const QByteArray number = x.readLine().trimmed();
        ASSERT_FALSE(number.isEmpty()) << "Xvfb gave no display number";
        display_ = QStringLiteral(":") + QString::fromLatin1(number);
    }

    void startProgram(Child &c) {
        // Both starts share the copy's lock and registry, as two starts by
        // one user do.
        copy_.prepare(c.process(), {{QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb")},
                                    {QStringLiteral("DISPLAY"), display_}});
        c.process().start(copy_.executable(), {});
        ASSERT_TRUE(c.process().waitForStarted(5000));
    }

    // xdotool on the display; its standard output.
    QString xdo(const QStringList &args) {
        Child c;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("DISPLAY"), display_);
        c.process().setProcessEnvironment(env);
        c.process().setProcessChannelMode(QProcess::SeparateChannels);
        c.process().start(xdotoolPath_, args);
        c.process().waitForFinished(10000);
        return QString::fromUtf8(c.process().readAllStandardOutput());
    }

    QStringList visibleWindows(qint64 pid) {
        return xdo({QStringLiteral("search"), QStringLiteral("--all"),
                    QStringLiteral("--onlyvisible"), QStringLiteral("--pid"), QString::number(pid)})
            .split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    }

    Geometry geometry(const QString &window) {
        Geometry g;
        const QStringList lines =
            xdo({QStringLiteral("getwindowgeometry"), QStringLiteral("--shell"), window})
                .split(QLatin1Char('\n'), Qt::SkipEmptyParts);
        for (const QString &l : lines) {
            const QString key = l.section(QLatin1Char('='), 0, 0);
            const int value = l.section(QLatin1Char('='), 1).toInt();
            if (key == QLatin1String("X")) g.x = value;
            if (key == QLatin1String("Y")) g.y = value;
            if (key == QLatin1String("WIDTH")) g.width = value;
            if (key == QLatin1String("HEIGHT")) g.height = value;
        }
        return g;
    }

    // The first window of the program mapped that is not among known, or
    // empty when none is within timeoutMs or the program ended.
    QString waitForWindow(Child &c, const QStringList &known, int timeoutMs) {
        QElapsedTimer t;
        t.start();
        while (t.elapsed() < timeoutMs && c.running()) {
            for (const QString &w : visibleWindows(c.pid()))
                if (!known.contains(w)) return w;
            QThread::msleep(20);
        }
        return {};
    }

    void click(const QString &window, int x, int y) {
        xdo({QStringLiteral("mousemove"), QStringLiteral("--sync"), QStringLiteral("--window"),
             window, QString::number(x), QString::number(y), QStringLiteral("click"),
             QStringLiteral("1")});
    }

    // The program's home page, once it is on the screen (the start-up
    // window comes first): the window of the home page's size.
    QString homeWindow(Child &c) {
        QElapsedTimer t;
        t.start();
        while (t.elapsed() < kStartMs && c.running()) {
            for (const QString &w : visibleWindows(c.pid())) {
                const Geometry g = geometry(w);
                if (g.width == kHomeWidth && g.height == kHomeHeight) return w;
            }
            QThread::msleep(20);
        }
        return {};
    }

    QString xvfbPath_, xdotoolPath_, display_;
    testsupport::ProgramCopy copy_;
    testsupport::SilentServer server_;
    Child xvfb_; // declared before the programs: it goes last
};

TEST_F(UpdateEndProgram, EndsFromInsideTheUpdateWaitAndTheNextStartIsAccepted) {
    Child first;
    ASSERT_NO_FATAL_FAILURE(startProgram(first));
    const QString home = homeWindow(first);
    ASSERT_FALSE(home.isEmpty()) << "no home page of " << kHomeWidth << "x" << kHomeHeight << ": "
                                 << first.output().toStdString();

    QElapsedTimer sinceUpgrade;
    click(home, kUpgradeX, kUpgradeY);
    sinceUpgrade.start();
    // The update window fetches the home page's banner first and waits for
    // it in a loop of its own, hidden.
    const QByteArray banner = server_.acceptRequest(5000);
    ASSERT_TRUE(banner.startsWith("GET /up/ad/")) << banner.toStdString();

    click(home, kExitX, kExitY);
    const QString box = waitForWindow(first, {home}, 5000);
    ASSERT_FALSE(box.isEmpty()) << "no exit box";
    const Geometry g = geometry(box);
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
    click(box, kConfirmX, kConfirmY);

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
