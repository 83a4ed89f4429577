#pragma once

class QApplication;

namespace vex {

// The program entry: creates the main window, runs its start-up and, when that leaves a
// usable window, shows it and runs the message loop until it closes. Returns the exit code.
int RunProgram(QApplication& app);

}  // namespace vex
