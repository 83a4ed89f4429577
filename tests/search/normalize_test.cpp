#include "search/normalize.h"

#include <gtest/gtest.h>

#include <QLocale>

using namespace vex;

namespace {

struct Accepted {
    const char* input;
    const char* canonical;
    int operators;
};

NormalizeOutcome normalize(const QString& s, bool primary = true, const char* autoD = "1",
                           bool freeText = false, bool comments = false,
                           QLocale locale = QLocale::c()) {
    NormalizeInput in;
    in.searchInput = s;
    in.options = SearchOptions{freeText, comments};
    in.primaryInUse = primary;
    in.entryAutoDPrefix = QString::fromUtf8(autoD);
    in.locale = locale;
    return NormalizeSearchString(in);
}

}  // namespace

TEST(NormalizeSearchString, rewritesToCanonicalForm) {
    const Accepted cases[] = {
        // Operator spellings and doublings.
        {"a&&b", "a & b", 1},
        {"a & & b", "a & b", 1},
        {"a&b", "a & b", 1},
        {"a|b", "a | b", 1},
        {"a||b", "a | b", 1},
        {"a | | b", "a | b", 1},
        {"x\\y", "x \\ y", 1},
        {"x\\\\y", "x \\ y", 1},
        {"x\\ \\y", "x \\ y", 1},
        {"x and y", "x AND y", 1},
        {"x and and y", "x AND y", 1},
        {"x And AND aNd y", "x AND y", 1},
        {"x or y", "x OR y", 1},
        {"x Or oR y", "x OR y", 1},
        {"x not y", "x NOT y", 1},
        {"x not NOT y", "x NOT y", 1},
        {"x   and    y", "x AND y", 1},
        // Word forms need a blank on each side.
        {"NOT x", "NOT x", 0},
        {"x AND", "x AND", 0},
        {"xandy", "xandy", 0},
        // Stars: only a leading one survives a single term; "*$" is "$".
        {"*abc*def", "*abcdef", 0},
        {"ab*c", "abc", 0},
        {"*$A1 AND fever", "$A1 AND fever", 1},
        {"fever AND *$A1", "fever AND $A1", 1},
        {"ab*c AND d*e", "ab*c AND d*e", 1},  // operands keep inner stars for the matcher
        // Enclosing quotes only from 7 characters on.
        {"\"abcdefg\"", "abcdefg", 0},
        {"'abcdefg'", "abcdefg", 0},
        {"\"'abcde'\"", "abcde", 0},
        {"\"abcd\"", "\"abcd\"", 0},
        {"'abc'", "'abc'", 0},
        // Code entry on the primary file with the "D" prefix.
        {"a00.1", "DA001", 0},
        {"A001", "DA001", 0},
        {"a00", "DA00", 0},
        {"e10", "DE10", 0},
        {"a00.12", "a00.12", 0},
        {"da00.1", "DA00.1", 0},  // two-letter code: upper case, dot kept
        {"da001", "DA001", 0},
        {"a-1", "A-1", 0},
        {"1a", "1a", 0},
        {"a1e1", "a1e1", 0},
        {"", "", 0},
    };
    for (const Accepted& c : cases) {
        const NormalizeOutcome out = normalize(QString::fromUtf8(c.input));
        SCOPED_TRACE(c.input);
        EXPECT_TRUE(out.accepted);
        EXPECT_EQ(out.searchInput, QString::fromUtf8(c.canonical));
        EXPECT_EQ(out.operatorCount, c.operators);
        EXPECT_FALSE(out.message.has_value());
    }
}

TEST(NormalizeSearchString, codeEntryDependsOnFileOptionsAndPrefixSetting) {
    struct Case {
        const char* input;
        bool primary;
        const char* autoD;
        bool freeText;
        bool comments;
        const char* canonical;
    };
    const Case cases[] = {
        {"a00.1", true, "0", false, false, "A001"},
        {"A001", true, "", false, false, "A001"},
        {"a00", true, "yes", false, false, "A00"},
        {"a00.1", false, "1", false, false, "a00.1"},  // secondary file: as typed
        {"a00", false, "1", false, false, "a00"},
        {"a00.1", true, "1", true, true, "a00.1"},  // both options ticked: as typed
        {"a00.1", true, "1", true, false, "DA001"},
        {"a00.1", true, "1", false, true, "DA001"},
        {"a*00", true, "1", false, false, "A00"},  // a star prevents the code entry (no "D")
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.input);
        const NormalizeOutcome out =
            normalize(QString::fromUtf8(c.input), c.primary, c.autoD, c.freeText, c.comments);
        EXPECT_TRUE(out.accepted);
        EXPECT_EQ(out.searchInput, QString::fromUtf8(c.canonical));
    }
}

