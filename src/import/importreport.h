#pragma once

#include <QDate>
#include <QList>
#include <QMap>
#include <QString>

#include <utility>

namespace vex {

// Lines and codes of one record kind ("dia", "opr", ...).
struct KindCount {
    qint64 lines = 0;
    qint64 primary = 0;    // codes written to the primary list
    qint64 secondary = 0;  // codes written to the secondary list
    qint64 skipped = 0;    // lines of codes for neither list
};

// What an import did, for its summary.
struct ImportFacts {
    QString input;
    QString encoding;
    qint64 lines = 0;
    qint64 blank = 0;
    QDate releaseDate;
    QDate validOn;
    QString primaryPath;
    QString secondaryPath;
    qint64 primaryCodes = 0;
    qint64 secondaryCodes = 0;
    QList<qint64> notWindows1252;  // lines whose text made the primary list UTF-8
    QMap<QString, KindCount> kinds;
    int closedEnded = 0;
    int closedNotYetValid = 0;
    int overlapping = 0;
    QList<std::pair<qint64, qint64>> ties;
    QList<qint64> fullWidth;  // lines whose text fills its field
};

// The summary the program prints on standard output, in Danish.
QString importReport(const ImportFacts& facts);

}  // namespace vex
