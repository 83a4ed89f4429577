#pragma once

#include "base/dialogs.h"

#include <QList>

#include <deque>
#include <optional>

namespace vex::test {

// A Dialogs for tests: records every message (shown or closed at once because the end of the
// program was requested) and answers with the buttons and input texts it was given, in order.
// Without a scripted answer a box answers with its first button and the input dialog cancels.
class ScriptedDialogs : public Dialogs {
public:
    void setNextAnswer(MessageButton button) { answers_.push_back(button); }
    void setNextInput(std::optional<QString> text) { inputs_.push_back(std::move(text)); }

    std::optional<QString> inputText(const QString& caption, const QString& prompt,
                                     const QString& preset) override;
    void requestSplashClose() override { ++splashCloseRequests; }

    QList<Message> shown;       // messages the user saw, in order
    QList<Message> suppressed;  // messages closed at once while the end was requested
    QStringList inputPresets;   // preset text of every input dialog
    QString lastInputCaption;
    QString lastInputPrompt;
    int splashCloseRequests = 0;

protected:
    MessageButton showMessage(const Message& message) override;
    void messageSuppressed(const Message& message) override { suppressed.append(message); }

private:
    std::deque<MessageButton> answers_;
    std::deque<std::optional<QString>> inputs_;
};

}  // namespace vex::test
