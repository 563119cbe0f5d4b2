#include "program_fixture.h"
#include "sample_dir.h"
#include "startup/program_info.h"
#include "startup/run_state.h"

#include <QFile>
#include <gtest/gtest.h>

using startup::infoDefaults;
using startup::RunState;
using startup::state;

namespace {

QStringList coded(const QStringList &texts) {
    QStringList out;
    for (const QString &t : texts) out << sample::encodeCodedLine(t);
    return out;
}

class InfoTable : public testsupport::ProgramFixture {
protected:
    QString verTxt() const { return dir().root + QStringLiteral("ver.txt"); }
    QString infoFile(const QString &bankFolder) const {
        return dir().root + bankFolder + QStringLiteral("/288901.mxy");
    }
};

TEST_F(InfoTable, DefaultsWhenNeitherFileExists) {
    QFile::remove(verTxt());
    RunState &s = state();
    startup::readInfo(s);

    for (int i = 0; i < startup::kInfoEntries; ++i)
        EXPECT_EQ(s.InfoTable[i], infoDefaults()[i].trimmed()) << "entry " << i;
    EXPECT_TRUE(s.InfoTable[39].isEmpty());
    EXPECT_EQ(s.SubjectName, infoDefaults()[1]);
    EXPECT_EQ(s.ModuleName, infoDefaults()[2]);
    EXPECT_EQ(s.DataPath, dir().root + infoDefaults()[3] + QStringLiteral("/"));
    EXPECT_EQ(s.UnitTable[0][1], infoDefaults()[5]);
    EXPECT_EQ(s.UnitTable[20][1], infoDefaults()[25]);
    EXPECT_TRUE(s.UnitTable[21][1].isEmpty());
    // The missing files were reported (the flag file is missing too).
    EXPECT_EQ(s.LastErrorProc, QStringLiteral("readInfo"));
    EXPECT_EQ(s.LastErrorNumber, 53);
    EXPECT_TRUE(registry().values.isEmpty());
}

TEST_F(InfoTable, VersionFileSetsTheConfigurationAndBankFileOnlyTheTable) {
    // Four lines of ver.txt: units keep their default titles.
    ASSERT_TRUE(sample::writeGbkLines(verTxt(),
                                      coded({QStringLiteral(" 科目 "), QStringLiteral("模块名"),
                                             QStringLiteral(" mybank "), QStringLiteral("7.5")})));
    // The bank's table: entry 0, then entry 1 and 2 differ from ver.txt.
    ASSERT_TRUE(sample::writeGbkLines(
        infoFile(QStringLiteral("mybank")),
        coded({QStringLiteral("品牌"), QStringLiteral("  http://x.example/  "),
               QStringLiteral("另一个")})));
    RunState &s = state();
    startup::readInfo(s);

    EXPECT_EQ(s.SubjectName, QStringLiteral("科目"));
    EXPECT_EQ(s.ModuleName, QStringLiteral("模块名"));
    EXPECT_EQ(s.DataPath, dir().root + QStringLiteral("mybank/"));
    EXPECT_EQ(s.ModuleNumber, 8); // 7.5 to the even neighbour
    EXPECT_EQ(s.UnitTable[0][1], infoDefaults()[5]);

    EXPECT_EQ(s.InfoTable[0], QStringLiteral("品牌"));
    EXPECT_EQ(s.InfoTable[1], QStringLiteral("http://x.example/")); // trimmed
    EXPECT_EQ(s.InfoTable[2], QStringLiteral("另一个"));
    EXPECT_EQ(s.InfoTable[3], QStringLiteral("mybank")); // from ver.txt, trimmed
    EXPECT_EQ(s.InfoTable[9], infoDefaults()[9]);
    EXPECT_EQ(s.ApplicationTitle,
              QStringLiteral("品牌") + infoDefaults()[9] + QStringLiteral("——科目模块"));
}

TEST_F(InfoTable, SampleInstallationGivesItsConfiguration) {
    RunState &s = state();
    startup::readInfo(s);
    EXPECT_EQ(s.SubjectName, sample::kSubject);
    EXPECT_EQ(s.ModuleName, sample::kModuleName);
    EXPECT_EQ(s.ModuleNumber, sample::kModuleNumber);
    EXPECT_EQ(s.DataPath, dir().bank());
    EXPECT_EQ(s.UnitTable[3][1], sample::unitTitles()[3]);
    EXPECT_EQ(s.InfoTable[15], QStringLiteral("kvtn"));
    EXPECT_TRUE(s.LastErrorProc.isEmpty()) << s.LastErrorProc.toStdString();
}

TEST_F(InfoTable, LinesPastTheLastEntryAreReportedAndDropped) {
    QStringList lines;
    for (int i = 0; i <= 42; ++i) lines << QStringLiteral("E%1").arg(i);
    ASSERT_TRUE(sample::writeGbkLines(infoFile(sample::kBankFolder), coded(lines)));
    RunState &s = state();
    startup::readInfo(s);
    EXPECT_EQ(s.InfoTable[40], QStringLiteral("E40"));
    EXPECT_EQ(s.InfoTable[0], QStringLiteral("E0"));
    EXPECT_EQ(s.LastErrorProc, QStringLiteral("readInfo"));
    EXPECT_EQ(s.LastErrorNumber, 9);
}

TEST_F(InfoTable, BadCodesAndTooLargeModuleNumbersAreReported) {
    struct Case {
        QString moduleLine;
        int moduleNumber;
        int error; // 0: none
    };
    const Case cases[] = {
        {sample::encodeCodedLine(QStringLiteral("6.5")), 6, 0},
        {sample::encodeCodedLine(QStringLiteral("40000")), 0, 6},
        {sample::encodeCodedLine(QStringLiteral("12")) + QStringLiteral("999999"), 12, 5},
    };
    for (const Case &c : cases) {
        startup::resetState();
        ASSERT_TRUE(sample::writeGbkLines(verTxt(), {sample::encodeCodedLine(sample::kSubject),
                                                     sample::encodeCodedLine(sample::kModuleName),
                                                     sample::encodeCodedLine(sample::kBankFolder),
                                                     c.moduleLine}));
        RunState &s = state();
        startup::readInfo(s);
        EXPECT_EQ(s.ModuleNumber, c.moduleNumber) << c.moduleLine.toStdString();
        EXPECT_EQ(s.LastErrorNumber, c.error) << c.moduleLine.toStdString();
    }
}

} // namespace
