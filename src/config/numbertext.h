#pragma once

#include <QLocale>
#include <QString>

#include <optional>

// Number tests and conversions shared by the configuration code. They live in their own
// namespace so they never collide with the search code's helpers of similar purpose.
namespace vex::confignumbers {

// True when the text is a plain decimal number in the given locale: an optional sign, digits
// and at most one decimal separator of that locale, at least one digit, nothing else (no
// blanks, no group separators, no exponent).
bool isNumericText(const QString& text, const QLocale& locale = QLocale::system());

// A 32-bit integer written in decimal, or in hexadecimal with a "0x" or "$" prefix, each with
// an optional sign. Anything else (blanks, fractions, overflow, an empty text) gives nullopt.
std::optional<int> parseIntegerText(const QString& text);

// The value of a hexadecimal digit (0-9, a-f, A-F), or -1 for any other character.
int hexDigitValue(QChar c);

}  // namespace vex::confignumbers
