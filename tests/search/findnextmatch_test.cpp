#include "search/matcher.h"
#include "search/normalize.h"

#include <gtest/gtest.h>

#include "listfiles.h"

using namespace vex;

namespace {

QString record(const QString& code, const char* text, const char* comments = "") {
    return test::RecordLine({{Column::Code, code},
                             {Column::Text, QString::fromUtf8(text)},
                             {Column::Comments, QString::fromUtf8(comments)},
                             {Column::EditDate, QStringLiteral("01-01-2020")}});
}

const QStringList& sampleList() {
    static const QStringList list{
        record(QStringLiteral("DA00"), "Kolera"),
        record(QStringLiteral("DA01"), "Fever acute"),
        record(QStringLiteral("DA10"), "Fever chronic"),
        record(QStringLiteral("DB20"), "Asthma bronchiale"),
        record(QStringLiteral("DJ45"), "Asthma"),
        record(QStringLiteral("DA15"), "Tuberculosis (fever)"),
        record(QStringLiteral("dA16"), "Lower-case code fever"),
        record(QStringLiteral("\"DA17\""), "Quoted code fever"),
        record(QStringLiteral("DZ98"), "Fever x"),
        record(QStringLiteral("DZ99"), "Fever last", "hidden remark"),
    };
    return list;
}

struct Search {
    QStringList codes;  // codes of the hits, in order
    QString applied;    // the search string after the run
    std::optional<Message> message;
};

// Normalises the typed string and calls FindNextMatch as the search run does.
Search search(const char* typed, SearchOptions options = {}) {
    NormalizeInput in;
    in.searchInput = QString::fromUtf8(typed);
    in.options = options;
    in.primaryInUse = false;
    const NormalizeOutcome n = NormalizeSearchString(in);
    EXPECT_TRUE(n.accepted) << typed;
    Search s;
    s.applied = n.searchInput;
    const QStringList& list = sampleList();
    for (qsizetype p = 0; p >= 0 && p < list.size();) {
        const MatchResult r =
            FindNextMatch(list, p, s.applied, n.operatorCount.value_or(0), options);
        if (r.position >= 0) {
            s.codes << list.at(r.position).section(u'\t', 0, 0).remove(u'"');
        } else if (r.message) {
            EXPECT_TRUE(s.codes.isEmpty()) << "rejected after a hit: " << typed;
            s.message = r.message;
        }
        p = r.position >= 0 ? r.position + 1 : r.position;
    }
    return s;
}

QStringList codes(const char* spaceSeparated) {
    return QString::fromUtf8(spaceSeparated).split(u' ', Qt::SkipEmptyParts);
}

}  // namespace

TEST(FindNextMatch, operatorsFindTheirRecordsInListOrder) {
    const struct {
        const char* typed;
        const char* hits;
        const char* applied;
    } cases[] = {
        {"fever", "DA01 DA10 DA15 dA16 DA17 DZ98 DZ99", "fever"},
        {"fever AND acute", "DA01", "fever AND acute"},
        {"fever&&chronic", "DA10", "fever & chronic"},
        {"fever not acute", "DA10 DA15 dA16 DA17 DZ98 DZ99", "fever NOT acute"},
        {"fever \\ x", "DA01 DA10 DA15 dA16 DA17 DZ99", "fever \\ x"},  // the last record passes
        {"fever AND last", "DZ99", "fever AND last"},
        {"fever OR asthma", "DA01 DA10 DB20 DJ45 DA15 dA16 DA17 DZ98 DZ99", "fever OR asthma"},
        {"chronic | acute", "DA01 DA10", "chronic | acute"},
        {"fever OR *ronic", "DA01 DA10 DA15 dA16 DA17 DZ98 DZ99", "fever OR *ronic"},  // DA10 once
        {"asthma NOT asthma bronchiale", "DJ45", "asthma NOT asthma bronchiale"},
        {"asthma OR astma", "DB20 DJ45", "asthma OR astma"},
        {"*ever NOT b", "DA01 DA10 DA15 dA16 DA17 DZ98 DZ99", "*ever NOT b"},
        {"fe*ver AND ac*ute", "DA01", "fever AND acute"},  // operands lose their inner stars
        {"fever AND remark", "", "fever AND remark"},      // the comments column is left out
        // Group searches: "D" put in, operands exchanged, the code compared at the line start.
        {"$A1 AND fever", "DA10 DA15 DA17", "fever AND $DA1"},
        {"fever AND *$a1", "DA10 DA15 DA17", "fever AND $DA1"},
        {"fever AND $da1", "DA10 DA15 DA17", "fever AND $DA1"},
        {"fever NOT $DA1", "DA01 DZ98 DZ99", "fever NOT $DA1"},  // NOT ignores case: dA16 goes
        {"fever NOT $a", "DZ98 DZ99", "fever NOT $DA"},
        {"fever & $Z", "DZ98 DZ99", "fever & $DZ"},
        {"fever AND $AB", "", "fever AND $AB"},
        {"fever AND $DZ99", "DZ99", "fever AND $DZ99"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.typed);
        const Search s = search(c.typed);
        EXPECT_FALSE(s.message.has_value());
        EXPECT_EQ(s.codes, codes(c.hits));
        EXPECT_EQ(s.applied, QString::fromUtf8(c.applied));
    }
}

