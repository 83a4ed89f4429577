// The information box and the ways to the program's help.
#include "base/dialogs.h"
#include "desktop/helphandler.h"
#include "desktop/informationbox.h"
#include "ui/mainwindow.h"

namespace vex {

void MainWindow::btnInfoClick() {
    dialogs_.show(InformationMessage(InformationInputs{data_.programFolder, data_.currentDataFile,
                                                       data_.currentFileTime, data_.info},
                                     data_.locale));
}

void MainWindow::btnHelpClick() {
    OpenProgramHelp();
}

void MainWindow::btnHelpGlyphClick() {
    OpenProgramHelp();
}

void MainWindow::OpenProgramHelp() {
    if (helpRequest_) {
        helpRequest_(ProgramHelpContext);
    }
}

}  // namespace vex
