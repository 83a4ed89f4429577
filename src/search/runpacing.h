#pragma once

#include <QElapsedTimer>
#include <QtGlobal>

namespace vex {

// The clock of a run. Reading it costs as much as a quick step; while steps come fast it is
// read only every few steps (at most 16, and only while those steps took less than a
// millisecond together). A step that looked at many records, the last step and the steps of
// a call still searching read it every time.
class RunClock {
public:
    explicit RunClock(const QElapsedTimer& timer) : timer_(timer) {}

    // Milliseconds since the start of the run for a step; force reads the clock.
    qint64 stepMs(bool force);
    // Nanoseconds since the start of the run, read now.
    qint64 nowNs();

private:
    const QElapsedTimer& timer_;
    qint64 lastReadMs_ = 0;
    int readEvery_ = 1;
    int sinceRead_ = 0;
};

// How many records one call of a run may look at before it reports that it is still
// searching: sized from the time the last windows without a hit took, so that such a window
// takes about two milliseconds whatever a record costs (an index, the plain scan, two
// operands, a loaded machine), within fixed bounds.
class WindowPacer {
public:
    static constexpr qsizetype kFirst = 4096;
    static constexpr qsizetype kMin = 256;
    static constexpr qsizetype kMax = 65536;
    static constexpr qint64 kTargetNs = 2'000'000;

    // limit: the most records a window may hold (at least 1).
    explicit WindowPacer(qsizetype limit = kMax);

    qsizetype size() const { return size_; }
    // A window of this many records without a hit took this long.
    void measured(qsizetype records, qint64 ns);

private:
    qsizetype limit_;
    qsizetype size_;
};

}  // namespace vex
