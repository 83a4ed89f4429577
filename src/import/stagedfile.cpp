#include "import/stagedfile.h"

#include <QFileInfo>

#include <cerrno>
#include <cstdio>
#include <cstring>

#ifdef Q_OS_UNIX
#include <unistd.h>
#endif

namespace vex {

namespace {

QString systemError() {
    return QString::fromLocal8Bit(std::strerror(errno));
}

}  // namespace

StagedFile::StagedFile(const QString& target)
    : target_(target),
      file_(QFileInfo(target).absolutePath() + QStringLiteral("/.") + QFileInfo(target).fileName() +
            QStringLiteral(".XXXXXX")) {}

bool pathIsTaken(const QString& path) {
    const QFileInfo info(path);
    return info.exists() || info.isSymLink();
}

bool StagedFile::open(QString& error) {
    if (!file_.open()) {
        error = QStringLiteral("Kan ikke skrive i mappen [ %1 ]: %2")
                    .arg(QFileInfo(target_).absolutePath(), file_.errorString());
        return false;
    }
    return true;
}

bool StagedFile::write(const QByteArray& bytes) {
    if (!writeFailed_ && file_.write(bytes) != bytes.size()) {
        writeFailed_ = true;
    }
    return !writeFailed_;
}

bool StagedFile::finish(QString& error) {
    bool ok = !writeFailed_ && file_.flush();
#ifdef Q_OS_UNIX
    ok = ok && ::fsync(file_.handle()) == 0;
#endif
    ok = ok && file_.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                    QFileDevice::ReadGroup | QFileDevice::ReadOther);
    if (!ok) {
        error = QStringLiteral("Kan ikke skrive [ %1 ]: %2").arg(target_, file_.errorString());
    }
    file_.close();
    return ok;
}

bool StagedFile::commit(bool replace, QString& error) {
    if (!replace && pathIsTaken(target_)) {
        error = QStringLiteral("[ %1 ] findes allerede; brug --force for at erstatte den.")
                    .arg(target_);
        return false;
    }
    // std::rename replaces an existing file in one step.
    if (std::rename(QFile::encodeName(file_.fileName()).constData(),
                    QFile::encodeName(target_).constData()) != 0) {
        error = QStringLiteral("Kan ikke lægge [ %1 ] på plads: %2").arg(target_, systemError());
        return false;
    }
    file_.setAutoRemove(false);
    return true;
}

}  // namespace vex
