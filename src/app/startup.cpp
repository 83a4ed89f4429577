#include "app/startup.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QScreen>

#include "app/startupmessages.h"
#include "base/textutil.h"
#include "config/commandline.h"
#include "config/datafilenames.h"
#include "config/inisettings.h"
#include "config/uservalues.h"
#include "ui/mainwindow.h"
#include "ui/windowfit.h"

namespace vex {

namespace {

QString WithSeparator(const QString& folder) {
    const QString native = QDir::toNativeSeparators(folder);
    return native.endsWith(QDir::separator()) ? native : native + QDir::separator();
}

// The INI settings (written with defaults when the file is missing), the help settings, and
// the names of the two data files from the INI file and the command line.
void SettleSettingsAndNames(ProgramState& program, DataState& data) {
    const QString iniPath =
        QDir(program.programFolder)
            .filePath(ChangeFileExt(program.programFileName, QStringLiteral(".ini")));
    program.settings = LoadIniFile(iniPath, program.programFileName);
    DataFileNames names = DataFileNamesFromIni(program.settings);
    program.settings = CheckHelpSettings(program.settings, program.programFolder);
    const QString helpFile =
        QDir(program.programFolder)
            .filePath(QString::fromUtf16(HelpSubFolderName) + QLatin1Char('/') +
                      ChangeFileExt(program.programFileName, QStringLiteral(".chm")));
    if (QFileInfo::exists(helpFile)) {
        program.helpFile = helpFile;
    }
    const QString p1 = program.parameter(1);
    const QString p2 = program.parameter(2);
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
bool CheckDataFilesExist(DataState& data, const QString& programFolder, Dialogs& dialogs) {
    const QFileInfo primary(data.primaryDataFile);
    const QFileInfo secondary(data.secondaryDataFile);
    const bool primaryExists = !data.primaryDataFile.isEmpty() && primary.isFile();
    const bool secondaryExists = !data.secondaryDataFile.isEmpty() && secondary.isFile();
    if (!primaryExists && !secondaryExists) {
        dialogs.show(MissingDataFilesMessage(data.primaryDataFile, data.secondaryDataFile,
                                             WithSeparator(programFolder)));
        dialogs.requestSplashClose();
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
    window.SetSearchOptions(user.options);
    window.RememberListValues(user.list1, user.list2);
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

}  // namespace

StartupOutcome FormCreate(MainWindow& window, ProgramState& program, Dialogs& dialogs,
                          UserStore* userStore, const StartupEnvironment& environment) {
    // The user cannot change the width; the busy pointer stays until the window is first
    // activated. From here on F1 and the Help buttons reach the help handler.
    window.setFixedWidth(window.width() + 2);
    QApplication::setOverrideCursor(Qt::WaitCursor);
    if (environment.installHelpHandler) {
        environment.installHelpHandler();
    }
    // Relative file names (INI values, data files) are relative to the program folder.
    QDir::setCurrent(program.programFolder);
    window.SetCaptions();

    DataState data;
    SettleSettingsAndNames(program, data);
    window.ApplyGridTheme();
    if (!CheckDataFilesExist(data, program.programFolder, dialogs)) {
        return StartupOutcome::EndNow;
    }
    // The edit switch "/E" is acknowledged and otherwise ignored.
    if (HasEditSwitch(program.parameter(1), program.parameter(2), program.parameter(3))) {
        dialogs.show(EditSwitchMessage());
    }

    // The desktop's visual theme and the INI colour decide the window's colours.
    program.themesActive = environment.readThemesActive ? environment.readThemesActive() : true;
    if (const std::optional<RgbColor> colour =
            ParseCustomWindowColor(program.settings.formCustomColorRGB)) {
        program.customWindowColor = *colour;
    }
    window.ApplyWindowColour();
    window.FormPaint();  // the navigator's look follows the themes from the start

    ApplyUserValues(window, userStore != nullptr ? LoadUserValues(*userStore) : UserValues{});

    data.programFolder = WithSeparator(program.programFolder);
    if (RunStartupLoadSequence(data, dialogs) == LoadSequenceOutcome::EndNow) {
        return StartupOutcome::EndNow;
    }
    window.UseDataLists(std::move(data));
    window.SetUpFirstView();
    return dialogs.endOfProgramRequested() ? StartupOutcome::EndRequested : StartupOutcome::Ready;
}

}  // namespace vex
