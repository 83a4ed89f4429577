#pragma once

#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

#include "config/uservalues.h"
#include "data/loading.h"

namespace vex {

class Dialogs;
struct ProgramState;
struct WindowWidgets;

// The lists of the window: both data files' extended and short lists, the list in view of the
// file in use, and the switch between the two files. It shows which list is in view (the list
// button's caption, the list pictures, the short-list box and the status panels of the list and
// of the file); the window shows the record and searches again.
class ListViews {
public:
    ListViews(const WindowWidgets& ui, ProgramState& program, Dialogs& dialogs);

    // The lists as the start-up loaded them.
    void use(DataState data);
    const DataState& data() const { return data_; }
    // The list meant to be in view of the file in use (the flag stays as remembered when the
    // file's short list is empty, though the extended list is shown).
    ListView view() const { return view_; }
    // Every list the user can search: the one in view, those of the file in use and those of
    // both files.
    QList<const QStringList*> searchableLists() const;

    // The first view: the list the file in use remembers (the extended one when its short list
    // is empty), and the file's status panel.
    void setUpFirstView();

    // The other list of the file in use comes into view (the list button). index: the record
    // shown. Gives the index in the new list of the first record that begins with its code (0
    // when none does), or nothing when the file has no short-list records (the user is told).
    std::optional<int> toggle(int index);

    // The other data file comes into use with the list it remembers (its extended list when its
    // short list is empty); the search string, the view and the record of the file left are
    // remembered for it. Gives the remembered values of the file entered.
    const ListMemory& switchFile(const QString& searchInput, int index);

private:
    void setUp(ListView view);
    void showSourceFile();

    const WindowWidgets& ui_;
    ProgramState& program_;
    Dialogs& dialogs_;
    DataState data_;
    ListView view_ = ListView::Short;
};

}  // namespace vex
