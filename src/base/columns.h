#pragma once

#include "base/textutil.h"

#include <QString>
#include <QStringList>
#include <QStringView>

namespace vex {

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
QStringList SplitColumns(QStringView line, int maxColumns = 9);

}  // namespace vex
