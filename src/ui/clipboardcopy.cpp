// Copying from the result grid and from the code and text fields, and the alert sound of
// the record fields, which show a record and take no typing.
#include <QApplication>
#include <QClipboard>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPlainTextEdit>

#include "search/resulttable.h"
#include "ui/keyrules.h"
#include "ui/mainwindow.h"

namespace vex {

namespace {

void SetClipboardText(const QString& text) {
    QGuiApplication::clipboard()->setText(text, QClipboard::Clipboard);
}

// Ctrl+C, and Ctrl+Insert, the other copy key of the desktops: both copy the same.
bool IsCopyKey(const QKeyEvent& key) {
    return (key.key() == Qt::Key_C || key.key() == Qt::Key_Insert) && IsCtrlAlone(key.modifiers());
}

}  // namespace

void MainWindow::AlertSound() {
    if (alertSound_) {
        alertSound_();
    } else {
        QApplication::beep();
    }
}

void MainWindow::DBGrid1KeyDown(const QKeyEvent& key) {
    if (IsCopyKey(key)) {
        DBGrid1DblClick();
    }
}

void MainWindow::DBGrid1DblClick() {
    const int row = CurrentGridRow();
    if (results_->rowCount() > 0 && row >= 0) {
        SetClipboardText(GridRowClipboardText(results_->code(row), results_->text(row)));
    }
}

void MainWindow::txtSKSkodeKeyDown(const QKeyEvent& key) {
    if (IsCopyKey(key)) {
        if (results_->rowCount() > 0) {
            SetClipboardText(ui_.txtSKSkode->text());
        }
    } else if (IsAlertKey(key.key())) {
        AlertSound();
    }
}

void MainWindow::txtSKSkodeDblClick() {
    SetClipboardText(CodeWithoutMarks(ui_.txtSKSkode->text()));
}

void MainWindow::txtDiagnoseTekstKeyDown(const QKeyEvent& key) {
    if (IsCopyKey(key)) {
        if (results_->rowCount() > 0) {
            SetClipboardText(state_.diagnosisText);
        }
    } else if (IsAlertKey(key.key())) {
        AlertSound();
    }
}

void MainWindow::txtDiagnoseTekstDblClick() {
    SetClipboardText(state_.diagnosisText);
}

void MainWindow::RecordFieldKeyDown(const QKeyEvent& key) {
    if (IsAlertKey(key.key())) {
        AlertSound();
    }
}

}  // namespace vex
