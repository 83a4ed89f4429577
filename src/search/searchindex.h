#pragma once

#include "search/resulttable.h"
#include "search/searchtext.h"

#include <QStringList>
#include <QStringView>

#include <chrono>
#include <memory>
#include <vector>

namespace vex {

// How an index is built: whole at once, or record by record in pieces (buildStep).
enum class IndexBuild { Whole, Piecewise };

// The upper-case search texts of every record of one list, built once and kept in one
// contiguous buffer, so that a term is found by one fast scan over the whole list instead of
// building each record's text again. The index keeps a shared copy of its list: while it
// lives, the list's items cannot change under it.
//
// A piecewise index is built from the first record on, a piece at a time, so that the window
// can go on processing events in between; the records built so far can be searched already.
// Finished, it is the same as an index built whole.
class SearchIndex {
public:
    explicit SearchIndex(const QStringList& list, IndexBuild build = IndexBuild::Whole);

    const QStringList& list() const { return list_; }
    qsizetype size() const { return list_.size(); }

    // Records built so far (the first `built()` records of the list).
    qsizetype built() const { return qsizetype(rowRanges_.size()); }
    bool complete() const { return built() == size(); }

    // Builds further records until the time budget is spent or the index is complete; the
    // clock is read every few records, so a step may go slightly past its budget. A zero
    // budget builds at least one piece. True when the index is complete.
    bool buildStep(std::chrono::nanoseconds budget);
    // Builds the rest at once.
    void finish();

    // Whether the list is the very list this index was built from (same shared items).
    bool isIndexOf(const QStringList& list) const;

    // The upper-case search text of a built record, as RecordSearchText gives it.
    QStringView text(qsizetype record, bool withComments) const;

    // Where the code and text of a built record lie in its line, for the result table.
    const RowRanges& rowRanges(qsizetype record) const { return rowRanges_[std::size_t(record)]; }

    // The first record in [start, end) whose search text matches the term, or -1; the same
    // answer as ScanForTerm over the list. Only built records are searched: end is cut to
    // built().
    qsizetype find(const TermQuery& term, qsizetype start, qsizetype end, bool withComments) const;
    qsizetype find(const TermQuery& term, qsizetype start, bool withComments) const {
        return find(term, start, size(), withComments);
    }

private:
    void reserveAll();
    void appendRecord(const QString& line);
    qsizetype recordAt(qsizetype offset, qsizetype from) const;

    QStringList list_;
    std::vector<char16_t> buffer_;
    std::vector<qsizetype> begin_;    // where each built record's text begins; one more at the end
    std::vector<qsizetype> baseEnd_;  // where its text without the comments column ends
    std::vector<RowRanges> rowRanges_;
};

// Indexes of the few lists a window searches (the short and extended list of each file); the
// index of a list is built the first time the list is searched, or ahead of that in pieces.
class SearchIndexCache {
public:
    explicit SearchIndexCache(int capacity = 4) : capacity_(capacity) {}

    // The complete index of a list: what is not built yet is built now, at once.
    std::shared_ptr<const SearchIndex> indexFor(const QStringList& list);
    // The index of a list as far as it is built (a new one has no record built yet).
    std::shared_ptr<SearchIndex> entryFor(const QStringList& list);
    void clear() { entries_.clear(); }

private:
    int capacity_;
    std::vector<std::shared_ptr<SearchIndex>> entries_;  // most recently used first
};

}  // namespace vex
