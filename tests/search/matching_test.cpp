#include "search/searchtext.h"

#include "base/textutil.h"

#include <gtest/gtest.h>

#include "listfiles.h"

using namespace vex;

namespace {

// A record whose columns that the search never reads hold words of their own.
QString record(const char* code, const char* text, const char* synonyms = "",
               const char* comments = "", const char* inclusions = "", const char* keywords = "") {
    return test::RecordLine({{Column::Code, QString::fromUtf8(code)},
                             {Column::Asterisk, QStringLiteral("STARCOL")},
                             {Column::Text, QString::fromUtf8(text)},
                             {Column::ShortListFlag, QStringLiteral("SHORTCOL")},
                             {Column::Synonyms, QString::fromUtf8(synonyms)},
                             {Column::Inclusions, QString::fromUtf8(inclusions)},
                             {Column::Keywords, QString::fromUtf8(keywords)},
                             {Column::Comments, QString::fromUtf8(comments)},
                             {Column::EditDate, QStringLiteral("DATECOL")}});
}

qsizetype find(const QStringList& list, const char* term, bool freeText = false,
               bool comments = false, qsizetype start = 0) {
    return FindTerm(list, QString::fromUtf8(term), FindMode::Normal, start,
                    SearchOptions{freeText, comments});
}

}  // namespace

TEST(MatchesAtWordStart, wordStartsAfterTheListedCharactersOnly) {
    const struct {
        const char* text;
        bool match;
    } cases[] = {
        {"FEVER", true},     {"'FEVER", true},        {"\"FEVER", true},    {"X\tFEVER", true},
        {"X\t'FEVER", true}, {"X\t\"FEVER", true},    {"X FEVER", true},    {"X 'FEVER", true},
        {"X \"FEVER", true}, {"X ('FEVER", true},     {"X (\"FEVER", true}, {"X(FEVER", true},
        {"X-FEVER", true},   {"X–FEVER", true},       {"X;FEVER", true},    {"X/FEVER", true},
        {"FEVERISH", true},  {"NOFEVER", false},      {"2FEVER", false},    {"X.FEVER", false},
        {"X,FEVER", false},  {"<BR>FEVER", false},    {"X'FEVER", false},   {"X\"FEVER", false},
        {"X('FEVER", false}, {"('FEVER", false},      {"X:FEVER", false},   {"X—FEVER", false},
        {"X_FEVER", false},  {"NOFEVER FEVER", true}, {"", false},          {"FEVE", false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(MatchesAtWordStart(u"FEVER", QString::fromUtf8(c.text)), c.match) << c.text;
    }
    // A term of several words is one contiguous text; its own first character may be a quote.
    EXPECT_TRUE(MatchesAtWordStart(u"A B", u"X A B"));
    EXPECT_FALSE(MatchesAtWordStart(u"A B", u"X A  B"));
    EXPECT_TRUE(MatchesAtWordStart(u"(A", u"X (A"));
}

TEST(RecordSearchText, joinsSearchedColumnsAndLeavesOthersOut) {
    const QString line = record("DA00", "Kolera", "syn", "comm", "incl<BR>x", "kw");
    EXPECT_EQ(RecordSearchText(line, false), QStringLiteral("DA00\tKolera\tsyn\tincl<BR>x\tkw"));
    EXPECT_EQ(RecordSearchText(line, true),
              QStringLiteral("DA00\tKolera\tsyn\tincl<BR>x\tkw\tcomm"));
    // Quoted columns are cleaned; short lines give the columns they have.
    EXPECT_EQ(RecordSearchText(u"\"DA0\"\tx\t\" a \"\"b\"\" \"", true),
              QStringLiteral("DA0\ta \"b\""));
    EXPECT_EQ(RecordSearchText(u"DA0\tx", true), QStringLiteral("DA0"));
    EXPECT_EQ(RecordSearchText(u"only", false), QStringLiteral("only"));
    EXPECT_EQ(RecordSearchText(u"", false), QString());
}

TEST(FindTerm, searchesWordStartsFreeTextAndColumns) {
    const QStringList list{
        record("DA00", "Nofever"),                              // 0
        record("DA01", "Feverish state"),                       // 1
        record("DA02", "Tyfus", "", "fever noted"),             // 2: only in the comments
        record("DA03", "Something", "", "", "", "kw (fever)"),  // 3: keywords
        record("DB00", "Øjenbetændelse"),                       // 4
        record("DB01", "Tyfus", "", "", "x<BR>ague"),           // 5
    };
    EXPECT_EQ(find(list, "fever"), 1);
    EXPECT_EQ(find(list, "fever", false, false, 2), 3);
    EXPECT_EQ(find(list, "fever", false, true, 2), 2);
    EXPECT_EQ(find(list, "*ever"), 0);
    EXPECT_EQ(find(list, "ever", true), 0);
    EXPECT_EQ(find(list, "ever"), -1);
    EXPECT_EQ(find(list, "øjen"), 4);
    EXPECT_EQ(find(list, "ØJENBETÆNDELSE"), 4);
    EXPECT_EQ(find(list, "ague"), -1);  // directly after "<BR>" is no word start
    EXPECT_EQ(find(list, "*ague"), 5);
    // Columns 1, 3 and 8 are never searched.
    for (const char* other : {"STARCOL", "SHORTCOL", "DATECOL"}) {
        EXPECT_EQ(find(list, other, true, true), -1) << other;
    }
    // An empty term and out-of-range starts find nothing.
    EXPECT_EQ(find(list, ""), -1);
    EXPECT_EQ(find(list, "*"), -1);
    EXPECT_EQ(find(list, "fever", false, false, 6), -1);
    EXPECT_EQ(find(list, "fever", false, false, -1), -1);
}

TEST(FindTerm, codeLookUpComparesTheLineStart) {
    const QStringList list{
        record("DA001", "Kolera eltor"),
        record("DA00", "Kolera"),
        QStringLiteral("  \"DB10\"\t\tquoted code"),
        QStringLiteral("\"\"DC10\t\tdouble quote"),
    };
    auto lookUp = [&list](const char* code, qsizetype start = 0) {
        return FindTerm(list, QString::fromUtf8(code), FindMode::CodeLookUp, start, {});
    };
    EXPECT_EQ(lookUp("DA00"), 0);  // a longer code that comes first is found first
    EXPECT_EQ(lookUp("da00", 1), 1);
    EXPECT_EQ(lookUp("DB10"), 2);   // leading blanks and the opening quote are skipped
    EXPECT_EQ(lookUp("DC10"), -1);  // only one quote is skipped
    EXPECT_EQ(lookUp("Kolera"), -1);
    EXPECT_EQ(lookUp(""), -1);
}

TEST(CodeComparisonView, skipsBlanksAndOneOpeningQuote) {
    EXPECT_EQ(CodeComparisonView(u" \t\"DA0\"\tx"), QStringView(u"DA0\"\tx"));
    EXPECT_EQ(CodeComparisonView(u"DA0"), QStringView(u"DA0"));
    EXPECT_EQ(CodeComparisonView(u"  "), QStringView());
}
