#pragma once

#include <QByteArray>
#include <QString>
#include <QTemporaryFile>

namespace vex {

// A file written beside its target under a temporary name and renamed into place only when
// all of it is written, so a reader never meets half a list and an error leaves the target
// as it was. The file gets mode 0644 whatever the umask: every user's program reads it.
class StagedFile {
public:
    explicit StagedFile(const QString& target);

    bool open(QString& error);
    bool write(const QByteArray& bytes);
    // Flushes the file to the disk and closes it.
    bool finish(QString& error);
    // Renames it into place; an existing target is replaced only when asked to.
    bool commit(bool replace, QString& error);

    const QString& target() const { return target_; }

private:
    QString target_;
    QTemporaryFile file_;
    bool writeFailed_ = false;
};

// Whether something (a file, a folder, a link) already has the name.
bool pathIsTaken(const QString& path);

}  // namespace vex
