// The atomic writer under real faults: a write cut off by a file-size
// limit and a disk that is really full, each in a child process of its
// own, and the start's recovery from what a kill leaves in a folder.
#include "child_process.h"
#include "file_bytes.h"
#include "file_size_limit.h"
#include "mounted_over.h"
#include "platform/atomic_files.h"
#include "platform/text.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <functional>
#include <map>
#include <sched.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace platform;
using testsupport::FileSizeLimit;
using testsupport::folderContents;
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
        {"a\nb.w7tmp-0123456789abcdef", true}, // the writer's name for "a\nb"
        {"288862.mxy", false},
        {"w7files.journal", false},
        {"w7files.journal.unreadable-1", false},
        {"20150307090502.txt", false},
        {"288891.mxy.bak", false},
        {".w7tmp-0123456789abcdef", false},           // no name before it
        {"288862.mxy.w7tmp-0123456789ABCDEF", false}, // the writer writes lower case
        {"288862.mxy.w7tmp-0123456789abcde", false},  // 15 digits
        {"288862.mxy.w7tmp-0123456789abcdef0", false},
        {"288862.mxy.w7tmp-0123456789abcdeg", false},
        {"288862.mxy.tmp-0123456789abcdef", false},
        {"288862.mxy.w7tmp-0123456789abcdef\n", false}, // a line feed after the digits
    };
    for (const auto &c : cases)
        EXPECT_EQ(isTemporaryName(c.name), c.temporary) << QString(c.name).toStdString();
}

const QString tA = "a.mxy.w7tmp-00000000000000a1", tB = "b.mxy.w7tmp-00000000000000b1";
const QByteArray kJournal =
    "w7files 1\n" + tA.toUtf8() + "\ta.mxy\n" + tB.toUtf8() + "\tb.mxy\nend 2\n";

