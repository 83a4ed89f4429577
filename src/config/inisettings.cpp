#include "config/inisettings.h"

#include "base/ansicodepage.h"
#include "base/textutil.h"
#include "config/inidocument.h"
#include "config/numbertext.h"

#include <QDir>
#include <QFileInfo>
#include <QStringList>
#include <QTemporaryFile>

namespace vex {

namespace {

QString str(const char16_t* s) {
    return QString::fromUtf16(s);
}

// A data-file name without ".txt" anywhere (in any case) gets ".txt" appended.
QString withTxtExtension(const QString& name) {
    if (name.isEmpty() || name.toLower().contains(QLatin1String(".txt"))) {
        return name;
    }
    return name + QLatin1String(".txt");
}

}  // namespace

QString ChangeFileExt(const QString& fileName, const QString& newExtension) {
    qsizetype nameStart = 0;
    for (qsizetype i = fileName.size() - 1; i >= 0; --i) {
        const QChar c = fileName.at(i);
        if (c == QLatin1Char('/') || c == QLatin1Char('\\') || c == QLatin1Char(':')) {
            nameStart = i + 1;
            break;
        }
    }
    const qsizetype dot = fileName.lastIndexOf(QLatin1Char('.'));
    if (dot >= nameStart) {
        return fileName.left(dot) + newExtension;
    }
    return fileName + newExtension;
}

QString DefaultIniFileText(const QString& programFileName, int lastYear) {
    const QString stars = QStringLiteral(";") + QString(52, QLatin1Char('*'));
    const QStringList lines{
        stars,
        QStringLiteral(";*   Vex Diagnoseliste program ") + programFileName +
            QStringLiteral("      *"),
        QStringLiteral(";*        2003-%1, Tovemark Software        *").arg(lastYear),
        stars,
        QStringLiteral(";Lines preceded by semicolon are currently inactive"),
        QString(),
        QLatin1Char('[') + str(ini::SectionDefaultDatafiles) + QLatin1Char(']'),
        str(ini::KeyDataFolder) + QStringLiteral(" ="),
        str(ini::KeyDatafile01) + QStringLiteral(" ="),
        str(ini::KeyDatafile02) + QStringLiteral(" ="),
        QString(),
        QLatin1Char('[') + str(ini::SectionAppearance) + QLatin1Char(']'),
        str(ini::KeyDBGridWinTheme) + QStringLiteral(" = 0"),
        str(ini::KeyFormCustomColorRGB) + QStringLiteral(" = 240;240;240"),
        QString(),
        QLatin1Char('[') + str(ini::SectionDatafile01) + QLatin1Char(']'),
        str(ini::KeyEntryAutoDPrefix) + QStringLiteral(" = 1"),
        QString(),
        QLatin1Char('[') + str(ini::SectionAppHelp) + QLatin1Char(']'),
        str(ini::KeyUseLocalHTMLHelp) + QStringLiteral(" = 0"),
        QString(),
        QLatin1Char('[') + str(ini::SectionAppWebHelp) + QLatin1Char(']'),
        str(ini::KeyLocation) + QStringLiteral(" = ") + str(DefaultHelpLocation),
        str(ini::KeyIndexFile) + QStringLiteral(" = ") + str(DefaultHelpIndexFile),
        QStringLiteral(";Target = index.html"),
        str(ini::KeyOmitHtmlFilePrefix) + QStringLiteral(" = ") + QStringLiteral("0"),
        QString(),
        QStringLiteral(";INI-File End"),
    };
    QString text;
    for (const QString& line : lines) {
        text += line + QStringLiteral("\r\n");
    }
    return text;
}

void WriteDefaultIniFile(const QString& iniPath, const QString& programFileName, int lastYear) {
    // A link whose file is gone (an installation that keeps the file elsewhere, say in /etc)
    // is the administrator's: it is never replaced by a file of ours.
    if (QFileInfo::exists(iniPath) || QFileInfo(iniPath).isSymLink()) {
        return;
    }
    const QFileInfo target(iniPath);
    // Written beside the target and then moved into place, so nobody ever reads a half-written
    // file; the move refuses to replace a file that appeared in the meantime.
    QTemporaryFile temp(target.absolutePath() + QStringLiteral("/.") + target.fileName() +
                        QStringLiteral(".XXXXXX"));
    if (!temp.open()) {
        return;
    }
    const QByteArray bytes = encodeWindows1252(DefaultIniFileText(programFileName, lastYear));
    if (temp.write(bytes) != bytes.size() || !temp.flush()) {
        return;
    }
    temp.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadGroup |
                        QFileDevice::ReadOther);
    temp.close();
    if (temp.error() != QFileDevice::NoError) {
        return;
    }
    if (temp.rename(target.absoluteFilePath())) {
        temp.setAutoRemove(false);
    }
}

