#include "desktop/helphandler.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>

#include "base/textutil.h"
#include "config/inisettings.h"
#include "config/programstate.h"
#include "desktop/helplauncher.h"

namespace vex {

namespace {

// A location that is still relative is opened in the program folder, where a relative name
// points. The start-up makes every location without "http" absolute; one that contains "http"
// without being a web address ("hjælp/httpdocs") stays as written and is resolved here. A
// location with a scheme ("http:", "file:") or a drive letter is left alone.
QString LocationToOpen(const QString& location, const QString& programFolder) {
    static const QRegularExpression schemeOrDrive(QStringLiteral("^[A-Za-z][A-Za-z0-9+.-]*:"));
    if (!QDir::isRelativePath(location) || schemeOrDrive.match(location).hasMatch()) {
        return location;
    }
    return QDir(programFolder).absoluteFilePath(location);
}

QString CompiledHelpPath(const ProgramState& program) {
    QString folder = QDir::toNativeSeparators(program.programFolder);
    if (!folder.endsWith(QDir::separator())) {
        folder += QDir::separator();
    }
    return folder + ChangeFileExt(program.programFileName, QStringLiteral(".chm"));
}

bool UsesCompiledHelp(const ProgramState& program) {
    // Any value but "1" means the web pages (the start-up leaves "0" or "1").
    return trimmed32(program.settings.useLocalHTMLHelp) == QLatin1String("1");
}

QString WebPageTarget(const ProgramState& program) {
    const IniSettings& settings = program.settings;
    QString location = settings.location;
    location.replace(QLatin1Char('\\'), QLatin1Char('/'));
    return WebHelpTarget(LocationToOpen(location, program.programFolder), settings.indexFile,
                         settings.omitHtmlFilePrefix);
}

}  // namespace

QString ProgramHelpTarget(const ProgramState& program) {
    if (UsesCompiledHelp(program)) {
        const QString path = CompiledHelpPath(program);
        if (QFileInfo(path).isFile()) {
            return path;
        }
    }
    return WebPageTarget(program);
}

QString WebHelpTarget(const QString& location, const QString& indexFile,
                      const QString& omitHtmlFilePrefix) {
    QString target = location;
    target.replace(QLatin1Char('\\'), QLatin1Char('/'));
    if (!target.startsWith(QLatin1String("http")) && omitHtmlFilePrefix != QLatin1String("0")) {
        target.prepend(QLatin1String("file:///"));
    }
    return target + QLatin1Char('/') + indexFile;
}

Message MissingLocalHelpMessage(const QString& helpFileName, const QString& iniFileName) {
    return Message{
        MessageKind::Error,
        ButtonOk,
        {QString(), QStringLiteral("Programmet kan ikke finde den tilhørende lokale online hjælp:"),
         helpFileName, QStringLiteral("der burde ligge i samme mappe som programmet selv."),
         QStringLiteral("Rediger om nødvendigt INI-filen:"), iniFileName,
         QStringLiteral("og sæt parametren: ") + QString::fromUtf16(ini::KeyUseLocalHTMLHelp) +
             QStringLiteral(" til = 0")}};
}

QString HelpHandler::localHelpPath() const {
    return CompiledHelpPath(program_);
}

void HelpHandler::HandleHelpRequest(int helpContext) {
    IniSettings& settings = program_.settings;
    if (UsesCompiledHelp(program_)) {
        const QString path = localHelpPath();
        if (QFileInfo(path).isFile()) {
            program_.helpFile = path;
            launcher_.openCompiledHelp(path, helpContext);
            return;
        }
        dialogs_.show(MissingLocalHelpMessage(
            ChangeFileExt(program_.programFileName, QStringLiteral(".chm")),
            ChangeFileExt(program_.programFileName, QStringLiteral(".ini"))));
        settings.useLocalHTMLHelp = QStringLiteral("0");
    }
    settings.location.replace(QLatin1Char('\\'), QLatin1Char('/'));
    launcher_.openUrl(WebPageTarget(program_));
}

}  // namespace vex
