#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSplitter>
#include <QTableView>
#include <QTest>
#include <QToolButton>

#include "desktop/captions.h"
#include "search/resulttable.h"
#include "ui/resultgrid.h"
#include "windowfixture.h"

namespace vex::test {
namespace {

const QStringList kRecords{
    Record("DA00", "Kolera", true, "cholera"),
    "DA01\t*\tTyfus\t\tsyn\tFørste&lt;BR&gt;anden<tab>tredje\tstik\t\"Bemærk "
    "\"\"x\"\"\"\t03-04-2015",
    Record("DB01", "Skoldkopper"),
};

TEST(RecordDisplayTest, ShowsEveryFieldOfTheRecord) {
    WindowFixture f;
    f.writeList("ICD10vex.txt", kRecords);
    ASSERT_EQ(f.startAndShow(), StartupOutcome::Ready);
    f.showRecord(1);
    const WindowWidgets& ui = f.ui();
    EXPECT_EQ(ui.txtSKSkode->text(), "DA01*");
    EXPECT_EQ(ui.txtDiagnoseTekst->toPlainText(), "Tyfus");
    EXPECT_EQ(ui.txtSynonymer->toPlainText(), "syn");
    EXPECT_EQ(ui.txtInklusiv->toPlainText(), "Første\nanden\ttredje");
    EXPECT_EQ(ui.txtStikord->text(), "stik");
    EXPECT_EQ(ui.txtKommentarer->toPlainText(), "Bemærk \"x\"");
    EXPECT_EQ(LabelCaption(ui.lblRedigeret), "03-04-2015");
    EXPECT_EQ(ui.lblRedigeret->geometry().right() + 1, f.window().scale().px(440));
    EXPECT_FALSE(ui.chkKorteListe->isChecked());
    EXPECT_EQ(f.window().statusPanelText(StatusPanel::Record), " Post: 2 af 3");
    EXPECT_EQ(f.list1().indexPointer, 1);

    // The short-list box only shows the flag: a click puts it back.
    QTest::mouseClick(ui.chkKorteListe, Qt::LeftButton);
    EXPECT_FALSE(ui.chkKorteListe->isChecked());
    f.showRecord(0);
    EXPECT_TRUE(ui.chkKorteListe->isChecked());
    QTest::mouseClick(ui.chkKorteListe, Qt::LeftButton);
    EXPECT_TRUE(ui.chkKorteListe->isChecked());
}

TEST(RecordDisplayTest, GridCodeFoundNowhereLeavesTheDisplayAlone) {
    WindowFixture f;
    // The grid shows a quoted code without its quotes ("DA""00" as DA"00); the code look-up
    // reads the line as it is written and finds no record of that code.
    f.writeList("ICD10vex.txt", {Record("DB01", "Skoldkopper"), Record("\"DA\"\"00\"", "Kolera")});
    ASSERT_EQ(f.startAndShow(), StartupOutcome::Ready);
    f.search("kolera");
    ASSERT_EQ(f.gridCodes(), QStringList{"DA\"00"});
    f.window().activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&f.window()));
    f.ui().DBGrid1->setFocus(Qt::TabFocusReason);  // the user enters the grid
    EXPECT_EQ(f.ui().txtSKSkode->text(), "DB01");
    EXPECT_EQ(f.window().statusPanelText(StatusPanel::Sync), "");
    EXPECT_EQ(LabelCaption(f.ui().lblSearchCount), "1/1");
}

TEST(RecordDisplayTest, NoHitsLeaveTheRecordAndEmptyTheCounters) {
    WindowFixture f;
    f.writeList("ICD10vex.txt", kRecords);
    ASSERT_EQ(f.startAndShow(), StartupOutcome::Ready);
    f.search("kolera");
    f.search("xyzzy");
    EXPECT_EQ(f.ui().txtSKSkode->text(), "DA00");
    EXPECT_EQ(f.window().statusPanelText(StatusPanel::Sync), "");
    EXPECT_EQ(LabelCaption(f.ui().lblSearchCount), "");
    EXPECT_FALSE(f.window().state().resultsFound);
}