IniSettings ReadIniFile(const QString& iniPath) {
    IniSettings s;
    // A file that cannot be read (not a regular file, too large) leaves the built-in values,
    // as a missing one does.
    const std::optional<IniDocument> file = IniDocument::fromFile(iniPath);
    if (!file) {
        return s;
    }
    const IniDocument& doc = *file;
    auto read = [&doc](const char16_t* section, const char16_t* key, const QString& fallback) {
        return doc.value(str(section), str(key)).value_or(fallback);
    };
    s.dataFolder = read(ini::SectionDefaultDatafiles, ini::KeyDataFolder, s.dataFolder);
    s.datafile01 =
        read(ini::SectionDefaultDatafiles, ini::KeyDatafile01, str(DefaultPrimaryDataFileName));
    s.datafile02 =
        read(ini::SectionDefaultDatafiles, ini::KeyDatafile02, str(DefaultSecondaryDataFileName));
    s.dbGridWinTheme = ParseGridThemeFlag(read(ini::SectionAppearance, ini::KeyDBGridWinTheme, {}));
    s.formCustomColorRGB =
        read(ini::SectionAppearance, ini::KeyFormCustomColorRGB, s.formCustomColorRGB);
    s.datafile01 = withTxtExtension(s.datafile01);
    s.datafile02 = withTxtExtension(s.datafile02);
    s.useLocalHTMLHelp = read(ini::SectionAppHelp, ini::KeyUseLocalHTMLHelp, s.useLocalHTMLHelp);
    s.location = read(ini::SectionAppWebHelp, ini::KeyLocation, s.location);
    if (s.location == str(FormerDefaultHelpLocation)) {
        s.location = str(DefaultHelpLocation);
    }
    s.indexFile = read(ini::SectionAppWebHelp, ini::KeyIndexFile, s.indexFile);
    s.omitHtmlFilePrefix =
        read(ini::SectionAppWebHelp, ini::KeyOmitHtmlFilePrefix, s.omitHtmlFilePrefix);
    s.entryAutoDPrefix = read(ini::SectionDatafile01, ini::KeyEntryAutoDPrefix, s.entryAutoDPrefix);
    s.supportEmail = trimmed32(read(ini::SectionSupport, ini::KeySupportEmail, s.supportEmail));
    return s;
}

IniSettings LoadIniFile(const QString& iniPath, const QString& programFileName, int lastYear) {
    if (!QFileInfo::exists(iniPath)) {
        WriteDefaultIniFile(iniPath, programFileName, lastYear);
    }
    return ReadIniFile(iniPath);
}

bool ParseGridThemeFlag(const QString& value) {
    const std::optional<int> n = confignumbers::parseIntegerText(value);
    return n.has_value() && *n != 0;
}

std::optional<RgbColor> ParseCustomWindowColor(const QString& formCustomColorRGB,
                                               const QLocale& locale) {
    const QString text = trimmed32(formCustomColorRGB);
    if (text.size() != 11) {
        return std::nullopt;
    }
    int components[3] = {0, 0, 0};
    for (int i = 0; i < 3; ++i) {
        const QString group = text.mid(i * 4, 3);
        if (!IsNumericText(group, locale)) {
            return std::nullopt;
        }
        const std::optional<int> n = confignumbers::parseIntegerText(group);
        if (!n || *n < 0 || *n > 255) {
            return std::nullopt;
        }
        components[i] = *n;
    }
    return RgbColor{components[0], components[1], components[2]};
}

}  // namespace vex
