#pragma once

#include <array>

namespace vex {

// The 8-bit code page a data file without a byte-order mark is read in: Windows-1252. The five
// bytes that code page leaves undefined (0x81, 0x8D, 0x8F, 0x90, 0x9D) map to the code point of
// the same value, as Windows maps them, so every byte decodes to exactly one character.
using AnsiTable = std::array<char16_t, 256>;
const AnsiTable& AnsiCodePageTable();

}  // namespace vex
