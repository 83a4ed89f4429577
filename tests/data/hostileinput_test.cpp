// Bad input of every kind must give an answer: no crash, no hang, no exception.
#include "data/datafile.h"
#include "data/header.h"
#include "data/inforecord.h"
#include "data/loading.h"
#include "data/record.h"

#include "listfiles.h"
#include "scripteddialogs.h"
#include "tempfiles.h"

#include <gtest/gtest.h>
#include <QRandomGenerator>
#include <QTemporaryDir>

using namespace vex;

namespace {

const QByteArray kHeader = test::HeaderLineBytes();

// Runs every operation on the file and its lines: loading as primary and as secondary, the
// start-up sequence, and decoding each line in every way a line is decoded.
void exercise(const QString& path) {
    QStringList lines;
    ReadDataFile(lines, path);
    FieldNames names;
    for (const QString& line : std::as_const(lines)) {
        (void)DecodeRecord(line);
        (void)IsShortListRecord(line);
        (void)ParseInfoRecord(line, QLocale::c());
        (void)CheckHeader(line, path, names);
    }
    DataState state;
    state.primaryDataFile = path;
    state.secondaryDataFile = path + QStringLiteral(".copy");
    QFile::copy(path, state.secondaryDataFile);
    test::ScriptedDialogs dialogs;
    if (RunStartupLoadSequence(state, dialogs) == LoadSequenceOutcome::Continue) {
        for (const QString& line : std::as_const(state.extended)) {
            (void)DecodeRecord(line);
        }
    }
}

QByteArray randomBytes(qsizetype n, quint32 seed) {
    QRandomGenerator rng(seed);
    QByteArray bytes(n, Qt::Uninitialized);
    for (char& b : bytes) {
        b = char(rng.bounded(256));
    }
    return bytes;
}

class HostileInput : public ::testing::Test {
protected:
    QString file(const QByteArray& bytes) { return test::writeFile(dir, "hostile.txt", bytes); }
    QTemporaryDir dir;
};

}  // namespace

TEST_F(HostileInput, randomBytesOfEveryKindOfStart) {
    for (quint32 seed = 1; seed <= 4; ++seed) {
        exercise(file(randomBytes(200'000, seed)));
        exercise(file("\xEF\xBB\xBF" + randomBytes(50'000, seed)));
        exercise(file("\xFF\xFE" + randomBytes(50'001, seed)));
        exercise(file("\xFE\xFF" + randomBytes(50'000, seed)));
        exercise(file(kHeader + randomBytes(50'000, seed)));
    }
}

TEST_F(HostileInput, emptyFileAndFolder) {
    exercise(file(""));
    exercise(dir.path());
}

TEST_F(HostileInput, nulBytesAreKeptAsCharacters) {
    const QString path = file(kHeader + QByteArray("A\0B\tx\t\0\t1\r\n", 11));
    QStringList lines;
    ASSERT_TRUE(ReadDataFile(lines, path));
    ASSERT_EQ(lines.size(), 2);
    EXPECT_EQ(lines[1], QString::fromLatin1("A\0B\tx\t\0\t1", 9));
    EXPECT_EQ(DecodeRecord(lines[1]).code, QString::fromLatin1("A\0B", 3));
    EXPECT_TRUE(IsShortListRecord(lines[1]));
    exercise(path);
}

TEST_F(HostileInput, fiveMegabyteLineWithoutLineEnd) {
    const QString path = file(QByteArray(5 << 20, 'a'));
    QStringList lines;
    ASSERT_TRUE(ReadDataFile(lines, path));
    ASSERT_EQ(lines.size(), 1);  // read again as UTF-16: two bytes a character
    EXPECT_EQ(lines[0].size(), (5 << 20) / 2);

    // Loading it: no tab in the first line.
    test::ScriptedDialogs dialogs;
    DataFileSlot slot;
    EXPECT_FALSE(LoadPrimaryDataFile(path, slot, dialogs));
    ASSERT_EQ(dialogs.shown.size(), 1);
    EXPECT_TRUE(dialogs.shown[0].lines.at(1).contains(QStringLiteral("feltseparator")));

    // The same as a record, one long quoted column full of markup.
    QByteArray record = "\"" + QByteArray(5 << 20, 'x') + "\t";
    for (int i = 0; i < 1000; ++i) {
        record += "\t<br>&lt;BR&gt;\"\"";
    }
    exercise(file(kHeader + record));
}

TEST_F(HostileInput, invalidUtf8AfterMarkBecomesReplacementCharacters) {
    QStringList lines;
    ASSERT_TRUE(ReadDataFile(lines, file("\xEF\xBB\xBF"
                                         "a\xFF\xC3\tb\r\n\xE2\x82\r\nc\xF0")));
    ASSERT_EQ(lines.size(), 3);
    EXPECT_TRUE(lines[0].startsWith(QStringLiteral("a\uFFFD")));
    EXPECT_TRUE(lines[0].endsWith(QStringLiteral("\uFFFD\tb")));
    EXPECT_FALSE(lines[1].isEmpty());
    EXPECT_EQ(lines[1].count(QChar(0xFFFD)), lines[1].size());
    EXPECT_EQ(lines[2], QStringLiteral("c\uFFFD"));
}

TEST_F(HostileInput, oddByteCountAfterUtf16Mark) {
    QStringList lines;
    ASSERT_TRUE(ReadDataFile(lines, file(QByteArray("\xFF\xFE"
                                                    "a\0\n\0b\0A",
                                                    9))));
    EXPECT_EQ(lines, (QStringList{"a", "b\uFFFD"}));
    ASSERT_TRUE(ReadDataFile(lines, file(QByteArray("\xFE\xFF\0a\0\n\0", 7))));
    EXPECT_EQ(lines, (QStringList{"a", "\uFFFD"}));
}

TEST_F(HostileInput, lineOfOneHundredThousandTabs) {
    const QString tabs(100'000, QLatin1Char('\t'));
    const DecodedRecord r = DecodeRecord(tabs);
    EXPECT_EQ(r, DecodedRecord{});
    EXPECT_FALSE(IsShortListRecord(tabs));
    EXPECT_EQ(ParseInfoRecord(tabs, QLocale::c()), InfoValues{});
    FieldNames names;
    const std::optional<Message> refused = CheckHeader(tabs, QStringLiteral("f"), names);
    ASSERT_TRUE(refused.has_value());
    EXPECT_EQ(refused->lines.at(0), QStringLiteral("Illegalt antal feltnavne [ 0 ]"));

    // Quotes before tabs make every column a quoted one that never closes, or closes late.
    (void)DecodeRecord(QLatin1Char('"') + tabs);
    (void)DecodeRecord(QString(QStringLiteral("\"\t")).repeated(50'000));
    exercise(file(kHeader + tabs.toLatin1() + "\r\n" + tabs.toLatin1()));
}
