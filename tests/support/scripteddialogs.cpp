#include "scripteddialogs.h"

namespace vex::test {

MessageButton ScriptedDialogs::showMessage(const Message& message) {
    shown.append(message);
    if (answers_.empty()) {
        return firstButton(message.buttons);
    }
    const MessageButton answer = answers_.front();
    answers_.pop_front();
    return answer;
}

std::optional<QString> ScriptedDialogs::inputText(const QString& caption, const QString& prompt,
                                                  const QString& preset) {
    lastInputCaption = caption;
    lastInputPrompt = prompt;
    inputPresets.append(preset);
    if (inputs_.empty()) {
        return std::nullopt;
    }
    std::optional<QString> answer = std::move(inputs_.front());
    inputs_.pop_front();
    return answer;
}

}  // namespace vex::test
