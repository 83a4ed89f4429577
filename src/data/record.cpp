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
    QStringList v = SplitColumns(line, 9);
    while (v.size() < 9) {
        v.append(QString());
    }
    DecodedRecord r;
    r.code = v[0];
    if (v[1] == QLatin1String("*")) {
        r.code += QLatin1Char('*');
    }
    r.text = v[2];
    r.shortListFlag = v[3] == QLatin1String("1");
    r.synonyms = v[4];
    r.inclusions = decodeMarkup(v[5]);
    r.keywords = v[6];
    r.comments = decodeMarkup(v[7]);
    r.editDate = v[8];
    return r;
}

bool IsShortListRecord(QStringView line) {
    qsizetype from = 0;
    for (int i = 0; i < 3; ++i) {
        const qsizetype tab = line.indexOf(QLatin1Char('\t'), from);
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
