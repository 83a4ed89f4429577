#include "base/columns.h"
#include "data/loading.h"
#include "data/record.h"

#include "listfiles.h"
#include "scripteddialogs.h"
#include "tempfiles.h"

#include <gtest/gtest.h>
#include <QTemporaryDir>

using namespace vex;

namespace {

QByteArray header(const char* codeName) {
    return test::HeaderLineBytes(QString::fromLatin1(codeName));
}
const QByteArray kPrimary = header("SKS-kode") + "0000\t\t01-10-2018 - Udgiver A\r\n" +
                            "DA00\t\tKolera\t1\t&lt;syn&gt;\r\nDA01\t\tTyfus\t\t\r\n";
const QByteArray kSecondary = header("Procedurekode") + "0000\t\t15-10-2018 - Udgiver B\r\n" +
                              "B\t\tBehandling\t\t\r\nBA\t\tPleje\t1\t\r\nBB\t\tMere\t1\t\r\n";
const QByteArray kBadHeader = header("SK") + "DA00\t\tKolera\t1\r\n";
const QByteArray kNoRecords = header("Kode") + "0000\t\t01-01-2020\r\n";

class LoadSequenceTest : public ::testing::Test {
protected:
    QString file(const char* name, const QByteArray& bytes) {
        return test::writeFile(dir, QString::fromLatin1(name), bytes);
    }
    // A state with the two names set and the program folder given.
    DataState named(const QString& primary, const QString& secondary) {
        DataState s;
        s.programFolder = QStringLiteral("/opt/vex/");
        s.primaryDataFile = primary;
        s.secondaryDataFile = secondary;
        s.file1.fileTime = QDateTime(QDate(2024, 1, 2), QTime(3, 4));
        s.file2.fileTime = QDateTime(QDate(2025, 5, 6), QTime(7, 8));
        s.locale = QLocale(QLocale::Danish, QLocale::Denmark);
        return s;
    }
    QTemporaryDir dir;
    test::ScriptedDialogs dialogs;
};

}  // namespace

TEST_F(LoadSequenceTest, bothFilesUsablePrimaryInUseSwitchEnabled) {
    DataState s = named(file("a.txt", kPrimary), file("b.txt", kSecondary));
    ASSERT_EQ(RunStartupLoadSequence(s, dialogs), LoadSequenceOutcome::Continue);
    EXPECT_TRUE(dialogs.shown.isEmpty());
    EXPECT_TRUE(s.isPrimaryInUse());
    EXPECT_TRUE(s.alternateEnabled);
    EXPECT_EQ(s.fieldNames[0], QStringLiteral("SKS-kode"));  // not the secondary's names
    EXPECT_EQ(s.info.releaseDate, QStringLiteral("01.10.2018"));
    EXPECT_EQ(s.info.publisher, QStringLiteral("Udgiver A"));
    EXPECT_EQ(s.currentFileTime, s.file1.fileTime);
    EXPECT_EQ(s.currentInfoLine, s.file1.infoLine);
    EXPECT_EQ(s.currentHeaderLine, s.file1.headerLine);
    // The lists in use are the primary's, shared rather than copied item by item.
    EXPECT_EQ(s.extended.size(), 2);
    EXPECT_TRUE(s.extended.isSharedWith(s.file1.extended));
    EXPECT_EQ(s.file1.shortList, QStringList{"DA00\t\tKolera\t1\t<syn>"});
    EXPECT_TRUE(s.shortList.isSharedWith(s.file1.shortList));
    EXPECT_EQ(s.file2.shortList.size(), 2);
    EXPECT_TRUE(s.current.isEmpty());  // the list in view is chosen afterwards
}

