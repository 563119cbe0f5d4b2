#include "platform/fakes.h"
#include "platform/system.h"

#include "child_process.h"
#include "file_bytes.h"
#include "file_size_limit.h"
#include "hostile_lock_files.h"
#include "reachable_temp.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSysInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <cstdio>
#include <map>
#include <optional>

#include <grp.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace platform;

TEST(OsVersion, MajorAndMinorOfTheKernelRelease) {
    struct Case {
        QString release, version;
    } cases[] = {
        {"6.1.0-18-amd64", "6.1"}, {"5.15.0", "5.15"}, {"4.19", "4.19"},
        {"06.01", "6.1"},          {"6", "Unknown"},   {"", "Unknown"},
        {"abc", "Unknown"},        {"6.x", "Unknown"}, {" 3.10.0-1160.el7", "3.10"},
    };
    for (const Case &c : cases)
        EXPECT_EQ(osVersionFromRelease(c.release), c.version) << c.release.toStdString();

    const QString real = osVersion();
    EXPECT_TRUE(QRegularExpression("^\\d+\\.\\d+$").match(real).hasMatch()) << real.toStdString();
    EXPECT_TRUE(QSysInfo::kernelVersion().startsWith(real + "."));
}

TEST(Shell, TargetsOfOpen) {
    QTemporaryDir dir;
    ASSERT_TRUE(QDir(dir.path()).mkdir("Help"));
    struct Case {
        QString in;
        QUrl url;
    } cases[] = {
        {"http://www.example.com/a?b=1", QUrl("http://www.example.com/a?b=1")},
        {"  https://example.com  ", QUrl("https://example.com")},
        {"tencent://message/?uin=1", QUrl("tencent://message/?uin=1")},
        {"www.example.com", QUrl("http://www.example.com")},
        {dir.path() + "\\help", QUrl::fromLocalFile(dir.path() + "/Help")},
        {dir.path() + "/Help/", QUrl::fromLocalFile(dir.path() + "/Help/")},
    };
    for (const Case &c : cases) EXPECT_EQ(shellTarget(c.in), c.url) << c.in.toStdString();
    EXPECT_FALSE(shellTarget("").isValid());
    EXPECT_FALSE(shellTarget("   ").isValid());
}

TEST(Shell, RealShellRefusesWhatCannotBeOpenedOrStarted) {
    QTemporaryDir dir;
    auto sh = makeDesktopShell();
    EXPECT_FALSE(sh->open(""));
    EXPECT_FALSE(sh->open(dir.filePath("missing.html")));
    EXPECT_FALSE(sh->startProcess(dir.filePath("qhitpk.rar"), {}));
    EXPECT_FALSE(sh->startProcess("", {}));
    EXPECT_TRUE(sh->startProcess("/bin/true", {"x"}));
}

TEST(SingleInstance, SecondCopyIsRefusedUntilTheFirstReleases) {
    QTemporaryDir dir;
    auto first = makeLockFileSingleInstance(dir.path() + "/locks");
    auto second = makeLockFileSingleInstance(dir.path() + "/locks");
    ASSERT_TRUE(first->acquire(QStringLiteral("青禾启明 Win7"), {}));
    EXPECT_TRUE(first->acquire(QStringLiteral("青禾启明 Win7"), {})); // holding it already
    EXPECT_FALSE(second->acquire(QStringLiteral("青禾启明 Win7"), {}));
    EXPECT_TRUE(second->acquire("another module", {}));
    second->release();

    first->release();
    EXPECT_TRUE(second->acquire(QStringLiteral("青禾启明 Win7"), {}));
    EXPECT_FALSE(first->acquire(QStringLiteral("青禾启明 Win7"), {}));
    second.reset(); // a copy that ends frees the lock
    EXPECT_TRUE(first->acquire(QStringLiteral("青禾启明 Win7"), {}));
}

// ---- what lies in the lock's place

// Sets the umask for a scope: the lock file's mode must not depend on it.
class UmaskScope {
public:
    explicit UmaskScope(mode_t mask) : old_(::umask(mask)) {}
    ~UmaskScope() { ::umask(old_); }

private:
    mode_t old_;
};

mode_t modeOf(const QString &path) {
    struct stat st {};
    return ::lstat(QFile::encodeName(path).constData(), &st) == 0 ? st.st_mode : 0;
}

