#pragma once

#include <QList>
#include <QObject>
#include <QStringList>

#include <functional>
#include <memory>

#include "search/searchengine.h"

namespace vex {

class Dialogs;
class EscKeyTracker;
class ResultTable;

// How the last search run kept the window responsive (for tests and measurements).
struct RunStats {
    int eventRounds = 0;           // times pending events were processed
    qint64 longestEventGapMs = 0;  // longest stretch without processing events
};

// What the ESC label below the grid is to show during a run, in the order a run reaches them.
enum class EscLabelState {
    Hint,       // the run begins: the hint that ESC interrupts it, not visible yet
    HintShown,  // the run has found 100 rows: the hint becomes visible
    Hidden,     // no further hit (or a rejected string): the label is hidden
    Paused,     // ESC was noticed: the pause, visible while the question is open
    GoingOn,    // the user goes on: the label is emptied, its visibility kept
    Aborted,    // the user aborts: the abort, visible
};

// The search run of the window: the search engine with the indexes of the lists, whether a run
// is going on, the ESC key and the pause question it leads to, and the pacing that keeps the
// window responsive (pending events at most every 20 ms and after the last step). It tells the
// window what the ESC label is to show; the rest of the window (buttons, grid, the time of the
// run) is the window's.
class SearchRunner : public QObject {
public:
    // showEsc: where the run reports what the ESC label is to show.
    SearchRunner(Dialogs& dialogs, std::function<void(EscLabelState)> showEsc);
    ~SearchRunner() override;

    bool running() const { return running_; }
    // The window is closing: a run going on stops at its next step.
    void stopForClose();
    bool stoppedForClose() const { return closeRequested_; }

    // Searches the list into the table (which the engine empties first). A rejected search
    // string shows its warning. Never two runs at once: the window asks running() first.
    RunOutcome run(const QStringList& list, const QString& searchInput, int operatorCount,
                   const SearchOptions& options, ResultTable& results);
    const RunStats& lastRun() const { return lastRun_; }

    // Builds the indexes of the lists ahead of the first search on them, once the window is
    // idle: slices of about 8 ms, one per turn of the event loop, so that the window goes on
    // processing events meanwhile; on a list of a million records the whole build takes about
    // a second. lists gives the lists the user can search at that moment. A run started
    // before the warm-up is done builds the rest of its list's index itself, also in slices.
    void warmUpIndexes(std::function<QList<const QStringList*>()> lists);
    // Every list the warm-up was given has its index.
    bool indexesWarm() const { return indexesWarm_; }

private:
    class Hook;
    void warmNextIndex();

    Dialogs& dialogs_;
    std::function<void(EscLabelState)> showEsc_;
    std::unique_ptr<SearchEngine> engine_;
    EscKeyTracker* esc_;
    bool running_ = false;
    bool closeRequested_ = false;
    RunStats lastRun_;
    std::function<QList<const QStringList*>()> warmUpLists_;
    QList<const QString*> warmed_;  // lists whose index has been built ahead
    bool indexesWarm_ = false;
};

}  // namespace vex
