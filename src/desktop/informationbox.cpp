#include "desktop/informationbox.h"

#include "base/textutil.h"
#include "config/inisettings.h"

namespace vex {

QDate ProgramDate() {
    return QDate(ProgramDateYear, 6, 18);
}

QStringList InformationLines(const InformationInputs& inputs, const QLocale& locale,
                             const std::optional<FileVersion>& version) {
    const auto shortDate = [&locale](const QDate& date) {
        return locale.toString(date, QLocale::ShortFormat);
    };
    // The box reads a single "&" as an accelerator mark: paths and the file's own texts keep
    // theirs by doubling them.
    const InfoValues& info = inputs.info;
    QStringList lines;
    lines << QStringLiteral("Vex - Diagnoseliste-program");
    lines << QString(80, QLatin1Char(' '));  // keeps the box wide
    lines << QStringLiteral("Program version: ") + FileVersionText(3, version) +
                 QStringLiteral("  (build ") + FileVersionText(5, version) + QLatin1Char(')');
    lines << QStringLiteral("Copyright © %1-%2 %3")
                 .arg(NoticeFirstYear)
                 .arg(ProgramDate().year())
                 .arg(QString::fromUtf16(AuthorName));
    lines << QStringLiteral("Programdato: ") + shortDate(ProgramDate());
    lines << QStringLiteral("Programplacering:");
    lines << QLatin1Char('[') + doubleAmpersands(inputs.programFolder) + QLatin1Char(']');
    lines << QString();
    lines << QStringLiteral("Datafil: [ ") + doubleAmpersands(inputs.currentDataFile) +
                 QStringLiteral(" ]");
    lines << QStringLiteral("Udsendelses-dato: ") + doubleAmpersands(info.releaseDate);
    lines << QStringLiteral("Dato for SST basisliste: ") + doubleAmpersands(info.sstListDate);
    lines << QStringLiteral("Sidste fil-skrivning: ") + shortDate(inputs.currentFileTime.date());
    lines << QStringLiteral("Udsendt af: ") + doubleAmpersands(info.publisher);
    const QString editNote = trimmed32(info.editNote);
    if (!editNote.isEmpty()) {
        lines << QStringLiteral("Redigeret: ") + doubleAmpersands(editNote);
    }
    lines << doubleAmpersands(info.webAddress);
    lines << QString();
    lines << QStringLiteral("Program distribution:");
    lines << QString::fromUtf16(AuthorName);
    lines << QStringLiteral("Hjælp: ") + doubleAmpersands(inputs.helpTarget);
    lines << QStringLiteral("Program support:");
    const QString email = trimmed32(inputs.supportEmail);
    lines << (email.isEmpty() ? QString::fromUtf16(NoSupportAddressText)
                              : QStringLiteral("e-mail: ") + doubleAmpersands(email));
    return lines;
}

Message InformationMessage(const InformationInputs& inputs, const QLocale& locale,
                           const std::optional<FileVersion>& version) {
    return Message{MessageKind::Information, ButtonOk, InformationLines(inputs, locale, version)};
}

}  // namespace vex
