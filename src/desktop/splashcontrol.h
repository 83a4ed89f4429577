#pragma once

#include <QPointer>
#include <QString>

#include "desktop/splashscreen.h"

namespace vex {

// Owns the splash screen for the program's start: creates and shows it, and passes close
// requests to it for as long as it exists. Requests after it has gone do nothing.
//
//   SplashControl splash;
//   splash.start(param1, param2);          // before the main window is created
//   dialogs.setSplashCloser([&] { splash.requestClose(); });
//   ...first show of the main window: splash.requestClose(true);
class SplashControl {
public:
    SplashControl() = default;
    SplashControl(const SplashControl&) = delete;
    SplashControl& operator=(const SplashControl&) = delete;
    ~SplashControl();

    // Creates the splash screen with the picture the first two command-line parameters ask
    // for, shows it and paints it at once. A splash that is already there stays.
    void start(const QString& param1, const QString& param2, int dpi);
    void start(const QString& param1, const QString& param2);  // at the screen's dpi

    // The close request: when the splash still exists, it goes away a second later. With
    // hideLoadingLabel (the main window's first show) the loading text goes at once.
    void requestClose(bool hideLoadingLabel = false);

    bool exists() const { return splash_ != nullptr && !splash_->isReleased(); }
    SplashScreen* splash() const { return splash_; }

private:
    QPointer<SplashScreen> splash_;
};

}  // namespace vex