TEST(WindowFrameTest, TopAreaLimitsAndTheMinimumHeightRule) {
    WindowFixture f;
    f.writeList("ICD10vex.txt", kRecords);
    ASSERT_EQ(f.startAndShow(), StartupOutcome::Ready);
    MainWindow& w = f.window();
    const Scale& s = w.scale();
    EXPECT_EQ(w.ui().pnlTop->height(), s.px(324));
    EXPECT_EQ(w.minimumHeight(), s.px(324) + s.px(128));
    w.setTopPanelHeight(s.px(400));
    QApplication::processEvents();
    EXPECT_EQ(w.ui().pnlTop->height(), s.px(400));
    EXPECT_EQ(w.minimumHeight(), s.px(400) + s.px(128));
    w.setTopPanelHeight(2000);
    QApplication::processEvents();
    EXPECT_EQ(w.ui().pnlTop->height(), s.px(476));
    w.setTopPanelHeight(10);
    QApplication::processEvents();
    EXPECT_EQ(w.ui().pnlTop->height(), s.px(324));
    EXPECT_EQ(w.minimumWidth(), w.maximumWidth());
    EXPECT_EQ(w.ui().Splitter1->handleWidth(), s.px(4));
}

TEST(WindowFrameTest, GridSetUp) {
    WindowFixture f;
    f.writeList("ICD10vex.txt", kRecords);
    ASSERT_EQ(f.startAndShow(), StartupOutcome::Ready);
    QTableView* grid = f.ui().DBGrid1;
    EXPECT_EQ(grid->selectionBehavior(), QAbstractItemView::SelectRows);
    EXPECT_EQ(grid->editTriggers(), QAbstractItemView::NoEditTriggers);
    EXPECT_FALSE(grid->horizontalHeader()->sectionsMovable());
    EXPECT_TRUE(grid->horizontalHeader()->isVisible());
    EXPECT_TRUE(grid->verticalHeader()->isVisible());
    EXPECT_EQ(CurrentGridColours(grid), GridColoursFor(GridColourScheme::BeforeFirstSearch));
    EXPECT_EQ(CurrentGridColours(grid).cellFont, QColor(0, 0, 128));
    EXPECT_EQ(grid->toolTip(),
              "Søgeresultater:\r\nKopiér SKS-kode og tekst med Ctrl-C eller med dobbeltklik");
    f.search("kolera");
    const Scale& s = f.window().scale();
    EXPECT_EQ(grid->columnWidth(0), s.px(68));
    EXPECT_EQ(grid->columnWidth(0) + grid->columnWidth(1), s.gridColumnsWidth());
}

TEST(WindowFrameTest, ThemesDecideTheWindowColourAndTheFlatNavigator) {
    for (bool themes : {true, false}) {
        WindowFixture f;
        f.writeList("ICD10vex.txt", kRecords);
        f.writeFile("vexdiagnose.ini", "[Appearance]\r\nFormCustomColorRGB = 200,210,220\r\n");
        ASSERT_EQ(f.start({}, themes), StartupOutcome::Ready);
        f.window().show();
        f.window().repaint();
        const QColor expected =
            themes ? QColor(200, 210, 220) : QApplication::palette().window().color();
        EXPECT_EQ(f.window().palette().color(QPalette::Window), expected) << themes;
        EXPECT_EQ(f.ui().pnlBottom->palette().color(QPalette::Window),
                  QApplication::palette().window().color());
        EXPECT_EQ(f.ui().DBNavigator1->isFlat(), !themes);
    }
}

TEST(BundledListsTest, SearchAndSwitchOnTheBundledLists) {
    WindowFixture f;
    f.copyBundledLists();
    ASSERT_EQ(f.startAndShow(), StartupOutcome::Ready);
    EXPECT_EQ(f.window().statusPanelText(StatusPanel::Record), " Post: 1 af 20739");
    EXPECT_TRUE(
        f.window().statusPanelText(StatusPanel::SourceFile).startsWith(" ICD10vex.txt   ("));
    EXPECT_TRUE(f.ui().btnAlternateDatalist->isEnabled());
    f.search("kolera");
    ASSERT_GT(f.window().results().rowCount(), 3);
    EXPECT_EQ(f.window().results().code(0), "DA00");
    EXPECT_EQ(f.ui().txtDiagnoseTekst->toPlainText(), "Kolera");
    EXPECT_EQ(f.window().statusPanelText(StatusPanel::Sync), "Sync");
    EXPECT_TRUE(f.dialogs.shown.isEmpty());

    f.search("a00.1");  // a typed code on the primary list
    EXPECT_EQ(f.searchInput(), "DA001");

    QTest::mouseClick(f.ui().btnAlternateDatalist, Qt::LeftButton);
    EXPECT_EQ(f.window().statusPanelText(StatusPanel::Record), " Post: 1 af 15536");
    EXPECT_TRUE(f.window()
                    .statusPanelText(StatusPanel::SourceFile)
                    .startsWith(" Behandling-procedurer-vex.txt   ("));
    f.search("nervesystemet");
    EXPECT_GT(f.window().results().rowCount(), 0);
    EXPECT_EQ(CurrentGridColours(f.ui().DBGrid1), GridColoursFor(GridColourScheme::Secondary));
}

}  // namespace
}  // namespace vex::test
