#include "base/columns.h"

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

void AppendWithSingleQuotes(QString& out, QStringView v) {
    const qsizetype first = v.indexOf(u"\"\"");
    if (first < 0) {
        out.append(v);
        return;
    }
    out.reserve(out.size() + v.size() - 1);
    out.append(v.left(first + 1));
    for (qsizetype i = first + 2; i < v.size(); ++i) {
        out.append(v.at(i));
        if (v.at(i) == u'"' && i + 1 < v.size() && v.at(i + 1) == u'"') {
            ++i;  // a doubled quote stands for one
        }
    }
}

QString WithSingleQuotes(QStringView v) {
    if (!v.contains(u"\"\"")) {
        return v.toString();
    }
    QString out;
    AppendWithSingleQuotes(out, v);
    return out;
}

QStringList SplitColumns(QStringView line, int maxColumns) {
    QStringList values;
    values.reserve(qBound(1, maxColumns, 16));
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
