#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QLocalServer>
#include <QLocalSocket>
#include <QLockFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QWidget>

#include <algorithm>
#include <memory>
#include <vector>

#include "desktop/singleinstance.h"
#include "privileges.h"
#include "sanitizer.h"
#include "tempfiles.h"

#ifdef Q_OS_UNIX
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#endif

namespace vex {
namespace {

class SingleInstanceTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(dir.isValid()); }
    InstanceAddress address() const {
        return InstanceAddressIn(dir.path(), QStringLiteral("vexdiagnose-test"));
    }
    // Waits that keep a failing test short.
    static SingleInstance::Timing quick() {
        SingleInstance::Timing timing;
        timing.retryMs = 300;
        timing.answerMs = 5000;
        return timing;
    }

    QTemporaryDir dir;
};

TEST_F(SingleInstanceTest, SecondStartFindsTheFirstAndAsksForItsWindow) {
    SingleInstance first(address());
    ASSERT_EQ(first.start(), SingleInstance::FirstInstance);
    EXPECT_TRUE(first.isFirstInstance());
    EXPECT_TRUE(first.isListening());
    int handlerCalls = 0;
    first.setActivationHandler([&handlerCalls] { ++handlerCalls; });
    QSignalSpy requests(&first, &SingleInstance::activationRequested);

    SingleInstance second(address());
    EXPECT_EQ(second.start(), SingleInstance::AnotherInstanceRuns);
    EXPECT_FALSE(second.isFirstInstance());
    EXPECT_FALSE(second.isListening());
    EXPECT_EQ(requests.count(), 1);
    EXPECT_EQ(handlerCalls, 1);

    // A third start is handled the same way.
    SingleInstance third(address());
    EXPECT_EQ(third.start(), SingleInstance::AnotherInstanceRuns);
    EXPECT_EQ(handlerCalls, 2);
}

TEST_F(SingleInstanceTest, StartDuringTheLoadingIsHandedOnOnceTheWindowIsThere) {
    SingleInstance first(address());
    ASSERT_EQ(first.start(), SingleInstance::FirstInstance);
    SingleInstance second(address());
    EXPECT_EQ(second.start(), SingleInstance::AnotherInstanceRuns);  // answered at once
    SingleInstance third(address());
    EXPECT_EQ(third.start(), SingleInstance::AnotherInstanceRuns);

    int handlerCalls = 0;
    first.setActivationHandler([&handlerCalls] { ++handlerCalls; });
    EXPECT_EQ(handlerCalls, 1);  // the two early requests raise the window once
    first.setActivationHandler([&handlerCalls] { ++handlerCalls; });
    EXPECT_EQ(handlerCalls, 1);  // and only once
    SingleInstance fourth(address());
    EXPECT_EQ(fourth.start(), SingleInstance::AnotherInstanceRuns);
    EXPECT_EQ(handlerCalls, 2);
}

TEST_F(SingleInstanceTest, TheNextStartAfterTheFirstEndedRunsAsFirst) {
    {
        SingleInstance first(address());
        ASSERT_EQ(first.start(), SingleInstance::FirstInstance);
    }
    SingleInstance next(address());
    EXPECT_EQ(next.start(), SingleInstance::FirstInstance);
    EXPECT_TRUE(next.isListening());
}

TEST_F(SingleInstanceTest, StaleLockOfACrashedInstanceDoesNotBlock) {
    // A lock file whose process is gone, and the socket it left behind.
    test::writeFile(dir, QStringLiteral("vexdiagnose-test.lock"), "2147483000\nvexdiagnose\n\n");
#ifndef Q_OS_WIN
    test::writeFile(dir, QStringLiteral("vexdiagnose-test.socket"), "");
#endif
    SingleInstance restarted(address());
    EXPECT_EQ(restarted.start(), SingleInstance::FirstInstance);
    EXPECT_TRUE(restarted.isListening());

    SingleInstance second(address());
    EXPECT_EQ(second.start(), SingleInstance::AnotherInstanceRuns);
}

