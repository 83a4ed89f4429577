#pragma once

#include <QString>

namespace vex::bench {

// The bundled primary list.
QString bundledPrimaryList();
QString bundledSecondaryList();

// A list of a million records made from the bundled primary list, generated once into the
// system's temporary folder and reused by later runs; empty when it cannot be made.
QString millionRecordList();

// Peak resident memory of this process so far, in bytes.
qint64 peakResidentBytes();

}  // namespace vex::bench
