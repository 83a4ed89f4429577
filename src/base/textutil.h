#pragma once

#include <QString>

namespace vex {

// Trimming as the program means it: characters of code 32 or less go at both ends.
QString trimmed32(const QString& s);
// Upper case by the simple one-to-one mapping of each character, so lengths never change
// (æ→Æ, ø→Ø, å→Å; ß stays ß).
QString upper(const QString& s);
inline QChar upper(QChar c) { return QChar(QChar::toUpper(c.unicode())); }
// Equal without regard to case (simple upper case of both).
bool equalsNoCase(const QString& a, const QString& b);
// "&" doubled, so a message box or label shows one ampersand.
QString doubleAmpersands(const QString& s);

}  // namespace vex
