#include "import/codeselection.h"
#include "import/sksfilereader.h"
#include "import/sksline.h"
#include "skslines.h"
#include "tempfiles.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>

using namespace vex;
using vex::test::sksLine;
using vex::test::trimmedSksLine;

TEST(SksLine, fieldsAreCutByCharacterPositionAfterDecoding) {
    // Danish letters in the kind's neighbourhood and the text do not shift the fields.
    const SksLineParse full = parseSksLine(sksLine("dia", "DJ189", "20050101", "20180704", "",
                                                   "Lungebetændelse UNS (bør præciseres)"));
    ASSERT_TRUE(full.line) << full.error.toStdString();
    EXPECT_EQ(full.line->kind, "dia");
    EXPECT_EQ(full.line->code, "DJ189");
    EXPECT_EQ(full.line->validFrom, QDate(2005, 1, 1));
    EXPECT_EQ(full.line->lastChange, QDate(2018, 7, 4));
    EXPECT_TRUE(full.line->validTo.isNull());
    EXPECT_EQ(full.line->text, QStringLiteral("Lungebetændelse UNS (bør præciseres)"));
    EXPECT_FALSE(full.line->fullWidth);

    // Trailing blanks trimmed away: 48 characters are enough.
    const QString shortest = trimmedSksLine("opr", "KAAA", "20000101", "20000101", "", "X");
    ASSERT_EQ(shortest.size(), 48);
    const SksLineParse trimmed = parseSksLine(shortest);
    ASSERT_TRUE(trimmed.line);
    EXPECT_EQ(trimmed.line->text, "X");

    // A text of 140 characters fills its field of 120: kept as far as it goes, and flagged.
    const QString longText = QString(139, u'ø') + u'Z';
    const SksLineParse cut =
        parseSksLine(sksLine("dia", "DA00", "20000101", "20000101", "99991231", "").left(47) +
                     longText + QStringLiteral("    rest"));
    ASSERT_TRUE(cut.line);
    EXPECT_EQ(cut.line->text, longText.left(120));
    EXPECT_TRUE(cut.line->fullWidth);
    EXPECT_EQ(cut.line->validTo, QDate(9999, 12, 31));
    // A character outside the Basic Multilingual Plane is one position.
    const SksLineParse wide =
        parseSksLine(QStringLiteral("dia") + QString::fromUcs4(U"D\U0001F600") +
                     sksLine("dia", "", "20000101", "20000101", "", "T").mid(5));
    ASSERT_TRUE(wide.line) << wide.error.toStdString();
    EXPECT_EQ(wide.line->validFrom, QDate(2000, 1, 1));
}

TEST(SksLine, malformedLinesAreErrors) {
    const QString good = sksLine("dia", "DA00", "20000101", "20010101", "20300101", "Kolera");
    const auto with = [&good](qsizetype pos, const QString& part) {
        QString line = good;
        return line.replace(pos, part.size(), part);
    };
    const QString cases[] = {
        good.left(47),                 // no text at all
        with(47, QString(120, u' ')),  // a blank text
        with(0, "DIA"),                // the kind in capitals
        with(0, "d1a"),
        with(3, QString(20, u' ')),  // no code
        with(3, "DA 00"),            // a blank inside the code
        with(23, "2000010 "),        // seven digits
        with(23, "20000230"),        // no such day
        with(23, "00000000"),        // all zero
        with(23, "        "),        // "valid from" blank
        with(31, "2001-1-1"),
        with(31, "        "),  // "last change" blank
        with(39, "00000000"),
        with(39, "2030010x"),
    };
    for (const QString& line : cases) {
        const SksLineParse parsed = parseSksLine(line);
        EXPECT_FALSE(parsed.line) << line.left(60).toStdString();
        EXPECT_FALSE(parsed.error.isEmpty());
    }
    EXPECT_TRUE(parseSksLine(good).line);
}

