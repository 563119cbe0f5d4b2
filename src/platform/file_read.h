#pragma once
// Reading a file of the program: a record, a bank file, a picture, a page,
// a journal, a settings file. A name alone says nothing of what lies
// there: a named pipe holds a reader for good, a link to /dev/zero or a
// sparse file of some GiB fills the memory before the read ends. So what
// lies at the path is looked at before it is opened, and only a regular
// file within the limit of its kind is read; anything else counts as a
// file that cannot be read, just as one a failing disk spoilt, and each
// reader says so as it says that.
//
// The look: stat (a link is followed, so a link to a regular file keeps
// working) must find a regular file within the limit. It is then opened
// without blocking, so that a pipe put in its place meanwhile cannot hold
// the open, and the opened file must be the one looked at (same device and
// inode, still regular). At most limit + 1 bytes are read: a file that
// grew past the limit meanwhile is refused as well.
#include <QByteArray>
#include <QString>
#include <optional>

namespace platform {

// The largest file of each kind that is read. Each is far above what the
// program writes or ships, and far below what would strain the memory.
namespace readlimit {
// A record, the options, the banner, the update's saved list: the longest
// line the program writes is a code list of at most 10 000 four-digit
// codes (40 kB); the update's list is downloaded up to 1 MiB.
inline constexpr qint64 kRecord = qint64(1) << 20;
// ver.txt, the installation's ini file, the registry file, the input
// methods' profile: a few dozen short lines.
inline constexpr qint64 kSettings = qint64(1) << 20;
// Bank text files and pages: an exercise's step file of 500 questions of
// 99 steps comes to about 10 MB.
inline constexpr qint64 kBankText = qint64(32) << 20;
// Pictures: the sample's largest is 1.8 MB; 32 MiB holds an uncompressed
// bitmap of 4096 x 2048 at 32 bits.
inline constexpr qint64 kPicture = qint64(32) << 20;
// A journal of the atomic writer names the files of one action, a few
// dozen lines of about 50 bytes.
inline constexpr qint64 kJournal = qint64(64) << 10;
} // namespace readlimit

enum class ReadFault {
    None,
    Missing,  // nothing there (also a link that leads nowhere)
    NotAFile, // a folder, a pipe, a device, a socket, or a link to one
    TooLarge, // more bytes than the kind allows
    Failed,   // the open or a read failed: no right to read, an I/O error
};

// The whole file at path (a path as on disk: see resolvePath), or nullopt
// and the fault.
std::optional<QByteArray> readFileBytes(const QString &path, qint64 limit,
                                        ReadFault *fault = nullptr);
// The same look and open without the read: None when readFileBytes would
// read the file. For readers that open the file themselves (QSettings),
// just before they do.
ReadFault fileFault(const QString &path, qint64 limit);

} // namespace platform
