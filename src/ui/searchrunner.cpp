#include "ui/searchrunner.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTimer>

#include <chrono>

#include "base/dialogs.h"
#include "search/resulttable.h"
#include "search/searchmessages.h"
#include "ui/esckey.h"

namespace vex {

namespace {

constexpr std::chrono::nanoseconds kWarmUpSlice = std::chrono::milliseconds(8);
constexpr int kWarmUpStartMs = 50;

}  // namespace

// The window's part of a run: pending events at most every 20 ms and after the last call,
// then a look at the ESC key; the ESC label follows the run. A call still searching a long
// stretch without hits tells the hook every few milliseconds, so the window is kept
// responsive there too.
class SearchRunner::Hook : public SearchRunHook {
public:
    explicit Hook(SearchRunner& runner) : r_(runner) { sinceEvents_.start(); }

    void rejected(const Message& message) override { r_.dialogs_.show(message); }

    void hundredRows() override { r_.showEsc_(EscLabelState::HintShown); }

    StepAnswer afterStep(const RunStep& step) override {
        if (step.hit < 0) {
            r_.showEsc_(EscLabelState::Hidden);
        }
        return eventsAndEsc(step);
    }

    StepAnswer searching(const RunStep& step) override { return eventsAndEsc(step); }

private:
    StepAnswer eventsAndEsc(const RunStep& step) {
        if (slice_.due(step)) {
            RunStats& stats = r_.lastRun_;
            ++stats.eventRounds;
            stats.longestEventGapMs = qMax(stats.longestEventGapMs, sinceEvents_.elapsed());
            QCoreApplication::processEvents(QEventLoop::AllEvents);
            sinceEvents_.restart();  // the stretch without events begins when they are done
        }
        // Key and close requests only change while events are processed; looking at them
        // after every step costs nothing.
        if (r_.closeRequested_) {
            return StepAnswer::Abort;
        }
        if (!r_.esc_->takePress()) {
            return StepAnswer::Continue;
        }
        r_.showEsc_(EscLabelState::Paused);
        const MessageButton answer = r_.dialogs_.show(AbortSearchQuestion());
        r_.esc_->forget();
        if (answer == ButtonYes) {
            r_.showEsc_(EscLabelState::Aborted);
            return StepAnswer::Abort;
        }
        r_.showEsc_(EscLabelState::GoingOn);
        return StepAnswer::ContinueAfterPause;
    }

    SearchRunner& r_;
    EventSlice slice_;
    QElapsedTimer sinceEvents_;
};

SearchRunner::SearchRunner(Dialogs& dialogs, std::function<void(EscLabelState)> showEsc)
    : dialogs_(dialogs),
      showEsc_(std::move(showEsc)),
      engine_(std::make_unique<SearchEngine>()),
      esc_(new EscKeyTracker(this)) {
    qApp->installEventFilter(esc_);
}

SearchRunner::~SearchRunner() {
    qApp->removeEventFilter(esc_);
}

void SearchRunner::stopForClose() {
    if (running_) {
        closeRequested_ = true;
    }
}

RunOutcome SearchRunner::run(const QStringList& list, const QString& searchInput, int operatorCount,
                             const SearchOptions& options, ResultTable& results) {
    running_ = true;
    showEsc_(EscLabelState::Hint);
    esc_->clearPress();
    lastRun_ = RunStats{};
    Hook hook(*this);
    const RunOutcome outcome =
        engine_->run(list, searchInput, operatorCount, options, results, hook);
    running_ = false;
    return outcome;
}

void SearchRunner::warmUpIndexes(std::function<QList<const QStringList*>()> lists) {
    warmUpLists_ = std::move(lists);
    indexesWarm_ = false;
    // A moment after the show, so that laying out and painting the window come first.
    QTimer::singleShot(kWarmUpStartMs, this, [this] { warmNextIndex(); });
}

void SearchRunner::warmNextIndex() {
    QList<const QString*> seen;
    for (const QStringList* list : warmUpLists_()) {
        if (list->isEmpty() || seen.contains(list->constData())) {
            continue;
        }
        seen.append(list->constData());
        if (warmed_.contains(list->constData())) {
            continue;
        }
        if (running_) {
            // The run builds what it needs; look again once it is over.
            QTimer::singleShot(100, this, [this] { warmNextIndex(); });
            return;
        }
        if (engine_->buildIndexStep(*list, kWarmUpSlice)) {
            warmed_.append(list->constData());
        }
        QTimer::singleShot(0, this, [this] { warmNextIndex(); });  // the next slice, next turn
        return;
    }
    indexesWarm_ = true;
}

}  // namespace vex
