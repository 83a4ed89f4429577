#include "search/searchindex.h"
#include "search/matcher.h"
#include "search/normalize.h"
#include "search/substringscan.h"

#include "base/textutil.h"
#include "listrecords.h"
#include "tempfiles.h"

#include <gtest/gtest.h>

#include <QRandomGenerator>

using namespace vex;

namespace {

const QStringList& primaryList() {
    static const QStringList list =
        test::readListRecords(test::fixtureListsDir() + QStringLiteral("/ICD10vex.txt"));
    return list;
}

const QStringList& secondaryList() {
    static const QStringList list = test::readListRecords(
        test::fixtureListsDir() + QStringLiteral("/Behandling-procedurer-vex.txt"));
    return list;
}

// Every hit of a canonical search string, by the matcher with or without an index.
QList<qsizetype> hits(const QStringList& list, const QString& canonical, int operatorCount,
                      SearchOptions options, std::shared_ptr<const SearchIndex> index,
                      QString* applied = nullptr, std::optional<Message>* message = nullptr) {
    Matcher matcher(list, options, std::move(index));
    QString s = canonical;
    QList<qsizetype> found;
    for (qsizetype p = 0; p >= 0 && p < list.size();) {
        const MatchResult r = matcher.next(p, s, operatorCount);
        if (r.position >= 0) {
            found << r.position;
        }
        if (message) {
            *message = r.message;
        }
        p = r.position >= 0 ? r.position + 1 : r.position;
    }
    if (applied) {
        *applied = s;
    }
    return found;
}

}  // namespace

TEST(SearchIndex, holdsTheUpperCaseSearchTextOfEveryRecord) {
    QStringList list = primaryList().mid(0, 3000) + secondaryList().mid(0, 3000);
    list << QString() << QStringLiteral("only") << QStringLiteral("\"a\tb\"\tx\t\"\"\"q\"\"\"")
         << QStringLiteral(" \" \t\t\"unclosed\tstill")
         << QStringLiteral("a\tb\tc\td\te\tf\tg\th\ti\tj")
         << QStringLiteral("æøå\t\tß straße\t\t\t\t\tﬁ")
         << QString(QChar(0xD800)) + QStringLiteral("\t\tx");
    const SearchIndex index(list);
    ASSERT_EQ(index.size(), list.size());
    for (qsizetype i = 0; i < list.size(); ++i) {
        for (bool comments : {false, true}) {
            ASSERT_EQ(index.text(i, comments), upper(RecordSearchText(list.at(i), comments)))
                << i << " " << comments;
        }
    }
}

TEST(SearchIndex, findsWhatThePlainScanFindsOnTheTestLists) {
    ASSERT_GT(primaryList().size(), 20000);
    ASSERT_GT(secondaryList().size(), 15000);
    const char* queries[] = {
        "feber",
        "a",
        "kolera",
        "*itis",
        "*ÆG",
        "diabetes",
        "diabetes mellitus",
        "DA00",
        "da001",
        "a00.1",
        "syg AND kronisk",
        "infektion NOT bakteriel",
        "*itis NOT *hep",
        "feber OR kolera",
        "a OR zz",
        "zz OR a",
        "infektion AND $A0",
        "infektion NOT $DA",
        "$B AND infektion",
        "'",
        "\"",
        "(",
        "-",
        "<BR>",
        "x",
        "q",
        "\t",
        "ab AND abc",
        "operation",
        "*tomi",
        "knæ OR hofte",
        "br",
        "dz",
        "DB",
        "et",
        "og",
    };
    const SearchOptions optionSets[] = {{false, false}, {true, false}, {true, true}, {false, true}};
    for (const QStringList* list : {&primaryList(), &secondaryList()}) {
        SearchIndexCache cache;
        const auto index = cache.indexFor(*list);
        for (std::size_t q = 0; q < std::size(queries); ++q) {
            const char* typed = queries[q];
            // Each query with two of the four option combinations, alternating.
            for (std::size_t o = q % 2; o < std::size(optionSets); o += 2) {
                const SearchOptions& options = optionSets[o];
                NormalizeInput in;
                in.searchInput = QString::fromUtf8(typed);
                in.options = options;
                in.entryAutoDPrefix = QStringLiteral("1");
                const NormalizeOutcome n = NormalizeSearchString(in);
                if (!n.accepted) {
                    continue;
                }
                SCOPED_TRACE(std::string(typed) + " free=" + std::to_string(options.freeText) +
                             " comments=" + std::to_string(options.comments));
                QString appliedPlain, appliedIndexed;
                std::optional<Message> messagePlain, messageIndexed;
                const auto plain = hits(*list, n.searchInput, *n.operatorCount, options, nullptr,
                                        &appliedPlain, &messagePlain);
                const auto indexed = hits(*list, n.searchInput, *n.operatorCount, options, index,
                                          &appliedIndexed, &messageIndexed);
                EXPECT_EQ(indexed, plain);
                EXPECT_EQ(appliedIndexed, appliedPlain);
                EXPECT_EQ(messageIndexed, messagePlain);
            }
        }
    }
}

TEST(SearchIndexCache, sharesTheIndexOfCopiesAndRebuildsForChangedLists) {
    QStringList list{QStringLiteral("DA00\t\tKolera"), QStringLiteral("DA01\t\tFeber")};
    SearchIndexCache cache(2);
    const auto first = cache.indexFor(list);
    const QStringList copy = list;
    EXPECT_EQ(cache.indexFor(copy), first);
    list[1] = QStringLiteral("DA01\t\tTyfus");  // detaches: the old index stays with the copy
    const auto changed = cache.indexFor(list);
    EXPECT_NE(changed, first);
    TermQuery tyfus{QStringLiteral("TYFUS"), false, false};
    EXPECT_EQ(changed->find(tyfus, 0, false), 1);
    EXPECT_EQ(first->find(tyfus, 0, false), -1);
    // A matcher given the index of another list does not use it.
    Matcher matcher(list, {}, first);
    QString s = QStringLiteral("tyfus");
    EXPECT_EQ(matcher.next(0, s, 0).position, 1);
}

TEST(FindSubstring, agreesWithAPlainSearchAtEveryAlignment) {
    QRandomGenerator random(7);
    for (int round = 0; round < 300; ++round) {
        QString hay;
        const int n = int(random.bounded(1, 80));
        for (int i = 0; i < n; ++i) {
            hay += QChar(char16_t(u'A' + random.bounded(3)));
        }
        const int m = int(random.bounded(1, 6));
        const qsizetype start = random.bounded(n);
        const QString needle = hay.mid(random.bounded(n), m);
        const auto* h = reinterpret_cast<const char16_t*>(hay.utf16());
        const auto* nd = reinterpret_cast<const char16_t*>(needle.utf16());
        EXPECT_EQ(FindSubstring(h, start, hay.size(), nd, needle.size()),
                  hay.indexOf(needle, start))
            << hay.toStdString() << " " << needle.toStdString() << " " << start;
    }
}
