#include <gtest/gtest.h>

#include <QCheckBox>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTableView>
#include <QToolButton>

#include "desktop/captions.h"
#include "desktop/helphandler.h"
#include "desktop/helplauncher.h"
#include "keyfixture.h"
#include "search/resulttable.h"
#include "ui/resultgrid.h"

namespace vex::test {
namespace {

class WindowKeysTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(f.startWith(KeyTestRecords())); }

    KeyWindowFixture f;
};

struct PageKeyCase {
    int from;
    Qt::Key key;
    Qt::KeyboardModifiers modifiers;
    int to;
};

TEST_F(WindowKeysTest, PageKeysMoveThroughTheListInViewWhereverTheFocusIs) {
    const PageKeyCase cases[] = {
        {0, Qt::Key_PageUp, Qt::NoModifier, 0},    // first record: stays, shown again
        {5, Qt::Key_PageDown, Qt::NoModifier, 5},  // last record: stays
        {2, Qt::Key_PageUp, Qt::NoModifier, 1},
        {2, Qt::Key_PageDown, Qt::NoModifier, 3},
        {2, Qt::Key_PageDown, Qt::ShiftModifier, 3},  // modifiers do not matter
        {2, Qt::Key_PageUp, Qt::AltModifier, 1},
        {3, Qt::Key_PageUp, Qt::ControlModifier, 0},
        {1, Qt::Key_PageDown, Qt::ControlModifier, 5},
        {4, Qt::Key_PageDown, Qt::ControlModifier | Qt::ShiftModifier, 5},
        {0, Qt::Key_PageUp, Qt::ControlModifier, 0},
    };
    const QStringList codes{"DA00", "DA01", "DA02", "DB01", "DB02", "DC00"};
    for (QWidget* focus :
         {static_cast<QWidget*>(f.ui().btnSearch), static_cast<QWidget*>(f.ui().txtKommentarer)}) {
        for (const PageKeyCase& c : cases) {
            SCOPED_TRACE(focus->objectName().toStdString() + " from " + std::to_string(c.from) +
                         " key " + std::to_string(c.key));
            f.showSynced(c.from);
            f.pressIn(focus, c.key, c.modifiers);
            EXPECT_EQ(f.currentIndex(), c.to);
            EXPECT_EQ(f.code(), codes.at(c.to));
            EXPECT_EQ(f.window().statusPanelText(StatusPanel::Record),
                      QStringLiteral(" Post: %1 af 6").arg(c.to + 1));
            EXPECT_EQ(f.syncPanel(), "");
            EXPECT_EQ(f.list1().indexPointer, c.to);
        }
    }
    // In a record field the page keys move and sound the alert as well.
    EXPECT_EQ(f.beeps, int(std::size(cases)));
}

TEST_F(WindowKeysTest, RecordButtonsLeaveTheDisplayFollowingTheGrid) {
    f.search("kolera");
    ASSERT_EQ(f.window().results().rowCount(), 3);
    ASSERT_EQ(f.syncPanel(), "Sync");
    const struct {
        QPushButton* button;
        int to;
    } clicks[] = {{f.ui().btnNext, 1},
                  {f.ui().btnLast, 5},
                  {f.ui().btnPrior, 4},
                  {f.ui().btnFirst, 0},
                  {f.ui().btnPrior, 0}};
    for (const auto& click : clicks) {
        SCOPED_TRACE(click.button->objectName().toStdString());
        SetStatusPanelText(f.ui(), StatusPanel::Sync, "Sync");
        QTest::mouseClick(click.button, Qt::LeftButton);
        EXPECT_EQ(f.currentIndex(), click.to);
        EXPECT_EQ(f.syncPanel(), "");
        EXPECT_TRUE(f.window().state().gridFollow);
    }
    // The next move of the grid's row shows the grid's record again.
    f.pressIn(f.ui().DBGrid1, Qt::Key_Down);
    EXPECT_EQ(f.code(), "DA02");
    EXPECT_EQ(f.syncPanel(), "Sync");
}

