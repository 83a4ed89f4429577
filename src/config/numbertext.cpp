#include "config/numbertext.h"

#include <climits>

namespace vex::confignumbers {

namespace {

bool isAsciiDigit(QChar c) {
    return c >= QLatin1Char('0') && c <= QLatin1Char('9');
}

}  // namespace

int hexDigitValue(QChar c) {
    const char16_t u = c.unicode();
    if (u >= u'0' && u <= u'9') {
        return u - u'0';
    }
    if (u >= u'a' && u <= u'f') {
        return u - u'a' + 10;
    }
    if (u >= u'A' && u <= u'F') {
        return u - u'A' + 10;
    }
    return -1;
}

std::optional<int> parseIntegerText(const QString& text) {
    qsizetype i = 0;
    bool negative = false;
    if (i < text.size() && (text.at(i) == QLatin1Char('-') || text.at(i) == QLatin1Char('+'))) {
        negative = text.at(i) == QLatin1Char('-');
        ++i;
    }
    int base = 10;
    if (i < text.size() && text.at(i) == QLatin1Char('$')) {
        base = 16;
        ++i;
    } else if (i + 1 < text.size() && text.at(i) == QLatin1Char('0') &&
               (text.at(i + 1) == QLatin1Char('x') || text.at(i + 1) == QLatin1Char('X'))) {
        base = 16;
        i += 2;
    }
    if (i >= text.size()) {
        return std::nullopt;
    }
    qint64 value = 0;
    for (; i < text.size(); ++i) {
        const int digit = base == 16
                              ? hexDigitValue(text.at(i))
                              : (isAsciiDigit(text.at(i)) ? text.at(i).unicode() - u'0' : -1);
        if (digit < 0) {
            return std::nullopt;
        }
        value = value * base + digit;
        if (value > qint64(0xFFFFFFFF)) {
            return std::nullopt;
        }
    }
    if (base == 16 && !negative) {
        // A hexadecimal text names the 32 bits themselves: $FFFFFFFF is -1.
        return int(quint32(value));
    }
    const qint64 signedValue = negative ? -value : value;
    if (signedValue < qint64(INT_MIN) || signedValue > qint64(INT_MAX)) {
        return std::nullopt;
    }
    return int(signedValue);
}

}  // namespace vex::confignumbers
