#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include <memory>

#include "config/regfileuserstore.h"
#include "windowfixture.h"

namespace vex::test {

// One run of the program inside a test: a window run whose per-user store is read from the
// user's store file.
struct ProgramRun : WindowRun {
    ~ProgramRun() override { end(); }
    std::unique_ptr<RegFileUserStore> store;
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
