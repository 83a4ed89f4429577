#include "config/regfileformat.h"
#include "config/regfileuserstore.h"

#include "filesizelimit.h"
#include "privileges.h"
#include "tempfiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <sys/stat.h>

using namespace vex;

namespace {

QByteArray readBytes(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

const QByteArray kValuesSection = "[HKEY_CURRENT_USER\\Software\\Tovemark\\VEXdiagnose\\Values]";
const QByteArray kModeSection = "[HKEY_CURRENT_USER\\Software\\Tovemark\\VEXdiagnose\\Mode]";

UserStoreData sampleData() {
    UserStoreData d;
    d.set(UserGroup::Values, QStringLiteral("LastSearchInput1"),
          UserValue::fromText(QStringLiteral("C:\\sti \"citat\" æøå")));
    d.set(UserGroup::Values, QStringLiteral("LastSearchInput2"), UserValue::fromText({}));
    d.set(UserGroup::Values, QStringLiteral("Odd"),
          UserValue::fromText(QStringLiteral("to\r\nlinjer\x01")));
    d.set(UserGroup::Mode, QStringLiteral("PanelTopHeight"), UserValue::fromDword(440));
    d.set(UserGroup::Mode, QStringLiteral("Max"), UserValue::fromDword(0xFFFFFFFFu));
    UserValue binary;
    binary.type = UserValue::Type::Other;
    binary.otherType = 3;
    binary.otherBytes = QByteArray("\x00\xFF\x10", 3);
    d.set(UserGroup::Mode, QStringLiteral("Binary"), binary);
    return d;
}

}  // namespace

TEST(RegFile, serializedTextHasTheRegistryExportForm) {
    UserStoreData d;
    d.set(UserGroup::Values, QStringLiteral("LastSearchInput1"),
          UserValue::fromText(QStringLiteral("a\\b \"c\"")));
    d.set(UserGroup::Mode, QStringLiteral("PanelTopHeight"), UserValue::fromDword(440));
    d.set(UserGroup::Mode, QStringLiteral("FreeTextSearch"), UserValue::fromText({}));
    EXPECT_EQ(regfile::serializeBytes(d),
              "Windows Registry Editor Version 5.00\r\n"
              "\r\n" +
                  kValuesSection +
                  "\r\n"
                  "\"LastSearchInput1\"=\"a\\\\b \\\"c\\\"\"\r\n"
                  "\r\n" +
                  kModeSection +
                  "\r\n"
                  "\"FreeTextSearch\"=\"\"\r\n"
                  "\"PanelTopHeight\"=dword:000001b8\r\n");
}

TEST(RegFile, saveThenParse_roundTripKeepsTextsAndTypes) {
    const UserStoreData d = sampleData();
    const QByteArray bytes = regfile::serializeBytes(d);
    EXPECT_TRUE(bytes.contains("\"Odd\"=hex(1):74,00,6f,00,0d,00,0a,00"));
    EXPECT_TRUE(bytes.contains("\"Binary\"=hex:00,ff,10\r\n"));
    EXPECT_EQ(regfile::parseBytes(bytes), d);
}

// A text may begin with U+FEFF (pasted with a search string); inside a value it is text, not a
// byte-order mark, so writing and reading the store again must keep it.
TEST(RegFile, textBeginningWithFeffKeepsIt) {
    UserStoreData d;
    d.set(UserGroup::Values, QStringLiteral("Hex"),
          UserValue::fromText(QStringLiteral("\uFEFF\tfeber")));  // written as hex(1)
    d.set(UserGroup::Values, QStringLiteral("Plain"),
          UserValue::fromText(QStringLiteral("\uFEFFfeber")));
    EXPECT_EQ(regfile::parseBytes(regfile::serializeBytes(d)), d);
}

TEST(RegFile, parserIsLenientAboutFormAndStrictAboutValues) {
    const QString text = QStringLiteral(
        "REGEDIT4\n"
        "[hkey_current_user\\software\\tovemark\\vexdiagnose\\values]\n"
        "\"A\" = \"1\"  \n"
        "\"a\"=\"2\"\n"                                // names ignore case; the last one counts
        "\"Hex1\"=hex(1):41,00,\\\n    42,00,00,00\n"  // continued hex list
        "\"Dw\"=hex(4):b8,01,00,00\n"
        "\"Bad1\"=dword:1234567890\n"  // nine digits
        "\"Bad2\"=dword:xyz\n"
        "\"Bad3\"=\"not closed\n"
        "\"Bad4\"=\"x\" trailing\n"
        "\"Bad5\"=hex:1,2\n"
        "\"Gone\"=-\n"
        "@=\"default\"\n"
        "[HKEY_CURRENT_USER\\Software\\Other]\n"
        "\"Foreign\"=\"x\"\n");
    const UserStoreData d = regfile::parse(text);
    EXPECT_TRUE(d.values.exists);
    EXPECT_FALSE(d.mode.exists);
    ASSERT_EQ(d.values.values.size(), 3);
    EXPECT_EQ(*d.find(UserGroup::Values, QStringLiteral("A")),
              UserValue::fromText(QStringLiteral("2")));
    EXPECT_EQ(*d.find(UserGroup::Values, QStringLiteral("hex1")),
              UserValue::fromText(QStringLiteral("AB")));
    EXPECT_EQ(*d.find(UserGroup::Values, QStringLiteral("DW")), UserValue::fromDword(440));
}

TEST(RegFile, largeTypeNumbersOfForeignValuesSurviveAWrite) {
    // Type numbers are 32 bits, the upper half included: they must neither overflow the
    // reader nor come out of the writer negative (the value would be lost at the next write).
    const UserStoreData d = regfile::parseBytes(kModeSection +
                                                "\n\"Top\"=hex(ffffffff):01\n"
                                                "\"Mid\"=hex(80000000):02,03\n"
                                                "\"Low\"=hex(7fffffff):\n");
    ASSERT_EQ(d.mode.values.size(), 3);
    EXPECT_EQ(quint32(d.find(UserGroup::Mode, QStringLiteral("Top"))->otherType), 0xFFFFFFFFu);
    EXPECT_EQ(quint32(d.find(UserGroup::Mode, QStringLiteral("Mid"))->otherType), 0x80000000u);
    const QByteArray bytes = regfile::serializeBytes(d);
    EXPECT_TRUE(bytes.contains("\"Top\"=hex(ffffffff):01\r\n"));
    EXPECT_EQ(regfile::parseBytes(bytes), d);
}

TEST(RegFile, utf16FileWithByteOrderMarkIsRead) {
    const QString text = QStringLiteral("\uFEFF") + QString::fromLatin1(kModeSection) +
                         QStringLiteral("\r\n\"FreeTextSearch\"=\"1\"\r\n");
    QByteArray bytes(reinterpret_cast<const char*>(text.utf16()), text.size() * 2);
    const UserStoreData d = regfile::parseBytes(bytes);
    ASSERT_NE(d.find(UserGroup::Mode, QStringLiteral("FreeTextSearch")), nullptr);
    EXPECT_EQ(d.find(UserGroup::Mode, QStringLiteral("FreeTextSearch"))->text, QStringLiteral("1"));
}

TEST(RegFileStore, defaultPathFollowsXdgConfigHome) {
    QTemporaryDir dir;
    const QByteArray old = qgetenv("XDG_CONFIG_HOME");
    qputenv("XDG_CONFIG_HOME", dir.path().toUtf8());
    const QString path = RegFileUserStore::defaultPath();
    qputenv("XDG_CONFIG_HOME", old);
    EXPECT_EQ(path, dir.path() + QStringLiteral("/Tovemark/VEXdiagnose.reg"));
}

TEST(RegFileStore, commitCreatesTheFolderAndWritesOnlyWhenChanged) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("a/Tovemark/VEXdiagnose.reg"));
    RegFileUserStore store(path);
    EXPECT_TRUE(store.commit());
    EXPECT_FALSE(QFileInfo::exists(path));  // nothing changed, nothing written

    ASSERT_TRUE(store.openGroup(UserGroup::Values));
    ASSERT_TRUE(store.writeText(UserGroup::Values, QStringLiteral("X"), QStringLiteral("y")));
    ASSERT_TRUE(store.commit());
    RegFileUserStore again(path);
    EXPECT_EQ(again.readText(UserGroup::Values, QStringLiteral("x")), QStringLiteral("y"));
    EXPECT_EQ(QDir(QFileInfo(path).path()).entryList(QDir::Files | QDir::Hidden).size(), 1);
}

