#include "base/ansicodepage.h"
#include "config/inidocument.h"
#include "config/inisettings.h"

#include "filesizelimit.h"
#include "privileges.h"
#include "tempfiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <sys/stat.h>

using namespace vex;

namespace {

QByteArray readBytes(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

const QByteArray kDefaultIni =
    ";****************************************************\r\n"
    ";*   Vex Diagnoseliste program vexdiagnose      *\r\n"
    ";*        2003-2026, Tovemark Software        *\r\n"
    ";****************************************************\r\n"
    ";Lines preceded by semicolon are currently inactive\r\n"
    "\r\n"
    "[DefaultDatafiles]\r\n"
    "DataFolder =\r\n"
    "Datafile01 =\r\n"
    "Datafile02 =\r\n"
    "\r\n"
    "[Appearance]\r\n"
    "DBGridWinTheme = 0\r\n"
    "FormCustomColorRGB = 240;240;240\r\n"
    "\r\n"
    "[Datafile01]\r\n"
    "EntryAutoDPrefix = 1\r\n"
    "\r\n"
    "[AppHelp]\r\n"
    "UseLocalHTMLHelp = 0\r\n"
    "\r\n"
    "[AppWebHelp]\r\n"
    "Location = help\r\n"
    "IndexFile = index.html\r\n"
    ";Target = index.html\r\n"
    "OmitHtmlFilePrefix = 0\r\n"
    "\r\n"
    ";INI-File End\r\n";

IniSettings readIni(const QByteArray& bytes) {
    QTemporaryDir dir;
    return ReadIniFile(test::writeFile(dir, QStringLiteral("vexdiagnose.ini"), bytes));
}

}  // namespace

TEST(IniFile, missingFile_writesDefaultFileByteForByte) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("vexdiagnose.ini"));
    const IniSettings s = LoadIniFile(path, QStringLiteral("vexdiagnose"));
    const QByteArray bytes = readBytes(path);
    EXPECT_EQ(bytes, kDefaultIni);
    EXPECT_EQ(bytes.count("\r\n"), 28);
    EXPECT_TRUE(QFileInfo(path).permissions().testFlag(QFileDevice::ReadOther));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).size(), 1);  // no leftovers
    // The installed file is this one, so an installation reads what a first run would write.
    EXPECT_EQ(readBytes(QStringLiteral(VEX_INSTALLED_INI)), bytes);

    // The file just written is read back: its values, not the built-in ones, apply.
    EXPECT_EQ(s.formCustomColorRGB, QStringLiteral("240;240;240"));
    EXPECT_EQ(s.entryAutoDPrefix, QStringLiteral("1"));
    EXPECT_EQ(s.useLocalHTMLHelp, QStringLiteral("0"));
    EXPECT_EQ(s.location, QStringLiteral("help"));
    EXPECT_EQ(s.indexFile, QStringLiteral("index.html"));
    EXPECT_TRUE(s.dataFolder.isEmpty());
    EXPECT_TRUE(s.datafile01.isEmpty());  // empty keys leave the names to the start-up
    EXPECT_TRUE(s.datafile02.isEmpty());
    EXPECT_FALSE(s.dbGridWinTheme);
}

TEST(IniFile, programNameInBannerIsWrittenAsWindows1252) {
    const QString text = DefaultIniFileText(QStringLiteral("diagnose.exe"), 2031);
    EXPECT_TRUE(
        text.contains(QStringLiteral(";*   Vex Diagnoseliste program diagnose.exe      *\r\n")));
    EXPECT_TRUE(
        text.contains(QStringLiteral(";*        2003-2031, Tovemark Software        *\r\n")));

    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("vexdiagnosø.ini"));
    WriteDefaultIniFile(path, QStringLiteral("vexdiagnosø€"));
    EXPECT_TRUE(readBytes(path).contains("program vexdiagnos\xF8\x80      *\r\n"));
}

TEST(IniFile, existingFile_isNeverChanged) {
    QTemporaryDir dir;
    const QByteArray mine = "[DefaultDatafiles]\nDatafile01=Mine\n";  // LF only, no banner
    const QString path = test::writeFile(dir, QStringLiteral("vexdiagnose.ini"), mine);
    for (int run = 0; run < 2; ++run) {
        const IniSettings s = LoadIniFile(path, QStringLiteral("vexdiagnose"));
        EXPECT_EQ(s.datafile01, QStringLiteral("Mine.txt"));
        WriteDefaultIniFile(path, QStringLiteral("vexdiagnose"));
        EXPECT_EQ(readBytes(path), mine);
    }
}

