#include "import/listformat.h"

#include "base/ansicodepage.h"

#include <QStringList>

namespace vex {

QString dayText(QDate day) {
    return day.toString(QStringLiteral("dd-MM-yyyy"));
}

QString listFileName(TargetList list) {
    return list == TargetList::Primary ? QStringLiteral("ICD10vex.txt")
                                       : QStringLiteral("Behandling-procedurer-vex.txt");
}

QString listHeaderLine() {
    return QStringLiteral(
        "SKS-kode\tStjerne\tDiagnosetekst\tKorteListe\tSynonymer\tInklusiv\tStikord\tKommentarer"
        "\tRedigeret");
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
    if (!value.contains(u'"') && !value.contains(u'\t')) {
        return value;
    }
    QString quoted = value;
    quoted.replace(u'"', QStringLiteral("\"\""));
    return u'"' + quoted + u'"';
}

QString listRecordLine(const QString& code, const QString& text) {
    const QString flag = isShortListCode(code) ? QStringLiteral("1") : QString();
    return QStringList{quotedListValue(code),
                       QString(),
                       quotedListValue(text),
                       flag,
                       QString(),
                       QString(),
                       QString(),
                       QString(),
                       QString()}
        .join(u'\t');
}

QByteArray encodedListLine(const QString& line, TargetList list, ListEncoding encoding) {
    QByteArray bytes =
        encoding == ListEncoding::Windows1252 ? encodeWindows1252(line) : line.toUtf8();
    bytes += list == TargetList::Primary ? "\r\n" : "\n";
    return bytes;
}

}  // namespace vex
