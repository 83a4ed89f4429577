#pragma once

#include <functional>

#include "base/dialogs.h"

class QWidget;

namespace vex {

// The program's message boxes and input dialog on Qt widgets. Boxes are modal, parented to
// and centred on the main window. Their Help button leaves the box open and passes a help
// request with help context 0 to the help handler.
class QtDialogs : public Dialogs {
public:
    using HelpHandler = std::function<void(int helpContext)>;
    using SplashCloser = std::function<void()>;

    explicit QtDialogs(QWidget* parent = nullptr) : parent_(parent) {}

    void setParentWindow(QWidget* parent) { parent_ = parent; }
    void setHelpHandler(HelpHandler handler) { help_ = std::move(handler); }
    void setSplashCloser(SplashCloser closer) { splashCloser_ = std::move(closer); }

    std::optional<QString> inputText(const QString& caption, const QString& prompt,
                                     const QString& preset) override;
    void requestSplashClose() override;

protected:
    MessageButton showMessage(const Message& message) override;

private:
    QWidget* parent_;
    HelpHandler help_;
    SplashCloser splashCloser_;
};

}  // namespace vex
