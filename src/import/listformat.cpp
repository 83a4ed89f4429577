#include "import/listformat.h"

#include "base/ansicodepage.h"
#include "base/columns.h"

#include <QStringList>

namespace vex {

QString dayText(QDate day) {
    return day.toString(QStringLiteral("dd-MM-yyyy"));
}

QString listFileName(TargetList list) {
    return list == TargetList::Primary ? QStringLiteral("ICD10vex.txt")
                                       : QStringLiteral("Behandling-procedurer-vex.txt");
}

// The name the bundled lists give a column.
QString listColumnName(Column column) {
    switch (column) {
        case Column::Code:
            return QStringLiteral("SKS-kode");
        case Column::Asterisk:
            return QStringLiteral("Stjerne");
        case Column::Text:
            return QStringLiteral("Diagnosetekst");
        case Column::ShortListFlag:
            return QStringLiteral("KorteListe");
        case Column::Synonyms:
            return QStringLiteral("Synonymer");
        case Column::Inclusions:
            return QStringLiteral("Inklusiv");
        case Column::Keywords:
            return QStringLiteral("Stikord");
        case Column::Comments:
            return QStringLiteral("Kommentarer");
        case Column::EditDate:
            return QStringLiteral("Redigeret");
    }
    return QString();
}

QString listHeaderLine() {
    QStringList names;
    for (int i = 0; i < kColumnCount; ++i) {
        names << listColumnName(ColumnAt(i));
    }
    return names.join(kFieldSeparator);
}

QString listInfoLine(TargetList list, QDate releaseDate, QDate validOn) {
    const QString level = list == TargetList::Primary ? QStringLiteral("kategoriniveau")
                                                      : QStringLiteral("gruppeniveau");
    return QStringLiteral(
               "0000\t\t%1 - Sundhedsdatastyrelsen (SKS) - SST-liste:%1 - www.medinfo.dk/sks"
               " - Red: koder og tekster fra SKS gyldige pr. %2, KorteListe = %3")
        .arg(dayText(releaseDate), dayText(validOn), level);
}

bool isShortListCode(const QString& code) {
    return code.startsWith(u'D') ? code.size() == 4 : code.size() <= 4;
}

QString quotedListValue(const QString& value) {
    if (!value.contains(u'"') && !value.contains(kFieldSeparator)) {
        return value;
    }
    QString quoted = value;
    quoted.replace(u'"', QStringLiteral("\"\""));
    return u'"' + quoted + u'"';
}

QString listRecordLine(const QString& code, const QString& text) {
    QStringList values(kColumnCount);
    values[ColumnIndex(Column::Code)] = quotedListValue(code);
    values[ColumnIndex(Column::Text)] = quotedListValue(text);
    if (isShortListCode(code)) {
        values[ColumnIndex(Column::ShortListFlag)] = QStringLiteral("1");
    }
    return values.join(kFieldSeparator);
}

QByteArray encodedListLine(const QString& line, TargetList list, ListEncoding encoding) {
    QByteArray bytes =
        encoding == ListEncoding::Windows1252 ? encodeWindows1252(line) : line.toUtf8();
    bytes += list == TargetList::Primary ? "\r\n" : "\n";
    return bytes;
}

}  // namespace vex
