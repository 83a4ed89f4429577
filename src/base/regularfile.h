#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>

namespace vex {

// How opening a file for reading went.
enum class FileOpen {
    Opened,      // a regular file within the size limit, open for reading
    Failed,      // missing, no permission, or any other failure of the system
    NotRegular,  // a folder, a named pipe, a device or a socket (also behind a link)
    TooLarge,    // a regular file larger than the limit
};

// Opens the file for reading when it is a regular file of at most maxSize bytes (any size
// when maxSize is negative), and never blocks: a named pipe without a writer or a device is
// refused before anything is read from it. The checks are made on the opened file itself, so
// nothing can be put in its place between the check and the reading. A file opened here still
// has to be read with a bound of its own where it may grow while it is read. It is open
// without a buffer of its own: read it in large blocks.
FileOpen OpenRegularFile(QFile& file, const QString& path, qint64 maxSize = -1);

// Reads the whole of a regular file of at most maxSize bytes (not negative) into bytes (Opened). A
// file that grows past maxSize while it is read is TooLarge too; a read error is Failed. bytes is
// empty unless the answer is Opened.
FileOpen ReadRegularFile(const QString& path, qint64 maxSize, QByteArray& bytes);

}  // namespace vex
