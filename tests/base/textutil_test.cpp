#include "base/textutil.h"

#include <gtest/gtest.h>

using namespace vex;

TEST(TextUtil, upperIsOneToOne) {
    EXPECT_EQ(upper(QStringLiteral("æøå straße")), QStringLiteral("ÆØÅ STRAßE"));
    EXPECT_TRUE(equalsNoCase(QStringLiteral("Fever"), QStringLiteral("FEVER")));
    EXPECT_FALSE(equalsNoCase(QStringLiteral("ab"), QStringLiteral("abc")));
}

TEST(TextUtil, trimRemovesControlCharactersAndBlanks) {
    EXPECT_EQ(trimmed32(QStringLiteral("\t\r\n a b \x01")), QStringLiteral("a b"));
    EXPECT_EQ(trimmed32(QStringLiteral(" \t")), QString());
    EXPECT_EQ(doubleAmpersands(QStringLiteral("a & b")), QStringLiteral("a && b"));
}
