#pragma once
// The program itself on a virtual X display of its own, looked at and
// clicked with xdotool as a candidate clicks: for the few tests whose fault
// shows only with a real X server between the program and the person.
//
//   testsupport::VirtualDisplay display;     // starts Xvfb
//   if (!display.missingTools().isEmpty()) GTEST_SKIP() << ...;
//   ASSERT_TRUE(display.error().isEmpty()) << display.error().toStdString();
//   testsupport::Child program;
//   copy.prepare(program.process(), display.environment());
//   program.process().start(copy.executable(), {});
//   const QString home = display.waitForWindowOfSize(program, 800, 600, 20000);
//   display.click(home, 782, 17);
//
// Waits poll the X server every 20 ms up to a generous deadline; none of
// them asserts on how long it took.
#include <QByteArray>
#include <QProcess>
#include <QString>
#include <QStringList>
#include <utility>
#include <vector>

namespace testsupport {

// A child process that is stopped when it goes out of scope, whatever ended
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
    void stop();
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

class VirtualDisplay {
public:
    // Starts Xvfb (1280 x 800, no TCP) on a free display number, unless a
    // tool is missing.
    VirtualDisplay();
    VirtualDisplay(const VirtualDisplay &) = delete;
    VirtualDisplay &operator=(const VirtualDisplay &) = delete;

    // The tools not installed (scripts/deps.sh installs them); the test
    // skips then.
    const QStringList &missingTools() const { return missing_; }
    // Empty when the display runs, otherwise what went wrong.
    const QString &error() const { return error_; }
    // ":N"
    const QString &name() const { return name_; }
    // What a program started on the display needs in its environment.
    std::vector<std::pair<QString, QString>> environment() const;

    // xdotool on the display; its standard output.
    QString xdo(const QStringList &args);
    QStringList visibleWindows(qint64 pid);
    Geometry geometry(const QString &window);
    // The first window of the program on show that is not among known, or
    // empty when none is within timeoutMs or the program ended.
    QString waitForWindow(Child &c, const QStringList &known, int timeoutMs);
    // The first window of the program on show of the given size (in
    // pixels), or empty as above.
    QString waitForWindowOfSize(Child &c, int width, int height, int timeoutMs);
    // True once the window is no longer on show (within timeoutMs).
    bool waitForWindowGone(Child &c, const QString &window, int timeoutMs);
    // A left click at (x, y) pixels of the window.
    void click(const QString &window, int x, int y);
    // Runs a program on the display to its end (at most 10 s); its exit
    // code, -1 when it did not end normally.
    int run(const QString &program, const QStringList &args);

private:
    QString xvfbPath_, xdotoolPath_;
    QStringList missing_;
    QString error_, name_;
    Child xvfb_;
};

} // namespace testsupport
