#include "base/columns.h"

#include <gtest/gtest.h>

using namespace vex;

TEST(NextColumnEnd, plainAndQuotedColumns) {
    EXPECT_EQ(NextColumnEnd(u""), 0);
    EXPECT_EQ(NextColumnEnd(u"abc"), 0);
    EXPECT_EQ(NextColumnEnd(u"ab\tc"), 3);
    EXPECT_EQ(NextColumnEnd(u"\tc"), 1);
    EXPECT_EQ(NextColumnEnd(u"\"a\tb\"\tX"), 6);      // tab inside quotes does not end it
    EXPECT_EQ(NextColumnEnd(u"\"a\"\"\tb\"\tX"), 8);  // doubled quote stays inside
    EXPECT_EQ(NextColumnEnd(u"\"a\tb\tc"), 0);        // unclosed quote runs to the end
}

TEST(SplitColumns, quotedColumnKeepsTabs) {
    const QStringList v = SplitColumns(u"\"a\tb\"\tX");
    ASSERT_EQ(v.size(), 2);
    EXPECT_EQ(v[0], QStringLiteral("a\tb"));
    EXPECT_EQ(v[1], QStringLiteral("X"));
}

TEST(SplitColumns, doubledQuotesBecomeOne) {
    EXPECT_EQ(SplitColumns(u"\"\"\"word\"\"\"\tx")[0], QStringLiteral("\"word\""));
    EXPECT_EQ(SplitColumns(u"ab\"\"cd\tx")[0], QStringLiteral("ab\"cd"));
}

TEST(SplitColumns, unclosedQuoteSwallowsRestOfLine) {
    const QStringList v = SplitColumns(u"A\t\"x\ty\tz");
    ASSERT_EQ(v.size(), 2);
    EXPECT_EQ(v[1], QStringLiteral("x\ty\tz"));
}

TEST(SplitColumns, trimsDropsLoneQuoteAndLimitsCount) {
    EXPECT_EQ(SplitColumns(u" A \t \" \tB")[1], QString());  // lone quote is empty
    const QStringList v = SplitColumns(u"0\t1\t2\t3\t4\t5\t6\t7\t8\t9\t10");
    ASSERT_EQ(v.size(), kColumnCount);
    EXPECT_EQ(v.last(), QString::number(kColumnCount - 1));
    EXPECT_EQ(SplitColumns(u"a\t").size(), 2);  // a final tab opens an empty column
}
