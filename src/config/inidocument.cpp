#include "config/inidocument.h"

#include "base/regularfile.h"
#include "base/textencoding.h"
#include "base/textutil.h"

#include <QStringDecoder>

#include <utility>

namespace vex {

namespace {

bool isBlank(QChar c) {
    return c == QLatin1Char(' ') || c == QLatin1Char('\t');
}

QString trimBlanks(QStringView s) {
    qsizetype begin = 0;
    qsizetype end = s.size();
    while (begin < end && isBlank(s.at(begin))) {
        ++begin;
    }
    while (end > begin && isBlank(s.at(end - 1))) {
        --end;
    }
    return s.mid(begin, end - begin).toString();
}

QString unquoted(const QString& value) {
    if (value.size() >= 2) {
        const QChar first = value.front();
        if ((first == QLatin1Char('"') || first == QLatin1Char('\'')) && value.back() == first) {
            return value.mid(1, value.size() - 2);
        }
    }
    return value;
}

}  // namespace

QString decodeIniBytes(const QByteArray& bytes) {
    if (bytes.startsWith("\xEF\xBB\xBF")) {
        return QString::fromUtf8(QByteArrayView(bytes).sliced(3));
    }
    if (bytes.startsWith("\xFF\xFE")) {
        QStringDecoder decoder(QStringDecoder::Utf16LE);
        return decoder.decode(QByteArrayView(bytes).sliced(2));
    }
    if (bytes.startsWith("\xFE\xFF")) {
        QStringDecoder decoder(QStringDecoder::Utf16BE);
        return decoder.decode(QByteArrayView(bytes).sliced(2));
    }
    // Without a mark: UTF-8 when the bytes say so, else the Windows code page.
    return decodeNoMarkText(bytes);
}

IniDocument IniDocument::fromBytes(const QByteArray& bytes) {
    IniDocument doc;
    const QString text = decodeIniBytes(bytes);
    QHash<QString, QString>* current = nullptr;  // the section the lines belong to
    qsizetype pos = 0;
    while (pos < text.size()) {
        qsizetype end = pos;
        while (end < text.size() && text.at(end) != QLatin1Char('\n') &&
               text.at(end) != QLatin1Char('\r')) {
            ++end;
        }
        const QString line = trimBlanks(QStringView(text).mid(pos, end - pos));
        pos = end + 1;
        if (line.isEmpty() || line.front() == QLatin1Char(';')) {
            continue;
        }
        if (line.front() == QLatin1Char('[')) {
            const qsizetype close = line.indexOf(QLatin1Char(']'));
            const QString name = trimBlanks(QStringView(line).mid(1, close < 0 ? -1 : close - 1));
            // A repeated section adds keys behind the first one's.
            current = &doc.sections_[upper(name)];
            continue;
        }
        const qsizetype eq = line.indexOf(QLatin1Char('='));
        if (current == nullptr || eq <= 0) {
            continue;
        }
        const QString key = trimBlanks(QStringView(line).left(eq));
        if (key.isEmpty()) {
            continue;
        }
        QString value = unquoted(trimBlanks(QStringView(line).mid(eq + 1)));
        value.truncate(MaxValueLength);
        QString upperKey = upper(key);
        if (!current->contains(upperKey)) {  // the first one counts
            current->insert(std::move(upperKey), value);
        }
    }
    return doc;
}

std::optional<IniDocument> IniDocument::fromFile(const QString& path) {
    QByteArray bytes;
    if (ReadRegularFile(path, MaxFileSize, bytes) != FileOpen::Opened) {
        return std::nullopt;
    }
    return fromBytes(bytes);
}

std::optional<QString> IniDocument::value(const QString& section, const QString& key) const {
    const auto s = sections_.constFind(upper(section));
    if (s == sections_.cend()) {
        return std::nullopt;
    }
    const auto v = s->constFind(upper(key));
    if (v == s->cend()) {
        return std::nullopt;
    }
    return *v;
}

}  // namespace vex
