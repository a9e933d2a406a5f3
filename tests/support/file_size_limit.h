#pragma once

#include "platform/file_size_signal.h"

#include <sys/resource.h>

// While it lives, no file of this process may grow beyond the limit: a write past it fails
// with EFBIG, as the program's start-up has it, as on a full disk.
class ScopedFileSizeLimit {
public:
    explicit ScopedFileSizeLimit(rlim_t bytes)
    {
        ignoreFileSizeSignal();
        getrlimit(RLIMIT_FSIZE, &old);
        const rlimit small{bytes, old.rlim_max};
        setrlimit(RLIMIT_FSIZE, &small);
    }
    ~ScopedFileSizeLimit() { setrlimit(RLIMIT_FSIZE, &old); }
    ScopedFileSizeLimit(const ScopedFileSizeLimit &) = delete;
    ScopedFileSizeLimit &operator=(const ScopedFileSizeLimit &) = delete;

private:
    rlimit old{};
};
