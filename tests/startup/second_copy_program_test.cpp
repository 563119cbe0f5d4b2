// The program itself, started twice on one program folder with a runtime
// folder each, as two users or two sessions of one user start it: the
// second shows "考试练习系统已在运行。……" and ends, the first runs on. (With
// the lock in the runtime folder alone, both ran, and the second's start-up
// recovery removed the temporary files of the first's commit in progress.)
// A copy that is killed leaves its lock file in ksdata, and the next start
// takes it over. So it is for two users on one installation, whichever
// starts first. A ksdata its user cannot write is no other copy: that
// start goes on. Offscreen, a box's text goes to standard error.
#include "lock_holders.h"
#include "program_copy.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QProcessEnvironment>
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

namespace {

using testsupport::chownTree;
using testsupport::kNobody;

// A hang guard, no measure of speed: a start under the sanitizers on a
// loaded machine takes some seconds.
constexpr int kDeadlineMs = 60000;
const QString kBox = QStringLiteral("系统提示: 考试练习系统已在运行。如果你没有找到，"
                                    "请关闭其它窗口和程序，或者注销或重启。");

// A start of the program, killed when it goes out of scope.
class Start {
public:
    ~Start() { kill(); }

    QProcess p;
    void kill() {
        if (p.state() == QProcess::NotRunning) return;
        p.kill();
        p.waitForFinished(5000);
    }
    QString errors() {
        errors_ += QString::fromUtf8(p.readAllStandardError());
        return errors_;
    }

private:
    QString errors_;
};

class SecondCopy : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(copy_.error().isEmpty()) << copy_.error().toStdString(); }

    QString ksdata() const { return copy_.program() + QStringLiteral("/ksdata"); }
    QString lockFile() const { return ksdata() + QStringLiteral("/w7practice.lock"); }

    // A runtime folder of its own, as another user's or another session's.
    QString runtime(const QString &name, uid_t owner = ::geteuid()) {
        const QString path = copy_.root() + QLatin1Char('/') + name;
        const QByteArray native = QFile::encodeName(path);
        if (!QDir().mkpath(path) || ::chmod(native.constData(), 0700) != 0 ||
            ::chown(native.constData(), owner, owner) != 0)
            return {};
        return path;
    }

    void start(Start &s, const QString &runtime, bool asNobody = false,
               const QString &config = {}) {
        copy_.prepare(s.p, {{QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen")},
                            {QStringLiteral("XDG_RUNTIME_DIR"), runtime}});
        if (!config.isEmpty()) {
            QProcessEnvironment env = s.p.processEnvironment();
            env.insert(QStringLiteral("XDG_CONFIG_HOME"), config);
            s.p.setProcessEnvironment(env);
        }
        if (asNobody) testsupport::startAsNobody(s.p);
        s.p.start(copy_.executable(), {});
        ASSERT_TRUE(s.p.waitForStarted(5000));
    }

    // Waits until done() holds while the start runs on; false when it ended
    // first or the deadline passed.
    template <class F> bool runsUntil(Start &s, F done) {
        QElapsedTimer t;
        t.start();
        while (!done()) {
            if (t.elapsed() > kDeadlineMs || s.p.waitForFinished(50)) return false;
        }
        return true;
    }

    // The process holds the operating system's lock on ksdata's lock file
    // (what the file holds tells nothing: another user's copy may not
    // write it).
    bool holdsTheLock(const Start &s) const {
        return testsupport::flockHolders(lockFile()).contains(s.p.processId());
    }

    void expectRefused(Start &s) {
        ASSERT_TRUE(s.p.waitForFinished(kDeadlineMs)) << "the second copy still runs";
        EXPECT_EQ(s.p.exitStatus(), QProcess::NormalExit);
        EXPECT_EQ(s.p.exitCode(), 0);
        EXPECT_TRUE(s.errors().contains(kBox)) << s.errors().toStdString();
    }

    testsupport::ProgramCopy copy_;
};

TEST_F(SecondCopy, IsRefusedWhateverItsRuntimeFolderAndADeadCopysLockIsTakenOver) {
    const QString run1 = runtime(QStringLiteral("run1")), run2 = runtime(QStringLiteral("run2"));
    ASSERT_FALSE(run1.isEmpty() || run2.isEmpty());
    ASSERT_TRUE(QDir(ksdata()).removeRecursively()); // made by the start, first of all

    Start first;
    ASSERT_NO_FATAL_FAILURE(start(first, run1));
    ASSERT_TRUE(runsUntil(first, [&] { return holdsTheLock(first); }))
        << "the first start took no lock in ksdata: " << first.errors().toStdString();

    Start second;
    ASSERT_NO_FATAL_FAILURE(start(second, run2));
    ASSERT_NO_FATAL_FAILURE(expectRefused(second));
    // The first is not disturbed.
    EXPECT_FALSE(first.p.waitForFinished(0)) << first.errors().toStdString();
    EXPECT_TRUE(holdsTheLock(first));

    // Killed, the first leaves its lock file; the next start takes it over.
    first.kill();
    ASSERT_TRUE(QFile::exists(lockFile()));
    Start next;
    ASSERT_NO_FATAL_FAILURE(start(next, run2));
    EXPECT_TRUE(runsUntil(next, [&] { return holdsTheLock(next); }))
        << "the lock of the killed copy was not taken over: " << next.errors().toStdString();
    EXPECT_FALSE(next.errors().contains(kBox)) << next.errors().toStdString();
}