// The store holds what the user searched for: folders made for it and the file are its
// user's alone, whatever the umask and whatever mode an older file had.
TEST(RegFileStore, commitKeepsFolderAndFilePrivateWhateverTheUmask) {
    QTemporaryDir dir;
    const QString folder = dir.filePath(QStringLiteral("config/Tovemark"));
    const QString path = folder + QStringLiteral("/VEXdiagnose.reg");
    const auto mode = [](const QString& p) {
        struct stat st {};
        return ::stat(QFile::encodeName(p).constData(), &st) == 0 ? int(st.st_mode & 07777) : -1;
    };
    const mode_t oldMask = ::umask(0);
    RegFileUserStore store(path);
    store.writeText(UserGroup::Values, QStringLiteral("LastSearchInput1"), QStringLiteral("hiv"));
    const bool written = store.commit();
    ::umask(oldMask);
    ASSERT_TRUE(written);
    EXPECT_EQ(mode(dir.filePath(QStringLiteral("config"))), 0700);
    EXPECT_EQ(mode(folder), 0700);
    EXPECT_EQ(mode(path), 0600);

    ASSERT_EQ(::chmod(QFile::encodeName(path).constData(), 0644), 0);  // an older store
    store.writeText(UserGroup::Values, QStringLiteral("LastSearchInput1"), QStringLiteral("x"));
    ASSERT_TRUE(store.commit());
    EXPECT_EQ(mode(path), 0600);
}

