#include "damaged_files.h"
#include "forms/testing.h"
#include "home/frm_fengmian.h"
#include "program_fixture.h"
#include "sample_dir.h"
#include "startup/frm_start.h"
#include "startup/program_end.h"
#include "startup/program_info.h"
#include "startup/run_state.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

namespace ft = forms::testing;
using startup::DamagedFile;
using startup::state;

namespace {

// One start on a fresh copy of the sample's start-up files, to the end of
// the deferred start.
struct Start {
    Start() { startup::resetProgramEnded(); }
    ~Start() { startup::resetProgramEnded(); }
    testsupport::ProgramFolder folder{testsupport::startupParts(), QStringLiteral("startup")};
    ft::Session session;

    QString path(const QString &file) const { return folder.dir().root + file; }
    void run() {
        forms::form<FrmStart>();
        if (!startup::programEnded()) forms::form<FrmStart>()->show();
        ft::advance(100);
    }
    bool homeShown() const {
        FrmFengmian *home = forms::loadedForm<FrmFengmian>();
        return home && home->visible();
    }
};

TEST(DamagedBank, EachDamagedFileIsNamedAndTheRunEnds) {
    for (const damaged::Damage &d : damaged::damages()) {
        SCOPED_TRACE(d.what);
        Start start;
        const QString path = start.path(d.file);
        const QByteArray original = damaged::spoil(path, d);
        ASSERT_FALSE(original.isEmpty());
        start.run();

        EXPECT_TRUE(startup::programEnded());
        EXPECT_EQ(startup::programExitCode(), 0);
        EXPECT_FALSE(start.homeShown());
        EXPECT_TRUE(state().RunLogPath.isEmpty());
        if (d.message.isEmpty()) {
            EXPECT_TRUE(ft::msgBoxes().empty());
            continue;
        }
        ASSERT_EQ(ft::msgBoxes().size(), 1u);
        EXPECT_EQ(ft::msgBoxes()[0].prompt, d.message);
        EXPECT_EQ(ft::msgBoxes()[0].title, QStringLiteral("系统提示"));
        EXPECT_EQ(ft::msgBoxes()[0].style, forms::vbOKOnly | forms::vbCritical);
        if (d.file == damaged::kVersionFile) {
            // Ended before the first run was marked.
            EXPECT_TRUE(start.folder.registry().values.isEmpty());
            EXPECT_EQ(testsupport::readBytes(start.folder.dir().bankFile(QStringLiteral("288892"))),
                      QByteArray("0\r\n"));
        }
    }
}

TEST(DamagedBank, SoundFilesStartTheHomePage) {
    const struct {
        const char *what;
        QString file;
        QByteArray bytes; // empty: the sample's own
    } cases[] = {
        {"the sample", damaged::kModuleFile, {}},
        {"module number with blanks around it", damaged::kModuleFile, " 7 \r\n"},
        {"module number without its line end", damaged::kModuleFile, "7"},
        {"module number on its own line of a longer file", damaged::kModuleFile, "07\r\nx\r\n"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        Start start;
        if (!c.bytes.isEmpty()) {
            ASSERT_TRUE(testsupport::writeBytes(start.path(c.file), c.bytes));
        }
        start.run();
        EXPECT_FALSE(startup::programEnded());
        EXPECT_TRUE(ft::msgBoxes().empty());
        EXPECT_TRUE(start.homeShown());
    }
}

TEST(DamagedBank, ABankWithoutUnitsIsNamedInsteadOfAnEmptyHomePage) {
    const struct {
        const char *what;
        std::optional<QByteArray> index; // nullopt: no bank index
        QString message;
    } cases[] = {
        {"no units", QByteArray("0400\r\n\r\n"),
         QStringLiteral("题库中没有任何单元：w7tk/288891.mxy，请重新安装本软件。")},
        {"a line of letters", QByteArray("ab\r\n"),
         QStringLiteral("题库中没有任何单元：w7tk/288891.mxy，请重新安装本软件。")},
        {"no bank index", std::nullopt, damaged::unreadableText(damaged::kIndexFile)},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        Start start;
        const QString path = start.path(damaged::kIndexFile);
        if (c.index)
            ASSERT_TRUE(testsupport::writeBytes(path, *c.index));
        else
            ASSERT_TRUE(QFile::remove(path));
        start.run();
        EXPECT_TRUE(startup::programEnded());
        EXPECT_FALSE(start.homeShown());
        ASSERT_EQ(ft::msgBoxes().size(), 1u);
        EXPECT_EQ(ft::msgBoxes()[0].prompt, c.message);
    }
}

// The rules of ver.txt's configuration lines, on decoded texts.
TEST(DamagedBank, VersionFileNeedsItsFourConfigurationLines) {
    using Fault = DamagedFile::Fault;
    const auto lines = [](const QString &folder, const QString &module) {
        return QStringList{sample::encodeCodedLine(QStringLiteral("科目")),
                           sample::encodeCodedLine(QStringLiteral("模块")),
                           sample::encodeCodedLine(folder), sample::encodeCodedLine(module)};
    };
    const QString sound = sample::encodeCodedLine(QStringLiteral("单元"));
    const struct {
        const char *what;
        std::optional<QStringList> lines;
        std::optional<Fault> fault;
    } cases[] = {
        {"four lines", lines("w7tk", "07"), std::nullopt},
        {"blanks around the folder and the number", lines(" w7tk ", " 7 "), std::nullopt},
        {"a module number with a fraction", lines("w7tk", "7.5"), std::nullopt},
        {"unit titles, a trailing blank group and an empty line",
         lines("w7tk", "7") << sound + QStringLiteral("      ") << QString(), std::nullopt},
        {"unreadable", std::nullopt, Fault::Unreadable},
        {"three lines", QStringList(lines("w7tk", "7").mid(0, 3)), Fault::NotInFormat},
        {"no folder", lines("", "7"), Fault::NotInFormat},
        {"the folder above", lines("..", "7"), Fault::NotInFormat},
        {"a path for a folder", lines("w7tk/x", "7"), Fault::NotInFormat},
        {"module 0", lines("w7tk", "0"), Fault::NotInFormat},
        {"a module past 16 bits", lines("w7tk", "40000"), Fault::NotInFormat},
        {"a module number followed by letters", lines("w7tk", "7a"), Fault::NotInFormat},
        {"a control character", lines("w7tk", "7") << sample::encodeCodedLine(QStringLiteral("\t")),
         Fault::NotInFormat},
        {"a lone lead byte", lines("w7tk", "7") << QStringLiteral("200129"), Fault::NotInFormat},
        {"a code past the double-byte range", lines("w7tk", "7") << QStringLiteral("300000"),
         Fault::NotInFormat},
    };
    for (const auto &c : cases) EXPECT_EQ(startup::versionFileFault(c.lines), c.fault) << c.what;
}

} // namespace
