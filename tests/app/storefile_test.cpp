// The per-user store file when it is damaged or cannot be written: the program starts with its
// defaults, says nothing, and loses nothing that was stored well before.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QScreen>
#include <QTest>

#include "config/regfileformat.h"
#include "filesizelimit.h"
#include "programrun.h"
#include "search/resulttable.h"

namespace vex::test {
namespace {

const QStringList kRecords{Record("DA00", "Kolera", true), Record("DA000", "Kolera af vibrio"),
                           Record("DB01", "Skoldkopper", true),
                           Record("DB010", "Skoldkopper med meningitis")};

const QByteArray kHead =
    "Windows Registry Editor Version 5.00\r\n\r\n"
    "[HKEY_CURRENT_USER\\Software\\Tovemark\\VEXdiagnose\\Values]\r\n";
const QByteArray kModeHead = "[HKEY_CURRENT_USER\\Software\\Tovemark\\VEXdiagnose\\Mode]\r\n";

// What a start shows of the per-user values.
struct Shown {
    QPoint position;
    int height = 0;
    int topHeight = 0;
    bool freeText = false;
    bool comments = false;
    ListView extendedView = ListView::Short;
    int index = -1;
    QString searchInput;
    int gridRows = -1;
    bool operator==(const Shown&) const = default;
};

Shown Show(ProgramRun& run) {
    return {run.window().pos(),
            run.window().height(),
            run.window().topPanelHeight(),
            run.ui().chkFreeTextSearch->isChecked(),
            run.ui().chkSearchOnComments->isChecked(),
            run.window().listViews().view(),
            run.currentIndex(),
            run.searchInput(),
            run.window().results().rowCount()};
}

void PrintTo(const Shown& s, std::ostream* os) {
    *os << "pos " << s.position.x() << "," << s.position.y() << " height " << s.height << " top "
        << s.topHeight << " options " << s.freeText << s.comments << " view " << int(s.extendedView)
        << " index " << s.index << " search '" << s.searchInput.toStdString() << "' rows "
        << s.gridRows;
}

// What a first start for a user shows.
Shown FirstStart() {
    ProgramFolder folder;
    folder.writeList("ICD10vex.txt", kRecords);
    auto run = folder.start();
    return Show(*run);
}

QByteArray Garbage() {
    QByteArray bytes;
    for (int i = 0; i < 4096; ++i) {
        bytes += char((i * 7919) % 256);
    }
    return bytes;
}

// A store a real run wrote (a search, the comments option and a moved window), cut in the
// middle of its text.
QByteArray Truncated() {
    ProgramFolder folder;
    folder.writeList("ICD10vex.txt", kRecords);
    auto run = folder.start();
    run->search("kolera");
    run->window().move(20, 30);
    run->close();
    const QByteArray whole = folder.storeBytes();
    return whole.left(whole.size() / 2 + 3);
}

struct DamageCase {
    const char* what;
    QByteArray bytes;
};

TEST(StoreFileTest, DamagedStoreGivesTheDefaultsAndTheNextCloseWritesACleanOne) {
    const Shown defaults = FirstStart();
    const DamageCase cases[] = {
        {"garbage", Garbage()},
        {"values of the wrong types", kHead +
                                          "\"LastSearchInput1\"=dword:00000001\r\n"
                                          "\"IndexPointer1\"=\"abc\"\r\n"
                                          "\"IndexPointer2\"=hex(2):41,00,00,00\r\n"
                                          "\"ExtendedList1View\"=dword:00000000\r\n"
                                          "\"SearchTime1\"=dword:00000000\r\n" +
                                          kModeHead +
                                          "\"PositionTop\"=dword:00000010\r\n"
                                          "\"PositionLeft\"=hex:01,02\r\n"
                                          "\"FormHeight\"=dword:00000200\r\n"
                                          "\"PanelTopHeight\"=\"400\"\r\n"
                                          "\"FreeTextSearch\"=dword:00000001\r\n"
                                          "\"SearchOnComments\"=\"yes\"\r\n"},
        {"lines cut short and malformed",
         kHead + "\"LastSearchInput1\"=\"kol\r\n\"IndexPointer1\"=dword:zz\r\n\"Search" +
             kModeHead + "\"PositionTop\"=\"12\r\n\"PanelTopHeight\"=dword:\r\n[HKEY_CURRENT"},
        {"50 MB", kHead + "\"LastSearchInput1\"=\"kolera\"\r\n" +
                      QByteArray(50 * 1024 * 1024, ';') + "\r\n"},
        {"UTF-16 without an end", QByteArray("\xFF\xFE", 2) + QByteArray("[\0H\0K\0", 6)},
    };
    for (const DamageCase& c : cases) {
        ProgramFolder folder;
        folder.writeList("ICD10vex.txt", kRecords);
        folder.writeStore(c.bytes);
        {
            auto run = folder.start();
            ASSERT_EQ(run->outcome, StartupOutcome::Ready) << c.what;
            EXPECT_EQ(Show(*run), defaults) << c.what;
            EXPECT_TRUE(run->dialogs.shown.isEmpty()) << c.what;
            run->search("skold");
            run->close();
            EXPECT_TRUE(run->dialogs.shown.isEmpty()) << c.what;
        }
        // A clean store: it reads back to exactly what it holds, and the next start uses it.
        const QByteArray written = folder.storeBytes();
        EXPECT_LT(written.size(), 4096) << c.what;
        EXPECT_EQ(regfile::serializeBytes(regfile::parseBytes(written)), written) << c.what;
        auto next = folder.start();
        EXPECT_EQ(next->searchInput(), "skold") << c.what;
        EXPECT_EQ(next->window().results().rowCount(), 2) << c.what;
    }
}

TEST(StoreFileTest, AStoreCutShortKeepsWhatCanBeReadAndStartsNormally) {
    ProgramFolder folder;
    folder.writeList("ICD10vex.txt", kRecords);
    folder.writeStore(Truncated());
    auto run = folder.start();
    ASSERT_EQ(run->outcome, StartupOutcome::Ready);
    EXPECT_TRUE(run->dialogs.shown.isEmpty());
    run->search("skold");
    run->close();
    run.reset();
    const QByteArray written = folder.storeBytes();
    EXPECT_EQ(regfile::serializeBytes(regfile::parseBytes(written)), written);
    EXPECT_EQ(folder.start()->searchInput(), "skold");
}

TEST(StoreFileTest, NumbersOutOfRangeLeaveTheWindowOnTheScreen) {
    ProgramFolder folder;
    folder.writeList("ICD10vex.txt", kRecords);
    folder.writeStore(kHead + "\"IndexPointer1\"=\"2147483647\"\r\n\"IndexPointer2\"=\"-7\"\r\n" +
                      kModeHead +
                      "\"PositionTop\"=\"-50000\"\r\n\"PositionLeft\"=\"99999\"\r\n"
                      "\"FormHeight\"=\"99999999999\"\r\n\"PanelTopHeight\"=dword:ffffffff\r\n");
    auto run = folder.start();
    ASSERT_EQ(run->outcome, StartupOutcome::Ready);
    const QRect work = QGuiApplication::primaryScreen()->availableGeometry();
    EXPECT_TRUE(work.contains(run->window().frameGeometry()))
        << run->window().frameGeometry().x() << "," << run->window().frameGeometry().y();
    EXPECT_EQ(run->currentIndex(), 0);
    const int top = run->window().topPanelHeight();
    EXPECT_GE(top, run->window().scale().px(324));
    EXPECT_LE(top, run->window().scale().px(476));
}

// The store cannot be written because something is in the way: the folder is a file, or the
// file is a folder.
struct BlockedCase {
    const char* what;
    const char* fileInTheWay;    // relative to the configuration folder
    const char* folderInTheWay;  // likewise
};

TEST(StoreFileTest, StoreThatCannotBeWrittenIsLeftAloneSilently) {
    const BlockedCase cases[] = {
        {"store folder is a file", "Tovemark", nullptr},
        {"store file is a folder", nullptr, "Tovemark/VEXdiagnose.reg"},
    };
    for (const BlockedCase& c : cases) {
        ProgramFolder folder;
        folder.writeList("ICD10vex.txt", kRecords);
        const QDir config(folder.configFolder());
        if (c.fileInTheWay != nullptr) {
            QFile file(config.filePath(c.fileInTheWay));
            ASSERT_TRUE(file.open(QIODevice::WriteOnly));
            file.write("not a folder");
        } else {
            ASSERT_TRUE(config.mkpath(c.folderInTheWay));
        }
        for (int i = 0; i < 2; ++i) {
            auto run = folder.start();
            ASSERT_EQ(run->outcome, StartupOutcome::Ready) << c.what;
            EXPECT_TRUE(run->window().results().rowCount() == 0) << c.what;
            run->search("kolera");
            run->close();
            EXPECT_FALSE(run->window().isVisible()) << c.what;
            EXPECT_TRUE(run->dialogs.shown.isEmpty()) << c.what;
        }
        if (c.fileInTheWay != nullptr) {
            EXPECT_EQ(FileBytes(config.filePath(c.fileInTheWay)), "not a folder") << c.what;
        } else {
            EXPECT_TRUE(QFileInfo(config.filePath(c.folderInTheWay)).isDir()) << c.what;
            EXPECT_EQ(FolderEntries(config.filePath(c.folderInTheWay)), QStringList()) << c.what;
        }
        EXPECT_EQ(FolderEntries(config.filePath("Tovemark")).size(),
                  c.fileInTheWay != nullptr ? 0 : 1)
            << c.what;
    }
}

TEST(StoreFileTest, FailedWriteKeepsThePreviousStore) {
    ProgramFolder folder;
    folder.writeList("ICD10vex.txt", kRecords);
    {
        auto run = folder.start();
        run->search("kolera");
        run->close();
    }
    const QByteArray previous = folder.storeBytes();
    ASSERT_FALSE(previous.isEmpty());
    {
        auto run = folder.start();
        run->search("skold");
        QTest::mouseClick(run->ui().chkSearchOnComments, Qt::LeftButton);
        run->window().move(25, 35);
        // The disk is full while the window closes.
        FileSizeLimit full(16);
        ASSERT_TRUE(full.active());
        run->close();
        EXPECT_TRUE(run->dialogs.shown.isEmpty());
    }
    EXPECT_EQ(folder.storeBytes(), previous);
    EXPECT_EQ(FolderEntries(QFileInfo(folder.storePath()).absolutePath()),
              QStringList{"VEXdiagnose.reg"});
    auto next = folder.start();
    EXPECT_EQ(next->searchInput(), "kolera");
    EXPECT_FALSE(next->ui().chkSearchOnComments->isChecked());
}

}  // namespace
}  // namespace vex::test