TEST_F(LoadSequenceTest, refusedPrimaryHeaderLeavesTheSecondaryInUseAlone) {
    DataState s = named(file("a.txt", kBadHeader), file("b.txt", kSecondary));
    ASSERT_EQ(RunStartupLoadSequence(s, dialogs), LoadSequenceOutcome::Continue);
    ASSERT_EQ(dialogs.shown.size(), 1);
    EXPECT_EQ(dialogs.shown[0].lines.at(0), QStringLiteral("Illegalt antal feltnavne [ 8 ]"));
    EXPECT_EQ(dialogs.splashCloseRequests, 1);
    EXPECT_FALSE(dialogs.endOfProgramRequested());
    EXPECT_TRUE(s.primaryDataFile.isEmpty());
    EXPECT_EQ(s.currentDataFile, s.secondaryDataFile);
    EXPECT_FALSE(s.isPrimaryInUse());
    EXPECT_FALSE(s.alternateEnabled);
    EXPECT_EQ(s.fieldNames[0], QStringLiteral("Procedurekode"));
    EXPECT_EQ(s.info.publisher, QStringLiteral("Udgiver B"));
    EXPECT_EQ(s.currentFileTime, s.file2.fileTime);
    EXPECT_EQ(s.extended.size(), 3);
    EXPECT_EQ(s.shortList.size(), 2);
    EXPECT_TRUE(s.file1.extended.isEmpty());
}

TEST_F(LoadSequenceTest, unopenablePrimaryIsTheOnlyMessageAndEndsTheProgram) {
    for (const bool withSecondary : {false, true}) {
        test::ScriptedDialogs d;
        DataState s = named(dir.filePath("mangler.txt"),
                            withSecondary ? file("b.txt", kSecondary) : QString());
        const LoadSequenceOutcome outcome = RunStartupLoadSequence(s, d);
        ASSERT_EQ(d.shown.size(), 1) << withSecondary;
        EXPECT_EQ(d.shown[0].lines.at(2), QStringLiteral("Kan ikke åbne datafilen: [ ") +
                                              dir.filePath("mangler.txt") + QStringLiteral(" ]"));
        EXPECT_TRUE(d.endOfProgramRequested());
        // Without a secondary file the sequence's own message closes unseen.
        EXPECT_EQ(outcome,
                  withSecondary ? LoadSequenceOutcome::Continue : LoadSequenceOutcome::EndNow);
        EXPECT_EQ(d.suppressed.size(), withSecondary ? 0 : 1);
    }
}

TEST_F(LoadSequenceTest, secondaryWithoutRecordsGivesOneWarning) {
    DataState s = named(file("a.txt", kPrimary), file("b.txt", kNoRecords));
    ASSERT_EQ(RunStartupLoadSequence(s, dialogs), LoadSequenceOutcome::Continue);
    ASSERT_EQ(dialogs.shown.size(), 1);
    EXPECT_EQ(dialogs.shown[0].kind, MessageKind::Warning);
    EXPECT_TRUE(dialogs.shown[0].lines.at(2).endsWith(
        QStringLiteral(" ] med godkendt struktur men uden dataposter!")));
    EXPECT_FALSE(dialogs.endOfProgramRequested());
    EXPECT_TRUE(s.isPrimaryInUse());
    EXPECT_TRUE(s.secondaryDataFile.isEmpty());
    EXPECT_FALSE(s.alternateEnabled);
}

TEST_F(LoadSequenceTest, refusedSecondaryHeaderDropsItAndKeepsPrimaryNames) {
    DataState s = named(file("a.txt", kPrimary), file("b.txt", kBadHeader));
    ASSERT_EQ(RunStartupLoadSequence(s, dialogs), LoadSequenceOutcome::Continue);
    ASSERT_EQ(dialogs.shown.size(), 1);
    EXPECT_EQ(dialogs.shown[0].lines.at(1),
              QStringLiteral("for datafil [") + dir.filePath("b.txt") + QStringLiteral("]."));
    EXPECT_EQ(dialogs.splashCloseRequests, 1);
    EXPECT_TRUE(s.secondaryDataFile.isEmpty());
    EXPECT_TRUE(s.file2.extended.isEmpty());
    EXPECT_FALSE(s.alternateEnabled);
    EXPECT_EQ(s.fieldNames[0], QStringLiteral("SKS-kode"));
}