TEST(RegFileStore, damagedFiles_readWhatTheyCanWithoutCrashing) {
    QTemporaryDir dir;
    const QByteArray good = "Windows Registry Editor Version 5.00\r\n\r\n" + kValuesSection +
                            "\r\n\"LastSearchInput1\"=\"feber\"\r\n\"IndexPointer1\"=\"12\"\r\n";
    // Cut in the middle of the last value: the values before the cut survive.
    RegFileUserStore truncated(
        test::writeFile(dir, QStringLiteral("t.reg"), good.left(good.size() - 5)));
    EXPECT_EQ(truncated.readText(UserGroup::Values, QStringLiteral("LastSearchInput1")),
              QStringLiteral("feber"));
    EXPECT_FALSE(truncated.exists(UserGroup::Values, QStringLiteral("IndexPointer1")));

    QByteArray garbage(64 * 1024, '\0');
    QRandomGenerator rng(4711);
    for (char& c : garbage) {
        c = char(rng.bounded(256));
    }
    garbage.insert(1000, kValuesSection + "\n\"x\"=hex(1):" + QByteArray(5000, ',') + "\n\"");
    RegFileUserStore noise(test::writeFile(dir, QStringLiteral("g.reg"), garbage));
    EXPECT_EQ(noise.readText(UserGroup::Values, QStringLiteral("LastSearchInput1")), QString());

    RegFileUserStore folder(dir.path());  // a folder where the file should be
    EXPECT_TRUE(folder.data().values.values.isEmpty());
}

