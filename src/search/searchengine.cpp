#include "search/searchengine.h"

#include "search/matcher.h"
#include "search/resulttable.h"

#include <QElapsedTimer>

#include <algorithm>

namespace vex {

namespace {

// A slice of index building during a run: the hook is told after each.
constexpr std::chrono::nanoseconds kRunBuildSlice = std::chrono::milliseconds(3);

// A step that looked at more records than this reads the clock whatever the steps before it
// cost.
constexpr qsizetype kQuickStepRecords = 256;

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
    const std::shared_ptr<SearchIndex> index = items.isEmpty() ? nullptr : indexes_.entryFor(items);
    Matcher matcher(items, options, index);
    const qsizetype count = items.size();
    RunClock clock(timer);
    WindowPacer pacer(windowLimit_);
    bool validated = false;                // the first call has validated and rewritten the string
    qint64 windowStartNs = clock.nowNs();  // -1: the current window began after a hit

    // Tells the hook that the call is still searching; false when the user aborted.
    const auto stillSearching = [&](qsizetype reached, qint64 nowNs) {
        const RunStep step{-1, table.count(), false, nowNs / 1'000'000, reached};
        const StepAnswer answer = hook.searching(step);
        if (answer != StepAnswer::Continue) {
            result.paused = true;
        }
        if (answer == StepAnswer::Abort) {
            result.status = RunStatus::Aborted;
            return false;
        }
        windowStartNs = clock.nowNs();
        return true;
    };

    // The calls of one window share its end, so that what a term's scan has seen up to that
    // end serves every call of the window.
    qsizetype windowEnd = 0;
    bool indexComplete = false;
    for (qsizetype p = 0; p >= 0 && p < count;) {
        if (p >= windowEnd) {
            windowEnd = std::min(count, p + pacer.size());
        }
        qsizetype end = windowEnd;
        if (!indexComplete && index) {
            if (validated && index->built() <= p) {
                // A list whose index is done within the slice is searched on without a report.
                if (index->buildStep(kRunBuildSlice)) {
                    windowStartNs = clock.nowNs();
                } else if (!stillSearching(p, clock.nowNs())) {
                    break;
                }
                continue;
            }
            // Only what is built is searched; before the first call the window may be empty,
            // which validates the string without looking at a record.
            end = std::min(end, index->built());
            indexComplete = index->complete();
        }
        const MatchResult match = matcher.next(p, end, result.searchInput, operatorCount);
        validated = true;
        if (match.searching()) {
            if (match.resumeAt == p) {
                continue;  // nothing looked at yet: the index is built first
            }
            const qint64 nowNs = clock.nowNs();
            if (windowStartNs >= 0) {
                pacer.measured(match.resumeAt - p, nowNs - windowStartNs);
            }
            p = match.resumeAt;
            if (!stillSearching(p, nowNs)) {
                break;
            }
            continue;
        }
        windowStartNs = -1;
        const qsizetype h = match.position;
        const bool longStep = (h >= 0 ? h : end) - p > kQuickStepRecords;
        if (h >= 0) {
            if (h < index->built()) {
                table.appendRecord(items, h, index->rowRanges(h));
            } else {
                table.appendRecord(items, h);
            }
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
        result.status = match.rejected() ? RunStatus::Rejected : RunStatus::Completed;
        const bool last = h < 0 || h + 1 >= count;
        const RunStep step{h, table.count(), last, clock.stepMs(last || longStep)};
        const StepAnswer answer = hook.afterStep(step);
        if (answer != StepAnswer::Continue) {
            result.paused = true;
        }
        if (answer == StepAnswer::Abort) {
            result.status = RunStatus::Aborted;
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
