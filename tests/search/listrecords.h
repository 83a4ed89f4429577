#pragma once

#include <QFile>
#include <QString>
#include <QStringList>

namespace vex::test {

// Reads a list file the simple way for search tests: UTF-8 with a byte-order mark or
// Windows-1252, any line end; header and information record dropped, entities replaced.
inline QStringList readListRecords(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return {};
    }
    const QByteArray bytes = file.readAll();
    QString text;
    if (bytes.startsWith("\xEF\xBB\xBF")) {
        text = QString::fromUtf8(bytes.mid(3));
    } else {
        static const char16_t high[32] = {
            0x20AC, 0x81,   0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
            0x2039, 0x0152, 0x8D,   0x017D, 0x8F,   0x90,   0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
            0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x9D,   0x017E, 0x0178};
        text.resize(bytes.size());
        for (qsizetype i = 0; i < bytes.size(); ++i) {
            const uchar b = uchar(bytes.at(i));
            text[i] = QChar(b >= 0x80 && b < 0xA0 ? high[b - 0x80] : char16_t(b));
        }
    }
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    QStringList lines = text.split(QLatin1Char('\n'));
    if (!lines.isEmpty() && lines.last().isEmpty()) {
        lines.removeLast();
    }
    lines = lines.mid(lines.size() > 1 && lines.at(1).startsWith(QStringLiteral("0000")) ? 2 : 1);
    for (QString& line : lines) {
        line.replace(QStringLiteral("&lt;"), QStringLiteral("<"))
            .replace(QStringLiteral("&gt;"), QStringLiteral(">"));
    }
    return lines;
}

}  // namespace vex::test
