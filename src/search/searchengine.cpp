#include "search/searchengine.h"

#include "search/matcher.h"
#include "search/resulttable.h"

#include <QElapsedTimer>

#include <algorithm>
#include <limits>

namespace vex {

namespace {

// The time since the start of the run for each step. Reading the clock costs as much as a
// quick step; while steps come fast it is read only every few steps (at most 16, and only
// while those steps took less than a millisecond together), and always at the last step.
class StepClock {
public:
    explicit StepClock(const QElapsedTimer& timer) : timer_(timer) {}

    qint64 elapsedMs(bool last) {
        if (++sinceRead_ < readEvery_ && !last) {
            return lastRead_;
        }
        const qint64 now = timer_.elapsed();
        readEvery_ = now - lastRead_ < 1 ? std::min(readEvery_ * 2, 16) : 1;
        lastRead_ = now;
        sinceRead_ = 0;
        return now;
    }

private:
    const QElapsedTimer& timer_;
    qint64 lastRead_ = 0;
    int readEvery_ = 1;
    int sinceRead_ = 0;
};

}  // namespace

RunOutcome SearchEngine::run(const QStringList& list, const QString& searchInput, int operatorCount,
                             const SearchOptions& options, ResultTable& table,
                             SearchRunHook& hook) {
    QElapsedTimer timer;
    timer.start();
    RunOutcome result;
    result.searchInput = searchInput;

    table.clear();
    table.beginBatch();
    const QStringList items = list;  // the run searches the list as it was when it started
    const auto index = items.isEmpty() ? nullptr : indexes_.indexFor(items);
    Matcher matcher(items, options, index);
    const qsizetype count = items.size();
    StepClock stepClock(timer);
    for (qsizetype p = 0; p >= 0 && p < count;) {
        const MatchResult match = matcher.next(p, result.searchInput, operatorCount);
        const qsizetype h = match.position;
        if (h >= 0) {
            table.appendRecord(items, h, index->rowRanges(h));
            if (table.count() == 100) {
                hook.hundredRows();
            }
            p = h + 1;
        } else {
            p = h;
            if (match.message) {
                hook.rejected(*match.message);
            }
        }
        result.outcome = int(std::min<qsizetype>(h, std::numeric_limits<int>::max()));
        const bool last = h < 0 || h + 1 >= count;
        const RunStep step{h, table.count(), last, stepClock.elapsedMs(last)};
        const StepAnswer answer = hook.afterStep(step);
        if (answer != StepAnswer::Continue) {
            result.paused = true;
        }
        if (answer == StepAnswer::Abort) {
            result.outcome = -3;
            break;
        }
    }
    table.endBatch();

    result.resultsFound = table.count() > 0;
    if (result.resultsFound) {
        table.first();
    }
    result.lastSearchTime = result.paused ? -1.0 : double(timer.nsecsElapsed()) / 1e9;
    return result;
}

}  // namespace vex
