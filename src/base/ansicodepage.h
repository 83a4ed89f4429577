#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>

#include <array>
#include <optional>

namespace vex {

// The 8-bit code page of files without a byte-order mark (data files and the INI file):
// Windows-1252. The five bytes that code page leaves undefined (0x81, 0x8D, 0x8F, 0x90, 0x9D)
// map to the code point of the same value, as Windows maps them, so every byte decodes to
// exactly one character.
using AnsiTable = std::array<char16_t, 256>;
const AnsiTable& AnsiCodePageTable();

// Decodes bytes of the code page, one character a byte.
QString decodeWindows1252(QByteArrayView bytes);
// The byte that stands for the character in the code page, if there is one.
std::optional<char> windows1252Byte(char16_t c);
// Whether the code page holds every character of the text.
bool fitsWindows1252(QStringView text);
// Encodes text as Windows-1252; characters it cannot hold become "?".
QByteArray encodeWindows1252(const QString& text);

}  // namespace vex
