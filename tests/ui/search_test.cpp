#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QRegularExpression>
#include <QTableView>
#include <QTest>
#include <QTimer>
#include <QWindow>

#include "desktop/captions.h"
#include "desktop/qtdialogs.h"
#include "search/resulttable.h"
#include "search/searchmessages.h"
#include "ui/resultgrid.h"
#include "ui/searchrunner.h"
#include "windowfixture.h"

namespace vex::test {
namespace {

const QStringList kPrimary{
    Record("DA00", "Kolera", true),
    Record("DA000", "Kolera af vibrio"),
    Record("DA01", "Tyfus", true, "feber"),
    Record("DB01", "Skoldkopper", true),
    Record("DB010", "Skoldkopper med meningitis", false, QString(), "hjernehinde"),
    Record("DC00", "Ondartet svulst i læbe"),
};

class SearchTest : public ::testing::Test {
protected:
    void SetUp() override {
        f.writeList("ICD10vex.txt", kPrimary);
        ASSERT_EQ(f.startAndShow(), StartupOutcome::Ready);
        f.dialogs.shown.clear();
    }
    QString applied() { return LabelCaption(f.ui().lblSearchString); }
    QString escLabel() { return LabelCaption(f.ui().lblSearchESC); }
    int rows() { return f.window().results().rowCount(); }

