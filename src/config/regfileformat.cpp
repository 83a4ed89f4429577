#include "config/regfileformat.h"

#include "base/textutil.h"
#include "config/numbertext.h"

#include <QStringDecoder>

#include <algorithm>
#include <optional>

namespace vex::regfile {

using confignumbers::hexDigitValue;

namespace {

constexpr QLatin1String kHeader("Windows Registry Editor Version 5.00");
constexpr QLatin1String kKeyPrefix("HKEY_CURRENT_USER\\Software\\Tovemark\\VEXdiagnose\\");

bool isBlank(QChar c) {
    return c == QLatin1Char(' ') || c == QLatin1Char('\t');
}

QStringView trimBlanks(QStringView s) {
    while (!s.isEmpty() && isBlank(s.front())) {
        s = s.mid(1);
    }
    while (!s.isEmpty() && isBlank(s.back())) {
        s.chop(1);
    }
    return s;
}

// A quoted text starting at s[0] == '"'; sets `rest` to what follows the closing quote.
// nullopt when the closing quote is missing.
std::optional<QString> readQuoted(QStringView s, QStringView& rest) {
    QString out;
    qsizetype run = 1;  // start of the characters not yet copied
    for (qsizetype i = 1; i < s.size(); ++i) {
        const QChar c = s.at(i);
        if (c == QLatin1Char('\\') && i + 1 < s.size()) {
            out += s.mid(run, i - run);
            out += s.at(++i);
            run = i + 1;
        } else if (c == QLatin1Char('"')) {
            out += s.mid(run, i - run);
            rest = s.mid(i + 1);
            return out;
        }
    }
    return std::nullopt;
}

std::optional<QByteArray> readHexBytes(QStringView s) {
    QByteArray bytes;
    s = trimBlanks(s);
    if (s.isEmpty()) {
        return bytes;
    }
    bytes.reserve(s.size() / 3 + 1);
    for (QStringView item : s.split(QLatin1Char(','))) {
        item = trimBlanks(item);
        if (item.size() != 2 || hexDigitValue(item.at(0)) < 0 || hexDigitValue(item.at(1)) < 0) {
            return std::nullopt;
        }
        bytes.append(char(hexDigitValue(item.at(0)) * 16 + hexDigitValue(item.at(1))));
    }
    return bytes;
}

std::optional<UserValue> valueFromHex(int type, const QByteArray& bytes) {
    if (type == 1 && bytes.size() % 2 == 0) {  // REG_SZ: UTF-16LE, closed by a zero
        // The bytes are the text alone: a leading U+FEFF is part of it, not a byte-order mark.
        QStringDecoder decoder(QStringDecoder::Utf16LE, QStringDecoder::Flag::ConvertInitialBom);
        QString text = decoder.decode(bytes);
        if (text.endsWith(QChar(0))) {
            text.chop(1);
        }
        return UserValue::fromText(text);
    }
    if (type == 4 && bytes.size() == 4) {  // REG_DWORD, little-endian
        quint32 d = 0;
        for (int i = 3; i >= 0; --i) {
            d = d * 256 + static_cast<unsigned char>(bytes[i]);
        }
        return UserValue::fromDword(d);
    }
    if (type == 1 || type == 4) {
        return std::nullopt;
    }
    UserValue v;
    v.type = UserValue::Type::Other;
    v.otherType = type;
    v.otherBytes = bytes;
    return v;
}

// The right-hand side of a value line.
std::optional<UserValue> readValue(QStringView s) {
    s = trimBlanks(s);
    if (s.startsWith(QLatin1Char('"'))) {
        QStringView rest;
        std::optional<QString> text = readQuoted(s, rest);
        if (!text || !trimBlanks(rest).isEmpty()) {
            return std::nullopt;
        }
        return UserValue::fromText(*text);
    }
    if (s.startsWith(QLatin1String("dword:"), Qt::CaseInsensitive)) {
        const QStringView digits = s.mid(6);
        if (digits.isEmpty() || digits.size() > 8) {
            return std::nullopt;
        }
        quint32 d = 0;
        for (const QChar c : digits) {
            if (hexDigitValue(c) < 0) {
                return std::nullopt;
            }
            d = d * 16 + quint32(hexDigitValue(c));
        }
        return UserValue::fromDword(d);
    }
    if (s.startsWith(QLatin1String("hex"), Qt::CaseInsensitive)) {
        int type = 3;  // plain "hex:" is binary
        QStringView rest = s.mid(3);
        if (rest.startsWith(QLatin1Char('('))) {
            const qsizetype close = rest.indexOf(QLatin1Char(')'));
            if (close < 2 || close > 9) {
                return std::nullopt;
            }
            // Up to eight hex digits: a 32-bit type number, kept bit for bit.
            quint32 type32 = 0;
            for (const QChar c : rest.mid(1, close - 1)) {
                if (hexDigitValue(c) < 0) {
                    return std::nullopt;
                }
                type32 = type32 * 16 + quint32(hexDigitValue(c));
            }
            type = int(type32);
            rest = rest.mid(close + 1);
        }
        if (!rest.startsWith(QLatin1Char(':'))) {
            return std::nullopt;
        }
        const std::optional<QByteArray> bytes = readHexBytes(rest.mid(1));
        if (!bytes) {
            return std::nullopt;
        }
        return valueFromHex(type, *bytes);
    }
    return std::nullopt;
}

std::optional<UserGroup> groupOfSection(QStringView name) {
    for (UserGroup g : {UserGroup::Values, UserGroup::Mode}) {
        if (equalsNoCase(name, sectionName(g))) {
            return g;
        }
    }
    return std::nullopt;
}

// The file is written piece by piece into one text; these append to it.
void appendEscaped(QString& out, const QString& s) {
    for (const QChar c : s) {
        if (c == QLatin1Char('\\') || c == QLatin1Char('"')) {
            out += QLatin1Char('\\');
        }
        out += c;
    }
}

// Lower-case hex digits of the value, at least `width` of them.
void appendHex(QString& out, quint32 value, int width) {
    static constexpr char16_t kDigits[] = u"0123456789abcdef";
    char16_t digits[8];
    int n = 0;
    do {
        digits[n++] = kDigits[value & 0xF];
        value >>= 4;
    } while (value != 0 || n < width);
    while (n > 0) {
        out += QChar(digits[--n]);
    }
}

void appendHexList(QString& out, const QByteArray& bytes) {
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        if (i > 0) {
            out += QLatin1Char(',');
        }
        appendHex(out, static_cast<unsigned char>(bytes.at(i)), 2);
    }
}

void appendValueText(QString& out, const UserValue& v) {
    switch (v.type) {
        case UserValue::Type::Text: {
            const bool plain = std::none_of(v.text.cbegin(), v.text.cend(),
                                            [](QChar c) { return c.unicode() < 0x20; });
            if (plain) {
                out += QLatin1Char('"');
                appendEscaped(out, v.text);
                out += QLatin1Char('"');
                return;
            }
            QByteArray bytes;
            bytes.reserve((v.text.size() + 1) * 2);
            for (const QChar c : v.text + QChar(0)) {
                bytes.append(char(c.unicode() & 0xFF));
                bytes.append(char(c.unicode() >> 8));
            }
            out += QLatin1String("hex(1):");
            appendHexList(out, bytes);
            return;
        }
        case UserValue::Type::Dword:
            out += QLatin1String("dword:");
            appendHex(out, v.dword, 8);
            return;
        case UserValue::Type::Other:
            break;
    }
    if (v.otherType == 3) {
        out += QLatin1String("hex:");
    } else {
        out += QLatin1String("hex(");
        appendHex(out, quint32(v.otherType), 1);
        out += QLatin1String("):");
    }
    appendHexList(out, v.otherBytes);
}

// Calls take(line) for each logical line: a physical line, or several joined where a hex list
// goes on in the next line (a trailing "\"). Lines are trimmed of blanks.
template <typename Take>
void forEachLogicalLine(const QString& text, Take take) {
    QString joined;  // a line that goes on, as far as it is read
    bool continues = false;
    qsizetype pos = 0;
    while (pos <= text.size()) {
        qsizetype end = pos;
        while (end < text.size() && text.at(end) != QLatin1Char('\n') &&
               text.at(end) != QLatin1Char('\r')) {
            ++end;
        }
        QStringView line = trimBlanks(QStringView(text).mid(pos, end - pos));
        const bool crlf = end + 1 < text.size() && text.at(end) == QLatin1Char('\r') &&
                          text.at(end + 1) == QLatin1Char('\n');
        pos = end + (crlf ? 2 : 1);
        if (continues) {
            joined += line;
            line = joined;
        }
        continues = line.endsWith(QLatin1Char('\\')) &&
                    line.contains(QLatin1String("=hex"), Qt::CaseInsensitive);
        if (continues) {
            if (line.data() != joined.constData()) {
                joined = line.toString();
            }
            joined.chop(1);
            continue;
        }
        take(line);
        joined.clear();
    }
    if (continues) {
        take(QStringView(joined));  // the text ended inside a continued line
    }
}

}  // namespace

