#include "data/record.h"

#include "base/columns.h"

namespace vex {

namespace {

void replaceEntities(QString& s) {
    s.replace(QLatin1String("&lt;"), QLatin1String("<"));
    s.replace(QLatin1String("&gt;"), QLatin1String(">"));
}

// The markup allowed in the inclusions and comments columns.
QString decodeMarkup(QString s) {
    if (s.contains(QLatin1Char('&'))) {
        replaceEntities(s);
    }
    if (s.contains(QLatin1Char('<'))) {
        s.replace(QLatin1String("<BR>"), QLatin1String("\r\n"), Qt::CaseInsensitive);
        s.replace(QLatin1String("<TAB>"), QLatin1String("\t"), Qt::CaseInsensitive);
    }
    return s;
}

}  // namespace

DecodedRecord DecodeRecord(QStringView line) {
    const QStringList values = SplitColumns(line, kColumnCount);
    const auto value = [&values](Column column) { return ColumnValue(values, column); };
    DecodedRecord r;
    r.code = value(Column::Code);
    if (value(Column::Asterisk) == QLatin1String("*")) {
        r.code += QLatin1Char('*');
    }
    r.text = value(Column::Text);
    r.shortListFlag = value(Column::ShortListFlag) == QLatin1String("1");
    r.synonyms = value(Column::Synonyms);
    r.inclusions = decodeMarkup(value(Column::Inclusions));
    r.keywords = value(Column::Keywords);
    r.comments = decodeMarkup(value(Column::Comments));
    r.editDate = value(Column::EditDate);
    return r;
}

bool IsShortListRecord(QStringView line) {
    // The tabs before the short-list column, quotes not interpreted.
    qsizetype from = 0;
    for (int i = 0; i < ColumnIndex(Column::ShortListFlag); ++i) {
        const qsizetype tab = line.indexOf(kFieldSeparator, from);
        if (tab >= 0) {
            from = tab + 1;
        }
    }
    return from < line.size() && line.at(from) == QLatin1Char('1');
}

void ReplaceEntities(QStringList& lines) {
    for (qsizetype i = 0, n = lines.size(); i < n; ++i) {
        // Look before writing: most lines hold no entity and must not be touched (or detached).
        const QString& line = std::as_const(lines).at(i);
        if (line.contains(QLatin1Char('&'))) {
            replaceEntities(lines[i]);
        }
    }
}

void BuildShortList(const QStringList& source, QStringList& target) {
    for (const QString& line : source) {
        if (IsShortListRecord(line)) {
            target.append(line);
        }
    }
}

}  // namespace vex
