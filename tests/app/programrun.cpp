#include "programrun.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace vex::test {

ProgramFolder::ProgramFolder() {
    hadConfigHome_ = qEnvironmentVariableIsSet("XDG_CONFIG_HOME");
    oldConfigHome_ = qgetenv("XDG_CONFIG_HOME");
    qputenv("XDG_CONFIG_HOME", config_.path().toLocal8Bit());
}

ProgramFolder::~ProgramFolder() {
    if (hadConfigHome_) {
        qputenv("XDG_CONFIG_HOME", oldConfigHome_);
    } else {
        qunsetenv("XDG_CONFIG_HOME");
    }
}

QString ProgramFolder::writeList(const QString& name, const QStringList& records) {
    return writeFile(name, ListFileBytes(records));
}

QString ProgramFolder::writeFile(const QString& name, const QByteArray& bytes) {
    const QString path = program_.filePath(name);
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    if (file.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        file.write(bytes);
    }
    return path;
}

QString ProgramFolder::storePath() const {
    return RegFileUserStore::defaultPath();
}

QByteArray ProgramFolder::storeBytes() const {
    return FileBytes(storePath());
}

void ProgramFolder::writeStore(const QByteArray& bytes) {
    const QString path = storePath();
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    if (file.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        file.write(bytes);
    }
}

std::unique_ptr<ProgramRun> ProgramFolder::start(const QStringList& parameters, bool show,
                                                 const QString& programFolder) {
    auto run = std::make_unique<ProgramRun>();
    run->store = std::make_unique<RegFileUserStore>();
    run->startIn(programFolder.isEmpty() ? folder() : programFolder, parameters, run->store.get());
    if (show) {
        run->show();
    }
    return run;
}

QByteArray FileBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QStringList FolderEntries(const QString& path) {
    return QDir(path).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot, QDir::Name);
}

}  // namespace vex::test
