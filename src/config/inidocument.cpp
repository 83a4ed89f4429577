#include "config/inidocument.h"

#include "base/textencoding.h"
#include "base/textutil.h"

#include <QFile>
#include <QStringDecoder>

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
    qsizetype current = -1;  // index of the section the lines belong to
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
            current = -1;
            for (qsizetype i = 0; i < doc.sections_.size(); ++i) {
                if (equalsNoCase(doc.sections_.at(i).name, name)) {
                    current = i;  // a repeated section adds keys behind the first one's
                    break;
                }
            }
            if (current < 0) {
                doc.sections_.append(Section{name, {}});
                current = doc.sections_.size() - 1;
            }
            continue;
        }
        const qsizetype eq = line.indexOf(QLatin1Char('='));
        if (current < 0 || eq <= 0) {
            continue;
        }
        const QString key = trimBlanks(QStringView(line).left(eq));
        if (key.isEmpty()) {
            continue;
        }
        QString value = unquoted(trimBlanks(QStringView(line).mid(eq + 1)));
        value.truncate(MaxValueLength);
        doc.sections_[current].entries.append(Entry{key, value});
    }
    return doc;
}

IniDocument IniDocument::fromFile(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return {};
    }
    return fromBytes(file.readAll());
}

std::optional<QString> IniDocument::value(const QString& section, const QString& key) const {
    for (const Section& s : sections_) {
        if (!equalsNoCase(s.name, section)) {
            continue;
        }
        for (const Entry& e : s.entries) {
            if (equalsNoCase(e.key, key)) {
                return e.value;
            }
        }
        return std::nullopt;
    }
    return std::nullopt;
}

}  // namespace vex
