#include "data/datafile.h"

#include "base/ansicodepage.h"

#include "privileges.h"
#include "tempfiles.h"

#include <gtest/gtest.h>
#include <QTemporaryDir>

#include <sys/stat.h>
#include <unistd.h>

using namespace vex;

namespace {

QByteArray utf16(const QString& s, bool littleEndian) {
    QByteArray out;
    for (QChar c : s) {
        const char lo = char(c.unicode() & 0xFF);
        const char hi = char(c.unicode() >> 8);
        out.append(littleEndian ? lo : hi).append(littleEndian ? hi : lo);
    }
    return out;
}

const QByteArray kUtf8Mark("\xEF\xBB\xBF");
const QByteArray kUtf16LEMark("\xFF\xFE");
const QByteArray kUtf16BEMark("\xFE\xFF");

struct ReadCase {
    const char* name;
    QByteArray bytes;
    QStringList expected;
};

class ReadDataFileTest : public ::testing::Test {
protected:
    QStringList read(const QByteArray& bytes, bool* ok = nullptr) {
        QStringList lines{QStringLiteral("stale")};
        const bool result = ReadDataFile(lines, test::writeFile(dir, "f.txt", bytes));
        if (ok) {
            *ok = result;
        }
        return lines;
    }
    QTemporaryDir dir;
};

}  // namespace

TEST_F(ReadDataFileTest, encodingsAndLineEnds) {
    const QString danish = QStringLiteral("æøå ÆØÅ é €");
    const ReadCase cases[] = {
        {"ansi code page",
         QByteArray("\xE6\xF8\xE5 \xC6\xD8\xC5 \xE9 \x80\r\nb\r\n"),
         {danish, "b"}},
        {"ansi bytes undefined in the code page",
         QByteArray("\x81\x8D\x8F\x90\x9D|\x8A\x9F\r\nx"),
         {QStringLiteral("\u0081\u008D\u008F\u0090\u009D|\u0160\u0178"), "x"}},
        {"utf-8 with mark", kUtf8Mark + danish.toUtf8() + "\nb\n", {danish, "b"}},
        {"utf-8 without mark", danish.toUtf8() + "\r\nb\r\n", {danish, "b"}},
        {"utf-8 cut at the end", "\xC3\xA6\r\n\xC3", {QStringLiteral("Ã¦"), QStringLiteral("Ã")}},
        {"utf-16le with mark", kUtf16LEMark + utf16(danish + "\r\nb", true), {danish, "b"}},
        {"utf-16be with mark", kUtf16BEMark + utf16(danish + "\nb\n", false), {danish, "b"}},
        {"mixed line ends", "a\r\nb\nc\rd", {"a", "b", "c", "d"}},
        {"empty lines inside stay", "a\r\n\r\n\nb\r\r\n", {"a", "", "", "b", ""}},
        {"final line end adds no line", "a\nb\n", {"a", "b"}},
        {"last line without line end", "a\nb", {"a", "b"}},
        {"a second mark is text", kUtf8Mark + kUtf8Mark + "a\nb", {QStringLiteral("\uFEFFa"), "b"}},
    };
    for (const ReadCase& c : cases) {
        bool ok = false;
        EXPECT_EQ(read(c.bytes, &ok), c.expected) << c.name;
        EXPECT_TRUE(ok) << c.name;
    }
}

TEST_F(ReadDataFileTest, singleLineIsReadAgainAsUtf16LittleEndian) {
    // Without a mark and without a line end, UTF-16LE text reads as one 8-bit line first.
    EXPECT_EQ(read(utf16("SKS\tStjerne", true)), QStringList{"SKS\tStjerne"});
    // With the mark the second reading skips it and gives the same.
    EXPECT_EQ(read(kUtf16LEMark + utf16("x\ty", true)), QStringList{"x\ty"});
    // An 8-bit line is decoded as it stands, two bytes a unit; an odd last byte is replaced.
    EXPECT_EQ(read("abc\tdef\r\n"), QStringList{QStringLiteral("\u6261\u0963\u6564\u0D66\uFFFD")});
    EXPECT_EQ(read("abc\tdef"), QStringList{QStringLiteral("\u6261\u0963\u6564\uFFFD")});
    // A UTF-8 mark is not skipped by the second reading.
    EXPECT_EQ(read(kUtf8Mark + "a"), QStringList{QStringLiteral("\uBBEF\u61BF")});
}

TEST_F(ReadDataFileTest, emptyFileIsReadAsNoLines) {
    bool ok = false;
    EXPECT_TRUE(read("", &ok).isEmpty());
    EXPECT_TRUE(ok);
}

