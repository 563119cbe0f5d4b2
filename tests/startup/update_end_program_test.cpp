// The program itself on a virtual X display, clicked as a candidate clicks:
// the update window is opened from the home page against an update server
// that accepts and never answers, and the program is ended from the home
// page while the update window still waits for the banner. The process must
// end at once with exit code 0 and give up its single-instance lock, so that
// the next start is accepted. A wait that entered the event loop again after
// the end used to leave the process spinning for ever, holding the lock.
#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QThread>
#include <filesystem>
#include <gtest/gtest.h>
#include <memory>
#include <vector>

#include <arpa/inet.h>
#include <cerrno>
#include <cstdio>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
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

QString sampleFolder() {
    return QCoreApplication::applicationDirPath() + QStringLiteral("/sample");
}

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

// An update server that accepts each connection and never answers: every
// request of the program waits until its own limit or the end of the run.
class SilentServer {
public:
    SilentServer() {
        fd_ = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
        if (fd_ < 0) return;
        sockaddr_in a{};
        a.sin_family = AF_INET;
        a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        socklen_t len = sizeof a;
        if (::bind(fd_, reinterpret_cast<sockaddr *>(&a), len) != 0 || ::listen(fd_, 16) != 0 ||
            ::getsockname(fd_, reinterpret_cast<sockaddr *>(&a), &len) != 0)
            return;
        port_ = ntohs(a.sin_port);
    }
    ~SilentServer() {
        for (int c : accepted_) ::close(c);
        if (fd_ >= 0) ::close(fd_);
    }
    SilentServer(const SilentServer &) = delete;
    SilentServer &operator=(const SilentServer &) = delete;

    int port() const { return port_; }

    // Another connection waits to be accepted (the program's next request).
    bool connectionPending(int timeoutMs) const {
        pollfd p{fd_, POLLIN, 0};
        return ::poll(&p, 1, timeoutMs) == 1;
    }

    // The head of the next request (up to its blank line), or empty when
    // none came within timeoutMs. The connection stays open, unanswered.
    QByteArray acceptRequest(int timeoutMs) {
        QElapsedTimer t;
        t.start();
        if (!connectionPending(timeoutMs)) return {};
        const int c = ::accept4(fd_, nullptr, nullptr, SOCK_CLOEXEC);
        if (c < 0) return {};
        accepted_.push_back(c);
        QByteArray head;
        while (!head.contains("\r\n\r\n")) {
            pollfd p{c, POLLIN, 0};
            const int left = int(qMax<qint64>(0, timeoutMs - t.elapsed()));
            if (::poll(&p, 1, left) != 1) break;
            char buf[4096];
            const ssize_t n = ::recv(c, buf, sizeof buf, 0);
            if (n <= 0) break;
            head.append(buf, n);
        }
        return head;
    }

    // The program has not closed the last accepted connection: its request
    // is still waiting.
    bool lastStillOpen() const {
        if (accepted_.empty()) return false;
        char c;
        const ssize_t n = ::recv(accepted_.back(), &c, 1, MSG_PEEK | MSG_DONTWAIT);
        return n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK);
    }

private:
    int fd_ = -1;
    int port_ = 0;
    std::vector<int> accepted_;
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
        ASSERT_TRUE(QFileInfo(sampleFolder() + QStringLiteral("/w7practice")).isExecutable())
            << "build the target w7practice first";
        ASSERT_TRUE(tmp_.isValid());
        std::error_code error;
        std::filesystem::copy(sampleFolder().toStdString(), program().toStdString(),
                              std::filesystem::copy_options::recursive, error);
        ASSERT_FALSE(error) << error.message();
        ASSERT_TRUE(QDir().mkpath(runtime()));
        ASSERT_TRUE(QFile::setPermissions(runtime(),
                                          QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
        ASSERT_GT(server_.port(), 0);
        QFile ini(program() + QStringLiteral("/w7practice.ini"));
        ASSERT_TRUE(ini.open(QIODevice::WriteOnly));
        ini.write(
            QStringLiteral("[Update]\nHost=http://127.0.0.1:%1\n").arg(server_.port()).toUtf8());
        ini.close();
        startXvfb();
    }

    QString program() const { return tmp_.path() + QStringLiteral("/program"); }
    QString runtime() const { return tmp_.path() + QStringLiteral("/runtime"); }

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
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
        env.insert(QStringLiteral("DISPLAY"), display_);
        // Its own lock and registry: other runs on this machine stay apart;
        // both starts share them, as two starts by one user do.
        env.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime());
        env.insert(QStringLiteral("XDG_CONFIG_HOME"), tmp_.path() + QStringLiteral("/config"));
        c.process().setProcessEnvironment(env);
        c.process().setWorkingDirectory(program());
        c.process().start(program() + QStringLiteral("/w7practice"), {});
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
    QTemporaryDir tmp_;
    SilentServer server_;
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
