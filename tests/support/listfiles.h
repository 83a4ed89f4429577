#pragma once

#include <QByteArray>
#include <QString>

namespace vex::test {

// The header line of the program's lists: the nine column names joined by tabs, without a
// line end. Header tests give the code column another name.
inline QString HeaderLine(const QString& codeName = QStringLiteral("SKS-kode")) {
    return codeName + QStringLiteral(
                          "\tStjerne\tDiagnosetekst\tKorteListe\tSynonymer\tInklusiv\tStikord\t"
                          "Kommentarer\tRedigeret");
}

// The same line as the bytes of a file, with the lists' CR LF line end.
inline QByteArray HeaderLineBytes(const QString& codeName = QStringLiteral("SKS-kode")) {
    return HeaderLine(codeName).toUtf8() + "\r\n";
}

}  // namespace vex::test
