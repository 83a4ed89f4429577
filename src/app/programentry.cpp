#include "app/programentry.h"

#include <QApplication>
#include <QFileInfo>

#include "app/appstate.h"
#include "app/startup.h"
#include "config/userstorefactory.h"
#include "ui/hinttiming.h"
#include "ui/mainwindow.h"
#include "ui/qtdialogs.h"

namespace vex {

int RunProgram(QApplication& app) {
    InstallHintTiming(app);

    AppState state;
    state.programFolder = QCoreApplication::applicationDirPath();
    state.programFileName = QFileInfo(QCoreApplication::applicationFilePath()).fileName();
    state.parameters = QCoreApplication::arguments().mid(1);

    QtDialogs dialogs;
    const std::unique_ptr<UserStore> userStore = CreatePlatformUserStore();
    MainWindow window(state, dialogs, userStore.get());
    dialogs.setParentWindow(&window);

    StartupEnvironment environment;
    environment.readThemesActive = ReadThemesActive;
    if (FormCreate(window, environment) != StartupOutcome::Ready) {
        // No usable data file, or a failed load asked for the end: no window is used.
        while (QApplication::overrideCursor() != nullptr) {
            QApplication::restoreOverrideCursor();
        }
        return 0;
    }
    window.show();
    return app.exec();
}

}  // namespace vex
