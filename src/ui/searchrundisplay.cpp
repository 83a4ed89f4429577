// The search run as the window shows it: the hourglass, the disabled buttons, the detached
// grid, the applied search string and the time of the run. The run itself (events between its
// steps, the ESC pause) is the search runner's.
#include <QApplication>
#include <QCheckBox>
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
    ApplyGridColours(ui_.DBGrid1,
                     GridColoursFor(data().isPrimaryInUse() ? GridColourScheme::Primary
                                                            : GridColourScheme::Secondary));
    ShowAppliedSearchString(SearchInput());
    // What starts a search is disabled while this one runs: the three buttons, and the two
    // option boxes, so that neither a click nor an accelerator changes a box the run searches
    // with, and the boxes look so. Disabling the focused control would pass the focus on to
    // the grid, as if the user had entered it; the focus is put back on the Search button at
    // the end.
    QList<QWidget*> starters{ui_.btnSearch, ui_.btnListSelect, ui_.btnAlternateDatalist};
    for (const OptionBox& box : kOptionBoxes) {
        starters << ui_.*box.box;
    }
    for (QWidget* starter : std::as_const(starters)) {
        if (starter->hasFocus()) {
            starter->clearFocus();
        }
        starter->setEnabled(false);
    }
    state_.resultsFound = false;
    results_->clear();

    const RunOutcome run = search_->run(data().current, SearchInput(), state_.operatorCount,
                                        state_.options, *results_);

    state_.resultsFound = run.resultsFound;
    lists_.keepSearchInput(run.searchInput);
    ShowAppliedSearchString(SearchInput());
    ui_.btnSearch->setEnabled(true);
    for (const OptionBox& box : kOptionBoxes) {
        (ui_.*box.box)->setEnabled(true);
    }
    if (!search_->stoppedForClose()) {
        ui_.btnSearch->setFocus();
    }
    ui_.btnListSelect->setEnabled(!data().shortList.isEmpty());
    ui_.btnAlternateDatalist->setEnabled(!data().primaryDataFile.isEmpty() &&
                                         !data().secondaryDataFile.isEmpty());
    // A run that ESC paused or the window's close cut off keeps no time.
    if (run.paused || search_->stoppedForClose()) {
        lists_.keepSearchTime(-1);
    } else {
        lists_.keepSearchTime(run.lastSearchTime);
        SetLabelCaption(ui_.lblSearchESC, ElapsedTimeText(run.lastSearchTime), kSearchTimeWhat);
        ui_.lblSearchESC->show();
    }
    AttachResultTable();
    SetGridColumnWidths(ui_.DBGrid1, scale_);
    QApplication::restoreOverrideCursor();
    return run.status;
}

void MainWindow::ShowEscLabel(EscLabelState state) {
    QLabel* label = ui_.lblSearchESC;
    switch (state) {
        case EscLabelState::Hint:
            SetLabelCaption(label, SearchEscHintText());
            label->hide();
            break;
        case EscLabelState::HintShown:
            label->show();
            break;
        case EscLabelState::Hidden:
            label->hide();
            break;
        case EscLabelState::Paused:
            SetLabelCaption(label, SearchPausedText());
            label->show();
            break;
        case EscLabelState::GoingOn:
            SetLabelCaption(label, QString(), kSearchTimeWhat);
            break;
        case EscLabelState::Aborted:
            SetLabelCaption(label, SearchAbortedText());
            label->show();
            break;
    }
}

void MainWindow::ShowAppliedSearchString(const QString& text) {
    SetLabelCaption(ui_.lblSearchString, AppliedSearchStringCaption(text));
}

}  // namespace vex
