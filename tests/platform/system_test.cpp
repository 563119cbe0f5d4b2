#include "platform/fakes.h"
#include "platform/system.h"

#include "child_process.h"
#include "file_bytes.h"
#include "file_size_limit.h"
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
#include <optional>

#include <grp.h>
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

TEST(SingleInstance, LockOfACrashedCopyIsTakenOver) {
    QTemporaryDir dir;
    const QString folder = dir.path() + "/locks";
    ASSERT_TRUE(QDir().mkpath(folder));
    // The lock file a copy leaves when it dies: its process number is gone.
    QFile stale(folder + "/w7.lock");
    ASSERT_TRUE(stale.open(QIODevice::WriteOnly));
    stale.write("999999999\nw7practice\n\n");
    stale.close();

    auto copy = makeLockFileSingleInstance(folder);
    EXPECT_TRUE(copy->acquire("w7", {}));
    auto other = makeLockFileSingleInstance(folder);
    EXPECT_FALSE(other->acquire("w7", {}));
}

// A copy may run for days: however old its lock file, the lock of a
// process that still runs is never taken over.
TEST(SingleInstance, LockOfARunningCopyHoldsHoweverOld) {
    QTemporaryDir dir;
    const QString folder = dir.path() + "/locks";
    ASSERT_TRUE(QDir().mkpath(folder));
    // The lock file of a copy that runs (this test's own process: number,
    // program name and machine), written a year ago.
    QFile held(folder + "/w7.lock");
    ASSERT_TRUE(held.open(QIODevice::WriteOnly));
    held.write(QByteArray::number(QCoreApplication::applicationPid()) + '\n' +
               QFileInfo(QCoreApplication::applicationFilePath()).fileName().toUtf8() + '\n' +
               QSysInfo::machineHostName().toUtf8() + '\n');
    ASSERT_TRUE(held.flush());
    ASSERT_TRUE(held.setFileTime(QDateTime::currentDateTime().addYears(-1),
                                 QFileDevice::FileModificationTime));
    held.close();

    ASSERT_LT(QFileInfo(held).lastModified(), QDateTime::currentDateTime().addDays(-1));

    EXPECT_FALSE(makeLockFileSingleInstance(folder)->acquire("w7", {}));
    EXPECT_TRUE(QFile::exists(folder + "/w7.lock"));
}

// ---- one copy per installation, with real processes

constexpr uid_t kUnprivileged = 65534;
constexpr const char *kLockChild = "SingleInstanceChild.TakesTheLocksAsAStartDoes";

// The child: the locks as a start takes them, in its own runtime folder
// (XDG_RUNTIME_DIR) and in the installation's folder W7_LOCK_FOLDER. It
// prints "lock: taken" or "lock: refused"; with W7_LOCK_HOLD it then holds
// them until it is killed. W7_LOCK_AS_USER: as a user who is not root;
// W7_LOCK_NO_WRITE: where no byte can be written (a file-size limit of 0).
TEST(SingleInstanceChild, TakesTheLocksAsAStartDoes) {
    if (testsupport::childRole() != "lock") GTEST_SKIP() << testsupport::kChildOnly;
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
    return {"XDG_RUNTIME_DIR=" + runtime, "W7_LOCK_FOLDER=" + installation};
}

QByteArray lockLine(const testsupport::ChildRun &run) {
    for (const QByteArray &line : run.output.split('\n'))
        if (line.startsWith("lock: ")) return line;
    return run.output;
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

// A lock that cannot be made shows no other copy: a start on an
// installation whose ksdata its user cannot write (read-only, another
// user's) or on a full disk goes on, and its folder's faults are told by
// the start as they are without the lock. Only a lock of a copy that runs
// refuses it.
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

    enum class Lock { None, OfADeadCopy, OfARunningCopy };
    const struct {
        const char *what;
        Lock lock;
        QStringList env;
        QByteArray line;
    } cases[] = {
        {"read-only", Lock::None, {"W7_LOCK_AS_USER=1"}, "lock: taken"},
        {"read-only with a dead copy's lock",
         Lock::OfADeadCopy,
         {"W7_LOCK_AS_USER=1"},
         "lock: taken"},
        {"read-only with a running copy's lock",
         Lock::OfARunningCopy,
         {"W7_LOCK_AS_USER=1"},
         "lock: refused"},
        {"no byte can be written", Lock::None, {"W7_LOCK_NO_WRITE=1"}, "lock: taken"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        const QByteArray native = QFile::encodeName(ksdata);
        ASSERT_TRUE(QDir(ksdata).removeRecursively());
        ASSERT_TRUE(QDir().mkpath(ksdata));
        if (c.lock == Lock::OfADeadCopy) {
            // As a copy killed while the folder could still be written left it.
            QFile stale(lockFile);
            ASSERT_TRUE(stale.open(QIODevice::WriteOnly));
            stale.write("999999999\n" +
                        QFileInfo(QCoreApplication::applicationFilePath()).fileName().toUtf8() +
                        "\n" + QSysInfo::machineHostName().toUtf8() + "\n");
        }
        if (c.lock == Lock::OfARunningCopy) {
            ASSERT_TRUE(running->acquire("w7practice", ksdata));
        }
        // Root's folder for the user who is not root; without root, the
        // mode binds the test's own user.
        const bool asUser = c.env.contains("W7_LOCK_AS_USER=1");
        if (asUser) {
            ASSERT_EQ(::chmod(native.constData(), root ? 0755 : 0555), 0);
        }
        const QByteArray before = testsupport::readBytes(lockFile);

        const auto run = testsupport::runChild(
            kLockChild, "lock", lockEnv(asUser ? userRuntime : ownRuntime, ksdata) + c.env);
        EXPECT_TRUE(run.passed()) << run.output.toStdString();
        EXPECT_EQ(lockLine(run), c.line);
        EXPECT_EQ(testsupport::readBytes(lockFile), before) << "the lock file changed";

        running->release();
        ASSERT_EQ(::chmod(native.constData(), 0755), 0);
    }
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
