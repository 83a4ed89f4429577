#pragma once

#include <QDate>
#include <QString>

namespace vex {

// What vexdiagnose-import ends with; the numbers are its exit status.
enum class ImportStatus {
    Written = 0,    // both lists are written
    BadInput = 1,   // the file cannot be read, holds bad lines or no codes for a list
    Usage = 2,      // wrong usage (set by the program's command line)
    BadOutput = 3,  // a list exists and --force is not given, or the folder cannot be written
};

struct ImportOptions {
    QString input;   // the publisher's complete file
    QString outDir;  // where the two lists go
    QDate validOn;   // the day the codes must be valid on
    bool force = false;
};

struct ImportOutcome {
    ImportStatus status = ImportStatus::Written;
    QString report;    // the summary, for standard output
    QString messages;  // what went wrong, for standard error
};

// Reads the file, picks the codes valid on the day and writes the two lists. On any error no
// list is written and those already in the folder stay as they were.
ImportOutcome runImport(const ImportOptions& options);

}  // namespace vex
