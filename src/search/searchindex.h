#pragma once

#include "search/resulttable.h"
#include "search/searchtext.h"

#include <QStringList>
#include <QStringView>

#include <memory>
#include <vector>

namespace vex {

// The upper-case search texts of every record of one list, built once and kept in one
// contiguous buffer, so that a term is found by one fast scan over the whole list instead of
// building each record's text again. The index keeps a shared copy of its list: while it
// lives, the list's items cannot change under it.
class SearchIndex {
public:
    explicit SearchIndex(const QStringList& list);

    const QStringList& list() const { return list_; }
    qsizetype size() const { return list_.size(); }

    // Whether the list is the very list this index was built from (same shared items).
    bool isIndexOf(const QStringList& list) const;

    // The upper-case search text of a record, as RecordSearchText gives it.
    QStringView text(qsizetype record, bool withComments) const;

    // Where the code and text of a record lie in its line, for the result table.
    const RowRanges& rowRanges(qsizetype record) const { return rowRanges_[std::size_t(record)]; }

    // The first record at or after start whose search text matches the term, or -1; the same
    // answer as ScanForTerm over the list.
    qsizetype find(const TermQuery& term, qsizetype start, bool withComments) const;

private:
    qsizetype recordAt(qsizetype offset, qsizetype from) const;

    QStringList list_;
    std::vector<char16_t> buffer_;
    std::vector<qsizetype> begin_;    // where each record's text begins; one more at the end
    std::vector<qsizetype> baseEnd_;  // where its text without the comments column ends
    std::vector<RowRanges> rowRanges_;
};

// Indexes of the few lists a window searches (the short and extended list of each file); the
// index of a list is built the first time the list is searched.
class SearchIndexCache {
public:
    explicit SearchIndexCache(int capacity = 4) : capacity_(capacity) {}

    std::shared_ptr<const SearchIndex> indexFor(const QStringList& list);
    void clear() { entries_.clear(); }

private:
    int capacity_;
    std::vector<std::shared_ptr<const SearchIndex>> entries_;  // most recently used first
};

}  // namespace vex
