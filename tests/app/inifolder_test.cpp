// The INI file as the whole program meets it: written when missing, never touched when there,
// the built-in values when the program folder takes no file, and the data file names it gives.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPalette>
#include <QPushButton>

#include <vector>

#include <sys/stat.h>
#include <unistd.h>

#include "desktop/captions.h"
#include "privileges.h"
#include "programrun.h"
#include "search/resulttable.h"

namespace vex::test {
namespace {

const QStringList kRecords{Record("DA00", "Kolera", true), Record("DA001", "Kolera eltor"),
                           Record("DB01", "Skoldkopper", true)};

QString Applied(ProgramRun& run) {
    return LabelCaption(run.ui().lblSearchString);
}

QColor WindowColour(ProgramRun& run) {
    return run.window().palette().color(QPalette::Window);
}

TEST(IniFolderTest, MissingFileIsWrittenWithItsDefaultsAndReadBack) {
    ProgramFolder folder;
    folder.writeList("ICD10vex.txt", kRecords);
    auto run = folder.start();
    ASSERT_EQ(run->outcome, StartupOutcome::Ready);
    EXPECT_TRUE(run->dialogs.shown.isEmpty());

    // 28 lines, each ended by CR LF, no byte-order mark; nothing else left in the folder.
    const QByteArray bytes = FileBytes(folder.iniPath());
    ASSERT_TRUE(bytes.endsWith("\r\n"));
    const QList<QByteArray> lines = bytes.chopped(2).split('\n');
    ASSERT_EQ(lines.size(), 28);
    for (const QByteArray& line : lines.mid(0, 27)) {
        EXPECT_TRUE(line.endsWith('\r')) << line.toStdString();
    }
    EXPECT_TRUE(bytes.startsWith(";****"));
    EXPECT_EQ(lines.at(13), "FormCustomColorRGB = 240;240;240\r");
    EXPECT_EQ(lines.at(16), "EntryAutoDPrefix = 1\r");
    EXPECT_EQ(FolderEntries(folder.folder()), (QStringList{"ICD10vex.txt", "vexdiagnose.ini"}));

    // The run uses the file's values, not the built-in ones.
    EXPECT_EQ(run->program.customWindowColor, (RgbColor{240, 240, 240}));
    EXPECT_EQ(WindowColour(*run), QColor(240, 240, 240));
    EXPECT_EQ(run->program.settings.entryAutoDPrefix, "1");
    run->search("a00.1");
    EXPECT_EQ(Applied(*run), "Anvendt søgestreng: [ DA001 ]");
    EXPECT_EQ(run->gridCodes(), QStringList{"DA001"});
    run->close();
    run.reset();

    // The next run finds the file and leaves it as it is.
    auto again = folder.start();
    again->close();
    EXPECT_EQ(FileBytes(folder.iniPath()), bytes);
}

struct ExistingCase {
    const char* what;
    QByteArray bytes;
    QColor colour;  // the window colour the file gives
};

TEST(IniFolderTest, AnExistingFileIsUsedAndLeftByteForByte) {
    const ExistingCase cases[] = {
        {"hand edits: other letter case, LF only, a Latin-1 byte, no line end at the end",
         "[appearance]\nformcustomcolorrgb = 200;210;220\n; \xE6\xF8\xE5 kommentar\n"
         "[DATAFILE01]\nentryautodprefix=1",
         QColor(200, 210, 220)},
        {"an empty file counts as there: read (nothing in it) and not replaced", "",
         QColor(235, 235, 235)},
        {"byte-order mark and CR LF, as an editor may save it",
         "\xEF\xBB\xBF[Appearance]\r\nFormCustomColorRGB = 001;002;003\r\n", QColor(1, 2, 3)},
    };
    for (const ExistingCase& c : cases) {
        ProgramFolder folder;
        folder.writeList("ICD10vex.txt", kRecords);
        folder.writeFile("vexdiagnose.ini", c.bytes);
        const QStringList entries = FolderEntries(folder.folder());
        for (int i = 0; i < 2; ++i) {
            auto run = folder.start();
            ASSERT_EQ(run->outcome, StartupOutcome::Ready) << c.what;
            EXPECT_EQ(WindowColour(*run), c.colour) << c.what;
            run->search("kolera");
            run->close();
        }
        EXPECT_EQ(FileBytes(folder.iniPath()), c.bytes) << c.what;
        EXPECT_EQ(FolderEntries(folder.folder()), entries) << c.what;
    }
}

// A program folder in which no file can be made, or empty when this machine has none. Root
// with its capabilities writes wherever permissions say no, but not into /proc.
QString FolderWithoutWriting(const QString& writable) {
    if (test::PermissionsApply()) {
        return chmod(QFile::encodeName(writable).constData(), 0555) == 0 ? writable : QString();
    }
    QFile probe(QStringLiteral("/proc/vexdiagnose-probe.ini"));
    if (probe.open(QIODevice::WriteOnly)) {
        probe.remove();
        return {};
    }
    return QStringLiteral("/proc");
}

TEST(IniFolderTest, FolderThatTakesNoFileGivesTheBuiltInValuesSilently) {
    ProgramFolder folder;
    const QString primary = folder.writeList("lists/ICD10vex.txt", kRecords);
    const QString programFolder = FolderWithoutWriting(folder.folder());
    if (programFolder.isEmpty()) {
        GTEST_SKIP() << "no folder here refuses a new file";
    }
    {
        // The data file comes from the command line, so the folder itself needs none.
        auto run = folder.start({"/F1:" + primary}, true, programFolder);
        ASSERT_EQ(run->outcome, StartupOutcome::Ready);
        EXPECT_TRUE(run->dialogs.shown.isEmpty());
        EXPECT_FALSE(QFile::exists(QDir(programFolder).filePath("vexdiagnose.ini")));
        // The built-in values; the start-up makes the help location absolute: the help
        // folder in the program folder.
        IniSettings builtIn;
        builtIn.location = QDir(programFolder).filePath(QStringLiteral("help"));
        EXPECT_EQ(run->program.settings, builtIn);
        EXPECT_EQ(run->program.customWindowColor, (RgbColor{235, 235, 235}));
        EXPECT_EQ(WindowColour(*run), QColor(235, 235, 235));
        run->search("a00.1");  // no "D" in front without the file's EntryAutoDPrefix
        EXPECT_EQ(Applied(*run), "Anvendt søgestreng: [ A001 ]");
        run->close();
    }
    chmod(QFile::encodeName(folder.folder()).constData(), 0755);
}

struct ListFile {
    const char* name;
    bool used;  // holds the real list; the others hold a decoy
};

struct NamesCase {
    const char* what;
    QByteArray ini;  // $ABS stands for the program folder
    std::vector<ListFile> lists;
    QString primary;  // expected names of the files in use ($ABS as above)
    QString secondary;
};

TEST(IniFolderTest, DataFileNamesComeFromTheFile) {
    const NamesCase cases[] = {
        {"name without .txt",
         "[DefaultDatafiles]\nDatafile01 = minliste\n",
         {{"minliste.txt", true}},
         "minliste.txt",
         ""},
        {"keys in other letter case",
         "[defaultdatafiles]\nDATAFILE01 = minliste\n",
         {{"minliste.txt", true}},
         "minliste.txt",
         ""},
        {"data folder before the default names",
         "[DefaultDatafiles]\nDataFolder = data\n",
         {{"ICD10vex.txt", false},
          {"data/ICD10vex.txt", true},
          {"data/Behandling-procedurer-vex.txt", true}},
         "data/ICD10vex.txt",
         "data/Behandling-procedurer-vex.txt"},
        {"data folder with its separator, before a bare name",
         "[DefaultDatafiles]\nDataFolder = data/ \nDatafile01 = eget\n",
         {{"eget.txt", false}, {"data/eget.txt", true}},
         "data/eget.txt",
         ""},
        {"data folder not before a full path",
         "[DefaultDatafiles]\nDataFolder = data\nDatafile01 = $ABS/andet/fuld.txt\n",
         {{"data/fuld.txt", false}, {"andet/fuld.txt", true}},
         "$ABS/andet/fuld.txt",
         ""},
        {"empty keys of the default file leave the default names",
         "[DefaultDatafiles]\nDataFolder =\nDatafile01 =\nDatafile02 =\n",
         {{"ICD10vex.txt", true}},
         "ICD10vex.txt",
         ""},
    };
    for (const NamesCase& c : cases) {
        ProgramFolder folder;
        for (const ListFile& list : c.lists) {
            folder.writeList(list.name,
                             list.used ? kRecords : QStringList{Record("DX99", "Lokkedue")});
        }
        const QByteArray abs = folder.folder().toUtf8();
        folder.writeFile("vexdiagnose.ini", QByteArray(c.ini).replace("$ABS", abs));
        const QString primary = QString(c.primary).replace("$ABS", folder.folder());
        auto run = folder.start();
        ASSERT_EQ(run->outcome, StartupOutcome::Ready) << c.what;
        const DataState& data = run->window().data();
        EXPECT_EQ(data.primaryDataFile, primary) << c.what;
        EXPECT_EQ(data.secondaryDataFile, c.secondary) << c.what;
        EXPECT_EQ(data.currentDataFile, primary) << c.what;
        EXPECT_EQ(run->ui().btnAlternateDatalist->isEnabled(), !c.secondary.isEmpty()) << c.what;
        EXPECT_TRUE(data.current.value(0).startsWith("DA00")) << c.what;
        EXPECT_TRUE(run->dialogs.shown.isEmpty()) << c.what;
    }
}

}  // namespace
}  // namespace vex::test
