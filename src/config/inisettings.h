#pragma once

#include <QLocale>
#include <QString>

#include <optional>

namespace vex {

// Names of the INI file's sections and keys. The default file is built from the same
// constants the reader looks up, so the two always match.
namespace ini {
inline constexpr char16_t SectionDefaultDatafiles[] = u"DefaultDatafiles";
inline constexpr char16_t KeyDataFolder[] = u"DataFolder";
inline constexpr char16_t KeyDatafile01[] = u"Datafile01";
inline constexpr char16_t KeyDatafile02[] = u"Datafile02";
inline constexpr char16_t SectionAppearance[] = u"Appearance";
inline constexpr char16_t KeyDBGridWinTheme[] = u"DBGridWinTheme";
inline constexpr char16_t KeyFormCustomColorRGB[] = u"FormCustomColorRGB";
inline constexpr char16_t SectionDatafile01[] = u"Datafile01";
inline constexpr char16_t KeyEntryAutoDPrefix[] = u"EntryAutoDPrefix";
inline constexpr char16_t SectionAppHelp[] = u"AppHelp";
inline constexpr char16_t KeyUseLocalHTMLHelp[] = u"UseLocalHTMLHelp";
inline constexpr char16_t SectionAppWebHelp[] = u"AppWebHelp";
inline constexpr char16_t KeyLocation[] = u"Location";
inline constexpr char16_t KeyIndexFile[] = u"IndexFile";
inline constexpr char16_t KeyOmitHtmlFilePrefix[] = u"OmitHtmlFilePrefix";
// Optional, never written into the default file: the clinic's support address for the
// information box.
inline constexpr char16_t SectionSupport[] = u"Support";
inline constexpr char16_t KeySupportEmail[] = u"Email";
}  // namespace ini

inline constexpr char16_t DefaultPrimaryDataFileName[] = u"ICD10vex.txt";
inline constexpr char16_t DefaultSecondaryDataFileName[] = u"Behandling-procedurer-vex.txt";
// The help pages installed in the program folder, named relative to it.
inline constexpr char16_t DefaultHelpLocation[] = u"help";
// The placeholder web address that earlier versions wrote as the help location. A file that
// still holds exactly this value (nobody edited it) gets the installed help instead.
inline constexpr char16_t FormerDefaultHelpLocation[] = u"http://www.example.org/diagnose/help";
inline constexpr char16_t DefaultHelpIndexFile[] = u"index.html";
// The help sub-folder beside the program that holds the local compiled help file.
inline constexpr char16_t HelpSubFolderName[] = u"DazuridaDozo";
// The last year of the INI banner's range: the year of the program date.
inline constexpr int ProgramDateYear = 2026;

// An RGB colour, each component 0 to 255.
struct RgbColor {
    int red = 0;
    int green = 0;
    int blue = 0;
    bool operator==(const RgbColor&) const = default;
};

// The window colour the program uses until the INI file gives a valid one.
inline constexpr RgbColor DefaultCustomWindowColor{235, 235, 235};

// The installation-wide settings. A default-constructed value holds the program's built-in
// values (also those of a run without a readable INI file); ReadIniFile fills in what the file
// gives, and the default names for data-file keys the file lacks.
struct IniSettings {
    QString dataFolder;
    QString datafile01;
    QString datafile02;
    bool dbGridWinTheme = false;
    QString formCustomColorRGB;
    QString useLocalHTMLHelp = QStringLiteral("0");
    QString location = QString::fromUtf16(DefaultHelpLocation);
    QString indexFile = QString::fromUtf16(DefaultHelpIndexFile);
    QString omitHtmlFilePrefix = QStringLiteral("0");
    QString entryAutoDPrefix = QStringLiteral("0");
    QString supportEmail;  // empty: the clinic has named no support address

    bool operator==(const IniSettings&) const = default;
};

// The file name with its extension (after the last "." of its last path component) replaced
// by newExtension, which includes its dot; a name without extension gets newExtension added.
QString ChangeFileExt(const QString& fileName, const QString& newExtension);

// The text of the default INI file: 28 lines, each ended by CR LF.
QString DefaultIniFileText(const QString& programFileName, int lastYear = ProgramDateYear);

// Writes the default INI file when no file of that name exists, in Windows-1252 without
// byte-order mark. The file appears whole or not at all, and an existing file, or a link in
// its place whose target is missing, is never replaced. Failures (a folder without write
// access, a full disk) are ignored.
void WriteDefaultIniFile(const QString& iniPath, const QString& programFileName,
                         int lastYear = ProgramDateYear);

// Reads the settings from the INI file. A missing or unreadable file, one that is not a
// regular file (a named pipe or a device is never read from) and one larger than
// IniDocument::MaxFileSize give the built-in values; keys that are missing take their values
// for a missing key.
IniSettings ReadIniFile(const QString& iniPath);

// The start-up's handling of the INI file: the default file is written when missing, then
// the file (if it exists now) is read. An existing file is never written.
IniSettings LoadIniFile(const QString& iniPath, const QString& programFileName,
                        int lastYear = ProgramDateYear);

// A DBGridWinTheme value: on when it is an integer (decimal, or hexadecimal with "0x" or "$")
// other than 0; anything else is off.
bool ParseGridThemeFlag(const QString& value);

// The colour of a FormCustomColorRGB text such as "240;240;240": after trimming exactly 11
// characters, red from characters 1-3, green from 5-7, blue from 9-11 (characters 4 and 8 are
// separators of any kind); each group a whole number from 0 to 255 in the given locale.
// nullopt when the text is not such a colour, so the caller keeps its colour.
std::optional<RgbColor> ParseCustomWindowColor(const QString& formCustomColorRGB,
                                               const QLocale& locale = QLocale::system());

}  // namespace vex