TEST_F(WindowKeysTest, NavigatorTurnsFollowingOnBeforeItMovesTheGrid) {
    f.search("kolera");
    QTest::mouseClick(f.ui().chkSearchOnComments, Qt::LeftButton);  // searches, not following
    ASSERT_FALSE(f.window().state().gridFollow);
    f.showSynced(5);
    SetStatusPanelText(f.ui(), StatusPanel::Sync, QString());
    QTest::mouseClick(f.ui().DBNavigator1->button(ResultNavigator::Next), Qt::LeftButton);
    EXPECT_TRUE(f.window().state().gridFollow);
    EXPECT_EQ(f.code(), "DA02");
    EXPECT_EQ(f.syncPanel(), "Sync");
}

// Notes what the window shows when a key reaches the grid, after the window's own handling
// and before the grid's.
class GridKeyProbe : public QObject {
public:
    QStringList seen;
    KeyWindowFixture* f = nullptr;

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::KeyPress &&
            static_cast<QKeyEvent*>(event)->key() == Qt::Key_PageDown) {
            seen << f->code() + QLatin1Char('|') + f->syncPanel();
        }
        return false;
    }
};

TEST_F(WindowKeysTest, PageDownInTheFollowingGridShowsTheNextRecordThenTheGridsRow) {
    f.search("kolera");
    f.ui().DBGrid1->setFocus(Qt::TabFocusReason);
    ASSERT_TRUE(f.window().state().gridFollow);
    ASSERT_EQ(f.code(), "DA00");
    GridKeyProbe probe;
    probe.f = &f;
    f.ui().DBGrid1->installEventFilter(&probe);

    f.press(Qt::Key_PageDown);
    // The window first showed the next record of the list, without "Sync"; then the grid
    // moved a page down (here to its last row) and the display followed it.
    EXPECT_EQ(probe.seen, QStringList{"DA01|"});
    EXPECT_EQ(f.ui().DBGrid1->currentIndex().row(), 2);
    EXPECT_EQ(f.code(), "DB02");
    EXPECT_EQ(f.syncPanel(), "Sync");

    // At the grid's last row the grid stays, and so does the next record of the list.
    f.press(Qt::Key_PageDown);
    EXPECT_EQ(f.ui().DBGrid1->currentIndex().row(), 2);
    EXPECT_EQ(f.code(), "DC00");
    EXPECT_EQ(f.syncPanel(), "");
}

TEST_F(WindowKeysTest, TabMovesOnlyBetweenTheSearchButtonAndTheGrid) {
    f.ui().btnSearch->setFocus(Qt::OtherFocusReason);
    const struct {
        Qt::Key key;
        Qt::KeyboardModifiers modifiers;
        QWidget* focus;
    } steps[] = {{Qt::Key_Tab, Qt::NoModifier, f.ui().DBGrid1},
                 {Qt::Key_Tab, Qt::NoModifier, f.ui().btnSearch},
                 {Qt::Key_Backtab, Qt::ShiftModifier, f.ui().DBGrid1},
                 {Qt::Key_Backtab, Qt::ShiftModifier, f.ui().btnSearch}};
    for (const auto& step : steps) {
        f.press(step.key, step.modifiers);
        EXPECT_EQ(f.window().focusWidget(), step.focus)
            << f.window().focusWidget()->objectName().toStdString();
    }
    // The comments field keeps its Tab keys; another record field passes the focus on.
    f.pressIn(f.ui().txtKommentarer, Qt::Key_Tab);
    EXPECT_EQ(f.window().focusWidget(), f.ui().txtKommentarer);
    f.press(Qt::Key_Backtab, Qt::ShiftModifier);
    EXPECT_EQ(f.window().focusWidget(), f.ui().txtKommentarer);
    f.pressIn(f.ui().txtSynonymer, Qt::Key_Tab);
    EXPECT_TRUE(f.window().focusWidget() == f.ui().btnSearch ||
                f.window().focusWidget() == f.ui().DBGrid1);
}

