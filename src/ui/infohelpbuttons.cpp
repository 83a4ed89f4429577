// The information box and the ways to the program's help.
#include <QDir>

#include "base/dialogs.h"
#include "desktop/helphandler.h"
#include "desktop/informationbox.h"
#include "ui/mainwindow.h"

namespace vex {

namespace {

// The data file's full path: a relative name lies in the program's folder (the current folder
// since the start-up).
QString FullDataFilePath(const QString& programFolder, const QString& dataFile) {
    if (dataFile.isEmpty()) {
        return dataFile;
    }
    return QDir::toNativeSeparators(
        QDir::cleanPath(QDir(programFolder).absoluteFilePath(dataFile)));
}

}  // namespace

void MainWindow::btnInfoClick() {
    InformationInputs inputs;
    inputs.programFolder = data().programFolder;
    inputs.currentDataFile = FullDataFilePath(program_.programFolder, data().currentDataFile);
    inputs.currentFileTime = data().currentFileTime;
    inputs.info = data().info;
    inputs.helpTarget = ProgramHelpTarget(program_);
    inputs.supportEmail = program_.settings.supportEmail;
    dialogs_.show(InformationMessage(inputs, data().locale));
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
