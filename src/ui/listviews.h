#pragma once

#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

#include "base/dialogs.h"
#include "config/uservalues.h"
#include "data/loading.h"

namespace vex {

// What the window shows of the list in view and the file in use: the list button's caption
// (the way to the other list), the picture of the list, the short-list box (it tells a record's
// flag only in the extended list), the list's status panel, and, when the file is new to the
// window, the file's status panel.
struct ListViewShown {
    QString listButtonCaption;
    bool shortListPicture = false;
    bool extendedListPicture = false;
    bool shortListBox = false;
    QString listPanel;
    std::optional<QString> sourceFilePanel;

    bool operator==(const ListViewShown&) const = default;
};

// The message of a list button that finds no short-list records.
Message NoShortListMessage();

// The lists of the window: both data files' extended and short lists, the list in view of the
// file in use, and the switch between the two files; and what each file remembers (its search
// string, the record shown, its view and the time of its last search), kept current for the
// file in use. Its changes give what the window shows of them; the window then shows the
// record and searches again.
class ListViews {
public:
    // The values each file remembers, as the start-up read them.
    void remember(const ListMemory& list1, const ListMemory& list2);
    // The lists as the start-up loaded them.
    void use(DataState data);
    const DataState& data() const { return data_; }

    // What a file remembers: the primary file's (list 1) or the secondary file's (list 2).
    const ListMemory& remembered(DataFileRole file) const {
        return file == DataFileRole::Primary ? list1_ : list2_;
    }
    // What the file in use remembers, kept current: the search string in use, the record shown
    // (its index in the list in view), its view and the time of its last search in this run.
    const ListMemory& inUse() const { return remembered(roleInUse()); }
    void keepSearchInput(const QString& searchInput) {
        memoryInUse().lastSearchInput = searchInput;
    }
    void keepRecord(int index) { memoryInUse().indexPointer = index; }
    void keepSearchTime(double seconds) { memoryInUse().searchTime = seconds; }

    // The list meant to be in view of the file in use (the flag stays as remembered when the
    // file's short list is empty, though the extended list is shown).
    ListView view() const { return inUse().extendedView; }
    // Every list the user can search: the one in view, those of the file in use and those of
    // both files.
    QList<const QStringList*> searchableLists() const;

    // The first view: the list the file in use remembers (the extended one when its short list
    // is empty), at the record it remembers (the first when that is not in the list).
    ListViewShown setUpFirstView();

    // The other list of the file in use comes into view (the list button), at the first record
    // that begins with the code of the record shown (the first record when none does). Nothing
    // when the file has no short-list records: nothing changes, and the user is to be told
    // (NoShortListMessage).
    std::optional<ListViewShown> toggle();

    // The other data file comes into use with what it remembers: its list (its extended list
    // when its short list is empty), its record (the first when that is not in the list) and its
    // search string. What the file left remembers stays as it was kept.
    ListViewShown switchFile();

private:
    DataFileRole roleInUse() const {
        return data_.isPrimaryInUse() ? DataFileRole::Primary : DataFileRole::Secondary;
    }
    ListMemory& memoryInUse() { return roleInUse() == DataFileRole::Primary ? list1_ : list2_; }
    // Puts the list into view; gives what shows it.
    ListViewShown setUp(ListView view);
    // The remembered record of the file in use, or the first when it is not in the list in view.
    void keepRecordWithinList();
    QString sourceFilePanel() const;

    DataState data_;
    ListMemory list1_;
    ListMemory list2_;
};

}  // namespace vex