TEST_F(WindowKeysTest, EnterAndSpaceOnTheFocusedSearchButtonStartASearch) {
    // Each key searches for something else than the key before, so each row count is new.
    const struct {
        Qt::Key key;
        Qt::KeyboardModifiers modifiers;
        const char* typed;
        int rows;
    } keys[] = {{Qt::Key_Return, Qt::NoModifier, "kolera", 3},
                {Qt::Key_Enter, Qt::KeypadModifier, "tyfus", 1},
                {Qt::Key_Space, Qt::NoModifier, "kolera", 3}};
    for (const auto& k : keys) {
        const int inputs = f.dialogs.inputPresets.size();
        f.dialogs.setNextInput(QString::fromUtf8(k.typed));
        f.pressIn(f.ui().btnSearch, k.key, k.modifiers);
        EXPECT_EQ(f.dialogs.inputPresets.size(), inputs + 1) << k.key;
        EXPECT_EQ(f.window().results().rowCount(), k.rows) << k.key;
    }
}

TEST_F(WindowKeysTest, F1AndBothHelpButtonsAskForTheProgramsHelp) {
    f.pressIn(f.ui().btnSearch, Qt::Key_F1);
    EXPECT_EQ(f.helpContexts, QList<int>{1});
    EXPECT_EQ(f.beeps, 0);
    // In a record field F1 asks for help and sounds the alert.
    f.pressIn(f.ui().txtSynonymer, Qt::Key_F1);
    EXPECT_EQ(f.helpContexts, (QList<int>{1, 1}));
    EXPECT_EQ(f.beeps, 1);
    QTest::mouseClick(f.ui().btnHelp, Qt::LeftButton);
    QTest::mouseClick(f.ui().btnHelpGlyph, Qt::LeftButton);
    EXPECT_EQ(f.helpContexts, (QList<int>{1, 1, 1, 1}));
    EXPECT_TRUE(f.dialogs.shown.isEmpty());
}

// Takes the URLs the program hands to the desktop.
class UrlCatcher : public QObject {
    Q_OBJECT
public:
    QList<QUrl> urls;
public slots:
    void open(const QUrl& url) { urls << url; }
};

TEST_F(WindowKeysTest, F1AndBothHelpButtonsOpenTheInstalledHelpsStartPage) {
    // The help pages lie in the program folder, as installed; the default INI file of the
    // start-up names them.
    const QDir built(QStringLiteral(VEX_HELP_BUILT_DIR));
    ASSERT_TRUE(QDir(f.folder()).mkdir(QStringLiteral("help")));
    for (const QString& page : built.entryList(QDir::Files)) {
        ASSERT_TRUE(QFile::copy(built.filePath(page), f.folder() + "/help/" + page));
    }
    DesktopHelpLauncher launcher;
    HelpHandler help(f.program, f.dialogs, launcher);
    f.window().setHelpRequest([&help](int context) { help.HandleHelpRequest(context); });
    // Web addresses are caught too, so a wrong target fails here instead of opening a browser.
    const QStringList schemes{QStringLiteral("file"), QStringLiteral("http"),
                              QStringLiteral("https")};
    UrlCatcher catcher;
    for (const QString& scheme : schemes) {
        QDesktopServices::setUrlHandler(scheme, &catcher, "open");
    }
    f.pressIn(f.ui().btnSearch, Qt::Key_F1);
    QTest::mouseClick(f.ui().btnHelp, Qt::LeftButton);
    QTest::mouseClick(f.ui().btnHelpGlyph, Qt::LeftButton);
    for (const QString& scheme : schemes) {
        QDesktopServices::unsetUrlHandler(scheme);
    }

    ASSERT_EQ(catcher.urls.size(), 3);
    const QString startPage = QFileInfo(f.folder() + "/help/index.html").canonicalFilePath();
    ASSERT_FALSE(startPage.isEmpty());
    for (const QUrl& url : catcher.urls) {
        EXPECT_TRUE(url.isLocalFile()) << url.toString().toStdString();
        EXPECT_EQ(QFileInfo(url.toLocalFile()).canonicalFilePath(), startPage);
    }
    EXPECT_TRUE(f.dialogs.shown.isEmpty());
}

