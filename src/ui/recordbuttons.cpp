// The record buttons: they move through the list in view, not through the search results.
// Each takes the "Sync" mark away, as the shown record need no longer be the grid's; the
// display keeps following the grid, so the next move of the grid's row shows its record again.
#include "ui/mainwindow.h"

namespace vex {

void MainWindow::btnFirstClick() {
    SetStatusPanel(StatusPanel::Sync, QString());
    ShowRecord(0);
}

void MainWindow::btnPriorClick() {
    SetStatusPanel(StatusPanel::Sync, QString());
    ShowRecord(CurrentIndex() > 0 ? CurrentIndex() - 1 : CurrentIndex());
}

void MainWindow::btnNextClick() {
    SetStatusPanel(StatusPanel::Sync, QString());
    ShowRecord(CurrentIndex() < data().current.size() - 1 ? CurrentIndex() + 1 : CurrentIndex());
}

void MainWindow::btnLastClick() {
    SetStatusPanel(StatusPanel::Sync, QString());
    // An empty list leaves the index at 0, never below.
    ShowRecord(qMax(0, int(data().current.size()) - 1));
}

}  // namespace vex
