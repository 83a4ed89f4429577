#include "base/textencoding.h"

#include "base/ansicodepage.h"

#include <cstdint>
#include <cstring>

namespace vex {

void NoMarkEncodingCheck::add(QByteArrayView bytes) {
    const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
    const qsizetype n = bytes.size();
    qsizetype i = 0;
    while (i < n && !invalid_) {
        if (pending_ == 0) {
            // Eight ASCII bytes at a time: most of a list is ASCII.
            while (i + 8 <= n) {
                std::uint64_t word;
                std::memcpy(&word, p + i, sizeof word);
                if ((word & 0x8080808080808080ULL) != 0) {
                    break;
                }
                i += 8;
            }
            if (i >= n) {
                break;
            }
            const unsigned char b = p[i++];
            if (b < 0x80) {
                continue;
            }
            // The well-formed sequences: no overlong forms, no surrogates, nothing past
            // U+10FFFF.
            low_ = 0x80;
            high_ = 0xBF;
            if (b >= 0xC2 && b <= 0xDF) {
                pending_ = 1;
            } else if (b >= 0xE0 && b <= 0xEF) {
                pending_ = 2;
                low_ = b == 0xE0 ? 0xA0 : 0x80;
                high_ = b == 0xED ? 0x9F : 0xBF;
            } else if (b >= 0xF0 && b <= 0xF4) {
                pending_ = 3;
                low_ = b == 0xF0 ? 0x90 : 0x80;
                high_ = b == 0xF4 ? 0x8F : 0xBF;
            } else {
                invalid_ = true;
            }
            continue;
        }
        const unsigned char b = p[i++];
        if (b < low_ || b > high_) {
            invalid_ = true;
            break;
        }
        low_ = 0x80;
        high_ = 0xBF;
        if (--pending_ == 0) {
            multiByte_ = true;
        }
    }
}

NoMarkEncoding NoMarkEncodingCheck::result() const {
    return !invalid_ && pending_ == 0 && multiByte_ ? NoMarkEncoding::Utf8
                                                    : NoMarkEncoding::Windows1252;
}

NoMarkEncoding noMarkEncoding(QByteArrayView bytes) {
    NoMarkEncodingCheck check;
    check.add(bytes);
    return check.result();
}

QString decodeNoMarkText(QByteArrayView bytes) {
    if (noMarkEncoding(bytes) == NoMarkEncoding::Utf8) {
        return QString::fromUtf8(bytes);
    }
    return decodeWindows1252(bytes);
}

}  // namespace vex
