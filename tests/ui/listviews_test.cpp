#include <gtest/gtest.h>

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QTest>

#include "desktop/captions.h"
#include "search/resulttable.h"
#include "ui/resultgrid.h"
#include "windowfixture.h"

namespace vex::test {
namespace {

// A longer code stands before DA00 in the extended list, so DA00 is not the first line that
// begins with its own code there.
const QStringList kPrimary{
    Record("DA001", "Kolera eltor"),     Record("DA00", "Kolera", true),
    Record("DA000", "Kolera af vibrio"), Record("DA01", "Tyfus", true),
    Record("DB01", "Skoldkopper", true), Record("DB010", "Skoldkopper med meningitis"),
};
const QStringList kSecondary{
    Record("BA", "Nervesystemet", true),
    Record("BAB", "Perkutan adgang til nervesystemet"),
    Record("KA", "Operationer på nervesystemet", true),
    Record("KAA", "Kranieoperationer"),
};

QString SecondaryList() {
    QString header = HeaderLine();
    header.replace("SKS-kode", "Procedurekode").replace("Diagnosetekst", "Proceduretekst");
    QStringList lines{header, "0000\t\t15-10-2018 - Udgiver"};
    lines << kSecondary;
    return lines.join("\r\n") + "\r\n";
}

class ListViewTest : public ::testing::Test {
protected:
    void start(bool withSecondary) {
        f.writeList("ICD10vex.txt", kPrimary);
        if (withSecondary) {
            f.writeFile("Behandling-procedurer-vex.txt", SecondaryList().toUtf8());
        }
        ASSERT_EQ(f.startAndShow(), StartupOutcome::Ready);
    }
    QString code() { return f.ui().txtSKSkode->text(); }
    QString panel(StatusPanel p) { return f.window().statusPanelText(p); }
    void toggle() { QTest::mouseClick(f.ui().btnListSelect, Qt::LeftButton); }
    void switchFile() { QTest::mouseClick(f.ui().btnAlternateDatalist, Qt::LeftButton); }
    void showIndex(int index) { f.showRecord(index); }

