#pragma once

#include <QString>
#include <QStringList>

#include "config/inisettings.h"
#include "config/uservalues.h"

namespace vex {

// Texts of the program that never change.
inline const QString kApplicationTitle = QStringLiteral("Vex Diagnoseliste");
inline const QString kWindowCaption = QStringLiteral(" Vex Diagnoseliste-program");
inline const QString kProgramFileName = QStringLiteral("vexdiagnose");

// The settings and the state of the running program, created at program start and handed to
// the main window. The window owns the data lists and the result table; everything else that
// lives for the whole process is here.
struct AppState {
    // Where the program runs and how it was started.
    QString programFolder;                       // folder of the program, no trailing separator
    QString programFileName = kProgramFileName;  // names the INI and help files
    QStringList parameters;                      // command-line parameters 1, 2, 3 ... as given

    // Installation-wide settings (INI file, checked at start-up).
    IniSettings settings;
    QString helpFile;  // the local compiled help file, when it exists
    RgbColor customWindowColor = DefaultCustomWindowColor;
    bool themesActive = false;

    // Remembered values of list 1 (primary file) and list 2 (secondary file).
    ListMemory list1;
    ListMemory list2;

    // State of the list in use.
    ListView currentExtendedView = ListView::Short;  // the list meant to be in view
    int currentIndex = 0;        // index of the shown record in the list in view
    QString searchInput;         // the current search string
    int operatorCount = -1;      // logical operators found by the last normalisation
    double lastSearchTime = -1;  // seconds of the last search on this list, -1 for none
    QString searchTimeText;      // the restored search time of the list in use

    // The two search options.
    bool freeTextOption = false;
    bool commentsOption = false;

    ListMemory& memory(bool primaryInUse) { return primaryInUse ? list1 : list2; }
    QString parameter(int number) const {
        return number >= 1 && number <= parameters.size() ? parameters.at(number - 1) : QString();
    }
};

}  // namespace vex
