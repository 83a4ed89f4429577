// The list button and the file switch: the list views change the list in view or the file in
// use; the window shows what they give, the record, and searches again.
#include <QCheckBox>
#include <QLabel>
#include <QPushButton>

#include "base/dialogs.h"
#include "desktop/captions.h"
#include "search/resulttable.h"
#include "ui/listviews.h"
#include "ui/mainwindow.h"
#include "ui/searchrunner.h"

namespace vex {

void MainWindow::ShowListView(const ListViewShown& shown) {
    SetButtonCaption(ui_.btnListSelect, shown.listButtonCaption);
    ui_.imgShortList->setVisible(shown.shortListPicture);
    ui_.imgExtendedList->setVisible(shown.extendedListPicture);
    SetStatusPanel(StatusPanel::ListSelection, shown.listPanel);
    ui_.chkKorteListe->setVisible(shown.shortListBox);
    if (shown.sourceFilePanel) {
        SetStatusPanel(StatusPanel::SourceFile, *shown.sourceFilePanel);
    }
}

void MainWindow::ShowResultTitles() {
    results_->setHeaders(data().fieldNames[Column::Code], data().fieldNames[Column::Text]);
}

void MainWindow::btnListSelectClick() {
    if (search_->running()) {
        return;
    }
    state_.gridFollow = false;
    const std::optional<ListViewShown> shown = lists_.toggle();
    if (!shown) {
        dialogs_.show(NoShortListMessage());
        return;
    }
    ShowListView(*shown);
    ShowCurrentRecord();
    ui_.btnSearch->setFocus();
    RerunSearch();
}

void MainWindow::btnAlternateDatalistClick() {
    if (search_->running() || !ui_.btnAlternateDatalist->isEnabled()) {
        return;
    }
    state_.gridFollow = false;
    ShowListView(lists_.switchFile());
    ApplyFieldNames();
    ShowCurrentRecord();
    SetStatusPanel(StatusPanel::Sync, QString());
    RerunSearch();
    ShowResultTitles();
}

}  // namespace vex
