#include "search/runpacing.h"

#include <algorithm>

namespace vex {

qint64 RunClock::stepMs(bool force) {
    if (++sinceRead_ < readEvery_ && !force) {
        return lastReadMs_;
    }
    const qint64 now = timer_.elapsed();
    readEvery_ = now - lastReadMs_ < 1 ? std::min(readEvery_ * 2, 16) : 1;
    lastReadMs_ = now;
    sinceRead_ = 0;
    return now;
}

qint64 RunClock::nowNs() {
    const qint64 now = timer_.nsecsElapsed();
    lastReadMs_ = now / 1'000'000;
    readEvery_ = 1;
    sinceRead_ = 0;
    return now;
}

WindowPacer::WindowPacer(qsizetype limit)
    : limit_(std::max<qsizetype>(1, limit)), size_(std::min(kFirst, limit_)) {}

void WindowPacer::measured(qsizetype records, qint64 ns) {
    // Grows by four at most per window (one quick window says little), shrinks at once.
    const qsizetype wanted = ns > 0 ? qsizetype(records * kTargetNs / ns) : limit_;
    size_ = std::clamp(wanted, std::min(kMin, limit_), std::min(limit_, size_ * 4));
}

}  // namespace vex
