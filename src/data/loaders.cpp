#include "data/datafile.h"
#include "data/loading.h"
#include "data/loadmessages.h"
#include "data/record.h"

#include <new>

namespace vex {

namespace {

// Takes the header and an information record on the second line out of the read lines.
void takeHeaderAndInfoRecord(DataFileSlot& slot) {
    if (slot.extended.size() > 1 && IsInfoRecord(slot.extended.at(1))) {
        slot.infoLine = slot.extended.takeAt(1);
    }
    slot.extended.removeFirst();
}

// A dropped file leaves its lists empty.
bool drop(DataFileSlot& slot) {
    slot.extended.clear();
    slot.shortList.clear();
    return false;
}

bool startLoad(DataFileSlot& slot, const QString& fileName) {
    slot.headerLine.clear();
    slot.infoLine.clear();
    slot.shortList.clear();
    return ReadDataFile(slot.extended, fileName);
}

bool primaryCannotOpen(const QString& fileName, DataFileSlot& slot, Dialogs& dialogs) {
    dialogs.show(loadmsg::primaryCannotOpen(fileName));
    dialogs.requestEndOfProgram();
    return drop(slot);
}

bool secondaryCannotOpen(const QString& fileName, DataFileSlot& slot, Dialogs& dialogs) {
    dialogs.show(loadmsg::secondaryCannotOpen(fileName));
    return drop(slot);
}

bool loadPrimary(const QString& fileName, DataFileSlot& slot, Dialogs& dialogs) {
    if (!startLoad(slot, fileName)) {
        return primaryCannotOpen(fileName, slot, dialogs);
    }
    if (slot.extended.isEmpty()) {
        dialogs.show(loadmsg::primaryEmpty());
        dialogs.requestEndOfProgram();
        return drop(slot);
    }
    slot.headerLine = slot.extended.first();
    if (!slot.headerLine.contains(QLatin1Char('\t'))) {
        dialogs.show(loadmsg::primaryNoTab(fileName));
        dialogs.requestSplashClose();
        dialogs.requestEndOfProgram();
        return drop(slot);
    }
    FieldNames names;
    if (const std::optional<Message> refused = CheckHeader(slot.headerLine, fileName, names)) {
        // The start-up goes on with the secondary file, if there is one.
        dialogs.requestSplashClose();
        dialogs.show(*refused);
        return drop(slot);
    }
    takeHeaderAndInfoRecord(slot);
    if (slot.extended.isEmpty()) {
        dialogs.show(loadmsg::primaryNoRecords());
        dialogs.requestEndOfProgram();
        return drop(slot);
    }
    ReplaceEntities(slot.extended);
    return true;
}

bool loadSecondary(const QString& fileName, DataFileSlot& slot, Dialogs& dialogs) {
    if (!startLoad(slot, fileName)) {
        return secondaryCannotOpen(fileName, slot, dialogs);
    }
    if (slot.extended.isEmpty()) {
        dialogs.show(loadmsg::secondaryEmpty(fileName));
        return drop(slot);
    }
    slot.headerLine = slot.extended.first();
    if (!slot.headerLine.contains(QLatin1Char('\t'))) {
        dialogs.show(loadmsg::secondaryNoTab(fileName));
        return drop(slot);
    }
    takeHeaderAndInfoRecord(slot);
    if (slot.extended.isEmpty()) {
        dialogs.show(loadmsg::secondaryNoRecords(fileName));
        return drop(slot);
    }
    ReplaceEntities(slot.extended);
    BuildShortList(slot.extended, slot.shortList);
    return true;
}

}  // namespace

// A file whose lines do not fit in memory cannot be opened, as far as the user is concerned.
bool LoadPrimaryDataFile(const QString& fileName, DataFileSlot& slot, Dialogs& dialogs) {
    try {
        return loadPrimary(fileName, slot, dialogs);
    } catch (const std::bad_alloc&) {
        slot.headerLine.clear();
        slot.infoLine.clear();
        return primaryCannotOpen(fileName, slot, dialogs);
    }
}

bool LoadSecondaryDataFile(const QString& fileName, DataFileSlot& slot, Dialogs& dialogs) {
    try {
        return loadSecondary(fileName, slot, dialogs);
    } catch (const std::bad_alloc&) {
        slot.headerLine.clear();
        slot.infoLine.clear();
        return secondaryCannotOpen(fileName, slot, dialogs);
    }
}

}  // namespace vex
