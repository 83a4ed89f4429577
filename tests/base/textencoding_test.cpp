#include "base/textencoding.h"

#include <gtest/gtest.h>

using namespace vex;

TEST(NoMarkEncoding, validUtf8WithAMultiByteSequenceIsUtf8AndAnythingElseWindows1252) {
    const std::pair<QByteArray, NoMarkEncoding> cases[] = {
        {"plain ASCII", NoMarkEncoding::Windows1252},
        {"", NoMarkEncoding::Windows1252},
        {"Lungebet\xC3\xA6ndelse", NoMarkEncoding::Utf8},
        {"\xE2\x82\xAC and \xF0\x9F\x98\x80", NoMarkEncoding::Utf8},
        {"\xEF\xBF\xBF", NoMarkEncoding::Utf8},  // a noncharacter is still well formed
        {"Lungebet\xE6ndelse", NoMarkEncoding::Windows1252},
        {"\xC3\xA6 then \xE6", NoMarkEncoding::Windows1252},
        {"cut at the end \xC3", NoMarkEncoding::Windows1252},
        {"\xC0\x80", NoMarkEncoding::Windows1252},          // overlong
        {"\xE0\x9F\xBF", NoMarkEncoding::Windows1252},      // overlong, three bytes
        {"\xED\xA0\x80", NoMarkEncoding::Windows1252},      // a surrogate
        {"\xF4\x90\x80\x80", NoMarkEncoding::Windows1252},  // past U+10FFFF
        {"\xF5\x80\x80\x80", NoMarkEncoding::Windows1252},
        {"\x80", NoMarkEncoding::Windows1252},
        {"\xC3\xC3\xA6", NoMarkEncoding::Windows1252},
    };
    for (const auto& [bytes, expected] : cases) {
        EXPECT_EQ(noMarkEncoding(bytes), expected) << bytes.toHex(' ').constData();
    }
    EXPECT_EQ(decodeNoMarkText("Lungebet\xC3\xA6ndelse"), QStringLiteral("Lungebetændelse"));
    EXPECT_EQ(decodeNoMarkText("Lungebet\xE6ndelse \x80"), QStringLiteral("Lungebetændelse €"));
    EXPECT_EQ(decodeNoMarkText("x \xC3\xA6 \xC3"), QStringLiteral("x Ã¦ Ã"));
}

TEST(NoMarkEncoding, piecesDecideAsTheWholeText) {
    const QByteArray text = QByteArray("abcdefghij").repeated(5) + "\xE2\x82\xAC" +
                            QByteArray("klmnopqrst").repeated(5) + "\xF0\x9F\x98\x80 end";
    for (qsizetype cut = 0; cut <= text.size(); ++cut) {
        NoMarkEncodingCheck check;
        check.add(QByteArrayView(text).first(cut));
        check.add(QByteArrayView(text).sliced(cut));
        EXPECT_EQ(check.result(), NoMarkEncoding::Utf8) << cut;
    }
    // An invalid byte far behind the first piece still decides.
    NoMarkEncodingCheck check;
    check.add(text);
    EXPECT_FALSE(check.invalid());
    check.add(QByteArray(100000, 'a') + "\xE6 ");
    EXPECT_TRUE(check.invalid());
    check.add("\xC3\xA6");
    EXPECT_EQ(check.result(), NoMarkEncoding::Windows1252);
}
