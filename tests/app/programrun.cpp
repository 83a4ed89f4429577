#include "programrun.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPushButton>
#include <QTest>

#include "search/resulttable.h"
#include "tempfiles.h"

namespace vex::test {

ProgramRun::~ProgramRun() {
    window.reset();
    while (QApplication::overrideCursor() != nullptr) {
        QApplication::restoreOverrideCursor();
    }
}

void ProgramRun::search(const QString& typed) {
    dialogs.setNextInput(typed);
    QTest::mouseClick(ui().btnSearch, Qt::LeftButton);
}

QStringList ProgramRun::gridCodes() const {
    QStringList codes;
    const ResultTable& table = window->results();
    for (int row = 0; row < table.rowCount(); ++row) {
        codes << table.code(row);
    }
    return codes;
}

void ProgramRun::close() {
    window->close();
    QApplication::processEvents();
}

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
    QStringList lines{HeaderLine(), QStringLiteral("0000\t\t01-10-2018 - Testudgiver")};
    lines << records;
    return writeFile(
        name, QByteArray("\xEF\xBB\xBF") + lines.join(QStringLiteral("\r\n")).toUtf8() + "\r\n");
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
    run->app.programFolder = programFolder.isEmpty() ? folder() : programFolder;
    run->app.programFileName = QStringLiteral("vexdiagnose");
    run->app.parameters = parameters;
    run->store = std::make_unique<RegFileUserStore>();
    run->window = std::make_unique<MainWindow>(run->app, run->dialogs, run->store.get());
    StartupEnvironment environment;
    environment.readThemesActive = [] { return true; };
    run->outcome = FormCreate(*run->window, environment);
    if (show && run->outcome == StartupOutcome::Ready) {
        run->window->show();
        QApplication::processEvents();
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
