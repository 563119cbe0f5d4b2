// The reading of every file of the program on what a user's machine can
// have in a file's place: a named pipe, a link to a device, a sparse file
// of some GiB, a folder. They run in a child with a kill deadline: opening
// the pipe or reading /dev/zero as a file never ends.
#include "child_process.h"
#include "file_bytes.h"
#include "platform/file_read.h"
#include "platform/text.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <fcntl.h>
#include <functional>
#include <sys/stat.h>
#include <unistd.h>

using namespace platform;
using testsupport::writeBytes;

namespace {

constexpr qint64 kLimit = 16;

bool sparseFile(const QByteArray &path, qint64 size) {
    return testsupport::makeSparseFile(QFile::decodeName(path), size);
}

const char *faultName(ReadFault f) {
    switch (f) {
    case ReadFault::None:
        return "none";
    case ReadFault::Missing:
        return "missing";
    case ReadFault::NotAFile:
        return "not a file";
    case ReadFault::TooLarge:
        return "too large";
    case ReadFault::Failed:
        return "failed";
    }
    return "?";
}

TEST(FileReadChild, ReadsOnlyRegularFilesWithinTheLimit) {
    if (testsupport::childRole() != "kinds") GTEST_SKIP() << testsupport::kChildOnly;
    QTemporaryDir tmp;
    const QByteArray regular = QFile::encodeName(tmp.filePath("regular"));
    ASSERT_TRUE(writeBytes(tmp.filePath("regular"), "0105\r\n0203"));
    const struct {
        const char *what;
        std::function<bool(const QByteArray &)> make;
        qint64 limit;
        ReadFault fault;
        QByteArray bytes;
    } cases[] = {
        {"a regular file",
         [](const QByteArray &p) { return writeBytes(QFile::decodeName(p), "0105\r\n0203"); },
         kLimit, ReadFault::None, "0105\r\n0203"},
        {"a link to a regular file",
         [&](const QByteArray &p) { return ::symlink(regular.constData(), p.constData()) == 0; },
         kLimit, ReadFault::None, "0105\r\n0203"},
        {"an empty file", [](const QByteArray &p) { return writeBytes(QFile::decodeName(p), ""); },
         kLimit, ReadFault::None, ""},
        {"a file of the limit",
         [](const QByteArray &p) { return writeBytes(QFile::decodeName(p), QByteArray(16, 'T')); },
         kLimit, ReadFault::None, QByteArray(16, 'T')},
        {"a file a byte over the limit",
         [](const QByteArray &p) { return writeBytes(QFile::decodeName(p), QByteArray(17, 'T')); },
         kLimit,
         ReadFault::TooLarge,
         {}},
        {"nothing", [](const QByteArray &) { return true; }, kLimit, ReadFault::Missing, {}},
        {"a link that leads nowhere",
         [](const QByteArray &p) { return ::symlink("/nonexistent/file", p.constData()) == 0; },
         kLimit,
         ReadFault::Missing,
         {}},
        {"a folder",
         [](const QByteArray &p) { return QDir().mkpath(QFile::decodeName(p)); },
         kLimit,
         ReadFault::NotAFile,
         {}},
        {"a named pipe",
         [](const QByteArray &p) { return ::mkfifo(p.constData(), 0644) == 0; },
         kLimit,
         ReadFault::NotAFile,
         {}},
        {"a link to /dev/zero",
         [](const QByteArray &p) { return ::symlink("/dev/zero", p.constData()) == 0; },
         readlimit::kRecord,
         ReadFault::NotAFile,
         {}},
        {"a sparse file of 3 GiB",
         [](const QByteArray &p) { return sparseFile(p, qint64(3) << 30); },
         readlimit::kBankText,
         ReadFault::TooLarge,
         {}},
        // Each kind refuses a file past its own limit that the next larger
        // kind's limit would let through.
        {"a journal of 512 KiB",
         [](const QByteArray &p) { return sparseFile(p, qint64(512) << 10); },
         readlimit::kJournal,
         ReadFault::TooLarge,
         {}},
        {"a record of 2 MiB",
         [](const QByteArray &p) { return sparseFile(p, qint64(2) << 20); },
         readlimit::kRecord,
         ReadFault::TooLarge,
         {}},
        {"a settings file of 2 MiB",
         [](const QByteArray &p) { return sparseFile(p, qint64(2) << 20); },
         readlimit::kSettings,
         ReadFault::TooLarge,
         {}},
        {"a bank text of 33 MiB",
         [](const QByteArray &p) { return sparseFile(p, qint64(33) << 20); },
         readlimit::kBankText,
         ReadFault::TooLarge,
         {}},
        {"a picture of 33 MiB",
         [](const QByteArray &p) { return sparseFile(p, qint64(33) << 20); },
         readlimit::kPicture,
         ReadFault::TooLarge,
         {}},
    };
    int n = 0;
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        const QString path = tmp.filePath(QStringLiteral("case%1").arg(++n));
        ASSERT_TRUE(c.make(QFile::encodeName(path)));
        ReadFault fault = ReadFault::Failed;
        const auto bytes = readFileBytes(path, c.limit, &fault);
        EXPECT_STREQ(faultName(fault), faultName(c.fault));
        EXPECT_EQ(fileFault(path, c.limit), c.fault);
        EXPECT_EQ(bytes.has_value(), c.fault == ReadFault::None);
        if (bytes) {
            EXPECT_EQ(*bytes, c.bytes);
        }
        // The text files of the program are read the same way.
        const auto lines = readLines(path, c.limit);
        EXPECT_EQ(lines.has_value(), c.fault == ReadFault::None);
    }
}

TEST(FileRead, OnlyARegularFileWithinItsLimitIsReadAndNothingElseIsOpened) {
    const auto run = testsupport::runChildWithin(
        20000, "FileReadChild.ReadsOnlyRegularFilesWithinTheLimit", "kinds");
    EXPECT_TRUE(run.passed()) << run.output.toStdString();
}

} // namespace
