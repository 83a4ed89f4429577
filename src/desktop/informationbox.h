#pragma once

#include <QDate>
#include <QDateTime>
#include <QLocale>
#include <QString>
#include <QStringList>

#include <optional>

#include "base/dialogs.h"
#include "data/inforecord.h"
#include "desktop/programversion.h"

namespace vex {

// The author named in the information box.
inline constexpr char16_t AuthorName[] = u"Tovemark Software";
// The support line when the clinic has named no support address.
inline constexpr char16_t NoSupportAddressText[] =
    u"Kontakt din lokale it-support ved spørgsmål om programmet.";
// The first year of the notice line; the last one is the year of the program date.
inline constexpr int NoticeFirstYear = 2003;

// The date of this version of the program.
QDate ProgramDate();

// What the information box tells about the program and the data file in use.
struct InformationInputs {
    QString programFolder;    // the program's folder, ending with the path separator
    QString currentDataFile;  // full path of the data file in use
    QDateTime currentFileTime;
    InfoValues info;       // from the file's information record (all empty without one)
    QString helpTarget;    // what the program's help opens (page address or file)
    QString supportEmail;  // the clinic's support address; empty when none is set
};

// The lines of the information box, in order: program, version, notice, program date and
// place, data file with its release values, distribution with the help the program opens, and
// the clinic's support address or whom to ask instead. Dates use the locale's
// short date format.
QStringList InformationLines(const InformationInputs& inputs, const QLocale& locale,
                             const std::optional<FileVersion>& version = CompiledFileVersion());

// The information box: kind Information, button OK.
Message InformationMessage(const InformationInputs& inputs,
                           const QLocale& locale = QLocale::system(),
                           const std::optional<FileVersion>& version = CompiledFileVersion());

}  // namespace vex
