#include "base/textutil.h"

namespace vex {

QString trimmed32(const QString& s) {
    const QStringView v = trimmedView32(s);
    return v.size() == s.size() ? s : v.toString();
}

QString upper(const QString& s) {
    QString out = s;
    QChar* d = out.data();  // detaches once
    for (qsizetype i = 0, n = out.size(); i < n; ++i) {
        d[i] = QChar(QChar::toUpper(d[i].unicode()));
    }
    return out;
}

bool equalsNoCase(const QString& a, const QString& b) {
    if (a.size() != b.size()) {
        return false;
    }
    for (qsizetype i = 0; i < a.size(); ++i) {
        if (QChar::toUpper(a.at(i).unicode()) != QChar::toUpper(b.at(i).unicode())) {
            return false;
        }
    }
    return true;
}

QString doubleAmpersands(const QString& s) {
    QString out = s;
    return out.replace(QLatin1Char('&'), QStringLiteral("&&"));
}

}  // namespace vex
