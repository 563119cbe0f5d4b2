#pragma once
// What can lie where a lock file of the program should be, for the tests
// of the single-instance locks: the remains of a power cut, another
// machine's lock, a folder copied while a copy ran, a pipe, a device, a
// link. None of them is held by a running process, so each must be taken.
//
//   for (const auto &k : testsupport::hostileLocks()) {
//       if (k.needsRoot && ::geteuid() != 0) continue;
//       ASSERT_TRUE(k.make(lockPath, outside));
//       ... take the lock ...
//       ... what lies beside the lock: k.asideSuffix and k.asideSeen ...
//   }
#include "file_bytes.h"

#include <QByteArray>
#include <QFile>
#include <QFileInfo>
#include <QSysInfo>
#include <functional>
#include <vector>

#include <fcntl.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/un.h>
#include <unistd.h>

namespace testsupport {

struct HostileLock {
    const char *what;
    // Lays it out at path; a file a link leads to goes in the folder
    // outside, which the lock's taking must leave as it was.
    std::function<bool(const QString &path, const QString &outside)> make;
    // What else lies in the lock's folder afterwards (folderContents'
    // spelling), by name relative to the lock's: "" for nothing, else the
    // suffix of the name it was set aside as and how it shows.
    QByteArray asideSuffix = {}, asideSeen = {};
    bool needsRoot = false; // mknod
};

inline QByteArray nativePath(const QString &path) {
    return QFile::encodeName(path);
}

inline bool makeLink(const QString &target, const QString &path) {
    return ::symlink(nativePath(target).constData(), nativePath(path).constData()) == 0;
}

// A unix socket's file, left behind by a server that ended. A socket's
// name holds at most 107 bytes, which a test's folder below a long TMPDIR
// passes: the socket is bound by the short name of its folder under
// /proc/self/fd, the folder held open for it, so that any folder will do.
inline bool makeSocketFile(const QString &path) {
    const QFileInfo info(path);
    const int folder =
        ::open(nativePath(info.absolutePath()).constData(), O_PATH | O_DIRECTORY | O_CLOEXEC);
    if (folder < 0) return false;
    const QByteArray name =
        "/proc/self/fd/" + QByteArray::number(folder) + '/' + nativePath(info.fileName());
    sockaddr_un a{};
    a.sun_family = AF_UNIX;
    const int s =
        name.size() < qsizetype(sizeof a.sun_path) ? ::socket(AF_UNIX, SOCK_STREAM, 0) : -1;
    bool ok = false;
    if (s >= 0) {
        std::copy(name.begin(), name.end(), a.sun_path);
        ok = ::bind(s, reinterpret_cast<sockaddr *>(&a), sizeof a) == 0;
        ::close(s);
    }
    ::close(folder);
    return ok;
}

// QLockFile's format: process id, program name, machine name.
inline QByteArray qtLockFile(qint64 pid, const QByteArray &host) {
    return QByteArray::number(pid) + "\nw7practice\n" + host + "\n";
}

inline const std::vector<HostileLock> &hostileLocks() {
    static const std::vector<HostileLock> kinds = {
        {"an empty file (a power cut just after a start)",
         [](const QString &p, const QString &) { return writeBytes(p, {}); }},
        {"garbage bytes",
         [](const QString &p, const QString &) {
             return writeBytes(p, QByteArray(4000, '\xa1') + QByteArray(100, '\0'));
         }},
        {"a dead copy's lock of this machine",
         [](const QString &p, const QString &) {
             return writeBytes(p, qtLockFile(999999999, QSysInfo::machineHostName().toUtf8()));
         }},
        // A program folder copied while a copy ran, or a machine renamed
        // after a crash: the process it names may be anything here.
        {"another machine's lock naming a running process",
         [](const QString &p, const QString &) {
             return writeBytes(p, qtLockFile(::getpid(), "another-machine"));
         }},
        {"this machine's lock naming a running process, a year old",
         [](const QString &p, const QString &) {
             if (!writeBytes(p, qtLockFile(::getpid(), QSysInfo::machineHostName().toUtf8())))
                 return false;
             const timespec yearAgo{::time(nullptr) - 365 * 24 * 3600, 0};
             const timespec times[2] = {yearAgo, yearAgo};
             return ::utimensat(AT_FDCWD, nativePath(p).constData(), times, 0) == 0;
         }},
        {"a sparse file of 3 GiB",
         [](const QString &p, const QString &) { return makeSparseFile(p, qint64(3) << 30); }},
        {"a folder",
         [](const QString &p, const QString &) { return writeBytes(p + "/inside.txt", "kept"); },
         ".not-a-file-1", "<folder>"},
        {"a named pipe",
         [](const QString &p, const QString &) {
             return ::mkfifo(nativePath(p).constData(), 0644) == 0;
         },
         ".not-a-file-1", "<not a file>"},
        {"a socket", [](const QString &p, const QString &) { return makeSocketFile(p); },
         ".not-a-file-1", "<not a file>"},
        {"a device (the zero device's numbers)",
         [](const QString &p, const QString &) {
             return ::mknod(nativePath(p).constData(), S_IFCHR | 0666, makedev(1, 5)) == 0;
         },
         ".not-a-file-1", "<not a file>", true},
        {"a dangling link",
         [](const QString &p, const QString &outside) {
             return makeLink(outside + "/missing", p);
         }},
        {"a link loop", [](const QString &p, const QString &) { return makeLink(p, p); }},
        {"a link to an empty file",
         [](const QString &p, const QString &outside) {
             return writeBytes(outside + "/empty", {}) && makeLink(outside + "/empty", p);
         }},
        {"a link to a text file",
         [](const QString &p, const QString &outside) {
             return writeBytes(outside + "/notes.txt", "a candidate's notes\r\n") &&
                    makeLink(outside + "/notes.txt", p);
         }},
        {"a link to /dev/zero",
         [](const QString &p, const QString &) { return makeLink("/dev/zero", p); }},
    };
    return kinds;
}

} // namespace testsupport
