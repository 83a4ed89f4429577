#pragma once

#include <QColor>
#include <QHeaderView>
#include <QWidget>

class QTableView;
class QToolButton;

namespace vex {

class Scale;

// The record navigator of the result grid: first, prior, next and last row.
class ResultNavigator : public QWidget {
    Q_OBJECT
public:
    enum Action { First, Prior, Next, Last };

    ResultNavigator(QTableView* grid, const Scale& scale, QWidget* parent);

    void setFlat(bool flat);
    bool isFlat() const { return flat_; }
    QToolButton* button(Action action) const { return buttons_[action]; }

    // Moves the grid's current row as the action says (nothing when the grid has no rows).
    void perform(Action action);

signals:
    // Sent before every action, while the grid's row has not moved yet.
    void beforeAction(int action);

private:
    QTableView* grid_;
    QToolButton* buttons_[4] = {};
    bool flat_ = false;
};

// The grid's row indicator: a small arrow beside the current row.
class IndicatorHeader : public QHeaderView {
public:
    explicit IndicatorHeader(QWidget* parent) : QHeaderView(Qt::Vertical, parent) {}

protected:
    void paintSection(QPainter* painter, const QRect& rect, int logicalIndex) const override;
};

// Colours of the grid: its fixed cells (titles, indicator) and the cell font.
struct GridColours {
    QColor fixedCells;
    QColor cellFont;
    bool operator==(const GridColours&) const = default;
};

enum class GridColourScheme { BeforeFirstSearch, Primary, Secondary };
GridColours GridColoursFor(GridColourScheme scheme);

// Sets up the result grid: white cells, titles and indicator, resizable but not movable
// columns, whole-row selection, read-only, Tab stop.
void ConfigureResultGrid(QTableView* grid, const Scale& scale);

// The drawing style of the fixed cells: themed (the platform's) or a gradient.
void SetGridThemed(QTableView* grid, bool themed);
void ApplyGridColours(QTableView* grid, const GridColours& colours);
GridColours CurrentGridColours(const QTableView* grid);

// Column 0 := 68 × dpi / 96; column 1 := the columns' total width − column 0.
void SetGridColumnWidths(QTableView* grid, const Scale& scale);

}  // namespace vex
