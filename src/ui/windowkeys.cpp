// The window's keys: the window-wide keys before every control, and the routing of keys and
// double-clicks to the grid and the record fields.
#include "ui/windowkeys.h"

#include <QApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableView>
#include <QToolButton>
#include <QWindow>

#include "ui/mainwindow.h"

namespace vex {

WindowKeyRouter::WindowKeyRouter(MainWindow& window) : QObject(&window), w_(window) {
    setObjectName(QStringLiteral("WindowKeyRouter"));
    window.installEventFilter(this);
    const WindowWidgets& ui = window.ui();
    QTableView* grid = ui.DBGrid1;
    for (QObject* watched : std::initializer_list<QObject*>{
             grid, grid->viewport(), grid->horizontalHeader()->viewport(),
             grid->verticalHeader()->viewport(), ui.txtSKSkode, ui.txtDiagnoseTekst,
             ui.txtDiagnoseTekst->viewport(), ui.txtSynonymer, ui.txtInklusiv, ui.txtStikord,
             ui.txtKommentarer}) {
        watched->installEventFilter(this);
    }
    watchNativeWindow();
}

void WindowKeyRouter::watchNativeWindow() {
    QWindow* native = w_.windowHandle();
    if (native == native_) {
        return;
    }
    if (native_) {
        native_->removeEventFilter(this);
    }
    native_ = native;
    if (native_) {
        native_->installEventFilter(this);
    }
}

bool WindowKeyRouter::eventFilter(QObject* watched, QEvent* event) {
    if (watched == &w_) {
        if (event->type() == QEvent::WinIdChange || event->type() == QEvent::Show) {
            watchNativeWindow();
        }
        return false;
    }
    if (watched == native_) {
        // A modal box of the window keeps the keys to itself.
        if (event->type() != QEvent::KeyPress || QApplication::activeModalWidget() != nullptr) {
            return false;
        }
        // The key belongs to the control that has the focus now, also when the window's
        // handling moves the focus (a switch of the data file gives it to the Search button).
        const QPointer<QObject> receiver = native_->focusObject();
        w_.FormKeyDown(*static_cast<QKeyEvent*>(event));
        if (receiver == nullptr || !native_ || receiver == native_->focusObject()) {
            return false;
        }
        QCoreApplication::sendEvent(receiver, event);
        return true;
    }
    return controlEvent(watched, event);
}

bool WindowKeyRouter::controlEvent(QObject* watched, QEvent* event) {
    const WindowWidgets& ui = w_.ui();
    if (event->type() == QEvent::MouseButtonDblClick) {
        if (watched == ui.txtSKSkode) {
            w_.txtSKSkodeDblClick();
        } else if (watched == ui.txtDiagnoseTekst->viewport()) {
            w_.txtDiagnoseTekstDblClick();
        } else if (watched == ui.DBGrid1->viewport()) {
            if (forwardingClick_) {
                return false;
            }
            // The grid handles the click first: the row it makes current is the one copied.
            forwardingClick_ = true;
            QCoreApplication::sendEvent(watched, event);
            forwardingClick_ = false;
            w_.DBGrid1DblClick();
            return true;
        } else if (watched == ui.DBGrid1->horizontalHeader()->viewport() ||
                   watched == ui.DBGrid1->verticalHeader()->viewport()) {
            w_.DBGrid1DblClick();  // the titles or the indicator column
        }
        return false;
    }
    if (event->type() != QEvent::KeyPress) {
        return false;
    }
    const auto& key = *static_cast<QKeyEvent*>(event);
    if (watched == ui.DBGrid1) {
        w_.DBGrid1KeyDown(key);
        // The grid's own copy would put the current cell alone on the clipboard.
        return key.matches(QKeySequence::Copy);
    }
    if (watched == ui.txtSKSkode) {
        w_.txtSKSkodeKeyDown(key);
    } else if (watched == ui.txtDiagnoseTekst) {
        w_.txtDiagnoseTekstKeyDown(key);
    } else if (watched == ui.txtSynonymer || watched == ui.txtInklusiv ||
               watched == ui.txtStikord || watched == ui.txtKommentarer) {
        w_.RecordFieldKeyDown(key);
    }
    // The comments field keeps Tab keys to itself: they do not move the focus out of it.
    const bool tab = key.key() == Qt::Key_Tab || key.key() == Qt::Key_Backtab;
    return watched == ui.txtKommentarer && tab &&
           (key.modifiers() & (Qt::ControlModifier | Qt::AltModifier)) == 0;
}

void MainWindow::connectKeysAndButtons() {
    connect(ui_.btnFirst, &QPushButton::clicked, this, [this] { btnFirstClick(); });
    connect(ui_.btnPrior, &QPushButton::clicked, this, [this] { btnPriorClick(); });
    connect(ui_.btnNext, &QPushButton::clicked, this, [this] { btnNextClick(); });
    connect(ui_.btnLast, &QPushButton::clicked, this, [this] { btnLastClick(); });
    connect(ui_.btnInfo, &QToolButton::clicked, this, [this] { btnInfoClick(); });
    connect(ui_.btnHelp, &QPushButton::clicked, this, [this] { btnHelpClick(); });
    connect(ui_.btnHelpGlyph, &QToolButton::clicked, this, [this] { btnHelpGlyphClick(); });
    keyRouter_ = new WindowKeyRouter(*this);
}

void MainWindow::FormKeyDown(const QKeyEvent& key) {
    // The page keys act whatever modifiers are held; Ctrl counts whatever else is down.
    const bool ctrl = key.modifiers().testFlag(Qt::ControlModifier);
    const int code = key.key();
    if (code == Qt::Key_PageUp) {
        btnPriorClick();
    }
    if (code == Qt::Key_PageDown) {
        btnNextClick();
    }
    if (ctrl && code == Qt::Key_PageUp) {
        btnFirstClick();
    }
    if (ctrl && code == Qt::Key_PageDown) {
        btnLastClick();
    }
    if (ctrl && code == Qt::Key_D && ui_.btnAlternateDatalist->isEnabled()) {
        btnAlternateDatalistClick();
    }
    // F1 asks for the program's help; a held key asks once.
    if (code == Qt::Key_F1 && !key.isAutoRepeat() &&
        (key.modifiers() & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier)) == 0) {
        OpenProgramHelp();
    }
}

}  // namespace vex
