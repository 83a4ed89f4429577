#pragma once

#include "import/codeselection.h"

#include <QByteArray>
#include <QDate>
#include <QString>

namespace vex {

// The two lists as the bundled ones are written: a header line of the column names, an
// information record, then one record per code with its code, its text and the short-list
// flag; every other column empty.
//   primary list ICD10vex.txt:                   Windows-1252, CR LF, no byte-order mark
//   secondary list Behandling-procedurer-vex.txt: UTF-8 with byte-order mark, LF
QString listFileName(TargetList list);

// A day as the lists and the summary write it: DD-MM-YYYY, the form the information record's
// reader converts.
QString dayText(QDate day);

QString listHeaderLine();

// The information record: the release date (also as the "SST-liste" date), the publisher, the
// web address and, in the "Red:" note, the day the codes are valid on and the short-list rule.
QString listInfoLine(TargetList list, QDate releaseDate, QDate validOn);

// The short-list rule: the D codes of four characters (the ICD-10 categories) and the B, K and
// U codes of at most four characters (the group levels).
bool isShortListCode(const QString& code);

// A record line. A value that holds a double quote or a TAB is written in double quotes with
// its double quotes doubled.
QString listRecordLine(const QString& code, const QString& text);
QString quotedListValue(const QString& value);

enum class ListEncoding { Windows1252, Utf8WithMark };

// A line with its line end, in the encoding of the list.
QByteArray encodedListLine(const QString& line, TargetList list, ListEncoding encoding);

}  // namespace vex
