#include "base/columns.h"

#include "base/textutil.h"

namespace vex {

qsizetype NextColumnEnd(QStringView text) {
    if (text.isEmpty()) {
        return 0;
    }
    if (text.front() != QLatin1Char('"')) {
        const qsizetype tab = text.indexOf(kFieldSeparator);
        return tab < 0 ? 0 : tab + 1;
    }
    qsizetype q = 0;  // 1-based position of a quote that may close the column
    for (qsizetype i = 2; i <= text.size(); ++i) {
        const QChar c = text.at(i - 1);
        if (q == 0 && c == QLatin1Char('"')) {
            q = i;
        } else if (q != 0 && c == kFieldSeparator) {
            return i;
        } else if (q != 0 && c == QLatin1Char('"') && i == q + 1) {
            q = 0;  // a doubled quote inside the column
        }
    }
    return 0;  // an unclosed quote runs to the end of the line
}

static QStringView trimmedView32(QStringView s) {
    qsizetype begin = 0;
    qsizetype end = s.size();
    while (begin < end && s.at(begin).unicode() <= 32) {
        ++begin;
    }
    while (end > begin && s.at(end - 1).unicode() <= 32) {
        --end;
    }
    return s.mid(begin, end - begin);
}

QString CleanColumn(QStringView raw) {
    QStringView v = trimmedView32(raw);
    if (!v.isEmpty() && v.front() == QLatin1Char('"')) {
        v = v.mid(1);
    }
    if (!v.isEmpty() && v.back() == QLatin1Char('"')) {
        v.chop(1);
    }
    v = trimmedView32(v);
    QString out = v.toString();
    if (out.contains(QLatin1String("\"\""))) {
        out.replace(QLatin1String("\"\""), QLatin1String("\""));
    }
    return out;
}

QStringList SplitColumns(QStringView line, int maxColumns) {
    QStringList values;
    QStringView rest = line;
    for (;;) {
        const qsizetype p = NextColumnEnd(rest);
        const QStringView raw = p == 0 ? rest : rest.left(p - 1);
        values.append(CleanColumn(raw));
        if (p == 0 || values.size() == maxColumns) {
            break;  // the last column, or further columns are dropped
        }
        rest = rest.mid(p);
    }
    return values;
}

}  // namespace vex