    WindowFixture f;
};

TEST_F(SearchTest, SearchFillsTheGridAndTheRecordFollowsTheGridRow) {
    f.search("kolera");
    EXPECT_EQ(f.dialogs.lastInputCaption, "Vex Diagnoseliste");
    EXPECT_EQ(f.dialogs.lastInputPrompt, "Anfør ønsket søgestreng:");
    ASSERT_EQ(rows(), 2);
    EXPECT_EQ(f.window().results().code(1), "DA000");
    EXPECT_EQ(applied(), "Anvendt søgestreng: [ kolera ]");
    EXPECT_TRUE(QRegularExpression("^\\d+\\.\\d\\d\\d? s$").match(escLabel()).hasMatch())
        << escLabel().toStdString();
    EXPECT_TRUE(f.ui().lblSearchESC->isVisibleTo(&f.window()));
    EXPECT_TRUE(f.dialogs.shown.isEmpty());
    // The display follows the grid: the first row's record, marked "Sync".
    EXPECT_EQ(f.ui().txtSKSkode->text(), "DA00");
    EXPECT_EQ(f.window().statusPanelText(StatusPanel::Sync), "Sync");
    EXPECT_EQ(LabelCaption(f.ui().lblSearchCount), "1/2");

    QTest::keyClick(f.ui().DBGrid1, Qt::Key_Down);
    EXPECT_EQ(f.ui().txtSKSkode->text(), "DA000");
    EXPECT_EQ(f.ui().txtDiagnoseTekst->toPlainText(), "Kolera af vibrio");
    EXPECT_EQ(f.window().statusPanelText(StatusPanel::Record), " Post: 2 af 6");
    EXPECT_EQ(LabelCaption(f.ui().lblSearchCount), "2/2");
    EXPECT_EQ(f.list1().indexPointer, 1);

    // The navigator moves the row as well.
    f.ui().DBNavigator1->perform(ResultNavigator::First);
    EXPECT_EQ(f.ui().txtSKSkode->text(), "DA00");
    EXPECT_EQ(LabelCaption(f.ui().lblSearchCount), "1/2");
    EXPECT_EQ(CurrentGridColours(f.ui().DBGrid1), GridColoursFor(GridColourScheme::Primary));
}

TEST_F(SearchTest, AppliedStringLabelForNormalRejectedAndEmptyStrings) {
    f.search("kolera & vibrio");
    EXPECT_EQ(applied(), "Anvendt søgestreng: [ kolera && vibrio ]");
    EXPECT_EQ(f.ui().lblSearchString->text(), "Anvendt søgestreng: [ kolera & vibrio ]");
    EXPECT_EQ(rows(), 1);

    f.search("& kolera");
    EXPECT_EQ(applied(), "Anvendt søgestreng: [ < søgestreng afvist > ]");
    ASSERT_EQ(f.dialogs.shown.size(), 1);
    EXPECT_EQ(f.dialogs.shown.last().lines.value(1), "Indledende eller afsluttende");
    EXPECT_EQ(rows(), 1);  // a rejected string runs nothing

    f.search("kolera AND KOLERA");  // rejected by the matcher on its first call
    EXPECT_EQ(applied(), "Anvendt søgestreng: [ < søgestreng afvist > ]");
    EXPECT_EQ(rows(), 0);
    EXPECT_TRUE(f.ui().lblSearchESC->isHidden());
    EXPECT_EQ(f.dialogs.shown.size(), 2);  // only the matcher's warning, no no-match message

    f.search(" \t ");
    EXPECT_EQ(applied(), "Anvendt søgestreng: [ < tom søgestreng > ]");
    EXPECT_EQ(f.dialogs.shown.last(), EmptySearchStringWarning());
    EXPECT_TRUE(f.searchInput().isEmpty());
}

TEST_F(SearchTest, CancellingTheInputChangesNothingButFollowing) {
    f.search("kolera");
    QTest::mouseClick(f.ui().chkSearchOnComments, Qt::LeftButton);  // searches, not following
    ASSERT_FALSE(f.window().state().gridFollow);
    f.dialogs.setNextInput(std::nullopt);
    QTest::mouseClick(f.ui().btnSearch, Qt::LeftButton);
    EXPECT_TRUE(f.window().state().gridFollow);
    EXPECT_EQ(f.dialogs.inputPresets.last(), "kolera");
    EXPECT_EQ(rows(), 2);
    EXPECT_EQ(f.searchInput(), "kolera");
}

struct NoMatchCase {
    bool freeText;
    bool comments;
    const char* typed;
    QStringList lines;
};

TEST_F(SearchTest, NoMatchMessageFollowsTheOptionsAndTheOperator) {
    const QString hint = "Se online-hjælp for nærmere forklaring.";
    const QString operators1 =
        "søgning med en af de logiske operatorer \" AND \", \" OR \" eller \" NOT \",";
    const QString operators2 =
        "alternativt de logiske operatorer \" && \", \" | \" eller \" \\ \" (men ikke blandet).";
    const NoMatchCase cases[] = {
        {false,
         false,
         "xyzzy",
         {"Ingen match for søgestreng:", "[  xyzzy  ]", "",
          "Prøv evt. også fritekstsøgning ( [x] Fri-Tekst )",
          "samt inklusion af Kommentarfelt ( [x] +Komment. ) i søgningen", "  og / eller",
          operators1, operators2, "", hint}},
        {true, true, "xyz AND qqq", {"Ingen match for søgestreng:", "[  xyz AND qqq  ]", "", hint}},
        {true,
         true,
         "xyzzy",
         {"Ingen match for søgestreng:", "[  xyzzy  ]", "", "Prøv evt. også", operators1,
          operators2, "", hint}},
        {false,
         true,
         "xyz & qqq",
         {"Ingen match for søgestreng:", "[  xyz && qqq  ]", "",
          "Prøv evt. også fritekstsøgning ( [x] Fri-Tekst ) i søgningen.", "", hint}},
    };
    for (const NoMatchCase& c : cases) {
        f.ui().chkFreeTextSearch->setChecked(c.freeText);
        f.ui().chkSearchOnComments->setChecked(c.comments);
        f.dialogs.shown.clear();
        f.search(QString::fromUtf8(c.typed));
        ASSERT_EQ(f.dialogs.shown.size(), 1) << c.typed;
        EXPECT_EQ(f.dialogs.shown.first().lines, c.lines) << c.typed;
        EXPECT_EQ(f.dialogs.shown.first().kind, MessageKind::Information);
    }
}

TEST_F(SearchTest, FreeTextWarningOfTheSearchButton) {
    QTest::mouseClick(f.ui().chkFreeTextSearch, Qt::LeftButton);
    ASSERT_TRUE(f.window().state().options.freeText);
    f.dialogs.setNextAnswer(ButtonCancel);
    f.search("*kol");
    ASSERT_EQ(f.dialogs.shown.size(), 1);
    EXPECT_EQ(f.dialogs.shown.first(), FreeTextWarning("*kol", false));
    EXPECT_EQ(f.dialogs.shown.first().lines.first(),
              "Den anførte søgestreng [ *kol ] indeholder *-markering for fritekstsøgning.");
    EXPECT_EQ(f.dialogs.shown.first().buttons, ButtonOk | ButtonCancel | ButtonHelp);
    EXPECT_EQ(escLabel(), "Afbrudt søgning");
    EXPECT_TRUE(f.ui().lblSearchESC->isVisibleTo(&f.window()));
    EXPECT_EQ(rows(), 0);

    f.dialogs.setNextAnswer(ButtonOk);
    f.search("*kol");
    EXPECT_EQ(rows(), 4);  // Kolera ... and sKOLdkopper ...
}

TEST_F(SearchTest, TickingFreeTextWithAMarkedStringAsksAndCancelClearsTheBox) {
    f.search("*vibrio");
    ASSERT_EQ(rows(), 1);
    f.dialogs.setNextAnswer(ButtonCancel);
    QTest::mouseClick(f.ui().chkFreeTextSearch, Qt::LeftButton);
    ASSERT_EQ(f.dialogs.shown.size(), 1);
    EXPECT_EQ(f.dialogs.shown.first().lines.first(),
              "Den anførte søgestreng [ *vibrio ] indeholder i allerede *-markering for "
              "fritekstsøgning.");
    EXPECT_FALSE(f.ui().chkFreeTextSearch->isChecked());
    EXPECT_FALSE(f.window().state().options.freeText);
    EXPECT_EQ(rows(), 1);  // no new run

    // Ticking again and going on searches with the option.
    QTest::mouseClick(f.ui().chkFreeTextSearch, Qt::LeftButton);
    EXPECT_TRUE(f.window().state().options.freeText);
    EXPECT_FALSE(f.window().state().gridFollow);
}

TEST_F(SearchTest, CommentsOptionSearchesAgainWithTheCommentsColumn) {
    f.search("hjernehinde");
    EXPECT_EQ(rows(), 0);
    f.dialogs.shown.clear();
    QTest::mouseClick(f.ui().chkSearchOnComments, Qt::LeftButton);
    EXPECT_EQ(rows(), 1);
    EXPECT_TRUE(f.dialogs.shown.isEmpty());  // no no-match message from an option box
    // Following is off after an option click.
    EXPECT_EQ(f.window().statusPanelText(StatusPanel::Sync), "");
}

TEST_F(SearchTest, TheGridKeepsItsTableAcrossRuns) {
    // Qt's header views leave connections behind whenever the grid's model changes: taking the
    // table off the grid for every run made each later search slower and the window larger.
    const QPointer<QItemSelectionModel> selection = f.ui().DBGrid1->selectionModel();
    for (const char* typed : {"kolera", "skoldkopper", "xyz"}) {
        f.search(typed);
    }
    EXPECT_FALSE(selection.isNull());
    EXPECT_EQ(f.ui().DBGrid1->selectionModel(), selection.data());
    EXPECT_EQ(f.ui().DBGrid1->model(), &f.window().results());
}

TEST_F(SearchTest, EscPauseAnsweredYesAbortsAndKeepsTheRowsFound) {
    f.holdEsc();
    QString labelDuringQuestion;
    bool visibleDuringQuestion = false;
    f.dialogs.whileOpen = [&](const Message& m) {
        if (m == AbortSearchQuestion()) {
            labelDuringQuestion = escLabel();
            visibleDuringQuestion = f.ui().lblSearchESC->isVisibleTo(&f.window());
        }
    };
    f.dialogs.setNextAnswer(ButtonYes);
    f.search("kolera");
    ASSERT_EQ(f.dialogs.shown.size(), 1);
    EXPECT_EQ(f.dialogs.shown.first().lines, (QStringList{"", "Vil du afbryde søgning"}));
    EXPECT_EQ(labelDuringQuestion, "Søgning pauseret");
    EXPECT_TRUE(visibleDuringQuestion);
    EXPECT_EQ(escLabel(), "Afbrudt søgning");
    EXPECT_TRUE(f.ui().lblSearchESC->isVisibleTo(&f.window()));
    EXPECT_EQ(rows(), 1);  // the hit found before ESC was noticed
    EXPECT_EQ(f.window().listViews().inUse().searchTime, -1);
    EXPECT_EQ(f.list1().searchTime, -1);
    EXPECT_TRUE(f.ui().btnSearch->isEnabled());
    EXPECT_EQ(f.ui().DBGrid1->model(), &f.window().results());
}

TEST_F(SearchTest, EscPauseAnsweredNoGoesOnWithoutATime) {
    f.holdEsc();
    f.dialogs.setNextAnswer(ButtonNo);
    f.search("kolera");
    EXPECT_EQ(rows(), 2);
    EXPECT_EQ(escLabel(), "");
    EXPECT_EQ(f.window().listViews().inUse().searchTime, -1);
    EXPECT_EQ(f.list1().searchTime, -1);
    EXPECT_EQ(f.dialogs.shown.size(), 1);
}

TEST_F(SearchTest, OptionBoxesCannotBeChangedDuringARun) {
    f.window().activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&f.window()));
    QCheckBox* comments = f.ui().chkSearchOnComments;
    QCheckBox* freeText = f.ui().chkFreeTextSearch;
    int rounds = 0;
    bool disabledMeanwhile = false;
    bool changedMeanwhile = false;
    // The run's first look at the window's events (here the one after its last step).
    QTimer::singleShot(0, &f.window(), [&] {
        ++rounds;
        disabledMeanwhile =
            !f.ui().btnSearch->isEnabled() && !comments->isEnabled() && !freeText->isEnabled();
        QTest::mouseClick(comments, Qt::LeftButton);
        QTest::mouseClick(freeText, Qt::LeftButton);
        QTest::keyClick(f.window().windowHandle(), Qt::Key_M, Qt::AltModifier);
        // A box taking its accelerator is drawn pressed and ticks itself a moment later.
        changedMeanwhile = comments->isChecked() || freeText->isChecked() || comments->isDown();
    });
    f.search("kolera");
    EXPECT_EQ(rounds, 1);
    EXPECT_TRUE(disabledMeanwhile);
    EXPECT_FALSE(changedMeanwhile);
    EXPECT_TRUE(comments->isEnabled() && freeText->isEnabled());
    EXPECT_EQ(rows(), 2);
    // Once the run is over, the accelerator ticks the box and searches again.
    QTest::keyClick(f.window().windowHandle(), Qt::Key_M, Qt::AltModifier);
    EXPECT_TRUE(QTest::qWaitFor([&] { return comments->isChecked(); }));
    EXPECT_EQ(f.window().focusWidget(), f.ui().btnSearch);
}

