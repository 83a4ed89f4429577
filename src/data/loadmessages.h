#pragma once

#include "base/dialogs.h"

#include <QString>

namespace vex {

// The messages of loading the data files. Messages shown during the start-up begin with the
// title line and an empty line; all have the buttons OK and Help.
namespace loadmsg {

// "Vex Diagnoseliste program": the title line of the start-up messages.
QString titleLine();

Message primaryCannotOpen(const QString& fileName);
Message primaryEmpty();
Message primaryNoTab(const QString& fileName);
Message primaryNoRecords();

Message secondaryCannotOpen(const QString& fileName);
Message secondaryEmpty(const QString& fileName);
Message secondaryNoTab(const QString& fileName);
Message secondaryNoRecords(const QString& fileName);

// Neither data file could be used; programFolder ends with its separator.
Message noUsableDataFile(const QString& programFolder);

}  // namespace loadmsg
}  // namespace vex
