#pragma once
// While it lives, a file of this process cannot grow past Bytes, as on a disk
// that fills up there: writes beyond fail with EFBIG (the signal the kernel
// would send with them is ignored).
#include <csignal>
#include <sys/resource.h>

class TFullDiskAfter {
public:
    explicit TFullDiskAfter(rlim_t Bytes) : handler_(std::signal(SIGXFSZ, SIG_IGN))
    {
        getrlimit(RLIMIT_FSIZE, &saved_);
        rlimit small = saved_;
        small.rlim_cur = Bytes;
        setrlimit(RLIMIT_FSIZE, &small);
    }
    ~TFullDiskAfter()
    {
        setrlimit(RLIMIT_FSIZE, &saved_);
        std::signal(SIGXFSZ, handler_);
    }
    TFullDiskAfter(const TFullDiskAfter&) = delete;
    TFullDiskAfter& operator=(const TFullDiskAfter&) = delete;

private:
    void (*handler_)(int);
    rlimit saved_ {};
};