TEST_F(SearchTest, ClosingTheWindowDuringARunAbortsItAndStoresTheValues) {
    f.holdEsc();
    f.dialogs.whileOpen = [&](const Message& m) {
        if (m == AbortSearchQuestion()) {
            f.window().close();
        }
    };
    f.dialogs.setNextAnswer(ButtonNo);
    f.search("kolera");
    EXPECT_FALSE(f.window().isVisible());
    EXPECT_EQ(rows(), 2);  // the run stopped at its next step
    EXPECT_EQ(f.window().listViews().inUse().searchTime, -1);
    EXPECT_EQ(f.dialogs.shown.size(), 1);  // and said nothing about matches
    const UserValue* stored = f.store.data().find(UserGroup::Values, "LastSearchInput1");
    ASSERT_NE(stored, nullptr);
    EXPECT_EQ(stored->text, "kolera");
}

// The close of the window cuts a run off: it has been interrupted, as an abort with ESC is, so
// the list keeps no time for it and the next start does not run it again.
TEST(SearchCloseTest, ClosingTheWindowCutsTheRunOffAndItIsNotRunAgain) {
    WindowFixture f;
    // Long enough for the run to look at the window's events before its end.
    QStringList records;
    for (int i = 0; i < 100000; ++i) {
        records << Record(QStringLiteral("DX%1").arg(i, 6, 10, QLatin1Char('0')), "Feber");
    }
    f.writeList("ICD10vex.txt", records);
    ASSERT_EQ(f.startAndShow(), StartupOutcome::Ready);
    QTimer::singleShot(0, &f.window(), [&] { QTest::mouseClick(f.ui().btnClose, Qt::LeftButton); });
    f.search("feber");
    ASSERT_FALSE(f.window().isVisible());
    ASSERT_LT(f.ui().DBGrid1->model()->rowCount(), records.size()) << "the run was not cut off";
    const auto stored = [&f](const char* name) {
        const UserValue* v = f.store.data().find(UserGroup::Values, QLatin1String(name));
        return v != nullptr ? v->text : QStringLiteral("<none>");
    };
    EXPECT_EQ(stored("LastSearchInput1"), "feber");
    EXPECT_EQ(stored("SearchTime1"), "-1.00");

    f.end();
    ASSERT_EQ(f.startAndShow(), StartupOutcome::Ready);
    EXPECT_EQ(f.ui().DBGrid1->model()->rowCount(), 0);
}

