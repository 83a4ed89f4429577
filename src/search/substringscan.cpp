#include "search/substringscan.h"

#include <cstring>

#if defined(__x86_64__) || defined(__i386__)
#include <immintrin.h>
#define VEX_X86_SIMD 1
#endif

namespace vex {

namespace {

bool restEquals(const char16_t* at, const char16_t* needle, qsizetype size) {
    // First and last unit are known to match; compare what lies between.
    return size <= 2 || std::memcmp(at + 1, needle + 1, std::size_t(size - 2) * 2) == 0;
}

qsizetype scalarFind(const char16_t* h, qsizetype from, qsizetype to, const char16_t* n,
                     qsizetype m) {
    const char16_t first = n[0];
    const char16_t last = n[m - 1];
    for (qsizetype i = from; i + m <= to; ++i) {
        if (h[i] == first && h[i + m - 1] == last && restEquals(h + i, n, m)) {
            return i;
        }
    }
    return -1;
}

#ifdef VEX_X86_SIMD
// Compares blocks of units with the needle's first and last unit at once and verifies only the
// positions where both agree.
qsizetype sse2Find(const char16_t* h, qsizetype from, qsizetype to, const char16_t* n,
                   qsizetype m) {
    const __m128i first = _mm_set1_epi16(short(n[0]));
    const __m128i last = _mm_set1_epi16(short(n[m - 1]));
    qsizetype i = from;
    for (; i + m - 1 + 8 <= to; i += 8) {
        const __m128i a = _mm_loadu_si128(reinterpret_cast<const __m128i*>(h + i));
        const __m128i b = _mm_loadu_si128(reinterpret_cast<const __m128i*>(h + i + m - 1));
        unsigned mask = unsigned(
            _mm_movemask_epi8(_mm_and_si128(_mm_cmpeq_epi16(a, first), _mm_cmpeq_epi16(b, last))));
        while (mask != 0) {
            const int lane = __builtin_ctz(mask) / 2;
            if (restEquals(h + i + lane, n, m)) {
                return i + lane;
            }
            mask &= ~(3u << (lane * 2));
        }
    }
    return scalarFind(h, i, to, n, m);
}

__attribute__((target("avx2"))) qsizetype avx2Find(const char16_t* h, qsizetype from, qsizetype to,
                                                   const char16_t* n, qsizetype m) {
    const __m256i first = _mm256_set1_epi16(short(n[0]));
    const __m256i last = _mm256_set1_epi16(short(n[m - 1]));
    qsizetype i = from;
    for (; i + m - 1 + 16 <= to; i += 16) {
        const __m256i a = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(h + i));
        const __m256i b = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(h + i + m - 1));
        unsigned mask = unsigned(_mm256_movemask_epi8(
            _mm256_and_si256(_mm256_cmpeq_epi16(a, first), _mm256_cmpeq_epi16(b, last))));
        while (mask != 0) {
            const int lane = __builtin_ctz(mask) / 2;
            if (restEquals(h + i + lane, n, m)) {
                return i + lane;
            }
            mask &= ~(3u << (lane * 2));
        }
    }
    return sse2Find(h, i, to, n, m);
}

bool hasAvx2() {
    static const bool avx2 = __builtin_cpu_supports("avx2");
    return avx2;
}
#endif

}  // namespace

qsizetype FindSubstring(const char16_t* haystack, qsizetype from, qsizetype to,
                        const char16_t* needle, qsizetype needleSize) {
    if (needleSize <= 0 || from < 0 || to - from < needleSize) {
        return needleSize == 0 && from >= 0 && from <= to ? from : -1;
    }
#ifdef VEX_X86_SIMD
    if (hasAvx2()) {
        return avx2Find(haystack, from, to, needle, needleSize);
    }
    return sse2Find(haystack, from, to, needle, needleSize);
#else
    return scalarFind(haystack, from, to, needle, needleSize);
#endif
}

}  // namespace vex
