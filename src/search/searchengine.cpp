#include "search/searchengine.h"

#include "search/matcher.h"
#include "search/resulttable.h"

#include <QElapsedTimer>

#include <algorithm>
#include <limits>

namespace vex {

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
    Matcher matcher(items, options, items.isEmpty() ? nullptr : indexes_.indexFor(items));
    const qsizetype count = items.size();
    for (qsizetype p = 0; p >= 0 && p < count;) {
        const MatchResult match = matcher.next(p, result.searchInput, operatorCount);
        const qsizetype h = match.position;
        if (h >= 0) {
            if (AddResultRow(table, items.at(h))) {
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
        const RunStep step{h, table.count(), h < 0 || h + 1 >= count, timer.elapsed()};
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
