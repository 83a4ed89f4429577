#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>
#include <QTemporaryDir>

namespace vex::test {

// Writes bytes to a file in the folder and returns its full path.
inline QString writeFile(const QTemporaryDir& dir, const QString& name, const QByteArray& bytes) {
    const QString path = dir.filePath(name);
    QFile f(path);
    if (f.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        f.write(bytes);
    }
    return path;
}

// The folder of the bundled lists in the source tree.
inline QString bundledListsDir() { return QStringLiteral(VEX_TEST_LISTS_DIR); }

}  // namespace vex::test