TEST_F(LoadSequenceTest, neitherFileUsableEndsAtOnceWithTheFolderMessage) {
    for (const auto& [primary, secondary] :
         {std::pair{QString(), QString()},
          std::pair{file("a.txt", kBadHeader), file("b.txt", kNoRecords)}}) {
        test::ScriptedDialogs d;
        DataState s = named(primary, secondary);
        ASSERT_EQ(RunStartupLoadSequence(s, d), LoadSequenceOutcome::EndNow);
        ASSERT_FALSE(d.shown.isEmpty());
        EXPECT_EQ(d.shown.last(),
                  (Message{MessageKind::Error,
                           ButtonOk | ButtonHelp,
                           {"Vex Diagnoseliste program", "",
                            "Programmet har ikke kunne hente eller anvende de associerede "
                            "datafiler.",
                            "", "Datafiler forudsættes at ligge i samme mappe som programmet selv:",
                            "/opt/vex/", "", "Afbryder program-åbning."}}));
        EXPECT_GE(d.splashCloseRequests, 1);
        EXPECT_FALSE(s.alternateEnabled);
    }
}

TEST_F(LoadSequenceTest, sameContentTwiceIsTwoListsOneNameTwiceIsOne) {
    DataState two = named(file("a.txt", kPrimary), file("b.txt", kPrimary));
    ASSERT_EQ(RunStartupLoadSequence(two, dialogs), LoadSequenceOutcome::Continue);
    EXPECT_TRUE(two.alternateEnabled);
    EXPECT_EQ(two.file2.extended, two.file1.extended);

    const QString a = file("a.txt", kPrimary);
    DataState one = named(a, a);
    ASSERT_EQ(RunStartupLoadSequence(one, dialogs), LoadSequenceOutcome::Continue);
    EXPECT_FALSE(one.alternateEnabled);
    EXPECT_TRUE(one.secondaryDataFile.isEmpty());
    EXPECT_TRUE(dialogs.shown.isEmpty());
}

TEST_F(LoadSequenceTest, noFlaggedRecordsLeavesTheShortListEmpty) {
    DataState s = named(file("a.txt", header("Kode") + "X\t\tT\t0\r\nY\t\tT\t\r\n"), QString());
    ASSERT_EQ(RunStartupLoadSequence(s, dialogs), LoadSequenceOutcome::Continue);
    EXPECT_EQ(s.extended.size(), 2);
    EXPECT_TRUE(s.shortList.isEmpty());
    EXPECT_TRUE(s.info.releaseDate.isEmpty());
}

TEST_F(LoadSequenceTest, makeFileCurrentSwitchesEveryValueOfTheFileInUse) {
    DataState s = named(file("a.txt", kPrimary), file("b.txt", kSecondary));
    ASSERT_EQ(RunStartupLoadSequence(s, dialogs), LoadSequenceOutcome::Continue);
    const QStringList primaryExtended = s.extended;
    MakeFileCurrent(s, DataFileRole::Secondary);
    EXPECT_FALSE(s.isPrimaryInUse());
    EXPECT_EQ(s.fieldNames[0], QStringLiteral("Procedurekode"));
    EXPECT_EQ(s.info.releaseDate, QStringLiteral("15.10.2018"));
    EXPECT_EQ(s.currentFileTime, s.file2.fileTime);
    EXPECT_TRUE(s.extended.isSharedWith(s.file2.extended));
    EXPECT_TRUE(s.shortList.isSharedWith(s.file2.shortList));
    MakeFileCurrent(s, DataFileRole::Primary);
    EXPECT_TRUE(s.isPrimaryInUse());
    EXPECT_EQ(s.fieldNames[0], QStringLiteral("SKS-kode"));
    EXPECT_EQ(s.info.publisher, QStringLiteral("Udgiver A"));
    EXPECT_EQ(s.extended, primaryExtended);
    EXPECT_TRUE(dialogs.shown.isEmpty());
}