TEST_F(SingleInstanceTest, LeftOverServerNameIsTakenOverByTheLockHolder) {
    // The name is still served by something that is not the lock holder (as after a crash on
    // systems where the name outlives its process).
    QLocalServer leftover;
    ASSERT_TRUE(leftover.listen(address().serverName));
    leftover.close();
#ifndef Q_OS_WIN
    test::writeFile(dir, QStringLiteral("vexdiagnose-test.socket"), "");
#endif
    SingleInstance first(address());
    ASSERT_EQ(first.start(), SingleInstance::FirstInstance);
    EXPECT_TRUE(first.isListening());
}

TEST_F(SingleInstanceTest, LockHolderThatNeverListensLeavesAWindowOfItsOwn) {
    QLockFile holder(address().lockFilePath);
    ASSERT_TRUE(holder.tryLock(0));
    SingleInstance later(address(), quick());
    QElapsedTimer clock;
    clock.start();
    EXPECT_EQ(later.start(), SingleInstance::RunsUnguarded);
    EXPECT_TRUE(later.isFirstInstance());
    EXPECT_LT(clock.elapsed(), 2000);
    EXPECT_TRUE(holder.isLocked());
}

TEST_F(SingleInstanceTest, StartWaitsForARunningInstanceThatAnswersLate) {
    // A running instance still loading its lists answers once its event loop runs.
    QLockFile holder(address().lockFilePath);
    ASSERT_TRUE(holder.tryLock(0));
    QLocalServer loading;
    ASSERT_TRUE(loading.listen(address().serverName));
    QObject::connect(&loading, &QLocalServer::newConnection, [&loading] {
        QLocalSocket* socket = loading.nextPendingConnection();
        QTimer::singleShot(800, socket, [socket] { socket->write("ok\n"); });
    });
    SingleInstance later(address(), quick());
    EXPECT_EQ(later.start(), SingleInstance::AnotherInstanceRuns);
}

TEST_F(SingleInstanceTest, ConnectionThatSaysNothingIsDropped) {
    SingleInstance::Timing timing = quick();
    timing.idleMs = 50;
    SingleInstance first(address(), timing);
    ASSERT_EQ(first.start(), SingleInstance::FirstInstance);
    QLocalSocket silent;
    silent.connectToServer(address().serverName);
    ASSERT_TRUE(silent.waitForConnected(1000));
    EXPECT_TRUE(QTest::qWaitFor(
        [&silent] { return silent.state() == QLocalSocket::UnconnectedState; }, 2000));
}

TEST_F(SingleInstanceTest, RunningInstanceWhoseLockVanishedKeepsItsSocket) {
    SingleInstance first(address());
    ASSERT_EQ(first.start(), SingleInstance::FirstInstance);
    QSignalSpy requests(&first, &SingleInstance::activationRequested);
    ASSERT_TRUE(QFile::remove(address().lockFilePath));  // a cleaner of temporary files

    SingleInstance second(address());
    EXPECT_EQ(second.start(), SingleInstance::AnotherInstanceRuns);
    EXPECT_EQ(requests.count(), 1);
    EXPECT_TRUE(first.isListening());
}

TEST_F(SingleInstanceTest, EachDesktopSessionOfTheUserHasItsOwnInstance) {
    const auto in = [this](const QString& platform, const QString& x11, const QString& wayland) {
        return InstanceAddressIn(dir.path(), InstanceKey(SessionOf(platform, x11, wayland)));
    };
    SingleInstance x0(in("xcb", ":0", ""));
    ASSERT_EQ(x0.start(), SingleInstance::FirstInstance);
    SingleInstance wayland0(in("wayland", "", ""));
    ASSERT_EQ(wayland0.start(), SingleInstance::FirstInstance);
    for (const char* same : {":0.0", "unix:0", "unix:0.0", " :0 "}) {
        SingleInstance again(in("xcb", same, ""));
        EXPECT_EQ(again.start(), SingleInstance::AnotherInstanceRuns) << same;
    }
    SingleInstance waylandAgain(in("wayland-egl", ":0", "wayland-0"));
    EXPECT_EQ(waylandAgain.start(), SingleInstance::AnotherInstanceRuns);
    for (const auto& other : {SessionOf("xcb", ":1", ""), SessionOf("xcb", "localhost:0.0", ""),
                              SessionOf("wayland", "", "wayland-1")}) {
        SingleInstance elsewhere(InstanceAddressIn(dir.path(), InstanceKey(other)));
        EXPECT_EQ(elsewhere.start(), SingleInstance::FirstInstance) << other.display.toStdString();
    }
}