TEST(CodeSelection, takesTheLineValidOnTheDay) {
    const QDate day(2025, 1, 1);
    CodeSelection selection(day);
    qint64 number = 0;
    const auto add = [&](const QString& code, const QString& from, const QString& change,
                         const QString& to, const QString& text) {
        const SksLineParse p = parseSksLine(sksLine("dia", code, from, change, to, text));
        ASSERT_TRUE(p.line);
        selection.add(*p.line, ++number);
    };
    // Three periods, the text changing: the middle one is valid; "to" is not part of it.
    add("DA01", "19940101", "19940101", "20100101", "Gammel tekst");
    add("DA01", "20100101", "20100101", "20250101", "Mellemste tekst");
    add("DA01", "20250101", "20241117", "", "Ny tekst");
    // Overlapping periods: the latest "from" wins, then the latest "last change".
    add("DA02", "20200101", "20200101", "", "Fra 2020");
    add("DA02", "20220101", "20210101", "", "Fra 2022");
    add("DA02", "20210101", "20230101", "", "Fra 2021, ændret senere");
    add("DA03", "20200101", "20200101", "", "Ældre ændring");
    add("DA03", "20200101", "20240101", "", "Nyere ændring");
    add("DA03", "20200101", "20220101", "", "Mellem");
    // Equal dates, different texts: the later line, and reported.
    add("DA04", "20200101", "20200101", "", "Første");
    add("DA04", "20200101", "20200101", "", "Anden");
    // Closed: ended, and not yet valid.
    add("DA05", "19940101", "19940101", "20241231", "Udløbet");
    add("DA06", "20250102", "20241117", "", "Kommer senere");
    // Secondary codes, sorted by code.
    add("KAB10", "20000101", "20000101", "", "K");
    add("BA", "20000101", "20000101", "", "B");
    add("UA1", "20000101", "20000101", "", "U");

    const CodeSelection::Result r = selection.take();
    QStringList primary;
    for (const ChosenCode& c : r.primary) {
        primary << c.code + u'=' + c.text;
    }
    EXPECT_EQ(primary,
              QStringList({"DA01=Ny tekst", "DA02=Fra 2022", "DA03=Nyere ændring", "DA04=Anden"}));
    QStringList secondary;
    for (const ChosenCode& c : r.secondary) {
        secondary << c.code;
    }
    EXPECT_EQ(secondary, QStringList({"BA", "KAB10", "UA1"}));
    EXPECT_EQ(r.overlapping, 3);
    EXPECT_EQ(r.closedEnded, 1);
    EXPECT_EQ(r.closedNotYetValid, 1);
    EXPECT_EQ(r.ties, (QList<std::pair<qint64, qint64>>{{10, 11}}));
}

class SksFileReaderTest : public ::testing::Test {
protected:
    QStringList readAll(const QByteArray& bytes, SksFileReader::Encoding* encoding = nullptr) {
        SksFileReader reader;
        EXPECT_TRUE(reader.open(test::writeFile(dir, "sks.txt", bytes)))
            << reader.error().toStdString();
        QStringList lines;
        SksFileReader::Line line;
        while (reader.next(line)) {
            EXPECT_EQ(line.number, lines.size() + 1);
            lines << line.text;
        }
        EXPECT_TRUE(reader.error().isEmpty());
        if (encoding) {
            *encoding = reader.encoding();
        }
        return lines;
    }
    QTemporaryDir dir;
};

TEST_F(SksFileReaderTest, lineEndsBlankLinesAndAFinalEndOfFileMark) {
    EXPECT_EQ(readAll("a\r\nb\nc\rd"), QStringList({"a", "b", "c", "d"}));
    EXPECT_EQ(readAll("a\r\n\r\nb\r\n\x1A"), QStringList({"a", "", "b"}));
    EXPECT_EQ(readAll("a\rb\r\x1A"), QStringList({"a", "b"}));
    EXPECT_EQ(readAll("a\nb\x1A"), QStringList({"a", "b"}));
    EXPECT_EQ(readAll("\xEF\xBB\xBF"
                      "a\n"),
              QStringList({"a"}));
    EXPECT_TRUE(readAll("").isEmpty());
    // A CR LF across the boundary of two pieces is one line end.
    const QByteArray big = QByteArray((qsizetype(1) << 20) - 1, 'x') + "\r\ny";
    const QStringList lines = readAll(big);
    ASSERT_EQ(lines.size(), 2);
    EXPECT_EQ(lines[1], "y");
}

TEST_F(SksFileReaderTest, theWholeFileDecidesItsEncoding) {
    SksFileReader::Encoding encoding{};
    EXPECT_EQ(readAll("Bl\xC3\xB8"
                      "dning\r\nKn\xC3\xA6\r\n",
                      &encoding),
              QStringList({"Blødning", "Knæ"}));
    EXPECT_EQ(encoding, SksFileReader::Encoding::Utf8);
    // UTF-8 in the first piece, a Windows-1252 byte after it.
    const QStringList mixed = readAll(
        "Bl\xC3\xB8"
        "dning\r\n" +
            QByteArray(1 << 20, 'x') + "\r\nKn\xE6\r\n",
        &encoding);
    EXPECT_EQ(encoding, SksFileReader::Encoding::Windows1252);
    ASSERT_EQ(mixed.size(), 3);
    EXPECT_EQ(mixed[0], QStringLiteral("BlÃ¸dning"));
    EXPECT_EQ(mixed[2], QStringLiteral("Knæ"));

    SksFileReader utf16;
    EXPECT_FALSE(utf16.open(test::writeFile(dir, "utf16.txt", "\xFF\xFEx")));
    EXPECT_TRUE(utf16.error().contains("UTF-16"));
    SksFileReader folder;
    EXPECT_FALSE(folder.open(dir.path()));
}
