#pragma once
// The lock that says a copy of the program runs. A file outlives its
// process: a power cut leaves it empty, a program folder copied while a
// copy ran carries that copy's process id to another machine, and a
// process id comes back as another process's. So what the file holds
// decides nothing: a copy runs exactly while a running process holds the
// operating system's lock (flock, exclusive) on the file, and the system
// lets go of it when that process ends in any way, killed or crashed.
// The process id written into the file is for people only.
//
// Taking it: what lies at the lock's name is looked at without following
// a link. A regular file is opened (for writing where this user may, else
// for reading: flock works on either) and locked, whatever it holds. Any
// other thing is never opened: a link (also one that leads nowhere or to
// itself) is removed, never what it leads to; a pipe, a device, a socket
// or a folder is renamed aside as "<name>.not-a-file-N", the first free
// N. The lock file is then made anew. The open never follows a link and
// never waits (a pipe put there meanwhile cannot hold it), and the opened
// file must be a regular one. A lock file is made readable by every user
// whatever the umask, so that a copy of another user on the same
// installation finds it held.
//
// A lock that cannot be made shows no other copy: a folder that cannot be
// written, a full disk, a regular lock file this user may not open (it may
// be another user's running copy's, so it is left as it is), a per-user
// folder that is not this user's own. The caller goes on without it and
// tells the fault.
#include <QString>

namespace platform {

enum class LockOutcome {
    Taken,      // this process holds it now
    OtherCopy,  // a running process holds it
    CannotMake, // see fault
};

// One lock, held while the object lives (or until release).
class InstanceLock {
public:
    InstanceLock() = default;
    ~InstanceLock() { release(); }
    InstanceLock(InstanceLock &&other) noexcept;
    InstanceLock &operator=(InstanceLock &&other) noexcept;
    InstanceLock(const InstanceLock &) = delete;
    InstanceLock &operator=(const InstanceLock &) = delete;

    // Takes the lock file fileName in folder (a missing folder is made).
    // With ownFolder the folder must be this user's alone: it is made
    // 0700, a wider mode of this user's folder is narrowed, and a link or
    // another user's folder there makes no lock.
    LockOutcome take(const QString &folder, const QString &fileName, bool ownFolder);
    bool held() const { return fd_ >= 0; }
    // Why the last take made no lock: the path and the system's reason.
    const QString &fault() const { return fault_; }
    void release();

private:
    int fd_ = -1;
    QString fault_;
};

// The folder of this user's lock: "w7practice" in the runtime folder;
// where the desktop gives none (no XDG_RUNTIME_DIR and no usable
// "runtime-<user>" folder), "w7practice-<user id>" in the temporary
// folder, which every user shares: a name of this user's own, so that
// another user's copy never holds it.
QString userLockFolder();

} // namespace platform