TEST(IniFile, linkWhoseFileIsGone_isLeftAsItIs) {
    // An installation may keep the file elsewhere (/etc) behind a link in the program folder.
    QTemporaryDir dir;
    const QString target = dir.filePath(QStringLiteral("etc/vexdiagnose.ini"));
    const QString path = dir.filePath(QStringLiteral("vexdiagnose.ini"));
    ASSERT_TRUE(QFile::link(target, path));
    const IniSettings s = LoadIniFile(path, QStringLiteral("vexdiagnose"));
    EXPECT_EQ(QFileInfo(path).symLinkTarget(), target);
    EXPECT_FALSE(QFileInfo::exists(target));
    EXPECT_EQ(s, IniSettings{});
}

TEST(IniFile, folderThatCannotBeWritten_givesNoFileAndBuiltInValues) {
    QTemporaryDir dir;
    // A "folder" that is a plain file cannot hold anything, whoever runs the test.
    const QString blocked = test::writeFile(dir, QStringLiteral("notafolder"), "x");
    const QString path = blocked + QStringLiteral("/vexdiagnose.ini");
    const IniSettings s = LoadIniFile(path, QStringLiteral("vexdiagnose"));
    EXPECT_FALSE(QFileInfo::exists(path));
    EXPECT_EQ(s, IniSettings{});
    EXPECT_EQ(s.entryAutoDPrefix, QStringLiteral("0"));
    EXPECT_FALSE(ParseCustomWindowColor(s.formCustomColorRGB).has_value());
}

TEST(IniFilePermissionTest, readOnlyFolder_givesNoFile) {
    VEX_SKIP_UNLESS_PERMISSIONS_APPLY();
    QTemporaryDir dir;
    QFile::setPermissions(dir.path(), QFileDevice::ReadOwner | QFileDevice::ExeOwner);
    const QString path = dir.filePath(QStringLiteral("vexdiagnose.ini"));
    const IniSettings s = LoadIniFile(path, QStringLiteral("vexdiagnose"));
    QFile::setPermissions(dir.path(),
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    EXPECT_FALSE(QFileInfo::exists(path));
    EXPECT_EQ(s, IniSettings{});
}

TEST(IniFile, writeThatFailsHalfway_leavesNoPartialFile) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("vexdiagnose.ini"));
    {
        test::FileSizeLimit limit(100);
        ASSERT_TRUE(limit.active());
        WriteDefaultIniFile(path, QStringLiteral("vexdiagnose"));
    }
    EXPECT_FALSE(QFileInfo::exists(path));
    EXPECT_TRUE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).isEmpty());
}

TEST(IniFile, namesAreFoundInAnyCase) {
    const IniSettings s = readIni(
        "[defaultdatafiles]\r\ndatafolder = D:\\Lister\r\nDATAFILE01 = a.txt\r\n"
        "[APPEARANCE]\r\ndbgridwintheme=1\r\n[appwebhelp]\r\nLOCATION = http://x\r\n");
    EXPECT_EQ(s.dataFolder, QStringLiteral("D:\\Lister"));
    EXPECT_EQ(s.datafile01, QStringLiteral("a.txt"));
    EXPECT_TRUE(s.dbGridWinTheme);
    EXPECT_EQ(s.location, QStringLiteral("http://x"));
}

// A named pipe would block the start until someone writes to it, an endless device would fill
// the memory, and a file of megabytes is no settings file: each gives the built-in values.
TEST(IniFile, specialOrHugeFile_givesBuiltInValuesAtOnce) {
    QTemporaryDir dir;
    const IniSettings builtIn = ReadIniFile(dir.filePath(QStringLiteral("missing.ini")));
    const QString pipe = dir.filePath(QStringLiteral("pipe.ini"));
    ASSERT_EQ(::mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);
    const QString device = dir.filePath(QStringLiteral("zero.ini"));
    ASSERT_TRUE(QFile::link(QStringLiteral("/dev/zero"), device));
    const QByteArray settings = "[DefaultDatafiles]\r\nDatafile01 = egen.txt\r\n";
    const QString huge = test::writeFile(
        dir, QStringLiteral("huge.ini"),
        settings + QByteArray(";").repeated(int(IniDocument::MaxFileSize)) + "\r\n");
    const QString small = test::writeFile(dir, QStringLiteral("small.ini"), settings);
    for (const QString& path : {pipe, device, huge, dir.path()}) {
        SCOPED_TRACE(path.toStdString());
        EXPECT_EQ(ReadIniFile(path), builtIn);
    }
    EXPECT_EQ(ReadIniFile(small).datafile01, QStringLiteral("egen.txt"));
}

