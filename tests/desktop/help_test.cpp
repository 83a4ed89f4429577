#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include "config/programstate.h"
#include "desktop/helphandler.h"
#include "desktop/helplauncher.h"
#include "desktop/qtdialogs.h"
#include "scripteddialogs.h"
#include "tempfiles.h"

namespace vex {
namespace {

// Records what a help request opens instead of opening it.
class RecordingLauncher : public HelpLauncher {
public:
    void openUrl(const QString& target) override { urls.append(target); }
    void openCompiledHelp(const QString& file, int helpContext) override {
        compiled.append({file, helpContext});
    }

    QStringList urls;
    QList<QPair<QString, int>> compiled;
};

TEST(WebHelpTargetTest, TargetRules) {
    struct Case {
        const char* location;
        const char* omitPrefix;
        const char* expected;
    };
    const Case cases[] = {
        {"http://intra.region.dk/diagnose/help", "0",
         "http://intra.region.dk/diagnose/help/index.html"},
        // A web address never gets the file prefix.
        {"http://intra.region.dk/diagnose/help", "1",
         "http://intra.region.dk/diagnose/help/index.html"},
        {"https://hjaelp.region.dk", "1", "https://hjaelp.region.dk/index.html"},
        {"C:\\Vex\\Hjælp", "1", "file:///C:/Vex/Hjælp/index.html"},
        {"C:\\Vex\\Hjælp", "0", "C:/Vex/Hjælp/index.html"},
        {"/srv/vex/help", "1", "file:////srv/vex/help/index.html"},
        {"/srv/vex/help/", "0", "/srv/vex/help//index.html"},
        {"http://intra.region.dk/help/", "0", "http://intra.region.dk/help//index.html"},
        // "http" elsewhere than at the start, or in capitals, is a local location.
        {"C:\\Docs\\httphelp", "1", "file:///C:/Docs/httphelp/index.html"},
        {"/data/http", "0", "/data/http/index.html"},
        {"HTTP://intra.region.dk", "1", "file:///HTTP://intra.region.dk/index.html"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(WebHelpTarget(QString::fromUtf8(c.location), QStringLiteral("index.html"),
                                QString::fromUtf8(c.omitPrefix)),
                  QString::fromUtf8(c.expected))
            << c.location << " prefix switch " << c.omitPrefix;
    }
}

class HelpHandlerTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        program.programFolder = dir.path();
        program.programFileName = QStringLiteral("vexdiagnose");
    }
    QString chmPath() const { return dir.filePath(QStringLiteral("vexdiagnose.chm")); }
    // The start page of the help installed in the program folder.
    QString installedStartPage() const { return dir.filePath(QStringLiteral("help/index.html")); }

