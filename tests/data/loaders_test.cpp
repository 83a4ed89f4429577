#include "data/loading.h"

#include "listfiles.h"
#include "scripteddialogs.h"
#include "tempfiles.h"

#include <gtest/gtest.h>
#include <QTemporaryDir>

using namespace vex;

namespace {

const QByteArray kHeader = test::HeaderLineBytes();
const QByteArray kInfo = "0000\t\t01-10-2018 - Udgiver\r\n";
const QByteArray kRecords =
    "DA00\t\tKolera &lt;A&gt;\t1\t\t\t\t\t\r\n"
    "DA01\t\tTyfus\t\t\t\t\t\t\r\n";
const QString kTitle = QStringLiteral("Vex Diagnoseliste program");

struct LoadCase {
    const char* name;
    QByteArray bytes = {};  // the file; with missing set there is none
    bool missing = false;
    MessageKind kind = MessageKind::Error;
    QStringList lines = {};  // %1 stands for the file name; empty: no message
    bool endRequested = false;
    int splashCloses = 0;
};

class LoaderTest : public ::testing::Test {
protected:
    // Runs one case through a loader and checks answer, message, end request and splash.
    void check(const LoadCase& c, bool (*load)(const QString&, DataFileSlot&, Dialogs&),
               bool expectLoaded) {
        const QString path = c.missing ? dir.filePath(QStringLiteral("mangler.txt"))
                                       : test::writeFile(dir, QStringLiteral("liste.txt"), c.bytes);
        test::ScriptedDialogs dialogs;
        DataFileSlot slot;
        slot.extended = QStringList{QStringLiteral("stale")};
        const bool loaded = load(path, slot, dialogs);
        EXPECT_EQ(loaded, expectLoaded) << c.name;
        if (c.lines.isEmpty()) {
            EXPECT_TRUE(dialogs.shown.isEmpty()) << c.name;
        } else {
            QStringList lines;
            for (const QString& l : c.lines) {
                lines << (l.contains(QLatin1String("%1")) ? l.arg(path) : l);
            }
            ASSERT_EQ(dialogs.shown.size(), 1) << c.name;
            EXPECT_EQ(dialogs.shown[0], (Message{c.kind, ButtonOk | ButtonHelp, lines})) << c.name;
        }
        EXPECT_EQ(dialogs.endOfProgramRequested(), c.endRequested) << c.name;
        EXPECT_EQ(dialogs.splashCloseRequests, c.splashCloses) << c.name;
        if (!loaded) {
            EXPECT_TRUE(slot.extended.isEmpty()) << c.name;
            EXPECT_TRUE(slot.shortList.isEmpty()) << c.name;
        }
    }
    QTemporaryDir dir;
};

}  // namespace

TEST_F(LoaderTest, primaryFailuresShowTheirMessageAndEndOrDrop) {
    const QString noTab1 = QStringLiteral("Den angivne datafil [ %1 ]");
    const QString noTab2 = QStringLiteral("anvender ikke den forudsatte feltseparator [ Tab ]!");
    const QStringList noTab{noTab1, noTab2, "", "Afslutter programåbning"};
    const QStringList noRecords{kTitle, "", "Datafil med godkendt struktur men uden dataposter!",
                                "", "Afslutter programmet"};
    const LoadCase cases[] = {
        {"missing file",
         {},
         true,
         MessageKind::Error,
         {kTitle, "", "Kan ikke åbne datafilen: [ %1 ]",
          "Datafilen kan evt. være blokeret af andet program, der bruger filen.", "",
          "Afbryder nu programåbning."},
         true,
         0},
        {"empty file",
         "",
         false,
         MessageKind::Error,
         {kTitle, "", "Tom datafil!", "", "Afslutter programmet"},
         true,
         0},
        {"header without a tab", "SKS-kode Stjerne\r\nDA00\r\n", false, MessageKind::Error, noTab,
         true, 1},
        // One 8-bit line is read again as UTF-16 and then holds no tab.
        {"single 8-bit line", "SKS-kode\tStjerne\tDiagnosetekst\tKorteListe\tSynonymer", false,
         MessageKind::Error, noTab, true, 1},
        {"header refused",
         "SK" + kHeader.mid(8) + kRecords,
         false,
         MessageKind::Error,
         {"Illegalt antal feltnavne [ 8 ]", "for datafil [%1].",
          "Det forudsatte antal feltnavne er 9.", "",
          "Se venligst programhjælpens specifikation for feltnavne."},
         false,
         1},
        {"header and information record only", kHeader + kInfo, false, MessageKind::Warning,
         noRecords, true, 0},
        // A header alone is a single line: read again as UTF-16, it holds no tab.
        {"header only", kHeader, false, MessageKind::Error, noTab, true, 1},
    };
    for (const LoadCase& c : cases) {
        check(c, &LoadPrimaryDataFile, false);
    }
}

