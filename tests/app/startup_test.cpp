#include <gtest/gtest.h>

#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>

#include "app/startupmessages.h"
#include "desktop/captions.h"
#include "search/resulttable.h"
#include "windowfixture.h"

namespace vex::test {
namespace {

QString FolderText(const WindowFixture& f) {
    return QDir::toNativeSeparators(f.folder()) + QDir::separator();
}

const QStringList kRecords{Record("DA00", "Kolera", true), Record("DA000", "Kolera af vibrio"),
                           Record("DB01", "Skoldkopper", true),
                           Record("DB010", "Skoldkopper med meningitis")};

TEST(StartupTest, MissingPrimaryWithoutSecondaryEndsWithTheNamedFile) {
    WindowFixture f;
    EXPECT_EQ(f.start(), StartupOutcome::EndNow);
    ASSERT_EQ(f.dialogs.shown.size(), 1);
    const Message& m = f.dialogs.shown.first();
    EXPECT_EQ(m.kind, MessageKind::Error);
    EXPECT_EQ(m.buttons, ButtonOk | ButtonHelp);
    EXPECT_EQ(m.lines, (QStringList{"Vex Diagnoseliste program", "",
                                    "Programmet kan ikke finde datafilen [ ICD10vex.txt ]", "",
                                    "Datafilen/filerne forudsættes at ligge i samme mappe som "
                                    "programmet selv:",
                                    FolderText(f), "", "Afbryder program-åbning."}));
    EXPECT_EQ(f.dialogs.splashCloseRequests, 1);
    EXPECT_TRUE(QFile::exists(f.folder() + "/vexdiagnose.ini"));  // written before the check
}

TEST(StartupTest, BothNamedFilesMissingNamesBothInBracketForm) {
    WindowFixture f;
    EXPECT_EQ(f.start({"/F1:a.txt", "/F2:b.txt"}), StartupOutcome::EndNow);
    ASSERT_EQ(f.dialogs.shown.size(), 1);
    EXPECT_EQ(f.dialogs.shown.first().lines.mid(2, 2),
              (QStringList{"Programmet kan ikke finde datafilerne", "  [ a.txt ] eller [b.txt ]"}));
}

TEST(StartupTest, MissingPrimaryWithExistingSecondaryStartsSilentlyOnTheSecondary) {
    WindowFixture f;
    f.writeList("andre.txt", kRecords);
    f.store.openGroup(UserGroup::Values);
    f.store.writeText(UserGroup::Values, "IndexPointer2", "2");
    f.store.writeText(UserGroup::Values, "LastSearchInput2", "skold");
    EXPECT_EQ(f.start({"mangler.txt", "andre.txt"}), StartupOutcome::Ready);
    EXPECT_TRUE(f.dialogs.shown.isEmpty());
    const DataState& data = f.window().data();
    EXPECT_EQ(data.currentDataFile, "andre.txt");
    EXPECT_TRUE(data.primaryDataFile.isEmpty());
    EXPECT_FALSE(f.ui().btnAlternateDatalist->isEnabled());
    EXPECT_EQ(f.currentIndex(), 2);  // the list 2 values apply
    EXPECT_EQ(f.searchInput(), "skold");
    EXPECT_EQ(f.window().statusPanelText(StatusPanel::Record), " Post: 3 af 4");
}

struct LoadFailure {
    const char* name;
    QByteArray primaryBytes;  // empty: a good primary list
    QByteArray secondaryBytes;
    StartupOutcome outcome;
    QString firstShownLine;  // a line of the first message shown
    int shown;
    int suppressed;
    bool alternate;
};

// ctest and gtest name a case by its name, not by its bytes.
void PrintTo(const LoadFailure& c, std::ostream* os) {
    *os << c.name;
}

class StartupLoadTest : public ::testing::TestWithParam<LoadFailure> {};

QByteArray GoodList() {
    return (HeaderLine() + "\r\n" + kRecords.join("\r\n") + "\r\n").toUtf8();
}

TEST_P(StartupLoadTest, MessagesAndOutcome) {
    const LoadFailure& c = GetParam();
    WindowFixture f;
    f.writeFile("p.txt", c.primaryBytes.isNull() ? GoodList() : c.primaryBytes);
    f.writeFile("s.txt", c.secondaryBytes.isNull() ? GoodList() : c.secondaryBytes);
    EXPECT_EQ(f.start({"p.txt", "s.txt"}), c.outcome) << c.name;
    ASSERT_EQ(f.dialogs.shown.size(), c.shown) << c.name;
    EXPECT_EQ(f.dialogs.suppressed.size(), c.suppressed) << c.name;
    if (c.shown > 0) {
        EXPECT_TRUE(f.dialogs.shown.first().lines.contains(c.firstShownLine))
            << c.name << ": " << f.dialogs.shown.first().text().toStdString();
    }
    if (c.outcome == StartupOutcome::Ready) {
        EXPECT_EQ(f.ui().btnAlternateDatalist->isEnabled(), c.alternate) << c.name;
    }
}

const QByteArray kHeaderOnly = (HeaderLine() + "\r\n0000\t\t01-01-2020\r\n").toUtf8();
const QByteArray kNoTab = "just one column\r\nDA00 Kolera\r\n";
const QByteArray kBadHeader =
    "SKS-"
    "kode\tStjernen\tDiagnosetekst\tKorteListe\tSynonymer\tInklusiv\tStikord\tKommentarer\tRedigere"
    "t"
    "\r\nDA00\t\tKolera\r\n";

INSTANTIATE_TEST_SUITE_P(
    Files, StartupLoadTest,
    ::testing::Values(
        // A failed primary load asks for the end: later boxes close unseen.
        LoadFailure{"empty primary", QByteArray(""), QByteArray(), StartupOutcome::EndRequested,
                    "Tom datafil!", 1, 0, false},
        LoadFailure{"empty primary, bad secondary", QByteArray(""), kNoTab, StartupOutcome::EndNow,
                    "Tom datafil!", 1, 2, false},
        LoadFailure{"primary without records", kHeaderOnly, QByteArray(),
                    StartupOutcome::EndRequested,
                    "Datafil med godkendt struktur men uden dataposter!", 1, 0, false},
        LoadFailure{"primary without tab", kNoTab, QByteArray(), StartupOutcome::EndRequested,
                    "anvender ikke den forudsatte feltseparator [ Tab ]!", 1, 0, false},
        // A refused primary header drops the file; the secondary carries on alone.
        LoadFailure{"primary with bad header", kBadHeader, QByteArray(), StartupOutcome::Ready,
                    "og skal indeholde evt. stjernemarkering for SKS-koden.", 1, 0, false},
        LoadFailure{"empty secondary", QByteArray(), QByteArray(""), StartupOutcome::Ready,
                    "Startparametrens sekundære datafil [s.txt] er tom!", 1, 0, false},
        LoadFailure{"secondary with bad header", QByteArray(), kBadHeader, StartupOutcome::Ready,
                    "for datafil [s.txt].", 1, 0, false},
        LoadFailure{"both good", QByteArray(), QByteArray(), StartupOutcome::Ready, QString(), 0, 0,
                    true},
        // Neither file usable: the load sequence's own message, and the end at once.
        LoadFailure{"both headers bad", kBadHeader, kBadHeader, StartupOutcome::EndNow,
                    "og skal indeholde evt. stjernemarkering for SKS-koden.", 3, 0, false}),
    [](const ::testing::TestParamInfo<LoadFailure>& p) {
        QString name = QString::fromUtf8(p.param.name);
        name.replace(QRegularExpression(QStringLiteral("[^A-Za-z0-9]")), QStringLiteral("_"));
        return name.toStdString();
    });

TEST(StartupTest, SecondaryNamedLikeThePrimaryIsOneList) {
    WindowFixture f;
    f.writeList("a.txt", kRecords);
    EXPECT_EQ(f.start({"a.txt", "a.txt"}), StartupOutcome::Ready);
    EXPECT_TRUE(f.dialogs.shown.isEmpty());
    EXPECT_TRUE(f.window().data().secondaryDataFile.isEmpty());
    EXPECT_FALSE(f.ui().btnAlternateDatalist->isEnabled());
}

TEST(StartupTest, DefaultSecondaryIsUsedOnlyWhenItExists) {
    WindowFixture f;
    f.writeList("ICD10vex.txt", kRecords);
    ASSERT_EQ(f.start(), StartupOutcome::Ready);
    EXPECT_TRUE(f.window().data().secondaryDataFile.isEmpty());

    WindowFixture g;
    g.writeList("ICD10vex.txt", kRecords);
    g.writeList("Behandling-procedurer-vex.txt", kRecords);
    ASSERT_EQ(g.start(), StartupOutcome::Ready);
    EXPECT_EQ(g.window().data().secondaryDataFile, "Behandling-procedurer-vex.txt");
    EXPECT_TRUE(g.ui().btnAlternateDatalist->isEnabled());
}

TEST(StartupTest, NoUsableFileShowsTheLoadFailureLast) {
    WindowFixture f;
    f.writeFile("p.txt", kBadHeader);
    EXPECT_EQ(f.start({"p.txt"}), StartupOutcome::EndNow);
    ASSERT_EQ(f.dialogs.shown.size(), 2);
    EXPECT_EQ(
        f.dialogs.shown.last().lines,
        (QStringList{"Vex Diagnoseliste program", "",
                     "Programmet har ikke kunne hente eller anvende de associerede datafiler.", "",
                     "Datafiler forudsættes at ligge i samme mappe som programmet selv:",
                     FolderText(f), "", "Afbryder program-åbning."}));
}

TEST(StartupTest, EditSwitchIsAcknowledgedOnceWhereverItStands) {
    for (const QStringList& parameters :
         {QStringList{"/e"}, QStringList{"p.txt", "/E"}, QStringList{"p.txt", "", "/E"}}) {
        WindowFixture f;
        f.writeList("p.txt", kRecords);
        f.writeList("ICD10vex.txt", kRecords);
        EXPECT_EQ(f.start(parameters), StartupOutcome::Ready);
        ASSERT_EQ(f.dialogs.shown.size(), 1) << parameters.join(' ').toStdString();
        EXPECT_EQ(f.dialogs.shown.first(), EditSwitchMessage());
        EXPECT_EQ(f.dialogs.shown.first().lines,
                  (QStringList{"Denne programversion tilbyder ikke redigeringsmulighed",
                               "og ignorerer derfor start-parametren '/E'."}));
        EXPECT_EQ(f.dialogs.shown.first().kind, MessageKind::Information);
    }
}

TEST(StartupTest, WindowAfterStartUpShowsTheRememberedRecordAndTheFileInUse) {
    WindowFixture f;
    f.writeList("ICD10vex.txt", kRecords, "01-10-2018 - Udgiver");
    f.store.openGroup(UserGroup::Values);
    f.store.writeText(UserGroup::Values, "IndexPointer1", "3");
    f.store.writeText(UserGroup::Values, "LastSearchInput1", "kolera");
    f.store.openGroup(UserGroup::Mode);
    f.store.writeText(UserGroup::Mode, "FreeTextSearch", "1");
    ASSERT_EQ(f.start(), StartupOutcome::Ready);
    MainWindow& w = f.window();
    EXPECT_EQ(w.windowTitle(), " Vex Diagnoseliste-program");
    EXPECT_EQ(LabelCaption(f.ui().lblVersion), "v. 5.16 ");
    EXPECT_EQ(f.ui().txtSKSkode->text(), "DB010");
    EXPECT_EQ(w.statusPanelText(StatusPanel::Record), " Post: 4 af 4");
    EXPECT_EQ(w.statusPanelText(StatusPanel::Sync), "");
    EXPECT_TRUE(w.statusPanelText(StatusPanel::SourceFile).startsWith(" ICD10vex.txt   ("));
    EXPECT_EQ(w.statusPanelText(StatusPanel::ListSelection),
              " Udvidede Liste");  // a missing view value means extended
    EXPECT_EQ(LabelCaption(f.ui().lblField00), "SKS-kode");
    EXPECT_EQ(LabelCaption(f.ui().lblField07), "Kommentarer");
    EXPECT_EQ(f.window().results().headerData(0, Qt::Horizontal).toString(), "SKS-kode");
    EXPECT_TRUE(f.ui().chkFreeTextSearch->isChecked());
    EXPECT_TRUE(f.window().state().options.freeText);
    EXPECT_EQ(f.searchInput(), "kolera");
    EXPECT_EQ(f.ui().txtSKSkode->toolTip(),
              "SKS-kode\r\nKopiér SKS-kode med Ctrl-C eller med dobbeltklik");
    EXPECT_EQ(w.minimumWidth(), w.maximumWidth());
}

TEST(StartupTest, RememberedIndexBeyondTheListFallsBackToTheFirstRecord) {
    WindowFixture f;
    f.writeList("ICD10vex.txt", kRecords);
    f.store.openGroup(UserGroup::Values);
    f.store.writeText(UserGroup::Values, "IndexPointer1", "99");
    ASSERT_EQ(f.start(), StartupOutcome::Ready);
    EXPECT_EQ(f.currentIndex(), 0);
    EXPECT_EQ(f.list1().indexPointer, 0);
    EXPECT_EQ(f.ui().txtSKSkode->text(), "DA00");
}

TEST(StartupTest, RememberedShortViewOfAFileWithoutShortListShowsTheExtendedList) {
    WindowFixture f;
    f.writeList("ICD10vex.txt", {Record("DA00", "Kolera"), Record("DA01", "Tyfus")});
    f.store.openGroup(UserGroup::Values);
    f.store.writeText(UserGroup::Values, "ExtendedList1View", "0");
    ASSERT_EQ(f.start(), StartupOutcome::Ready);
    EXPECT_EQ(f.window().statusPanelText(StatusPanel::ListSelection), " Udvidede Liste");
    EXPECT_EQ(f.window().listViews().view(), ListView::Short);  // the flag itself stays
    EXPECT_FALSE(f.ui().chkKorteListe->isHidden());
}

TEST(StartupTest, RememberedShortViewShowsTheShortList) {
    WindowFixture f;
    f.writeList("ICD10vex.txt", kRecords);
    f.store.openGroup(UserGroup::Values);
    f.store.writeText(UserGroup::Values, "ExtendedList1View", "0");
    ASSERT_EQ(f.start(), StartupOutcome::Ready);
    EXPECT_EQ(f.window().statusPanelText(StatusPanel::ListSelection), " KorteListe");
    EXPECT_EQ(f.window().statusPanelText(StatusPanel::Record), " Post: 1 af 2");
    EXPECT_EQ(f.ui().btnListSelect->text(), "Kort/&Udvidet");
    EXPECT_TRUE(f.ui().chkKorteListe->isHidden());
    EXPECT_FALSE(f.ui().imgShortList->isHidden());
    EXPECT_TRUE(f.ui().imgExtendedList->isHidden());
}

}  // namespace
}  // namespace vex::test
