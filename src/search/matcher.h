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

// The answer of one FindNextMatch call: a position, kNoHit or kRejected (the search string
// makes no sense; message is the warning to show). A call limited to a window of records that
// found no hit in it says where the search goes on (resumeAt); the answer is not final then.
struct MatchResult {
    static constexpr qsizetype kNoHit = -1;     // no further hit
    static constexpr qsizetype kRejected = -2;  // the search string was rejected

    qsizetype position = kNoHit;
    std::optional<Message> message;
    qsizetype resumeAt = -1;  // no hit before this position so far; -1: the answer is final

    bool searching() const { return resumeAt >= 0; }
    bool rejected() const { return position == kRejected; }
};

// Finds the hits of a search string in a record list, one call at a time. Every call splits,
// validates and rewrites the search string as a single FindNextMatch call does, so the answers
// are exactly those of FindNextMatch; the matcher only remembers what it worked out for the
// string it saw last (the plan and where each operand matched next), and searches through an
// index of the list when it has one. An index still being built serves the records it has;
// the rest are scanned plainly.
class Matcher {
public:
    Matcher(const QStringList& list, const SearchOptions& options,
            std::shared_ptr<const SearchIndex> index = {});

    // The first hit at or after start. Rewrites searchInput as FindNextMatch does.
    MatchResult next(qsizetype start, QString& searchInput, int operatorCount) {
        return next(start, list_.size(), searchInput, operatorCount);
    }

    // The same, looking only at the records before end: when none of [start, end) is a hit
    // and end is not the end of the list, the answer is "searching" with resumeAt = end, and
    // the next call from end goes on where this one stopped. The string is validated and
    // rewritten before any record is looked at, so a rejection comes on the first call even
    // when its window is empty. What was learnt about the terms is kept across windows, so
    // calls over consecutive windows cost what one call over all of them would.
    MatchResult next(qsizetype start, qsizetype end, QString& searchInput, int operatorCount);

private:
    // What the scan of a term has seen: it looked at [from, to), and `found` is the first hit
    // there (then to is found + 1), or -1 when there is none.
    struct TermCache {
        qsizetype from = -1;
        qsizetype to = -1;
        qsizetype found = -1;
    };

    qsizetype findTerm(const TermQuery& term, qsizetype start, qsizetype end,
                       TermCache& cache) const;
    qsizetype scanTerm(const TermQuery& term, qsizetype start, qsizetype end) const;
    bool matchesRecord(const TermQuery& term, qsizetype position) const;
    qsizetype twoOperandLoop(qsizetype start, qsizetype end, bool wantRightMatch);
    qsizetype groupLoop(qsizetype start, qsizetype end, bool wantPrefix);

    QStringList list_;
    SearchOptions options_;
    std::shared_ptr<const SearchIndex> index_;

    std::optional<QueryPlan> plan_;
    QString planInput_;  // the search string the plan was made from
    int planOperatorCount_ = 0;
    TermCache leftCache_;
    TermCache rightCache_;
};

// The next record at or after start that the search string matches, kNoHit when there is none,
// or kRejected when the search string makes no sense (with the warning to show). Rewrites
// searchInput: operands without inner "*", group codes in their full upper-case form.
MatchResult FindNextMatch(const QStringList& list, qsizetype start, QString& searchInput,
                          int operatorCount, const SearchOptions& options);

}  // namespace vex
