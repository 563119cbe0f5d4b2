#pragma once
// A virtual X display of its own (Xvfb picks a free number) and xdotool on
// it, for tests that run the program itself and look at its windows as a
// candidate sees them.
//
//   testsupport::VirtualDisplay display;
//   if (!display.why().isEmpty()) GTEST_SKIP() << display.why().toStdString();
//   ... start the program with DISPLAY=display.name() ...
//   for (const QString &w : display.visibleWindows(pid)) display.geometry(w);
#include <QElapsedTimer>
#include <QProcess>
#include <QStandardPaths>
#include <QString>
#include <QStringList>

namespace testsupport {

// A child process that is stopped when it goes out of scope.
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
    VirtualDisplay() {
        const QString xvfb = QStandardPaths::findExecutable(QStringLiteral("Xvfb"));
        xdotool_ = QStandardPaths::findExecutable(QStringLiteral("xdotool"));
        if (xvfb.isEmpty() || xdotool_.isEmpty()) {
            why_ = QStringLiteral("Xvfb and xdotool are needed (scripts/deps.sh installs them)");
            return;
        }
        QProcess &x = xvfb_.process();
        x.setProcessChannelMode(QProcess::SeparateChannels);
        x.setStandardErrorFile(QProcess::nullDevice());
        x.start(xvfb, {QStringLiteral("-displayfd"), QStringLiteral("1"), QStringLiteral("-screen"),
                       QStringLiteral("0"), QStringLiteral("1280x800x24"),
                       QStringLiteral("-nolisten"), QStringLiteral("tcp")});
        if (!x.waitForStarted(5000)) {
            why_ = QStringLiteral("Xvfb did not start");
            return;
        }
        QElapsedTimer t;
        t.start();
        while (!x.canReadLine() && t.elapsed() < 10000 && xvfb_.running()) x.waitForReadyRead(100);
        const QByteArray number = x.readLine().trimmed();
        if (number.isEmpty())
            why_ = QStringLiteral("Xvfb gave no display number");
        else
            name_ = QStringLiteral(":") + QString::fromLatin1(number);
    }

    // Empty when the display is up; otherwise why not.
    const QString &why() const { return why_; }
    // ":N", for DISPLAY.
    const QString &name() const { return name_; }

    // xdotool on the display; its standard output.
    QString xdo(const QStringList &args) {
        Child c;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("DISPLAY"), name_);
        c.process().setProcessEnvironment(env);
        c.process().setProcessChannelMode(QProcess::SeparateChannels);
        c.process().start(xdotool_, args);
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

private:
    QString xdotool_, name_, why_;
    Child xvfb_;
};

} // namespace testsupport