TEST(SearchPauseTest, HeldEscAsksOnceAndOnlyAButtonAnswers) {
    WindowFixture f;
    QStringList records;
    for (int i = 0; i < 150; ++i) {
        records << Record(QStringLiteral("DX%1").arg(i, 3, 10, QLatin1Char('0')), "Feber");
    }
    f.writeList("ICD10vex.txt", records);
    f.store.openGroup(UserGroup::Values);
    f.store.writeText(UserGroup::Values, "LastSearchInput1", "feber");  // searched again below
    QtDialogs boxes;
    f.useDialogs(boxes);
    ASSERT_EQ(f.startAndShow(), StartupOutcome::Ready);
    boxes.setParentWindow(&f.window());
    f.window().activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&f.window()));

    // ESC goes down and stays down: its repeats reach the pause question once it is open.
    QTest::keyPress(f.window().windowHandle(), Qt::Key_Escape);
    int questions = 0;
    bool openAfterEscAndClose = false;
    QTimer watch;
    QObject::connect(&watch, &QTimer::timeout, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (box == nullptr || !box->isVisible() || box->property("seen").toBool()) {
            return;
        }
        box->setProperty("seen", true);
        ++questions;
        for (int i = 0; i < 5; ++i) {
            QKeyEvent repeat(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier, QString(QChar(0x1B)),
                             true);
            QCoreApplication::sendEvent(box->windowHandle(), &repeat);
        }
        box->windowHandle()->close();  // the title bar's close button
        QCoreApplication::processEvents();
        openAfterEscAndClose = box->isVisible();
        QTest::keyClick(box->windowHandle(), Qt::Key_N);  // "&Nej"
    });
    watch.start(5);
    QTest::mouseClick(f.ui().chkSearchOnComments, Qt::LeftButton);  // searches again
    watch.stop();
    QTest::keyRelease(f.window().windowHandle(), Qt::Key_Escape);

    EXPECT_EQ(questions, 1);
    EXPECT_TRUE(openAfterEscAndClose);
    EXPECT_EQ(f.window().results().rowCount(), 150);  // answered No: the run went on
    EXPECT_EQ(LabelCaption(f.ui().lblSearchESC), "");
    EXPECT_EQ(f.window().listViews().inUse().searchTime, -1);
}

