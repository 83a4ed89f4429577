#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QLocalServer>
#include <QLockFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QWidget>

#include "desktop/singleinstance.h"
#include "tempfiles.h"

namespace vex {
namespace {

class SingleInstanceTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(dir.isValid()); }
    InstanceAddress address() const {
        return InstanceAddressIn(dir.path(), QStringLiteral("vexdiagnose-test"));
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
    EXPECT_EQ(second.start(2000), SingleInstance::AnotherInstanceRuns);
    EXPECT_FALSE(second.isFirstInstance());
    EXPECT_FALSE(second.isListening());
    EXPECT_EQ(requests.count(), 1);
    EXPECT_EQ(handlerCalls, 1);

    // A third start is handled the same way.
    SingleInstance third(address());
    EXPECT_EQ(third.start(2000), SingleInstance::AnotherInstanceRuns);
    EXPECT_EQ(handlerCalls, 2);
}

TEST_F(SingleInstanceTest, StartDuringTheLoadingIsHandedOnOnceTheWindowIsThere) {
    SingleInstance first(address());
    ASSERT_EQ(first.start(), SingleInstance::FirstInstance);
    SingleInstance second(address());
    EXPECT_EQ(second.start(2000), SingleInstance::AnotherInstanceRuns);  // answered at once
    SingleInstance third(address());
    EXPECT_EQ(third.start(2000), SingleInstance::AnotherInstanceRuns);

    int handlerCalls = 0;
    first.setActivationHandler([&handlerCalls] { ++handlerCalls; });
    EXPECT_EQ(handlerCalls, 1);  // the two early requests raise the window once
    first.setActivationHandler([&handlerCalls] { ++handlerCalls; });
    EXPECT_EQ(handlerCalls, 1);  // and only once
    SingleInstance fourth(address());
    EXPECT_EQ(fourth.start(2000), SingleInstance::AnotherInstanceRuns);
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
    EXPECT_EQ(restarted.start(500), SingleInstance::FirstInstance);
    EXPECT_TRUE(restarted.isListening());

    SingleInstance second(address());
    EXPECT_EQ(second.start(2000), SingleInstance::AnotherInstanceRuns);
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

TEST_F(SingleInstanceTest, LiveLockHolderThatDoesNotAnswerEndsTheWaitInTime) {
    QLockFile holder(address().lockFilePath);
    ASSERT_TRUE(holder.tryLock(0));
    SingleInstance later(address());
    QElapsedTimer clock;
    clock.start();
    EXPECT_EQ(later.start(200), SingleInstance::AnotherInstanceRuns);
    EXPECT_LT(clock.elapsed(), 2000);
    EXPECT_TRUE(holder.isLocked());
}

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
