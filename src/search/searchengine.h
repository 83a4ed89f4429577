#pragma once

#include "base/dialogs.h"
#include "search/runpacing.h"
#include "search/searchindex.h"
#include "search/searchtext.h"

#include <QString>
#include <QStringList>

#include <chrono>
#include <memory>

namespace vex {

class ResultTable;

// What the run tells its hook after each FindNextMatch call, and while a call is still
// searching.
struct RunStep {
    qsizetype hit = -1;      // the call's answer: a position, or MatchResult's kNoHit or kRejected
    int rows = 0;            // rows in the result table now
    bool last = false;       // the run ends after this step unless the hook aborts it
    qint64 elapsedMs = 0;    // since the start of the run, from a monotonic clock
    qsizetype reached = -1;  // while searching: no hit before this position so far
};

// The hook's answer after a step.
enum class StepAnswer {
    Continue,            // go on
    ContinueAfterPause,  // ESC was noticed and the user chose to go on: the time is not kept
    Abort,               // ESC was noticed and the user chose to abort
};

// The window's part of a run: between two calls it processes pending events and reads ESC.
class SearchRunHook {
public:
    virtual ~SearchRunHook() = default;
    // A rejected search string: its warning, shown before the step is reported.
    virtual void rejected(const Message& message) { Q_UNUSED(message) }
    // The result table has just reached 100 rows: the ESC hint becomes visible.
    virtual void hundredRows() {}
    // After every call, the last one included.
    virtual StepAnswer afterStep(const RunStep& step) = 0;
    // While a call is still searching (a long stretch of records without a hit, or the index
    // of the list still being built), every few milliseconds: no hit before step.reached yet.
    // Lets the window process events and notice ESC in between.
    virtual StepAnswer searching(const RunStep& step) {
        Q_UNUSED(step)
        return StepAnswer::Continue;
    }
};

// Tells when events are due during a run: at most once per interval, and after the last call.
class EventSlice {
public:
    explicit EventSlice(qint64 intervalMs = 20) : interval_(intervalMs), next_(intervalMs) {}
    bool due(const RunStep& step) {
        if (!step.last && step.elapsedMs < next_) {
            return false;
        }
        next_ = step.elapsedMs + interval_;
        return true;
    }

private:
    qint64 interval_;
    qint64 next_;
};

// How a run ended.
enum class RunStatus {
    Completed,  // the list was searched to its end
    Rejected,   // the search string was rejected; its warning has been shown
    Aborted,    // the user aborted the run
};

// The outcome of a run.
struct RunOutcome {
    RunStatus status = RunStatus::Completed;
    bool resultsFound = false;   // the table holds at least one row
    bool paused = false;         // ESC was pressed during the run
    double lastSearchTime = -1;  // seconds the run took; -1 when ESC was pressed
    QString searchInput;         // the search string as the run left it (to show as applied)
};

// Runs a search over a record list into the result table, independent of any window: the
// FindNextMatch loop with the window's hook between calls, the time it took, and whether
// anything was found. Keeps the indexes of the lists it searched for the next runs.
//
// No call looks at more than a few milliseconds' worth of records at once: a call that has
// found nothing yet tells the hook it is still searching and goes on where it stopped. An
// index not yet complete is built further in slices of a few milliseconds during the run,
// with the hook told in between. The hits, the applied string and a rejection are those of
// the plain FindNextMatch loop.
class SearchEngine {
public:
    RunOutcome run(const QStringList& list, const QString& searchInput, int operatorCount,
                   const SearchOptions& options, ResultTable& table, SearchRunHook& hook);

    // The index of a list, complete (what is missing is built at once).
    std::shared_ptr<const SearchIndex> indexFor(const QStringList& list) {
        return indexes_.indexFor(list);
    }

    // Builds a further piece of the index of a list, for about the budget; true once the
    // index is complete. Lets the window build indexes ahead while it is idle.
    bool buildIndexStep(const QStringList& list, std::chrono::nanoseconds budget) {
        return list.isEmpty() || indexes_.entryFor(list)->buildStep(budget);
    }

    // The most records one call looks at before it tells the hook that it is still
    // searching (at least 1); below that the run sizes its windows by time.
    void setWindowLimit(qsizetype records) { windowLimit_ = records; }

private:
    SearchIndexCache indexes_;
    qsizetype windowLimit_ = WindowPacer::kMax;
};

}  // namespace vex
