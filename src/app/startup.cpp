#include "app/startup.h"

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QFileInfo>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QTableView>

#include "app/startupmessages.h"
#include "base/textutil.h"
#include "config/commandline.h"
#include "config/datafilenames.h"
#include "config/inisettings.h"
#include "config/uservalues.h"
#include "desktop/captions.h"
#include "desktop/programversion.h"
#include "ui/mainwindow.h"
#include "ui/resultgrid.h"
#include "ui/statustexts.h"
#include "ui/windowfit.h"

namespace vex {

namespace {

QString VersionText() {
    return QStringLiteral("v. ") + FileVersionText(2) + QLatin1Char(' ');
}

QString WithSeparator(const QString& folder) {
    const QString native = QDir::toNativeSeparators(folder);
    return native.endsWith(QDir::separator()) ? native : native + QDir::separator();
}

// The INI settings (written with defaults when the file is missing), the help settings, and
// the names of the two data files from the INI file and the command line.
void SettleSettingsAndNames(AppState& app, DataState& data) {
    const QString iniPath =
        QDir(app.programFolder)
            .filePath(ChangeFileExt(app.programFileName, QStringLiteral(".ini")));
    app.settings = LoadIniFile(iniPath, app.programFileName);
    DataFileNames names = DataFileNamesFromIni(app.settings);
    app.settings = CheckHelpSettings(app.settings, app.programFolder);
    const QString helpFile =
        QDir(app.programFolder)
            .filePath(QString::fromUtf16(HelpSubFolderName) + QLatin1Char('/') +
                      ChangeFileExt(app.programFileName, QStringLiteral(".chm")));
    if (QFileInfo::exists(helpFile)) {
        app.helpFile = helpFile;
    }
    const QString p1 = app.parameter(1);
    const QString p2 = app.parameter(2);
    if (!trimmed32(p1).isEmpty() || !trimmed32(p2).isEmpty()) {
        const CommandLineNames given = ApplyCommandLine(p1, p2, names.primary, names.secondary);
        names.primary = given.primary;
        names.secondary = given.secondary;
    }
    names = CompleteDataFileNames(names, [](const QString& f) { return QFileInfo::exists(f); });
    data.primaryDataFile = names.primary;
    data.secondaryDataFile = names.secondary;
}

// At least one of the data files must exist. The file times of those that do are taken,
// the names of those that do not are dropped.
bool CheckDataFilesExist(MainWindow& window) {
    DataState& data = window.data();
    const QFileInfo primary(data.primaryDataFile);
    const QFileInfo secondary(data.secondaryDataFile);
    const bool primaryExists = !data.primaryDataFile.isEmpty() && primary.isFile();
    const bool secondaryExists = !data.secondaryDataFile.isEmpty() && secondary.isFile();
    if (!primaryExists && !secondaryExists) {
        window.dialogs().show(MissingDataFilesMessage(data.primaryDataFile, data.secondaryDataFile,
                                                      WithSeparator(window.app().programFolder)));
        window.dialogs().requestSplashClose();
        return false;
    }
    if (primaryExists) {
        data.file1.fileTime = primary.lastModified();
    } else {
        data.primaryDataFile.clear();
    }
    if (secondaryExists) {
        data.file2.fileTime = secondary.lastModified();
    } else {
        data.secondaryDataFile.clear();
    }
    return true;
}

// The per-user values; the window is centred before a stored position applies.
void ApplyUserValues(MainWindow& window, const UserValues& user) {
    AppState& app = window.app();
    app.list1 = user.list1;
    app.list2 = user.list2;
    app.freeTextOption = user.freeTextSearch;
    app.commentsOption = user.searchOnComments;
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        window.move(CentredOnWorkArea(window.size(), screen->availableGeometry()));
    }
    QPoint position = window.pos();
    if (user.positionTop) {
        position.setY(*user.positionTop);
    }
    if (user.positionLeft) {
        position.setX(*user.positionLeft);
    }
    window.move(position);
    if (user.panelTopHeight) {
        window.setTopPanelHeight(*user.panelTopHeight);
    }
    if (user.formHeight) {
        window.resize(window.width(), qMax(*user.formHeight, window.minimumHeight()));
    }
}

// The list in view, the option boxes, the result table, hints and the remembered record of the
// file in use.
void PrepareFirstView(MainWindow& window) {
    AppState& app = window.app();
    DataState& data = window.data();
    WindowWidgets& ui = window.ui();
    const bool secondaryInUse = data.currentDataFile == data.secondaryDataFile;
    app.currentExtendedView = secondaryInUse ? app.list2.extendedView : app.list1.extendedView;
    window.SetUpViewOfFlag();
    window.SetStatusPanel(StatusPanel::Sync, QString());
    window.SetSourceFilePanel();

    ui.chkFreeTextSearch->setChecked(app.freeTextOption);
    ui.chkSearchOnComments->setChecked(app.commentsOption);

    window.OpenResultTable();

    SetHint(ui.txtSKSkode,
            QStringLiteral("SKS-kode\r\nKopiér SKS-kode med Ctrl-C eller med dobbeltklik"));
    SetHint(ui.txtDiagnoseTekst,
            QStringLiteral("SKS-tekst\r\nKopiér SKS-tekst med Ctrl-C eller med dobbeltklik"));
    SetHint(ui.DBGrid1, QStringLiteral("Søgeresultater:\r\nKopiér SKS-kode og tekst med Ctrl-C "
                                       "eller med dobbeltklik"));
    ui.DBGrid1->horizontalHeader()->setSectionsMovable(false);

    const ListMemory& memory = app.memory(data.isPrimaryInUse());
    app.searchInput = memory.lastSearchInput;
    app.currentIndex = memory.indexPointer;
    app.searchTimeText = memory.searchTimeText;
    if (app.currentIndex < 0 || app.currentIndex >= data.current.size()) {
        app.currentIndex = 0;
    }
    window.ShowCurrentRecord();
}

}  // namespace