QString sectionName(UserGroup group) {
    static const QString values = kKeyPrefix + QLatin1String("Values");
    static const QString mode = kKeyPrefix + QLatin1String("Mode");
    return group == UserGroup::Values ? values : mode;
}

UserStoreData parse(const QString& text) {
    UserStoreData data;
    std::optional<UserGroup> current;
    forEachLogicalLine(text, [&data, &current](QStringView line) {
        if (line.startsWith(QLatin1Char('['))) {
            current.reset();
            if (line.endsWith(QLatin1Char(']'))) {
                current = groupOfSection(line.mid(1, line.size() - 2));
                if (current) {
                    data.group(*current).exists = true;
                }
            }
            return;
        }
        if (!current || !line.startsWith(QLatin1Char('"'))) {
            return;  // header, blank line, comment, default value or garbage
        }
        QStringView rest;
        const std::optional<QString> name = readQuoted(line, rest);
        rest = trimBlanks(rest);
        if (!name || name->isEmpty() || !rest.startsWith(QLatin1Char('='))) {
            return;
        }
        if (const std::optional<UserValue> value = readValue(rest.mid(1))) {
            data.set(*current, *name, *value);
        }
    });
    return data;
}

UserStoreData parseBytes(const QByteArray& bytes) {
    if (bytes.startsWith("\xFF\xFE")) {
        QStringDecoder decoder(QStringDecoder::Utf16LE);
        return parse(decoder.decode(QByteArrayView(bytes).sliced(2)));
    }
    if (bytes.startsWith("\xEF\xBB\xBF")) {
        return parse(QString::fromUtf8(QByteArrayView(bytes).sliced(3)));
    }
    return parse(QString::fromUtf8(bytes));
}

QString serialize(const UserStoreData& data) {
    const QLatin1String eol("\r\n");
    QString out;
    out.reserve(1024);
    out += kHeader;
    out += eol;
    for (UserGroup g : {UserGroup::Values, UserGroup::Mode}) {
        const UserStoreData::Group& grp = data.group(g);
        if (!grp.exists) {
            continue;
        }
        out += eol;
        out += QLatin1Char('[');
        out += sectionName(g);
        out += QLatin1Char(']');
        out += eol;
        for (const UserStoreData::Named& n : grp.values) {
            out += QLatin1Char('"');
            appendEscaped(out, n.name);
            out += QLatin1String("\"=");
            appendValueText(out, n.value);
            out += eol;
        }
    }
    return out;
}

QByteArray serializeBytes(const UserStoreData& data) {
    return serialize(data).toUtf8();
}

}  // namespace vex::regfile
