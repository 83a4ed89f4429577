#include "base/ansicodepage.h"

namespace vex {

namespace {

// Bytes 0x80 to 0x9F; every other byte stands for the code point of its own value.
constexpr char16_t kHighControlRange[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,  // 80-87
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,  // 88-8F
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,  // 90-97
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,  // 98-9F
};

constexpr AnsiTable makeTable() {
    AnsiTable t{};
    for (int b = 0; b < 256; ++b) {
        t[b] = (b >= 0x80 && b <= 0x9F) ? kHighControlRange[b - 0x80] : char16_t(b);
    }
    return t;
}

constexpr AnsiTable kTable = makeTable();

}  // namespace

const AnsiTable& AnsiCodePageTable() {
    return kTable;
}

QString decodeWindows1252(QByteArrayView bytes) {
    QString out(bytes.size(), Qt::Uninitialized);
    QChar* d = out.data();
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        d[i] = QChar(kTable[static_cast<unsigned char>(bytes[i])]);
    }
    return out;
}

std::optional<char> windows1252Byte(char16_t c) {
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) {
        return static_cast<char>(c);
    }
    for (int b = 0x80; b <= 0x9F; ++b) {
        if (kTable[b] == c) {
            return static_cast<char>(b);
        }
    }
    return std::nullopt;
}

bool fitsWindows1252(QStringView text) {
    for (const QChar c : text) {
        if (!windows1252Byte(c.unicode())) {
            return false;
        }
    }
    return true;
}

QByteArray encodeWindows1252(const QString& text) {
    QByteArray out;
    out.reserve(text.size());
    for (const QChar c : text) {
        out.append(windows1252Byte(c.unicode()).value_or('?'));
    }
    return out;
}

}  // namespace vex
