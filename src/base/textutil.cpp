#include "base/textutil.h"

#include <utility>

namespace vex {

QString trimmed32(const QString& s) {
    const QStringView v = trimmedView32(s);
    return v.size() == s.size() ? s : v.toString();
}

QString upper(QString&& s) {
    QString out = std::move(s);
    char16_t* d = reinterpret_cast<char16_t*>(out.data());  // detaches once, when shared
    for (qsizetype i = 0, n = out.size(); i < n; ++i) {
        d[i] = upperUnit(d[i]);
    }
    return out;
}

QString upper(const QString& s) {
    // Most texts asked for are upper case already: they are shared, not copied.
    for (const QChar c : s) {
        if (upperUnit(c.unicode()) != c.unicode()) {
            return upper(QString(s));
        }
    }
    return s;
}

bool equalsNoCase(QStringView a, QStringView b) {
    if (a.size() != b.size()) {
        return false;
    }
    for (qsizetype i = 0; i < a.size(); ++i) {
        if (upperUnit(a.at(i).unicode()) != upperUnit(b.at(i).unicode())) {
            return false;
        }
    }
    return true;
}

bool IsNumericText(const QString& text, const QLocale& locale) {
    const QStringView t = trimmedView32(text);
    const QString separator = locale.decimalPoint();
    qsizetype i = 0;
    if (i < t.size() && (t.at(i) == u'+' || t.at(i) == u'-')) {
        ++i;
    }
    bool digit = false;
    bool separatorSeen = false;
    while (i < t.size()) {
        const QChar c = t.at(i);
        if (c >= u'0' && c <= u'9') {
            digit = true;
            ++i;
        } else if (!separator.isEmpty() && !separatorSeen && t.mid(i).startsWith(separator)) {
            separatorSeen = true;
            i += separator.size();
        } else {
            return false;
        }
    }
    return digit;
}

QString doubleAmpersands(const QString& s) {
    QString out = s;
    return out.replace(QLatin1Char('&'), QStringLiteral("&&"));
}

QString CaptionDisplayText(const QString& caption) {
    QString out;
    out.reserve(caption.size());
    for (qsizetype i = 0; i < caption.size(); ++i) {
        const QChar c = caption.at(i);
        if (c == u'&') {
            if (i + 1 < caption.size() && caption.at(i + 1) == u'&') {
                out.append(c);
                ++i;
            }
            continue;
        }
        out.append(c);
    }
    return out;
}

}  // namespace vex
