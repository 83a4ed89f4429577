#pragma once

#include "config/inisettings.h"

#include <QString>

#include <functional>

namespace vex {

// The names of the two data files while the start-up works them out.
struct DataFileNames {
    QString primary;           // PrimaryDataFile
    QString secondary;         // SecondaryDataFile
    QString defaultPrimary;    // the default primary name, with the data folder in front
    QString defaultSecondary;  // the default secondary name, with the data folder in front

    bool operator==(const DataFileNames&) const = default;
};

// The names the INI settings give: DataFolder, Datafile01 and Datafile02 trimmed; a data folder
// (with a separator added when it ends in none) goes in front of the default names and of a
// Datafile01/Datafile02 that is a bare file name (no "\", "/" or ":").
DataFileNames DataFileNamesFromIni(const IniSettings& settings);

// The last touch before the existence check: an empty primary name becomes the default one; an
// empty secondary name becomes the default one when that file exists; a secondary name equal
// to the primary one (same text) is emptied.
DataFileNames CompleteDataFileNames(DataFileNames names,
                                    const std::function<bool(const QString&)>& fileExists);

// The start-up's check of the help settings: UseLocalHTMLHelp that is not "0" or "1" once
// trimmed becomes "0"; OmitHtmlFilePrefix that is not exactly "0" or "1" becomes "0"; a
// Location without "http" becomes the absolute path it names, relative to the program folder.
IniSettings CheckHelpSettings(IniSettings settings, const QString& programFolder);

}  // namespace vex
