#pragma once

#include <QString>

namespace vex {

// The data-file names as the command line leaves them.
struct CommandLineNames {
    QString primary;
    QString secondary;

    bool operator==(const CommandLineNames&) const = default;
};

// Applies the command-line rules to the current primary and secondary names. param1 and
// param2 are the first two command-line parameters as passed (absent ones empty). Nothing
// changes when both are blank. Switches "/F:", "/F1:" (primary) and "/F2:" (secondary) and the
// extension ".txt" are compared without regard to case; a parameter without ".txt" gets it
// appended; plain names (not beginning with "/") name the primary file as parameter 1 and the
// secondary file as parameter 2; "/E" is left out; a parameter that meets no rule changes
// nothing. The names are used as given, without the INI file's data folder.
CommandLineNames ApplyCommandLine(const QString& param1, const QString& param2,
                                  const QString& primary, const QString& secondary);

// True when one of the first three parameters is the edit switch "/E" (in any case).
bool HasEditSwitch(const QString& param1, const QString& param2, const QString& param3);

// The data-file name the splash screen chooses its picture by: from a "/F:" or other "/"
// form of parameter 1, replaced by a "/F:" form of parameter 2; empty when there is none.
QString SplashDataFileName(const QString& param1, const QString& param2);

// True when the splash screen shows its alternative picture: the name is not empty and does
// not contain both "ICD" and "vex." (without regard to case).
bool SplashShowsAlternativePicture(const QString& splashDataFileName);

}  // namespace vex
