#pragma once

#include "base/dialogs.h"

namespace vex {

// Neither data file exists: the error that ends the start-up. secondary is empty when no
// secondary file was named.
Message MissingDataFilesMessage(const QString& primary, const QString& secondary,
                                const QString& programFolderWithSeparator);

// The edit switch "/E" was given: the information that it is ignored.
Message EditSwitchMessage();

}  // namespace vex
