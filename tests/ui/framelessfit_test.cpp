// The first show's fit on a desktop without a window manager (a kiosk session, a bare X
// server): the window has no frame at all, and no frame arrives later that would fit it again.
// This program runs on its own, on a headless screen of 1280 x 1024 that draws no frames.
#include <gtest/gtest.h>

#include <QApplication>
#include <QFile>
#include <QScreen>
#include <QTemporaryDir>
#include <QWindow>

#include "desktop/hinttiming.h"
#include "windowfixture.h"

namespace vex::test {
namespace {

const QRect kScreen(0, 0, 1280, 1024);

struct StoredPlace {
    const char* what;
    const char* top;
    const char* left;
    const char* height;  // nullptr: not stored
};

// Starts and shows the window with the stored place; the window's outer rectangle as it opened.
QRect OpenWith(WindowFixture& f, const StoredPlace& place) {
    f.writeList("ICD10vex.txt", {Record("DA00", "Kolera", true)});
    f.store.openGroup(UserGroup::Mode);
    for (const auto& [name, value] : {std::pair{"PositionTop", place.top},
                                      {"PositionLeft", place.left},
                                      {"FormHeight", place.height}}) {
        if (value != nullptr) {
            f.store.writeText(UserGroup::Mode, QLatin1String(name), QLatin1String(value));
        }
    }
    if (f.startAndShow() != StartupOutcome::Ready) {
        ADD_FAILURE() << "the window did not start";
        return {};
    }
    QApplication::processEvents();
    return f.window().frameGeometry();
}

// What the close stores as the window's place (its width is not stored).
QRect StoredOnClose(WindowFixture& f) {
    f.close();
    const auto number = [&f](const char* name) {
        const UserValue* v = f.store.data().find(UserGroup::Mode, QLatin1String(name));
        return v != nullptr ? v->text.toInt() : -1;
    };
    return {number("PositionLeft"), number("PositionTop"), f.window().width(),
            number("FormHeight")};
}

TEST(FramelessFitTest, TheHeadlessScreenIsFramelessAndOfTheExpectedSize) {
    // The cases below mean nothing on another screen, or with a fake frame.
    ASSERT_EQ(QGuiApplication::primaryScreen()->availableGeometry(), kScreen);
    WindowFixture f;
    EXPECT_EQ(OpenWith(f, {"fits", "7", "11", nullptr}).topLeft(), QPoint(11, 7));
    ASSERT_NE(f.window().windowHandle(), nullptr);
    EXPECT_TRUE(f.window().windowHandle()->frameMargins().isNull());
    EXPECT_EQ(f.window().frameGeometry(), f.window().geometry());
}

TEST(FramelessFitTest, StoredPlaceOffTheScreenOpensOnItAndIsStoredSo) {
    const StoredPlace cases[] = {
        {"above the screen", "-500", "100", nullptr},
        {"below the screen", "900", "100", nullptr},
        {"left of the screen", "100", "-300", nullptr},
        {"right of the screen", "100", "1000", nullptr},
        {"taller than the screen", "100", "100", "1200"},
    };
    for (const StoredPlace& c : cases) {
        SCOPED_TRACE(c.what);
        WindowFixture f;
        const QRect opened = OpenWith(f, c);
        EXPECT_TRUE(kScreen.contains(opened))
            << opened.x() << "," << opened.y() << " " << opened.width() << "x" << opened.height();
        // The direction that fits keeps its stored value.
        const bool sideways =
            QByteArray(c.what).contains("left") || QByteArray(c.what).contains("right");
        if (sideways) {
            EXPECT_EQ(opened.top(), 100);
        } else if (c.height == nullptr) {
            EXPECT_EQ(opened.left(), 100);
        }
        // The close stores where the window is, so that the next start opens on the screen.
        EXPECT_EQ(StoredOnClose(f), opened);
    }
}

}  // namespace
}  // namespace vex::test

// A headless screen of 1280 x 1024 whose windows have no frame, set up before the application
// object exists (the platform reads its configuration only then).
int main(int argc, char** argv) {
    QTemporaryDir dir;
    const QString config = dir.filePath(QStringLiteral("screen.json"));
    QFile file(config);
    if (!file.open(QIODevice::WriteOnly) || file.write(R"({"windowFrameMargins": false,
                       "screens": [{"name": "kiosk", "x": 0, "y": 0, "width": 1280,
                                    "height": 1024, "logicalDpi": 96}]})") < 0) {
        return 2;
    }
    file.close();
    qputenv("QT_QPA_PLATFORM", "offscreen:configfile=" + config.toLocal8Bit());
    QApplication app(argc, argv);
    vex::InstallHintTiming(app);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
