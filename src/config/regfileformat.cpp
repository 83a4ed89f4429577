#include "config/regfileformat.h"

#include "base/textutil.h"
#include "config/numbertext.h"

#include <QStringDecoder>
#include <QStringList>

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
    for (qsizetype i = 1; i < s.size(); ++i) {
        const QChar c = s.at(i);
        if (c == QLatin1Char('\\') && i + 1 < s.size()) {
            out += s.at(++i);
        } else if (c == QLatin1Char('"')) {
            rest = s.mid(i + 1);
            return out;
        } else {
            out += c;
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
        if (equalsNoCase(name.toString(), sectionName(g))) {
            return g;
        }
    }
    return std::nullopt;
}

QString escaped(const QString& s) {
    QString out;
    out.reserve(s.size() + 2);
    for (const QChar c : s) {
        if (c == QLatin1Char('\\') || c == QLatin1Char('"')) {
            out += QLatin1Char('\\');
        }
        out += c;
    }
    return out;
}

QString hexList(const QByteArray& bytes) {
    QStringList parts;
    parts.reserve(bytes.size());
    for (const char b : bytes) {
        parts << QStringLiteral("%1").arg(static_cast<unsigned char>(b), 2, 16, QLatin1Char('0'));
    }
    return parts.join(QLatin1Char(','));
}

QString valueText(const UserValue& v) {
    switch (v.type) {
        case UserValue::Type::Text: {
            const bool plain = std::none_of(v.text.cbegin(), v.text.cend(),
                                            [](QChar c) { return c.unicode() < 0x20; });
            if (plain) {
                return QLatin1Char('"') + escaped(v.text) + QLatin1Char('"');
            }
            QByteArray bytes;
            for (const QChar c : v.text + QChar(0)) {
                bytes.append(char(c.unicode() & 0xFF));
                bytes.append(char(c.unicode() >> 8));
            }
            return QStringLiteral("hex(1):") + hexList(bytes);
        }
        case UserValue::Type::Dword:
            return QStringLiteral("dword:%1").arg(v.dword, 8, 16, QLatin1Char('0'));
        case UserValue::Type::Other:
            break;
    }
    const QString prefix = v.otherType == 3
                               ? QStringLiteral("hex:")
                               : QStringLiteral("hex(%1):").arg(quint32(v.otherType), 0, 16);
    return prefix + hexList(v.otherBytes);
}

// Physical lines joined where a hex list goes on in the next line (a trailing "\").
QStringList logicalLines(const QString& text) {
    QStringList lines;
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
        if (continues && !lines.isEmpty()) {
            lines.last() += line;
        } else {
            lines.append(line.toString());
        }
        const QString& last = lines.last();
        continues = last.endsWith(QLatin1Char('\\')) &&
                    last.contains(QLatin1String("=hex"), Qt::CaseInsensitive);
        if (continues) {
            lines.last().chop(1);
        }
    }
    return lines;
}

}  // namespace

QString sectionName(UserGroup group) {
    return kKeyPrefix +
           (group == UserGroup::Values ? QLatin1String("Values") : QLatin1String("Mode"));
}

UserStoreData parse(const QString& text) {
    UserStoreData data;
    std::optional<UserGroup> current;
    for (const QString& line : logicalLines(text)) {
        if (line.startsWith(QLatin1Char('['))) {
            current.reset();
            if (line.endsWith(QLatin1Char(']'))) {
                current = groupOfSection(QStringView(line).mid(1, line.size() - 2));
                if (current) {
                    data.group(*current).exists = true;
                }
            }
            continue;
        }
        if (!current || !line.startsWith(QLatin1Char('"'))) {
            continue;  // header, blank line, comment, default value or garbage
        }
        QStringView rest;
        const std::optional<QString> name = readQuoted(line, rest);
        rest = trimBlanks(rest);
        if (!name || name->isEmpty() || !rest.startsWith(QLatin1Char('='))) {
            continue;
        }
        if (const std::optional<UserValue> value = readValue(rest.mid(1))) {
            data.set(*current, *name, *value);
        }
    }
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
    const QString eol = QStringLiteral("\r\n");
    QString out = kHeader + eol;
    for (UserGroup g : {UserGroup::Values, UserGroup::Mode}) {
        const UserStoreData::Group& grp = data.group(g);
        if (!grp.exists) {
            continue;
        }
        out += eol + QLatin1Char('[') + sectionName(g) + QLatin1Char(']') + eol;
        for (const UserStoreData::Named& n : grp.values) {
            out += QLatin1Char('"') + escaped(n.name) + QStringLiteral("\"=") + valueText(n.value) +
                   eol;
        }
    }
    return out;
}

QByteArray serializeBytes(const UserStoreData& data) {
    return serialize(data).toUtf8();
}

}  // namespace vex::regfile
