#pragma once

#include "base/columns.h"
#include "base/searchoptions.h"

#include <QString>
#include <QStringList>
#include <QStringView>

namespace vex {

// Whether the search reads the column: one of the searched columns, the comments column only
// with the comments option.
constexpr bool IsSearchedColumn(Column column, bool withComments) {
    if (column == kCommentsOptionColumn && !withComments) {
        return false;
    }
    for (const Column searched : kSearchedColumns) {
        if (searched == column) {
            return true;
        }
    }
    return false;
}

// How many columns of a line the search splits off to reach every column it reads.
constexpr int SearchedColumnsEnd(bool withComments) {
    int end = 0;
    for (const Column searched : kSearchedColumns) {
        if (IsSearchedColumn(searched, withComments) && ColumnIndex(searched) >= end) {
            end = ColumnIndex(searched) + 1;
        }
    }
    return end;
}

// The searchable text of a record line: the values of the searched columns (the comments
// column only with comments), in the order of the line, joined by tabs. A line with fewer
// columns contributes the columns it has.
QString RecordSearchText(QStringView line, bool withComments);
// The same written over text, which keeps its room: a scan over many records makes one text.
void SetRecordSearchText(QString& text, QStringView line, bool withComments);

// True when the term occurs in the text at the start of a word: at the very start (also behind
// one quote), or behind a tab, a blank, "(", "-", an en dash, ";" or "/", where a quote behind a
// tab, a blank or a blank and "(" may come between. Both are expected in upper case.
bool MatchesAtWordStart(QStringView term, QStringView text);

// The word-start test for one occurrence of a term at position at of the text.
bool IsWordStartAt(QStringView text, qsizetype at);

// A line as the code look-up and the group search compare it: leading characters of code 32
// or less and one opening double quote of a quoted code column skipped.
QStringView CodeComparisonView(QStringView line);

// One term as the search looks for it: upper case, without its free-text mark.
struct TermQuery {
    QString upperTerm;
    bool freeText = false;  // anywhere in the text rather than at a word start
    bool empty = true;      // an empty term matches nothing
};

// A term as FindTerm reads it: a leading "*" asks for free text and is dropped.
TermQuery PrepareTerm(const QString& term, const SearchOptions& options);

// Whether an upper-case search text matches the term (anywhere for free text, else at a word
// start). The empty flag is not looked at: an empty term is found in every text.
bool TextMatchesTerm(QStringView upperText, const TermQuery& term);

// The first record from start on whose search text matches the term, or -1; the plain scan
// that builds and upper-cases every search text it looks at.
qsizetype ScanForTerm(const QStringList& list, const TermQuery& term, qsizetype start,
                      bool withComments);
// The same over the records before end only.
qsizetype ScanForTerm(const QStringList& list, const TermQuery& term, qsizetype start,
                      qsizetype end, bool withComments);

enum class FindMode { Normal, CodeLookUp };

// The first position from start on whose record matches the term, or -1. Normal mode matches
// the search text by word start, or anywhere when the free-text option is on or the term begins
// with "*"; the code look-up matches the start of the line. An empty term matches nothing.
qsizetype FindTerm(const QStringList& list, const QString& term, FindMode mode, qsizetype start,
                   const SearchOptions& options);

}  // namespace vex
