#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include <memory>

#include "app/appstate.h"
#include "app/startup.h"
#include "config/regfileuserstore.h"
#include "ui/mainwindow.h"
#include "windowfixture.h"

namespace vex::test {

// One run of the program inside a test: fresh settings and state, dialogs that record what
// the user saw, the per-user store read from the user's store file, and the main window.
struct ProgramRun {
    AppState app;
    ActingDialogs dialogs;
    std::unique_ptr<RegFileUserStore> store;
    std::unique_ptr<MainWindow> window;
    StartupOutcome outcome = StartupOutcome::EndNow;

    ~ProgramRun();

    WindowWidgets& ui() { return window->ui(); }
    // Types the search string into the input dialog of the Search button.
    void search(const QString& typed);
    // The codes of the result grid, top to bottom.
    QStringList gridCodes() const;
    // Closes the window as the user does (the per-user values are stored).
    void close();
};

// A program folder and a user's configuration folder of their own, in which the program can be
// started again and again: each start reads the INI file and the per-user store file anew, as
// a new process would. While it lives, XDG_CONFIG_HOME points at its configuration folder.
class ProgramFolder {
public:
    ProgramFolder();
    ~ProgramFolder();
    ProgramFolder(const ProgramFolder&) = delete;
    ProgramFolder& operator=(const ProgramFolder&) = delete;

    QString folder() const { return program_.path(); }
    QString configFolder() const { return config_.path(); }
    QString iniPath() const { return program_.filePath(QStringLiteral("vexdiagnose.ini")); }

    // Writes a list of the header, an information record and the records (UTF-8 with
    // byte-order mark) into the program folder or a sub-folder of it; returns its full path.
    QString writeList(const QString& name, const QStringList& records);
    QString writeFile(const QString& name, const QByteArray& bytes);

    // The user's store file (where the program looks for it) and its bytes.
    QString storePath() const;
    QByteArray storeBytes() const;
    void writeStore(const QByteArray& bytes);

    // Starts the program in the program folder (or in `programFolder` when given) and shows
    // the window when the start-up leaves it usable.
    std::unique_ptr<ProgramRun> start(const QStringList& parameters = {}, bool show = true,
                                      const QString& programFolder = QString());

private:
    QTemporaryDir program_;
    QTemporaryDir config_;
    QByteArray oldConfigHome_;
    bool hadConfigHome_ = false;
};

// The contents of a file; empty when it cannot be read.
QByteArray FileBytes(const QString& path);

// The names in a folder (hidden ones too), sorted.
QStringList FolderEntries(const QString& path);

}  // namespace vex::test
