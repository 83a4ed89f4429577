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
    if (!lists_.toggle()) {
        return;
    }
    ShowCurrentRecord();
    ui_.btnSearch->setFocus();
    RerunSearch();
}

void MainWindow::btnAlternateDatalistClick() {
    if (search_->running() || !ui_.btnAlternateDatalist->isEnabled()) {
        return;
    }
    state_.gridFollow = false;
    lists_.switchFile();
    ApplyFieldNames();
    ShowCurrentRecord();
    SetStatusPanel(StatusPanel::Sync, QString());
    RerunSearch();
    results_->setHeaders(data().fieldNames[Column::Code], data().fieldNames[Column::Text]);
}

}  // namespace vex