TEST_F(LoaderTest, secondaryFailuresWarnAndDropOnly) {
    const QStringList noTab{"Startparametrens sekundære datafil [ %1 ]",
                            "anvender ikke den forudsatte feltseparator [ Tab ]!"};
    const QStringList noRecords{
        kTitle, "",
        "Startparametrens sekundære datafil [ %1 ] med godkendt struktur men uden "
        "dataposter!"};
    const LoadCase cases[] = {
        {"missing file",
         {},
         true,
         MessageKind::Warning,
         {kTitle, "", "Kan ikke åbne startparametrens sekundære datafil: [ %1 ]",
          "Datafilen kan evt. være blokeret af andet program, der bruger filen."}},
        {"empty file",
         "",
         false,
         MessageKind::Warning,
         {kTitle, "", "Startparametrens sekundære datafil [%1] er tom!"}},
        {"header without a tab", "SKS-kode Stjerne\r\nDA00\r\n", false, MessageKind::Warning,
         noTab},
        {"header only", kHeader, false, MessageKind::Warning, noTab},
        {"header and information record only", kHeader + kInfo, false, MessageKind::Warning,
         noRecords},
    };
    for (const LoadCase& c : cases) {
        check(c, &LoadSecondaryDataFile, false);
    }
    // The header itself is checked later, by the start-up load sequence.
    check({"header refused", "SK" + kHeader.mid(8) + kRecords}, &LoadSecondaryDataFile, true);
}

TEST_F(LoaderTest, loadedFileKeepsRecordsOnlyWithEntitiesReplaced) {
    const QString path = test::writeFile(dir, "liste.txt", kHeader + kInfo + kRecords);
    for (auto load : {&LoadPrimaryDataFile, &LoadSecondaryDataFile}) {
        test::ScriptedDialogs dialogs;
        DataFileSlot slot;
        slot.infoLine = QStringLiteral("stale");
        ASSERT_TRUE(load(path, slot, dialogs));
        EXPECT_TRUE(dialogs.shown.isEmpty());
        EXPECT_EQ(slot.headerLine, QString::fromLatin1(kHeader).trimmed());
        EXPECT_EQ(slot.infoLine, QStringLiteral("0000\t\t01-10-2018 - Udgiver"));
        EXPECT_EQ(slot.extended,
                  (QStringList{"DA00\t\tKolera <A>\t1\t\t\t\t\t", "DA01\t\tTyfus\t\t\t\t\t\t"}));
    }
}

TEST_F(LoaderTest, onlyTheSecondLineCanBeTheInformationRecord) {
    struct Case {
        QByteArray bytes;
        QString info;
        qsizetype records;
    } const cases[] = {
        {kHeader + "0000\t\r\n" + kRecords, "0000\t", 2},
        {kHeader + "00001234\tx\r\n" + kRecords, "00001234\tx", 2},
        {kHeader + "\"0000\"\t\tinfo\r\n" + kRecords, "\"0000\"\t\tinfo", 2},
        {kHeader + kRecords + kInfo, "", 3},           // later on it is an ordinary record
        {kHeader + "\r\n" + kInfo + kRecords, "", 4},  // an empty second line is a record
    };
    for (const Case& c : cases) {
        test::ScriptedDialogs dialogs;
        DataFileSlot slot;
        ASSERT_TRUE(LoadPrimaryDataFile(test::writeFile(dir, "liste.txt", c.bytes), slot, dialogs));
        EXPECT_EQ(slot.infoLine, c.info);
        EXPECT_EQ(slot.extended.size(), c.records) << c.info.toStdString();
    }
}

TEST_F(LoaderTest, secondaryBuildsItsShortListPrimaryLeavesItToTheCaller) {
    const QString path = test::writeFile(dir, "liste.txt", kHeader + kRecords);
    test::ScriptedDialogs dialogs;
    DataFileSlot primary, secondary;
    ASSERT_TRUE(LoadPrimaryDataFile(path, primary, dialogs));
    ASSERT_TRUE(LoadSecondaryDataFile(path, secondary, dialogs));
    EXPECT_TRUE(primary.shortList.isEmpty());
    EXPECT_EQ(secondary.shortList, QStringList{"DA00\t\tKolera <A>\t1\t\t\t\t\t"});
}
