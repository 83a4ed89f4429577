#include "config/datafilenames.h"

#include "base/textutil.h"

#include <QDir>

namespace vex {

namespace {

bool isSeparator(QChar c) {
    return c == QLatin1Char('\\') || c == QLatin1Char('/');
}

bool isBareFileName(const QString& name) {
    return !name.contains(QLatin1Char('\\')) && !name.contains(QLatin1Char('/')) &&
           !name.contains(QLatin1Char(':'));
}

}  // namespace

DataFileNames DataFileNamesFromIni(const IniSettings& settings) {
    QString folder = trimmed32(settings.dataFolder);
    QString file01 = trimmed32(settings.datafile01);
    QString file02 = trimmed32(settings.datafile02);
    DataFileNames names;
    names.defaultPrimary = QString::fromUtf16(DefaultPrimaryDataFileName);
    names.defaultSecondary = QString::fromUtf16(DefaultSecondaryDataFileName);
    if (!folder.isEmpty()) {
        if (!isSeparator(folder.back())) {
            folder += QDir::separator();
        }
        names.defaultPrimary.prepend(folder);
        names.defaultSecondary.prepend(folder);
        if (!file01.isEmpty() && isBareFileName(file01)) {
            file01.prepend(folder);
        }
        if (!file02.isEmpty() && isBareFileName(file02)) {
            file02.prepend(folder);
        }
    }
    names.primary = file01;
    names.secondary = file02;
    return names;
}

DataFileNames CompleteDataFileNames(DataFileNames names,
                                    const std::function<bool(const QString&)>& fileExists) {
    if (names.primary.isEmpty()) {
        names.primary = names.defaultPrimary;
    }
    if (names.secondary.isEmpty() && fileExists(names.defaultSecondary)) {
        names.secondary = names.defaultSecondary;
    }
    if (names.secondary == names.primary) {
        names.secondary.clear();
    }
    return names;
}

IniSettings CheckHelpSettings(IniSettings settings, const QString& programFolder) {
    const QString useLocal = trimmed32(settings.useLocalHTMLHelp);
    settings.useLocalHTMLHelp = (useLocal == QLatin1String("0") || useLocal == QLatin1String("1"))
                                    ? useLocal
                                    : QStringLiteral("0");
    if (settings.omitHtmlFilePrefix != QLatin1String("0") &&
        settings.omitHtmlFilePrefix != QLatin1String("1")) {
        settings.omitHtmlFilePrefix = QStringLiteral("0");
    }
    if (!settings.location.contains(QLatin1String("http"))) {
        settings.location =
            QDir::cleanPath(QDir(programFolder).absoluteFilePath(settings.location));
    }
    return settings;
}

}  // namespace vex
