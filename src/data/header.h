#pragma once

#include "base/dialogs.h"

#include <QString>

#include <array>
#include <optional>

namespace vex {

// The nine column names of a data file's header, indexes 00 to 08.
using FieldNames = std::array<QString, 9>;

// Fills names from the header line's columns and validates them: every name long enough
// (the code column 3 characters, the asterisk column 7, the others 2) and the asterisk column
// named "Stjerne" or "Asterisk" in any case. On failure returns the error to show (the caller
// shows it and asks the splash screen to close); names then hold what the header gave.
std::optional<Message> CheckHeader(const QString& headerLine, const QString& fileName,
                                   FieldNames& names);

}  // namespace vex
