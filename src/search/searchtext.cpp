#include "search/searchtext.h"

#include "base/columns.h"
#include "base/textutil.h"

#include <algorithm>

namespace vex {

namespace {

bool isQuote(QChar c) {
    return c == QLatin1Char('\'') || c == QLatin1Char('"');
}

bool isBlankOrTab(QChar c) {
    return c == QLatin1Char(' ') || c == QLatin1Char('\t');
}

// Characters directly after which a word starts.
bool isWordSeparator(QChar c) {
    switch (c.unicode()) {
        case '\t':
        case ' ':
        case '(':
        case '-':
        case 0x2013:  // en dash
        case ';':
        case '/':
            return true;
        default:
            return false;
    }
}

}  // namespace

QString RecordSearchText(QStringView line, bool withComments) {
    const QStringList values = SplitColumns(line, SearchedColumnsEnd(withComments));
    QString text;
    bool first = true;
    for (const Column column : kSearchedColumns) {
        if (ColumnIndex(column) < values.size() && IsSearchedColumn(column, withComments)) {
            if (!first) {
                text += QLatin1Char('\t');
            }
            text += values.at(ColumnIndex(column));
            first = false;
        }
    }
    return text;
}

bool IsWordStartAt(QStringView text, qsizetype at) {
    if (at == 0) {
        return true;
    }
    const QChar before = text.at(at - 1);
    if (isWordSeparator(before)) {
        return true;
    }
    if (!isQuote(before)) {
        return false;
    }
    // A quote opens a word at the start of the text, behind a tab or a blank, or behind " (".
    if (at == 1 || isBlankOrTab(text.at(at - 2))) {
        return true;
    }
    return text.at(at - 2) == QLatin1Char('(') && at >= 3 && text.at(at - 3) == QLatin1Char(' ');
}

bool MatchesAtWordStart(QStringView term, QStringView text) {
    if (term.isEmpty()) {
        return true;
    }
    for (qsizetype at = text.indexOf(term); at >= 0; at = text.indexOf(term, at + 1)) {
        if (IsWordStartAt(text, at)) {
            return true;
        }
    }
    return false;
}

QStringView CodeComparisonView(QStringView line) {
    qsizetype i = 0;
    while (i < line.size() && line.at(i).unicode() <= 32) {
        ++i;
    }
    if (i < line.size() && line.at(i) == QLatin1Char('"')) {
        ++i;
    }
    return line.mid(i);
}

TermQuery PrepareTerm(const QString& term, const SearchOptions& options) {
    TermQuery q;
    q.freeText = options.freeText;
    QStringView t = term;
    if (t.startsWith(QLatin1Char('*'))) {
        q.freeText = true;
        t = t.mid(1);
    }
    q.empty = t.isEmpty();
    q.upperTerm = upper(t.toString());
    return q;
}

bool TextMatchesTerm(QStringView upperText, const TermQuery& term) {
    if (term.freeText) {
        return upperText.contains(term.upperTerm);
    }
    return MatchesAtWordStart(term.upperTerm, upperText);
}

qsizetype ScanForTerm(const QStringList& list, const TermQuery& term, qsizetype start,
                      bool withComments) {
    return ScanForTerm(list, term, start, list.size(), withComments);
}

qsizetype ScanForTerm(const QStringList& list, const TermQuery& term, qsizetype start,
                      qsizetype end, bool withComments) {
    if (term.empty || start < 0) {
        return -1;
    }
    end = std::min(end, list.size());
    for (qsizetype p = start; p < end; ++p) {
        const QString text = upper(RecordSearchText(list.at(p), withComments));
        // The cheap test first; the word-start test only where the term occurs at all.
        if (text.contains(term.upperTerm) && (term.freeText || TextMatchesTerm(text, term))) {
            return p;
        }
    }
    return -1;
}

qsizetype FindTerm(const QStringList& list, const QString& term, FindMode mode, qsizetype start,
                   const SearchOptions& options) {
    if (start < 0 || start >= list.size()) {
        return -1;
    }
    const TermQuery query = PrepareTerm(term, options);
    if (mode == FindMode::Normal) {
        return ScanForTerm(list, query, start, options.comments);
    }
    if (query.empty) {
        return -1;
    }
    for (qsizetype p = start; p < list.size(); ++p) {
        const QStringView line = CodeComparisonView(list.at(p));
        if (line.size() >= query.upperTerm.size() &&
            upper(line.left(query.upperTerm.size()).toString()) == query.upperTerm) {
            return p;
        }
    }
    return -1;
}

}  // namespace vex
