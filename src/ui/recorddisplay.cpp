// The record display: showing a record, following the result grid, and the result table's
// binding to the grid.
#include <QCheckBox>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTableView>

#include "base/dialogs.h"
#include "data/record.h"
#include "desktop/captions.h"
#include "search/resulttable.h"
#include "search/searchtext.h"
#include "ui/mainwindow.h"
#include "ui/resultgrid.h"
#include "ui/searchrunner.h"
#include "ui/statustexts.h"

namespace vex {

namespace {

// A field shows at most this many characters. Real fields hold a few hundred; one of
// megabytes (a damaged file) would keep the text layout busy for minutes wrapping it, so the
// display stops here and "…" marks the cut. Copying the diagnosis text still copies it whole.
constexpr qsizetype kShownFieldLimit = 10000;

QString WithLineFeeds(QString text) {
    return text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
}

QString ForDisplay(const QString& text) {
    QString shown = WithLineFeeds(text);
    if (shown.size() > kShownFieldLimit) {
        qsizetype cut = kShownFieldLimit;
        if (shown.at(cut - 1).isHighSurrogate()) {
            --cut;  // never half a character
        }
        shown.truncate(cut);
        shown.append(QChar(0x2026));
    }
    return shown;
}

void ShowText(QPlainTextEdit* field, const QString& text) {
    field->setPlainText(ForDisplay(text));
}

void ShowText(QLineEdit* field, const QString& text) {
    field->setText(ForDisplay(text));
    field->setCursorPosition(0);
}

}  // namespace

void MainWindow::ShowRecord(int index) {
    lists_.keepRecord(index);
    ShowCurrentRecord();
}

void MainWindow::ShowCurrentRecord() {
    const QStringList& list = data().current;
    const int index = CurrentIndex();
    if (index < 0 || index >= list.size()) {
        return;  // callers keep the index within the list; nothing to show otherwise
    }
    const DecodedRecord record = DecodeRecord(list.at(index));
    ui_.txtSKSkode->setText(record.code);
    ui_.txtSKSkode->setCursorPosition(0);
    ShowText(ui_.txtDiagnoseTekst, record.text);
    state_.diagnosisText = WithLineFeeds(record.text);
    state_.currentShortListFlag = record.shortListFlag;
    ui_.chkKorteListe->setChecked(record.shortListFlag);
    ShowText(ui_.txtSynonymer, record.synonyms);
    ShowText(ui_.txtInklusiv, record.inclusions);
    ShowText(ui_.txtStikord, record.keywords);
    ShowText(ui_.txtKommentarer, record.comments);
    SetLabelCaption(ui_.lblRedigeret, record.editDate, data().fieldNames[Column::EditDate]);
    SetStatusPanel(StatusPanel::Record, RecordPanelText(index, int(list.size())));
}

int MainWindow::CurrentGridRow() const {
    if (!GridShowsResults()) {
        return -1;
    }
    const QModelIndex current = ui_.DBGrid1->currentIndex();
    return current.isValid() ? current.row() : (results_->rowCount() > 0 ? 0 : -1);
}

void MainWindow::SyncRecordWithGrid() {
    const int rows = results_->rowCount();
    const int row = CurrentGridRow();
    bool synced = false;
    if (state_.gridFollow && state_.resultsFound && rows > 0 && row >= 0) {
        const qsizetype found =
            FindTerm(data().current, results_->code(row), FindMode::CodeLookUp, 0, state_.options);
        if (found >= 0) {
            ShowRecord(int(found));
            synced = true;
        }
    }
    SetStatusPanel(StatusPanel::Sync, synced ? kSyncPanelText : QString());
    SetLabelCaption(ui_.lblSearchCount, SearchCountText(row, rows), kSearchCountWhat);
}

void MainWindow::DBGrid1Enter() {
    state_.gridFollow = true;
    SyncRecordWithGrid();
}

void MainWindow::ApplyFieldNames() {
    // A screen reader hears each field by its label's caption (the labels sit apart from
    // their fields, the comments' in another panel).
    const struct {
        QLabel* label;
        QWidget* field;
        Column column;
    } fields[] = {
        {ui_.lblField00, ui_.txtSKSkode, Column::Code},
        {ui_.lblField02, ui_.txtDiagnoseTekst, Column::Text},
        {ui_.lblField04, ui_.txtSynonymer, Column::Synonyms},
        {ui_.lblField05, ui_.txtInklusiv, Column::Inclusions},
        {ui_.lblField06, ui_.txtStikord, Column::Keywords},
        {ui_.lblField07, ui_.txtKommentarer, Column::Comments},
    };
    for (const auto& f : fields) {
        SetLabelCaption(f.label, data().fieldNames[f.column]);
        f.field->setAccessibleName(f.label->text());
    }
}

void MainWindow::SetStatusPanel(StatusPanel panel, const QString& text) {
    SetStatusPanelText(ui_, panel, text);
}

QString MainWindow::statusPanelText(StatusPanel panel) const {
    return ui_.statusPanel(panel)->text();
}

// The grid keeps the result table as its model for the window's whole life. Qt 6.4's header
// views leave connections to a model behind each time the view's model changes, so taking the
// table off the grid for every run, and putting it back, made every later run slower and the
// window larger (a day of searches: hundreds of megabytes, and seconds per search). "Detached"
// is the time of a run instead (GridShowsResults): the run empties the table and announces its
// rows only at its end, so the grid shows no row while the run adds them.
void MainWindow::OpenResultTable() {
    ShowResultTitles();
    results_->clear();
    const auto changed = [this] {
        if (GridShowsResults()) {
            SyncRecordWithGrid();
        }
    };
    connect(results_, &QAbstractItemModel::modelReset, this, changed);
    connect(results_, &QAbstractItemModel::rowsInserted, this, changed);
    connect(results_, &QAbstractItemModel::rowsRemoved, this, changed);
    QTableView* grid = ui_.DBGrid1;
    QItemSelectionModel* old = grid->selectionModel();
    grid->setModel(results_);
    delete old;
    connect(grid->selectionModel(), &QItemSelectionModel::currentRowChanged, this, [this] {
        if (GridShowsResults()) {
            ui_.DBGrid1->verticalHeader()->viewport()->update();
            SyncRecordWithGrid();
        }
    });
    state_.tableOpen = true;
    AttachResultTable();
    SetGridColumnWidths(ui_.DBGrid1, scale_);
}

bool MainWindow::GridShowsResults() const {
    return state_.tableOpen && !search_->running();
}

void MainWindow::AttachResultTable() {
    if (results_->rowCount() > 0) {
        ui_.DBGrid1->setCurrentIndex(results_->index(qMax(0, results_->currentRow()), 0));
    }
    SyncRecordWithGrid();
}

}  // namespace vex
