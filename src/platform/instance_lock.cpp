#include "platform/instance_lock.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

namespace platform {

namespace {

constexpr mode_t kLockMode = 0644;
// Enough for every user of the installation to lock it.
constexpr mode_t kEveryoneReads = 0444;
constexpr mode_t kOwnFolderMode = 0700;
const char kAsideMarker[] = ".not-a-file-";
// Each round finds the place changed under it by another start; more than
// a few means something keeps changing it, and no lock is made.
constexpr int kRounds = 5;

QString reason(int error) {
    return QString::fromLocal8Bit(std::strerror(error));
}

// Closes fd on every path out.
struct Fd {
    int fd = -1;
    ~Fd() {
        if (fd >= 0) ::close(fd);
    }
    int take() { return std::exchange(fd, -1); }
};

// Moves what is not a regular file out of the lock's place: a link goes
// (what it leads to stays), anything else is renamed aside under the first
// free name. 0 when the place is free, else the error.
int clearPlace(int dir, const QByteArray &name, bool link) {
    if (link) return ::unlinkat(dir, name.constData(), 0) == 0 || errno == ENOENT ? 0 : errno;
    for (int n = 1; n < 1000; ++n) {
        const QByteArray aside = name + kAsideMarker + QByteArray::number(n);
        struct stat st {};
        if (::fstatat(dir, aside.constData(), &st, AT_SYMLINK_NOFOLLOW) == 0) continue;
        int r = ::renameat2(dir, name.constData(), dir, aside.constData(), RENAME_NOREPLACE);
        // A file system that cannot refuse to replace: the name was free
        // just now.
        if (r != 0 && errno == EINVAL)
            r = ::renameat(dir, name.constData(), dir, aside.constData());
        if (r == 0 || errno == ENOENT) return 0;
        if (errno != EEXIST && errno != ENOTEMPTY) return errno;
    }
    return EEXIST;
}

} // namespace

InstanceLock::InstanceLock(InstanceLock &&other) noexcept
    : fd_(std::exchange(other.fd_, -1)), fault_(std::move(other.fault_)) {}

InstanceLock &InstanceLock::operator=(InstanceLock &&other) noexcept {
    if (this != &other) {
        release();
        fd_ = std::exchange(other.fd_, -1);
        fault_ = std::move(other.fault_);
    }
    return *this;
}

void InstanceLock::release() {
    if (fd_ >= 0) ::close(fd_); // the system lets go of the lock
    fd_ = -1;
}

LockOutcome InstanceLock::take(const QString &folder, const QString &fileName, bool ownFolder) {
    release();
    fault_.clear();
    const QString path = QDir(folder).filePath(fileName);
    const auto cannot = [&](const QString &where, int error) {
        fault_ = where + QStringLiteral(": ") + reason(error);
        return LockOutcome::CannotMake;
    };

    const QByteArray folderName = QFile::encodeName(folder);
    QDir().mkpath(QFileInfo(folder).absolutePath());
    if (::mkdir(folderName.constData(), ownFolder ? kOwnFolderMode : 0777) != 0 && errno != EEXIST)
        return cannot(folder, errno);
    Fd dir;
    if (ownFolder) {
        // Not followed: a link there may lead to a folder of anybody's.
        dir.fd = ::open(folderName.constData(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
        if (dir.fd < 0) return cannot(folder, errno);
        struct stat st {};
        if (::fstat(dir.fd, &st) != 0) return cannot(folder, errno);
        if (st.st_uid != ::geteuid()) {
            fault_ = folder + QStringLiteral(": owned by another user");
            return LockOutcome::CannotMake;
        }
        if ((st.st_mode & 07777) != kOwnFolderMode && ::fchmod(dir.fd, kOwnFolderMode) != 0)
            return cannot(folder, errno);
    } else {
        dir.fd = ::open(folderName.constData(), O_PATH | O_DIRECTORY | O_CLOEXEC);
        if (dir.fd < 0) return cannot(folder, errno);
    }

    const QByteArray name = QFile::encodeName(fileName);
    const int openFlags = O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC;
    for (int round = 0; round < kRounds; ++round) {
        struct stat st {};
        if (::fstatat(dir.fd, name.constData(), &st, AT_SYMLINK_NOFOLLOW) == 0 &&
            !S_ISREG(st.st_mode)) {
            if (const int error = clearPlace(dir.fd, name, S_ISLNK(st.st_mode)))
                return cannot(path, error);
        }
        bool writable = true;
        Fd file;
        file.fd = ::openat(dir.fd, name.constData(), O_RDWR | O_CREAT | openFlags, kLockMode);
        if (file.fd < 0) {
            const int createError = errno;
            if (createError == ELOOP) continue; // a link came meanwhile
            // A folder or a file this user may not write: the lock of a
            // file opened for reading holds as well.
            writable = false;
            file.fd = ::openat(dir.fd, name.constData(), O_RDONLY | openFlags);
            if (file.fd < 0) {
                if (errno == ELOOP) continue;
                return cannot(path, errno == ENOENT ? createError : errno);
            }
        }
        if (::fstat(file.fd, &st) != 0) return cannot(path, errno);
        if (!S_ISREG(st.st_mode)) continue; // put there between the look and the open
        if (st.st_uid == ::geteuid() && (st.st_mode & kEveryoneReads) != kEveryoneReads)
            ::fchmod(file.fd, (st.st_mode & 07777) | kEveryoneReads);
        if (::flock(file.fd, LOCK_EX | LOCK_NB) != 0) {
            if (errno == EWOULDBLOCK) return LockOutcome::OtherCopy;
            return cannot(path, errno);
        }
        // For people only; a file linked under other names as well is not
        // this lock's to rewrite.
        if (writable && st.st_nlink == 1 && ::ftruncate(file.fd, 0) == 0) {
            const QByteArray pid = QByteArray::number(qint64(::getpid())) + '\n';
            [[maybe_unused]] const ssize_t n = ::pwrite(file.fd, pid.constData(), pid.size(), 0);
        }
        fd_ = file.take();
        return LockOutcome::Taken;
    }
    fault_ = path + QStringLiteral(": changed by someone else while it was being taken");
    return LockOutcome::CannotMake;
}

QString userLockFolder() {
    const QString runtime = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (!runtime.isEmpty()) return runtime + QStringLiteral("/w7practice");
    return QDir::tempPath() + QStringLiteral("/w7practice-") + QString::number(::geteuid());
}

} // namespace platform
