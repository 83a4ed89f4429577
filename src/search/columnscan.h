#pragma once

#include "base/columns.h"

#include <QStringView>

namespace vex {

// NextColumnEnd with a plain loop for the common unquoted column: the search calls it for
// every column of every record it indexes and for every hit it lists.
inline qsizetype ColumnEnd(QStringView rest) {
    if (rest.isEmpty() || rest.front() == u'"') {
        return NextColumnEnd(rest);
    }
    const char16_t* d = rest.utf16();
    for (qsizetype i = 0, n = rest.size(); i < n; ++i) {
        if (d[i] == u'\t') {
            return i + 1;
        }
    }
    return 0;
}

}  // namespace vex
