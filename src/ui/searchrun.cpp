// The search run as the window shows it: the hourglass, the disabled buttons, the detached
// grid, the applied search string and the time of the run. The run itself (events between its
// steps, the ESC pause) is the search runner's.
#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QTableView>

#include "base/dialogs.h"
#include "desktop/captions.h"
#include "search/resulttable.h"
#include "search/searchmessages.h"
#include "ui/mainwindow.h"
#include "ui/resultgrid.h"
#include "ui/searchrunner.h"
#include "ui/statustexts.h"

namespace vex {

RunStatus MainWindow::RunSearch() {
    if (search_->running()) {
        return RunStatus::Completed;  // never two runs at once
    }
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const bool primary = data().isPrimaryInUse();
    ApplyGridColours(ui_.DBGrid1, GridColoursFor(primary ? GridColourScheme::Primary
                                                         : GridColourScheme::Secondary));
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

    const RunOutcome run =
        search_->run(data().current, state_.searchInput, state_.operatorCount,
                     SearchOptions{state_.freeTextOption, state_.commentsOption}, *results_);

    state_.resultsFound = run.resultsFound;
    state_.searchInput = run.searchInput;
    ShowAppliedSearchString(state_.searchInput);
    ui_.btnSearch->setEnabled(true);
    if (!search_->stoppedForClose()) {
        ui_.btnSearch->setFocus();
    }
    ui_.btnListSelect->setEnabled(!data().shortList.isEmpty());
    ui_.btnAlternateDatalist->setEnabled(!data().primaryDataFile.isEmpty() &&
                                         !data().secondaryDataFile.isEmpty());
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
    return run.status;
}

void MainWindow::ShowAppliedSearchString(const QString& text) {
    SetLabelCaption(ui_.lblSearchString, AppliedSearchStringCaption(text));
}

}  // namespace vex