// Two users on one installation whose record folder both may write, each
// with its runtime and configuration folders: whichever starts first, the
// other's start is refused; killed, the first leaves nothing that refuses
// the other's next start, which then holds the lock the first one made.
TEST_F(SecondCopy, TwoUsersRefuseEachOtherAndAKilledCopysLockIsTakenOver) {
    if (::geteuid() != 0) GTEST_SKIP() << "two users need root";
    ASSERT_EQ(::chmod(QFile::encodeName(copy_.root()).constData(), 0755), 0);
    struct User {
        const char *name;
        bool nobody;
        QString runtime, config;
    };
    const auto user = [&](const char *name, bool nobody) {
        const uid_t id = nobody ? kNobody : 0;
        const QString tag = QLatin1String(nobody ? "nobody" : "root");
        const QString config = runtime(QStringLiteral("config-") + tag, id);
        return User{name, nobody, runtime(QStringLiteral("run-") + tag, id), config};
    };
    const User root = user("root", false), other = user("another user", true);
    ASSERT_FALSE(root.runtime.isEmpty() || other.runtime.isEmpty() || root.config.isEmpty() ||
                 other.config.isEmpty());

    for (const auto &[first, second] : {std::pair(&root, &other), std::pair(&other, &root)}) {
        SCOPED_TRACE(std::string(first->name) + " first");
        ASSERT_TRUE(QDir(ksdata()).removeRecursively());
        ASSERT_TRUE(QDir().mkpath(ksdata()));
        ASSERT_EQ(::chmod(QFile::encodeName(ksdata()).constData(), 0777), 0);

        Start one;
        ASSERT_NO_FATAL_FAILURE(start(one, first->runtime, first->nobody, first->config));
        ASSERT_TRUE(runsUntil(one, [&] { return holdsTheLock(one); }))
            << "the first start took no lock in ksdata: " << one.errors().toStdString();
        Start refused;
        ASSERT_NO_FATAL_FAILURE(start(refused, second->runtime, second->nobody, second->config));
        ASSERT_NO_FATAL_FAILURE(expectRefused(refused));
        EXPECT_FALSE(one.p.waitForFinished(0)) << one.errors().toStdString();

        one.kill();
        Start next;
        ASSERT_NO_FATAL_FAILURE(start(next, second->runtime, second->nobody, second->config));
        EXPECT_TRUE(runsUntil(next, [&] { return holdsTheLock(next); }))
            << "the lock of the killed copy was not taken over: " << next.errors().toStdString();
        EXPECT_FALSE(next.errors().contains(kBox)) << next.errors().toStdString();
    }
}

// Its user may not write ksdata (root's folder for a user who is not root;
// without root, the folder's mode binds the test's own user): the start
// goes on past the check and writes its first-run values, with no box and
// no lock file.
TEST_F(SecondCopy, AKsdataThatCannotBeWrittenIsNoOtherCopy) {
    const bool root = ::geteuid() == 0;
    if (root) {
        ASSERT_TRUE(chownTree(copy_.root(), kNobody));
        ASSERT_TRUE(chownTree(ksdata(), 0));
    }
    ASSERT_EQ(::chmod(QFile::encodeName(copy_.root()).constData(), 0755), 0);
    ASSERT_EQ(::chmod(QFile::encodeName(ksdata()).constData(), root ? 0755 : 0555), 0);
    const QString run = runtime(QStringLiteral("run"), root ? kNobody : ::geteuid());
    ASSERT_FALSE(run.isEmpty());
    const QString registry = copy_.root() + QStringLiteral("/config/w7practice/registry.ini");
    ASSERT_FALSE(QFile::exists(registry));

    Start s;
    ASSERT_NO_FATAL_FAILURE(start(s, run, root));
    EXPECT_TRUE(runsUntil(s, [&] { return QFile::exists(registry); }))
        << "the start did not go on: " << s.errors().toStdString();
    EXPECT_FALSE(s.errors().contains(kBox)) << s.errors().toStdString();
    EXPECT_FALSE(QFile::exists(lockFile()));
    ASSERT_EQ(::chmod(QFile::encodeName(ksdata()).constData(), 0755), 0);
}

} // namespace
