#include <QApplication>

#include "app/programentry.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    return vex::RunProgram(app);
}
