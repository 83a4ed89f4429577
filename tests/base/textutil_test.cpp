#include "base/textutil.h"

#include <gtest/gtest.h>

#include <QLocale>

using namespace vex;

TEST(TextUtil, upperIsOneToOne) {
    EXPECT_EQ(upper(QStringLiteral("æøå straße")), QStringLiteral("ÆØÅ STRAßE"));
    EXPECT_TRUE(equalsNoCase(QStringLiteral("Fever"), QStringLiteral("FEVER")));
    EXPECT_FALSE(equalsNoCase(QStringLiteral("ab"), QStringLiteral("abc")));
}

TEST(TextUtil, trimRemovesControlCharactersAndBlanks) {
    EXPECT_EQ(trimmed32(QStringLiteral("\t\r\n a b \x01")), QStringLiteral("a b"));
    EXPECT_EQ(trimmed32(QStringLiteral(" \t")), QString());
}

TEST(TextUtil, ampersandsAreDoubledAndShownOnce) {
    EXPECT_EQ(doubleAmpersands(QStringLiteral("a & b")), QStringLiteral("a && b"));
    EXPECT_EQ(CaptionDisplayText(QStringLiteral("a && b &&& c & d")),
              QStringLiteral("a & b & c  d"));
}

TEST(TextUtil, captionShowsItsAmpersandsAsMeant) {
    const std::pair<const char*, const char*> cases[] = {
        {"&Søg", "Søg"},          {"a && b", "a & b"},         {"&&&x", "&x"},
        {"no marks", "no marks"}, {"trailing &", "trailing "}, {"", ""},
    };
    for (const auto& [caption, shown] : cases) {
        EXPECT_EQ(CaptionDisplayText(QString::fromUtf8(caption)), QString::fromUtf8(shown));
    }
}

TEST(IsNumericText, acceptsSignedDecimalsOfTheLocaleOnly) {
    const QLocale c = QLocale::c();
    const QLocale danish(QLocale::Danish, QLocale::Denmark);
    for (const char* yes : {"0", "12", "-1", "+1", " 7 ", "1.5", ".5", "5."}) {
        EXPECT_TRUE(IsNumericText(QString::fromUtf8(yes), c)) << yes;
    }
    for (const char* no :
         {"", " ", "a", "1e5", "1E5", "1.2.3", "+", "-", ".", "1 2", "1,5", "0x1", "²", "١"}) {
        EXPECT_FALSE(IsNumericText(QString::fromUtf8(no), c)) << no;
    }
    EXPECT_TRUE(IsNumericText(QStringLiteral("1,5"), danish));
    EXPECT_FALSE(IsNumericText(QStringLiteral("1.5"), danish));
}
