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

MatchResult Matcher::next(qsizetype start, qsizetype end, QString& searchInput, int operatorCount) {
    // The plan depends only on the string, the count and the options; a string the plan
    // rewrote is planned afresh, exactly as a new FindNextMatch call would. A run hands back
    // the string of the last call: once the two share their data, no characters are compared.
    bool sameInput = searchInput.constData() == planInput_.constData() &&
                     searchInput.size() == planInput_.size();
    if (!sameInput && searchInput == planInput_) {
        planInput_ = searchInput;
        sameInput = true;
    }
    if (!plan_ || !sameInput || operatorCount != planOperatorCount_) {
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
        return MatchResult{MatchResult::kRejected, plan_->message};
    }
    if (plan_->kind == QueryKind::NoMatch || start < 0 || start >= list_.size()) {
        return {MatchResult::kNoHit, {}};
    }
    end = std::min(end, list_.size());
    qsizetype found = -1;
    switch (plan_->kind) {
        case QueryKind::Single:
            found = findTerm(plan_->left, start, end, leftCache_);
            break;
        case QueryKind::Or: {
            const qsizetype a = findTerm(plan_->left, start, end, leftCache_);
            const qsizetype b = findTerm(plan_->right, start, end, rightCache_);
            found = a < 0 || b < 0 ? std::max(a, b) : std::min(a, b);
            break;
        }
        case QueryKind::And:
            found = twoOperandLoop(start, end, true);
            break;
        case QueryKind::Not:
            found = twoOperandLoop(start, end, false);
            break;
        case QueryKind::GroupAnd:
            found = groupLoop(start, end, true);
            break;
        case QueryKind::GroupNot:
            found = groupLoop(start, end, false);
            break;
        case QueryKind::NoMatch:
        case QueryKind::Rejected:
            break;
    }
    if (found < 0 && end < list_.size()) {
        return {MatchResult::kNoHit, {}, std::max(start, end)};
    }
    return {found, {}};
}

qsizetype Matcher::findTerm(const TermQuery& term, qsizetype start, qsizetype end,
                            TermCache& cache) const {
    if (start < 0 || start >= end) {
        return -1;
    }
    // The first hit from `from` on is also the first hit from any start between the two; a
    // stretch seen without hit needs no second look.
    if (cache.from >= 0 && cache.from <= start) {
        if (cache.found >= 0 && start <= cache.found) {
            return cache.found < end ? cache.found : -1;
        }
        if (cache.found < 0 && start <= cache.to) {
            if (end <= cache.to) {
                return -1;
            }
            cache.found = scanTerm(term, cache.to, end);
            cache.to = cache.found >= 0 ? cache.found + 1 : end;
            return cache.found;
        }
    }
    cache.from = start;
    cache.found = scanTerm(term, start, end);
    cache.to = cache.found >= 0 ? cache.found + 1 : end;
    return cache.found;
}

qsizetype Matcher::scanTerm(const TermQuery& term, qsizetype start, qsizetype end) const {
    if (index_) {
        const qsizetype built = index_->built();
        if (start < built) {
            const qsizetype found =
                index_->find(term, start, std::min(end, built), options_.comments);
            if (found >= 0 || end <= built) {
                return found;
            }
            start = built;
        }
    }
    return ScanForTerm(list_, term, start, end, options_.comments);
}

bool Matcher::matchesRecord(const TermQuery& term, qsizetype position) const {
    if (index_ && position < index_->built()) {
        return TextMatchesTerm(index_->text(position, options_.comments), term);
    }
    return TextMatchesTerm(upper(RecordSearchText(list_.at(position), options_.comments)), term);
}

qsizetype Matcher::twoOperandLoop(qsizetype start, qsizetype end, bool wantRightMatch) {
    for (qsizetype p = start; p >= 0 && p < end;) {
        const qsizetype c = findTerm(plan_->left, p, end, leftCache_);
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

qsizetype Matcher::groupLoop(qsizetype start, qsizetype end, bool wantPrefix) {
    const QString& group = plan_->groupCode;
    for (qsizetype p = start; p >= 0 && p < end;) {
        const qsizetype c = findTerm(plan_->left, p, end, leftCache_);
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
