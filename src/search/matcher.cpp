#include "search/matcher.h"

#include "base/textutil.h"
#include "search/searchindex.h"

namespace vex {

Matcher::Matcher(const QStringList& list, const SearchOptions& options,
                 std::shared_ptr<const SearchIndex> index)
    : list_(list), options_(options), index_(std::move(index)) {
    if (index_ && !index_->isIndexOf(list_)) {
        index_.reset();  // an index of another list would give wrong answers
    }
}

MatchResult Matcher::next(qsizetype start, QString& searchInput, int operatorCount) {
    // The plan depends only on the string, the count and the options; a string the plan
    // rewrote is planned afresh, exactly as a new FindNextMatch call would.
    if (!plan_ || searchInput != planInput_ || operatorCount != planOperatorCount_) {
        plan_ = CompileQuery(searchInput, operatorCount, options_);
        planInput_ = searchInput;
        planOperatorCount_ = operatorCount;
        leftCache_ = {};
        rightCache_ = {};
    }
    if (searchInput.constData() != plan_->searchInput.constData() ||
        searchInput.size() != plan_->searchInput.size()) {
        searchInput = plan_->searchInput;
    }
    if (plan_->kind == QueryKind::Rejected) {
        return MatchResult{-2, plan_->message};
    }
    switch (plan_->kind) {
        case QueryKind::Single:
            return {findTerm(plan_->left, start, leftCache_), {}};
        case QueryKind::Or: {
            const qsizetype a = findTerm(plan_->left, start, leftCache_);
            const qsizetype b = findTerm(plan_->right, start, rightCache_);
            if (a < 0 || b < 0) {
                return {std::max(a, b), {}};
            }
            return {std::min(a, b), {}};
        }
        case QueryKind::And:
            return {twoOperandLoop(start, true), {}};
        case QueryKind::Not:
            return {twoOperandLoop(start, false), {}};
        case QueryKind::GroupAnd:
            return {groupLoop(start, true), {}};
        case QueryKind::GroupNot:
            return {groupLoop(start, false), {}};
        case QueryKind::NoMatch:
        case QueryKind::Rejected:
            break;
    }
    return {-1, {}};
}

qsizetype Matcher::findTerm(const TermQuery& term, qsizetype start, TermCache& cache) const {
    if (start < 0 || start >= list_.size()) {
        return -1;
    }
    // The first hit from `from` on is also the first hit from any start between the two.
    if (cache.from >= 0 && cache.from <= start && (cache.found < 0 || start <= cache.found)) {
        return cache.found;
    }
    cache.from = start;
    cache.found = scanTerm(term, start);
    return cache.found;
}

qsizetype Matcher::scanTerm(const TermQuery& term, qsizetype start) const {
    if (index_) {
        return index_->find(term, start, options_.comments);
    }
    return ScanForTerm(list_, term, start, options_.comments);
}

bool Matcher::matchesRecord(const TermQuery& term, qsizetype position) const {
    if (index_) {
        return TextMatchesTerm(index_->text(position, options_.comments), term);
    }
    return TextMatchesTerm(upper(RecordSearchText(list_.at(position), options_.comments)), term);
}

qsizetype Matcher::twoOperandLoop(qsizetype start, bool wantRightMatch) {
    for (qsizetype p = start; p >= 0 && p < list_.size();) {
        const qsizetype c = findTerm(plan_->left, p, leftCache_);
        if (c < 0) {
            return -1;
        }
        if (matchesRecord(plan_->right, c) == wantRightMatch) {
            return c;
        }
        p = c + 1;
    }
    return -1;
}

qsizetype Matcher::groupLoop(qsizetype start, bool wantPrefix) {
    const QString& group = plan_->groupCode;
    for (qsizetype p = start; p >= 0 && p < list_.size();) {
        const qsizetype c = findTerm(plan_->left, p, leftCache_);
        if (c < 0) {
            return -1;
        }
        const QStringView line = CodeComparisonView(list_.at(c));
        // AND compares the characters as written; NOT compares the line in upper case.
        const bool prefix = wantPrefix ? line.startsWith(group)
                                       : upper(line.left(group.size()).toString()) == group;
        if (prefix == wantPrefix) {
            return c;
        }
        p = c + 1;
    }
    return -1;
}

MatchResult FindNextMatch(const QStringList& list, qsizetype start, QString& searchInput,
                          int operatorCount, const SearchOptions& options) {
    Matcher matcher(list, options);
    return matcher.next(start, searchInput, operatorCount);
}

}  // namespace vex
