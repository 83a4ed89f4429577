#pragma once

#include <QString>
#include <QStringList>
#include <QStringView>

namespace vex {

// One record line decoded for display.
struct DecodedRecord {
    QString code;  // the SKS code, with "*" appended when the asterisk column marks it
    QString text;
    bool shortListFlag = false;  // the short-list column holds exactly "1"
    QString synonyms, inclusions, keywords, comments, editDate;

    bool operator==(const DecodedRecord&) const = default;
};

// Splits a record line into its columns. Inclusions and comments get their markup
// decoded ("&lt;"/"&gt;", then "<BR>" as CR LF and "<TAB>" as a tab, in any case); the other
// columns stay as written.
DecodedRecord DecodeRecord(QStringView line);

// Whether a record belongs to the short list: its short-list column, found by counting tabs,
// begins with "1". Quotes are not interpreted and nothing is trimmed.
bool IsShortListRecord(QStringView line);

// Replaces every "&lt;" by "<" and then every "&gt;" by ">" in each line, in place.
void ReplaceEntities(QStringList& lines);

// Appends to target every line of source that passes IsShortListRecord, in source order.
void BuildShortList(const QStringList& source, QStringList& target);

}  // namespace vex
