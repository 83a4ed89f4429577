#pragma once

#include <QDate>
#include <QString>
#include <QStringView>

#include <optional>

namespace vex {

// One record of the publisher's complete SKS file: fixed-width text, the fields at these
// character positions (counted from 0, after decoding):
//   0  record kind, 3 lower-case letters ("dia", "opr", ...)
//   3  SKS code, 20, left-aligned and blank-padded
//  23  valid from, YYYYMMDD
//  31  date of last change, YYYYMMDD
//  39  valid to, YYYYMMDD, blank when open
//  47  code text, 120, blank-padded
// 167  further fields, not needed here
struct SksLine {
    QString kind;
    QString code;
    QDate validFrom;
    QDate lastChange;
    QDate validTo;  // null: open
    QString text;
    // The text fills its whole field: the export may have cut it.
    bool fullWidth = false;

    // Valid on the day: from <= day < to.
    bool isValidOn(QDate day) const {
        return validFrom <= day && (validTo.isNull() || day < validTo);
    }
};

namespace sks {
inline constexpr qsizetype kKindPos = 0;
inline constexpr qsizetype kCodePos = 3;
inline constexpr qsizetype kValidFromPos = 23;
inline constexpr qsizetype kLastChangePos = 31;
inline constexpr qsizetype kValidToPos = 39;
inline constexpr qsizetype kTextPos = 47;
inline constexpr qsizetype kTextWidth = 120;
// Exports often trim trailing blanks: a line needs the first character of its text.
inline constexpr qsizetype kMinLineLength = kTextPos + 1;
}  // namespace sks

// A line read as a record, or why it is not one (a Danish message without the line number).
struct SksLineParse {
    std::optional<SksLine> line;
    QString error;
};

// Cuts a line (not blank) into its fields and checks them: the kind lower-case letters, the
// code without blanks, every date eight digits of a real date (only "valid to" may be blank),
// the text not empty.
SksLineParse parseSksLine(QStringView line);

}  // namespace vex
