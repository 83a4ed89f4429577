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

// The folder of the lists the program ships (real codes and texts, other columns empty).
inline QString bundledListsDir() {
    return QStringLiteral(VEX_TEST_LISTS_DIR);
}

// The folder of the test lists: the same codes and texts with made-up synonyms, inclusions,
// keywords, comments, asterisks, short-list flags and edit dates in every markup form. Tests
// of those columns use these, never the shipped lists.
inline QString fixtureListsDir() {
    return QStringLiteral(VEX_TEST_FIXTURES_DIR);
}

}  // namespace vex::test
