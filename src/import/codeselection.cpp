#include "import/codeselection.h"

#include <algorithm>

namespace vex {

TargetList targetListOf(const QString& code) {
    if (code.isEmpty()) {
        return TargetList::None;
    }
    switch (code.front().unicode()) {
        case u'D':
            return TargetList::Primary;
        case u'B':
        case u'K':
        case u'U':
            return TargetList::Secondary;
        default:
            return TargetList::None;
    }
}

int CodeSelection::kindIndex(const QString& kind) {
    const qsizetype i = kinds_.indexOf(kind);
    if (i >= 0) {
        return int(i);
    }
    kinds_.append(kind);
    return int(kinds_.size() - 1);
}

void CodeSelection::add(const SksLine& line, qint64 lineNumber) {
    State& state = codes_[line.code];
    if (!line.isValidOn(day_)) {
        state.notYetValid = state.notYetValid || line.validFrom > day_;
        return;
    }
    Candidate next{line.text,  line.validFrom,       line.lastChange,
                   lineNumber, kindIndex(line.kind), line.fullWidth};
    if (!state.valid) {
        state.chosen = std::move(next);
        state.valid = true;
        return;
    }
    state.overlapping = true;
    const Candidate& now = state.chosen;
    const auto newer = std::make_pair(next.validFrom, next.lastChange);
    const auto current = std::make_pair(now.validFrom, now.lastChange);
    if (newer < current) {
        return;
    }
    if (newer == current && next.text != now.text) {
        ties_.append({now.line, next.line});
    }
    state.chosen = std::move(next);
}

CodeSelection::Result CodeSelection::take() {
    Result result;
    for (auto it = codes_.begin(); it != codes_.end(); ++it) {
        State& state = it.value();
        if (!state.valid) {
            ++(state.notYetValid ? result.closedNotYetValid : result.closedEnded);
            continue;
        }
        result.overlapping += state.overlapping ? 1 : 0;
        Candidate& c = state.chosen;
        ChosenCode chosen{it.key(), std::move(c.text), kinds_.at(c.kind), c.line, c.fullWidth};
        (targetListOf(it.key()) == TargetList::Primary ? result.primary : result.secondary)
            .append(std::move(chosen));
    }
    codes_.clear();
    const auto byCode = [](const ChosenCode& a, const ChosenCode& b) {
        return QString::compare(a.code, b.code, Qt::CaseSensitive) < 0;
    };
    std::sort(result.primary.begin(), result.primary.end(), byCode);
    std::sort(result.secondary.begin(), result.secondary.end(), byCode);
    std::sort(ties_.begin(), ties_.end());
    result.ties = std::move(ties_);
    return result;
}

}  // namespace vex