    QTemporaryDir dir;
    ProgramState program;
    test::ScriptedDialogs dialogs;
    RecordingLauncher launcher;
    HelpHandler help{program, dialogs, launcher};
};

TEST_F(HelpHandlerTest, DefaultSettingsOpenTheInstalledHelp) {
    help.OpenProgramHelp();
    EXPECT_EQ(launcher.urls, QStringList{installedStartPage()});
    EXPECT_TRUE(launcher.compiled.isEmpty());
    EXPECT_TRUE(dialogs.shown.isEmpty());
}

TEST_F(HelpHandlerTest, LocalLocationWithBackSlashesIsKeptWithForwardSlashes) {
    program.settings.location = QStringLiteral("C:\\Vex\\help");
    program.settings.indexFile = QStringLiteral("start.htm");
    program.settings.omitHtmlFilePrefix = QStringLiteral("1");
    help.HandleHelpRequest(MessageBoxHelpContext);
    help.HandleHelpRequest(ProgramHelpContext);
    const QString target = QStringLiteral("file:///C:/Vex/help/start.htm");
    EXPECT_EQ(launcher.urls, (QStringList{target, target}));
    EXPECT_EQ(program.settings.location, QStringLiteral("C:/Vex/help"));
}

TEST_F(HelpHandlerTest, RelativeLocalLocationIsOpenedInTheProgramFolder) {
    // Such a location contains "http", so the start-up left it relative.
    program.settings.location = QStringLiteral("hjælp\\httpdocs");
    const QString folder = QDir(dir.path()).absolutePath();
    for (const char* omitPrefix : {"0", "1"}) {
        program.settings.omitHtmlFilePrefix = QLatin1String(omitPrefix);
        help.OpenProgramHelp();
    }
    EXPECT_EQ(launcher.urls, (QStringList{folder + "/hjælp/httpdocs/index.html",
                                          "file:///" + folder + "/hjælp/httpdocs/index.html"}));
    EXPECT_EQ(program.settings.location, QStringLiteral("hjælp/httpdocs"));
}

TEST_F(HelpHandlerTest, MissingCompiledHelpWarnsOnceThenUsesTheWebForTheRestOfTheRun) {
    program.settings.useLocalHTMLHelp = QStringLiteral("1");
    help.OpenProgramHelp();
    ASSERT_EQ(dialogs.shown.size(), 1);
    const Message& box = dialogs.shown.first();
    EXPECT_EQ(box.kind, MessageKind::Error);
    EXPECT_EQ(box.buttons, ButtonOk);
    EXPECT_EQ(box.lines,
              (QStringList{
                  QString(),
                  QStringLiteral("Programmet kan ikke finde den tilhørende lokale online hjælp:"),
                  QStringLiteral("vexdiagnose.chm"),
                  QStringLiteral("der burde ligge i samme mappe som programmet selv."),
                  QStringLiteral("Rediger om nødvendigt INI-filen:"),
                  QStringLiteral("vexdiagnose.ini"),
                  QStringLiteral("og sæt parametren: UseLocalHTMLHelp til = 0"),
              }));
    EXPECT_EQ(program.settings.useLocalHTMLHelp, QStringLiteral("0"));
    EXPECT_EQ(launcher.urls.size(), 1);

    // Even a compiled help file that turns up later is not used again in this run.
    test::writeFile(dir, QStringLiteral("vexdiagnose.chm"), "chm");
    help.HandleHelpRequest(MessageBoxHelpContext);
    EXPECT_EQ(dialogs.shown.size(), 1);
    EXPECT_EQ(launcher.urls, (QStringList(2, installedStartPage())));
    EXPECT_TRUE(launcher.compiled.isEmpty());
}

TEST_F(HelpHandlerTest, PresentCompiledHelpOpensAtTheRequestedContext) {
    program.settings.useLocalHTMLHelp = QStringLiteral("1");
    program.helpFile = dir.filePath(QStringLiteral("DazuridaDozo/vexdiagnose.chm"));
    test::writeFile(dir, QStringLiteral("vexdiagnose.chm"), "chm");
    help.OpenProgramHelp();
    help.HandleHelpRequest(MessageBoxHelpContext);
    ASSERT_EQ(launcher.compiled.size(), 2);
    EXPECT_EQ(QFileInfo(launcher.compiled[0].first), QFileInfo(chmPath()));
    EXPECT_EQ(launcher.compiled[0].second, ProgramHelpContext);
    EXPECT_EQ(launcher.compiled[1].second, MessageBoxHelpContext);
    EXPECT_EQ(QFileInfo(program.helpFile), QFileInfo(chmPath()));  // the file beside the program
    EXPECT_TRUE(launcher.urls.isEmpty());
    EXPECT_TRUE(dialogs.shown.isEmpty());
}

TEST_F(HelpHandlerTest, ACompiledHelpFolderOfThatNameIsNoHelpFile) {
    program.settings.useLocalHTMLHelp = QStringLiteral("1");
    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("vexdiagnose.chm")));
    help.OpenProgramHelp();
    EXPECT_EQ(dialogs.shown.size(), 1);
    EXPECT_TRUE(launcher.compiled.isEmpty());
    EXPECT_EQ(launcher.urls.size(), 1);
}

TEST_F(HelpHandlerTest, TargetNamedInTheInformationBoxIsWhatTheNextRequestOpens) {
    program.settings.location = QStringLiteral("https://intra.region.dk/vex");
    EXPECT_EQ(ProgramHelpTarget(program), QStringLiteral("https://intra.region.dk/vex/index.html"));
    program.settings.useLocalHTMLHelp = QStringLiteral("1");
    EXPECT_EQ(ProgramHelpTarget(program), QStringLiteral("https://intra.region.dk/vex/index.html"));
    test::writeFile(dir, QStringLiteral("vexdiagnose.chm"), "chm");
    EXPECT_EQ(QFileInfo(ProgramHelpTarget(program)), QFileInfo(chmPath()));
}

TEST_F(HelpHandlerTest, HelpButtonOfAMessageBoxReachesTheHandlerAndLeavesTheBoxOpen) {
    QWidget window;
    window.resize(300, 200);
    window.show();
    QtDialogs boxes(&window);
    boxes.setHelpHandler([this](int context) { help.HandleHelpRequest(context); });
    bool openAfterHelp = false;
    QTimer::singleShot(0, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        QTest::mouseClick(box->button(QMessageBox::Help), Qt::LeftButton);
        openAfterHelp = box->isVisible();
        QTest::mouseClick(box->button(QMessageBox::Ok), Qt::LeftButton);
    });
    EXPECT_EQ(boxes.show(MessageKind::Error, ButtonOk | ButtonHelp, {QStringLiteral("Fejl")}),
              ButtonOk);
    EXPECT_TRUE(openAfterHelp);
    EXPECT_EQ(launcher.urls, QStringList{installedStartPage()});
}

}  // namespace
}  // namespace vex