// Records every time a label is shown: its caption and the rows in the table then.
class ShowWatcher : public QObject {
public:
    ShowWatcher(QLabel* label, const ResultTable& table) : label_(label), table_(table) {
        label->installEventFilter(this);
    }
    QList<std::pair<QString, int>> shows;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched == label_ && event->type() == QEvent::Show) {
            shows.append({LabelCaption(label_), table_.count()});
        }
        return false;
    }

private:
    QLabel* label_;
    const ResultTable& table_;
};

TEST(SearchRunTest, TheHundredthRowShowsTheEscHint) {
    WindowFixture f;
    QStringList records;
    for (int i = 0; i < 150; ++i) {
        records << Record(QStringLiteral("DX%1").arg(i, 3, 10, QLatin1Char('0')), "Feber");
    }
    records << Record("DY", "Andet");  // the run then ends on "no further hit"
    f.writeList("ICD10vex.txt", records);
    ASSERT_EQ(f.startAndShow(), StartupOutcome::Ready);
    ShowWatcher watcher(f.ui().lblSearchESC, f.window().results());
    f.search("feber");
    EXPECT_EQ(f.window().results().rowCount(), 150);
    ASSERT_EQ(watcher.shows.size(), 2);
    EXPECT_EQ(watcher.shows.first(),
              std::make_pair(QStringLiteral("Søgning kan afbrydes med ESC"), 100));
    EXPECT_TRUE(watcher.shows.last().first.endsWith(" s"));
}

}  // namespace
}  // namespace vex::test
