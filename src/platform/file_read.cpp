#include "platform/file_read.h"

#include <QFile>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {

namespace {

ReadFault faultOfErrno(int err) {
    // A folder on the way that is a file, or a link into nothing: there is
    // no such file, as when the name is not there at all.
    if (err == ENOENT || err == ENOTDIR) return ReadFault::Missing;
    if (err == ELOOP) return ReadFault::NotAFile;
    return ReadFault::Failed;
}

// The open file when it is the regular file within the limit that the path
// names, and its size; -1 and the fault otherwise.
int openChecked(const QString &path, qint64 limit, ReadFault &fault, qint64 *size = nullptr) {
    const QByteArray p = QFile::encodeName(path);
    struct stat looked {};
    if (::stat(p.constData(), &looked) != 0) {
        fault = faultOfErrno(errno);
        return -1;
    }
    if (!S_ISREG(looked.st_mode)) {
        fault = ReadFault::NotAFile;
        return -1;
    }
    if (looked.st_size > limit) {
        fault = ReadFault::TooLarge;
        return -1;
    }
    const int fd = ::open(p.constData(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) {
        fault = faultOfErrno(errno);
        return -1;
    }
    struct stat opened {};
    if (::fstat(fd, &opened) != 0) {
        fault = ReadFault::Failed;
    } else if (!S_ISREG(opened.st_mode) || opened.st_dev != looked.st_dev ||
               opened.st_ino != looked.st_ino) {
        fault = ReadFault::NotAFile;
    } else if (opened.st_size > limit) {
        fault = ReadFault::TooLarge;
    } else {
        fault = ReadFault::None;
        if (size) *size = opened.st_size;
        return fd;
    }
    ::close(fd);
    return -1;
}

} // namespace

std::optional<QByteArray> readFileBytes(const QString &path, qint64 limit, ReadFault *fault) {
    ReadFault f = ReadFault::None;
    const auto result = [&](std::optional<QByteArray> bytes) {
        if (fault) *fault = f;
        return bytes;
    };
    qint64 size = 0;
    const int fd = openChecked(path, limit, f, &size);
    if (fd < 0) return result(std::nullopt);
    // Room for one byte more than the file had, so that a file that grew
    // past the limit since is seen to.
    QByteArray bytes(size + 1, Qt::Uninitialized);
    qint64 got = 0;
    for (;;) {
        if (got == bytes.size()) {
            if (got > limit) break;
            bytes.resize(qMin<qint64>(got * 2 + 4096, limit + 1));
        }
        const ssize_t n = ::read(fd, bytes.data() + got, static_cast<size_t>(bytes.size() - got));
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) {
            f = ReadFault::Failed;
            break;
        }
        if (n == 0) break;
        got += n;
    }
    ::close(fd);
    if (f == ReadFault::None && got > limit) f = ReadFault::TooLarge;
    if (f != ReadFault::None) return result(std::nullopt);
    bytes.truncate(got);
    return result(bytes);
}

ReadFault fileFault(const QString &path, qint64 limit) {
    ReadFault f = ReadFault::None;
    const int fd = openChecked(path, limit, f);
    if (fd >= 0) ::close(fd);
    return f;
}

} // namespace platform
