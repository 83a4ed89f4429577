#pragma once

namespace vex {

// Observation points for tests that run the program as a child process, where neither the
// window nor the splash screen can be seen from outside.
//
// When the environment variable VEX_TEST_EVENT_FILE names a file, the program appends one line
// "<event> <process id>" to it for each of these events:
//   splash     the splash screen was started
//   primary    the primary list is loaded (noted when the window is shown)
//   secondary  the secondary list is loaded (noted when the window is shown)
//   window     the main window was shown
//   activated  a later start asked the running window to come to the front
// Without the variable (every ordinary run) nothing is written.
void NoteTestEvent(const char* event);

}  // namespace vex
