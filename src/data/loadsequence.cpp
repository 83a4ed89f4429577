#include "data/loading.h"
#include "data/loadmessages.h"
#include "data/record.h"

namespace vex {

namespace {

// The secondary file passed its load; its header is checked here. A refused header drops it.
bool acceptSecondaryHeader(DataState& state, Dialogs& dialogs) {
    FieldNames names;
    const std::optional<Message> refused =
        CheckHeader(state.file2.headerLine, state.secondaryDataFile, names);
    if (!refused) {
        return true;
    }
    dialogs.requestSplashClose();
    dialogs.show(*refused);
    state.file2.extended.clear();
    state.file2.shortList.clear();
    return false;
}

}  // namespace

void MakeFileCurrent(DataState& state, DataFileRole file) {
    const bool primary = file == DataFileRole::Primary;
    DataFileSlot& slot = primary ? state.file1 : state.file2;
    state.currentDataFile = primary ? state.primaryDataFile : state.secondaryDataFile;
    state.currentHeaderLine = slot.headerLine;
    // The header passed when the file was loaded, so this only sets the names.
    (void)CheckHeader(state.currentHeaderLine, state.currentDataFile, state.fieldNames);
    state.currentInfoLine = slot.infoLine;
    state.info = ParseInfoRecord(state.currentInfoLine, state.locale);
    state.currentFileTime = slot.fileTime;
    state.extended = slot.extended;
    if (slot.shortList.isEmpty()) {
        BuildShortList(slot.extended, slot.shortList);
    }
    state.shortList = slot.shortList;
}

LoadSequenceOutcome RunStartupLoadSequence(DataState& state, Dialogs& dialogs) {
    state.extended.clear();
    state.shortList.clear();
    state.current.clear();
    state.alternateEnabled = false;
    // One file named twice is one list.
    if (state.secondaryDataFile == state.primaryDataFile) {
        state.secondaryDataFile.clear();
    }

    if (!state.primaryDataFile.isEmpty()) {
        if (LoadPrimaryDataFile(state.primaryDataFile, state.file1, dialogs)) {
            MakeFileCurrent(state, DataFileRole::Primary);
        } else {
            state.primaryDataFile.clear();
        }
    }

    if (!state.secondaryDataFile.isEmpty()) {
        if (LoadSecondaryDataFile(state.secondaryDataFile, state.file2, dialogs) &&
            acceptSecondaryHeader(state, dialogs)) {
            if (state.primaryDataFile.isEmpty()) {
                MakeFileCurrent(state, DataFileRole::Secondary);
            }
        } else {
            state.secondaryDataFile.clear();
        }
    }

    state.alternateEnabled = !state.primaryDataFile.isEmpty() && !state.secondaryDataFile.isEmpty();

    if (state.primaryDataFile.isEmpty() && state.secondaryDataFile.isEmpty()) {
        state.currentDataFile.clear();
        dialogs.requestSplashClose();
        dialogs.show(loadmsg::noUsableDataFile(state.programFolder));
        return LoadSequenceOutcome::EndNow;
    }

    // The field names describe the file in use; its header passed before, so this cannot refuse.
    (void)CheckHeader(state.currentHeaderLine, state.currentDataFile, state.fieldNames);
    return LoadSequenceOutcome::Continue;
}

}  // namespace vex
