#pragma once

#include <QByteArray>
#include <QMap>
#include <QProcessEnvironment>
#include <QString>
#include <QStringList>

namespace vex::test {

// How a program run as a child process ended.
struct ChildRun {
    bool started = false;
    bool finishedInTime = false;  // false: it was killed after the time limit
    bool crashed = false;         // ended by a signal
    int exitCode = -1;
    QByteArray out;
    QByteArray err;
    qint64 elapsedMs = 0;

    // Ended by itself, in time, with an exit code.
    bool endedNormally() const { return started && finishedInTime && !crashed; }
};

// Runs the program with the arguments, feeds it the input on standard input (then closes it)
// and waits at most timeoutMs for its end. With addressSpaceBytes, the child's address space is
// limited to it (RLIMIT_AS), so that memory runs out early.
ChildRun runChild(const QString& program, const QStringList& arguments, const QByteArray& input,
                  const QProcessEnvironment& environment, int timeoutMs,
                  qint64 addressSpaceBytes = 0);

// The environment the programs run in: the test's own, with the C.UTF-8 locale.
QProcessEnvironment childEnvironment();

// What a folder holds: every entry below it by relative name, with its kind, size and a
// SHA-256 of its contents (files only). Two equal fingerprints mean nothing was written,
// added or removed.
QMap<QString, QByteArray> folderFingerprint(const QString& folder);

}  // namespace vex::test
