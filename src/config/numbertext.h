#pragma once

#include <QString>

#include <optional>

// Integer conversions shared by the configuration code (INI values and per-user values). The
// decimal-number test the configuration shares with the search is IsNumericText.
namespace vex::confignumbers {

// A 32-bit integer written in decimal, or in hexadecimal with a "0x" or "$" prefix, each with
// an optional sign. Anything else (blanks, fractions, overflow, an empty text) gives nullopt.
std::optional<int> parseIntegerText(const QString& text);

// The value of a hexadecimal digit (0-9, a-f, A-F), or -1 for any other character.
int hexDigitValue(QChar c);

}  // namespace vex::confignumbers
