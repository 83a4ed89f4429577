#pragma once

#include <QLocale>
#include <QString>

namespace vex {

// The release data an information record carries (all empty when absent).
struct InfoValues {
    QString releaseDate;  // converted to the locale's short date when it reads as dd-mm-yyyy
    QString publisher;
    QString sstListDate;  // likewise converted when it is exactly ten characters
    QString webAddress;
    QString editNote;

    bool operator==(const InfoValues&) const = default;
};

// Whether a line is an information record: it begins with "0000" or with a double quote
// followed by "0000".
bool IsInfoRecord(const QString& line);

// Parses the information text (the third tab-separated column) of an information record:
// release date " - " publisher " - " "SST-liste:"date " - " web address " - " "Red:" note,
// the items after the date optional and found by their markers. An empty line gives empty
// values.
InfoValues ParseInfoRecord(const QString& line, const QLocale& locale = QLocale::system());

}  // namespace vex
