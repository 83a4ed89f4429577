// How the start-up sets the window up: its captions and looks, the remembered options, the
// loaded data lists and the first view of the file in use.
#include <QCheckBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableView>

#include "desktop/captions.h"
#include "desktop/programversion.h"
#include "ui/mainwindow.h"
#include "ui/resultgrid.h"
#include "ui/statustexts.h"

namespace vex {

void MainWindow::SetCaptions() {
    setWindowTitle(kWindowCaption);
    SetLabelCaption(ui_.lblVersion, QStringLiteral("v. ") + FileVersionText(2) + QLatin1Char(' '),
                    kVersionWhat);
}

void MainWindow::ApplyGridTheme() {
    SetGridThemed(ui_.DBGrid1, program_.settings.dbGridWinTheme);
}

void MainWindow::SetSearchOptions(const SearchOptions& options) {
    state_.options = options;
}

void MainWindow::RememberListValues(const ListMemory& list1, const ListMemory& list2) {
    lists_.remember(list1, list2);
}

void MainWindow::UseDataLists(DataState loaded) {
    lists_.use(std::move(loaded));
    ui_.btnAlternateDatalist->setEnabled(data().alternateEnabled);
    ApplyFieldNames();
}

void MainWindow::SetUpFirstView() {
    ShowListView(lists_.setUpFirstView());
    SetStatusPanel(StatusPanel::Sync, QString());

    for (const OptionBox& box : kOptionBoxes) {
        (ui_.*box.box)->setChecked(state_.options.*box.option);
    }

    OpenResultTable();

    SetHint(ui_.txtSKSkode,
            QStringLiteral("SKS-kode\r\nKopiér SKS-kode med Ctrl-C eller med dobbeltklik"));
    SetHint(ui_.txtDiagnoseTekst,
            QStringLiteral("SKS-tekst\r\nKopiér SKS-tekst med Ctrl-C eller med dobbeltklik"));
    SetHint(ui_.DBGrid1, QStringLiteral("Søgeresultater:\r\nKopiér SKS-kode og tekst med Ctrl-C "
                                        "eller med dobbeltklik"));
    ui_.DBGrid1->horizontalHeader()->setSectionsMovable(false);

    ShowCurrentRecord();
}

}  // namespace vex
