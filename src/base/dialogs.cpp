#include "base/dialogs.h"

namespace vex {

MessageButton Dialogs::show(const Message& message) {
    if (endRequested_) {
        messageSuppressed(message);
        return firstButton(message.buttons);
    }
    return showMessage(message);
}

MessageButton Dialogs::firstButton(int buttons) {
    for (MessageButton b : {ButtonOk, ButtonYes, ButtonNo, ButtonCancel, ButtonHelp}) {
        if (buttons & b) {
            return b;
        }
    }
    return ButtonNone;
}

}  // namespace vex