TEST(FindNextMatch, optionsApplyToBothOperands) {
    EXPECT_EQ(search("fever AND remark", {false, true}).codes, codes("DZ99"));
    EXPECT_EQ(search("ever AND cute", {true, false}).codes, codes("DA01"));
    EXPECT_EQ(search("ever NOT cute", {true, false}).codes, codes("DA10 DA15 dA16 DA17 DZ98 DZ99"));
    EXPECT_EQ(search("ever OR olera", {true, false}).codes.size(), 8);
}

TEST(FindNextMatch, rejectsOperandsThatMakeNoSense) {
    const QString noSense = QStringLiteral("Søgestrengen giver ikke mening,");
    const QStringList m1{noSense, QStringLiteral("da de to logiske operander er ens!")};
    const QStringList m2{noSense,
                         QStringLiteral("da den ene operand udgør en delmængde af den anden,"),
                         QStringLiteral("og da søgningen dækkes af den ene operand alene!")};
    const QStringList m3{
        QStringLiteral("Tegnet [ $ ] for afgrænsede diagnosegruppe-søgninger accepteres kun"),
        QStringLiteral("med de logiske operatorer  AND (eller '&&')  eller  NOT (eller '\\').")};
    const QString groupUse =
        QStringLiteral("Anvendelse af tegnet [ $ ] for afgrænsede diagnosegruppe-søgninger");
    const QStringList m4{
        groupUse, QStringLiteral("forudsætter at [ $ ]-tegnet står forrest i bagerste operand!")};
    const QStringList m5{groupUse,
                         QStringLiteral("accepteres ved negationen  NOT  kun i bagerste operand!")};
    const QStringList m6{
        noSense,
        QStringLiteral("da den negerende (bagerste) operand udgør en delmængde af den forreste"),
        QStringLiteral("der derved per se umuliggør match på den forreste operand!")};
    const struct {
        const char* typed;
        const char* shown;  // the first line, "&" doubled
        const QStringList* reason;
    } cases[] = {
        {"fever AND FEVER", "[ fever AND FEVER ]", &m1},
        {"fever & Fever", "[ fever && Fever ]", &m1},
        {"fe*ver OR fever", "[ fever OR fever ]", &m1},
        {"*fever AND fever", "[ *fever AND fever ]", &m2},
        {"ab AND abc", "[ ab AND abc ]", &m2},
        {"abc AND ab", "[ abc AND ab ]", &m2},
        {"*b AND abc", "[ *b AND abc ]", &m2},
        {"abc AND *b", "[ abc AND *b ]", &m2},
        {"*ab OR *xaby", "[ *ab OR *xaby ]", &m2},
        {"ast OR asthma", "[ ast OR asthma ]", &m2},
        {"ast | asthma", "[ ast | asthma ]", &m2},
        {"fever OR $A", "[ fever OR $A ]", &m3},
        {"fever AND A$", "[ fever AND A$ ]", &m4},
        {"$A NOT fever", "[ $A NOT fever ]", &m5},
        {"asthma bronchiale NOT asthma", "[ asthma bronchiale NOT asthma ]", &m6},
        {"*fever NOT *eve", "[ *fever NOT *eve ]", &m6},
        {"fever NOT *eve", "[ fever NOT *eve ]", &m6},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.typed);
        const Search s = search(c.typed);
        ASSERT_TRUE(s.message.has_value());
        EXPECT_TRUE(s.codes.isEmpty());
        EXPECT_EQ(s.message->kind, MessageKind::Warning);
        EXPECT_EQ(s.message->buttons, ButtonOk);
        QStringList expected{QString::fromUtf8(c.shown), QString()};
        expected += *c.reason;
        EXPECT_EQ(s.message->lines, expected);
    }
}

TEST(FindNextMatch, stringsWithoutOperatorTokenOrOutOfRangeStartsFindNothing) {
    QString s = QStringLiteral("fever");
    EXPECT_EQ(FindNextMatch(sampleList(), 0, s, 1, {}).position, -1);  // counted, but no token
    s = QStringLiteral("fever");
    EXPECT_EQ(FindNextMatch(sampleList(), 100, s, 0, {}).position, -1);
    s = QStringLiteral("fever AND x");
    EXPECT_EQ(FindNextMatch(sampleList(), -5, s, 1, {}).position, -1);
    EXPECT_EQ(FindNextMatch(QStringList(), 0, s, 1, {}).position, -1);
}

