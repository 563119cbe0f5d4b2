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

#include <atomic>
#include <cerrno>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <functional>
#include <map>
#include <poll.h>
#include <sched.h>
#include <sys/fanotify.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <thread>
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

// A list and its flags are a bond: whatever a kill or a refused rename
// left of one, the next start makes both new or both old, never one of
// each. Each old file has a second name (kA, kB) until the bond is done;
// the refused file's second name gone is the mark of a bond given up.
TEST(AtomicFiles, RecoveryLeavesABondAllNewOrAllOld) {
    const QString kA = "a.mxy.w7tmp-00000000000000a2", kB = "b.mxy.w7tmp-00000000000000b2";
    const auto journal = [&](const char *aHad, const char *bHad) {
        return "w7files 2\n" + tA.toUtf8() + "\ta.mxy\t1\t" + kA.toUtf8() + "\t" + aHad + "\n" +
               tB.toUtf8() + "\tb.mxy\t1\t" + kB.toUtf8() + "\t" + bHad + "\nend 2\n";
    };
    const QByteArray bond = journal("old", "old");
    using Files = std::map<QString, QByteArray>;
    const struct Case {
        const char *what;
        Files left, after;
        QStringList notSaved;
        bool othersSaved;
    } cases[] = {
        {"killed with the journal in place",
         {{"a.mxy", "old a"},
          {"b.mxy", "old b"},
          {tA, "new a"},
          {tB, "new b"},
          {kA, "old a"},
          {kB, "old b"},
          {"w7files.journal", bond}},
         {{"a.mxy", "new a"}, {"b.mxy", "new b"}},
         {},
         true},
        {"killed between the renames",
         {{"a.mxy", "new a"},
          {"b.mxy", "old b"},
          {tB, "new b"},
          {kA, "old a"},
          {kB, "old b"},
          {"w7files.journal", bond}},
         {{"a.mxy", "new a"}, {"b.mxy", "new b"}},
         {},
         true},
        {"the first refused: a folder in its place",
         {{"a.mxy/x", "x"},
          {"b.mxy", "old b"},
          {tA, "new a"},
          {tB, "new b"},
          {kA, "old a"},
          {kB, "old b"},
          {"w7files.journal", bond}},
         {{"a.mxy", "<folder>"}, {"b.mxy", "old b"}},
         {"a.mxy", "b.mxy"},
         false},
        {"killed while the run gave the bond up, the first not yet put back",
         {{"a.mxy", "new a"},
          {"b.mxy", "old b"},
          {tB, "new b"},
          {kA, "old a"},
          {"w7files.journal", bond}},
         {{"a.mxy", "old a"}, {"b.mxy", "old b"}},
         {"a.mxy", "b.mxy"},
         false},
        {"killed while the run gave the bond up, the first put back",
         {{"a.mxy", "old a"}, {"b.mxy", "old b"}, {tB, "new b"}, {"w7files.journal", bond}},
         {{"a.mxy", "old a"}, {"b.mxy", "old b"}},
         {"a.mxy", "b.mxy"},
         false},
        {"given up where the first had no file",
         {{"a.mxy", "new a"},
          {"b.mxy", "old b"},
          {tB, "new b"},
          {kA, ""},
          {"w7files.journal", journal("none", "old")}},
         {{"b.mxy", "old b"}},
         {"a.mxy", "b.mxy"},
         false},
        {"a second name made for another file: set aside",
         {{"a.mxy", "old a"},
          {"b.mxy", "old b"},
          {tA, "new a"},
          {tB, "new b"},
          {"w7files.journal",
           QByteArray(bond).replace("\t" + kA.toUtf8(), "\tc.mxy.w7tmp-00000000000000c2")}},
         {{"a.mxy", "old a"}, {"b.mxy", "old b"}},
         {"a.mxy", "b.mxy"},
         false},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        QTemporaryDir tmp;
        for (const auto &[name, bytes] : c.left) ASSERT_TRUE(writeBytes(tmp.filePath(name), bytes));
        const Recovery r = recoverFolder(tmp.path());
        EXPECT_TRUE(r.ok);
        QStringList notSaved = r.notSaved;
        notSaved.sort();
        EXPECT_EQ(notSaved, c.notSaved);
        EXPECT_EQ(r.othersSaved, c.othersSaved);
        Files after = folderContents(tmp.path());
        after.erase("w7files.journal.unreadable-1");
        EXPECT_EQ(after, c.after);
        // The folder takes the next bond at once, and leaves nothing beside it.
        EXPECT_TRUE(
            replaceTogether({{tmp.filePath("c.mxy"), "c", 1}, {tmp.filePath("d.mxy"), "d", 1}}));
        after = folderContents(tmp.path());
        EXPECT_EQ(after["c.mxy"] + after["d.mxy"], "cd");
        EXPECT_EQ(namesIn(tmp.path()).filter(".w7tmp-"), QStringList());
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
             return testsupport::makeSparseFile(QFile::decodeName(p), qint64(3) << 30);
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

// Takes away the new temporary file of one name, as a second copy's start
// would, at the first instant the writer opens the folder (to sync it once
// the journal is in place, before any rename), with the writer held there
// until it is done. A second name of the old file (the same inode as the
// file) is left. Needs fanotify's permission events, that is root.
class TakenAwayAtFolderOpen {
public:
    TakenAwayAtFolderOpen(const QString &folder, const QString &name) : name_(name) {
        fan_ = ::fanotify_init(FAN_CLASS_CONTENT | FAN_CLOEXEC, O_RDONLY | O_CLOEXEC);
        if (fan_ < 0) {
            why_ = std::string("fanotify_init: ") + std::strerror(errno);
            return;
        }
        if (::fanotify_mark(fan_, FAN_MARK_ADD, FAN_OPEN_PERM | FAN_ONDIR, AT_FDCWD,
                            QFile::encodeName(folder).constData()) != 0 ||
            ::pipe2(stop_, O_CLOEXEC) != 0) {
            why_ = std::string("fanotify_mark: ") + std::strerror(errno);
            return;
        }
        listener_ = std::thread([this] { listen(); });
    }
    ~TakenAwayAtFolderOpen() {
        if (listener_.joinable()) {
            [[maybe_unused]] const ssize_t n = ::write(stop_[1], "x", 1);
            listener_.join();
        }
        for (int fd : {fan_, stop_[0], stop_[1]})
            if (fd >= 0) ::close(fd);
    }
    const std::string &why() const { return why_; }
    int taken() const { return taken_; }

private:
    void listen() {
        pollfd fds[2] = {{fan_, POLLIN, 0}, {stop_[0], POLLIN, 0}};
        for (;;) {
            if (::poll(fds, 2, -1) < 0 && errno != EINTR) return;
            if (fds[1].revents) return;
            if (!(fds[0].revents & POLLIN)) continue;
            alignas(fanotify_event_metadata) char buffer[4096];
            ssize_t len = ::read(fan_, buffer, sizeof buffer);
            auto *event = reinterpret_cast<fanotify_event_metadata *>(buffer);
            for (; len > 0 && FAN_EVENT_OK(event, len); event = FAN_EVENT_NEXT(event, len)) {
                if (event->fd < 0) continue;
                if (!done_) takeAway(event->fd);
                done_ = true;
                const fanotify_response answer{event->fd, FAN_ALLOW};
                [[maybe_unused]] const ssize_t n = ::write(fan_, &answer, sizeof answer);
                ::close(event->fd);
            }
        }
    }
    // Through the event's own descriptor: opening the folder here would
    // wait for this very listener.
    void takeAway(int folder) {
        const QByteArray file = QFile::encodeName(name_);
        struct stat old {};
        const bool hadFile = ::fstatat(folder, file.constData(), &old, AT_SYMLINK_NOFOLLOW) == 0;
        DIR *entries = ::fdopendir(::dup(folder));
        if (!entries) return;
        while (const dirent *e = ::readdir(entries)) {
            if (!QByteArray(e->d_name).startsWith(file + ".w7tmp-")) continue;
            struct stat st {};
            if (::fstatat(folder, e->d_name, &st, AT_SYMLINK_NOFOLLOW) != 0) continue;
            if (hadFile && st.st_ino == old.st_ino) continue;
            if (::unlinkat(folder, e->d_name, 0) == 0) ++taken_;
        }
        ::closedir(entries);
    }
    QString name_;
    int fan_ = -1;
    int stop_[2] = {-1, -1};
    std::thread listener_;
    bool done_ = false;
    std::atomic<int> taken_{0};
    std::string why_;
};

// A temporary file taken away between its writing and its rename is a
// rename refused, named as such: the group is not reported saved while
// that record stays old; the rest of the group as under any refused rename.
TEST(AtomicFilesChild, TemporaryFilesTakenAwayBeforeTheirRename) {
    if (testsupport::childRole() != "takenaway") GTEST_SKIP() << testsupport::kChildOnly;
    using Files = std::map<QString, QByteArray>;
    const struct Case {
        const char *what;
        int bond; // of a.mxy and b.mxy
        Files after;
        QStringList notSaved;
    } cases[] = {
        {"files of their own",
         0,
         {{"a.mxy", "new a"}, {"b.mxy", "old"}, {"c.mxy", "new c"}},
         {"b.mxy"}},
        {"a bond", 1, {{"a.mxy", "old"}, {"b.mxy", "old"}, {"c.mxy", "new c"}}, {"a.mxy", "b.mxy"}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        QTemporaryDir tmp;
        for (const char *name : {"a.mxy", "b.mxy", "c.mxy"})
            ASSERT_TRUE(writeBytes(tmp.filePath(name), "old"));
        QStringList notSaved;
        bool saved = true;
        {
            TakenAwayAtFolderOpen remover(tmp.path(), "b.mxy");
            if (!remover.why().empty())
                GTEST_SKIP() << "no fanotify here (" << remover.why() << ")";
            saved = replaceTogether({{tmp.filePath("a.mxy"), "new a", c.bond},
                                     {tmp.filePath("b.mxy"), "new b", c.bond},
                                     {tmp.filePath("c.mxy"), "new c"}},
                                    &notSaved);
            EXPECT_EQ(remover.taken(), 1);
        }
        EXPECT_FALSE(saved);
        notSaved.sort();
        QStringList expected;
        for (const QString &name : c.notSaved) expected << tmp.filePath(name);
        EXPECT_EQ(notSaved, expected);
        EXPECT_EQ(folderContents(tmp.path()), c.after);
    }
}

TEST(AtomicFiles, ATemporaryFileTakenAwayIsARefusedRename) {
    const auto run = testsupport::runChildWithin(
        20000, "AtomicFilesChild.TemporaryFilesTakenAwayBeforeTheirRename", "takenaway");
    if (run.exitCode == 0 && run.output.contains("no fanotify here"))
        GTEST_SKIP() << "no fanotify here";
    EXPECT_TRUE(run.passed()) << run.output.toStdString();
}

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

// A bond (a list and its flags) under a rename the folder refuses: the
// bond's files that were renamed are put back, whichever of them is
// refused and whether or not it had an old file; a file of its own is new;
// exactly the bond is named, and nothing is left for the next start.
TEST(AtomicFilesChild, BondsUnderARefusedRename) {
    if (testsupport::childRole() != "bonds") GTEST_SKIP() << testsupport::kChildOnly;
    QTemporaryDir elsewhere;
    const QString source = elsewhere.filePath("source");
    ASSERT_TRUE(writeBytes(source, "old"));
    using Files = std::map<QString, QByteArray>;
    const struct Case {
        const char *what;
        Files before;
        std::vector<std::pair<QString, int>> group; // names and bonds, written "new <name>"
        QString mounted;
        Files after;
        QStringList notSaved;
    } cases[] = {
        {"the second of a bond refused",
         {{"a.mxy", "old"}, {"b.mxy", "old"}, {"c.mxy", "old"}},
         {{"a.mxy", 1}, {"b.mxy", 1}, {"c.mxy", 0}},
         "b.mxy",
         {{"a.mxy", "old"}, {"b.mxy", "old"}, {"c.mxy", "new c.mxy"}},
         {"a.mxy", "b.mxy"}},
        {"the first of a bond refused",
         {{"a.mxy", "old"}, {"b.mxy", "old"}, {"c.mxy", "old"}},
         {{"a.mxy", 1}, {"b.mxy", 1}, {"c.mxy", 0}},
         "a.mxy",
         {{"a.mxy", "old"}, {"b.mxy", "old"}, {"c.mxy", "new c.mxy"}},
         {"a.mxy", "b.mxy"}},
        {"a bond whose first file is new",
         {{"b.mxy", "old"}},
         {{"a.mxy", 1}, {"b.mxy", 1}},
         "b.mxy",
         {{"b.mxy", "old"}},
         {"a.mxy", "b.mxy"}},
        {"two bonds, one refused",
         {{"a.mxy", "old"}, {"b.mxy", "old"}, {"c.mxy", "old"}, {"d.mxy", "old"}},
         {{"a.mxy", 1}, {"b.mxy", 1}, {"c.mxy", 2}, {"d.mxy", 2}},
         "d.mxy",
         {{"a.mxy", "new a.mxy"}, {"b.mxy", "new b.mxy"}, {"c.mxy", "old"}, {"d.mxy", "old"}},
         {"c.mxy", "d.mxy"}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        QTemporaryDir tmp;
        for (const auto &[name, bytes] : c.before)
            ASSERT_TRUE(writeBytes(tmp.filePath(name), bytes));
        std::vector<FileBytes> group;
        for (const auto &[name, bond] : c.group)
            group.push_back({tmp.filePath(name), "new " + name.toUtf8(), bond});
        QStringList notSaved;
        {
            testsupport::MountedOver mounted(source, tmp.filePath(c.mounted));
            if (!mounted.why().empty())
                GTEST_SKIP() << "no bind mount here (" << mounted.why() << ")";
            EXPECT_FALSE(replaceTogether(group, &notSaved));
        }
        notSaved.sort();
        QStringList expected;
        for (const QString &name : c.notSaved) expected << tmp.filePath(name);
        EXPECT_EQ(notSaved, expected);
        EXPECT_EQ(folderContents(tmp.path()), c.after);
        const Recovery next = recoverFolder(tmp.path());
        EXPECT_EQ(next.finished + next.setAside + next.removed, 0);
    }
}

TEST(AtomicFiles, ABondUnderARefusedRenameIsPutBackWhole) {
    const auto run = testsupport::runChild("AtomicFilesChild.BondsUnderARefusedRename", "bonds");
    if (run.exitCode == 0 && run.output.contains("no bind mount here"))
        GTEST_SKIP() << "no bind mount here";
    EXPECT_TRUE(run.passed()) << run.output.toStdString();
}

TEST(AtomicFiles, ARenameRefusedAfterTheJournalLeavesThatFileOldAndTheOthersNew) {
    const auto run =
        testsupport::runChild("AtomicFilesChild.RenamesRefusedAfterTheJournalIsInPlace", "refused");
    if (run.exitCode == 0 && run.output.contains("no bind mount here"))
        GTEST_SKIP() << "no bind mount here";
    EXPECT_TRUE(run.passed()) << run.output.toStdString();
}

} // namespace