// A lock file that nobody holds is taken whatever lies in its place, in the
// user's folder as in the installation's: what it holds decides nothing.
// A link goes and what it leads to stays; anything else that is no
// regular file is set aside, never opened. The new lock file is one every
// user may open, whatever the umask, and it holds this process's id.
TEST(SingleInstance, ALockNobodyHoldsIsTakenWhateverLiesInItsPlace) {
    const UmaskScope narrow(077);
    const QByteArray pid = QByteArray::number(QCoreApplication::applicationPid()) + "\n";
    for (const testsupport::HostileLock &k : testsupport::hostileLocks()) {
        if (k.needsRoot && ::geteuid() != 0) continue;
        for (const bool installation : {false, true}) {
            SCOPED_TRACE(std::string(k.what) + (installation ? " (installation)" : " (user)"));
            QTemporaryDir tmp;
            const QString folder = tmp.path() + "/locks", outside = tmp.path() + "/outside";
            ASSERT_TRUE(QDir().mkpath(folder) && QDir().mkpath(outside));
            const QString lock = folder + "/w7.lock";
            ASSERT_TRUE(k.make(lock, outside));
            const auto outsideBefore = testsupport::folderContents(outside);
            const auto copyIn = [&](const QString &user) {
                return installation ? makeLockFileSingleInstance(tmp.path() + "/" + user)
                                    : makeLockFileSingleInstance(folder);
            };
            const QString installationFolder = installation ? folder : QString();

            auto copy = copyIn("user1");
            ASSERT_TRUE(copy->acquire("w7", installationFolder));
            EXPECT_TRUE(copy->faults().isEmpty()) << copy->faults().join('\n').toStdString();
            std::map<QString, QByteArray> expected = {{"w7.lock", pid}};
            if (!k.asideSuffix.isEmpty()) expected["w7.lock" + k.asideSuffix] = k.asideSeen;
            EXPECT_EQ(testsupport::folderContents(folder), expected);
            EXPECT_EQ(modeOf(lock), S_IFREG | 0644);
            EXPECT_EQ(testsupport::folderContents(outside), outsideBefore);
            // Held now: another copy is refused, from any user folder.
            EXPECT_FALSE(copyIn("user2")->acquire("w7", installationFolder));
            copy.reset();
            EXPECT_TRUE(copyIn("user2")->acquire("w7", installationFolder));
        }
    }
}

// What was set aside before stays as it is: the next thing goes to the
// next free name.
TEST(SingleInstance, WhatWasSetAsideBeforeStays) {
    QTemporaryDir tmp;
    const QString lock = tmp.path() + "/w7.lock";
    ASSERT_TRUE(testsupport::writeBytes(lock + ".not-a-file-1", "set aside by a user"));
    ASSERT_EQ(::mkfifo(QFile::encodeName(lock).constData(), 0644), 0);
    ASSERT_TRUE(makeLockFileSingleInstance(tmp.path())->acquire("w7", {}));
    const auto left = testsupport::folderContents(tmp.path());
    EXPECT_EQ(left.at("w7.lock.not-a-file-1"), "set aside by a user");
    EXPECT_EQ(left.at("w7.lock.not-a-file-2"), "<not a file>");
    EXPECT_EQ(modeOf(lock) & S_IFMT, S_IFREG);
}

// ---- one copy per installation, with real processes

constexpr uid_t kUnprivileged = 65534;
constexpr const char *kLockChild = "SingleInstanceChild.TakesTheLocksAsAStartDoes";

