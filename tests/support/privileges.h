#pragma once

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>

#include <pwd.h>
#include <unistd.h>

namespace vex::test {

// Whether file permissions stop this process: can it still read a file of mode 000? Root
// reads it through its capabilities (CAP_DAC_OVERRIDE, CAP_DAC_READ_SEARCH) unless they were
// dropped, as the test stage does for the tests labelled "permissions".
inline bool PermissionsApply() {
    QTemporaryDir dir;
    QFile file(dir.filePath(QStringLiteral("mode000")));
    if (!file.open(QIODevice::WriteOnly) || file.write("x", 1) != 1) {
        return false;
    }
    file.close();
    file.setPermissions(QFileDevice::Permissions());
    const bool readable = file.open(QIODevice::ReadOnly);
    file.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    return !readable;
}

// Whether this process can make users of its own for a test (root, with useradd).
inline bool UsersCanBeMade() {
    return geteuid() == 0 && QFileInfo(QStringLiteral("/usr/sbin/useradd")).isExecutable();
}

// Whether this run was told that such tests must run, not skip: the test stage sets
// VEX_TEST_REQUIRE_PERMISSIONS=1 where it drops root's capabilities and
// VEX_TEST_REQUIRE_TWO_USERS=1 where it runs as root.
inline bool Required(const char* variable) {
    return qEnvironmentVariableIntValue(variable) == 1;
}

// A user of the test's own (root only: see UsersCanBeMade), made with useradd, without a home,
// and removed with userdel when the test lets go of it.
class TemporaryUser {
public:
    TemporaryUser()
        : name_(QStringLiteral("vextest%1-%2")
                    .arg(QCoreApplication::applicationPid())
                    .arg(counter()++)) {
        made_ = QProcess::execute(QStringLiteral("/usr/sbin/useradd"),
                                  {QStringLiteral("-M"), QStringLiteral("-U"), name_}) == 0;
        const QByteArray name = name_.toLocal8Bit();
        if (const passwd* entry = made_ ? ::getpwnam(name.constData()) : nullptr) {
            uid_ = entry->pw_uid;
            gid_ = entry->pw_gid;
        } else {
            made_ = false;
        }
    }
    ~TemporaryUser() {
        if (made_) {
            QProcess::execute(QStringLiteral("/usr/sbin/userdel"), {name_});
        }
    }
    TemporaryUser(const TemporaryUser&) = delete;
    TemporaryUser& operator=(const TemporaryUser&) = delete;

    bool made() const { return made_; }
    uid_t uid() const { return uid_; }

    // Runs a program as this user (its ids only, no other groups); its exit code, or -1.
    int run(const QString& program, const QStringList& arguments) const {
        return QProcess::execute(QStringLiteral("setpriv"),
                                 QStringList{QStringLiteral("--reuid=%1").arg(uid_),
                                             QStringLiteral("--regid=%1").arg(gid_),
                                             QStringLiteral("--clear-groups"), program} +
                                     arguments);
    }

private:
    static int& counter() {
        static int next = 0;
        return next;
    }

    QString name_;
    bool made_ = false;
    uid_t uid_ = 0;
    gid_t gid_ = 0;
};

}  // namespace vex::test

// Opens a test that relies on file permissions (suite name "…PermissionTest"): it skips where
// they do not apply (root with its capabilities), and fails there when the run must prove them.
#define VEX_SKIP_UNLESS_PERMISSIONS_APPLY()                                                    \
    do {                                                                                       \
        if (!::vex::test::PermissionsApply()) {                                                \
            if (::vex::test::Required("VEX_TEST_REQUIRE_PERMISSIONS")) {                       \
                FAIL() << "file permissions do not stop this process";                         \
            }                                                                                  \
            GTEST_SKIP() << "file permissions do not stop this process (root's capabilities)"; \
        }                                                                                      \
    } while (false)

// Opens a test that needs two users of its own (suite name "…TwoUserTest"): it skips where no
// user can be made, and fails there when the run must prove it.
#define VEX_SKIP_UNLESS_USERS_CAN_BE_MADE()                                 \
    do {                                                                    \
        if (!::vex::test::UsersCanBeMade()) {                               \
            if (::vex::test::Required("VEX_TEST_REQUIRE_TWO_USERS")) {      \
                FAIL() << "this process cannot make users (root, useradd)"; \
            }                                                               \
            GTEST_SKIP() << "only root can make the users this test needs"; \
        }                                                                   \
    } while (false)
