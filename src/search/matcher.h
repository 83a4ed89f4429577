#pragma once

#include "base/dialogs.h"
#include "search/queryplan.h"
#include "search/searchtext.h"

#include <QString>
#include <QStringList>

#include <memory>
#include <optional>

namespace vex {

class SearchIndex;

// The answer of one FindNextMatch call: a position, -1 (no further hit) or -2 (the search
// string makes no sense; message is the warning to show).
struct MatchResult {
    qsizetype position = -1;
    std::optional<Message> message;
};

// Finds the hits of a search string in a record list, one call at a time. Every call splits,
// validates and rewrites the search string as a single FindNextMatch call does, so the answers
// are exactly those of FindNextMatch; the matcher only remembers what it worked out for the
// string it saw last (the plan and where each operand matched next), and searches through an
// index of the list when it has one.
class Matcher {
public:
    Matcher(const QStringList& list, const SearchOptions& options,
            std::shared_ptr<const SearchIndex> index = {});

    // The first hit at or after start. Rewrites searchInput as FindNextMatch does.
    MatchResult next(qsizetype start, QString& searchInput, int operatorCount);

private:
    // Where a term was last found: the first hit at or after `from` is `found` (-1: none).
    struct TermCache {
        qsizetype from = -1;
        qsizetype found = -1;
    };

    qsizetype findTerm(const TermQuery& term, qsizetype start, TermCache& cache) const;
    qsizetype scanTerm(const TermQuery& term, qsizetype start) const;
    bool matchesRecord(const TermQuery& term, qsizetype position) const;
    qsizetype twoOperandLoop(qsizetype start, bool wantRightMatch);
    qsizetype groupLoop(qsizetype start, bool wantPrefix);

    QStringList list_;
    SearchOptions options_;
    std::shared_ptr<const SearchIndex> index_;

    std::optional<QueryPlan> plan_;
    QString planInput_;  // the search string the plan was made from
    int planOperatorCount_ = 0;
    TermCache leftCache_;
    TermCache rightCache_;
};

// The next record at or after start that the search string matches, -1 when there is none, or
// -2 when the search string makes no sense (with the warning to show). Rewrites searchInput:
// operands without inner "*", group codes in their full upper-case form.
MatchResult FindNextMatch(const QStringList& list, qsizetype start, QString& searchInput,
                          int operatorCount, const SearchOptions& options);

}  // namespace vex
