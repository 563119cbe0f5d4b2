#include "platform/paths.h"
#include "program_fixture.h"
#include "sample_dir.h"
#include "sample_startup.h"
#include "startup/program_info.h"
#include "startup/run_state.h"
#include "startup/services.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using startup::state;

namespace {

QString exeName() {
    return QFileInfo(QCoreApplication::applicationFilePath()).completeBaseName();
}

class FirstRun : public testsupport::ProgramFixture {
protected:
    QString flagFile() const { return dir().bankFile(QStringLiteral("288892")); }
    QString regKey(const QString &name) const {
        return QStringLiteral("HKEY_CURRENT_USER/Software/kvtn/") + name;
    }
};

TEST_F(FirstRun, FlagZeroWritesBothValuesAndRewritesTheFlag) {
    startup::readInfo(state());
    const QString folder = dir().root.chopped(1); // no separator at the end
    EXPECT_EQ(registry().values.value(regKey(QStringLiteral("ProPath07"))),
              folder + QString(72, QLatin1Char('*')));
    EXPECT_EQ(registry().values.value(regKey(QStringLiteral("ProName07"))),
              exeName() + QString(36, QLatin1Char('*')));
    EXPECT_EQ(registry().values.size(), 2);
    EXPECT_EQ(testsupport::readBytes(flagFile()), QByteArray("1\r\n"));

    // Later runs write nothing.
    registry().values.clear();
    startup::resetState();
    startup::readInfo(state());
    EXPECT_TRUE(registry().values.isEmpty());
}

TEST_F(FirstRun, OnlyExactlyZeroCountsAsAFirstRun) {
    struct Case {
        const char *what;
        std::optional<QByteArray> content; // nullopt: no flag file
        bool reported;
    };
    const Case cases[] = {
        {"00", QByteArray("00\r\n"), false},  {"blank and 0", QByteArray(" 0\r\n"), false},
        {"1", QByteArray("1\r\n"), false},    {"empty file", QByteArray(), false},
        {"missing file", std::nullopt, true},
    };
    for (const Case &c : cases) {
        startup::resetState();
        registry().values.clear();
        QFile::remove(flagFile());
        if (c.content) {
            ASSERT_TRUE(testsupport::writeBytes(flagFile(), *c.content));
        }
        startup::readInfo(state());
        EXPECT_TRUE(registry().values.isEmpty()) << c.what;
        EXPECT_EQ(testsupport::readBytes(flagFile()), c.content.value_or(QByteArray())) << c.what;
        EXPECT_EQ(state().LastErrorNumber == 53, c.reported) << c.what;
    }
}

TEST_F(FirstRun, RefusedRegistryStillMarksTheRunDone) {
    registry().failWrites = true;
    startup::readInfo(state());
    EXPECT_TRUE(registry().values.isEmpty());
    EXPECT_EQ(testsupport::readBytes(flagFile()), QByteArray("1\r\n"));
    EXPECT_TRUE(state().LastErrorProc.isEmpty());
}

TEST_F(FirstRun, NamesFollowModuleNumberAndKeyEntry) {
    startup::RunState s;
    s.InfoTable[15] = QStringLiteral("kvtn");
    const struct {
        int module;
        const char *nn;
    } cases[] = {{7, "07"}, {12, "12"}, {0, "00"}, {123, "23"}};
    for (const auto &c : cases) {
        s.ModuleNumber = c.module;
        const auto v = startup::firstRunValues(s, QStringLiteral("/opt/w7/"), QStringLiteral("w7"));
        EXPECT_EQ(v.key, QStringLiteral("Software\\kvtn"));
        EXPECT_EQ(v.pathName, QStringLiteral("ProPath") + QLatin1String(c.nn));
        EXPECT_EQ(v.nameName, QStringLiteral("ProName") + QLatin1String(c.nn));
        EXPECT_EQ(v.pathData, QStringLiteral("/opt/w7") + QString(72, QLatin1Char('*')));
    }
    EXPECT_EQ(startup::firstRunValues(s, QStringLiteral("/"), QStringLiteral("w7")).pathData,
              QStringLiteral("/") + QString(72, QLatin1Char('*')));
}

// Text values keep as many GBK bytes as the text has characters, so each
// double-byte character costs one character at the end.
TEST_F(FirstRun, SetRegValueTextKeepsAsManyBytesAsCharacters) {
    platform::FakeRegistry &r = registry();
    struct Case {
        QString value;
        QString stored;
    };
    const Case cases[] = {
        {QStringLiteral("abcdefghij0123456789"), QStringLiteral("abcdefghij0123456789")},
        {QStringLiteral("ab中文efghij01234567"), QStringLiteral("ab中文efghij012345")},
        {QStringLiteral("ab中"), QStringLiteral("ab")}, // no half character
        {QString(), QString()},
    };
    for (const Case &c : cases) {
        QVariant v = c.value;
        long bytes = -1;
        EXPECT_EQ(ModZCB::SetRegValue(ModZCB::HKEY_CURRENT_USER, QStringLiteral("Software\\k"),
                                      QStringLiteral("V"), ModZCB::REG_SZ, v, bytes),
                  0);
        EXPECT_EQ(bytes, c.value.size());
        EXPECT_EQ(r.values.value(QStringLiteral("HKEY_CURRENT_USER/Software/k/V")), c.stored)
            << c.value.toStdString();
    }
    QVariant n = QStringLiteral("123");
    long bytes = 0;
    EXPECT_EQ(ModZCB::SetRegValue(ModZCB::HKEY_CURRENT_USER, QStringLiteral("Software\\k"),
                                  QStringLiteral("D"), ModZCB::REG_DWORD, n, bytes),
              0);
    EXPECT_EQ(bytes, 4);
    EXPECT_EQ(n.toInt(), 123);
    r.failWrites = true;
    QVariant t = QStringLiteral("x");
    EXPECT_NE(ModZCB::SetRegValue(ModZCB::HKEY_CURRENT_USER, QStringLiteral("Software\\k"),
                                  QStringLiteral("V"), ModZCB::REG_SZ, t, bytes),
              0);
}

TEST(ProgramFolderWithChinese, PathValueEndsOneStarShortPerDoubleByteCharacter) {
    QTemporaryDir tmp;
    const QString root = tmp.path() + QStringLiteral("/练习");
    testsupport::ProgramFolder folder({[&](const sample::SampleDir &) {
        return sample::addStartupFiles(sample::SampleDir(root));
    }});
    platform::setProgramFolder(root);
    startup::readInfo(state());
    const QString stored =
        folder.registry().values.value(QStringLiteral("HKEY_CURRENT_USER/Software/kvtn/ProPath07"));
    EXPECT_EQ(stored, root + QString(70, QLatin1Char('*')));
}

} // namespace
