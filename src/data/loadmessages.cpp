#include "data/loadmessages.h"

namespace vex::loadmsg {

namespace {

constexpr int kButtons = ButtonOk | ButtonHelp;

// Lines that two messages share.
QString mayBeLockedLine() {
    return QStringLiteral("Datafilen kan evt. være blokeret af andet program, der bruger filen.");
}
QString noTabLine() {
    return QStringLiteral("anvender ikke den forudsatte feltseparator [ Tab ]!");
}
QString secondaryFileNamed(const QString& fileName) {
    return QStringLiteral("Startparametrens sekundære datafil [ ") + fileName +
           QStringLiteral(" ]");
}

}  // namespace

QString titleLine() {
    return QStringLiteral("Vex Diagnoseliste program");
}

Message primaryCannotOpen(const QString& fileName) {
    return {MessageKind::Error,
            kButtons,
            {titleLine(), QString(),
             QStringLiteral("Kan ikke åbne datafilen: [ ") + fileName + QStringLiteral(" ]"),
             mayBeLockedLine(), QString(), QStringLiteral("Afbryder nu programåbning.")}};
}

Message primaryEmpty() {
    return {MessageKind::Error,
            kButtons,
            {titleLine(), QString(), QStringLiteral("Tom datafil!"), QString(),
             QStringLiteral("Afslutter programmet")}};
}

Message primaryNoTab(const QString& fileName) {
    return {MessageKind::Error,
            kButtons,
            {QStringLiteral("Den angivne datafil [ ") + fileName + QStringLiteral(" ]"),
             noTabLine(), QString(), QStringLiteral("Afslutter programåbning")}};
}

Message primaryNoRecords() {
    return {MessageKind::Warning,
            kButtons,
            {titleLine(), QString(),
             QStringLiteral("Datafil med godkendt struktur men uden dataposter!"), QString(),
             QStringLiteral("Afslutter programmet")}};
}

Message secondaryCannotOpen(const QString& fileName) {
    return {MessageKind::Warning,
            kButtons,
            {titleLine(), QString(),
             QStringLiteral("Kan ikke åbne startparametrens sekundære datafil: [ ") + fileName +
                 QStringLiteral(" ]"),
             mayBeLockedLine()}};
}

Message secondaryEmpty(const QString& fileName) {
    return {MessageKind::Warning,
            kButtons,
            {titleLine(), QString(),
             QStringLiteral("Startparametrens sekundære datafil [") + fileName +
                 QStringLiteral("] er tom!")}};
}

Message secondaryNoTab(const QString& fileName) {
    return {MessageKind::Warning, kButtons, {secondaryFileNamed(fileName), noTabLine()}};
}

Message secondaryNoRecords(const QString& fileName) {
    return {MessageKind::Warning,
            kButtons,
            {titleLine(), QString(),
             secondaryFileNamed(fileName) +
                 QStringLiteral(" med godkendt struktur men uden dataposter!")}};
}

Message noUsableDataFile(const QString& programFolder) {
    return {
        MessageKind::Error,
        kButtons,
        {titleLine(), QString(),
         QStringLiteral("Programmet har ikke kunne hente eller anvende de associerede datafiler."),
         QString(),
         QStringLiteral("Datafiler forudsættes at ligge i samme mappe som programmet selv:"),
         programFolder, QString(), QStringLiteral("Afbryder program-åbning.")}};
}

}  // namespace vex::loadmsg
