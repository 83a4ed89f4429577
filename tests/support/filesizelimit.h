#pragma once

#include <gtest/gtest.h>

#include <sys/resource.h>
#include <csignal>

namespace vex::test {

// While it lives, files this process writes cannot grow beyond `bytes`: a write past the
// limit fails (EFBIG) instead of raising SIGXFSZ. Works for root too, unlike a read-only
// folder, so a failing write can be tested anywhere.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes) {
        oldHandler_ = std::signal(SIGXFSZ, SIG_IGN);
        getrlimit(RLIMIT_FSIZE, &old_);
        rlimit limit = old_;
        limit.rlim_cur = bytes;
        active_ = setrlimit(RLIMIT_FSIZE, &limit) == 0;
    }
    ~FileSizeLimit() {
        setrlimit(RLIMIT_FSIZE, &old_);
        std::signal(SIGXFSZ, oldHandler_);
    }
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

    bool active() const { return active_; }

private:
    rlimit old_{};
    void (*oldHandler_)(int) = nullptr;
    bool active_ = false;
};

}  // namespace vex::test