TEST(NormalizeSearchString, decimalSeparatorFollowsLocale) {
    const QLocale danish(QLocale::Danish, QLocale::Denmark);
    // With a decimal comma, "00.1" is no number: the two-letter rule leaves the case alone.
    EXPECT_EQ(normalize(QStringLiteral("da00.1"), true, "1", false, false, danish).searchInput,
              QStringLiteral("da00.1"));
    EXPECT_EQ(normalize(QStringLiteral("da00,1"), true, "1", false, false, danish).searchInput,
              QStringLiteral("DA00,1"));
    EXPECT_EQ(normalize(QStringLiteral("a00.1"), true, "1", false, false, danish).searchInput,
              QStringLiteral("DA001"));
}

TEST(NormalizeSearchString, rejectsLoneAndEndOperators) {
    struct Case {
        const char* input;
        const char* shown;
        bool lone;
    };
    const Case cases[] = {
        {"&", "&&", true},     {"&&", "&&", true},     {"|", "|", true},
        {"\\", "\\", true},    {"& x", "&& x", false}, {"x |", "x |", false},
        {"\\x", "\\x", false}, {"x&&", "x&&", false},  {"|| x", "| x", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.input);
        const NormalizeOutcome out = normalize(QString::fromUtf8(c.input));
        EXPECT_FALSE(out.accepted);
        EXPECT_TRUE(out.searchInput.isEmpty());
        EXPECT_FALSE(out.operatorCount.has_value());
        ASSERT_TRUE(out.message.has_value());
        EXPECT_EQ(out.message->kind, MessageKind::Warning);
        EXPECT_EQ(out.message->buttons, ButtonOk);
        const QString bracket =
            QStringLiteral("[ ") + QString::fromUtf8(c.shown) + QStringLiteral(" ]");
        if (c.lone) {
            EXPECT_EQ(out.message->lines,
                      QStringList({QString(), QStringLiteral("Illegal søgestreng:"), bracket}));
        } else {
            EXPECT_EQ(out.message->lines,
                      QStringList({QString(), QStringLiteral("Indledende eller afsluttende"),
                                   QStringLiteral("Boole'sk operator i søgestreng ikke tilladt!"),
                                   bracket}));
        }
    }
}

TEST(NormalizeSearchString, rejectsMoreThanOneOperatorAndKeepsSpacedString) {
    const struct {
        const char* input;
        const char* kept;
        int count;
    } cases[] = {
        {"x AND y OR z", "x AND y OR z", 2},
        {"x AND NOT y", "x AND NOT y", 2},
        {"a&b|c", "a & b | c", 2},
        {"a & b & c", "a & b & c", 2},
        {"a or b or c or d", "a or b or c or d", 3},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.input);
        const NormalizeOutcome out = normalize(QString::fromUtf8(c.input));
        EXPECT_FALSE(out.accepted);
        EXPECT_EQ(out.searchInput, QString::fromUtf8(c.kept));
        EXPECT_EQ(out.operatorCount, c.count);
        ASSERT_TRUE(out.message.has_value());
        EXPECT_EQ(out.message->lines,
                  QStringList(
                      {QStringLiteral("Søgestrengen indeholder mere end een logisk søge-operator!"),
                       QStringLiteral(
                           "Programmet tillader højst søgning med een logisk operator ad gangen."),
                       QStringLiteral("Afbryder søgning.")}));
    }
}

TEST(NormalizeSearchString, canonicalFormIsStable) {
    for (const char* s : {"a&&b", "x and and y", "*abc*def", "a00.1", "fever AND *$a1", "x\\y"}) {
        const NormalizeOutcome first = normalize(QString::fromUtf8(s));
        const NormalizeOutcome again = normalize(first.searchInput);
        EXPECT_EQ(again.searchInput, first.searchInput) << s;
        EXPECT_EQ(again.operatorCount, first.operatorCount) << s;
    }
}

TEST(NormalizeStars, keepsOnlyALeadingStar) {
    EXPECT_EQ(NormalizeStars(QStringLiteral("*a*b*")), QStringLiteral("*ab"));
    EXPECT_EQ(NormalizeStars(QStringLiteral("a*b")), QStringLiteral("ab"));
    EXPECT_EQ(NormalizeStars(QStringLiteral("**")), QStringLiteral("*"));
    EXPECT_EQ(NormalizeStars(QString()), QString());
}
