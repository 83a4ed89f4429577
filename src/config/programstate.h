#pragma once

#include <QString>
#include <QStringList>

#include "config/inisettings.h"

namespace vex {

// Texts of the program that never change.
inline const QString kApplicationTitle = QStringLiteral("Vex Diagnoseliste");
inline const QString kProgramFileName = QStringLiteral("vexdiagnose");

// The settings of the running program. Created at program start and handed to the start-up,
// the main window and the help handler; it lives as long as the process. What the window shows
// (the options, and what each list remembers: its search string, record, view and search time)
// is the window's.
struct ProgramState {
    // Where the program runs and how it was started.
    QString programFolder;                       // folder of the program, no trailing separator
    QString programFileName = kProgramFileName;  // names the INI and help files
    QStringList parameters;                      // command-line parameters 1, 2, 3 ... as given

    // Installation-wide settings (INI file, checked at start-up).
    IniSettings settings;
    QString helpFile;  // the local compiled help file, when it exists
    RgbColor customWindowColor = DefaultCustomWindowColor;
    bool themesActive = false;

    QString parameter(int number) const {
        return number >= 1 && number <= parameters.size() ? parameters.at(number - 1) : QString();
    }
};

}  // namespace vex