// What a kill leaves in a folder at each point of a group's write, and what
// the next start makes of it; and journals that cannot be finished whole.
TEST(AtomicFiles, RecoveryFinishesAJournalAsFarAsItCanAndSetsAsideOneItCannotRead) {
    const QString tJ = "w7files.journal.w7tmp-00000000000000c1";
    using Files = std::map<QString, QByteArray>;
    struct Case {
        const char *what;
        Files left, after;
        int finished, setAside, removed;
        QStringList notSaved;
        bool othersSaved;
    } cases[] = {
        {"killed while writing the new files",
         {{"a.mxy", "old a"}, {"b.mxy", "old b"}, {tA, "new a"}, {tB, "new"}},
         {{"a.mxy", "old a"}, {"b.mxy", "old b"}},
         0,
         0,
         2,
         {},
         false},
        {"killed while writing the journal",
         {{"a.mxy", "old a"},
          {"b.mxy", "old b"},
          {tA, "new a"},
          {tB, "new b"},
          {tJ, kJournal.left(20)}},
         {{"a.mxy", "old a"}, {"b.mxy", "old b"}},
         0,
         0,
         3,
         {},
         false},
        {"killed with the journal in place",
         {{"a.mxy", "old a"},
          {"b.mxy", "old b"},
          {tA, "new a"},
          {tB, "new b"},
          {"w7files.journal", kJournal}},
         {{"a.mxy", "new a"}, {"b.mxy", "new b"}},
         1,
         0,
         0,
         {},
         true},
        {"killed between the renames",
         {{"a.mxy", "new a"}, {"b.mxy", "old b"}, {tB, "new b"}, {"w7files.journal", kJournal}},
         {{"a.mxy", "new a"}, {"b.mxy", "new b"}},
         1,
         0,
         0,
         {},
         true},
        {"killed before the journal was removed",
         {{"a.mxy", "new a"}, {"b.mxy", "new b"}, {"w7files.journal", kJournal}},
         {{"a.mxy", "new a"}, {"b.mxy", "new b"}},
         1,
         0,
         0,
         {},
         false},
        {"a new file beside no old one",
         {{"b.mxy", "old b"}, {tA, "new a"}, {tB, "new b"}, {"w7files.journal", kJournal}},
         {{"a.mxy", "new a"}, {"b.mxy", "new b"}},
         1,
         0,
         0,
         {},
         true},
        {"a rename refused: a folder in a file's place",
         {{"b.mxy", "old b"},
          {"a.mxy/x", "x"},
          {tA, "new a"},
          {tB, "new b"},
          {"w7files.journal", kJournal}},
         {{"a.mxy", "<folder>"}, {"b.mxy", "new b"}},
         1,
         0,
         0,
         {"a.mxy"},
         true},
        {"a journal cut short is set aside, its new files named",
         {{"a.mxy", "old a"},
          {"b.mxy", "old b"},
          {tA, "new a"},
          {tB, "new b"},
          {"w7files.journal", kJournal.chopped(8)}},
         {{"a.mxy", "old a"},
          {"b.mxy", "old b"},
          {"w7files.journal.unreadable-1", kJournal.chopped(8)}},
         0,
         1,
         0,
         {"a.mxy", "b.mxy"},
         false},
        {"a journal that would move another file",
         {{"a.mxy", "old a"},
          {"c.mxy", "old c"},
          {"w7files.journal", "w7files 1\nc.mxy\ta.mxy\nend 1\n"}},
         {{"a.mxy", "old a"},
          {"c.mxy", "old c"},
          {"w7files.journal.unreadable-1", "w7files 1\nc.mxy\ta.mxy\nend 1\n"}},
         0,
         1,
         0,
         {},
         false},
        {"a journal that would leave the folder, beside one set aside before",
         {{"a.mxy", "old a"},
          {tA, "new a"},
          {"w7files.journal", "w7files 1\n" + tA.toUtf8() + "\t../a.mxy\nend 1\n"},
          {"w7files.journal.unreadable-1", "earlier"}},
         {{"a.mxy", "old a"},
          {"w7files.journal.unreadable-1", "earlier"},
          {"w7files.journal.unreadable-2", "w7files 1\n" + tA.toUtf8() + "\t../a.mxy\nend 1\n"}},
         0,
         1,
         0,
         {"a.mxy"},
         false},
        {"a folder as the journal",
         {{"a.mxy", "old a"}, {tA, "new a"}, {"w7files.journal/inside", "kept"}},
         {{"a.mxy", "old a"}, {"w7files.journal.unreadable-1", "<folder>"}},
         0,
         1,
         0,
         {"a.mxy"},
         false},
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
         1,
         {},
         false},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        QTemporaryDir tmp;
        for (const auto &[name, bytes] : c.left) ASSERT_TRUE(writeBytes(tmp.filePath(name), bytes));
        const Recovery r = recoverFolder(tmp.path() + "/");
        EXPECT_TRUE(r.ok);
        EXPECT_EQ(r.finished, c.finished);
        EXPECT_EQ(r.setAside, c.setAside);
        EXPECT_EQ(r.removed, c.removed);
        QStringList notSaved = r.notSaved;
        notSaved.sort();
        EXPECT_EQ(notSaved, c.notSaved);
        EXPECT_EQ(r.othersSaved, c.othersSaved);
        EXPECT_EQ(folderContents(tmp.path()), c.after);
        // The folder takes the next group at once.
        EXPECT_TRUE(replaceTogether({{tmp.filePath("b.mxy"), "b"}, {tmp.filePath("d.mxy"), "d"}}));
        EXPECT_FALSE(QFileInfo::exists(tmp.filePath("w7files.journal")));
    }
}

