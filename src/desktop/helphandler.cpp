#include "desktop/helphandler.h"

#include <QDir>
#include <QFileInfo>

#include "app/appstate.h"
#include "base/textutil.h"
#include "config/inisettings.h"
#include "desktop/helplauncher.h"

namespace vex {

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
    QString folder = QDir::toNativeSeparators(app_.programFolder);
    if (!folder.endsWith(QDir::separator())) {
        folder += QDir::separator();
    }
    return folder + ChangeFileExt(app_.programFileName, QStringLiteral(".chm"));
}

void HelpHandler::HandleHelpRequest(int helpContext) {
    IniSettings& settings = app_.settings;
    // Any value but "1" means the web pages (the start-up leaves "0" or "1").
    if (trimmed32(settings.useLocalHTMLHelp) == QLatin1String("1")) {
        const QString path = localHelpPath();
        if (QFileInfo(path).isFile()) {
            app_.helpFile = path;
            launcher_.openCompiledHelp(path, helpContext);
            return;
        }
        dialogs_.show(
            MissingLocalHelpMessage(ChangeFileExt(app_.programFileName, QStringLiteral(".chm")),
                                    ChangeFileExt(app_.programFileName, QStringLiteral(".ini"))));
        settings.useLocalHTMLHelp = QStringLiteral("0");
    }
    settings.location.replace(QLatin1Char('\\'), QLatin1Char('/'));
    launcher_.openUrl(
        WebHelpTarget(settings.location, settings.indexFile, settings.omitHtmlFilePrefix));
}

}  // namespace vex
