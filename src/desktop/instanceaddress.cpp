#include "desktop/instanceaddress.h"

#include <QCryptographicHash>
#include <QDir>
#include <QGuiApplication>

#ifdef Q_OS_UNIX
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#else
#include <QStandardPaths>
#endif

namespace vex {

namespace {

// ":0", ":0.0", "unix:0" and "unix:0.0" are one display; a host keeps its name
// ("localhost:10.0" is "localhost:10", not ":10").
QString NormalisedX11Display(const QString& display) {
    const QString trimmed = display.trimmed();
    const qsizetype colon = trimmed.lastIndexOf(QLatin1Char(':'));
    if (colon < 0) {
        return trimmed;
    }
    QString host = trimmed.left(colon);
    if (host == QLatin1String("unix")) {
        host.clear();
    }
    const QString number = trimmed.mid(colon + 1).section(QLatin1Char('.'), 0, 0);
    return host + QLatin1Char(':') + number;
}

QString UserIdentity() {
#ifdef Q_OS_UNIX
    return QStringLiteral("uid ") + QString::number(getuid());
#else
    QString name = qEnvironmentVariable("USERNAME");
    if (name.isEmpty()) {
        name = QDir::homePath();
    }
    return name;
#endif
}

}  // namespace

DesktopSession SessionOf(const QString& platformName, const QString& x11Display,
                         const QString& waylandDisplay) {
    if (platformName == QLatin1String("xcb")) {
        return {platformName, NormalisedX11Display(x11Display)};
    }
    // "wayland", "wayland-egl", …: one window system, named by its socket.
    if (platformName.startsWith(QLatin1String("wayland"))) {
        const QString socket = waylandDisplay.trimmed();
        return {QStringLiteral("wayland"), socket.isEmpty() ? QStringLiteral("wayland-0") : socket};
    }
    // One session per user and platform (Windows, macOS, the offscreen platform of tests).
    return {platformName, QString()};
}

DesktopSession CurrentDesktopSession() {
    return SessionOf(QGuiApplication::platformName(), qEnvironmentVariable("DISPLAY"),
                     qEnvironmentVariable("WAYLAND_DISPLAY"));
}

QString InstanceKey(const DesktopSession& session) {
    const QString identity =
        UserIdentity() + QLatin1Char('\n') + session.platform + QLatin1Char('\n') + session.display;
    const QByteArray hash =
        QCryptographicHash::hash(identity.toUtf8(), QCryptographicHash::Sha256).toHex().left(16);
    return QStringLiteral("vexdiagnose-") + QString::fromLatin1(hash);
}

#ifdef Q_OS_UNIX

bool IsPrivateFolder(const QString& path, bool create) {
    if (path.isEmpty() || !QDir::isAbsolutePath(path)) {
        return false;
    }
    const QByteArray native = QFile::encodeName(path);
    struct stat info {};
    bool made = false;
    if (::lstat(native.constData(), &info) != 0) {
        if (errno != ENOENT || !create || ::mkdir(native.constData(), S_IRWXU) != 0 ||
            ::lstat(native.constData(), &info) != 0) {
            return false;
        }
        made = true;
    }
    if (!S_ISDIR(info.st_mode) || info.st_uid != getuid()) {
        return false;
    }
    if ((info.st_mode & 07777) != S_IRWXU) {
        // A folder we just made may lack rights under a strict umask; one found so stays
        // refused, as somebody may have been in it.
        return made && ::chmod(native.constData(), S_IRWXU) == 0;
    }
    return true;
}

QString InstanceFolder(const QString& runtimeFolder, const QString& tempFolder) {
    // The runtime folder of another user (kept by su), or one open to others, is not ours.
    if (IsPrivateFolder(runtimeFolder, false)) {
        return runtimeFolder;
    }
    if (tempFolder.isEmpty()) {
        return QString();
    }
    const QString own =
        QDir(tempFolder).filePath(QStringLiteral("vexdiagnose-") + QString::number(getuid()));
    return IsPrivateFolder(own, true) ? own : QString();
}

InstanceAddress DefaultInstanceAddressFor(const QString& runtimeFolder, const QString& tempFolder) {
    // Never a folder others can enter: whoever can put a lock or a socket there can keep the
    // program from starting or pose as the running instance.
    const QString folder = InstanceFolder(runtimeFolder, tempFolder);
    if (folder.isEmpty()) {
        std::fprintf(stderr,
                     "vexdiagnose: %s/vexdiagnose-%u is not a folder of this user of mode 0700; "
                     "running without the single-instance lock\n",
                     qPrintable(tempFolder), unsigned(getuid()));
        return {};
    }
    return InstanceAddressIn(folder, InstanceKey(CurrentDesktopSession()));
}

InstanceAddress DefaultInstanceAddress() {
    return DefaultInstanceAddressFor(qEnvironmentVariable("XDG_RUNTIME_DIR"), QDir::tempPath());
}

#else

InstanceAddress DefaultInstanceAddress() {
    QString folder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (folder.isEmpty()) {
        folder = QDir::tempPath();
    }
    return InstanceAddressIn(folder, InstanceKey(CurrentDesktopSession()));
}

#endif

InstanceAddress InstanceAddressIn(const QString& folder, const QString& key) {
    const QDir dir(folder);
#ifdef Q_OS_WIN
    // Pipe names live in their own name space; the user's hash in the key keeps them apart.
    return {dir.filePath(key + QStringLiteral(".lock")), key};
#else
    // A full path keeps the socket in the user's own folder.
    return {dir.filePath(key + QStringLiteral(".lock")),
            dir.filePath(key + QStringLiteral(".socket"))};
#endif
}

}  // namespace vex
