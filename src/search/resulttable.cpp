#include "search/resulttable.h"

#include "base/columns.h"
#include "search/columnscan.h"

namespace vex {

namespace {

// The value cut to the width, without leaving half of a surrogate pair at the end.
QString cut(QString value, int width) {
    if (value.size() > width) {
        qsizetype n = width;
        if (value.at(n - 1).isHighSurrogate() && value.at(n).isLowSurrogate()) {
            --n;
        }
        value.truncate(n);
    }
    return value;
}

}  // namespace

RowRanges ResultRowRanges(QStringView line) {
    constexpr int kCode = ColumnIndex(Column::Code);
    constexpr int kText = ColumnIndex(Column::Text);
    static_assert(kCode < kText, "the text is looked for after the code");
    QStringView rest = line;
    QStringView code;
    QStringView text;
    for (int column = 0; column <= kText; ++column) {
        const qsizetype p = ColumnEnd(rest);
        text = p == 0 ? rest : rest.left(p - 1);
        if (column == kCode) {
            code = text;
        }
        if (p == 0) {
            break;
        }
        rest = rest.mid(p);
    }
    code = CleanedColumnView(code);
    text = CleanedColumnView(text);
    const auto offset = [&line](QStringView v) { return qint32(v.data() - line.data()); };
    return RowRanges{offset(code), qint32(code.size()), offset(text), qint32(text.size())};
}

ResultTable::ResultTable(QObject* parent) : QAbstractTableModel(parent), sources_(1) {}

void ResultTable::setHeaders(const QString& codeTitle, const QString& textTitle) {
    codeTitle_ = codeTitle;
    textTitle_ = textTitle;
    emit headerDataChanged(Qt::Horizontal, 0, 1);
}

void ResultTable::clear() {
    beginResetModel();
    rows_.clear();
    sources_.assign(1, QStringList());
    announced_ = 0;
    currentRow_ = -1;
    endResetModel();
}

void ResultTable::addRow(const Row& row) {
    rows_.push_back(row);
    if (!batch_) {
        endBatch();
    }
}

void ResultTable::append(const QString& code, const QString& text) {
    QStringList& own = sources_.front();
    const qint32 item = qint32(own.size());
    own << code << text;
    addRow(Row{0, false, Value{item, 0, qint32(code.size())},
               Value{item + 1, 0, qint32(text.size())}});
}

void ResultTable::appendLine(const QString& line) {
    QStringList& own = sources_.front();
    own << line;
    const RowRanges r = ResultRowRanges(line);
    const qint32 item = qint32(own.size() - 1);
    addRow(Row{0, true, Value{item, r.codeBegin, r.codeLength},
               Value{item, r.textBegin, r.textLength}});
}

qint32 ResultTable::sourceOf(const QStringList& list) {
    const QStringList& last = sources_.back();
    if (sources_.size() == 1 || last.constData() != list.constData() ||
        last.size() != list.size()) {
        sources_.push_back(list);
    }
    return qint32(sources_.size() - 1);
}

void ResultTable::appendRecord(const QStringList& list, qsizetype record) {
    appendRecord(list, record, ResultRowRanges(list.at(record)));
}

void ResultTable::appendRecord(const QStringList& list, qsizetype record, const RowRanges& r) {
    const qint32 item = qint32(record);
    addRow(Row{sourceOf(list), true, Value{item, r.codeBegin, r.codeLength},
               Value{item, r.textBegin, r.textLength}});
}

QString ResultTable::valueOf(const Row& row, const Value& value, int width) const {
    const QString& s = sources_[std::size_t(row.source)].at(value.item);
    const QStringView v = QStringView(s).mid(value.begin, value.length);
    return cut(row.raw ? WithSingleQuotes(v) : v.toString(), width);
}

QString ResultTable::code(int row) const {
    const Row& r = rows_.at(std::size_t(row));
    return valueOf(r, r.code, kCodeWidth);
}

QString ResultTable::text(int row) const {
    const Row& r = rows_.at(std::size_t(row));
    return valueOf(r, r.text, kTextWidth);
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
    return index.column() == 0 ? code(index.row()) : text(index.row());
}

QVariant ResultTable::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 || section > 1) {
        return QAbstractTableModel::headerData(section, orientation, role);
    }
    return section == 0 ? codeTitle_ : textTitle_;
}

bool AddResultRow(ResultTable& table, const QString& line) {
    table.appendLine(line);
    return table.count() == 100;
}

bool AddResultRow(ResultTable& table, const QStringList& list, qsizetype record) {
    table.appendRecord(list, record);
    return table.count() == 100;
}

}  // namespace vex