TEST(IniFile, missingKeysTakeTheirDefaults) {
    const IniSettings s = readIni("; nothing but a comment\r\n[Other]\r\nx=1\r\n");
    EXPECT_EQ(s.datafile01, QStringLiteral("ICD10vex.txt"));
    EXPECT_EQ(s.datafile02, QStringLiteral("Behandling-procedurer-vex.txt"));
    EXPECT_TRUE(s.dataFolder.isEmpty());
    EXPECT_TRUE(s.formCustomColorRGB.isEmpty());
    EXPECT_EQ(s.useLocalHTMLHelp, QStringLiteral("0"));
    EXPECT_EQ(s.location, QStringLiteral("help"));
    EXPECT_EQ(s.indexFile, QStringLiteral("index.html"));
    EXPECT_EQ(s.omitHtmlFilePrefix, QStringLiteral("0"));
    EXPECT_EQ(s.entryAutoDPrefix, QStringLiteral("0"));
}

TEST(IniFile, formerPlaceholderHelpAddressMeansTheInstalledHelp) {
    // Files written by earlier versions hold a placeholder address; an edited one is kept.
    EXPECT_EQ(
        readIni("[AppWebHelp]\r\nLocation = http://www.example.org/diagnose/help\r\n").location,
        QStringLiteral("help"));
    for (const char* kept : {"http://www.example.org/diagnose/help/", "http://intra.region.dk/vex",
                             "HTTP://www.example.org/diagnose/help"}) {
        EXPECT_EQ(readIni(QByteArray("[AppWebHelp]\r\nLocation = ") + kept + "\r\n").location,
                  QString::fromUtf8(kept));
    }
}

TEST(IniFile, supportAddressIsReadWhenTheClinicSetsOne) {
    EXPECT_EQ(readIni("[support]\r\nEMAIL =  it-support@region.dk \r\n").supportEmail,
              QStringLiteral("it-support@region.dk"));
    EXPECT_TRUE(readIni("[Support]\r\n").supportEmail.isEmpty());
}

TEST(IniFile, dataFileNamesGetTxtOnlyWhenTheyHaveNone) {
    const struct {
        const char* value;
        const char* expected;
    } cases[] = {
        {"Liste", "Liste.txt"},
        {"Liste.TXT", "Liste.TXT"},
        {"a.txt.bak", "a.txt.bak"},
        {"C:\\Data\\Liste.txt", "C:\\Data\\Liste.txt"},
        {"my.txtfile", "my.txtfile"},
        {"", ""},
        {"lister/DIAG", "lister/DIAG.txt"},
    };
    for (const auto& c : cases) {
        const IniSettings s = readIni(QByteArray("[DefaultDatafiles]\r\nDatafile01 = ") + c.value +
                                      "\r\nDatafile02 =" + c.value + "\r\n");
        EXPECT_EQ(s.datafile01, QString::fromUtf8(c.expected)) << c.value;
        EXPECT_EQ(s.datafile02, QString::fromUtf8(c.expected)) << c.value;
    }
}

TEST(IniFile, gridThemeFlagForms) {
    const struct {
        const char* value;
        bool on;
    } cases[] = {{"1", true},    {"0x1", true},  {"$10", true},         {"-3", true},
                 {"0", false},   {"0x0", false}, {"yes", false},        {"", false},
                 {"1.0", false}, {"0x", false},  {"99999999999", false}};
    for (const auto& c : cases) {
        EXPECT_EQ(ParseGridThemeFlag(QString::fromUtf8(c.value)), c.on) << c.value;
    }
    EXPECT_TRUE(readIni("[Appearance]\r\nDBGridWinTheme = $10\r\n").dbGridWinTheme);
    EXPECT_FALSE(readIni("[Appearance]\r\nDBGridWinTheme = yes\r\n").dbGridWinTheme);
}

