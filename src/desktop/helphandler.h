#pragma once

#include <QString>

#include "base/dialogs.h"

namespace vex {

struct ProgramState;
class HelpLauncher;

// Help contexts: F1 and the two help buttons ask for the program's help; the Help button of a
// message box passes none of its own.
inline constexpr int ProgramHelpContext = 1;
inline constexpr int MessageBoxHelpContext = 0;

// The page the web help opens: the location with every "\" made "/", then "/" and the entry
// page. "file:///" goes in front of a location that does not begin with "http" unless the
// prefix switch is "0". A location ending in "/" keeps it, so the target has "//" there.
QString WebHelpTarget(const QString& location, const QString& indexFile,
                      const QString& omitHtmlFilePrefix);

// What the next help request opens, as the information box names it: the compiled help file
// beside the program while the local-help switch is on and that file exists; otherwise the
// web help's entry page, a relative local location taken in the program folder.
QString ProgramHelpTarget(const ProgramState& program);

// The error box for a compiled help file that is not beside the program.
Message MissingLocalHelpMessage(const QString& helpFileName, const QString& iniFileName);

// The one path of every help request: F1, the two help buttons and the Help button of
// message boxes. With the local-help switch on it opens the compiled help file beside the
// program at the requested context; when that file is missing it says so once and switches
// to the web pages for the rest of the run (never written to the INI file). Otherwise it
// opens the web help's entry page; a relative local location is taken in the program folder.
class HelpHandler {
public:
    // The help settings, the help file and the program's folder and name come from the
    // program's state and stay there; the handler updates them as requests go by.
    HelpHandler(ProgramState& program, Dialogs& dialogs, HelpLauncher& launcher)
        : program_(program), dialogs_(dialogs), launcher_(launcher) {}

    void HandleHelpRequest(int helpContext);
    // btnHelp, btnHelpGlyph and F1.
    void OpenProgramHelp() { HandleHelpRequest(ProgramHelpContext); }

    // The compiled help file beside the program.
    QString localHelpPath() const;

private:
    ProgramState& program_;
    Dialogs& dialogs_;
    HelpLauncher& launcher_;
};

}  // namespace vex
