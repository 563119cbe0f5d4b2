#include "virtual_display.h"

#include <QElapsedTimer>
#include <QProcessEnvironment>
#include <QStandardPaths>
#include <QThread>

namespace testsupport {

namespace {
constexpr int kPollMs = 20;
} // namespace

void Child::stop() {
    if (!running()) return;
    p_.terminate();
    if (p_.waitForFinished(3000)) return;
    p_.kill();
    p_.waitForFinished(5000);
}

VirtualDisplay::VirtualDisplay() {
    xvfbPath_ = QStandardPaths::findExecutable(QStringLiteral("Xvfb"));
    xdotoolPath_ = QStandardPaths::findExecutable(QStringLiteral("xdotool"));
    if (xvfbPath_.isEmpty()) missing_ << QStringLiteral("Xvfb");
    if (xdotoolPath_.isEmpty()) missing_ << QStringLiteral("xdotool");
    if (!missing_.isEmpty()) return;

    // Xvfb picks a free number and writes it to its standard output. It
    // starts its server anew whenever its last client leaves (each program
    // stopped between two cases, each xdotool call); a program that connects
    // while a loaded machine is still doing so is refused ("could not
    // connect to display"), so the server is kept as it is.
    QProcess &x = xvfb_.process();
    x.setProcessChannelMode(QProcess::SeparateChannels);
    x.setStandardErrorFile(QProcess::nullDevice());
    x.start(xvfbPath_,
            {QStringLiteral("-displayfd"), QStringLiteral("1"), QStringLiteral("-screen"),
             QStringLiteral("0"), QStringLiteral("1280x800x24"), QStringLiteral("-noreset"),
             QStringLiteral("-nolisten"), QStringLiteral("tcp")});
    if (!x.waitForStarted(5000)) {
        error_ = QStringLiteral("Xvfb did not start");
        return;
    }
    QElapsedTimer t;
    t.start();
    while (!x.canReadLine() && t.elapsed() < 10000 && xvfb_.running()) x.waitForReadyRead(100);
    const QByteArray number = x.readLine().trimmed();
    if (number.isEmpty()) {
        error_ = QStringLiteral("Xvfb gave no display number");
        return;
    }
    name_ = QStringLiteral(":") + QString::fromLatin1(number);
}

std::vector<std::pair<QString, QString>> VirtualDisplay::environment() const {
    return {{QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb")},
            {QStringLiteral("DISPLAY"), name_}};
}

QString VirtualDisplay::xdo(const QStringList &args) {
    Child c;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("DISPLAY"), name_);
    c.process().setProcessEnvironment(env);
    c.process().setProcessChannelMode(QProcess::SeparateChannels);
    c.process().start(xdotoolPath_, args);
    c.process().waitForFinished(10000);
    return QString::fromUtf8(c.process().readAllStandardOutput());
}

QStringList VirtualDisplay::visibleWindows(qint64 pid) {
    return xdo({QStringLiteral("search"), QStringLiteral("--all"), QStringLiteral("--onlyvisible"),
                QStringLiteral("--pid"), QString::number(pid)})
        .split(QLatin1Char('\n'), Qt::SkipEmptyParts);
}

Geometry VirtualDisplay::geometry(const QString &window) {
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

QString VirtualDisplay::waitForWindow(Child &c, const QStringList &known, int timeoutMs) {
    QElapsedTimer t;
    t.start();
    while (t.elapsed() < timeoutMs && c.running()) {
        for (const QString &w : visibleWindows(c.pid()))
            if (!known.contains(w)) return w;
        QThread::msleep(kPollMs);
    }
    return {};
}

QString VirtualDisplay::waitForWindowOfSize(Child &c, int width, int height, int timeoutMs) {
    QElapsedTimer t;
    t.start();
    while (t.elapsed() < timeoutMs && c.running()) {
        for (const QString &w : visibleWindows(c.pid())) {
            const Geometry g = geometry(w);
            if (g.width == width && g.height == height) return w;
        }
        QThread::msleep(kPollMs);
    }
    return {};
}

bool VirtualDisplay::waitForWindowGone(Child &c, const QString &window, int timeoutMs) {
    QElapsedTimer t;
    t.start();
    while (t.elapsed() < timeoutMs) {
        if (!c.running() || !visibleWindows(c.pid()).contains(window)) return true;
        QThread::msleep(kPollMs);
    }
    return false;
}

void VirtualDisplay::click(const QString &window, int x, int y) {
    xdo({QStringLiteral("mousemove"), QStringLiteral("--sync"), QStringLiteral("--window"), window,
         QString::number(x), QString::number(y), QStringLiteral("click"), QStringLiteral("1")});
}

int VirtualDisplay::run(const QString &program, const QStringList &args) {
    Child c;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("DISPLAY"), name_);
    c.process().setProcessEnvironment(env);
    c.process().start(program, args);
    if (!c.process().waitForFinished(10000) || c.process().exitStatus() != QProcess::NormalExit)
        return -1;
    return c.process().exitCode();
}

} // namespace testsupport
