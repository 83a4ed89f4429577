#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QRegularExpression>
#include <QScreen>
#include <QTableView>
#include <QTest>

#include "config/uservalues.h"
#include "desktop/captions.h"
#include "search/resulttable.h"
#include "ui/windowfit.h"
#include "windowfixture.h"

namespace vex::test {
namespace {

const QStringList kRecords{Record("DA00", "Kolera", true), Record("DA000", "Kolera af vibrio"),
                           Record("DB01", "Skoldkopper", true)};

struct RerunCase {
    const char* storedTime;  // as the store holds it; nullptr for none
    bool rerun;
};

TEST(FirstShowTest, RememberedSearchRunsAgainOnlyWhenItWasFast) {
    const RerunCase cases[] = {{"4.99", true},   {"0.00", true},   {"5.00", false},
                               {"-1.00", false}, {nullptr, false}, {"abc", false}};
    for (const RerunCase& c : cases) {
        WindowFixture f;
        f.writeList("ICD10vex.txt", kRecords);
        f.store.openGroup(UserGroup::Values);
        f.store.writeText(UserGroup::Values, "LastSearchInput1", "kolera");
        if (c.storedTime != nullptr) {
            f.store.writeText(UserGroup::Values, "SearchTime1", c.storedTime);
        }
        ASSERT_EQ(f.startAndShow(), StartupOutcome::Ready);
        const QString label = LabelCaption(f.ui().lblSearchString);
        EXPECT_EQ(f.window().results().rowCount(), c.rerun ? 2 : 0) << c.storedTime;
        EXPECT_EQ(label == "Anvendt søgestreng: [ kolera ]", c.rerun) << label.toStdString();
        EXPECT_TRUE(f.dialogs.shown.isEmpty());  // no no-match message from the first show
        // The display does not follow the grid until the user asks for it.
        EXPECT_EQ(f.window().statusPanelText(StatusPanel::Sync), "");
    }
}

TEST(FirstShowTest, RememberedStringThatIsRejectedShowsTheRejection) {
    WindowFixture f;
    f.writeList("ICD10vex.txt", kRecords);
    f.store.openGroup(UserGroup::Values);
    f.store.writeText(UserGroup::Values, "LastSearchInput1", "a OR b OR c");
    f.store.writeText(UserGroup::Values, "SearchTime1", "0.10");
    ASSERT_EQ(f.startAndShow(), StartupOutcome::Ready);
    EXPECT_EQ(LabelCaption(f.ui().lblSearchString),
              "Anvendt søgestreng: [ < søgestreng afvist > ]");
    ASSERT_EQ(f.dialogs.shown.size(), 1);
    EXPECT_EQ(f.dialogs.shown.first().lines.first(),
              "Søgestrengen indeholder mere end een logisk søge-operator!");
}

TEST(FirstShowTest, HintsPanelsFloatingButtonsAndFocus) {
    WindowFixture f;
    f.writeList("ICD10vex.txt", kRecords);
    ASSERT_EQ(f.startAndShow(), StartupOutcome::Ready);
    const WindowWidgets& ui = f.ui();
    const Scale& s = f.window().scale();
    EXPECT_EQ(ui.chkKorteListe->toolTip(), "Viser om koden er inkluderet i selektionen KorteListe");
    EXPECT_EQ(ui.btnListSelect->toolTip(), "Skifter mellem KorteListe og Udvidede Liste");
    EXPECT_EQ(ui.btnAlternateDatalist->toolTip(),
              "Skifter mellem Primære og Sekundære datafil\r\nGenvej: Ctrl-D");
    // The panels sit side by side from the bar's left edge, each starting where the one
    // before it ends.
    const int widths[] = {114, 45, 270, 150};
    int left = 0;
    for (int i = 0; i < int(std::size(kStatusPanels)); ++i) {
        const QLabel* panel = ui.statusPanel(kStatusPanels[i]);
        EXPECT_EQ(panel->x(), left) << i;
        EXPECT_EQ(panel->width(), s.px(widths[i])) << i;
        left += panel->width();
    }
    EXPECT_EQ(ui.pnlFloatingButtons->x(), s.px(149));
    EXPECT_EQ(QApplication::focusWidget() == nullptr || QApplication::focusWidget() == ui.btnSearch,
              true);
    EXPECT_EQ(f.window().focusWidget(), ui.btnSearch);
    EXPECT_EQ(f.dialogs.splashCloseRequests, 1);
}

TEST(FirstShowTest, StoredPositionAndTopAreaHeightAreApplied) {
    WindowFixture f;
    f.writeList("ICD10vex.txt", kRecords);
    f.store.openGroup(UserGroup::Mode);
    f.store.writeText(UserGroup::Mode, "PositionTop", "7");
    f.store.writeText(UserGroup::Mode, "PositionLeft", "11");
    f.store.writeDword(UserGroup::Mode, "PanelTopHeight", 400);
    ASSERT_EQ(f.startAndShow(), StartupOutcome::Ready);
    QApplication::processEvents();
    EXPECT_EQ(f.window().pos(), QPoint(11, 7));
    EXPECT_EQ(f.ui().pnlTop->height(), f.window().scale().px(400));
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);  // the start-up hourglass is gone
}

TEST(FirstShowTest, TallRememberedWindowKeepsItsFrameOnTheWorkArea) {
    WindowFixture f;
    f.writeList("ICD10vex.txt", kRecords);
    f.store.openGroup(UserGroup::Mode);
    f.store.writeText(UserGroup::Mode, "PositionTop", "5");
    f.store.writeText(UserGroup::Mode, "FormHeight", "5000");
    ASSERT_EQ(f.startAndShow(), StartupOutcome::Ready);
    QApplication::processEvents();
    const QRect frame = f.window().frameGeometry();
    ASSERT_NE(frame, f.window().geometry()) << "the platform draws no frame";
    const QRect work = QGuiApplication::primaryScreen()->availableGeometry();
    EXPECT_EQ(frame.top(), work.top());
    EXPECT_EQ(frame.bottom(), work.bottom());
}

struct FitCase {
    const char* what;
    QRect frame;
    int minimumHeight;
    QRect workArea;
    int screenHeight;
    WindowFit expected;
    QMargins margins{};
};

const QMargins kTitleBar(4, 29, 4, 4);  // a window manager's frame

TEST(WindowFitTest, FitsTheWindowOntoTheWorkArea) {
    const QRect work(0, 0, 1024, 738);
    const FitCase cases[] = {
        {"fits already", QRect(100, 50, 575, 661), 452, work, 768, {QRect(100, 50, 575, 661), 452}},
        {"too tall", QRect(100, 50, 575, 800), 452, work, 768, {QRect(100, 0, 575, 738), 452}},
        {"work area below the minimum",
         QRect(100, 50, 575, 661),
         452,
         QRect(0, 0, 800, 400),
         420,
         {QRect(100, 0, 575, 400), 400}},
        {"screen lower than the work area",
         QRect(10, 50, 575, 661),
         452,
         QRect(0, 0, 800, 400),
         380,
         {QRect(10, 0, 575, 380), 380}},
        {"off to the left",
         QRect(-20, 50, 575, 661),
         452,
         work,
         768,
         {QRect(225, 50, 575, 661), 452}},
        {"off to the right",
         QRect(600, 50, 575, 661),
         452,
         work,
         768,
         {QRect(225, 50, 575, 661), 452}},
        {"off above", QRect(100, -5, 575, 600), 452, work, 768, {QRect(100, 69, 575, 600), 452}},
        {"off below", QRect(100, 300, 575, 600), 452, work, 768, {QRect(100, 69, 575, 600), 452}},
        {"work area with an offset",
         QRect(0, 0, 575, 600),
         452,
         QRect(0, 30, 1024, 738),
         768,
         {QRect(0, 99, 575, 600), 452}},
        // With a frame the outer rectangle is fitted: the title bar stays on the screen.
        {"too tall, with a frame",
         QRect(100, -29, 583, 2033),
         452,
         work,
         768,
         {QRect(100, 0, 583, 738), 452},
         kTitleBar},
        {"work area below the minimum with the frame",
         QRect(100, 50, 583, 694),
         452,
         QRect(0, 0, 800, 400),
         420,
         {QRect(100, 0, 583, 400), 367},
         kTitleBar},
    };
    for (const FitCase& c : cases) {
        EXPECT_EQ(
            FitWindowToWorkArea(c.frame, c.margins, c.minimumHeight, c.workArea, c.screenHeight),
            c.expected)
            << c.what;
    }
    EXPECT_EQ(CentredOnWorkArea(QSize(575, 661), work), QPoint(225, 39));
}

// The window stores its outer position and its inner height when it closes; the next start
// applies them and fits the window again. The second start must give back the first one's
// window, with a frame or without one.
TEST(WindowFitTest, StoredPlaceGivesBackTheSameWindowAtTheNextStart) {
    struct Stored {
        int left, top, height;
        bool operator==(const Stored&) const = default;
    };
    const QRect work(0, 0, 1280, 994);
    for (const QMargins& margins : {QMargins(), kTitleBar}) {
        for (const Stored& first : {Stored{100, 50, 661}, Stored{100, 50, 2000},
                                    Stored{-300, 900, 661}, Stored{100, -29, 961}}) {
            Stored stored = first;
            for (int start = 1; start <= 3; ++start) {
                const QRect frame =
                    QRect(QPoint(stored.left, stored.top), QSize(575, stored.height))
                        .marginsAdded(QMargins(0, 0, margins.left() + margins.right(),
                                               margins.top() + margins.bottom()));
                const WindowFit fit = FitWindowToWorkArea(frame, margins, 452, work, 1024);
                EXPECT_TRUE(work.contains(fit.frame)) << first.height << " start " << start;
                const Stored next{fit.frame.left(), fit.frame.top(),
                                  fit.frame.height() - margins.top() - margins.bottom()};
                if (start > 1) {
                    EXPECT_TRUE(next == stored) << first.height << " start " << start;
                }
                stored = next;
            }
        }
    }
}

TEST(FormCloseTest, StoresTheRememberedValuesOfBothLists) {
    WindowFixture f;
    f.writeList("ICD10vex.txt", kRecords);
    f.writeList("Behandling-procedurer-vex.txt", {Record("BA", "Nervesystemet")});
    ASSERT_EQ(f.startAndShow(), StartupOutcome::Ready);
    f.search("kolera");
    QTest::mouseClick(f.ui().chkSearchOnComments, Qt::LeftButton);
    f.window().close();
    const UserStoreData& d = f.store.data();
    const auto text = [&](UserGroup g, const char* name) {
        const UserValue* v = d.find(g, QLatin1String(name));
        return v != nullptr ? v->text : QStringLiteral("<none>");
    };
    EXPECT_EQ(text(UserGroup::Values, "LastSearchInput1"), "kolera");
    EXPECT_EQ(text(UserGroup::Values, "SearchTime2"), "0.00");
    // The run's own time: on a fast machine a search of a few records rounds to "0.00", so
    // only its form (two or three decimals) is checked here.
    EXPECT_TRUE(QRegularExpression(QStringLiteral("^[0-9]+\\.[0-9]{2,3}$"))
                    .match(text(UserGroup::Values, "SearchTime1"))
                    .hasMatch())
        << text(UserGroup::Values, "SearchTime1").toStdString();
    EXPECT_EQ(text(UserGroup::Mode, "SearchOnComments"), "1");
    EXPECT_EQ(text(UserGroup::Mode, "FreeTextSearch"), "");
    EXPECT_EQ(text(UserGroup::Mode, "FormHeight"), QString::number(f.window().height()));
    const UserValue* top = d.find(UserGroup::Mode, "PanelTopHeight");
    ASSERT_NE(top, nullptr);
    EXPECT_EQ(top->type, UserValue::Type::Dword);
    EXPECT_EQ(int(top->dword), f.ui().pnlTop->height());
}

TEST(FormCloseTest, NothingIsStoredWhenTheEndWasRequested) {
    WindowFixture f;
    f.writeFile("ICD10vex.txt", QByteArray());
    f.writeList("Behandling-procedurer-vex.txt", kRecords);
    ASSERT_EQ(f.start(), StartupOutcome::EndRequested);
    f.window().close();
    EXPECT_FALSE(f.store.data().values.values.contains("LASTSEARCHINPUT1"));
}

}  // namespace
}  // namespace vex::test
