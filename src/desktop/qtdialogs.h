#pragma once

#include <functional>

#include "base/dialogs.h"

class QWidget;

namespace vex {

// The program's message boxes and input dialog on Qt widgets, with Danish button captions.
// Boxes are modal, parented to and centred on the main window; before the window is shown
// they are centred on the screen's work area, above the splash screen. Their Help button
// leaves the box open and passes a help request with help context 0 to the help handler. A
// Yes/No box is answered only by its buttons.
class QtDialogs : public Dialogs {
public:
    using HelpHandler = std::function<void(int helpContext)>;
    using SplashCloser = std::function<void()>;
    using SplashWindow = std::function<QWidget*()>;

    explicit QtDialogs(QWidget* parent = nullptr) : parent_(parent) {}

    void setParentWindow(QWidget* parent) { parent_ = parent; }
    void setHelpHandler(HelpHandler handler) { help_ = std::move(handler); }
    void setSplashCloser(SplashCloser closer) { splashCloser_ = std::move(closer); }
    // The splash screen while it exists (nullptr once it has gone).
    void setSplashWindow(SplashWindow splash) { splashWindow_ = std::move(splash); }

    std::optional<QString> inputText(const QString& caption, const QString& prompt,
                                     const QString& preset) override;
    void requestSplashClose() override;

protected:
    MessageButton showMessage(const Message& message) override;

private:
    // Puts a box or the input dialog where the user looks for it.
    void place(QWidget* dialog) const;

    QWidget* parent_;
    HelpHandler help_;
    SplashCloser splashCloser_;
    SplashWindow splashWindow_;
};

}  // namespace vex