// The file is read in pieces; text that straddles the boundary of two pieces must read as if
// it had been read at once.
TEST_F(ReadDataFileTest, textAcrossPieceBoundariesIsUnbroken) {
    constexpr qsizetype kPiece = qsizetype(1) << 20;
    for (qsizetype shift : {qsizetype(-2), qsizetype(-1), qsizetype(0)}) {
        // CR LF whose CR ends a piece.
        QByteArray ansi(kPiece - 1 + shift, 'a');
        ansi += "\r\nb\r\n";
        const QStringList a = read(ansi);
        ASSERT_EQ(a.size(), 2) << shift;
        EXPECT_EQ(a[1], QStringLiteral("b"));

        // A two-byte UTF-8 sequence across the boundary.
        QByteArray utf8 = kUtf8Mark + QByteArray(kPiece - 4 + shift, 'a');
        utf8 += "\xC3\xB8\xC3\xB8\nz";
        const QStringList u = read(utf8);
        ASSERT_EQ(u.size(), 2) << shift;
        EXPECT_TRUE(u[0].endsWith(QStringLiteral("aøø"))) << shift;
        EXPECT_EQ(u[0].size(), kPiece - 4 + shift + 2);
        const QStringList noMark = read(utf8.sliced(kUtf8Mark.size()));
        ASSERT_EQ(noMark.size(), 2) << shift;
        EXPECT_EQ(noMark[0], u[0]);
    }
    // UTF-16 units across the boundary (the mark makes every piece end in half a unit).
    QString text(kPiece, QChar(0x00F8));
    text += QStringLiteral("\r\nend");
    const QStringList w = read(kUtf16BEMark + utf16(text, false));
    ASSERT_EQ(w.size(), 2);
    EXPECT_EQ(w[0].size(), kPiece);
    EXPECT_EQ(w[0].count(QChar(0x00F8)), kPiece);
    EXPECT_EQ(w[1], QStringLiteral("end"));
}

// A file without a mark is UTF-8 only when all of it is: a byte that is not UTF-8 far behind
// the first piece makes the whole file Windows-1252, its first lines included.
TEST_F(ReadDataFileTest, invalidUtf8AfterTheFirstPieceMakesTheWholeFileWindows1252) {
    constexpr qsizetype kPiece = qsizetype(1) << 20;
    const QByteArray utf8Start = "Lungebet\xC3\xA6ndelse\r\n" + QByteArray(kPiece, 'a') + "\r\n";
    const QStringList utf8 = read(utf8Start +
                                  "Kr\xC3\xA6"
                                  "ft\r\n");
    ASSERT_EQ(utf8.size(), 3);
    EXPECT_EQ(utf8[0], QStringLiteral("Lungebetændelse"));
    EXPECT_EQ(utf8[2], QStringLiteral("Kræft"));

    bool ok = false;
    const QStringList ansi = read(utf8Start +
                                      "Kr\xE6"
                                      "ft\r\n",
                                  &ok);
    EXPECT_TRUE(ok);
    ASSERT_EQ(ansi.size(), 3);
    EXPECT_EQ(ansi[0], QStringLiteral("LungebetÃ¦ndelse"));
    EXPECT_EQ(ansi[1].size(), kPiece);
    EXPECT_EQ(ansi[2], QStringLiteral("Kræft"));
}

// The shipped primary list is Windows-1252 with the Danish letters from its second line on:
// it reads exactly as its bytes decode in that code page.
TEST_F(ReadDataFileTest, bundledWindows1252ListReadsAsItsCodePage) {
    const QString path = test::bundledListsDir() + QStringLiteral("/ICD10vex.txt");
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    QStringList expected = decodeWindows1252(file.readAll()).split(QStringLiteral("\r\n"));
    expected.removeLast();  // after the final line end
    QStringList lines;
    ASSERT_TRUE(ReadDataFile(lines, path));
    EXPECT_EQ(lines, expected);
    EXPECT_TRUE(
        lines.contains(QStringLiteral("DA000\t\tKolera forårsaget af Vibrio cholerae"
                                      "\t\t\t\t\t\t")));
}

TEST_F(ReadDataFileTest, anythingThatCannotBeReadAnswersFalseWithNoLines) {
    QStringList lines{QStringLiteral("stale")};
    EXPECT_FALSE(ReadDataFile(lines, dir.filePath("missing.txt")));
    EXPECT_TRUE(lines.isEmpty());

    lines = QStringList{QStringLiteral("stale")};
    EXPECT_FALSE(ReadDataFile(lines, dir.path()));  // a folder
    EXPECT_TRUE(lines.isEmpty());

    EXPECT_FALSE(ReadDataFile(lines, QString()));

    // A named pipe would block the reading until some writer came; it is refused at once.
    const QString fifo = dir.filePath("pipe.txt");
    ASSERT_EQ(mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    EXPECT_FALSE(ReadDataFile(lines, fifo));

    // Larger than the limit (sparse, so it takes no room): refused before anything is read.
    const QString huge = dir.filePath("huge.txt");
    {
        QFile f(huge);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly) && f.write("SKS-kode\tTekst\r\n") > 0 &&
                    f.resize(MaxDataFileSize + 1));
    }
    EXPECT_FALSE(ReadDataFile(lines, huge));
    EXPECT_TRUE(lines.isEmpty());

    // Opens, then every read fails.
    if (QFile::exists(QStringLiteral("/proc/self/mem"))) {
        EXPECT_FALSE(ReadDataFile(lines, QStringLiteral("/proc/self/mem")));
    }
}

// Run again by the test stage with root's capabilities dropped, so that it cannot skip there.
using ReadDataFilePermissionTest = ReadDataFileTest;

TEST_F(ReadDataFilePermissionTest, unreadableFileAnswersFalse) {
    VEX_SKIP_UNLESS_PERMISSIONS_APPLY();
    const QString path = test::writeFile(dir, "locked.txt", "a\tb\r\nc\r\n");
    QFile::setPermissions(path, QFileDevice::Permissions());
    QStringList lines;
    EXPECT_FALSE(ReadDataFile(lines, path));
}
