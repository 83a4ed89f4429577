#include "desktop/splashcontrol.h"

#include <QCoreApplication>

#include "config/commandline.h"
#include "desktop/scale.h"

namespace vex {

SplashControl::~SplashControl() {
    delete splash_.data();
}

void SplashControl::start(const QString& param1, const QString& param2, int dpi) {
    if (splash_ != nullptr) {
        return;
    }
    splash_ = new SplashScreen(SplashDataFileName(param1, param2), dpi);
    splash_->show();
    splash_->raise();
    splash_->repaint();
    // Let the window system put it on the screen before the data is read.
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

void SplashControl::start(const QString& param1, const QString& param2) {
    start(param1, param2, ScreenDpi());
}

void SplashControl::requestClose(bool hideLoadingLabel) {
    if (exists()) {
        splash_->requestClose(hideLoadingLabel);
    }
}

}  // namespace vex
