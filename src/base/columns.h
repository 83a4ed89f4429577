#pragma once

#include "base/textutil.h"

#include <QString>
#include <QStringList>
#include <QStringView>

namespace vex {

// The columns of a record line, in the order of the file; the header line names them in the
// same order.
enum class Column {
    Code,           // the SKS code
    Asterisk,       // "*" marks the code
    Text,           // the diagnosis text
    ShortListFlag,  // "1": the record belongs to the short list
    Synonyms,       // other names of the diagnosis
    Inclusions,     // what the code includes (markup allowed)
    Keywords,       // words to find the record by
    Comments,       // remarks (markup allowed)
    EditDate,       // date of the record's last local edit or status change
};

// How many columns a record line has; further columns are split off and dropped.
inline constexpr int kColumnCount = static_cast<int>(Column::EditDate) + 1;

// The column's place in the line, 0 for the first.
constexpr int ColumnIndex(Column column) {
    return static_cast<int>(column);
}

// The column at a place in the line (0 <= index < kColumnCount).
constexpr Column ColumnAt(int index) {
    return static_cast<Column>(index);
}

// The columns the search reads, in the order of the line; their values, joined by tabs, make
// a record's search text. The comments column is read only while the comments option is on.
inline constexpr Column kSearchedColumns[] = {Column::Code,     Column::Text,
                                              Column::Synonyms, Column::Inclusions,
                                              Column::Keywords, Column::Comments};
inline constexpr Column kCommentsOptionColumn = Column::Comments;

// The field separator of data files.
inline constexpr QChar kFieldSeparator = QLatin1Char('\t');

// The 1-based position of the tab that ends the first column of the text, or 0 when the text
// is empty or its first column is also its last. A column that starts with a double quote
// runs to the first tab after its closing quote; doubled quotes inside it are kept.
qsizetype NextColumnEnd(QStringView text);

// A raw column as far as cleaning it needs no copy: trimmed, one enclosing double quote
// dropped at each end, trimmed again. Doubled double quotes inside still stand for one.
inline QStringView CleanedColumnView(QStringView raw) {
    QStringView v = trimmedView32(raw);
    if (!v.isEmpty() && v.front() == u'"') {
        v = v.mid(1);
    }
    if (!v.isEmpty() && v.back() == u'"') {
        v.chop(1);
    }
    return trimmedView32(v);
}

// The text with every doubled double quote reduced to one, read from left to right.
QString WithSingleQuotes(QStringView v);
// The same, appended to out.
void AppendWithSingleQuotes(QString& out, QStringView v);

// Cleans one raw column: its CleanedColumnView with doubled double quotes reduced to one.
inline QString CleanColumn(QStringView raw) {
    return WithSingleQuotes(CleanedColumnView(raw));
}

// The quote-aware column split: the decoded values of the line's columns, in order, at most
// maxColumns of them (the rest is split off and dropped).
QStringList SplitColumns(QStringView line, int maxColumns = kColumnCount);

// The value of a column of a split line; empty when the line has fewer columns.
inline QString ColumnValue(const QStringList& values, Column column) {
    return values.value(ColumnIndex(column));
}

}  // namespace vex
