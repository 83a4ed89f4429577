#include "desktop/scale.h"

#include <QGuiApplication>
#include <QScreen>

namespace vex {

int ScreenDpi() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen != nullptr ? qRound(screen->logicalDotsPerInch()) : 96;
}

}  // namespace vex
