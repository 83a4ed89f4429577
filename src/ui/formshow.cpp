// The window's first show and its closing.
#include <QCheckBox>
#include <QFrame>
#include <QGuiApplication>
#include <QLabel>
#include <QMoveEvent>
#include <QPushButton>
#include <QResizeEvent>
#include <QScreen>
#include <QTableView>
#include <QTimer>
#include <QWindow>

#include "base/dialogs.h"
#include "config/uservalues.h"
#include "desktop/captions.h"
#include "search/searchmessages.h"
#include "ui/mainwindow.h"
#include "ui/searchrunner.h"
#include "ui/windowfit.h"

namespace vex {

void MainWindow::FitToWorkArea() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (screen == nullptr) {
        return;
    }
    // The frame as the window system knows it now (Qt's own copy may lag behind).
    const QMargins margins =
        windowHandle() != nullptr ? windowHandle()->frameMargins() : QMargins();
    const QRect inner = geometry();
    const QRect frame = inner.marginsAdded(margins);
    const WindowFit fit = FitWindowToWorkArea(
        frame, margins, minimumHeight(), screen->availableGeometry(), screen->geometry().height());
    if (fit.minimumHeight != minimumHeight()) {
        setMinimumHeight(fit.minimumHeight);
    }
    // A window that fits is left alone: before the frame is known, the window system places
    // the frame where the stored position asks for it. A window that must move is placed by
    // its frame in that case too, so that the title bar lands where the fit put it.
    if (fit.frame != frame) {
        if (margins.isNull() && windowHandle() != nullptr) {
            // The window's own rectangle goes there too: the show that follows hands it to
            // the window system, and without a window manager no frame comes later to fit
            // the window again.
            setGeometry(fit.frame);
            windowHandle()->setFramePosition(fit.frame.topLeft());
        } else {
            setGeometry(fit.frame.marginsRemoved(margins));
        }
    }
    if (!margins.isNull()) {
        state_.fittedWithFrame = true;
    }
}

void MainWindow::moveEvent(QMoveEvent* event) {
    QWidget::moveEvent(event);
    FitOnceTheFrameIsKnown();
}

void MainWindow::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    FitOnceTheFrameIsKnown();
}

void MainWindow::FitOnceTheFrameIsKnown() {
    // On X11 the window learns its frame only once the window manager has framed it, after
    // the first show; then the first show's fit is made again, by the outer rectangle. The
    // frame may come without the window moving, so the first seconds are watched as well.
    if (!state_.shown || state_.fittedWithFrame || windowHandle() == nullptr) {
        return;
    }
    if (!windowHandle()->frameMargins().isNull()) {
        FitToWorkArea();
    }
}

void MainWindow::WatchForTheFrame() {
    auto* watch = new QTimer(this);
    watch->setInterval(50);
    connect(watch, &QTimer::timeout, this, [this, watch, ticks = 0]() mutable {
        FitOnceTheFrameIsKnown();
        if (state_.fittedWithFrame || ++ticks >= 40) {  // two seconds
            watch->stop();
            watch->deleteLater();
        }
    });
    watch->start();
}

void MainWindow::FormShow() {
    FitToWorkArea();
    if (!state_.fittedWithFrame) {
        WatchForTheFrame();
    }

    SetHint(ui_.chkKorteListe,
            QStringLiteral("Viser om koden er inkluderet i selektionen ") + kShortListName);
    SetHint(ui_.btnListSelect, QStringLiteral("Skifter mellem ") + kShortListName +
                                   QStringLiteral(" og ") + kExtendedListName);
    SetHint(ui_.btnAlternateDatalist,
            QStringLiteral("Skifter mellem Primære og Sekundære datafil\r\nGenvej: Ctrl-D"));

    LayOutStatusPanels(ui_, scale_);

    const double storedTime = SearchTimeFromText(lists_.inUse().searchTimeText);
    if (state_.tableOpen && storedTime >= 0 && storedTime < 5) {
        RerunSearch();
    }

    if (firstShowSplashRequest_) {
        firstShowSplashRequest_();
    } else {
        dialogs_.requestSplashClose();
    }

    const QRect search = ui_.btnSearch->geometry();
    ui_.pnlFloatingButtons->move(scale_.px(5) + search.x() + search.width(),
                                 ui_.pnlFloatingButtons->y());
    ui_.btnSearch->setFocus();
    // The hourglass of the start-up goes when the window is activated; a desktop that does
    // not activate new windows would leave it for good, so it goes here at the latest.
    FormActivate();
    search_->warmUpIndexes([this] { return lists_.searchableLists(); });
}

void MainWindow::FormClose() {
    if (userStore_ == nullptr || dialogs_.endOfProgramRequested()) {
        return;
    }
    UserValuesToStore values;
    values.list1 = lists_.remembered(DataFileRole::Primary);
    values.list2 = lists_.remembered(DataFileRole::Secondary);
    values.positionTop = pos().y();
    values.positionLeft = pos().x();
    values.formHeight = height();
    values.panelTopHeight = topPanelHeight();
    for (const OptionBox& box : kOptionBoxes) {
        values.options.*box.option = (ui_.*box.box)->isChecked();
    }
    StoreUserValues(*userStore_, values);
}

}  // namespace vex