StartupOutcome FormCreate(MainWindow& window, const StartupEnvironment& environment) {
    AppState& app = window.app();
    DataState& data = window.data();
    WindowWidgets& ui = window.ui();
    Dialogs& dialogs = window.dialogs();

    // The user cannot change the width; the busy pointer stays until the window is first
    // activated. From here on F1 and the Help buttons reach the help handler.
    window.setFixedWidth(window.width() + 2);
    QApplication::setOverrideCursor(Qt::WaitCursor);
    if (environment.installHelpHandler) {
        environment.installHelpHandler();
    }
    // Relative file names (INI values, data files) are relative to the program folder.
    QDir::setCurrent(app.programFolder);
    window.setWindowTitle(kWindowCaption);
    SetLabelCaption(ui.lblVersion, VersionText(), kVersionWhat);

    SettleSettingsAndNames(app, data);
    SetGridThemed(ui.DBGrid1, app.settings.dbGridWinTheme);
    if (!CheckDataFilesExist(window)) {
        return StartupOutcome::EndNow;
    }
    // The edit switch "/E" is acknowledged and otherwise ignored.
    if (HasEditSwitch(app.parameter(1), app.parameter(2), app.parameter(3))) {
        dialogs.show(EditSwitchMessage());
    }

    // The desktop's visual theme and the INI colour decide the window's colours.
    app.themesActive = environment.readThemesActive ? environment.readThemesActive() : true;
    if (const std::optional<RgbColor> colour =
            ParseCustomWindowColor(app.settings.formCustomColorRGB)) {
        app.customWindowColor = *colour;
    }
    window.ApplyWindowColour();
    window.FormPaint();  // the navigator's look follows the themes from the start

    if (window.userStore() != nullptr) {
        ApplyUserValues(window, LoadUserValues(*window.userStore()));
    } else {
        ApplyUserValues(window, UserValues{});
    }

    data.programFolder = WithSeparator(app.programFolder);
    if (RunStartupLoadSequence(data, dialogs) == LoadSequenceOutcome::EndNow) {
        return StartupOutcome::EndNow;
    }
    ui.btnAlternateDatalist->setEnabled(data.alternateEnabled);
    window.ApplyFieldNames();

    PrepareFirstView(window);
    return dialogs.endOfProgramRequested() ? StartupOutcome::EndRequested : StartupOutcome::Ready;
}

}  // namespace vex
