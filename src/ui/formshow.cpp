// The window's first show and its closing.
#include <QCheckBox>
#include <QFrame>
#include <QGuiApplication>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QTableView>

#include "base/dialogs.h"
#include "config/uservalues.h"
#include "search/searchmessages.h"
#include "ui/captions.h"
#include "ui/mainwindow.h"
#include "ui/windowfit.h"

namespace vex {

void MainWindow::FormShow() {
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        const WindowFit fit =
            FitWindowToWorkArea(QRect(pos(), size()), minimumHeight(), screen->availableGeometry(),
                                screen->geometry().height());
        if (fit.minimumHeight != minimumHeight()) {
            setMinimumHeight(fit.minimumHeight);
        }
        move(fit.geometry.topLeft());
        resize(fit.geometry.size());
    }

    SetHint(ui_.chkKorteListe,
            QStringLiteral("Viser om koden er inkluderet i selektionen ") + kShortListName);
    SetHint(ui_.btnListSelect, QStringLiteral("Skifter mellem ") + kShortListName +
                                   QStringLiteral(" og ") + kExtendedListName);
    SetHint(ui_.btnAlternateDatalist,
            QStringLiteral("Skifter mellem Primære og Sekundære datafil\r\nGenvej: Ctrl-D"));

    LayOutStatusPanels(ui_, scale_);

    app_.lastSearchTime = SearchTimeFromText(app_.searchTimeText);
    if (state_.tableOpen && app_.lastSearchTime >= 0 && app_.lastSearchTime < 5) {
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
    ScheduleIndexWarmUp();
}

void MainWindow::FormClose() {
    if (userStore_ == nullptr || dialogs_.endOfProgramRequested()) {
        return;
    }
    UserValuesToStore values;
    values.list1 = app_.list1;
    values.list2 = app_.list2;
    values.list1InUse = data_.isPrimaryInUse();
    values.searchInput = app_.searchInput;
    values.positionTop = pos().y();
    values.positionLeft = pos().x();
    values.formHeight = height();
    values.panelTopHeight = topPanelHeight();
    values.freeTextSearch = ui_.chkFreeTextSearch->isChecked();
    values.searchOnComments = ui_.chkSearchOnComments->isChecked();
    StoreUserValues(*userStore_, values);
}

}  // namespace vex