TEST_F(WindowKeysTest, AcceleratorsReachTheirControls) {
    // Waits for the click an accelerator starts (buttons show themselves pressed first).
    const auto accelerate = [this](QAbstractButton* control, Qt::Key key) {
        QSignalSpy clicked(control, &QAbstractButton::clicked);
        f.press(key, Qt::AltModifier);
        return clicked.count() == 1 || clicked.wait(2000);
    };
    f.showSynced(2);
    EXPECT_TRUE(accelerate(f.ui().btnNext, Qt::Key_Greater));
    EXPECT_EQ(f.currentIndex(), 3);
    EXPECT_TRUE(accelerate(f.ui().btnPrior, Qt::Key_Less));
    EXPECT_EQ(f.currentIndex(), 2);

    // The short-list box only shows the record's flag: the record at 2 is not flagged.
    ASSERT_TRUE(f.ui().chkKorteListe->isVisible());
    EXPECT_TRUE(accelerate(f.ui().chkKorteListe, Qt::Key_I));
    EXPECT_FALSE(f.ui().chkKorteListe->isChecked());

    EXPECT_TRUE(accelerate(f.ui().btnListSelect, Qt::Key_K));  // "&Kort/Udvidet"
    EXPECT_EQ(f.window().statusPanelText(StatusPanel::ListSelection), " KorteListe");
    EXPECT_TRUE(accelerate(f.ui().btnListSelect, Qt::Key_U));  // "Kort/&Udvidet"
    EXPECT_EQ(f.window().statusPanelText(StatusPanel::ListSelection), " Udvidede Liste");

    EXPECT_TRUE(accelerate(f.ui().chkFreeTextSearch, Qt::Key_F));
    EXPECT_TRUE(f.window().state().options.freeText);
    EXPECT_TRUE(accelerate(f.ui().chkSearchOnComments, Qt::Key_M));
    EXPECT_TRUE(f.window().state().options.comments);

    EXPECT_TRUE(accelerate(f.ui().btnHelp, Qt::Key_H));
    EXPECT_EQ(f.helpContexts, QList<int>{1});

    const int inputs = f.dialogs.inputPresets.size();
    EXPECT_TRUE(accelerate(f.ui().btnSearch, Qt::Key_S));
    EXPECT_EQ(f.dialogs.inputPresets.size(), inputs + 1);

    EXPECT_TRUE(accelerate(f.ui().btnClose, Qt::Key_L));
    EXPECT_FALSE(f.window().isVisible());
}

class DataFileKeyTest : public ::testing::Test {
protected:
    KeyWindowFixture f;
};

TEST_F(DataFileKeyTest, CtrlDSwitchesTheDataFileWhileTheSwitchIsEnabled) {
    ASSERT_TRUE(f.startWith(KeyTestRecords(), true));
    const QString primary = f.window().data().currentDataFile;
    const QString secondary = f.window().data().secondaryDataFile;
    f.pressIn(f.ui().btnSearch, Qt::Key_D);
    EXPECT_EQ(f.window().data().currentDataFile, primary);
    f.press(Qt::Key_D, Qt::ControlModifier);
    EXPECT_EQ(f.window().data().currentDataFile, secondary);
    EXPECT_EQ(f.code(), "BA");
    // Other modifiers held with Ctrl do not matter; in a record field the alert sounds too.
    f.pressIn(f.ui().txtSKSkode, Qt::Key_D, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(f.window().data().currentDataFile, primary);
    EXPECT_EQ(f.beeps, 1);
    // A disabled switch (as during a search run) does nothing.
    f.ui().btnAlternateDatalist->setEnabled(false);
    f.pressIn(f.ui().btnSearch, Qt::Key_D, Qt::ControlModifier);
    EXPECT_EQ(f.window().data().currentDataFile, primary);
}

TEST_F(DataFileKeyTest, CtrlDDoesNothingWithOneDataFile) {
    ASSERT_TRUE(f.startWith(KeyTestRecords()));
    f.showSynced(3);
    f.pressIn(f.ui().btnSearch, Qt::Key_D, Qt::ControlModifier);
    EXPECT_EQ(f.window().data().currentDataFile, "ICD10vex.txt");
    EXPECT_EQ(f.currentIndex(), 3);
    EXPECT_EQ(f.syncPanel(), "Sync");
    EXPECT_TRUE(f.dialogs.shown.isEmpty());
}

}  // namespace
}  // namespace vex::test

#include "windowkeys_test.moc"
