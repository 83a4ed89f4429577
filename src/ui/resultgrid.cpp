#include "ui/resultgrid.h"

#include <QAbstractItemModel>
#include <QFontInfo>
#include <QHBoxLayout>
#include <QItemSelectionModel>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionHeader>
#include <QTableView>
#include <QToolButton>

#include "desktop/captions.h"
#include "desktop/pictures.h"
#include "desktop/scale.h"
#include "ui/windowwidgets.h"

namespace vex {

ResultNavigator::ResultNavigator(QTableView* grid, const Scale& scale, QWidget* parent)
    : QWidget(parent), grid_(grid) {
    setObjectName(QStringLiteral("DBNavigator1"));
    static const char* const kNames[] = {"nbFirst", "nbPrior", "nbNext", "nbLast"};
    static const char* const kHints[] = {
        "Første post blandt søgeresultater", "Foregående post blandt søgeresultater",
        "Næstfølgende post blandt søgeresultater", "Sidste post blandt søgeresultater"};
    // What a screen reader hears for the picture buttons.
    static const char* const kSpokenNames[] = {"Første søgeresultat", "Forrige søgeresultat",
                                               "Næste søgeresultat", "Sidste søgeresultat"};
    setAccessibleName(QStringLiteral("Bladring i søgeresultater"));
    const int w = scale.px(20);
    const int h = scale.px(18);
    for (int i = 0; i < 4; ++i) {
        auto* b = new QToolButton(this);
        b->setObjectName(QLatin1String(kNames[i]));
        b->setFocusPolicy(Qt::NoFocus);
        b->setIcon(NavigatorPicture(i, w - 4, h - 4));
        b->setIconSize(QSize(w - 4, h - 4));
        b->setGeometry(i * w, 0, w, h);
        SetHint(b, QString::fromUtf8(kHints[i]));
        b->setAccessibleName(QString::fromUtf8(kSpokenNames[i]));
        connect(b, &QToolButton::clicked, this, [this, i] { perform(static_cast<Action>(i)); });
        buttons_[i] = b;
    }
}

void ResultNavigator::setFlat(bool flat) {
    flat_ = flat;
    for (QToolButton* b : buttons_) {
        b->setAutoRaise(flat);
    }
}

void ResultNavigator::perform(Action action) {
    emit beforeAction(action);
    QAbstractItemModel* model = grid_->model();
    const int rows = model != nullptr ? model->rowCount() : 0;
    if (rows == 0) {
        return;
    }
    const int current = grid_->currentIndex().isValid() ? grid_->currentIndex().row() : 0;
    int target = current;
    switch (action) {
        case First:
            target = 0;
            break;
        case Prior:
            target = qMax(0, current - 1);
            break;
        case Next:
            target = qMin(rows - 1, current + 1);
            break;
        case Last:
            target = rows - 1;
            break;
    }
    grid_->setCurrentIndex(model->index(target, qMax(0, grid_->currentIndex().column())));
}

void IndicatorHeader::paintSection(QPainter* painter, const QRect& rect, int logicalIndex) const {
    // The indicator column shows no row numbers, only the arrow of the current row.
    QStyleOptionHeader option;
    initStyleOption(&option);
    option.rect = rect;
    option.section = logicalIndex;
    option.text = QString();
    painter->save();  // the style may leave its clip behind
    style()->drawControl(QStyle::CE_Header, &option, painter, this);
    painter->restore();
    const QTableView* view = nullptr;
    for (const QWidget* w = parentWidget(); w != nullptr && view == nullptr;
         w = w->parentWidget()) {
        view = qobject_cast<const QTableView*>(w);
    }
    if (view == nullptr || view->currentIndex().row() != logicalIndex) {
        return;
    }
    painter->save();
    painter->setRenderHint(QPainter::Antialiasing);
    painter->setPen(Qt::NoPen);
    painter->setBrush(Qt::black);
    const QPointF c = QRectF(rect).center();
    const qreal s = qMin(rect.width(), rect.height()) / 3.0;
    painter->drawPolygon(
        QPolygonF{c + QPointF(-s / 1.5, -s), c + QPointF(s, 0), c + QPointF(-s / 1.5, s)});
    painter->restore();
}

GridColours GridColoursFor(GridColourScheme scheme) {
    const QColor face = QPalette().color(QPalette::Button);
    const QColor navy(0, 0, 128);
    switch (scheme) {
        case GridColourScheme::Primary:
            return {face, Qt::black};
        case GridColourScheme::Secondary:
            return {QColor(166, 202, 240), navy};
        case GridColourScheme::BeforeFirstSearch:
            break;
    }
    return {face, navy};
}

namespace {

void UpdateHeaderStyle(QTableView* grid) {
    const bool themed = grid->property("themed").toBool();
    const QColor fixed = grid->property("fixedCells").value<QColor>();
    QString sheet;
    if (!themed) {
        sheet = QStringLiteral(
                    "QHeaderView::section { background: qlineargradient(x1:0, y1:0, x2:0, "
                    "y2:1, stop:0 #ffffff, stop:1 %1); border: none; border-right: 1px solid "
                    "#a0a0a0; border-bottom: 1px solid #a0a0a0; padding-left: 3px; }")
                    .arg(fixed.name());
    }
    for (QHeaderView* header : {grid->horizontalHeader(), grid->verticalHeader()}) {
        QPalette pal = header->palette();
        pal.setColor(QPalette::Button, fixed);
        pal.setColor(QPalette::Window, fixed);
        header->setPalette(pal);
        header->setStyleSheet(sheet);
    }
}

}  // namespace

void ConfigureResultGrid(QTableView* grid, const Scale& scale) {
    grid->setObjectName(QStringLiteral("DBGrid1"));
    grid->setAccessibleName(QStringLiteral("Søgeresultater"));
    grid->setVerticalHeader(new IndicatorHeader(grid));
    grid->setSelectionBehavior(QAbstractItemView::SelectRows);
    grid->setSelectionMode(QAbstractItemView::SingleSelection);
    grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid->setTabKeyNavigation(false);
    grid->setFocusPolicy(Qt::StrongFocus);
    grid->setShowGrid(true);
    grid->setWordWrap(false);
    grid->setCornerButtonEnabled(false);
    QPalette pal = grid->palette();
    pal.setColor(QPalette::Base, Qt::white);
    grid->setPalette(pal);

    QHeaderView* titles = grid->horizontalHeader();
    titles->setSectionsMovable(false);
    titles->setSectionResizeMode(QHeaderView::Interactive);
    titles->setHighlightSections(false);
    titles->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    titles->setStretchLastSection(false);
    QFont titleFont(QFontInfo(QFont(QStringLiteral("Arial"))).family() == QStringLiteral("Arial")
                        ? QStringLiteral("Arial")
                        : WindowFontFamily());
    titleFont.setPointSize(8);
    titles->setFont(titleFont);

    QHeaderView* indicator = grid->verticalHeader();
    indicator->setSectionResizeMode(QHeaderView::Fixed);
    const int rowHeight = grid->fontMetrics().height() + scale.px(4);
    indicator->setDefaultSectionSize(rowHeight);
    indicator->setMinimumSectionSize(rowHeight);
    indicator->setFixedWidth(scale.px(12));
    indicator->setHighlightSections(false);

    grid->setProperty("themed", false);
    ApplyGridColours(grid, GridColoursFor(GridColourScheme::BeforeFirstSearch));
    SetGridColumnWidths(grid, scale);
}

void SetGridThemed(QTableView* grid, bool themed) {
    grid->setProperty("themed", themed);
    UpdateHeaderStyle(grid);
}

void ApplyGridColours(QTableView* grid, const GridColours& colours) {
    grid->setProperty("fixedCells", colours.fixedCells);
    QPalette pal = grid->palette();
    pal.setColor(QPalette::Text, colours.cellFont);
    grid->setPalette(pal);
    UpdateHeaderStyle(grid);
}

GridColours CurrentGridColours(const QTableView* grid) {
    return {grid->property("fixedCells").value<QColor>(), grid->palette().color(QPalette::Text)};
}

void SetGridColumnWidths(QTableView* grid, const Scale& scale) {
    const int first = scale.px(68);
    grid->horizontalHeader()->setDefaultSectionSize(first);
    if (grid->model() != nullptr && grid->model()->columnCount() >= 2) {
        grid->setColumnWidth(0, first);
        grid->setColumnWidth(1, scale.gridColumnsWidth() - first);
    }
    grid->setProperty("columnWidths", QList<QVariant>{first, scale.gridColumnsWidth() - first});
}

}  // namespace vex
