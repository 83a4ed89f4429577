#pragma once

#include <QString>

namespace vex {

// Where the running instance of one user in one desktop session can be found: the lock file
// it holds and the name of the local server it listens on. Both empty: no place could be
// trusted, and the program runs without the single-instance guard.
struct InstanceAddress {
    QString lockFilePath;
    QString serverName;

    bool isGuarded() const { return !lockFilePath.isEmpty(); }
};

// The desktop session a window appears in: the window system and its display, normalised so
// that the spellings of one display meet (":0", ":0.0" and "unix:0" are one X display; a
// Wayland session is named by its socket, "wayland-0" when none is set).
struct DesktopSession {
    QString platform;
    QString display;
};

// The session from a platform name (as the application reports it) and the display variables.
DesktopSession SessionOf(const QString& platformName, const QString& x11Display,
                         const QString& waylandDisplay);

// The session of this process (the application object must exist).
DesktopSession CurrentDesktopSession();

// The name of the lock and server of the current user in a session: "vexdiagnose-" and a hash
// of the user's id (its name where there are no ids) and of the session.
QString InstanceKey(const DesktopSession& session);

#ifdef Q_OS_UNIX
// Whether path is a folder only this user can enter: a directory itself (not a link), owned by
// this user's id, of mode 0700. With create, a missing folder is made so.
bool IsPrivateFolder(const QString& path, bool create);

// The folder for lock and socket: the session's runtime folder when it is private, otherwise
// a folder of the program's own in tempFolder ("vexdiagnose-" + user id), made private when
// missing. Empty when neither can be trusted.
QString InstanceFolder(const QString& runtimeFolder, const QString& tempFolder);

// The address of the current session in the folder InstanceFolder chooses; unguarded (with a
// line on standard error) when it chooses none.
InstanceAddress DefaultInstanceAddressFor(const QString& runtimeFolder, const QString& tempFolder);
#endif

// The address for the current user in the current desktop session; on Unix in the session's
// runtime folder or the program's own folder in the temporary folder.
InstanceAddress DefaultInstanceAddress();

// An address in a given folder (tests, or a second program that must not meet ours).
InstanceAddress InstanceAddressIn(const QString& folder, const QString& key);

}  // namespace vex
