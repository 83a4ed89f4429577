#pragma once

#include "base/dialogs.h"
#include "search/searchtext.h"

#include <QString>

#include <optional>

namespace vex {

enum class QueryKind {
    Single,    // one term
    NoMatch,   // no operator token where one was counted: nothing matches
    Rejected,  // the operands make no sense together; message says why
    And,
    Or,
    Not,
    GroupAnd,  // records of the left term whose code begins with the group code
    GroupNot,  // records of the left term whose code does not begin with it
};

// A search string split at its operator, validated and rewritten, ready to be run over a list.
struct QueryPlan {
    QueryKind kind = QueryKind::NoMatch;
    QString searchInput;             // the search string as rewritten
    std::optional<Message> message;  // the warning of a rejected string
    TermQuery left;                  // the term the records are looked up by
    TermQuery right;                 // And/Or/Not: the second term
    QString groupCode;               // group searches: the code the record must begin with
};

// Splits, validates and rewrites the canonical search string; depends only on its arguments.
QueryPlan CompileQuery(const QString& searchInput, int operatorCount, const SearchOptions& options);

}  // namespace vex
