#pragma once

#include <QString>

namespace vex::bench {

// The test lists (tests/fixtures): the shipped codes and texts with made-up values in every
// other column, so that searches on synonyms, inclusions and comments have something to find.
QString testPrimaryList();
QString testSecondaryList();

// A list of a million records made from the test primary list, generated once into the
// system's temporary folder and reused by later runs; empty when it cannot be made.
QString millionRecordList();

// Peak resident memory of this process so far, in bytes.
qint64 peakResidentBytes();

}  // namespace vex::bench
