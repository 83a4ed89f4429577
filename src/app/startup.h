#pragma once

#include <functional>

namespace vex {

class Dialogs;
class MainWindow;
struct ProgramState;
class UserStore;

// What the start-up takes from its surroundings besides the program's state: seams for the
// parts that come from the desktop.
struct StartupEnvironment {
    // Whether the desktop's visual themes are on.
    std::function<bool()> readThemesActive;
    // Installs the application's help handler (F1 and the Help button of message boxes).
    std::function<void()> installHelpHandler;
};

enum class StartupOutcome {
    Ready,         // the window can be shown
    EndNow,        // no data file could be used: the process ends without a window
    EndRequested,  // a failed load asked for the end: the process ends without a window
};

// The start-up of the main window, in its fixed order: window frame, help hook, working
// folder, captions, INI file, help settings, data file names from the INI file and the command
// line, the existence check, the edit switch, the visual theme, the per-user values, loading
// of the data lists, the initial view, the option boxes, the result table, hints, and the
// remembered record. The program's folder and parameters come with its state; the settings
// and the per-user values of the lists go there. userStore may be nullptr (nothing
// remembered).
StartupOutcome FormCreate(MainWindow& window, ProgramState& program, Dialogs& dialogs,
                          UserStore* userStore, const StartupEnvironment& environment = {});

}  // namespace vex
