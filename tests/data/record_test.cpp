#include "data/record.h"

#include <gtest/gtest.h>

#include "listfiles.h"

using namespace vex;
using vex::test::RecordLine;

TEST(DecodeRecord, columnsGoToTheirFields) {
    const DecodedRecord r = DecodeRecord(RecordLine({{Column::Code, "DA00"},
                                                     {Column::Text, "Kolera"},
                                                     {Column::ShortListFlag, "1"},
                                                     {Column::Synonyms, "syn"},
                                                     {Column::Inclusions, "inkl"},
                                                     {Column::Keywords, "stikord"},
                                                     {Column::Comments, "kommentar"},
                                                     {Column::EditDate, "13-02-2015"}}));
    EXPECT_EQ(r, (DecodedRecord{"DA00", "Kolera", true, "syn", "inkl", "stikord", "kommentar",
                                "13-02-2015"}));
}

TEST(DecodeRecord, quotingOfColumns) {
    // A quoted column holds a tab.
    EXPECT_EQ(DecodeRecord(u"\"a\tb\"\tX").code, QStringLiteral("a\tb"));
    EXPECT_EQ(DecodeRecord(u"\"a\tb\"\tX\tText").text, QStringLiteral("Text"));
    // Doubled quotes, inside a quoted column and in the middle of a plain one.
    EXPECT_EQ(DecodeRecord(u"\"\"\"word\"\"\"\t\tT").code, QStringLiteral("\"word\""));
    EXPECT_EQ(DecodeRecord(u"ab\"\"cd\t\tT").code, QStringLiteral("ab\"cd"));
    // An unclosed quote swallows the rest of the line, tabs included.
    const DecodedRecord unclosed = DecodeRecord(u"K\t\t\"x\ty\t1\tz");
    EXPECT_EQ(unclosed.text, QStringLiteral("x\ty\t1\tz"));
    EXPECT_FALSE(unclosed.shortListFlag);
    // One double quote alone is empty.
    EXPECT_TRUE(DecodeRecord(u"K\t\t\"").text.isEmpty());
}

TEST(DecodeRecord, missingColumnsAreEmpty) {
    const DecodedRecord r = DecodeRecord(u"  DA00 (hele linjen)  ");
    EXPECT_EQ(r.code, QStringLiteral("DA00 (hele linjen)"));
    EXPECT_TRUE(r.text.isEmpty());
    EXPECT_TRUE(r.editDate.isEmpty());
    EXPECT_EQ(DecodeRecord(u""), DecodedRecord{});
    const QString tenth = RecordLine({{Column::Code, "A"}, {Column::EditDate, "D"}}) + "\ttiende";
    EXPECT_EQ(DecodeRecord(tenth).editDate, QStringLiteral("D"));
}

TEST(DecodeRecord, asteriskMark) {
    EXPECT_EQ(DecodeRecord(u"DA00\t*\tT").code, QStringLiteral("DA00*"));
    EXPECT_EQ(DecodeRecord(u"DA00\t * \tT").code, QStringLiteral("DA00*"));
    EXPECT_EQ(DecodeRecord(u"DA00\t**\tT").code, QStringLiteral("DA00"));
    EXPECT_EQ(DecodeRecord(u"DA00\tx\tT").code, QStringLiteral("DA00"));
}

// The display flag and the short-list test read the column differently.
TEST(ShortListFlag, displayFlagAndShortListTestForms) {
    struct Case {
        const char* column;
        bool shownChecked;
        bool inShortList;
    } const cases[] = {
        {"1", true, true},      {"10", false, true}, {" 1", true, false},
        {"\"1\"", true, false}, {"", false, false},  {"0", false, false},
    };
    for (const Case& c : cases) {
        const QString l = RecordLine({{Column::Code, "K"},
                                      {Column::Text, "T"},
                                      {Column::ShortListFlag, c.column},
                                      {Column::Synonyms, "S"}});
        EXPECT_EQ(DecodeRecord(l).shortListFlag, c.shownChecked) << c.column;
        EXPECT_EQ(IsShortListRecord(l), c.inShortList) << c.column;
    }
}

TEST(ShortListFlag, testCountsPlainTabsOnly) {
    EXPECT_TRUE(IsShortListRecord(u"K\t\tT\t1"));
    EXPECT_FALSE(IsShortListRecord(u"K\t\tT\t"));
    EXPECT_FALSE(IsShortListRecord(u"K\t\tT"));
    // Fewer than three tabs: what follows the last one is looked at.
    EXPECT_TRUE(IsShortListRecord(u"K\t1"));
    EXPECT_TRUE(IsShortListRecord(u"1 no tabs"));
    // A quoted column holding a tab shifts the count.
    EXPECT_TRUE(IsShortListRecord(u"\"K\tx\"\t\t1\t0"));
}

TEST(DecodeRecord, markupOnlyInInclusionsAndComments) {
    const DecodedRecord r = DecodeRecord(RecordLine({{Column::Code, "K"},
                                                     {Column::Text, "T&lt;BR&gt;"},
                                                     {Column::Synonyms, "a<BR>b"},
                                                     {Column::Inclusions, "a<br>b<Tab>c"},
                                                     {Column::Keywords, "a<BR>b"},
                                                     {Column::Comments, "a&lt;BR&gt;b"}}));
    EXPECT_EQ(r.text, QStringLiteral("T&lt;BR&gt;"));  // entities of the file are not read here
    EXPECT_EQ(r.synonyms, QStringLiteral("a<BR>b"));
    EXPECT_EQ(r.inclusions, QStringLiteral("a\r\nb\tc"));
    EXPECT_EQ(r.keywords, QStringLiteral("a<BR>b"));
    EXPECT_EQ(r.comments, QStringLiteral("a\r\nb"));
    EXPECT_EQ(DecodeRecord(RecordLine({{Column::Inclusions, "&lt;b&gt; &lt;TAB&gt;"}})).inclusions,
              QStringLiteral("<b> \t"));
    // Entities are exact and case-sensitive.
    EXPECT_EQ(DecodeRecord(RecordLine({{Column::Comments, "&LT;br&GT;"}})).comments,
              QStringLiteral("&LT;br&GT;"));
}

TEST(ReplaceEntities, lessThanFirstThenGreaterThan) {
    QStringList lines{"a &lt;b&gt; c", "&amp;lt; &LT; &lt;gt;", "plain", "&l&gt;t;"};
    const QStringList copy = lines;
    ReplaceEntities(lines);
    EXPECT_EQ(lines, (QStringList{"a <b> c", "&amp;lt; &LT; <gt;", "plain", "&l>t;"}));
    EXPECT_EQ(copy[0], QStringLiteral("a &lt;b&gt; c"));  // a copy made before keeps its items
}

TEST(BuildShortList, keepsFlaggedLinesInOrderAndSharesThem) {
    const QStringList source{"A\t\tT\t1", "B\t\tT\t", "C\t\tT\t10", "D\t\tT\t 1"};
    QStringList target;
    BuildShortList(source, target);
    ASSERT_EQ(target, (QStringList{"A\t\tT\t1", "C\t\tT\t10"}));
    EXPECT_TRUE(target[0].isSharedWith(source[0]));
}
