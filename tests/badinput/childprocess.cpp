#include "childprocess.h"

#include <QCryptographicHash>
#include <QDir>
#include <QDirIterator>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>

#include <sys/resource.h>

namespace vex::test {

ChildRun runChild(const QString& program, const QStringList& arguments, const QByteArray& input,
                  const QProcessEnvironment& environment, int timeoutMs, qint64 addressSpaceBytes) {
    ChildRun run;
    QProcess process;
    process.setProcessEnvironment(environment);
    if (addressSpaceBytes > 0) {
        process.setChildProcessModifier([addressSpaceBytes] {
            const rlimit limit{rlim_t(addressSpaceBytes), rlim_t(addressSpaceBytes)};
            ::setrlimit(RLIMIT_AS, &limit);
        });
    }
    QElapsedTimer timer;
    timer.start();
    process.start(program, arguments);
    run.started = process.waitForStarted(timeoutMs);
    if (!run.started) {
        return run;
    }
    if (!input.isEmpty()) {
        process.write(input);
    }
    process.closeWriteChannel();
    run.finishedInTime = process.waitForFinished(timeoutMs);
    if (!run.finishedInTime) {
        process.kill();
        process.waitForFinished(-1);
    }
    run.elapsedMs = timer.elapsed();
    run.crashed = process.exitStatus() == QProcess::CrashExit;
    run.exitCode = process.exitCode();
    run.out = process.readAllStandardOutput();
    run.err = process.readAllStandardError();
    return run;
}

QProcessEnvironment childEnvironment() {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("LANG"), QStringLiteral("C.UTF-8"));
    env.insert(QStringLiteral("LC_ALL"), QStringLiteral("C.UTF-8"));
    return env;
}

QMap<QString, QByteArray> folderFingerprint(const QString& folder) {
    QMap<QString, QByteArray> print;
    const QDir root(folder);
    QDirIterator it(folder, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        const QFileInfo info(path);
        QByteArray entry;
        if (info.isSymLink()) {
            entry = "link " + info.symLinkTarget().toUtf8();
        } else if (info.isDir()) {
            entry = "folder";
        } else if (!info.isFile()) {
            entry = "special";  // a pipe or a device: never read here, it could block
        } else {
            QFile file(path);
            QCryptographicHash hash(QCryptographicHash::Sha256);
            if (file.open(QIODevice::ReadOnly)) {
                hash.addData(&file);
            }
            entry = "file " + QByteArray::number(info.size()) + ' ' + hash.result().toHex();
        }
        print.insert(root.relativeFilePath(path), entry);
    }
    return print;
}

}  // namespace vex::test
