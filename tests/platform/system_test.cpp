#include "platform/fakes.h"
#include "platform/system.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSysInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

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
