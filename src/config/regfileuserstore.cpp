#include "config/regfileuserstore.h"

#include "config/regfileformat.h"

#include "base/regularfile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStandardPaths>

namespace vex {

namespace {

// Creates the folder and any missing folder above it. The store holds what the user searched
// for: on a shared machine nobody else may look into a folder made for it, whatever the umask.
bool makeStoreFolder(const QString& path) {
#ifdef Q_OS_UNIX
    const QDir dir(path);
    if (dir.exists()) {
        return true;
    }
    const QString parent = QFileInfo(dir.absolutePath()).path();
    if (parent != dir.absolutePath() && !makeStoreFolder(parent)) {
        return false;
    }
    const auto ownerOnly = QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner;
    // The mode given to mkdir passes through the umask: set it once more as it must be.
    return QDir().mkdir(dir.absolutePath(), ownerOnly) &&
           QFile::setPermissions(dir.absolutePath(), ownerOnly);
#else
    return QDir().mkpath(path);
#endif
}

}  // namespace

QString RegFileUserStore::defaultPath() {
    const QString base = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    if (base.isEmpty()) {
        return {};
    }
    return base + QStringLiteral("/Tovemark/VEXdiagnose.reg");
}

RegFileUserStore::RegFileUserStore(const QString& path) : path_(path) {
    if (path_.isEmpty()) {
        return;
    }
    // Only a regular file is read, never a named pipe or a device (which could block the start
    // or never end), and only up to the size limit, also when it grows meanwhile.
    QByteArray bytes;
    switch (ReadRegularFile(path_, MaxFileSize, bytes)) {
        case FileOpen::Opened:
            setData(regfile::parseBytes(bytes));
            return;
        case FileOpen::TooLarge:
            setChanged(true);  // never trusted again: the next commit writes a clean store
            return;
        case FileOpen::NotRegular:
        case FileOpen::Failed:
            return;
    }
}

bool RegFileUserStore::openGroup(UserGroup group) {
    if (path_.isEmpty()) {
        return false;
    }
    return MemoryUserStore::openGroup(group);
}

bool RegFileUserStore::commit() {
    if (!changed()) {
        return true;
    }
    if (path_.isEmpty()) {
        return false;
    }
    const QFileInfo info(path_);
    // The file is replaced by a new one, and where the name is a link, the file it leads to.
    // Something that is not a regular file (a named pipe, a device, a folder, also behind a
    // link) is never replaced: the values are not stored.
    if (info.exists() && !info.isFile()) {
        return false;
    }
    if (!makeStoreFolder(info.absolutePath())) {
        return false;
    }
    QSaveFile file(path_);
    if (!file.open(QIODevice::WriteOnly)) {
        return false;
    }
#ifdef Q_OS_UNIX
    // Readable by its user only, also where an older store (which the replacement inherits the
    // mode of) or the umask would let others read it.
    if (!file.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner)) {
        file.cancelWriting();
        return false;
    }
#endif
    const QByteArray bytes = regfile::serializeBytes(data());
    // The explicit flush matters: commit() does not notice a short write of buffered data
    // (a full disk) and would put a cut-off file in place of the old one.
    if (file.write(bytes) != bytes.size() || !file.flush() || !file.commit()) {
        return false;  // the temporary file is dropped; the old store stays
    }
    setChanged(false);
    return true;
}

}  // namespace vex