TEST(FindNextMatch, rewrittenStringSearchesLikeTheTypedOne) {
    // A run calls FindNextMatch again with the string the call before rewrote; a blank (or
    // another character of code 32 or less) that the removed "*" leaves at an operand's end
    // must not change what the later calls find, nor may an operand's end form a second
    // operator token with the one after it.
    const QStringList& list = sampleList();
    for (const char* typed :
         {"fever * OR kolera", "kolera OR fever *", "fever *\x03 AND acute",
          "fever \x03* NOT chronic", "fever OR* OR kolera", "fever OR\x05 OR kolera"}) {
        SCOPED_TRACE(typed);
        NormalizeInput in;
        in.searchInput = QString::fromUtf8(typed);
        in.primaryInUse = false;
        const NormalizeOutcome n = NormalizeSearchString(in);
        ASSERT_TRUE(n.accepted);
        QString once = n.searchInput;
        const MatchResult first = FindNextMatch(list, 0, once, 1, {});
        QString twice = once;
        const MatchResult second = FindNextMatch(list, 0, twice, 1, {});
        EXPECT_EQ(twice, once);
        EXPECT_EQ(second.position, first.position);
        EXPECT_FALSE(once.contains(QStringLiteral("  ")));
    }
    EXPECT_EQ(search("fever * OR kolera").codes, search("fever OR kolera").codes);
    EXPECT_EQ(search("fever * OR kolera").applied, QStringLiteral("fever OR kolera"));
    EXPECT_EQ(search("fever OR* OR kolera").codes, codes("DA00"));
}

TEST(FindNextMatch, groupSearchWithTheMarkInBothOperandsIsRejectedAtOnce) {
    // «$DA1 AND pris$» becomes «pris$ AND $DA1»; read again, that would be exchanged back and
    // refused after the first hit. Such a string is refused on the first call instead.
    const QStringList list{record(QStringLiteral("DA10"), "Pris$ hoej"),
                           record(QStringLiteral("DA11"), "Pris$ lav"),
                           record(QStringLiteral("DB10"), "Pris$ andet")};
    const QStringList m4{
        QStringLiteral("Anvendelse af tegnet [ $ ] for afgrænsede diagnosegruppe-søgninger"),
        QStringLiteral("forudsætter at [ $ ]-tegnet står forrest i bagerste operand!")};
    for (const char* typed : {"$DA1 AND pris$", "$DA1 AND $DB1", "pris$ AND $DA1"}) {
        SCOPED_TRACE(typed);
        QString s = QString::fromUtf8(typed);
        const MatchResult r = FindNextMatch(list, 0, s, 1, {});
        EXPECT_TRUE(r.rejected());
        ASSERT_TRUE(r.message.has_value());
        EXPECT_EQ(r.message->lines.mid(2), m4);
    }
    // A string with one mark is rewritten once and then stays as it is.
    for (const char* typed : {"$da1 AND pris", "pris \\ $a1", "$A & pris"}) {
        SCOPED_TRACE(typed);
        QString once = QString::fromUtf8(typed);
        const MatchResult first = FindNextMatch(list, 0, once, 1, {});
        QString twice = once;
        const MatchResult second = FindNextMatch(list, 0, twice, 1, {});
        EXPECT_GE(first.position, -1);
        EXPECT_EQ(second.position, first.position);
        EXPECT_EQ(twice, once);
    }
}

TEST(FindNextMatch, rewriteThatTheNextCallWouldRefuseIsRefusedAtOnce) {
    // «*d AND $A0» is rewritten «*d AND $DA0», where the free-text «d» lies inside the group
    // operand. The first call used to list the diarrhoea record, the second refuse the string.
    const QStringList list{record(QStringLiteral("DA00"), "Diarré"),
                           record(QStringLiteral("DA01"), "Kolera")};
    QString s = QStringLiteral("*d AND $A0");
    const MatchResult r = FindNextMatch(list, 0, s, 1, {});
    EXPECT_TRUE(r.rejected());
    ASSERT_TRUE(r.message.has_value());
    EXPECT_TRUE(r.message->lines.contains(
        QStringLiteral("da den ene operand udgør en delmængde af den anden,")));
    // Without the clash the rewritten string is searched from the first call on.
    s = QStringLiteral("*diar AND $A0");
    EXPECT_EQ(FindNextMatch(list, 0, s, 1, {}).position, 0);
    EXPECT_EQ(s, QStringLiteral("*diar AND $DA0"));
}

TEST(Matcher, cachedOperandsGiveTheSameAnswersForAnyStart) {
    // The OR operands remember where they matched next; asking again from an earlier or a
    // later start must still give the plain answers.
    const QStringList& list = sampleList();
    Matcher matcher(list, {});
    for (qsizetype start : {0, 5, 2, 9, 3, 3, 0, 10, 1}) {
        QString cached = QStringLiteral("asthma OR last");
        QString plain = cached;
        EXPECT_EQ(matcher.next(start, cached, 1).position,
                  FindNextMatch(list, start, plain, 1, {}).position)
            << start;
    }
}
