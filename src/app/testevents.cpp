#include "app/testevents.h"

#include <QCoreApplication>
#include <QFile>

namespace vex {

void NoteTestEvent(const char* event) {
    const QString path = qEnvironmentVariable("VEX_TEST_EVENT_FILE");
    if (path.isEmpty()) {
        return;
    }
    QFile file(path);
    if (file.open(QIODevice::WriteOnly | QIODevice::Append)) {
        file.write(QByteArray(event) + ' ' +
                   QByteArray::number(QCoreApplication::applicationPid()) + '\n');
    }
}

}  // namespace vex
