// The program itself on a virtual X display, started on a copy of the
// sample with something that no running copy holds in the place of a lock
// file: the installation's (ksdata/w7practice.lock) or the user's (in the
// runtime folder). Each start must reach its home page before the hang
// guard (the time is printed), hold the lock, so that a second start is
// refused with "已在运行", and leave what lay there set aside or, for a
// link, what it led to as it was. Such a file used to count as another
// copy for good; a pipe held the start with no window, a link to /dev/zero
// grew the process. A lock file its user may not open is no other copy
// either: it is left as it is, and the run log names it.
#include "hostile_lock_files.h"
#include "lock_holders.h"
#include "program_on_display.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <gtest/gtest.h>

#include <cstdio>
#include <map>

#include <sys/stat.h>
#include <unistd.h>

namespace {

using namespace testsupport;

const QByteArray kBox = QStringLiteral("系统提示: 考试练习系统已在运行。如果你没有找到，"
                                       "请关闭其它窗口和程序，或者注销或重启。")
                            .toUtf8();

// The entries of the lock and of what was set aside beside it.
std::map<QString, QByteArray> lockEntries(const QString &folder) {
    auto out = folderContents(folder);
    std::erase_if(out, [](const auto &e) { return !e.first.startsWith("w7practice.lock"); });
    return out;
}

bool removeLockEntries(const QString &folder) {
    bool ok = true;
    for (const QFileInfo &info : QDir(folder).entryInfoList(
             {"w7practice.lock*"}, QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot))
        ok = (info.isDir() && !info.isSymLink() ? QDir(info.filePath()).removeRecursively()
                                                : QFile::remove(info.filePath())) &&
             ok;
    return ok;
}

class ProgramOnHostileLocks : public ProgramOnDisplay {
protected:
    void SetUp() override {
        if (!display_.missingTools().isEmpty())
            GTEST_SKIP() << display_.missingTools().join(' ').toStdString() << " missing";
        ASSERT_NO_FATAL_FAILURE(expectReady());
    }

    QString ksdata() const { return copy_.program() + "/ksdata"; }

    // The milliseconds from the start to the home page on show; -1 when
    // none came within the hang guard.
    qint64 startToHomePage(Child &c) {
        QElapsedTimer t;
        t.start();
        if (homeWindow(c).isEmpty()) return -1;
        return t.elapsed();
    }

    // A second start, offscreen, is refused: the box's text on standard
    // error, and the end.
    void expectASecondStartIsRefused() {
        Child second;
        copy_.prepare(second.process(), {{"QT_QPA_PLATFORM", "offscreen"}});
        second.process().start(copy_.executable(), {});
        ASSERT_TRUE(second.process().waitForFinished(kStartMs)) << "the second copy still runs";
        EXPECT_EQ(second.process().exitCode(), 0);
        EXPECT_TRUE(second.output().contains(kBox)) << second.output().toStdString();
    }
};

TEST_F(ProgramOnHostileLocks, EachIsTakenAndTheStartReachesItsHomePage) {
    const QString outside = copy_.root() + "/outside";
    const struct {
        const char *what;
        QString folder;
    } places[] = {
        {"the installation's lock", ksdata()},
        {"the user's lock", copy_.runtime() + "/w7practice"},
    };
    for (const auto &place : places) {
        for (const HostileLock &k : hostileLocks()) {
            if (k.needsRoot && ::geteuid() != 0) continue;
            SCOPED_TRACE(std::string(k.what) + " as " + place.what);
            const QString lock = place.folder + "/w7practice.lock";
            ASSERT_TRUE(QDir().mkpath(place.folder) && removeLockEntries(place.folder));
            ASSERT_TRUE(QDir(outside).removeRecursively() && QDir().mkpath(outside));
            ASSERT_TRUE(k.make(lock, outside));
            const auto outsideBefore = folderContents(outside);

            Child program;
            ASSERT_NO_FATAL_FAILURE(startProgram(program));
            const qint64 ms = startToHomePage(program);
            std::printf("[ figure ] %s as %s: home page after %lld ms\n", k.what, place.what,
                        static_cast<long long>(ms));
            if (ms < 0) {
                ADD_FAILURE() << "no home page within " << kStartMs
                              << " ms: " << program.output().toStdString();
                continue;
            }
            EXPECT_FALSE(program.output().contains(kAlreadyRunning));
            EXPECT_EQ(flockHolders(lock), QList<qint64>{program.pid()});
            ASSERT_NO_FATAL_FAILURE(expectASecondStartIsRefused());
            const QByteArray pid = QByteArray::number(program.pid()) + "\n";
            program.stop();

            std::map<QString, QByteArray> expected = {{"w7practice.lock", pid}};
            if (!k.asideSuffix.isEmpty()) expected["w7practice.lock" + k.asideSuffix] = k.asideSeen;
            EXPECT_EQ(lockEntries(place.folder), expected);
            EXPECT_EQ(folderContents(outside), outsideBefore);
        }
    }
}

// Another user's lock file that this user may not open (root's, for a
// start as a user who is not root; without root, one of the test's own
// user that its mode closes): the start goes on to its home page, leaves
// the file as it was, and its run log names it.
TEST_F(ProgramOnHostileLocks, ALockFileItsUserMayNotOpenIsLeftAsItIsAndTold) {
    const bool root = ::geteuid() == 0;
    const QString lock = ksdata() + "/w7practice.lock";
    ASSERT_TRUE(writeBytes(lock, "4242\nw7practice\nanother-machine\n"));
    if (root) {
        // The installation, its runtime and configuration folders are the
        // user's; the lock file stays root's.
        ASSERT_TRUE(chownTree(copy_.root(), kNobody));
        ASSERT_EQ(::chown(QFile::encodeName(lock).constData(), 0, 0), 0);
    }
    ASSERT_EQ(::chmod(QFile::encodeName(lock).constData(), root ? 0600 : 0), 0);
    const auto before = lockEntries(ksdata());
    struct stat was {};
    ASSERT_EQ(::lstat(QFile::encodeName(lock).constData(), &was), 0);

    Child program;
    copy_.prepare(program.process(), display_.environment());
    if (root) startAsNobody(program.process());
    program.process().start(copy_.executable(), {});
    ASSERT_TRUE(program.process().waitForStarted(kHangGuardMs));
    const qint64 ms = startToHomePage(program);
    std::printf("[ figure ] a lock file its user may not open: home page after %lld ms\n",
                static_cast<long long>(ms));
    ASSERT_GE(ms, 0) << "no home page within " << kStartMs
                     << " ms: " << program.output().toStdString();
    EXPECT_FALSE(program.output().contains(kAlreadyRunning));
    program.stop();

    EXPECT_EQ(lockEntries(ksdata()), before);
    struct stat is {};
    ASSERT_EQ(::lstat(QFile::encodeName(lock).constData(), &is), 0);
    EXPECT_EQ(is.st_ino, was.st_ino);
    EXPECT_EQ(is.st_mode, was.st_mode);
    EXPECT_EQ(is.st_uid, was.st_uid);
    const QStringList logs = QDir(ksdata()).entryList({"*.txt"}, QDir::Files);
    ASSERT_EQ(logs.size(), 1) << logs.join(' ').toStdString();
    const QByteArray log = readBytes(ksdata() + "/" + logs[0]);
    EXPECT_TRUE(log.contains(QFile::encodeName(lock) + ": ")) << log.toStdString();
}

} // namespace
