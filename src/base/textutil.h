#pragma once

#include <QLocale>
#include <QString>
#include <QStringView>

#include <array>

namespace vex {

// Trimming as the program means it: characters of code 32 or less go at both ends. The view
// form costs no copy; the search calls it for every column of every record it indexes.
inline QStringView trimmedView32(QStringView s) {
    qsizetype begin = 0;
    qsizetype end = s.size();
    while (begin < end && s.at(begin).unicode() <= 32) {
        ++begin;
    }
    while (end > begin && s.at(end - 1).unicode() <= 32) {
        --end;
    }
    return s.mid(begin, end - begin);
}
QString trimmed32(const QString& s);
// Upper case by the simple one-to-one mapping of each character, so lengths never change
// (æ→Æ, ø→Ø, å→Å; ß stays ß).
QString upper(const QString& s);
// The same for a text that is not needed any more: upper-cased in place when nothing else
// shares it.
QString upper(QString&& s);
// The same for one UTF-16 unit; ASCII without a look-up in Qt's tables.
namespace detail {
constexpr std::array<char16_t, 128> asciiUpperTable() {
    std::array<char16_t, 128> table{};
    for (char16_t c = 0; c < 128; ++c) {
        table[c] = c >= u'a' && c <= u'z' ? char16_t(c - 32) : c;
    }
    return table;
}
// ASCII in upper case by a table: the search upper-cases every character of every record it
// reads, and a look-up costs less than the comparisons it saves.
inline constexpr std::array<char16_t, 128> kAsciiUpper = asciiUpperTable();
}  // namespace detail
inline char16_t upperUnit(char16_t c) {
    if (c < 128) {
        return detail::kAsciiUpper[c];
    }
    return char16_t(QChar::toUpper(c));
}
inline QChar upper(QChar c) {
    return QChar(upperUnit(c.unicode()));
}
// Equal without regard to case (simple upper case of both).
bool equalsNoCase(QStringView a, QStringView b);
// True when the text, trimmed, is an optional sign followed by digits with at most one decimal
// separator of the locale, holding at least one digit. Exponents and group separators are not
// accepted; an empty text is not numeric.
bool IsNumericText(const QString& text, const QLocale& locale = QLocale::system());
// "&" doubled, so a message box or label shows one ampersand.
QString doubleAmpersands(const QString& s);
// The text a caption shows: "&&" becomes one ampersand and a single "&" (the accelerator
// mark) disappears. Buttons and check boxes show this themselves; labels, message boxes,
// screen-reader names and the query tool's report of a message get their text through here.
QString CaptionDisplayText(const QString& caption);

}  // namespace vex
