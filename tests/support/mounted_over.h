#pragma once
// A file with a file system mounted on it (a bind mount of another file,
// in a mount namespace of this process only, so that nothing stays mounted
// when the child process ends, however it ends): the folder refuses to
// rename over it or remove it (EBUSY), as it refuses an immutable file or
// one on a failing disk, also for root. For a child process: the mount
// namespace is the whole process's.
#include <QByteArray>
#include <QFile>
#include <QString>

#include <cerrno>
#include <cstring>
#include <sched.h>
#include <string>
#include <sys/mount.h>

namespace testsupport {

class MountedOver {
public:
    // The file at target shows source's bytes and cannot be renamed over.
    MountedOver(const QString &source, const QString &target) : target_(QFile::encodeName(target)) {
        if (::unshare(CLONE_NEWNS) != 0)
            why_ = std::string("unshare: ") + std::strerror(errno);
        else if (::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0)
            why_ = std::string("private mounts: ") + std::strerror(errno);
        else if (::mount(QFile::encodeName(source).constData(), target_.constData(), nullptr,
                         MS_BIND, nullptr) != 0)
            why_ = std::string("bind mount: ") + std::strerror(errno);
    }
    ~MountedOver() { release(); }
    MountedOver(const MountedOver &) = delete;
    MountedOver &operator=(const MountedOver &) = delete;
    // The mount gone: the target is an ordinary file again.
    void release() {
        if (why_.empty() && !released_) released_ = ::umount(target_.constData()) == 0;
    }
    // Why nothing could be mounted; empty when it is.
    const std::string &why() const { return why_; }

private:
    QByteArray target_;
    std::string why_;
    bool released_ = false;
};

} // namespace testsupport
