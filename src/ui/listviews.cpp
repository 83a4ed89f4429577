// The short and the extended list of the file in use, and the switch between the two files.
#include <QCheckBox>
#include <QLabel>
#include <QPushButton>

#include "base/dialogs.h"
#include "data/record.h"
#include "desktop/captions.h"
#include "search/resulttable.h"
#include "ui/mainwindow.h"
#include "ui/searchrunner.h"
#include "ui/statustexts.h"

namespace vex {

namespace {

// The index of the first item that begins with the code text; 0 when none does (an empty code
// text matches nothing).
int IndexOfCode(const QStringList& list, const QString& code) {
    if (code.isEmpty()) {
        return 0;
    }
    for (qsizetype i = 0; i < list.size(); ++i) {
        if (list.at(i).startsWith(code)) {
            return int(i);
        }
    }
    return 0;
}

}  // namespace

void MainWindow::SetUpShortView() {
    data_.current = data_.shortList;
    SetButtonCaption(ui_.btnListSelect, QStringLiteral("Kort/&Udvidet"));
    ui_.imgShortList->show();
    ui_.imgExtendedList->hide();
    SetStatusPanel(StatusPanel::ListSelection, ListPanelText(false));
    ui_.chkKorteListe->hide();
}

void MainWindow::SetUpExtendedView() {
    data_.current = data_.extended;
    SetButtonCaption(ui_.btnListSelect, QStringLiteral("&Kort/Udvidet"));
    ui_.imgShortList->hide();
    ui_.imgExtendedList->show();
    SetStatusPanel(StatusPanel::ListSelection, ListPanelText(true));
    ui_.chkKorteListe->show();
}

void MainWindow::SetUpViewOfFlag() {
    if (state_.currentExtendedView != ListView::Extended && !data_.shortList.isEmpty()) {
        SetUpShortView();
    } else {
        SetUpExtendedView();
    }
}

void MainWindow::SetSourceFilePanel() {
    SetStatusPanel(StatusPanel::SourceFile,
                   SourceFilePanelText(data_.currentDataFile, data_.info.releaseDate));
}

void MainWindow::btnListSelectClick() {
    if (search_->running()) {
        return;
    }
    state_.gridFollow = false;
    if (state_.currentIndex < 0) {
        state_.currentIndex = 0;
    }
    QString code;
    if (state_.currentIndex < data_.current.size()) {
        const QString& line = data_.current.at(state_.currentIndex);
        const qsizetype tab = line.indexOf(QLatin1Char('\t'));
        code = tab >= 0 ? line.left(tab) : QString();
    }
    if (data_.shortList.isEmpty()) {
        BuildShortList(data_.extended, data_.shortList);
    }
    if (data_.shortList.isEmpty()) {
        dialogs_.show(MessageKind::Information, ButtonOk,
                      {QString(), QStringLiteral("Ingen markeringer for ") + kShortListName +
                                      QStringLiteral(" udtræk.")});
        return;
    }
    if (state_.currentExtendedView == ListView::Extended) {
        SetUpShortView();
        state_.currentExtendedView = ListView::Short;
    } else {
        SetUpExtendedView();
        state_.currentExtendedView = ListView::Extended;
    }
    ListMemory& memory = program_.memory(data_.isPrimaryInUse());
    memory.extendedView = state_.currentExtendedView;
    state_.currentIndex = IndexOfCode(data_.current, code);
    ShowCurrentRecord();
    memory.indexPointer = state_.currentIndex;
    ui_.btnSearch->setFocus();
    RerunSearch();
}

void MainWindow::btnAlternateDatalistClick() {
    if (search_->running() || !ui_.btnAlternateDatalist->isEnabled()) {
        return;
    }
    state_.gridFollow = false;
    const bool leavingPrimary = data_.isPrimaryInUse();
    ListMemory& leaving = program_.memory(leavingPrimary);
    leaving.lastSearchInput = state_.searchInput;
    leaving.extendedView = state_.currentExtendedView;
    leaving.indexPointer = state_.currentIndex;

    MakeFileCurrent(data_, leavingPrimary ? DataFileRole::Secondary : DataFileRole::Primary);
    ApplyFieldNames();
    ListMemory& entering = program_.memory(!leavingPrimary);
    if (data_.shortList.isEmpty()) {
        entering.extendedView = ListView::Extended;
    }
    state_.currentExtendedView = entering.extendedView;
    state_.currentIndex = entering.indexPointer;
    state_.searchInput = entering.lastSearchInput;

    if (state_.currentExtendedView == ListView::Extended) {
        SetUpExtendedView();
    } else {
        SetUpShortView();
    }
    if (state_.currentIndex < 0 || state_.currentIndex >= data_.current.size()) {
        state_.currentIndex = 0;
    }
    ShowCurrentRecord();
    SetStatusPanel(StatusPanel::Sync, QString());
    SetSourceFilePanel();
    RerunSearch();
    results_->setHeaders(data_.fieldNames[0], data_.fieldNames[2]);
}

}  // namespace vex
