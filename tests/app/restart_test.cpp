// The program closed and started again with the same per-user store file: what the user left
// is what the next start shows.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QScreen>
#include <QTest>
#include <QToolButton>

#include "desktop/captions.h"
#include "programrun.h"
#include "search/resulttable.h"
#include "ui/resultgrid.h"
#include "ui/windowfit.h"

namespace vex::test {
namespace {

const QStringList kPrimary{Record("DA00", "Kolera", true),
                           Record("DA000", "Kolera af vibrio"),
                           Record("DA001", "Kolera eltor", true),
                           Record("DA009", "Kolera uden specifikation", true),
                           Record("DB01", "Skoldkopper", true),
                           Record("DB010", "Skoldkopper med meningitis"),
                           Record("DB011", "Skoldkopper med lungebetændelse")};
const QStringList kSecondary{Record("BAA", "Nervesystemet", true), Record("BAA1", "Nerveblokade"),
                             Record("BAA2", "Nervestimulation", true), Record("BAB", "Hjerte")};

void WriteLists(ProgramFolder& folder) {
    folder.writeList("ICD10vex.txt", kPrimary);
    folder.writeList("Behandling-procedurer-vex.txt", kSecondary);
}

void Navigate(ProgramRun& run, ResultNavigator::Action action) {
    QTest::mouseClick(run.ui().DBNavigator1->button(action), Qt::LeftButton);
}

void Click(QAbstractButton* button) {
    QTest::mouseClick(button, Qt::LeftButton);
}

// What the user sees of one list.
struct ListSnapshot {
    QString dataFile;
    ListView extendedView = ListView::Short;
    int index = -1;
    QString searchInput;
    QStringList grid;
    QString appliedLabel;
    bool operator==(const ListSnapshot&) const = default;
};

ListSnapshot Snapshot(ProgramRun& run) {
    return {run.window().data().currentDataFile,
            run.window().listViews().view(),
            run.currentIndex(),
            run.searchInput(),
            run.gridCodes(),
            LabelCaption(run.ui().lblSearchString)};
}

void PrintTo(const ListSnapshot& s, std::ostream* os) {
    *os << s.dataFile.toStdString() << " view " << int(s.extendedView) << " index " << s.index
        << " search '" << s.searchInput.toStdString() << "' grid ["
        << s.grid.join(',').toStdString() << "] label '" << s.appliedLabel.toStdString() << "'";
}

// Puts a stored search time into the store file, as a user editing it by hand would.
void SetStoredSearchTime1(ProgramFolder& folder, const char* time) {
    QString text = QString::fromUtf8(folder.storeBytes());
    ASSERT_TRUE(text.contains("\"SearchTime1\"=")) << text.toStdString();
    text.replace(QRegularExpression("\"SearchTime1\"=\"[^\"]*\""),
                 QStringLiteral("\"SearchTime1\"=\"%1\"").arg(QLatin1String(time)));
    folder.writeStore(text.toUtf8());
}

TEST(RestartTest, WhatTheUserLeftComesBackAtTheNextStart) {
    ProgramFolder folder;
    WriteLists(folder);

    // First start for this user: centred, options off, extended list, no search.
    auto first = folder.start();
    ASSERT_EQ(first->outcome, StartupOutcome::Ready);
    const QRect work = QGuiApplication::primaryScreen()->availableGeometry();
    EXPECT_EQ(first->window().pos(), CentredOnWorkArea(first->window().size(), work));
    EXPECT_FALSE(first->ui().chkFreeTextSearch->isChecked());
    EXPECT_FALSE(first->ui().chkSearchOnComments->isChecked());
    EXPECT_EQ(first->window().listViews().view(), ListView::Extended);
    EXPECT_EQ(first->window().results().rowCount(), 0);

    // List 1: short list, a search, and the record moved within the hits.
    Click(first->ui().btnListSelect);
    first->search("kolera");
    EXPECT_EQ(first->gridCodes(), (QStringList{"DA00", "DA001", "DA009"}));
    Navigate(*first, ResultNavigator::Next);
    EXPECT_EQ(first->ui().txtSKSkode->text().remove('.'), "DA001");

    // List 2: its own search, the record on the last hit, and both option boxes on.
    Click(first->ui().btnAlternateDatalist);
    ASSERT_EQ(first->window().data().currentDataFile, "Behandling-procedurer-vex.txt");
    first->search("nerve");
    EXPECT_EQ(first->gridCodes(), (QStringList{"BAA", "BAA1", "BAA2"}));
    Navigate(*first, ResultNavigator::Last);
    Click(first->ui().chkFreeTextSearch);
    Click(first->ui().chkSearchOnComments);
    const ListSnapshot list2 = Snapshot(*first);
    EXPECT_EQ(list2.index, 2);
    EXPECT_EQ(list2.extendedView, ListView::Extended);

    // Back to list 1, where the window is left; then position, height and top area.
    Click(first->ui().btnAlternateDatalist);
    const ListSnapshot list1 = Snapshot(*first);
    EXPECT_EQ(list1.dataFile, "ICD10vex.txt");
    EXPECT_EQ(list1.extendedView, ListView::Short);
    EXPECT_EQ(list1.index, 1);
    EXPECT_FALSE(list1.grid.isEmpty());
    first->window().move(30, 40);
    first->window().resize(first->window().width(), 520);
    first->window().setTopPanelHeight(350);
    QApplication::processEvents();
    const QPoint position = first->window().pos();
    const int height = first->window().height();
    const int topHeight = first->window().topPanelHeight();
    EXPECT_EQ(position, QPoint(30, 40));
    EXPECT_EQ(height, 520);
    EXPECT_EQ(topHeight, 350);
    EXPECT_TRUE(first->dialogs.shown.isEmpty());
    first->close();
    first.reset();
    ASSERT_TRUE(folder.storePath().startsWith(folder.configFolder()));
    ASSERT_FALSE(folder.storeBytes().isEmpty());

    // The next start: the window where it was, list 1 as it was, its search run again.
    auto second = folder.start();
    ASSERT_EQ(second->outcome, StartupOutcome::Ready);
    EXPECT_EQ(second->window().pos(), position);
    EXPECT_EQ(second->window().height(), height);
    EXPECT_EQ(second->window().topPanelHeight(), topHeight);
    EXPECT_TRUE(second->ui().chkFreeTextSearch->isChecked());
    EXPECT_TRUE(second->ui().chkSearchOnComments->isChecked());
    EXPECT_EQ(Snapshot(*second), list1);
    EXPECT_EQ(second->ui().txtSKSkode->text().remove('.'), "DA001");

    // List 2 as it was left.
    Click(second->ui().btnAlternateDatalist);
    EXPECT_EQ(Snapshot(*second), list2);
    EXPECT_TRUE(second->dialogs.shown.isEmpty());
    second->close();
}

struct StoredTimeCase {
    const char* time;
    bool rerun;
};

TEST(RestartTest, OnlyAFastRememberedSearchRunsAgainAndASkippedOneRunsOneStartLater) {
    ProgramFolder folder;
    WriteLists(folder);
    {
        auto run = folder.start();
        run->search("kolera");
        run->close();
    }
    const StoredTimeCase cases[] = {
        {"4.99", true}, {"0.00", true}, {"5.00", false}, {"12.50", false}, {"-1.00", false}};
    for (const StoredTimeCase& c : cases) {
        SetStoredSearchTime1(folder, c.time);
        auto run = folder.start();
        ASSERT_EQ(run->outcome, StartupOutcome::Ready);
        EXPECT_EQ(run->searchInput(), "kolera") << c.time;
        EXPECT_EQ(run->gridCodes().size(), c.rerun ? 4 : 0) << c.time;
        EXPECT_EQ(LabelCaption(run->ui().lblSearchString) == "Anvendt søgestreng: [ kolera ]",
                  c.rerun)
            << c.time;
        run->close();
        run.reset();
        if (!c.rerun) {
            // No search ran on the list in that run: its time is stored as 0.00, so the
            // next start runs the search again.
            auto next = folder.start();
            EXPECT_EQ(next->gridCodes().size(), 4) << "after " << c.time;
            next->close();
        }
    }
}

TEST(RestartTest, RememberedSearchStringsKeepEverySign) {
    // Operator signs, quotes, letters beyond ASCII and a free-text mark as they are typed.
    const QString typed[] = {"kolera \\ vibrio", "kolera & eltor", "kolera | skold",
                             "\"kolera\"",       "kolera*",        "LungebetÆndelse"};
    for (const QString& t : typed) {
        ProgramFolder folder;
        WriteLists(folder);
        QString applied;
        QStringList grid;
        {
            auto run = folder.start();
            run->search(t);
            applied = run->searchInput();
            grid = run->gridCodes();
            EXPECT_FALSE(grid.isEmpty()) << t.toStdString();
            run->close();
        }
        auto next = folder.start();
        EXPECT_EQ(next->searchInput(), applied) << t.toStdString();
        EXPECT_EQ(next->gridCodes(), grid) << t.toStdString();
    }
}

}  // namespace
}  // namespace vex::test
