#include "app/startupmessages.h"

#include "config/programstate.h"

namespace vex {

Message MissingDataFilesMessage(const QString& primary, const QString& secondary,
                                const QString& programFolderWithSeparator) {
    QStringList lines{kApplicationTitle + QStringLiteral(" program"), QString()};
    if (secondary.isEmpty()) {
        lines << QStringLiteral("Programmet kan ikke finde datafilen [ ") + primary +
                     QStringLiteral(" ]");
    } else {
        lines << QStringLiteral("Programmet kan ikke finde datafilerne")
              << QStringLiteral("  [ ") + primary + QStringLiteral(" ] eller [") + secondary +
                     QStringLiteral(" ]");
    }
    lines << QString()
          << QStringLiteral(
                 "Datafilen/filerne forudsættes at ligge i samme mappe som programmet selv:")
          << programFolderWithSeparator << QString() << QStringLiteral("Afbryder program-åbning.");
    return {MessageKind::Error, ButtonOk | ButtonHelp, lines};
}

Message EditSwitchMessage() {
    return {MessageKind::Information,
            ButtonOk | ButtonHelp,
            {QStringLiteral("Denne programversion tilbyder ikke redigeringsmulighed"),
             QStringLiteral("og ignorerer derfor start-parametren '/E'.")}};
}

}  // namespace vex
