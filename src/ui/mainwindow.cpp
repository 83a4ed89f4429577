#include "ui/mainwindow.h"

#include <QAccessibleWidget>
#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QEvent>
#include <QFocusEvent>
#include <QLabel>
#include <QPushButton>
#include <QSplitter>
#include <QTableView>

#include "base/dialogs.h"
#include "desktop/captions.h"
#include "desktop/pictures.h"
#include "search/resulttable.h"
#include "ui/resultgrid.h"
#include "ui/searchrunner.h"

namespace vex {

namespace {

// A screen reader meets the main window as a window (a plain widget would be a bare pane).
QAccessibleInterface* MainWindowAccessible(const QString& className, QObject* object) {
    auto* window = qobject_cast<MainWindow*>(object);
    if (window == nullptr || className != QLatin1String(MainWindow::staticMetaObject.className())) {
        return nullptr;
    }
    return new QAccessibleWidget(window, QAccessible::Window);
}

}  // namespace

MainWindow::MainWindow(ProgramState& program, Dialogs& dialogs, UserStore* userStore,
                       QWidget* parent)
    : QWidget(parent),
      program_(program),
      dialogs_(dialogs),
      userStore_(userStore),
      scale_(ScreenDpi()) {
    setObjectName(QStringLiteral("TfrmVexDiagnose5"));
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    setWindowIcon(WindowIconPicture());
    QAccessible::installFactory(MainWindowAccessible);
    ui_ = BuildWindowLayout(this, scale_);
    results_ = new ResultTable(this);
    results_->setObjectName(QStringLiteral("ClientDataSet1"));
    search_ = std::make_unique<SearchRunner>(dialogs_,
                                             [this](EscLabelState state) { ShowEscLabel(state); });
    connectHandlers();
}

MainWindow::~MainWindow() {
    // The controls are destroyed after the window's own values. Whatever they send on their
    // way out (events to the key router, signals of the grid and its selection) must not reach
    // handlers that read those values.
    delete keyRouter_;
    const QList<QObject*> descendants = findChildren<QObject*>();
    for (QObject* o : descendants) {
        QObject::disconnect(o, nullptr, this, nullptr);
    }
}

void MainWindow::connectHandlers() {
    connect(ui_.btnSearch, &QPushButton::clicked, this, [this] { btnSearchClick(); });
    for (const OptionBox& box : kOptionBoxes) {
        connect(ui_.*box.box, &QCheckBox::toggled, this, [this, box] { OptionBoxClick(box); });
    }
    connect(ui_.chkKorteListe, &QCheckBox::clicked, this, [this] { chkKorteListeClick(); });
    connect(ui_.btnListSelect, &QPushButton::clicked, this, [this] { btnListSelectClick(); });
    connect(ui_.btnAlternateDatalist, &QPushButton::clicked, this,
            [this] { btnAlternateDatalistClick(); });
    connect(ui_.btnClose, &QPushButton::clicked, this, &QWidget::close);
    connect(ui_.DBNavigator1, &ResultNavigator::beforeAction, this,
            [this] { state_.gridFollow = true; });
    ui_.pnlTop->installEventFilter(this);
    ui_.DBGrid1->installEventFilter(this);
    connectKeysAndButtons();
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched == ui_.pnlTop && event->type() == QEvent::Resize) {
        pnlTopResize();
    } else if (watched == ui_.DBGrid1 && event->type() == QEvent::FocusIn) {
        // Entering the grid, not the window coming back to the front with the grid focused.
        const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
        if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason) {
            DBGrid1Enter();
        }
    }
    return QWidget::eventFilter(watched, event);
}

void MainWindow::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (!state_.shown) {
        state_.shown = true;
        FormShow();
    }
}

void MainWindow::closeEvent(QCloseEvent* event) {
    // A run in progress sees this and stops at its next look at the window. The close cuts
    // it off, so it counts as interrupted, as an abort with ESC does: the values stored now
    // keep no time for it, and the next start does not run it again.
    if (search_->running()) {
        lists_.keepSearchTime(-1);
    }
    search_->stopForClose();
    FormClose();
    event->accept();
}

void MainWindow::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow()) {
        FormActivate();
    }
}

void MainWindow::paintEvent(QPaintEvent* event) {
    FormPaint();
    QWidget::paintEvent(event);
}

void MainWindow::FormActivate() {
    if (search_->running()) {
        return;  // the run keeps its hourglass until it ends
    }
    while (QApplication::overrideCursor() != nullptr) {
        QApplication::restoreOverrideCursor();
    }
}

void MainWindow::FormPaint() {
    const bool flat = !program_.themesActive;
    if (ui_.DBNavigator1->isFlat() != flat) {
        ui_.DBNavigator1->setFlat(flat);
    }
}

void MainWindow::pnlTopResize() {
    setMinimumHeight(ui_.pnlTop->height() + scale_.px(128));
}

void MainWindow::setTopPanelHeight(int wanted) {
    const int top = qBound(ui_.pnlTop->minimumHeight(), wanted, ui_.pnlTop->maximumHeight());
    const int total = qMax(ui_.Splitter1->height(), height() - ui_.pnlBottom->height()) -
                      ui_.Splitter1->handleWidth();
    ui_.Splitter1->setSizes({top, qMax(1, total - top)});
}

int MainWindow::topPanelHeight() const {
    return ui_.Splitter1->sizes().value(0);
}

void MainWindow::chkKorteListeClick() {
    ui_.chkKorteListe->setChecked(state_.currentShortListFlag);
}

void MainWindow::ApplyWindowColour() {
    if (!program_.themesActive) {
        return;
    }
    const RgbColor c = program_.customWindowColor;
    QPalette pal = palette();
    pal.setColor(QPalette::Window, QColor(c.red, c.green, c.blue));
    setPalette(pal);
    const QPalette face = QApplication::palette();
    for (QWidget* w : {ui_.pnlDBGrid, ui_.pnlBottom, static_cast<QWidget*>(ui_.StatusBar1)}) {
        QPalette own = w->palette();
        own.setColor(QPalette::Window, face.color(QPalette::Window));
        w->setPalette(own);
        w->setAutoFillBackground(true);
    }
}

}  // namespace vex