// The shipped lists hold what their source says and nothing made up: codes, texts and the
// short-list flag of the group levels; every other column is empty.
TEST_F(LoadSequenceTest, bundledListsHoldOnlyCodesTextsAndGroupLevels) {
    const QString lists = test::bundledListsDir();
    for (const QLocale& locale : {QLocale(QLocale::Danish, QLocale::Denmark), QLocale::c()}) {
        test::ScriptedDialogs d;
        DataState s = named(lists + QStringLiteral("/ICD10vex.txt"),
                            lists + QStringLiteral("/Behandling-procedurer-vex.txt"));
        s.locale = locale;
        ASSERT_EQ(RunStartupLoadSequence(s, d), LoadSequenceOutcome::Continue);
        EXPECT_TRUE(d.shown.isEmpty());
        EXPECT_EQ(s.file1.extended.size(), 20739);
        EXPECT_EQ(s.file2.extended.size(), 15536);
        EXPECT_EQ(s.file1.shortList.size(), 1704);
        EXPECT_EQ(s.file2.shortList.size(), 2158);
        EXPECT_TRUE(s.alternateEnabled);
        EXPECT_EQ(s.info.releaseDate, locale.toString(QDate(2018, 10, 1), QLocale::ShortFormat));
        EXPECT_EQ(s.file1.extended.first().left(5), QStringLiteral("DA00\t"));
    }
    DataState s = named(lists + QStringLiteral("/ICD10vex.txt"),
                        lists + QStringLiteral("/Behandling-procedurer-vex.txt"));
    ASSERT_EQ(RunStartupLoadSequence(s, dialogs), LoadSequenceOutcome::Continue);
    for (const QStringList* list : {&s.file1.extended, &s.file2.extended}) {
        for (const QString& record : *list) {
            const QStringList c = SplitColumns(record);
            ASSERT_EQ(c.size(), 9) << record.toStdString();
            ASSERT_FALSE(c[0].isEmpty() || c[2].isEmpty()) << record.toStdString();
            const bool groupLevel =
                c[0].startsWith(QLatin1Char('D')) ? c[0].size() == 4 : c[0].size() <= 4;
            ASSERT_EQ(c[3], groupLevel ? QStringLiteral("1") : QString()) << record.toStdString();
            ASSERT_EQ((QStringList{c[1], c[4], c[5], c[6], c[7], c[8]}).join(QString()), QString())
                << record.toStdString();
        }
    }
    EXPECT_EQ(QLocale(QLocale::Danish, QLocale::Denmark)
                  .toString(QDate(2018, 10, 1), QLocale::ShortFormat),
              QStringLiteral("01.10.2018"));
}

// The test lists carry every markup form: Danish letters of both encodings arrive intact and
// no entity is left.
TEST_F(LoadSequenceTest, fixtureListsDecodeLettersAndEntities) {
    const QString lists = test::fixtureListsDir();
    DataState s = named(lists + QStringLiteral("/ICD10vex.txt"),
                        lists + QStringLiteral("/Behandling-procedurer-vex.txt"));
    ASSERT_EQ(RunStartupLoadSequence(s, dialogs), LoadSequenceOutcome::Continue);
    EXPECT_FALSE(s.file1.extended.filter(QStringLiteral("æ")).isEmpty());
    EXPECT_FALSE(s.file2.extended.filter(QStringLiteral("å")).isEmpty());
    for (const QStringList* list : {&s.file1.extended, &s.file2.extended}) {
        EXPECT_FALSE(list->filter(QStringLiteral("<BR>")).isEmpty());
        EXPECT_TRUE(list->filter(QStringLiteral("&lt;")).isEmpty());
        EXPECT_TRUE(list->filter(QStringLiteral("&gt;")).isEmpty());
    }
}
