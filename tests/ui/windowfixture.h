#pragma once

#include <QStringList>
#include <QTemporaryDir>

#include <functional>
#include <memory>

#include "app/appstate.h"
#include "app/startup.h"
#include "config/userstore.h"
#include "scripteddialogs.h"
#include "ui/mainwindow.h"

namespace vex::test {

// The header line of a hand-made list.
QString HeaderLine();

// A record line of nine columns (the missing ones empty).
QString Record(const QString& code, const QString& text, bool shortList = false,
               const QString& synonyms = QString(), const QString& comments = QString());

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

// A main window started in a temporary program folder with scripted dialogs and a per-user
// store held in memory.
class WindowFixture {
public:
    WindowFixture();
    ~WindowFixture();

    // Writes a list file of the header, an information record (when info is not empty) and the
    // records into the program folder, in UTF-8 with byte-order mark.
    QString writeList(const QString& name, const QStringList& records,
                      const QString& info = QStringLiteral("01-10-2018 - Testudgiver"));
    void writeFile(const QString& name, const QByteArray& bytes);
    // Copies the bundled lists into the program folder under their default names.
    void copyBundledLists(bool secondaryToo = true);

    // The window shows its boxes through these instead of the scripted ones.
    void useDialogs(Dialogs& dialogs) { boxes_ = &dialogs; }

    StartupOutcome start(const QStringList& parameters = {});
    // Starts and shows the window (the first show runs).
    StartupOutcome startAndShow(const QStringList& parameters = {});

    MainWindow& window() { return *window_; }
    WindowWidgets& ui() { return window_->ui(); }
    QString folder() const { return dir_.path(); }

    // Types the search string into the input dialog of the Search button.
    void search(const QString& typed);

    QTemporaryDir dir_;
    AppState app;
    ActingDialogs dialogs;
    MemoryUserStore store;

private:
    Dialogs* boxes_ = &dialogs;
    std::unique_ptr<MainWindow> window_;
};

// The texts of a message, for comparisons.
inline QStringList Lines(const Message& m) {
    return m.lines;
}

}  // namespace vex::test
