#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace vex::test {

// One line of the publisher's complete file: kind, code, valid from, last change, valid to
// (empty: open), text, each blank-padded to its width, then further fields.
inline QString sksLine(const QString& kind, const QString& code, const QString& from,
                       const QString& change, const QString& to, const QString& text) {
    return kind.leftJustified(3) + code.leftJustified(20) + from.leftJustified(8) +
           change.leftJustified(8) + to.leftJustified(8) + text.leftJustified(120) +
           QStringLiteral("  0000000001 A");
}

// The same line with its trailing blanks trimmed, as exports often write it.
inline QString trimmedSksLine(const QString& kind, const QString& code, const QString& from,
                              const QString& change, const QString& to, const QString& text) {
    QString line = sksLine(kind, code, from, change, to, text).left(167);
    while (line.endsWith(u' ')) {
        line.chop(1);
    }
    return line;
}

}  // namespace vex::test
