#include "search/resulttable.h"

#include "base/columns.h"

namespace vex {

namespace {

// The value cut to the width, without leaving half of a surrogate pair at the end.
QString cut(const QString& value, int width) {
    if (value.size() <= width) {
        return value;
    }
    qsizetype n = width;
    if (value.at(n - 1).isHighSurrogate() && value.at(n).isLowSurrogate()) {
        --n;
    }
    return value.left(n);
}

}  // namespace

ResultTable::ResultTable(QObject* parent) : QAbstractTableModel(parent) {}

void ResultTable::setHeaders(const QString& codeTitle, const QString& textTitle) {
    codeTitle_ = codeTitle;
    textTitle_ = textTitle;
    emit headerDataChanged(Qt::Horizontal, 0, 1);
}

void ResultTable::clear() {
    beginResetModel();
    rows_.clear();
    announced_ = 0;
    currentRow_ = -1;
    endResetModel();
}

void ResultTable::append(const QString& code, const QString& text) {
    rows_.push_back(Row{cut(code, kCodeWidth), cut(text, kTextWidth)});
    if (!batch_) {
        endBatch();
    }
}

void ResultTable::beginBatch() {
    batch_ = true;
}

void ResultTable::endBatch() {
    batch_ = false;
    const int total = count();
    if (total > announced_) {
        beginInsertRows(QModelIndex(), announced_, total - 1);
        announced_ = total;
        endInsertRows();
    }
}

int ResultTable::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : announced_;
}

int ResultTable::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : 2;
}

QVariant ResultTable::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= announced_ || index.column() > 1 ||
        (role != Qt::DisplayRole && role != Qt::EditRole)) {
        return {};
    }
    const Row& row = rows_.at(std::size_t(index.row()));
    return index.column() == 0 ? row.code : row.text;
}

QVariant ResultTable::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 || section > 1) {
        return QAbstractTableModel::headerData(section, orientation, role);
    }
    return section == 0 ? codeTitle_ : textTitle_;
}

bool AddResultRow(ResultTable& table, QStringView line) {
    const QStringList values = SplitColumns(line, 3);
    table.append(values.first(), values.size() > 2 ? values.at(2) : values.last());
    return table.count() == 100;
}

}  // namespace vex
