#pragma once

#include <QAbstractTableModel>
#include <QString>
#include <QStringList>

#include <vector>

namespace vex {

// Where the code and text values of a record line lie in the line: the raw column ranges,
// trimmed and without enclosing quotes; doubled quotes inside still stand for one.
struct RowRanges {
    qint32 codeBegin = 0;
    qint32 codeLength = 0;
    qint32 textBegin = 0;
    qint32 textLength = 0;
};

// The ranges of the code and the text column of the column split; a line of fewer columns gives
// its last column as text.
RowRanges ResultRowRanges(QStringView line);

// The result table: the code and the text of every hit, in the order they were appended.
// Codes are cut to 10 characters and texts to 255. Rows appended between beginBatch() and
// endBatch() are announced to views together at the end, so a run that appends many rows costs
// one insertion for the views. A row taken from a record line keeps a reference to the line
// and gives its values when asked: appending a hit costs no copy of its texts.
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
    // The code and text columns of a record line (see AddResultRow).
    void appendLine(const QString& line);
    void appendRecord(const QStringList& list, qsizetype record);
    // The same with the ranges of the record line known (an index holds them).
    void appendRecord(const QStringList& list, qsizetype record, const RowRanges& ranges);
    void beginBatch();
    void endBatch();

    // Every row appended, announced or not.
    int count() const { return int(rows_.size()); }
    QString code(int row) const;
    QString text(int row) const;

    // The current row: the first row after first(), -1 while the table is empty.
    int currentRow() const { return currentRow_; }
    void first() { currentRow_ = rows_.empty() ? -1 : 0; }

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

private:
    // A value: a range of one item of one source list, either exact or a raw column range
    // whose doubled quotes still stand for one.
    struct Value {
        qint32 item;
        qint32 begin;
        qint32 length;
    };
    struct Row {
        qint32 source;
        bool raw;
        Value code;
        Value text;
    };

    void addRow(const Row& row);
    qint32 sourceOf(const QStringList& list);
    QString valueOf(const Row& row, const Value& value, int width) const;

    // Source 0 holds what was appended directly; the others are the searched lists.
    std::vector<QStringList> sources_;
    std::vector<Row> rows_;
    int announced_ = 0;  // rows the views know of
    bool batch_ = false;
    int currentRow_ = -1;
    QString codeTitle_;
    QString textTitle_;
};

// Appends a record line's code and text to the table (the values of the code and the text
// column of the column split; a line of fewer columns gives its last column's value as text). True
// when the table holds exactly 100 rows afterwards: the moment the hint on cancelling a long search
// appears. The second form appends the record of a list.
bool AddResultRow(ResultTable& table, const QString& line);
bool AddResultRow(ResultTable& table, const QStringList& list, qsizetype record);

}  // namespace vex
