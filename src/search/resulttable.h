#pragma once

#include <QAbstractTableModel>
#include <QString>

#include <vector>

namespace vex {

// The result table: the code and the text of every hit, in the order they were appended.
// Codes are cut to 10 characters and texts to 255 when a row is appended. Rows appended
// between beginBatch() and endBatch() are announced to views together at the end, so a run
// that appends many rows costs one insertion for the views.
class ResultTable : public QAbstractTableModel {
    Q_OBJECT

public:
    static constexpr int kCodeWidth = 10;
    static constexpr int kTextWidth = 255;

    explicit ResultTable(QObject* parent = nullptr);

    // Column titles: the names of the code and text columns of the data file in use.
    void setHeaders(const QString& codeTitle, const QString& textTitle);

    void clear();
    void append(const QString& code, const QString& text);
    void beginBatch();
    void endBatch();

    // Every row appended, announced or not.
    int count() const { return int(rows_.size()); }
    QString code(int row) const { return rows_.at(std::size_t(row)).code; }
    QString text(int row) const { return rows_.at(std::size_t(row)).text; }

    // The current row: the first row after first(), -1 while the table is empty.
    int currentRow() const { return currentRow_; }
    void first() { currentRow_ = rows_.empty() ? -1 : 0; }

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

private:
    struct Row {
        QString code;
        QString text;
    };

    std::vector<Row> rows_;
    int announced_ = 0;  // rows the views know of
    bool batch_ = false;
    int currentRow_ = -1;
    QString codeTitle_;
    QString textTitle_;
};

// Appends a record line's code and text to the table (the values of columns 0 and 2; a line of
// fewer columns gives its last column's value as text). True when the table holds exactly 100
// rows afterwards: the moment the hint on cancelling a long search appears.
bool AddResultRow(ResultTable& table, QStringView line);

}  // namespace vex
