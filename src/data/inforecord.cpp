#include "data/inforecord.h"

#include "base/textutil.h"

#include <QDate>

namespace vex {

namespace {

const QLatin1String kItemSeparator(" - ");
const QLatin1String kSstMarker("SST-liste:");
const QLatin1String kEditMarker("Red:");

// The number a short run of ASCII digits stands for; -1 for anything else.
int digitsValue(QStringView s) {
    if (s.isEmpty()) {
        return -1;
    }
    int value = 0;
    for (QChar c : s) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9')) {
            return -1;
        }
        value = value * 10 + (c.unicode() - '0');
    }
    return value;
}

// A date written as dd?mm?yyyy (any characters at positions 3 and 6) in the locale's short
// date form; any other text as it stands.
QString convertDate(const QString& value, const QLocale& locale) {
    const QStringView v(value);
    const int day = digitsValue(v.mid(0, 2));
    const int month = digitsValue(v.mid(3, 2));
    const int year = digitsValue(v.mid(6, 4));
    if (day < 0 || month < 0 || year < 0) {
        return value;
    }
    const QDate date(year, month, day);
    return date.isValid() ? locale.toString(date, QLocale::ShortFormat) : value;
}

// Position of the web address in t: "http://", else "https://", else "www."; -1 when none.
qsizetype findWebAddress(const QString& t) {
    for (const char* marker : {"http://", "https://", "www."}) {
        const qsizetype at = t.indexOf(QLatin1String(marker));
        if (at >= 0) {
            return at;
        }
    }
    return -1;
}

// The text of t from position from up to the next item separator, or to the end.
QString itemFrom(const QString& t, qsizetype from) {
    const qsizetype end = t.indexOf(kItemSeparator, from);
    return end < 0 ? t.mid(from) : t.mid(from, end - from);
}

// The publisher, which ends at the next item separator or where a later item begins.
QString takePublisher(QString& t) {
    const qsizetype sst = t.indexOf(kSstMarker);
    const qsizetype web = findWebAddress(t);
    if (sst < 0 && web < 0) {
        const qsizetype sep = t.indexOf(kItemSeparator);
        if (sep < 0) {
            return trimmed32(t);
        }
        QString publisher = t.left(sep);
        t.remove(0, sep + kItemSeparator.size());
        return publisher;
    }
    const qsizetype mark = (sst >= 0 && (web < 0 || web > sst)) ? sst : web;
    QString publisher = t.left(mark);
    const qsizetype sep = publisher.indexOf(kItemSeparator);
    if (sep >= 0) {
        publisher.truncate(sep);
        t.remove(0, sep + kItemSeparator.size());
    } else {
        t.remove(0, mark);
    }
    return publisher;
}

}  // namespace

bool IsInfoRecord(const QString& line) {
    return line.startsWith(QLatin1String("0000")) || line.startsWith(QLatin1String("\"0000"));
}

InfoValues ParseInfoRecord(const QString& line, const QLocale& locale) {
    InfoValues info;

    // The information text is the third column; columns split at plain tabs.
    QString t = line;
    for (int i = 0; i < 2; ++i) {
        const qsizetype tab = t.indexOf(QLatin1Char('\t'));
        if (tab >= 0) {
            t.remove(0, tab + 1);
        }
    }
    const qsizetype tab = t.indexOf(QLatin1Char('\t'));
    if (tab >= 0) {
        t.truncate(tab);
    }
    if (t.size() < 10) {
        return info;
    }

    const qsizetype dateEnd = t.indexOf(kItemSeparator);
    info.releaseDate = convertDate(dateEnd < 0 ? t.left(10) : t.left(dateEnd), locale);
    if (dateEnd < 0) {
        return info;
    }
    t.remove(0, dateEnd + kItemSeparator.size());

    info.publisher = takePublisher(t);

    const qsizetype sst = t.indexOf(kSstMarker);
    const qsizetype web = findWebAddress(t);
    if (sst >= 0 && (web < 0 || web > sst)) {
        const QString value = itemFrom(t, sst + kSstMarker.size());
        t.remove(sst, kSstMarker.size() + value.size());
        // Not trimmed: a blank after the marker keeps the value as written.
        info.sstListDate = value.size() == 10 ? convertDate(value, locale) : value;
    }

    const qsizetype webAgain = findWebAddress(t);
    if (webAgain >= 0) {
        info.webAddress = itemFrom(t, webAgain);
    }

    const qsizetype edit = t.indexOf(kEditMarker);
    if (edit >= 0) {
        info.editNote = trimmed32(itemFrom(t, edit + kEditMarker.size()));
    }
    return info;
}

}  // namespace vex