// A named pipe or a link to an endless device as the store: read as an empty store at once,
// never waiting for a writer or reading without end.
TEST(RegFileStore, specialFile_readsAsEmptyWithoutBlocking) {
    QTemporaryDir dir;
    const QString pipe = dir.filePath(QStringLiteral("pipe.reg"));
    ASSERT_EQ(::mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);
    const QString device = dir.filePath(QStringLiteral("zero.reg"));
    ASSERT_TRUE(QFile::link(QStringLiteral("/dev/zero"), device));
    for (const QString& path : {pipe, device}) {
        RegFileUserStore store(path);
        EXPECT_TRUE(store.data().values.values.isEmpty());
        EXPECT_FALSE(store.exists(UserGroup::Values, QStringLiteral("LastSearchInput1")));
    }
    // Nor is it ever replaced by a store, also not behind a link (as root, the device itself
    // would be replaced). The pipe stands in for the device here.
    const QString link = dir.filePath(QStringLiteral("link.reg"));
    ASSERT_TRUE(QFile::link(pipe, link));
    for (const QString& path : {pipe, link}) {
        RegFileUserStore store(path);
        store.writeText(UserGroup::Values, QStringLiteral("LastSearchInput1"), QStringLiteral("x"));
        EXPECT_FALSE(store.commit());
        EXPECT_EQ(QFileInfo(pipe).isFile(), false);
        EXPECT_TRUE(QFileInfo::exists(pipe));
    }
}

TEST(RegFileStore, oversizedFile_isIgnoredAndReplacedByACleanStore) {
    QTemporaryDir dir;
    QByteArray big = kValuesSection + "\r\n\"LastSearchInput1\"=\"feber\"\r\n";
    big += QByteArray(50 * 1024 * 1024, 'x');
    const QString path = test::writeFile(dir, QStringLiteral("VEXdiagnose.reg"), big);
    big.clear();
    RegFileUserStore store(path);
    EXPECT_FALSE(store.exists(UserGroup::Values, QStringLiteral("LastSearchInput1")));
    ASSERT_TRUE(store.commit());
    EXPECT_EQ(readBytes(path), "Windows Registry Editor Version 5.00\r\n");
}

TEST(RegFileStore, failedWrite_leavesThePreviousStoreIntact) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("VEXdiagnose.reg"));
    {
        RegFileUserStore first(path);
        first.writeText(UserGroup::Values, QStringLiteral("LastSearchInput1"),
                        QStringLiteral("feber"));
        ASSERT_TRUE(first.commit());
    }
    const QByteArray before = readBytes(path);
    RegFileUserStore second(path);
    second.writeText(UserGroup::Values, QStringLiteral("LastSearchInput1"), QString(500, 'y'));
    {
        test::FileSizeLimit limit(200);
        ASSERT_TRUE(limit.active());
        EXPECT_FALSE(second.commit());
    }
    EXPECT_EQ(readBytes(path), before);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).size(), 1);
    EXPECT_TRUE(second.commit());  // the changes are still pending and go out now
    EXPECT_TRUE(readBytes(path).contains("yyyy"));
}

TEST(RegFileStorePermissionTest, readOnlyFolderOrFile_failsSilentlyAndKeepsTheStore) {
    VEX_SKIP_UNLESS_PERMISSIONS_APPLY();
    QTemporaryDir dir;
    const QByteArray before = kValuesSection + "\r\n\"LastSearchInput1\"=\"feber\"\r\n";
    const QString path = test::writeFile(dir, QStringLiteral("VEXdiagnose.reg"), before);
    const auto rw = QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner;

    QFile::setPermissions(path, QFileDevice::ReadOwner);
    RegFileUserStore store(path);
    store.writeText(UserGroup::Values, QStringLiteral("LastSearchInput1"), QStringLiteral("x"));
    EXPECT_FALSE(store.commit());
    EXPECT_EQ(readBytes(path), before);

    QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    QFile::setPermissions(dir.path(), QFileDevice::ReadOwner | QFileDevice::ExeOwner);
    EXPECT_FALSE(store.commit());
    QFile::setPermissions(dir.path(), rw);
    EXPECT_EQ(readBytes(path), before);
}
