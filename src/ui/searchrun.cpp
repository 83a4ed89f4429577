// The search run in the window: the hourglass, the disabled buttons, the detached grid, the
// window kept responsive between the steps of the run, and the ESC pause.
#include <QApplication>
#include <QElapsedTimer>
#include <QLabel>
#include <QPushButton>
#include <QTableView>

#include "base/dialogs.h"
#include "desktop/captions.h"
#include "search/resulttable.h"
#include "search/searchengine.h"
#include "search/searchmessages.h"
#include "ui/esckey.h"
#include "ui/mainwindow.h"
#include "ui/resultgrid.h"
#include "ui/statustexts.h"

namespace vex {

namespace {

// The window's part of a run: pending events at most every 20 ms and after the last call,
// then a look at the ESC key; the ESC label follows the run. A call still searching a long
// stretch without hits tells the hook every few milliseconds, so the window is kept
// responsive there too.
class WindowRunHook : public SearchRunHook {
public:
    explicit WindowRunHook(MainWindow& window) : w_(window) { sinceEvents_.start(); }

    void rejected(const Message& message) override { w_.dialogs().show(message); }

    void hundredRows() override { w_.ui().lblSearchESC->show(); }

    StepAnswer afterStep(const RunStep& step) override {
        if (step.hit < 0) {
            w_.ui().lblSearchESC->hide();
        }
        return eventsAndEsc(step);
    }

    StepAnswer searching(const RunStep& step) override { return eventsAndEsc(step); }

private:
    StepAnswer eventsAndEsc(const RunStep& step) {
        if (slice_.due(step)) {
            RunStats& stats = w_.windowState().lastRun;
            ++stats.eventRounds;
            stats.longestEventGapMs = qMax(stats.longestEventGapMs, sinceEvents_.elapsed());
            QCoreApplication::processEvents(QEventLoop::AllEvents);
            sinceEvents_.restart();  // the stretch without events begins when they are done
        }
        // Key and close requests only change while events are processed; looking at them
        // after every step costs nothing.
        if (w_.windowState().closeRequested) {
            return StepAnswer::Abort;
        }
        if (!w_.escKey().takePress()) {
            return StepAnswer::Continue;
        }
        QLabel* label = w_.ui().lblSearchESC;
        SetLabelCaption(label, SearchPausedText());
        label->show();
        const MessageButton answer = w_.dialogs().show(AbortSearchQuestion());
        w_.escKey().forget();
        if (answer == ButtonYes) {
            SetLabelCaption(label, SearchAbortedText());
            label->show();
            return StepAnswer::Abort;
        }
        SetLabelCaption(label, QString(), kSearchTimeWhat);
        return StepAnswer::ContinueAfterPause;
    }

    MainWindow& w_;
    EventSlice slice_;
    QElapsedTimer sinceEvents_;
};

}  // namespace

RunStatus MainWindow::RunSearch() {
    if (state_.runInProgress) {
        return RunStatus::Completed;  // never two runs at once
    }
    state_.runInProgress = true;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const bool primary = data_.isPrimaryInUse();
    ApplyGridColours(ui_.DBGrid1, GridColoursFor(primary ? GridColourScheme::Primary
                                                         : GridColourScheme::Secondary));
    SetLabelCaption(ui_.lblSearchESC, SearchEscHintText());
    ui_.lblSearchESC->hide();
    ShowAppliedSearchString(state_.searchInput);
    // Disabling the focused button would pass the focus on to the grid, as if the user had
    // entered it; the focus is put back on the button at the end.
    if (ui_.btnSearch->hasFocus()) {
        ui_.btnSearch->clearFocus();
    }
    ui_.btnSearch->setEnabled(false);
    ui_.btnListSelect->setEnabled(false);
    ui_.btnAlternateDatalist->setEnabled(false);
    state_.resultsFound = false;
    results_->clear();
    DetachResultTable();
    esc_->clearPress();
    state_.lastRun = RunStats{};

    WindowRunHook hook(*this);
    const RunOutcome run =
        engine_->run(data_.current, state_.searchInput, state_.operatorCount,
                     SearchOptions{state_.freeTextOption, state_.commentsOption}, *results_, hook);

    state_.resultsFound = run.resultsFound;
    state_.searchInput = run.searchInput;
    ShowAppliedSearchString(state_.searchInput);
    ui_.btnSearch->setEnabled(true);
    if (!state_.closeRequested) {
        ui_.btnSearch->setFocus();
    }
    ui_.btnListSelect->setEnabled(!data_.shortList.isEmpty());
    ui_.btnAlternateDatalist->setEnabled(!data_.primaryDataFile.isEmpty() &&
                                         !data_.secondaryDataFile.isEmpty());
    if (run.paused) {
        state_.lastSearchTime = -1;
    } else {
        state_.lastSearchTime = run.lastSearchTime;
        SetLabelCaption(ui_.lblSearchESC, ElapsedTimeText(run.lastSearchTime), kSearchTimeWhat);
        ui_.lblSearchESC->show();
    }
    program_.memory(primary).searchTime = state_.lastSearchTime;
    AttachResultTable();
    SetGridColumnWidths(ui_.DBGrid1, scale_);
    QApplication::restoreOverrideCursor();
    state_.runInProgress = false;
    return run.status;
}

void MainWindow::ShowAppliedSearchString(const QString& text) {
    SetLabelCaption(ui_.lblSearchString, AppliedSearchStringCaption(text));
}

}  // namespace vex
