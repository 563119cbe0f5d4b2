// Record files that are no files of records: a named pipe, a link to
// /dev/zero, a sparse file of 3 GiB, a folder or a file of 2 MiB (past a
// record's limit) where a record should be.
// Each is a record that cannot be read: held back and left out of grading,
// while the rest of the grading is saved. And a record found unreadable
// stays held back for the run, even once it can be read again.
#include "records_fixture.h"

#include "child_process.h"
#include "panel/grading.h"
#include "platform/file_read.h"
#include "platform/text.h"

#include <QFileInfo>
#include <functional>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace panel;
using testsupport::makeSparseFile;

namespace {

// A paper of codes 0101..0140 with questions 39 and 40 not done and
// question 40 marked.
QString gradeThePaper(startup::RunState &s, const RecordFiles &files, GradeResult *out) {
    s.PaperMode = startup::MockPaper;
    s.PaperIndex = s.PaperSlot = 0;
    s.QuestionCount = 40;
    s.ExamStartTime = "2015-03-07 14:05:09";
    QString codes;
    for (int q = 1; q <= 40; ++q) {
        s.QuestionCodes[q - 1] = 100 + q;
        s.QuestionStatus[q - 1] = q <= 38 ? startup::StatusDone : 0;
        codes += codeText(100 + q);
    }
    s.QuestionStatus[39] = startup::StatusMarked;
    *out = gradePaper(s, files, codes, "2016-01-02 03:04:05");
    return out->scoreText;
}

class HostileRecords : public paneltest::RecordsTest {
protected:
    // Records of a candidate who graded paper 0 before.
    void layOut() {
        QDir(s.UserDataFolder).removeRecursively();
        QDir().mkpath(s.UserDataFolder);
        put("288862", "0105\r\n");
        put("288872", "T\r\n");
        put("288863", "0999\r\n");
        put("288873", "F\r\n");
        put("288892", platform::linesToBytes({"2015-01-01 08:00:00", "90", "E", ""}));
        put("182400", "0777\r\n");
        panel::forgetHeldBackRecords();
    }
};

// ---------------------------------------------------------------- held back for the run

// A record that could not be read when the page was built and can be read
// again by the time of the grading (a disk that came back, a file put
// right) is still not rewritten in this run: what the grading would write
// was made from the default the page showed, not from the file.
TEST_F(HostileRecords, ARecordThatCouldNotBeReadIsNotRewrittenInTheRunOnceItCanBe) {
    const struct {
        const char *what;
        std::function<bool(const QString &)> spoil;
    } faults[] = {
        {"a folder", [](const QString &p) { return QFile::remove(p) && QDir().mkpath(p); }},
        {"a sparse file of 3 GiB",
         [](const QString &p) { return makeSparseFile(p, qint64(3) << 30); }},
    };
    for (const auto &f : faults) {
        SCOPED_TRACE(f.what);
        layOut();
        ASSERT_TRUE(f.spoil(record("288862")));
        bool readable = true;
        files.readList(recname::Favourites, recname::FavouriteFlags, &readable);
        EXPECT_FALSE(readable);

        // Put right before the grading.
        if (QFileInfo(record("288862")).isDir()) {
            ASSERT_TRUE(QDir(record("288862")).removeRecursively());
        }
        put("288862", "0105\r\n");
        ASSERT_EQ(platform::fileFault(record("288862"), platform::readlimit::kRecord),
                  platform::ReadFault::None);

        GradeResult graded;
        EXPECT_EQ(gradeThePaper(s, files, &graded), "95");
        EXPECT_EQ(graded.unsavedRecords, QStringList({"288862", "288872"}));
        EXPECT_TRUE(graded.otherRecordsSaved);
        EXPECT_EQ(bytes("288862"), "0105\r\n");
        EXPECT_EQ(bytes("288872"), "T\r\n");
        EXPECT_EQ(bytes("288863"), "099901390140\r\n");
    }
}

// ---------------------------------------------------------------- no file of a record

// In a child with a kill deadline: opening the pipe or reading /dev/zero
// as a record would never end.
TEST_F(HostileRecords, ChildGradesOverRecordsThatAreNoFiles) {
    if (testsupport::childRole() != "hostile") GTEST_SKIP() << testsupport::kChildOnly;
    const struct {
        const char *what;
        std::function<bool(const QString &)> make;
    } kinds[] = {
        {"a named pipe",
         [](const QString &p) {
             return QFile::remove(p) && ::mkfifo(QFile::encodeName(p).constData(), 0644) == 0;
         }},
        {"a link to /dev/zero",
         [](const QString &p) {
             return QFile::remove(p) &&
                    ::symlink("/dev/zero", QFile::encodeName(p).constData()) == 0;
         }},
        {"a sparse file of 3 GiB",
         [](const QString &p) { return makeSparseFile(p, qint64(3) << 30); }},
        {"a folder", [](const QString &p) { return QFile::remove(p) && QDir().mkpath(p); }},
        // Its own lines, then blank lines up to 2 MiB: read whole under a
        // bank file's limit, it would show as the record it begins with.
        {"a record of 2 MiB",
         [](const QString &p) {
             const QByteArray own = testsupport::readBytes(p);
             const qsizetype blanks = ((qsizetype(2) << 20) - own.size()) / 2;
             return testsupport::writeBytes(p, own + QByteArray("\r\n").repeated(blanks));
         }},
    };
    const struct {
        const char *record;
        QStringList unsaved;
    } places[] = {
        {"288892", {"288892"}},
        {"288863", {"288863", "288873"}},
    };
    for (const auto &k : kinds) {
        for (const auto &p : places) {
            SCOPED_TRACE(std::string(k.what) + " as " + p.record);
            layOut();
            ASSERT_TRUE(k.make(record(p.record)));
            const QFileInfo before(record(p.record));

            // The page's reads see the defaults and hold the file back.
            EXPECT_EQ(files.readHistory().bestScore(0), p.record == QString("288892") ? "0" : "90");
            EXPECT_EQ(files.readOneLine(recname::WrongQuestions),
                      p.record == QString("288863") ? "" : "0999");
            EXPECT_TRUE(isHeldBack(record(p.record)));

            GradeResult graded;
            EXPECT_EQ(gradeThePaper(s, files, &graded), "95");
            EXPECT_EQ(graded.unsavedRecords, p.unsaved);
            EXPECT_TRUE(graded.otherRecordsSaved);
            // The rest of the grading is saved; the file in the record's
            // place is as it was.
            EXPECT_EQ(bytes("182400"), "01390140\r\n");
            EXPECT_EQ(bytes("288862"), "01050140\r\n");
            const QFileInfo after(record(p.record));
            EXPECT_EQ(after.isSymLink(), before.isSymLink());
            EXPECT_EQ(after.isDir(), before.isDir());
            EXPECT_EQ(after.size(), before.size());
            EXPECT_FALSE(QFileInfo::exists(s.UserDataFolder + "w7files.journal"));
        }
    }
}

TEST(HostileRecordFiles, APipeADeviceAHugeFileOrAFolderAsARecordIsHeldBackAndTheRestSaved) {
    const auto run = testsupport::runChildWithin(
        20000, "HostileRecords.ChildGradesOverRecordsThatAreNoFiles", "hostile");
    EXPECT_TRUE(run.passed()) << run.output.toStdString();
}

} // namespace