// The child: the locks as a start takes them, in its own runtime folder
// W7_LOCK_RUNTIME (its XDG_RUNTIME_DIR; "-" for none) and in the
// installation's folder W7_LOCK_FOLDER. It prints "lock: taken" or "lock:
// refused", then "fault: " and the reason for each lock it could not make; with W7_LOCK_HOLD it
// then holds them until it is killed. W7_LOCK_AS_USER: as a user who is
// not root; W7_LOCK_NO_WRITE: where no byte can be written (a file-size
// limit of 0).
TEST(SingleInstanceChild, TakesTheLocksAsAStartDoes) {
    if (testsupport::childRole() != "lock") GTEST_SKIP() << testsupport::kChildOnly;
    // Set here: an entry given to the child can set a variable, not take
    // one of the parent's away.
    const QString runtime = testsupport::childValue("W7_LOCK_RUNTIME");
    if (runtime == "-")
        qunsetenv("XDG_RUNTIME_DIR");
    else if (!runtime.isEmpty())
        qputenv("XDG_RUNTIME_DIR", QFile::encodeName(runtime));
    if (!testsupport::childValue("W7_LOCK_AS_USER").isEmpty() && ::geteuid() == 0) {
        ASSERT_EQ(::setgroups(0, nullptr), 0);
        ASSERT_EQ(::setgid(kUnprivileged), 0);
        ASSERT_EQ(::setuid(kUnprivileged), 0);
    }
    std::optional<testsupport::FileSizeLimit> noWrite;
    if (!testsupport::childValue("W7_LOCK_NO_WRITE").isEmpty()) {
        noWrite.emplace(0);
        ASSERT_TRUE(noWrite->set());
    }
    auto lock = makeLockFileSingleInstance();
    const bool taken = lock->acquire("w7practice", testsupport::childValue("W7_LOCK_FOLDER"));
    std::printf("lock: %s\n", taken ? "taken" : "refused");
    for (const QString &fault : lock->faults()) std::printf("fault: %s\n", qPrintable(fault));
    std::fflush(stdout);
    if (taken && !testsupport::childValue("W7_LOCK_HOLD").isEmpty())
        for (;;) ::pause();
}

// A runtime folder of one user: Qt takes only a folder that is its user's
// alone.
QString runtimeFolder(const QString &path, uid_t owner = ::geteuid()) {
    if (!QDir().mkpath(path)) return {};
    const QByteArray native = QFile::encodeName(path);
    if (::chmod(native.constData(), 0700) != 0) return {};
    if (owner != ::geteuid() && ::chown(native.constData(), owner, owner) != 0) return {};
    return path;
}

QStringList lockEnv(const QString &runtime, const QString &installation) {
    return {"W7_LOCK_RUNTIME=" + runtime, "W7_LOCK_FOLDER=" + installation};
}

QByteArray lockLine(const testsupport::ChildRun &run) {
    for (const QByteArray &line : run.output.split('\n'))
        if (line.startsWith("lock: ")) return line;
    return run.output;
}

QList<QByteArray> faultLines(const testsupport::ChildRun &run) {
    QList<QByteArray> out;
    for (const QByteArray &line : run.output.split('\n'))
        if (line.startsWith("fault: ")) out << line;
    return out;
}

