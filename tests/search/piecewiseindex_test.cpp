// An index built piece by piece: the same as one built whole, and usable while it grows.
#include "search/matcher.h"
#include "search/normalize.h"
#include "search/searchindex.h"

#include "base/textutil.h"
#include "listrecords.h"
#include "tempfiles.h"

#include <gtest/gtest.h>

#include <tuple>

using namespace vex;
using namespace std::chrono_literals;

namespace {

// Part of the test list and lines of every odd shape the column split knows.
QStringList sampleList() {
    QStringList list =
        test::readListRecords(test::fixtureListsDir() + QStringLiteral("/ICD10vex.txt"))
            .mid(0, 4000);
    list << QString() << QStringLiteral("only") << QStringLiteral("\"a\tb\"\tx\t\"\"\"q\"\"\"")
         << QStringLiteral(" \" \t\t\"unclosed\tstill") << QString() << QString()
         << QStringLiteral("a\tb\tc\td\te\tf\tg\th\ti\tj")
         << QStringLiteral("æøå\t\tß straße\t\t\t\t\tﬁ feber");
    return list;
}

const TermQuery kTerms[] = {
    {QStringLiteral("FEBER"), false, false},  {QStringLiteral("ITIS"), true, false},
    {QStringLiteral("A"), false, false},      {QStringLiteral("\t"), true, false},
    {QStringLiteral("ﬁ FEBER"), true, false}, {QStringLiteral("STILL"), false, false},
};

void expectSameRecords(const SearchIndex& piecewise, const SearchIndex& whole, qsizetype records) {
    for (qsizetype i = 0; i < records; ++i) {
        for (bool comments : {false, true}) {
            ASSERT_EQ(piecewise.text(i, comments), whole.text(i, comments)) << i;
        }
        const RowRanges& a = piecewise.rowRanges(i);
        const RowRanges& b = whole.rowRanges(i);
        ASSERT_EQ(std::tie(a.codeBegin, a.codeLength, a.textBegin, a.textLength),
                  std::tie(b.codeBegin, b.codeLength, b.textBegin, b.textLength))
            << i;
    }
}

}  // namespace

TEST(PiecewiseIndex, growsStepByStepIntoTheWholeIndex) {
    const QStringList list = sampleList();
    const SearchIndex whole(list);
    SearchIndex piecewise(list, IndexBuild::Piecewise);
    EXPECT_EQ(piecewise.built(), 0);
    EXPECT_EQ(piecewise.find(kTerms[0], 0, true), -1);  // nothing built, nothing found

    qsizetype before = 0;
    int steps = 0;
    while (!piecewise.buildStep(0ns)) {
        ++steps;
        const qsizetype built = piecewise.built();
        ASSERT_GT(built, before);
        ASSERT_LT(built, list.size());
        // What is built is searchable: the hits of the whole index before that point.
        for (const TermQuery& term : kTerms) {
            for (qsizetype start : {qsizetype(0), before, built - 1}) {
                for (bool comments : {false, true}) {
                    ASSERT_EQ(piecewise.find(term, start, list.size(), comments),
                              whole.find(term, start, built, comments))
                        << term.upperTerm.toStdString() << " " << start;
                }
            }
        }
        before = built;
    }
    EXPECT_GT(steps, 10);
    ASSERT_TRUE(piecewise.complete());
    EXPECT_EQ(piecewise.built(), list.size());
    EXPECT_TRUE(piecewise.buildStep(0ns));  // nothing left to do
    expectSameRecords(piecewise, whole, list.size());
    for (const TermQuery& term : kTerms) {
        for (qsizetype start = 0; start < list.size(); start += 397) {
            for (qsizetype end : {start + 1, start + 250, list.size()}) {
                ASSERT_EQ(piecewise.find(term, start, end, false),
                          whole.find(term, start, end, false));
            }
        }
    }
}

TEST(PiecewiseIndex, aTimeBudgetStopsTheStep) {
    QStringList list = sampleList();
    while (list.size() < 100000) {
        list += list;
    }
    SearchIndex index(list, IndexBuild::Piecewise);
    index.buildStep(1ms);
    EXPECT_GT(index.built(), 0);
    EXPECT_LT(index.built(), list.size());
    index.finish();
    EXPECT_TRUE(index.complete());
    expectSameRecords(index, SearchIndex(list), list.size());
}

TEST(PiecewiseIndex, matcherOnAGrowingIndexFindsWhatTheCompleteOneFinds) {
    const QStringList list = sampleList();
    SearchIndexCache cache;
    const auto complete = cache.indexFor(list);
    const auto half = std::make_shared<SearchIndex>(list, IndexBuild::Piecewise);
    while (half->built() < list.size() / 2) {
        half->buildStep(0ns);
    }
    for (const char* typed : {"feber", "*itis", "syg AND kronisk", "infektion NOT bakteriel",
                              "feber OR kolera", "infektion AND $A0", "still"}) {
        NormalizeInput in;
        in.searchInput = QString::fromUtf8(typed);
        in.entryAutoDPrefix = QStringLiteral("1");
        const NormalizeOutcome n = NormalizeSearchString(in);
        ASSERT_TRUE(n.accepted) << typed;
        for (bool comments : {false, true}) {
            const SearchOptions options{false, comments};
            Matcher onHalf(list, options, half);
            Matcher onWhole(list, options, complete);
            QString a = n.searchInput;
            QString b = n.searchInput;
            for (qsizetype p = 0; p >= 0 && p < list.size();) {
                const MatchResult x = onHalf.next(p, a, *n.operatorCount);
                const MatchResult y = onWhole.next(p, b, *n.operatorCount);
                ASSERT_EQ(x.position, y.position) << typed << " from " << p;
                p = x.position >= 0 ? x.position + 1 : -1;
            }
        }
    }
}

TEST(SearchIndexCache, completesAnIndexBuiltInPartAndKeepsIt) {
    const QStringList list = sampleList();
    SearchIndexCache cache;
    const auto entry = cache.entryFor(list);
    EXPECT_EQ(entry->built(), 0);
    entry->buildStep(0ns);
    EXPECT_EQ(cache.entryFor(list), entry);
    const auto index = cache.indexFor(list);
    EXPECT_EQ(index.get(), entry.get());
    EXPECT_TRUE(index->complete());
}
