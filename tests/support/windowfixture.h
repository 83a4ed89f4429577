#pragma once

#include <QStringList>
#include <QTemporaryDir>

#include <functional>
#include <memory>

#include "app/startup.h"
#include "config/programstate.h"
#include "config/userstore.h"
#include "listfiles.h"
#include "scripteddialogs.h"
#include "ui/mainwindow.h"

namespace vex::test {

// A record line of the given values and an edit date (the other columns empty).
QString Record(const QString& code, const QString& text, bool shortList = false,
               const QString& synonyms = QString(), const QString& comments = QString());

// The bytes of a list file: the header, an information record (when info is not empty) and
// the records, in UTF-8 with byte-order mark and CR LF line ends.
QByteArray ListFileBytes(const QStringList& records,
                         const QString& info = QStringLiteral("01-10-2018 - Testudgiver"));

// Scripted dialogs that can also act while a message is open (as a user would, with the box
// still on the screen).
class ActingDialogs : public ScriptedDialogs {
public:
    std::function<void(const Message&)> whileOpen;

protected:
    MessageButton showMessage(const Message& message) override {
        if (whileOpen) {
            whileOpen(message);
        }
        return ScriptedDialogs::showMessage(message);
    }
};

// One start of the main window as the program makes it: fresh program state, dialogs that
// record what the user saw, and the window after its start-up.
class WindowRun {
public:
    WindowRun() = default;
    WindowRun(const WindowRun&) = delete;
    WindowRun& operator=(const WindowRun&) = delete;
    virtual ~WindowRun() { end(); }

    // Creates the window in the program folder with the per-user store (may be nullptr) and
    // runs the start-up; boxes, when given, show the window's messages instead of dialogs.
    // The desktop's visual themes are on unless themes says otherwise.
    StartupOutcome startIn(const QString& programFolder, const QStringList& parameters,
                           UserStore* store, Dialogs* boxes = nullptr, bool themes = true);
    // Shows the window when the start-up left it usable (the first show runs).
    void show();
    // Destroys the window and takes away the busy pointers it left.
    void end();

    MainWindow& window() { return *window_; }
    const WindowWidgets& ui() const { return window_->ui(); }
    // What each data file remembers, as the window keeps it: list 1 is the primary file's,
    // list 2 the secondary file's.
    const ListMemory& list1() const {
        return window_->listViews().remembered(DataFileRole::Primary);
    }
    const ListMemory& list2() const {
        return window_->listViews().remembered(DataFileRole::Secondary);
    }
    // The search string in use and the index of the record shown (of the file in use).
    const QString& searchInput() const { return window_->listViews().inUse().lastSearchInput; }
    int currentIndex() const { return window_->listViews().inUse().indexPointer; }
    // Types the search string into the input dialog of the Search button.
    void search(const QString& typed);
    // The codes of the result grid, top to bottom.
    QStringList gridCodes() const;
    // Closes the window as the user does (the per-user values are stored).
    void close();
    // Shows the record at the index of the list in view, as the record buttons move there.
    void showRecord(int index);
    // Presses ESC and keeps it down, as a user who wants the next run to pause.
    void holdEsc();

    ProgramState program;
    ActingDialogs dialogs;
    StartupOutcome outcome = StartupOutcome::EndNow;

private:
    std::unique_ptr<MainWindow> window_;
};

// A main window started in a temporary program folder with scripted dialogs and a per-user
// store held in memory.
class WindowFixture : public WindowRun {
public:
    ~WindowFixture() override { end(); }

    // Writes a list file (ListFileBytes) into the program folder.
    QString writeList(const QString& name, const QStringList& records,
                      const QString& info = QStringLiteral("01-10-2018 - Testudgiver"));
    void writeFile(const QString& name, const QByteArray& bytes);
    // Copies the bundled lists into the program folder under their default names.
    void copyBundledLists(bool secondaryToo = true);

    // The window shows its boxes through these instead of the scripted ones.
    void useDialogs(Dialogs& boxes) { boxes_ = &boxes; }

    StartupOutcome start(const QStringList& parameters = {}, bool themes = true);
    // Starts and shows the window (the first show runs).
    StartupOutcome startAndShow(const QStringList& parameters = {});

    QString folder() const { return dir_.path(); }

    QTemporaryDir dir_;
    MemoryUserStore store;

private:
    Dialogs* boxes_ = nullptr;
};

// The texts of a message, for comparisons.
inline QStringList Lines(const Message& m) {
    return m.lines;
}

}  // namespace vex::test
