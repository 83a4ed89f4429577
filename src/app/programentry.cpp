#include "app/programentry.h"

#include <QApplication>
#include <QFileInfo>

#include "app/startup.h"
#include "app/testevents.h"
#include "config/programstate.h"
#include "config/userstorefactory.h"
#include "desktop/designfonts.h"
#include "desktop/endrequest.h"
#include "desktop/helphandler.h"
#include "desktop/helplauncher.h"
#include "desktop/hinttiming.h"
#include "desktop/qtdialogs.h"
#include "desktop/qttranslation.h"
#include "desktop/singleinstance.h"
#include "desktop/splashcontrol.h"
#include "ui/mainwindow.h"
#include "version.h"

namespace vex {

int RunProgram(QApplication& app) {
    InstallHintTiming(app);
    QGuiApplication::setDesktopFileName(QStringLiteral(VEX_DESKTOP_ID));

    ProgramState state;
    state.programFolder = QCoreApplication::applicationDirPath();
    state.programFileName = QFileInfo(QCoreApplication::applicationFilePath()).fileName();
    state.parameters = QCoreApplication::arguments().mid(1);

    // A second start hands over to the running instance and ends.
    SingleInstance instance;
    if (instance.start() == SingleInstance::AnotherInstanceRuns) {
        return 0;
    }
    // Qt's own texts in Danish, and the fonts the window and the splash are designed for,
    // where the system has them.
    InstallQtDanishTranslation(app);
    RegisterDesignFonts();
    SplashControl splash;
    splash.start(state.parameter(1), state.parameter(2));
    NoteTestEvent("splash");

    QtDialogs dialogs;
    dialogs.setSplashCloser([&splash] { splash.requestClose(); });
    dialogs.setSplashWindow(
        [&splash]() -> QWidget* { return splash.exists() ? splash.splash() : nullptr; });
    const std::unique_ptr<UserStore> userStore = CreatePlatformUserStore();
    MainWindow window(state, dialogs, userStore.get());
    dialogs.setParentWindow(&window);
    window.setFirstShowSplashRequest([&splash] { splash.requestClose(true); });

    DesktopHelpLauncher launcher;
    HelpHandler help(state, dialogs, launcher);
    StartupEnvironment environment;
    environment.readThemesActive = ReadThemesActive;
    environment.installHelpHandler = [&dialogs, &help, &window] {
        const auto request = [&help](int context) { help.HandleHelpRequest(context); };
        dialogs.setHelpHandler(request);
        window.setHelpRequest(request);  // F1 and the two help buttons
    };
    if (FormCreate(window, state, dialogs, userStore.get(), environment) != StartupOutcome::Ready) {
        // No usable data file, or a failed load asked for the end: no window is used.
        while (QApplication::overrideCursor() != nullptr) {
            QApplication::restoreOverrideCursor();
        }
        return 0;
    }
    window.show();
    if (!window.data().file1.extended.isEmpty()) {
        NoteTestEvent("primary");
    }
    if (!window.data().file2.extended.isEmpty()) {
        NoteTestEvent("secondary");
    }
    // The system's request to end (log-out, a script, Ctrl+C in the terminal) closes the window
    // as the user does, so the per-user values are stored, and ends the program, also from
    // inside a message box.
    EndRequestSignals endRequests([&window] {
        window.close();
        QCoreApplication::quit();
    });
    // Told only now, so that whoever waits for the window may end it at once.
    NoteTestEvent("window");
    // A start during the loading was answered already; its request raises the window now.
    instance.setActivationHandler([&window] {
        BringWindowToFront(&window);
        NoteTestEvent("activated");
    });
    return app.exec();
}

}  // namespace vex
