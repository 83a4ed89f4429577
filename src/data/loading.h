#pragma once

#include "base/dialogs.h"
#include "data/header.h"
#include "data/inforecord.h"

#include <QDateTime>
#include <QLocale>
#include <QString>
#include <QStringList>

namespace vex {

// What is kept of one loaded data file: its header line, its information record (empty when
// it has none), its record lines (entities already replaced) and its short list. fileTime is
// the file's last-write time, set by the caller before loading.
struct DataFileSlot {
    QString headerLine;
    QString infoLine;
    QStringList extended;
    QStringList shortList;
    QDateTime fileTime;
};

// Loads the primary data file into slot.extended (header and information record taken out).
// Shows its own message on failure and answers false; every failure except a refused header
// also requests the end of the program. The short list is left to the caller.
bool LoadPrimaryDataFile(const QString& fileName, DataFileSlot& slot, Dialogs& dialogs);

// Loads the secondary data file into slot.extended and builds slot.shortList. Shows its own
// warning on failure and answers false; the program goes on. Its header is checked by the
// start-up load sequence, not here.
bool LoadSecondaryDataFile(const QString& fileName, DataFileSlot& slot, Dialogs& dialogs);

// The data of the running program: the two files, which one is in use, and the lists of the
// file in use (copies that share their items with the file's own lists).
struct DataState {
    QString programFolder;  // folder of the program, with its trailing separator
    QString primaryDataFile, secondaryDataFile, currentDataFile;
    DataFileSlot file1, file2;
    QString currentHeaderLine, currentInfoLine;
    QDateTime currentFileTime;
    FieldNames fieldNames;
    InfoValues info;
    QStringList extended, shortList, current;
    bool alternateEnabled = false;       // both files in use: the switch between them is possible
    QLocale locale = QLocale::system();  // gives the short date of the information values

    bool isPrimaryInUse() const { return currentDataFile == primaryDataFile; }
};

enum class LoadSequenceOutcome {
    Continue,  // a file is in use (the end of the program may still have been requested)
    EndNow,    // neither file is usable: its message has been shown, the program ends at once
};

// The start-up load sequence: loads the primary and then the secondary file, makes the first
// one that loaded the file in use, enables the switch when both are in use and refreshes the
// field names of the file in use. Names of files that are not in use end up empty. The file
// times in file1/file2 are set by the caller before.
LoadSequenceOutcome RunStartupLoadSequence(DataState& state, Dialogs& dialogs);

// The two data files: list 1 is the primary file, list 2 the secondary one.
enum class DataFileRole { Primary, Secondary };

// Makes the primary or the secondary file the file in use: its name, header line, field names,
// information record and values, file time, and copies of its extended and short lists (the
// short list built first when it is still empty). The list in view (state.current) is left to
// the caller.
void MakeFileCurrent(DataState& state, DataFileRole file);

}  // namespace vex
