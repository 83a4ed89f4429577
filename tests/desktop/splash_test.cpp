#include <gtest/gtest.h>

#include <QFrame>
#include <QLabel>
#include <QPointer>
#include <QTest>
#include <QTimer>

#include "desktop/captions.h"
#include "desktop/splashcontrol.h"
#include "desktop/splashscreen.h"

namespace vex {
namespace {

QLabel* LoadingLabel(SplashScreen* splash) {
    return splash->findChild<QLabel*>(QStringLiteral("lblLoading"));
}
QTimer* Timer(SplashScreen* splash, const char* name) {
    return splash->findChild<QTimer*>(QString::fromLatin1(name));
}

// Waits (bounded) until the splash has been destroyed.
bool Destroyed(const QPointer<SplashScreen>& splash) {
    return QTest::qWaitFor([&] { return splash.isNull(); }, 3000);
}

TEST(SplashScreenTest, PictureFollowsTheDataFileOnTheCommandLine) {
    struct Case {
        const char* param1;
        const char* param2;
        bool alternative;
    };
    const Case cases[] = {
        {"", "", false},
        {"/F:ICD10vex.txt", "", false},
        {"/F:Behandling-procedurer-vex.txt", "", true},
        {"/F:icd10VEX.TXT", "", false},
        {"/F1:ICD10vex.txt", "", false},  // the name keeps "F1:" and still has both marks
        {"/Andet.txt", "", true},
        {"Behandling-procedurer-vex.txt", "", false},  // a plain name gives no name
        {"/F2:Behandling-procedurer-vex.txt", "", false},
        {"/F:ICD10vex.txt", "/F:Andet.txt", true},
        {"/F:Andet.txt", "/F:ICD10vex.txt", false},
    };
    for (const Case& c : cases) {
        SplashControl control;
        control.start(QString::fromUtf8(c.param1), QString::fromUtf8(c.param2), 96);
        ASSERT_TRUE(control.exists());
        EXPECT_TRUE(control.splash()->isVisible());
        EXPECT_EQ(control.splash()->alternativePictureShown(), c.alternative)
            << c.param1 << " " << c.param2;
    }
}

TEST(SplashScreenTest, WindowAndComponentsAtDesignSizeAndScaled) {
    for (int dpi : {96, 144}) {
        SplashScreen splash(QString(), dpi);
        const auto px = [dpi](int v) { return v * dpi / 96; };
        EXPECT_EQ(splash.size(), QSize(px(366), px(102)));
        const Qt::WindowFlags flags = splash.windowFlags();
        EXPECT_TRUE(flags.testFlag(Qt::FramelessWindowHint));
        EXPECT_TRUE(flags.testFlag(Qt::WindowStaysOnTopHint));
        EXPECT_EQ(flags & Qt::WindowType_Mask, Qt::SplashScreen);

        auto* panel = splash.findChild<QFrame*>(QStringLiteral("Panel1"));
        ASSERT_NE(panel, nullptr);
        EXPECT_EQ(panel->geometry(), splash.rect());
        EXPECT_EQ(panel->frameShadow(), QFrame::Raised);
        auto* image1 = splash.findChild<QLabel*>(QStringLiteral("Image1"));
        auto* image2 = splash.findChild<QLabel*>(QStringLiteral("Image2"));
        ASSERT_NE(image1, nullptr);
        ASSERT_NE(image2, nullptr);
        EXPECT_EQ(image1->geometry(), QRect(px(2), px(2), px(362), px(98)));
        EXPECT_LE(image1->pixmap().width(), px(362));  // scaled into the area, proportions kept
        EXPECT_EQ(image1->pixmap().height(), px(98));
        EXPECT_EQ(image2->pixmap().size(), QSize(px(365), px(99)));  // not scaled
        EXPECT_TRUE(image2->isHidden());

        QLabel* label = LoadingLabel(&splash);
        ASSERT_NE(label, nullptr);
        EXPECT_EQ(label->pos(), QPoint(px(212), px(86)));
        EXPECT_GE(label->width(), px(72));  // grows only when the font needs more room
        EXPECT_GE(label->height(), px(14));
        EXPECT_EQ(label->font().family(), QStringLiteral("Arial"));
        EXPECT_EQ(label->font().pointSize(), 8);
        EXPECT_EQ(LabelCaption(label), QStringLiteral("Indlæser data ."));
        EXPECT_TRUE(label->isHidden());

        EXPECT_EQ(Timer(&splash, "CycleCountAutoClose")->interval(), 50);
        EXPECT_TRUE(Timer(&splash, "CycleCountAutoClose")->isActive());
        EXPECT_EQ(Timer(&splash, "CloseTimer")->interval(), 1000);
        EXPECT_FALSE(Timer(&splash, "CloseTimer")->isActive());
    }
}

TEST(SplashScreenTest, LoadingTextAppearsAtTick30AndSpinsFromTick31) {
    SplashScreen splash(QString(), 96);
    QLabel* label = LoadingLabel(&splash);
    for (int i = 1; i < 30; ++i) {
        splash.tick();
    }
    EXPECT_TRUE(label->isHidden());
    splash.tick();
    EXPECT_EQ(splash.tickCount(), 30);
    EXPECT_FALSE(label->isHidden());
    EXPECT_EQ(LabelCaption(label), QStringLiteral("Indlæser data ."));  // its design caption

    const QStringList spinner{QStringLiteral(" /"), QStringLiteral("--"), QStringLiteral("\\"),
                              QStringLiteral(" |"), QStringLiteral(" /"), QStringLiteral("--")};
    for (const QString& glyph : spinner) {
        splash.tick();
        EXPECT_EQ(splash.spinnerText(), glyph);
        EXPECT_EQ(LabelCaption(label), QStringLiteral("Indlæser data ") + glyph);
    }
    EXPECT_TRUE(Timer(&splash, "CycleCountAutoClose")->isActive());
}

TEST(SplashScreenTest, ReleasesItselfOnTheTickAfterTheThreeThousandth) {
    QPointer<SplashScreen> splash = new SplashScreen(QString(), 96);
    splash->show();
    for (int i = 0; i < 3000; ++i) {
        splash->tick();
    }
    EXPECT_EQ(splash->tickCount(), 3000);
    EXPECT_FALSE(splash->isReleased());
    splash->tick();
    EXPECT_TRUE(splash->isReleased());
    EXPECT_EQ(splash->tickCount(), 3000);
    EXPECT_FALSE(splash->isVisible());
    EXPECT_TRUE(Destroyed(splash));
}

TEST(SplashScreenTest, CloseRequestHidesTheLoadingTextAndReleasesASecondLater) {
    SplashControl control;
    control.start(QString(), QString(), 96);
    QPointer<SplashScreen> splash = control.splash();
    for (int i = 0; i < 31; ++i) {
        splash->tick();
    }
    QLabel* label = LoadingLabel(splash);
    ASSERT_FALSE(label->isHidden());
    control.requestClose(true);
    EXPECT_TRUE(label->isHidden());
    EXPECT_TRUE(Timer(splash, "CloseTimer")->isActive());
    EXPECT_TRUE(control.exists());
    EXPECT_TRUE(Destroyed(splash));  // by CloseTimer's own tick
    EXPECT_FALSE(control.exists());

    // The splash is gone: further requests do nothing.
    control.requestClose();
    control.requestClose(true);
    EXPECT_FALSE(control.exists());
}

TEST(SplashScreenTest, CloseRequestWithoutHidingKeepsTheLoadingText) {
    SplashControl control;
    control.start(QString(), QString(), 96);
    QPointer<SplashScreen> splash = control.splash();
    for (int i = 0; i < 30; ++i) {
        splash->tick();
    }
    control.requestClose();
    EXPECT_FALSE(LoadingLabel(splash)->isHidden());
    splash->CloseTimerTimer();
    EXPECT_FALSE(control.exists());
    EXPECT_TRUE(Destroyed(splash));
}

TEST(SplashScreenTest, CloseRequestWithoutASplashIsHarmless) {
    SplashControl never;
    never.requestClose(true);
    EXPECT_FALSE(never.exists());
    EXPECT_EQ(never.splash(), nullptr);
}

}  // namespace
}  // namespace vex
