// Test entry for the widget tests (desktop, window, start-up): the application object lives for
// the whole program, with the program's hint timing.
#include <gtest/gtest.h>

#include <QApplication>

#include "desktop/hinttiming.h"

int main(int argc, char** argv) {
    // Widget tests run headless, also when the build lists them.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication app(argc, argv);
    vex::InstallHintTiming(app);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
