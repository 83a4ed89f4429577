#pragma once

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

// Cleans one raw column: trimmed, one enclosing double quote dropped at each end, trimmed
// again, doubled double quotes reduced to one.
QString CleanColumn(QStringView raw);

// The quote-aware column split: the decoded values of the line's columns, in order, at most
// maxColumns of them (the rest is split off and dropped).
QStringList SplitColumns(QStringView line, int maxColumns = 9);

}  // namespace vex
