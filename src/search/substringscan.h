#pragma once

#include <QtGlobal>

namespace vex {

// The first position p in [from, to - needleSize] where the needle occurs in the haystack, or -1.
// Compares UTF-16 code units exactly; uses vector instructions where the processor has them.
qsizetype FindSubstring(const char16_t* haystack, qsizetype from, qsizetype to,
                        const char16_t* needle, qsizetype needleSize);

}  // namespace vex
