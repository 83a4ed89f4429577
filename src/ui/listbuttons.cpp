// The list button and the file switch: the list views change the list in view or the file in
// use; the window then shows the record and searches again.
#include <QPushButton>

#include "search/resulttable.h"
#include "ui/listviews.h"
#include "ui/mainwindow.h"
#include "ui/searchrunner.h"

namespace vex {

void MainWindow::btnListSelectClick() {
    if (search_->running()) {
        return;
    }
    state_.gridFollow = false;
    state_.currentIndex = qMax(state_.currentIndex, 0);
    const std::optional<int> index = lists_.toggle(state_.currentIndex);
    if (!index) {
        return;
    }
    state_.currentIndex = *index;
    ShowCurrentRecord();
    ui_.btnSearch->setFocus();
    RerunSearch();
}

void MainWindow::btnAlternateDatalistClick() {
    if (search_->running() || !ui_.btnAlternateDatalist->isEnabled()) {
        return;
    }
    state_.gridFollow = false;
    const ListMemory& entering = lists_.switchFile(state_.searchInput, state_.currentIndex);
    ApplyFieldNames();
    ShowRememberedRecord(entering);
    SetStatusPanel(StatusPanel::Sync, QString());
    RerunSearch();
    results_->setHeaders(data().fieldNames[Column::Code], data().fieldNames[Column::Text]);
}

}  // namespace vex
