// The atomic writer under real faults: a write cut off by a file-size
// limit and a disk that is really full, each in a child process of its
// own, and the start's recovery from what a kill leaves in a folder.
#include "child_process.h"
#include "file_bytes.h"
#include "file_size_limit.h"
#include "platform/atomic_files.h"
#include "platform/text.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sched.h>
#include <sys/mount.h>
#include <unistd.h>

using namespace platform;
using testsupport::FileSizeLimit;
using testsupport::readBytes;
using testsupport::writeBytes;

namespace {

QStringList namesIn(const QString &folder) {
    return QDir(folder).entryList(QDir::Files | QDir::Hidden, QDir::Name);
}

// ---------------------------------------------------------------- file-size limit

TEST(AtomicFilesChild, WritesPastAFileSizeLimit) {
    if (testsupport::childRole() != "fsize") GTEST_SKIP() << testsupport::kChildOnly;
    QTemporaryDir tmp;
    const QString a = tmp.filePath("288862.mxy"), b = tmp.filePath("288872.mxy");
    constexpr rlim_t kLimit = 4096;
    struct Case {
        const char *what;
        QByteArray oldA, oldB; // empty: no file
        QByteArray newA, newB; // empty: not written
        bool together;
    } cases[] = {
        {"a small record grows past the limit", "0105\r\n", "", QByteArray(5000, '1'), "", false},
        {"a record of the limit's size rewritten larger", QByteArray(4000, '2'), "",
         QByteArray(9000, '3'), "", false},
        {"a new file past the limit", "", "", QByteArray(4097, '4'), "", false},
        {"a group with one file past the limit", "0105\r\n", "T\r\n", "01050203\r\n",
         QByteArray(6000, 'F'), true},
        {"a group whose first file is past the limit", "0105\r\n", "T\r\n", QByteArray(6000, '5'),
         "TF\r\n", true},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        QFile::remove(a);
        QFile::remove(b);
        if (!c.oldA.isEmpty()) {
            ASSERT_TRUE(writeBytes(a, c.oldA));
        }
        if (!c.oldB.isEmpty()) {
            ASSERT_TRUE(writeBytes(b, c.oldB));
        }
        const QStringList before = namesIn(tmp.path());
        bool written = true;
        {
            FileSizeLimit limit(kLimit);
            ASSERT_TRUE(limit.set());
            written =
                c.together ? replaceTogether({{a, c.newA}, {b, c.newB}}) : replaceFile(a, c.newA);
        }
        EXPECT_FALSE(written);
        EXPECT_EQ(readBytes(a), c.oldA);
        EXPECT_EQ(readBytes(b), c.oldB);
        EXPECT_EQ(QFile::exists(a), !c.oldA.isEmpty());
        EXPECT_EQ(namesIn(tmp.path()), before); // no temporary file, no journal
    }
    // Under the limit the same writer writes.
    FileSizeLimit limit(kLimit);
    EXPECT_TRUE(writeLinesAtomic(a, {"0301"}));
    EXPECT_EQ(readBytes(a), "0301\r\n");
    EXPECT_TRUE(replaceTogether({{a, "0302\r\n"}, {b, "F\r\n"}}));
    EXPECT_EQ(readBytes(a) + readBytes(b), "0302\r\nF\r\n");
}

TEST(AtomicFiles, AWriteCutOffByAFileSizeLimitFailsAndKeepsTheOldFile) {
    const auto run = testsupport::runChild("AtomicFilesChild.WritesPastAFileSizeLimit", "fsize");
    EXPECT_TRUE(run.passed()) << run.output.toStdString();
}

// ---------------------------------------------------------------- full disk

// A tmpfs of its own, in a mount namespace of this process only, so that
// nothing is left mounted when the child ends, however it ends.
class SmallDisk {
public:
    explicit SmallDisk(const QString &at) : at_(QFile::encodeName(at)) {
        QDir().mkpath(at);
        if (::unshare(CLONE_NEWNS) != 0) {
            why_ = std::string("unshare: ") + std::strerror(errno);
        } else if (::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0) {
            why_ = std::string("private mounts: ") + std::strerror(errno);
        } else if (::mount("tmpfs", at_.constData(), "tmpfs", 0, "size=64k") != 0) {
            why_ = std::string("mount tmpfs: ") + std::strerror(errno);
        }
    }
    ~SmallDisk() {
        if (why_.empty()) ::umount(at_.constData());
    }
    // Why no tmpfs could be mounted; empty when it is.
    const std::string &why() const { return why_; }

private:
    QByteArray at_;
    std::string why_;
};

// Fills the disk with a file of its own until a write fails for lack of space.
bool fillDisk(const QString &file) {
    const int fd = ::open(QFile::encodeName(file).constData(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (fd < 0) return false;
    const QByteArray block(4096, 'x');
    ssize_t n;
    while ((n = ::write(fd, block.constData(), block.size())) > 0) {
    }
    const bool full = n < 0 && errno == ENOSPC;
    ::close(fd);
    return full;
}

bool shrinkTo(const QString &file, qint64 size) {
    return ::truncate(QFile::encodeName(file).constData(), size) == 0;
}

TEST(AtomicFilesChild, OnAFullDisk) {
    if (testsupport::childRole() != "fulldisk") GTEST_SKIP() << testsupport::kChildOnly;
    QTemporaryDir tmp;
    const QString disk = tmp.filePath("disk");
    SmallDisk mounted(disk);
    if (!mounted.why().empty())
        GTEST_SKIP() << "no tmpfs can be mounted here (" << mounted.why() << ")";
    const QString a = disk + "/288862.mxy", b = disk + "/288892.mxy", filler = disk + "/filler";
    ASSERT_TRUE(writeBytes(a, "01050203\r\n"));
    ASSERT_TRUE(writeBytes(b, QByteArray(3000, 'h')));
    ASSERT_TRUE(fillDisk(filler));
    const QStringList before = namesIn(disk);

    // Nothing fits: not even the small record, which the old writer emptied.
    EXPECT_FALSE(writeLinesAtomic(a, {"0105020303"}));
    EXPECT_FALSE(replaceTogether({{a, "0105\r\n"}, {b, QByteArray(3000, 'H')}}));
    EXPECT_EQ(readBytes(a), "01050203\r\n");
    EXPECT_EQ(readBytes(b), QByteArray(3000, 'h'));
    EXPECT_EQ(namesIn(disk), before);

    // Room for the first new file, not for the second: the first is taken
    // back and both old files stay.
    const qint64 fillerSize = QFileInfo(filler).size();
    ASSERT_TRUE(shrinkTo(filler, fillerSize - 2 * 4096));
    EXPECT_FALSE(replaceTogether({{a, "0105\r\n"}, {b, QByteArray(20000, 'H')}}));
    EXPECT_EQ(readBytes(a), "01050203\r\n");
    EXPECT_EQ(readBytes(b), QByteArray(3000, 'h'));
    EXPECT_EQ(namesIn(disk), before);

    // With the room back the same writes go through.
    ASSERT_TRUE(QFile::remove(filler));
    EXPECT_TRUE(replaceTogether({{a, "0105\r\n"}, {b, QByteArray(20000, 'H')}}));
    EXPECT_EQ(readBytes(a), "0105\r\n");
    EXPECT_EQ(readBytes(b), QByteArray(20000, 'H'));
}

TEST(AtomicFiles, AFullDiskFailsTheWriteAndKeepsTheOldFile) {
    const auto run = testsupport::runChild("AtomicFilesChild.OnAFullDisk", "fulldisk");
    if (run.exitCode == 0 && run.output.contains("no tmpfs can be mounted"))
        GTEST_SKIP() << "no tmpfs can be mounted here";
    EXPECT_TRUE(run.passed()) << run.output.toStdString();
}

// ---------------------------------------------------------------- recovery

TEST(AtomicFiles, TemporaryNamesHaveAShapeOfTheirOwn) {
    const struct {
        const char *name;
        bool temporary;
    } cases[] = {
        {"288862.mxy.w7tmp-0123456789abcdef", true},
        {"w7files.journal.w7tmp-ffffffffffffffff", true},
        {"288862.mxy", false},
        {"w7files.journal", false},
        {"20150307090502.txt", false},
        {"288891.mxy.bak", false},
        {".w7tmp-0123456789abcdef", false},           // no name before it
        {"288862.mxy.w7tmp-0123456789ABCDEF", false}, // the writer writes lower case
        {"288862.mxy.w7tmp-0123456789abcde", false},  // 15 digits
        {"288862.mxy.w7tmp-0123456789abcdef0", false},
        {"288862.mxy.w7tmp-0123456789abcdeg", false},
        {"288862.mxy.tmp-0123456789abcdef", false},
    };
    for (const auto &c : cases) EXPECT_EQ(isTemporaryName(c.name), c.temporary) << c.name;
}

// What a kill leaves in a folder at each point of a group's write, and what
// the next start makes of it.
TEST(AtomicFiles, RecoveryFinishesAWholeJournalAndDropsEverythingElse) {
    const QString tA = "a.mxy.w7tmp-00000000000000a1", tB = "b.mxy.w7tmp-00000000000000b1";
    const QString tJ = "w7files.journal.w7tmp-00000000000000c1";
    const QByteArray journal =
        "w7files 1\n" + tA.toUtf8() + "\ta.mxy\n" + tB.toUtf8() + "\tb.mxy\nend 2\n";
    struct Case {
        const char *what;
        std::map<QString, QByteArray> left;
        std::map<QString, QByteArray> after;
        int finished, dropped, removed;
    } cases[] = {
        {"killed while writing the new files",
         {{"a.mxy", "old a"}, {"b.mxy", "old b"}, {tA, "new a"}, {tB, "new"}},
         {{"a.mxy", "old a"}, {"b.mxy", "old b"}},
         0,
         0,
         2},
        {"killed while writing the journal",
         {{"a.mxy", "old a"},
          {"b.mxy", "old b"},
          {tA, "new a"},
          {tB, "new b"},
          {tJ, journal.left(20)}},
         {{"a.mxy", "old a"}, {"b.mxy", "old b"}},
         0,
         0,
         3},
        {"killed with the journal in place",
         {{"a.mxy", "old a"},
          {"b.mxy", "old b"},
          {tA, "new a"},
          {tB, "new b"},
          {"w7files.journal", journal}},
         {{"a.mxy", "new a"}, {"b.mxy", "new b"}},
         1,
         0,
         0},
        {"killed between the renames",
         {{"a.mxy", "new a"}, {"b.mxy", "old b"}, {tB, "new b"}, {"w7files.journal", journal}},
         {{"a.mxy", "new a"}, {"b.mxy", "new b"}},
         1,
         0,
         0},
        {"killed before the journal was removed",
         {{"a.mxy", "new a"}, {"b.mxy", "new b"}, {"w7files.journal", journal}},
         {{"a.mxy", "new a"}, {"b.mxy", "new b"}},
         1,
         0,
         0},
        {"a new file beside no old one",
         {{"b.mxy", "old b"}, {tA, "new a"}, {tB, "new b"}, {"w7files.journal", journal}},
         {{"a.mxy", "new a"}, {"b.mxy", "new b"}},
         1,
         0,
         0},
        {"a journal cut short is no journal",
         {{"a.mxy", "old a"},
          {"b.mxy", "old b"},
          {tA, "new a"},
          {tB, "new b"},
          {"w7files.journal", journal.chopped(8)}},
         {{"a.mxy", "old a"}, {"b.mxy", "old b"}},
         0,
         1,
         2},
        {"a journal that would move another file",
         {{"a.mxy", "old a"},
          {"c.mxy", "old c"},
          {"w7files.journal", "w7files 1\nc.mxy\ta.mxy\nend 1\n"}},
         {{"a.mxy", "old a"}, {"c.mxy", "old c"}},
         0,
         1,
         0},
        {"a journal that would leave the folder",
         {{"a.mxy", "old a"},
          {tA, "new a"},
          {"w7files.journal", "w7files 1\n" + tA.toUtf8() + "\t../a.mxy\nend 1\n"}},
         {{"a.mxy", "old a"}},
         0,
         1,
         1},
        {"the update's files and other names stay",
         {{"288891.mxy", "p"},
          {"288891.mxy.bak", "u"},
          {"x.w7tmp-", "u"},
          {"x.w7tmp-0123456789ABCDEF", "u"},
          {"20150307090502.txt", "log"},
          {tA, "new a"}},
         {{"288891.mxy", "p"},
          {"288891.mxy.bak", "u"},
          {"x.w7tmp-", "u"},
          {"x.w7tmp-0123456789ABCDEF", "u"},
          {"20150307090502.txt", "log"}},
         0,
         0,
         1},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        QTemporaryDir tmp;
        for (const auto &[name, bytes] : c.left) ASSERT_TRUE(writeBytes(tmp.filePath(name), bytes));
        const Recovery r = recoverFolder(tmp.path() + "/");
        EXPECT_TRUE(r.ok);
        EXPECT_EQ(r.finished, c.finished);
        EXPECT_EQ(r.dropped, c.dropped);
        EXPECT_EQ(r.removed, c.removed);
        std::map<QString, QByteArray> after;
        for (const QString &name : namesIn(tmp.path())) after[name] = readBytes(tmp.filePath(name));
        EXPECT_EQ(after, c.after);
    }
}

// A group the run could not finish (its journal kept) is finished before
// the next write, which its journal would otherwise undo at the next start.
TEST(AtomicFiles, AnUnfinishedGroupIsFinishedBeforeTheNextWrite) {
    QTemporaryDir tmp;
    const QString tA = "a.mxy.w7tmp-00000000000000a1";
    ASSERT_TRUE(writeBytes(tmp.filePath("a.mxy"), "old a"));
    ASSERT_TRUE(writeBytes(tmp.filePath(tA), "new a"));
    ASSERT_TRUE(writeBytes(tmp.filePath("w7files.journal"),
                           "w7files 1\n" + tA.toUtf8() + "\ta.mxy\nend 1\n"));
    ASSERT_TRUE(replaceFile(tmp.filePath("b.mxy"), "b"));
    EXPECT_EQ(namesIn(tmp.path()), QStringList({"a.mxy", "b.mxy"}));
    ASSERT_TRUE(replaceFile(tmp.filePath("a.mxy"), "newer a"));
    recoverFolder(tmp.path());
    EXPECT_EQ(readBytes(tmp.filePath("a.mxy")), "newer a");
}

} // namespace
