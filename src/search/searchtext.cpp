#include "search/searchtext.h"

#include "base/columns.h"
#include "base/textutil.h"

#include <algorithm>
#include <utility>

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

// The line begins with the term once upper-cased character by character (as upper() does it).
bool startsWithInUpperCase(QStringView line, QStringView upperTerm) {
    for (qsizetype i = 0; i < upperTerm.size(); ++i) {
        if (upper(line.at(i)) != upperTerm.at(i)) {
            return false;
        }
    }
    return true;
}

}  // namespace

QString RecordSearchText(QStringView line, bool withComments) {
    QString text;
    SetRecordSearchText(text, line, withComments);
    return text;
}

void SetRecordSearchText(QString& text, QStringView line, bool withComments) {
    // The cleaned searched columns as SplitColumns gives them, written straight into the one
    // text: the plain search makes this text for every record it looks at.
    const int end = SearchedColumnsEnd(withComments);
    text.resize(0);
    text.reserve(line.size());
    QStringView rest = line;
    bool first = true;
    for (int index = 0; index < end; ++index) {
        const qsizetype p = NextColumnEnd(rest);
        if (IsSearchedColumn(ColumnAt(index), withComments)) {
            if (!first) {
                text += kFieldSeparator;
            }
            AppendWithSingleQuotes(text, CleanedColumnView(p == 0 ? rest : rest.left(p - 1)));
            first = false;
        }
        if (p == 0) {
            break;
        }
        rest = rest.mid(p);
    }
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
    QString text;
    for (qsizetype p = start; p < end; ++p) {
        SetRecordSearchText(text, list.at(p), withComments);
        text = upper(std::move(text));
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
    const QStringView upperTerm = query.upperTerm;
    for (qsizetype p = start; p < list.size(); ++p) {
        const QStringView line = CodeComparisonView(list.at(p));
        if (line.size() >= upperTerm.size() && startsWithInUpperCase(line, upperTerm)) {
            return p;
        }
    }
    return -1;
}

}  // namespace vex