// The journals a user's machine or an update can put in a journal's
// place, each in a child with a kill deadline, since opening a pipe or
// reading /dev/zero would never end.
TEST(AtomicFilesChild, SetsAsideJournalsThatAreNoFileOfItsOwn) {
    if (testsupport::childRole() != "journals") GTEST_SKIP() << testsupport::kChildOnly;
    QTemporaryDir elsewhere;
    const QString wholeJournal = elsewhere.filePath("journal");
    ASSERT_TRUE(writeBytes(wholeJournal, kJournal));
    const struct {
        const char *what;
        std::function<bool(const QByteArray &)> make;
        QByteArray asideAs; // empty: nothing left in the folder
        QByteArray a, b;    // what the files hold afterwards
    } cases[] = {
        {"a named pipe", [](const QByteArray &p) { return ::mkfifo(p.constData(), 0644) == 0; },
         "<not a file>", "old a", "old b"},
        {"a link to /dev/zero",
         [](const QByteArray &p) { return ::symlink("/dev/zero", p.constData()) == 0; }, "",
         "old a", "old b"},
        {"a sparse file of 3 GiB",
         [](const QByteArray &p) {
             const int fd = ::open(p.constData(), O_WRONLY | O_CREAT | O_EXCL, 0644);
             const bool ok = fd >= 0 && ::ftruncate(fd, qint64(3) << 30) == 0;
             if (fd >= 0) ::close(fd);
             return ok;
         },
         "<3221225472 bytes>", "old a", "old b"},
        {"a link that leads nowhere",
         [](const QByteArray &p) { return ::symlink("/nonexistent/journal", p.constData()) == 0; },
         "", "old a", "old b"},
        {"garbage",
         [](const QByteArray &p) {
             return writeBytes(QFile::decodeName(p), QByteArray(5000, '\x9c'));
         },
         QByteArray(5000, '\x9c'), "old a", "old b"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        QTemporaryDir tmp;
        for (const auto &[name, bytes] : std::map<QString, QByteArray>{
                 {"a.mxy", "old a"}, {"b.mxy", "old b"}, {tA, "new a"}, {tB, "new b"}})
            ASSERT_TRUE(writeBytes(tmp.filePath(name), bytes));
        ASSERT_TRUE(c.make(QFile::encodeName(tmp.filePath("w7files.journal"))));
        const Recovery r = recoverFolder(tmp.path());
        EXPECT_TRUE(r.ok);
        EXPECT_EQ(r.setAside, 1);
        EXPECT_EQ(r.notSaved, QStringList({"a.mxy", "b.mxy"}));
        std::map<QString, QByteArray> after = {{"a.mxy", c.a}, {"b.mxy", c.b}};
        if (!c.asideAs.isEmpty()) after["w7files.journal.unreadable-1"] = c.asideAs;
        EXPECT_EQ(folderContents(tmp.path()), after);
        EXPECT_TRUE(replaceTogether({{tmp.filePath("a.mxy"), "a"}, {tmp.filePath("b.mxy"), "b"}}));
        EXPECT_EQ(readBytes(tmp.filePath("a.mxy")) + readBytes(tmp.filePath("b.mxy")), "ab");
    }
    // A link to a whole journal is a journal: it is finished and the link
    // removed; the file it leads to stays.
    QTemporaryDir tmp;
    for (const auto &[name, bytes] : std::map<QString, QByteArray>{
             {"a.mxy", "old a"}, {"b.mxy", "old b"}, {tA, "new a"}, {tB, "new b"}})
        ASSERT_TRUE(writeBytes(tmp.filePath(name), bytes));
    ASSERT_EQ(::symlink(QFile::encodeName(wholeJournal).constData(),
                        QFile::encodeName(tmp.filePath("w7files.journal")).constData()),
              0);
    const Recovery r = recoverFolder(tmp.path());
    EXPECT_EQ(r.finished, 1);
    EXPECT_TRUE(r.notSaved.isEmpty());
    EXPECT_EQ(folderContents(tmp.path()),
              (std::map<QString, QByteArray>{{"a.mxy", "new a"}, {"b.mxy", "new b"}}));
    EXPECT_EQ(readBytes(wholeJournal), kJournal);
}

TEST(AtomicFiles, JournalsThatAreNoFileOfItsOwnAreSetAsideWithoutAHang) {
    const auto run = testsupport::runChildWithin(
        20000, "AtomicFilesChild.SetsAsideJournalsThatAreNoFileOfItsOwn", "journals");
    EXPECT_TRUE(run.passed()) << run.output.toStdString();
}

// Only the folders where groups are written hold a journal: a journal in
// a folder of single replacements (the bank, the program folder) is never
// run, whatever it names; the start removes the temporary files there and
// leaves the journal alone.
TEST(AtomicFiles, AJournalIsRunOnlyWhereGroupsAreWritten) {
    QTemporaryDir tmp;
    for (const auto &[name, bytes] : std::map<QString, QByteArray>{{"a.mxy", "old a"},
                                                                   {"b.mxy", "old b"},
                                                                   {tA, "new a"},
                                                                   {tB, "new b"},
                                                                   {"w7files.journal", kJournal}})
        ASSERT_TRUE(writeBytes(tmp.filePath(name), bytes));
    ASSERT_TRUE(replaceFile(tmp.filePath("c.mxy"), "c"));
    ASSERT_TRUE(replaceFile(tmp.filePath("b.mxy"), "newer b"));
    FileReplacement download(tmp.filePath("d.mxy"));
    ASSERT_TRUE(download.write("d"));
    ASSERT_TRUE(download.commit());
    EXPECT_EQ(readBytes(tmp.filePath("a.mxy")), "old a");
    EXPECT_EQ(readBytes(tmp.filePath("b.mxy")), "newer b");
    EXPECT_EQ(readBytes(tmp.filePath(tA)), "new a");

    EXPECT_TRUE(removeTemporaryFiles(tmp.path() + "/"));
    EXPECT_EQ(folderContents(tmp.path()),
              (std::map<QString, QByteArray>{{"a.mxy", "old a"},
                                             {"b.mxy", "newer b"},
                                             {"c.mxy", "c"},
                                             {"d.mxy", "d"},
                                             {"w7files.journal", kJournal}}));
}

// ---------------------------------------------------------------- refused renames

TEST(AtomicFilesChild, RenamesRefusedAfterTheJournalIsInPlace) {
    if (testsupport::childRole() != "refused") GTEST_SKIP() << testsupport::kChildOnly;
    QTemporaryDir tmp;
    const QString a = tmp.filePath("a.mxy"), b = tmp.filePath("b.mxy"), c = tmp.filePath("c.mxy");
    const QString oldB = tmp.filePath("old b");
    for (const QString &f : {a, b, c}) ASSERT_TRUE(writeBytes(f, "old"));
    ASSERT_TRUE(writeBytes(oldB, "old"));
    {
        testsupport::MountedOver mounted(oldB, b);
        if (!mounted.why().empty()) GTEST_SKIP() << "no bind mount here (" << mounted.why() << ")";
        // Every rename that can be done is done; exactly b is named.
        QStringList notSaved;
        EXPECT_FALSE(replaceTogether({{a, "new a"}, {b, "new b"}, {c, "new c"}}, &notSaved));
        EXPECT_EQ(notSaved, QStringList({b}));
        EXPECT_EQ(readBytes(a) + readBytes(b) + readBytes(c), "new aoldnew c");
        // No journal stays to bring b in later, nor a temporary file of it:
        // the next start finds nothing to do.
        EXPECT_EQ(QDir(tmp.path()).entryList(QDir::Files | QDir::Hidden),
                  QStringList({"a.mxy", "b.mxy", "c.mxy", "old b"}));
        const Recovery next = recoverFolder(tmp.path());
        EXPECT_EQ(next.finished + next.setAside + next.removed, 0);
        // The folder takes the next group, and b once it may be renamed over.
        EXPECT_TRUE(replaceTogether({{a, "newer a"}, {c, "newer c"}}));
        mounted.release();
    }
    EXPECT_TRUE(replaceTogether({{a, "newest a"}, {b, "newest b"}}));
    EXPECT_EQ(readBytes(b), "newest b");

    // A journal that can be neither read nor set aside: nothing of the
    // folder is written while it stays (it could bring back what follows),
    // other folders are; once it can be set aside, writing goes on.
    QTemporaryDir other;
    const QString journal = tmp.filePath("w7files.journal"), garbage = tmp.filePath("garbage");
    ASSERT_TRUE(writeBytes(journal, "not a journal"));
    ASSERT_TRUE(writeBytes(garbage, "not a journal"));
    testsupport::MountedOver stuck(garbage, journal);
    ASSERT_TRUE(stuck.why().empty()) << stuck.why();
    EXPECT_FALSE(recoverFolder(tmp.path()).ok);
    EXPECT_FALSE(replaceFile(a, "refused"));
    EXPECT_FALSE(replaceTogether({{a, "refused"}, {b, "refused"}}));
    EXPECT_TRUE(replaceFile(other.filePath("x.mxy"), "x"));
    stuck.release();
    EXPECT_TRUE(replaceFile(a, "at last"));
    EXPECT_EQ(readBytes(a), "at last");
    EXPECT_EQ(readBytes(tmp.filePath("w7files.journal.unreadable-1")), "not a journal");
}

TEST(AtomicFiles, ARenameRefusedAfterTheJournalLeavesThatFileOldAndTheOthersNew) {
    const auto run =
        testsupport::runChild("AtomicFilesChild.RenamesRefusedAfterTheJournalIsInPlace", "refused");
    if (run.exitCode == 0 && run.output.contains("no bind mount here"))
        GTEST_SKIP() << "no bind mount here";
    EXPECT_TRUE(run.passed()) << run.output.toStdString();
}

} // namespace
