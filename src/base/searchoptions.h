#pragma once

namespace vex {

// The search options, as one value: set by the window's option boxes, remembered per user,
// given to the query tool, and read by the normalisation, the search and its messages.
struct SearchOptions {
    bool freeText = false;  // every term matches anywhere, not only at a word start
    bool comments = false;  // the comments column is searched too

    bool operator==(const SearchOptions&) const = default;
};

}  // namespace vex
