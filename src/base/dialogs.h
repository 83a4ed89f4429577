#pragma once

#include <QString>
#include <QStringList>

#include <optional>

namespace vex {

// The kinds of message box the program shows.
enum class MessageKind { Error, Warning, Information, Confirmation };

// Buttons of a message box; a set of buttons is a bitwise or of these.
enum MessageButton : int {
    ButtonNone = 0,
    ButtonOk = 1,
    ButtonCancel = 2,
    ButtonYes = 4,
    ButtonNo = 8,
    ButtonHelp = 16
};

// One message as the program means to show it: kind, buttons and lines (joined by CR LF in
// the box). Logic builds these values; the window's Dialogs shows them.
struct Message {
    MessageKind kind = MessageKind::Information;
    int buttons = ButtonOk;
    QStringList lines;

    QString text() const { return lines.join(QStringLiteral("\r\n")); }
    bool operator==(const Message&) const = default;
};

// The one seam through which every message box, the input dialog and the splash-screen close
// request pass. The Qt implementation shows real boxes; tests use ScriptedDialogs.
//
// The "end of the program requested" mark lives here: once a start-up failure has asked for
// the end of the program, every later message box closes at once, unseen, and answers with
// its first button, so the loader's message stays the last thing the user saw.
class Dialogs {
public:
    virtual ~Dialogs() = default;

    // Shows a message and returns the button pressed (Help never closes the box).
    MessageButton show(const Message& message);
    MessageButton show(MessageKind kind, int buttons, const QStringList& lines) {
        return show(Message{kind, buttons, lines});
    }

    // The modal input dialog; nullopt when the user cancels.
    virtual std::optional<QString> inputText(const QString& caption, const QString& prompt,
                                             const QString& preset) = 0;

    // Asks the splash screen to close, if it still exists. Failures are ignored.
    virtual void requestSplashClose() {}

    void requestEndOfProgram() { endRequested_ = true; }
    bool endOfProgramRequested() const { return endRequested_; }

    // The button a box answers with when it closes at once: its first button.
    static MessageButton firstButton(int buttons);

protected:
    virtual MessageButton showMessage(const Message& message) = 0;
    // Called instead of showMessage while the end of the program is requested.
    virtual void messageSuppressed(const Message&) {}

private:
    bool endRequested_ = false;
};

}  // namespace vex
