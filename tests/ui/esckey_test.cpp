#include <gtest/gtest.h>

#include <QApplication>
#include <QPushButton>
#include <QTest>

#include "ui/esckey.h"

namespace vex {
namespace {

TEST(EscKeyTrackerTest, FollowsTheKeyAndKeepsAShortTapUntilAsked) {
    EscKeyTracker tracker;
    qApp->installEventFilter(&tracker);
    QPushButton target;
    target.show();

    QTest::keyPress(&target, Qt::Key_Escape);
    EXPECT_TRUE(tracker.isDown());
    QTest::keyRelease(&target, Qt::Key_Escape);
    EXPECT_FALSE(tracker.isDown());
    EXPECT_TRUE(tracker.takePress());  // the tap is noticed once
    EXPECT_FALSE(tracker.takePress());

    QTest::keyPress(&target, Qt::Key_A);
    EXPECT_FALSE(tracker.takePress());

    QTest::keyPress(&target, Qt::Key_Escape);
    tracker.clearPress();
    EXPECT_TRUE(tracker.takePress());  // still held down
    QTest::keyRelease(&target, Qt::Key_Escape);
    tracker.clearPress();
    EXPECT_FALSE(tracker.takePress());
    qApp->removeEventFilter(&tracker);
}

}  // namespace
}  // namespace vex
