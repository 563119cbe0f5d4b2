#pragma once
// A write that fails for real, also for root: the soft limit on the size
// of every file this process writes, for a child process (the limit is the
// whole process's). SIGXFSZ is ignored, so that a write past the limit
// fails with EFBIG instead of ending the process. The old limit is back
// when the object goes.
#include <csignal>
#include <sys/resource.h>

namespace testsupport {

class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes) {
        ::signal(SIGXFSZ, SIG_IGN);
        ::getrlimit(RLIMIT_FSIZE, &old_);
        rlimit l = old_;
        l.rlim_cur = bytes;
        set_ = ::setrlimit(RLIMIT_FSIZE, &l) == 0;
    }
    ~FileSizeLimit() { ::setrlimit(RLIMIT_FSIZE, &old_); }
    FileSizeLimit(const FileSizeLimit &) = delete;
    FileSizeLimit &operator=(const FileSizeLimit &) = delete;
    bool set() const { return set_; }

private:
    rlimit old_{};
    bool set_ = false;
};

} // namespace testsupport