#ifdef Q_OS_LINUX
// Lowers the limit of open files of this process for a while.
class FileLimit {
public:
    explicit FileLimit(rlim_t softLimit) {
        ::getrlimit(RLIMIT_NOFILE, &saved_);
        rlimit lower = saved_;
        lower.rlim_cur = softLimit;
        ::setrlimit(RLIMIT_NOFILE, &lower);
    }
    ~FileLimit() { ::setrlimit(RLIMIT_NOFILE, &saved_); }
    static rlim_t openFiles() {
        return rlim_t(QDir(QStringLiteral("/proc/self/fd")).entryList(QDir::Files).size());
    }

private:
    rlimit saved_{};
};

TEST_F(SingleInstanceTest, IdleConnectionsCannotUseUpTheServersFileHandles) {
    SingleInstance::Timing patient = quick();
    patient.idleMs = 60000;  // only the bound on connections is left to protect it
    patient.relistenMs = 60000;
    SingleInstance first(address(), patient);
    ASSERT_EQ(first.start(), SingleInstance::FirstInstance);

    std::vector<std::unique_ptr<QLocalSocket>> idle;
    {
        const FileLimit limit(FileLimit::openFiles() + 50);
        for (int i = 0; i < 30; ++i) {
            idle.push_back(std::make_unique<QLocalSocket>());
            idle.back()->connectToServer(address().serverName);
            ASSERT_TRUE(idle.back()->waitForConnected(1000)) << i;
        }
        const auto held = [&idle] {
            return std::count_if(idle.begin(), idle.end(), [](const auto& socket) {
                return socket->state() == QLocalSocket::ConnectedState;
            });
        };
        EXPECT_TRUE(QTest::qWaitFor([&] { return held() <= SingleInstance::kMaxConnections; }));
        EXPECT_TRUE(first.isListening());
        SingleInstance second(address(), patient);
        EXPECT_EQ(second.start(), SingleInstance::AnotherInstanceRuns);
    }
}

TEST_F(SingleInstanceTest, ServerThatClosedOnAFailureListensAgain) {
    // The sanitizers open a pipe to check that memory can be read before they check an
    // object's type: with every file handle taken they report a fault that is not there.
    VEX_SKIP_IN_ADDRESS_SANITIZER_BUILD("the sanitizers need file handles of their own");
    SingleInstance::Timing timing = quick();
    timing.relistenMs = 20;
    SingleInstance first(address(), timing);
    ASSERT_EQ(first.start(), SingleInstance::FirstInstance);
    QLocalSocket last;
    {
        // The connection takes the last file handle, so that the server cannot accept it.
        const FileLimit limit(FileLimit::openFiles() + 8);
        std::vector<int> taken;
        for (int fd = 0; fd >= 0;) {
            fd = ::open("/dev/null", O_RDONLY);
            taken.push_back(fd);
        }
        taken.pop_back();
        ::close(taken.back());
        taken.pop_back();
        last.connectToServer(address().serverName);
        const bool connected = last.waitForConnected(1000);
        const bool closed = QTest::qWaitFor([&first] { return !first.isListening(); }, 2000);
        for (const int fd : taken) {
            ::close(fd);
        }
        ASSERT_TRUE(connected);
        ASSERT_TRUE(closed);
    }
    EXPECT_TRUE(QTest::qWaitFor([&first] { return first.isListening(); }, 2000));
    SingleInstance second(address(), timing);
    EXPECT_EQ(second.start(), SingleInstance::AnotherInstanceRuns);
}
#endif