    WindowFixture f;
};

TEST_F(ListViewTest, ToggleLandsOnTheRecordOfTheSameCode) {
    start(false);
    ASSERT_EQ(panel(StatusPanel::ListSelection), " Udvidede Liste");
    showIndex(1);  // DA00, in the short list too
    toggle();
    EXPECT_EQ(panel(StatusPanel::ListSelection), " KorteListe");
    EXPECT_EQ(f.ui().btnListSelect->text(), "Kort/&Udvidet");
    EXPECT_TRUE(f.ui().chkKorteListe->isHidden());
    EXPECT_FALSE(f.ui().imgShortList->isHidden());
    EXPECT_EQ(code(), "DA00");
    EXPECT_EQ(panel(StatusPanel::Record), " Post: 1 af 3");
    EXPECT_EQ(f.list1().extendedView, ListView::Short);
    EXPECT_EQ(f.list1().indexPointer, 0);

    // Back to the extended list: the first line beginning with "DA00" is the longer DA001.
    toggle();
    EXPECT_EQ(panel(StatusPanel::ListSelection), " Udvidede Liste");
    EXPECT_EQ(f.ui().btnListSelect->text(), "&Kort/Udvidet");
    EXPECT_EQ(code(), "DA001");
    EXPECT_EQ(f.list1().extendedView, ListView::Extended);
}

TEST_F(ListViewTest, ToggleFromARecordMissingInTheShortListLandsOnTheFirstShortRecord) {
    start(false);
    showIndex(5);  // DB010, not in the short list
    toggle();
    EXPECT_EQ(code(), "DA00");
    EXPECT_EQ(f.currentIndex(), 0);
}

TEST_F(ListViewTest, ToggleRunsTheSearchAgainOnTheNewList) {
    start(false);
    f.search("kolera");
    ASSERT_EQ(f.window().results().rowCount(), 3);
    ASSERT_EQ(panel(StatusPanel::Sync), "Sync");
    f.dialogs.shown.clear();
    toggle();
    EXPECT_EQ(f.window().results().rowCount(), 1);
    EXPECT_EQ(f.window().results().code(0), "DA00");
    EXPECT_EQ(panel(StatusPanel::Sync), "");  // the display no longer follows the grid
    EXPECT_TRUE(f.dialogs.shown.isEmpty());
    EXPECT_EQ(LabelCaption(f.ui().lblSearchString), "Anvendt søgestreng: [ kolera ]");
}

TEST_F(ListViewTest, ToggleWithoutShortListRecordsOnlyInforms) {
    f.writeList("ICD10vex.txt", {Record("DA00", "Kolera"), Record("DA01", "Tyfus")});
    ASSERT_EQ(f.startAndShow(), StartupOutcome::Ready);
    toggle();
    ASSERT_EQ(f.dialogs.shown.size(), 1);
    EXPECT_EQ(f.dialogs.shown.first().kind, MessageKind::Information);
    EXPECT_EQ(f.dialogs.shown.first().lines,
              (QStringList{"", "Ingen markeringer for KorteListe udtræk."}));
    EXPECT_EQ(panel(StatusPanel::ListSelection), " Udvidede Liste");
    // After a search run the button stays disabled while the short list is empty.
    f.search("kolera");
    EXPECT_FALSE(f.ui().btnListSelect->isEnabled());
}

TEST_F(ListViewTest, SwitchingFilesTwiceRestoresEachFilesStringIndexAndView) {
    start(true);
    ASSERT_TRUE(f.ui().btnAlternateDatalist->isEnabled());
    f.search("kolera");
    f.ui().DBNavigator1->perform(ResultNavigator::Last);
    ASSERT_EQ(code(), "DA000");
    toggle();  // short view of the primary file
    ASSERT_EQ(code(), "DA00");

    switchFile();
    EXPECT_EQ(f.window().data().currentDataFile, "Behandling-procedurer-vex.txt");
    EXPECT_EQ(panel(StatusPanel::SourceFile),
              " Behandling-procedurer-vex.txt   (" + f.window().data().info.releaseDate + ")");
    EXPECT_EQ(panel(StatusPanel::ListSelection),
              " Udvidede Liste");  // a missing view value of list 2 means extended
    EXPECT_EQ(panel(StatusPanel::Sync), "");
    EXPECT_EQ(code(), "BA");
    EXPECT_EQ(LabelCaption(f.ui().lblField00), "Procedurekode");
    EXPECT_EQ(f.window().results().headerData(1, Qt::Horizontal).toString(), "Proceduretekst");
    EXPECT_EQ(LabelCaption(f.ui().lblSearchString), "Anvendt søgestreng: [  ]");
    EXPECT_EQ(f.window().results().rowCount(), 0);
    EXPECT_EQ(CurrentGridColours(f.ui().DBGrid1), GridColoursFor(GridColourScheme::Secondary));
    EXPECT_EQ(f.list1().lastSearchInput, "kolera");
    EXPECT_EQ(f.list1().extendedView, ListView::Short);

    f.search("nervesystemet");
    ASSERT_EQ(f.window().results().rowCount(), 3);
    f.ui().DBNavigator1->perform(ResultNavigator::Last);
    ASSERT_EQ(code(), "KA");
    const double list1Time = f.list1().searchTime;

    switchFile();
    EXPECT_EQ(f.window().data().currentDataFile, "ICD10vex.txt");
    EXPECT_EQ(panel(StatusPanel::ListSelection), " KorteListe");
    EXPECT_EQ(code(), "DA00");
    EXPECT_EQ(LabelCaption(f.ui().lblSearchString), "Anvendt søgestreng: [ kolera ]");
    EXPECT_EQ(f.window().results().rowCount(), 1);
    EXPECT_EQ(LabelCaption(f.ui().lblField00), "SKS-kode");
    EXPECT_EQ(f.list2().lastSearchInput, "nervesystemet");
    EXPECT_EQ(f.list2().indexPointer, 2);
    EXPECT_NE(f.list1().searchTime, list1Time);  // the re-run stored the time of list 1

    switchFile();
    EXPECT_EQ(code(), "KA");
    EXPECT_EQ(f.searchInput(), "nervesystemet");
    EXPECT_EQ(panel(StatusPanel::ListSelection), " Udvidede Liste");
}

TEST_F(ListViewTest, SwitchingToAFileWithoutShortListShowsItsExtendedList) {
    f.writeList("ICD10vex.txt", kPrimary);
    f.writeList("Behandling-procedurer-vex.txt", {Record("BA", "Nervesystemet")});
    f.store.openGroup(UserGroup::Values);
    f.store.writeText(UserGroup::Values, "ExtendedList2View", "0");
    ASSERT_EQ(f.startAndShow(), StartupOutcome::Ready);
    switchFile();
    EXPECT_EQ(panel(StatusPanel::ListSelection), " Udvidede Liste");
    EXPECT_EQ(f.list2().extendedView, ListView::Extended);
    EXPECT_EQ(f.window().listViews().view(), ListView::Extended);
}

TEST_F(ListViewTest, RememberedIndexBeyondTheOtherListFallsBackToZero) {
    f.writeList("ICD10vex.txt", kPrimary);
    f.writeFile("Behandling-procedurer-vex.txt", SecondaryList().toUtf8());
    f.store.openGroup(UserGroup::Values);
    f.store.writeText(UserGroup::Values, "IndexPointer2", "40");
    ASSERT_EQ(f.startAndShow(), StartupOutcome::Ready);
    switchFile();
    EXPECT_EQ(f.currentIndex(), 0);
    EXPECT_EQ(code(), "BA");
}

TEST_F(ListViewTest, SwitchIsDisabledWithOneFileAndDoesNothing) {
    start(false);
    EXPECT_FALSE(f.ui().btnAlternateDatalist->isEnabled());
    switchFile();
    QTest::keyClick(f.window().windowHandle(), Qt::Key_D, Qt::ControlModifier);
    EXPECT_EQ(f.window().data().currentDataFile, "ICD10vex.txt");
}

}  // namespace
}  // namespace vex::test
