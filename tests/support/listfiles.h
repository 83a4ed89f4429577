#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <initializer_list>
#include <utility>

#include "base/columns.h"

namespace vex::test {

// A line of a list from values by column, joined by tabs; a column not given is empty.
inline QString RecordLine(std::initializer_list<std::pair<Column, QString>> values) {
    QStringList columns(kColumnCount);
    for (const auto& [column, value] : values) {
        columns[ColumnIndex(column)] = value;
    }
    return columns.join(kFieldSeparator);
}

// The header line of the program's lists: the column names joined by tabs, without a line end.
// Header tests give the code column another name.
inline QString HeaderLine(const QString& codeName = QStringLiteral("SKS-kode")) {
    return RecordLine({{Column::Code, codeName},
                       {Column::Asterisk, QStringLiteral("Stjerne")},
                       {Column::Text, QStringLiteral("Diagnosetekst")},
                       {Column::ShortListFlag, QStringLiteral("KorteListe")},
                       {Column::Synonyms, QStringLiteral("Synonymer")},
                       {Column::Inclusions, QStringLiteral("Inklusiv")},
                       {Column::Keywords, QStringLiteral("Stikord")},
                       {Column::Comments, QStringLiteral("Kommentarer")},
                       {Column::EditDate, QStringLiteral("Redigeret")}});
}

// The same line as the bytes of a file, with the lists' CR LF line end.
inline QByteArray HeaderLineBytes(const QString& codeName = QStringLiteral("SKS-kode")) {
    return HeaderLine(codeName).toUtf8() + "\r\n";
}

}  // namespace vex::test
