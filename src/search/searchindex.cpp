#include "search/searchindex.h"

#include "base/columns.h"
#include "search/columnscan.h"
#include "search/substringscan.h"

#include <algorithm>
#include <array>
#include <utility>

namespace vex {

namespace {

// Appends the cleaned value of a raw column in upper case, as CleanColumn and upper give it:
// the CleanedColumnView with its doubled quotes made single and each character upper-cased in
// one pass.
void appendCleanUpper(std::vector<char16_t>& out, QStringView raw) {
    const QStringView v = CleanedColumnView(raw);
    const char16_t* d = reinterpret_cast<const char16_t*>(v.utf16());
    for (qsizetype i = 0, n = v.size(); i < n; ++i) {
        out.push_back(upperUnit(d[i]));
        if (d[i] == u'"' && i + 1 < n && d[i + 1] == u'"') {
            ++i;
        }
    }
}

// The searched columns by their place in the line, and the first of them: its value opens the
// search text, every later one follows a tab.
constexpr auto kSearched = [] {
    std::array<bool, kColumnCount> searched{};
    for (const Column column : kSearchedColumns) {
        searched[std::size_t(ColumnIndex(column))] = true;
    }
    return searched;
}();
constexpr int kFirstSearched = ColumnIndex(kSearchedColumns[0]);
constexpr int kCommentsIndex = ColumnIndex(kCommentsOptionColumn);
constexpr int kSearchedEnd = SearchedColumnsEnd(true);

// The index keeps each record's text in line order, with the comments column last, so that the
// text without comments is where the text ends before it.
constexpr bool SearchedInLineOrderCommentsLast() {
    for (std::size_t i = 1; i < std::size(kSearchedColumns); ++i) {
        if (ColumnIndex(kSearchedColumns[i]) <= ColumnIndex(kSearchedColumns[i - 1])) {
            return false;
        }
    }
    return kSearchedColumns[std::size(kSearchedColumns) - 1] == kCommentsOptionColumn;
}
static_assert(SearchedInLineOrderCommentsLast());

}  // namespace

SearchIndex::SearchIndex(const QStringList& list, IndexBuild build) : list_(list) {
    begin_.push_back(0);
    if (build == IndexBuild::Whole) {
        finish();
    }
}

void SearchIndex::reserveAll() {
    // Reserved whole once, so that growing never copies what is built (a million records
    // hold some 200 MB of text).
    qsizetype total = 0;
    for (const QString& line : std::as_const(list_)) {
        total += line.size();
    }
    buffer_.reserve(std::size_t(total));
    begin_.reserve(std::size_t(list_.size() + 1));
    baseEnd_.reserve(std::size_t(list_.size()));
    rowRanges_.reserve(std::size_t(list_.size()));
}

void SearchIndex::appendRecord(const QString& line) {
    rowRanges_.push_back(ResultRowRanges(line));
    baseEnd_.push_back(qsizetype(buffer_.size()));
    QStringView rest = line;
    for (int column = 0; column < kSearchedEnd; ++column) {
        const qsizetype p = ColumnEnd(rest);
        if (kSearched[std::size_t(column)]) {
            if (column != kFirstSearched) {
                buffer_.push_back(u'\t');
            }
            appendCleanUpper(buffer_, p == 0 ? rest : rest.left(p - 1));
            if (column != kCommentsIndex) {
                baseEnd_.back() = qsizetype(buffer_.size());
            }
        }
        if (p == 0) {
            break;
        }
        rest = rest.mid(p);
    }
    begin_.push_back(qsizetype(buffer_.size()));
}

bool SearchIndex::buildStep(std::chrono::nanoseconds budget) {
    using Clock = std::chrono::steady_clock;
    const auto deadline = Clock::now() + budget;
    if (built() == 0 && !complete()) {
        reserveAll();
    }
    // A piece is a few records, about a tenth of a millisecond of work; the clock is read
    // after each piece.
    constexpr qsizetype kPiece = 64;
    const qsizetype count = size();
    for (qsizetype record = built(); record < count;) {
        const qsizetype pieceEnd = std::min(count, record + kPiece);
        for (; record < pieceEnd; ++record) {
            appendRecord(list_.at(record));
        }
        if (Clock::now() >= deadline) {
            break;
        }
    }
    return complete();
}

void SearchIndex::finish() {
    if (built() == 0 && !complete()) {
        reserveAll();
    }
    for (qsizetype record = built(); record < size(); ++record) {
        appendRecord(list_.at(record));
    }
}

bool SearchIndex::isIndexOf(const QStringList& list) const {
    return list.size() == list_.size() && list.constData() == list_.constData();
}

QStringView SearchIndex::text(qsizetype record, bool withComments) const {
    const qsizetype b = begin_[std::size_t(record)];
    const qsizetype e =
        withComments ? begin_[std::size_t(record) + 1] : baseEnd_[std::size_t(record)];
    return QStringView(buffer_.data() + b, e - b);
}

qsizetype SearchIndex::recordAt(qsizetype offset, qsizetype from) const {
    // The last record whose text begins at or before the offset (empty texts share offsets).
    const auto it = std::upper_bound(begin_.begin() + from + 1, begin_.end(), offset);
    return qsizetype(it - begin_.begin()) - 1;
}

qsizetype SearchIndex::find(const TermQuery& term, qsizetype start, qsizetype endRecord,
                            bool withComments) const {
    endRecord = std::min(endRecord, built());
    if (term.empty || start < 0 || start >= endRecord) {
        return -1;
    }
    const char16_t* hay = buffer_.data();
    const char16_t* needle = reinterpret_cast<const char16_t*>(term.upperTerm.utf16());
    const qsizetype m = term.upperTerm.size();
    // An occurrence that runs past the last record's text belongs to no record of the range.
    const qsizetype end = begin_[std::size_t(endRecord)];
    qsizetype record = start;
    qsizetype pos = begin_[std::size_t(start)];
    for (;;) {
        const qsizetype at = FindSubstring(hay, pos, end, needle, m);
        if (at < 0) {
            return -1;
        }
        if (at >= begin_[std::size_t(record) + 1]) {
            record = recordAt(at, record);
        }
        const qsizetype recordBegin = begin_[std::size_t(record)];
        const qsizetype recordEnd =
            withComments ? begin_[std::size_t(record) + 1] : baseEnd_[std::size_t(record)];
        if (at + m > recordEnd) {
            // Runs past this record's text (or lies in the comments left out): no later
            // occurrence in this record can fit either.
            pos = begin_[std::size_t(record) + 1];
            if (pos >= end) {
                return -1;
            }
            continue;
        }
        if (term.freeText || IsWordStartAt(QStringView(hay + recordBegin, recordEnd - recordBegin),
                                           at - recordBegin)) {
            return record;
        }
        pos = at + 1;
    }
}

std::shared_ptr<const SearchIndex> SearchIndexCache::indexFor(const QStringList& list) {
    const std::shared_ptr<SearchIndex> index = entryFor(list);
    index->finish();
    return index;
}

std::shared_ptr<SearchIndex> SearchIndexCache::entryFor(const QStringList& list) {
    const auto hit = std::find_if(entries_.begin(), entries_.end(),
                                  [&list](const auto& index) { return index->isIndexOf(list); });
    std::shared_ptr<SearchIndex> index;
    if (hit != entries_.end()) {
        index = *hit;
        entries_.erase(hit);
    } else {
        index = std::make_shared<SearchIndex>(list, IndexBuild::Piecewise);
    }
    entries_.insert(entries_.begin(), index);
    if (int(entries_.size()) > capacity_) {
        entries_.resize(std::size_t(std::max(capacity_, 1)));
    }
    return index;
}

}  // namespace vex
