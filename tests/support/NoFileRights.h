#pragma once
// While it lives, this thread writes as an ordinary user does: the effective
// capabilities that let the superuser write into any folder and any file
// (CAP_DAC_OVERRIDE, CAP_DAC_READ_SEARCH, CAP_FOWNER) are dropped, so that a
// folder's mode decides. For a user who has none of them it changes nothing.
// (access() still answers with the permitted set: try the operation instead.)
#include <linux/capability.h>
#include <sys/syscall.h>
#include <unistd.h>

class TNoFileRights {
public:
    TNoFileRights()
    {
        header_.version = _LINUX_CAPABILITY_VERSION_3;
        header_.pid = 0;
        if (syscall(SYS_capget, &header_, saved_) != 0)
            return;
        __user_cap_data_struct reduced[2] = { saved_[0], saved_[1] };
        for (int cap : { CAP_DAC_OVERRIDE, CAP_DAC_READ_SEARCH, CAP_FOWNER })
            reduced[CAP_TO_INDEX(cap)].effective &= ~CAP_TO_MASK(cap);
        active_ = syscall(SYS_capset, &header_, reduced) == 0;
    }
    ~TNoFileRights()
    {
        if (active_)
            syscall(SYS_capset, &header_, saved_);
    }
    TNoFileRights(const TNoFileRights&) = delete;
    TNoFileRights& operator=(const TNoFileRights&) = delete;

private:
    __user_cap_header_struct header_ {};
    __user_cap_data_struct saved_[2] {};
    bool active_ = false;
};