// Two copies on one program folder, whoever starts them: the second is
// refused by the installation's lock even with a runtime folder of its own
// (another user, another session), as it is by the user's lock on another
// installation. A copy that dies leaves its lock files, and the next start
// takes them over.
TEST(SingleInstance, OneCopyPerInstallationAndPerUserInRealProcesses) {
    QTemporaryDir tmp;
    const QString ksdata = tmp.path() + "/program/ksdata", other = tmp.path() + "/other/ksdata";
    const QString run1 = runtimeFolder(tmp.path() + "/run1");
    const QString run2 = runtimeFolder(tmp.path() + "/run2");
    ASSERT_FALSE(run1.isEmpty() || run2.isEmpty());

    testsupport::ChildProcess first(kLockChild, "lock", lockEnv(run1, ksdata) << "W7_LOCK_HOLD=1");
    ASSERT_TRUE(first.waitForLine("lock: taken")) << first.output().toStdString();
    const struct {
        const char *what;
        QString runtime, installation;
        QByteArray line;
    } cases[] = {
        {"another runtime folder, the same installation", run2, ksdata, "lock: refused"},
        {"the same runtime folder, another installation", run1, other, "lock: refused"},
        {"another runtime folder and installation", run2, other, "lock: taken"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        const auto run =
            testsupport::runChild(kLockChild, "lock", lockEnv(c.runtime, c.installation));
        EXPECT_TRUE(run.passed()) << run.output.toStdString();
        EXPECT_EQ(lockLine(run), c.line);
    }

    first.kill();
    ASSERT_TRUE(QFile::exists(ksdata + "/w7practice.lock"));
    ASSERT_TRUE(QFile::exists(run1 + "/w7practice/w7practice.lock"));
    testsupport::ChildProcess next(kLockChild, "lock", lockEnv(run2, ksdata) << "W7_LOCK_HOLD=1");
    ASSERT_TRUE(next.waitForLine("lock: taken")) << next.output().toStdString();
    // It holds them now: the first one's runtime folder is free, the
    // installation is not.
    EXPECT_EQ(lockLine(testsupport::runChild(kLockChild, "lock", lockEnv(run1, ksdata))),
              "lock: refused");
    next.kill();
}

// Two users on one installation, each with its runtime folder: whichever
// starts first, the other is refused, and once the first is killed the
// other takes its lock over. The first makes the lock file under a narrow
// umask (the children inherit it): the other user must still be able to
// open it.
TEST(SingleInstance, TwoUsersOnOneInstallationRefuseEachOther) {
    if (::geteuid() != 0) GTEST_SKIP() << "two users need root";
    testsupport::ReachableTemporaryDir tmp;
    ASSERT_EQ(::chmod(QFile::encodeName(tmp.path()).constData(), 0755), 0);
    const QString ksdata = tmp.path() + "/ksdata";
    const UmaskScope narrow(077);
    const struct User {
        const char *name;
        QString runtime;
        QStringList env;
    } root{"root", runtimeFolder(tmp.path() + "/root-run"), {}},
        user{"another user",
             runtimeFolder(tmp.path() + "/user-run", kUnprivileged),
             {"W7_LOCK_AS_USER=1"}};
    ASSERT_FALSE(root.runtime.isEmpty() || user.runtime.isEmpty());
    const auto env = [&](const User &u) { return lockEnv(u.runtime, ksdata) + u.env; };

    for (const auto &[first, second] : {std::pair(&root, &user), std::pair(&user, &root)}) {
        SCOPED_TRACE(std::string(first->name) + " first");
        ASSERT_TRUE(QDir(ksdata).removeRecursively());
        // A shared installation: every user may write its record folder.
        ASSERT_TRUE(QDir().mkpath(ksdata));
        ASSERT_EQ(::chmod(QFile::encodeName(ksdata).constData(), 0777), 0);

        testsupport::ChildProcess one(kLockChild, "lock", env(*first) << "W7_LOCK_HOLD=1");
        ASSERT_TRUE(one.waitForLine("lock: taken")) << one.output().toStdString();
        const auto refused = testsupport::runChild(kLockChild, "lock", env(*second));
        EXPECT_TRUE(refused.passed()) << refused.output.toStdString();
        EXPECT_EQ(lockLine(refused), "lock: refused");

        one.kill();
        testsupport::ChildProcess other(kLockChild, "lock", env(*second) << "W7_LOCK_HOLD=1");
        ASSERT_TRUE(other.waitForLine("lock: taken")) << other.output().toStdString();
        EXPECT_EQ(lockLine(testsupport::runChild(kLockChild, "lock", env(*first))),
                  "lock: refused");
    }
}

// A lock that cannot be made shows no other copy: a start on an
// installation whose ksdata its user cannot write (read-only, another
// user's) or on a full disk goes on, and says why; so does one that finds a
// lock file it may not open, which it leaves as it is (it may be another
// user's running copy's). Only a lock of a copy that runs refuses it, also
// one made under a narrow umask.
TEST(SingleInstance, ALockThatCannotBeMadeIsNoOtherCopy) {
    // The child's user must reach it, wherever TMPDIR lies.
    testsupport::ReachableTemporaryDir tmp;
    ASSERT_EQ(::chmod(QFile::encodeName(tmp.path()).constData(), 0755), 0);
    const bool root = ::geteuid() == 0;
    const QString ksdata = tmp.path() + "/ksdata", lockFile = ksdata + "/w7practice.lock";
    const QString userRuntime =
        runtimeFolder(tmp.path() + "/user-run", root ? kUnprivileged : ::geteuid());
    const QString ownRuntime = runtimeFolder(tmp.path() + "/own-run");
    ASSERT_FALSE(userRuntime.isEmpty() || ownRuntime.isEmpty());
    QTemporaryDir ours;
    auto running = makeLockFileSingleInstance(ours.path());

    enum class Lock { None, OfADeadCopy, OfARunningCopy, OfARunningCopyUnderUmask, Unopenable };
    const struct {
        const char *what;
        Lock lock;
        QStringList env;
        QByteArray line;
        bool told;         // a fault names the lock file
        bool made = false; // a new lock file is held (empty: no byte can be written)
    } cases[] = {
        {"read-only", Lock::None, {"W7_LOCK_AS_USER=1"}, "lock: taken", true},
        {"read-only with a dead copy's lock",
         Lock::OfADeadCopy,
         {"W7_LOCK_AS_USER=1"},
         "lock: taken",
         false},
        {"read-only with a running copy's lock",
         Lock::OfARunningCopy,
         {"W7_LOCK_AS_USER=1"},
         "lock: refused",
         false},
        {"read-only with a running copy's lock made under umask 077",
         Lock::OfARunningCopyUnderUmask,
         {"W7_LOCK_AS_USER=1"},
         "lock: refused",
         false},
        {"a lock file its user may not open, in a folder it may write",
         Lock::Unopenable,
         {"W7_LOCK_AS_USER=1"},
         "lock: taken",
         true},
        {"no byte can be written", Lock::None, {"W7_LOCK_NO_WRITE=1"}, "lock: taken", false, true},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        const QByteArray native = QFile::encodeName(ksdata);
        ASSERT_TRUE(QDir(ksdata).removeRecursively());
        ASSERT_TRUE(QDir().mkpath(ksdata));
        if (c.lock == Lock::OfADeadCopy) {
            // As a copy killed while the folder could still be written left
            // it; then the installation was made read-only, files and all.
            ASSERT_TRUE(testsupport::writeBytes(
                lockFile,
                testsupport::qtLockFile(999999999, QSysInfo::machineHostName().toUtf8())));
            ASSERT_EQ(::chmod(QFile::encodeName(lockFile).constData(), 0444), 0);
        }
        if (c.lock == Lock::OfARunningCopy) {
            ASSERT_TRUE(running->acquire("w7practice", ksdata));
        }
        if (c.lock == Lock::OfARunningCopyUnderUmask) {
            const UmaskScope narrow(077);
            ASSERT_TRUE(running->acquire("w7practice", ksdata));
        }
        // Another user's (root's, for the child who is not root); without
        // root, the mode binds the test's own user.
        if (c.lock == Lock::Unopenable) {
            ASSERT_TRUE(testsupport::writeBytes(lockFile, "a lock of someone else's\n"));
            ASSERT_EQ(::chmod(QFile::encodeName(lockFile).constData(), root ? 0600 : 0), 0);
        }
        // Root's folder for the user who is not root; without root, the
        // mode binds the test's own user.
        const bool asUser = c.env.contains("W7_LOCK_AS_USER=1");
        const mode_t folderMode = c.lock == Lock::Unopenable ? (root ? 0777 : 0755)
                                  : asUser                   ? (root ? 0755 : 0555)
                                                             : 0755;
        ASSERT_EQ(::chmod(native.constData(), folderMode), 0);
        auto expected = testsupport::folderContents(ksdata);
        if (c.made) expected["w7practice.lock"] = "";
        const mode_t modeBefore = modeOf(lockFile);

        const auto run = testsupport::runChild(
            kLockChild, "lock", lockEnv(asUser ? userRuntime : ownRuntime, ksdata) + c.env);
        EXPECT_TRUE(run.passed()) << run.output.toStdString();
        EXPECT_EQ(lockLine(run), c.line);
        const auto faults = faultLines(run);
        if (c.told) {
            ASSERT_EQ(faults.size(), 1) << run.output.toStdString();
            EXPECT_TRUE(faults[0].startsWith("fault: " + QFile::encodeName(lockFile) + ": "))
                << faults[0].toStdString();
        } else {
            EXPECT_TRUE(faults.isEmpty()) << run.output.toStdString();
        }
        EXPECT_EQ(testsupport::folderContents(ksdata), expected);
        if (!c.made) {
            EXPECT_EQ(modeOf(lockFile), modeBefore);
        }

        running->release();
        ASSERT_EQ(::chmod(native.constData(), 0755), 0);
        ::chmod(QFile::encodeName(lockFile).constData(), 0644);
    }
}

// The user's lock where the desktop gives no runtime folder (no
// XDG_RUNTIME_DIR, and "runtime-<user>" in the temporary folder unusable):
// a folder of this user's own in the temporary folder that every user
// shares, named with the user id and made 0700. One that is not this
// user's (another user's folder, a link) makes no lock: the start goes on
// and says why. Another user's copy without a runtime folder never refuses
// this user's (both shared one "w7practice" folder there).
TEST(SingleInstance, WithoutARuntimeFolderTheUsersLockLiesInAFolderOfItsOwn) {
    const bool root = ::geteuid() == 0;
    testsupport::ReachableTemporaryDir tmp;
    const QString temp = tmp.path();
    ASSERT_EQ(::chmod(QFile::encodeName(temp).constData(), 01777), 0); // as /tmp
    const auto userName = [](uid_t uid) {
        const passwd *pw = ::getpwuid(uid);
        return pw ? QString::fromLocal8Bit(pw->pw_name) : QString::number(uid);
    };
    // Qt's own choice, made unusable for both users: another user's folder,
    // as a new user's machine can have it; without root, a file.
    for (const uid_t uid : {::geteuid(), kUnprivileged}) {
        const QString qtRuntime = temp + "/runtime-" + userName(uid);
        if (root) {
            const uid_t other = uid == 0 ? kUnprivileged : 0;
            ASSERT_TRUE(QDir().mkpath(qtRuntime));
            ASSERT_EQ(::chown(QFile::encodeName(qtRuntime).constData(), other, other), 0);
        } else {
            ASSERT_TRUE(testsupport::writeBytes(qtRuntime, "not a folder"));
        }
    }
    const QString own = temp + "/w7practice-" + QString::number(::geteuid());
    const QString elsewhere = temp + "/elsewhere";
    ASSERT_TRUE(QDir().mkpath(elsewhere));
    const QStringList env = {"W7_LOCK_RUNTIME=-", "TMPDIR=" + temp};

    enum class Place { Missing, OpenToAll, OtherUsers, Link };
    const struct {
        const char *what;
        Place place;
        bool told; // a fault names the folder, and no lock is made in it
    } cases[] = {
        {"missing", Place::Missing, false},
        {"this user's, open to all", Place::OpenToAll, false},
        {"another user's", Place::OtherUsers, true},
        {"a link to a folder of this user's", Place::Link, true},
    };
    for (const auto &c : cases) {
        if (c.place == Place::OtherUsers && !root) continue; // no other user to be
        SCOPED_TRACE(c.what);
        ::unlink(QFile::encodeName(own).constData());
        ASSERT_TRUE(QDir(own).removeRecursively());
        const QByteArray native = QFile::encodeName(own);
        if (c.place == Place::OpenToAll || c.place == Place::OtherUsers) {
            ASSERT_TRUE(QDir().mkpath(own));
            ASSERT_EQ(::chmod(native.constData(), 0777), 0);
        }
        if (c.place == Place::OtherUsers) {
            ASSERT_EQ(::chown(native.constData(), kUnprivileged, kUnprivileged), 0);
        }
        if (c.place == Place::Link) {
            ASSERT_TRUE(testsupport::makeLink(elsewhere, own));
        }

        const auto run = testsupport::runChild(kLockChild, "lock", env);
        EXPECT_TRUE(run.passed()) << run.output.toStdString();
        EXPECT_EQ(lockLine(run), "lock: taken");
        const auto faults = faultLines(run);
        if (c.told) {
            ASSERT_EQ(faults.size(), 1) << run.output.toStdString();
            EXPECT_TRUE(faults[0].startsWith("fault: " + native + ": ")) << faults[0].toStdString();
            EXPECT_FALSE(QFile::exists(own + "/w7practice.lock"));
        } else {
            EXPECT_TRUE(faults.isEmpty()) << run.output.toStdString();
            EXPECT_EQ(modeOf(own), S_IFDIR | 0700);
            EXPECT_EQ(modeOf(own + "/w7practice.lock") & S_IFMT, S_IFREG);
        }
        EXPECT_TRUE(QDir(elsewhere).isEmpty());
    }

    if (!root) return;
    // Another user's copy runs without a runtime folder: this user's start
    // is not refused.
    ::unlink(QFile::encodeName(own).constData());
    ASSERT_TRUE(QDir(own).removeRecursively());
    testsupport::ChildProcess other(kLockChild, "lock",
                                    env + QStringList{"W7_LOCK_AS_USER=1", "W7_LOCK_HOLD=1"});
    ASSERT_TRUE(other.waitForLine("lock: taken")) << other.output().toStdString();
    EXPECT_TRUE(
        QFile::exists(temp + "/w7practice-" + QString::number(kUnprivileged) + "/w7practice.lock"));
    EXPECT_EQ(lockLine(testsupport::runChild(kLockChild, "lock", env)), "lock: taken");
}

TEST(KeyboardLayouts, ParsesTheXkbQuery) {
    const QString output = "rules:      evdev\nmodel:      pc105\nlayout:     us,cn,de\n"
                           "variant:    ,,nodeadkeys\noptions:    grp:alt_shift_toggle\n";
    const auto layouts = parseXkbQuery(output);
    ASSERT_EQ(layouts.size(), 3u);
    // Keyboard layouts carry no description.
    for (const auto &l : layouts) EXPECT_TRUE(l.name.isEmpty());
    // Handles are distinct, not 0, and the same in every run.
    EXPECT_NE(layouts[0].handle, 0u);
    EXPECT_NE(layouts[0].handle, layouts[1].handle);
    EXPECT_NE(layouts[2].handle, parseXkbQuery("layout: de\n")[0].handle);
    EXPECT_EQ(layouts[1].handle, parseXkbQuery("layout: cn\n")[0].handle);

    EXPECT_EQ(parseXkbQuery("layout: xx\n").size(), 1u);
    EXPECT_TRUE(parseXkbQuery("").empty());
    EXPECT_TRUE(parseXkbQuery("Cannot open display").empty());
}

TEST(KeyboardLayouts, InputMethodsOfFcitx5AndIBus) {
    const QString profile = "[Groups/0]\nName=默认\nDefault Layout=us\nDefaultIM=pinyin\n\n"
                            "[Groups/0/Items/1]\nName=pinyin\nLayout=\n\n"
                            "[Groups/0/Items/0]\nName=keyboard-us\nLayout=\n\n"
                            "[Groups/0/Items/2]\nName=wbx\n\n"
                            "[Groups/1/Items/0]\nName=keyboard-de\n\n[GroupOrder]\n0=默认\n";
    EXPECT_EQ(parseFcitx5Profile(profile),
              (std::vector<InputSource>{{"keyboard-us", ""}, {"pinyin", "pinyin"}, {"wbx", "wbx"}}));
    EXPECT_TRUE(parseFcitx5Profile("").empty());

    const QString engines = "language: Chinese\n  libpinyin - Intelligent Pinyin\n"
                            "  table:wubi-jidian86 - Wubi-Jidian86\nlanguage: English\n"
                            "  xkb:us::eng - English (US)\n";
    EXPECT_EQ(parseIbusEngines("['xkb:us::eng', 'libpinyin', 'rime']\n", engines),
              (std::vector<InputSource>{{"xkb:us::eng", ""}, {"libpinyin", "Intelligent Pinyin"}, {"rime", "rime"}}));
    EXPECT_TRUE(parseIbusEngines("@as []\n", engines).empty());

    const auto layouts = layoutsOf({{"keyboard-us", ""}, {"pinyin", "pinyin"}});
    ASSERT_EQ(layouts.size(), 2u);
    EXPECT_TRUE(layouts[0].name.isEmpty());
    EXPECT_EQ(layouts[1].name, "pinyin");
    EXPECT_NE(layouts[0].handle, layouts[1].handle);
    EXPECT_EQ(layouts[1].handle, layoutsOf({{"pinyin", "x"}})[0].handle);
}

TEST(KeyboardLayouts, ActivateRecordsTheChoiceOfAListedLayout) {
    auto k = makeSystemKeyboardLayouts();
    const auto list = k->list();
    ASSERT_FALSE(list.empty()); // at least the current input locale
    EXPECT_EQ(k->active(), list.front().handle);
    EXPECT_TRUE(k->activate(list.back().handle));
    EXPECT_EQ(k->active(), list.back().handle);
    EXPECT_FALSE(k->activate(0));
    EXPECT_FALSE(k->activate(12345));
    EXPECT_EQ(k->active(), list.back().handle);
}

TEST(Services, TheInstalledOneIsTheOneEveryCallerUses) {
    auto owned = std::make_unique<FakeShell>();
    Shell *installed = owned.get();
    setShell(std::move(owned));
    EXPECT_EQ(&shell(), installed);
    setShell(nullptr);
    EXPECT_NE(&shell(), installed);
}