TEST(IniFile, lineSyntax) {
    const IniSettings s = readIni(
        "  [ AppWebHelp ]  \n"
        "\tLocation   =   C:\\help files  \n"
        ";IndexFile = commented.html\n"
        "IndexFile =\n"  // present but empty: empty, not the default
        "OmitHtmlFilePrefix = \"1\"\n"
        "garbage line without equals sign\n"
        "IndexFile = second.html\n"  // a repeated key: the first one counts
        "[Datafile01]\rEntryAutoDPrefix=1\r");
    EXPECT_EQ(s.location, QStringLiteral("C:\\help files"));
    EXPECT_EQ(s.indexFile, QString());
    EXPECT_EQ(s.omitHtmlFilePrefix, QStringLiteral("1"));
    EXPECT_EQ(s.entryAutoDPrefix, QStringLiteral("1"));
}

TEST(IniFile, longValuesAreCutAt2047Characters) {
    const QByteArray longName(3000, 'x');
    const IniSettings s = readIni("[DefaultDatafiles]\r\nDataFolder = " + longName + "\r\n");
    EXPECT_EQ(s.dataFolder, QString(2047, QLatin1Char('x')));
}

TEST(IniFile, bytesAreUtf8WhenValidElseWindows1252) {
    const QString expected = QStringLiteral("C:\\Lægens €");
    EXPECT_EQ(readIni("[DefaultDatafiles]\r\nDataFolder = C:\\L\xE6gens \x80\r\n").dataFolder,
              expected);
    EXPECT_EQ(readIni("\xEF\xBB\xBF[DefaultDatafiles]\r\nDataFolder = C:\\L\xC3\xA6gens "
                      "\xE2\x82\xAC\r\n")
                  .dataFolder,
              expected);
    // An editor that saves UTF-8 without a mark; a cut sequence at the end is not UTF-8.
    EXPECT_EQ(readIni("[DefaultDatafiles]\r\nDataFolder = /srv/L\xC3\xA6ger \xC3\xB8\xC3\xA5\r\n")
                  .dataFolder,
              QStringLiteral("/srv/Læger øå"));
    EXPECT_EQ(decodeIniBytes("x \xC3\xA6 \xC3"), QStringLiteral("x Ã¦ Ã"));
    EXPECT_EQ(decodeIniBytes("\x81\x9F"), QString::fromUtf16(u"\u0081\u0178"));
    EXPECT_EQ(encodeWindows1252(QStringLiteral("æ€Ÿ\u4E00")), QByteArray("\xE6\x80\x9F?"));
}

TEST(IniFile, customColourTexts) {
    const struct {
        const char* text;
        std::optional<RgbColor> colour;
    } cases[] = {
        {"240;240;240", RgbColor{240, 240, 240}},
        {"240,240,240", RgbColor{240, 240, 240}},  // separators are not examined
        {"  001x002y255 ", RgbColor{1, 2, 255}},
        {"+12;000;000", RgbColor{12, 0, 0}},
        {"240;240;24", std::nullopt},  // 10 characters
        {"256;240;240", std::nullopt},
        {"2E1;240;240", std::nullopt},
        {"2.5;240;240", std::nullopt},
        {"-01;240;240", std::nullopt},
        {" 12;240;240x", std::nullopt},
        {"0x1;240;240", std::nullopt},
        {"", std::nullopt},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ParseCustomWindowColor(QString::fromUtf8(c.text), QLocale::c()), c.colour)
            << c.text;
    }
    // A decimal separator makes a group a fraction under either locale.
    EXPECT_FALSE(ParseCustomWindowColor(QStringLiteral("2,5;240;240"), QLocale(QLocale::Danish)));
}

TEST(IniFile, changeFileExtension) {
    EXPECT_EQ(ChangeFileExt(QStringLiteral("vexdiagnose"), QStringLiteral(".ini")),
              QStringLiteral("vexdiagnose.ini"));
    EXPECT_EQ(ChangeFileExt(QStringLiteral("vexdiagnose.exe"), QStringLiteral(".chm")),
              QStringLiteral("vexdiagnose.chm"));
    EXPECT_EQ(ChangeFileExt(QStringLiteral("/opt/v.1/vexdiagnose"), QStringLiteral(".ini")),
              QStringLiteral("/opt/v.1/vexdiagnose.ini"));
}
