#pragma once

#include <QString>

namespace vex {

// Names of the two lists, as the status bar, the hints and the messages show them.
inline const QString kShortListName = QStringLiteral("KorteListe");
inline const QString kExtendedListName = QStringLiteral("Udvidede Liste");

// The four panels of the status bar: the record shown and the number of records, "Sync" while
// the record is the grid's, the data file in use, the list in view.
enum class StatusPanel { Record, Sync, SourceFile, ListSelection };
// The panels as they stand on the bar, left to right.
inline constexpr StatusPanel kStatusPanels[] = {
    StatusPanel::Record, StatusPanel::Sync, StatusPanel::SourceFile, StatusPanel::ListSelection};

// The record panel: " Post: " + (index + 1) + " af " + count.
QString RecordPanelText(int index, int count);
// The source-file panel: " " + the file name without its folder, then "   (" + release date +
// ")" when there is a release date.
QString SourceFilePanelText(const QString& dataFile, const QString& releaseDate);
// The list panel: the list in view.
QString ListPanelText(bool extended);
// The grid's position label: empty without rows, else "row/rows" (1-based row).
QString SearchCountText(int row, int rows);
// The sync panel's text while the shown record is the grid's.
inline const QString kSyncPanelText = QStringLiteral("Sync");

// What a screen reader hears before the text of a status panel (empty: the text says it
// itself), of the count label, of the time label while it shows a time, and of the version.
QString StatusPanelWhat(StatusPanel panel);
inline const QString kSearchCountWhat = QStringLiteral("Antal fund");
inline const QString kSearchTimeWhat = QStringLiteral("Søgetid");
inline const QString kVersionWhat = QStringLiteral("Programversion");

}  // namespace vex
