#include "base/regularfile.h"

#include <utility>

#ifdef Q_OS_UNIX
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#else
#include <QFileInfo>
#endif

namespace vex {

#ifdef Q_OS_UNIX

FileOpen OpenRegularFile(QFile& file, const QString& path, qint64 maxSize) {
    if (path.isEmpty()) {
        return FileOpen::Failed;
    }
    const QByteArray native = QFile::encodeName(path);
    // Without O_NONBLOCK, opening a named pipe waits for a writer, possibly for ever.
    int fd = -1;
    do {
        fd = ::open(native.constData(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    } while (fd < 0 && errno == EINTR);
    if (fd < 0) {
        return FileOpen::Failed;
    }
    struct stat status {};
    FileOpen outcome = FileOpen::Opened;
    if (::fstat(fd, &status) != 0) {
        outcome = FileOpen::Failed;
    } else if (!S_ISREG(status.st_mode)) {
        outcome = FileOpen::NotRegular;
    } else if (maxSize >= 0 && status.st_size > maxSize) {
        outcome = FileOpen::TooLarge;
    }
    if (outcome == FileOpen::Opened) {
        // A regular file: back to ordinary reading.
        const int flags = ::fcntl(fd, F_GETFL);
        if (flags == -1 || ::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK) == -1 ||
            !file.open(fd, QIODevice::ReadOnly | QIODevice::Unbuffered,
                       QFileDevice::AutoCloseHandle)) {
            outcome = FileOpen::Failed;
        } else {
            return outcome;  // the QFile owns the descriptor now
        }
    }
    ::close(fd);
    return outcome;
}

#else

FileOpen OpenRegularFile(QFile& file, const QString& path, qint64 maxSize) {
    // Here a file name cannot name a pipe that blocks its opening; a device or a folder is
    // refused by its kind.
    const QFileInfo info(path);
    if (path.isEmpty() || !info.exists()) {
        return FileOpen::Failed;
    }
    if (!info.isFile()) {
        return FileOpen::NotRegular;
    }
    file.setFileName(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Unbuffered)) {
        return FileOpen::Failed;
    }
    if (maxSize >= 0 && file.size() > maxSize) {
        file.close();
        return FileOpen::TooLarge;
    }
    return FileOpen::Opened;
}

#endif

FileOpen ReadRegularFile(const QString& path, qint64 maxSize, QByteArray& bytes) {
    bytes.clear();
    if (maxSize < 0) {
        return FileOpen::Failed;  // reading a whole file always needs a bound
    }
    QFile file;
    const FileOpen opened = OpenRegularFile(file, path, maxSize);
    if (opened != FileOpen::Opened) {
        return opened;
    }
    // Room for the file as it is now and one byte more, which tells whether it grew.
    QByteArray read(qsizetype(file.size()) + 1, Qt::Uninitialized);
    qsizetype got = 0;
    for (;;) {
        if (got == read.size()) {
            if (got > maxSize) {
                return FileOpen::TooLarge;
            }
            read.resize(qsizetype(qMin<qint64>(qint64(got) * 2, maxSize + 1)));
        }
        const qint64 n = file.read(read.data() + got, read.size() - got);
        if (n < 0) {
            return FileOpen::Failed;
        }
        if (n == 0) {
            break;
        }
        got += qsizetype(n);
    }
    read.truncate(got);
    bytes = std::move(read);
    return FileOpen::Opened;
}

}  // namespace vex
