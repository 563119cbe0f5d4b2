#include "child_process.h"

#include <QCoreApplication>
#include <QFile>

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <poll.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>
#include <vector>

extern char **environ;

namespace testsupport {

QString childRole() {
    return qEnvironmentVariable("W7_TEST_CHILD");
}

QString childValue(const char *name) {
    return qEnvironmentVariable(name);
}

namespace {
// "NAME" of an environment entry "NAME=value".
QByteArray nameOf(const QByteArray &entry) {
    const qsizetype eq = entry.indexOf('=');
    return eq < 0 ? entry : entry.left(eq);
}
} // namespace

ChildProcess::ChildProcess(const QString &filter, const QString &role, const QStringList &env) {
    int pipeFds[2];
    if (::pipe2(pipeFds, O_CLOEXEC) != 0) return;
    // Started straight from a fresh exec of this program: no fork of a
    // process whose threads hold locks.
    const QByteArray program = QCoreApplication::applicationFilePath().toLocal8Bit();
    const QByteArray filterArg = ("--gtest_filter=" + filter).toLocal8Bit();
    // The child's entries replace the parent's of the same name: with two,
    // the child would read the first, the parent's (a desktop's
    // XDG_RUNTIME_DIR, a TMPDIR).
    std::vector<QByteArray> own;
    own.push_back(("W7_TEST_CHILD=" + role).toLocal8Bit());
    // Shared by whatever users the child becomes, as /tmp is.
    if (tmp_.isValid() && ::chmod(QFile::encodeName(tmp_.path()).constData(),
                                  S_IRWXU | S_IRWXG | S_IRWXO | S_ISVTX) == 0)
        own.push_back(QFile::encodeName(QStringLiteral("TMPDIR=") + tmp_.path()));
    for (const QString &e : env) {
        const QByteArray entry = e.toLocal8Bit();
        std::erase_if(own, [&](const QByteArray &o) { return nameOf(o) == nameOf(entry); });
        own.push_back(entry);
    }
    std::vector<char *> envp;
    for (char **e = environ; *e; ++e) {
        const QByteArray name = nameOf(QByteArray(*e));
        if (std::none_of(own.begin(), own.end(),
                         [&](const QByteArray &o) { return nameOf(o) == name; }))
            envp.push_back(*e);
    }
    for (QByteArray &e : own) envp.push_back(e.data());
    envp.push_back(nullptr);
    char *argv[] = {const_cast<char *>(program.constData()),
                    const_cast<char *>(filterArg.constData()),
                    const_cast<char *>("--gtest_color=no"), nullptr};

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, pipeFds[1], STDOUT_FILENO);
    posix_spawn_file_actions_adddup2(&actions, pipeFds[1], STDERR_FILENO);
    pid_t pid = -1;
    if (posix_spawn(&pid, program.constData(), &actions, nullptr, argv, envp.data()) == 0)
        pid_ = pid;
    posix_spawn_file_actions_destroy(&actions);
    ::close(pipeFds[1]);
    out_ = pipeFds[0];
}

ChildProcess::~ChildProcess() {
    if (pid_ > 0 && !ended_) kill();
    if (out_ >= 0) ::close(out_);
}

bool ChildProcess::readSome(int timeoutMs) {
    if (out_ < 0) return false;
    pollfd p{out_, POLLIN, 0};
    const int r = ::poll(&p, 1, timeoutMs);
    if (r <= 0) return r == 0 || errno == EINTR;
    char buffer[4096];
    const ssize_t n = ::read(out_, buffer, sizeof buffer);
    if (n > 0) {
        output_.append(buffer, n);
        return true;
    }
    if (n < 0 && errno == EINTR) return true;
    ::close(out_);
    out_ = -1;
    return false;
}

bool ChildProcess::waitForLine(const QByteArray &line) {
    for (;;) {
        qsizetype end;
        while ((end = output_.indexOf('\n', scanned_)) >= 0) {
            const QByteArray got = output_.mid(scanned_, end - scanned_);
            scanned_ = end + 1;
            if (got == line) return true;
        }
        if (!readSome(-1)) return false;
    }
}

void ChildProcess::runFor(qint64 ns) {
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    const qint64 deadline = now.tv_sec * 1000000000LL + now.tv_nsec + ns;
    while (out_ >= 0) {
        clock_gettime(CLOCK_MONOTONIC, &now);
        const qint64 left = deadline - (now.tv_sec * 1000000000LL + now.tv_nsec);
        if (left <= 0) return;
        pollfd p{out_, POLLIN, 0};
        const timespec wait{static_cast<time_t>(left / 1000000000LL),
                            static_cast<long>(left % 1000000000LL)};
        const int r = ::ppoll(&p, 1, &wait, nullptr);
        if (r > 0 && !readSome(0)) return;
    }
}

void ChildProcess::kill() {
    if (pid_ <= 0 || ended_) return;
    ::kill(pid_, SIGKILL);
    wait();
}

int ChildProcess::wait() {
    if (pid_ <= 0) return -1;
    if (!ended_) {
        while (readSome(-1)) {
        }
        int status = 0;
        while (::waitpid(pid_, &status, 0) < 0 && errno == EINTR) {
        }
        ended_ = true;
        status_ = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }
    return status_;
}

QList<QByteArray> ChildProcess::linesStartingWith(const QByteArray &prefix) const {
    QList<QByteArray> out;
    for (const QByteArray &line : output_.split('\n'))
        if (line.startsWith(prefix)) out << line;
    return out;
}

bool ChildRun::passed() const {
    return exitCode == 0 && output.contains("[  PASSED  ] 1 test") &&
           !output.contains("[  SKIPPED ]");
}

ChildRun runChild(const QString &filter, const QString &role, const QStringList &env) {
    ChildProcess child(filter, role, env);
    ChildRun run;
    run.exitCode = child.wait();
    run.output = child.output();
    return run;
}

ChildRun runChildWithin(int killAfterMs, const QString &filter, const QString &role,
                        const QStringList &env) {
    ChildProcess child(filter, role, env);
    child.runFor(qint64(killAfterMs) * 1000 * 1000);
    child.kill();
    ChildRun run;
    run.exitCode = child.wait();
    run.output = child.output();
    return run;
}

} // namespace testsupport
