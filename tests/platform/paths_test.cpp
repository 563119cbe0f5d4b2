#include "platform/paths.h"
#include "platform/text.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace platform;

namespace {

void touch(const QString &path) {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly)) << path.toStdString();
}

// A small installation: bank folder in mixed case, files in upper and lower case.
class PathsTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        root = dir.path() + "/";
        ASSERT_TRUE(QDir(root).mkpath("Win7Bank/Pics"));
        ASSERT_TRUE(QDir(root).mkpath("ksdata"));
        touch(root + "Win7Bank/288901.MXY");
        touch(root + "Win7Bank/Pics/L20001.mxy");
        touch(root + "ksdata/288893.mxy");
    }
    void TearDown() override { setProgramFolder({}); }

    QTemporaryDir dir;
    QString root;
};

} // namespace

TEST_F(PathsTest, BackslashNamesFindFilesInAnyLetterCase) {
    struct Case {
        QString in, out;
    } cases[] = {
        {"Win7Bank\\288901.mxy", "Win7Bank/288901.MXY"},
        {"win7bank\\288901.Mxy", "Win7Bank/288901.MXY"},
        {"WIN7BANK\\pics\\l20001.MXY", "Win7Bank/Pics/L20001.mxy"},
        // Doubled separators, as from a folder ending in "\" joined with "\name".
        {"win7bank\\\\288901.mxy", "Win7Bank/288901.MXY"},
        {"KSDATA\\288893.mxy", "ksdata/288893.mxy"},
        // Names that exist in no case keep their spelling, below the part that exists.
        {"win7bank\\NEW.mxy", "Win7Bank/NEW.mxy"},
        {"win7bank\\NoDir\\A.mxy", "Win7Bank/NoDir/A.mxy"},
        {"Win7Bank\\", "Win7Bank/"},
    };
    for (const Case &c : cases)
        EXPECT_EQ(resolvePath(root + c.in), root + c.out) << c.in.toStdString();

    EXPECT_TRUE(fileExists(root + "WIN7BANK\\288901.mxy"));
    EXPECT_FALSE(fileExists(root + "win7bank"));
    EXPECT_FALSE(fileExists(root + "win7bank\\288902.mxy"));
    EXPECT_EQ(resolvePath(""), "");
}

TEST_F(PathsTest, FilesCreatedOrRemovedLaterAreSeen) {
    // The first look lists the folder; later changes must still show.
    EXPECT_FALSE(fileExists(root + "ksdata\\288862.mxy"));
    touch(root + "ksdata/288862.MXY");
    EXPECT_TRUE(fileExists(root + "ksdata\\288862.mxy"));
    EXPECT_EQ(resolvePath(root + "ksdata\\288862.mxy"), root + "ksdata/288862.MXY");

    ASSERT_TRUE(QFile::remove(root + "ksdata/288862.MXY"));
    touch(root + "ksdata/288862.Mxy");
    EXPECT_EQ(resolvePath(root + "ksdata\\288862.mxy"), root + "ksdata/288862.Mxy");
}

TEST_F(PathsTest, TextFilesGoThroughTheMapping) {
    ASSERT_TRUE(writeLinesAtomic(root + "WIN7BANK\\288901.mxy", {"x"}));
    // The existing file was replaced, not joined by a second spelling.
    EXPECT_EQ(QDir(root + "Win7Bank").entryList(QDir::Files), QStringList{"288901.MXY"});
    EXPECT_EQ(readLines(root + "win7bank\\288901.mxy"), QStringList{"x"});
}

TEST_F(PathsTest, ProgramFolderEndsInSlash) {
    EXPECT_EQ(programFolder(), QCoreApplication::applicationDirPath() + "/");
    setProgramFolder(dir.path());
    EXPECT_EQ(programFolder(), root);
    setProgramFolder(root);
    EXPECT_EQ(programFolder(), root);
    setProgramFolder({});
    EXPECT_EQ(programFolder(), QCoreApplication::applicationDirPath() + "/");
}