#ifdef Q_OS_UNIX
TEST_F(SingleInstanceTest, OnlyAPrivateFolderOfTheUserHoldsLockAndSocket) {
    const QDir base(dir.path());
    const QString own = base.filePath(QStringLiteral("vexdiagnose-%1").arg(getuid()));
    // A runtime folder open to others, or a link, is passed over for a folder of our own,
    // made private.
    ASSERT_TRUE(base.mkdir("open"));
    QFile::setPermissions(base.filePath("open"), QFile::ReadOwner | QFile::WriteOwner |
                                                     QFile::ExeOwner | QFile::ReadOther |
                                                     QFile::ExeOther);
    EXPECT_EQ(InstanceFolder(base.filePath("open"), base.path()), own);
    EXPECT_EQ(QFileInfo(own).permissions() & 0x0777,
              QFile::ReadUser | QFile::WriteUser | QFile::ExeUser);
    ASSERT_TRUE(QFile::link(own, base.filePath("link")));
    EXPECT_EQ(InstanceFolder(base.filePath("link"), base.path()), own);
    EXPECT_EQ(InstanceFolder(own, base.path()), own);

    // A folder of ours found open, or a link in its place, is refused, not repaired.
    QFile::setPermissions(own, QFile::permissions(own) | QFile::ExeOther);
    EXPECT_EQ(InstanceFolder(QString(), base.path()), QString());
    const QString elsewhere = base.filePath("elsewhere");
    ASSERT_TRUE(QDir().rename(own, elsewhere));
    QFile::setPermissions(elsewhere, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    ASSERT_TRUE(QFile::link(elsewhere, own));
    EXPECT_EQ(InstanceFolder(QString(), base.path()), QString());

    // Then the start runs a window of its own.
    SingleInstance unguarded(InstanceAddress{});
    EXPECT_EQ(unguarded.start(), SingleInstance::RunsUnguarded);
    EXPECT_TRUE(unguarded.isFirstInstance());
    EXPECT_FALSE(unguarded.isListening());
}

TEST(SingleInstanceTwoUserTest, FolderMadeByAnotherUserIsNotUsed) {
    VEX_SKIP_UNLESS_USERS_CAN_BE_MADE();
    test::TemporaryUser mallory;
    ASSERT_TRUE(mallory.made());
    QTemporaryDir tmp;  // a shared temporary folder, as /tmp
    ASSERT_TRUE(tmp.isValid());
    ASSERT_EQ(::chmod(QFile::encodeName(tmp.path()).constData(), 01777), 0);
    // The other user makes the folder our start would make, private to him.
    const QString ours = QDir(tmp.path()).filePath(QStringLiteral("vexdiagnose-%1").arg(getuid()));
    ASSERT_EQ(mallory.run("mkdir", {"-m", "0700", ours}), 0);

    EXPECT_EQ(InstanceFolder(QString(), tmp.path()), QString());
    SingleInstance start(DefaultInstanceAddressFor(QString(), tmp.path()));
    EXPECT_EQ(start.start(), SingleInstance::RunsUnguarded);
    EXPECT_TRUE(QDir(ours).isEmpty()) << "lock or socket put in another user's folder";
}
#endif

TEST(BringWindowToFrontTest, RestoresAMinimisedWindow) {
    QWidget window;
    window.showMinimized();
    ASSERT_TRUE(window.isMinimized());
    BringWindowToFront(&window);
    EXPECT_FALSE(window.isMinimized());
    EXPECT_TRUE(window.isVisible());

    QWidget hidden;
    BringWindowToFront(&hidden);
    EXPECT_TRUE(hidden.isVisible());
    BringWindowToFront(nullptr);
}

}  // namespace
}  // namespace vex
