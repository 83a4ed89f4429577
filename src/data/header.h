#pragma once

#include "base/columns.h"
#include "base/dialogs.h"

#include <QString>

#include <array>
#include <optional>

namespace vex {

// The column names of a data file's header, one per column, reached by place or by column.
struct FieldNames : std::array<QString, kColumnCount> {
    using array::operator[];
    QString& operator[](Column column) { return (*this)[std::size_t(ColumnIndex(column))]; }
    const QString& operator[](Column column) const {
        return (*this)[std::size_t(ColumnIndex(column))];
    }
};

// Fills names from the header line's columns and validates them: every name long enough
// (the code column 3 characters, the asterisk column 7, the others 2) and the asterisk column
// named "Stjerne" or "Asterisk" in any case. On failure returns the error to show (the caller
// shows it and asks the splash screen to close); names then hold what the header gave.
std::optional<Message> CheckHeader(const QString& headerLine, const QString& fileName,
                                   FieldNames& names);

}  // namespace vex
