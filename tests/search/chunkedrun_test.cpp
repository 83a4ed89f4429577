// Runs that look at a window of records at a time, and runs over an index still being built,
// against the one-call-per-hit loop over a complete index.
#include "base/columns.h"
#include "search/matcher.h"
#include "search/normalize.h"
#include "search/resulttable.h"
#include "search/searchengine.h"

#include "listrecords.h"
#include "tempfiles.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>

using namespace vex;
using namespace std::chrono_literals;

namespace {

const QStringList& fixture() {
    static const QStringList list =
        test::readListRecords(test::fixtureListsDir() + QStringLiteral("/ICD10vex.txt"));
    return list;
}

// 200,000 records: the test list over and over, its texts tagged with the copy number
// from the second copy on, so «*v10)» is found only in the last copy.
const QStringList& generated() {
    static const QStringList list = [] {
        QStringList out;
        out.reserve(200000);
        for (int copy = 1; out.size() < 200000; ++copy) {
            for (const QString& record : fixture()) {
                QStringList columns = record.split(kFieldSeparator);
                const int text = ColumnIndex(Column::Text);
                if (copy > 1 && columns.size() > text) {
                    columns[text] += QStringLiteral(" (v%1)").arg(copy);
                }
                out << columns.join(kFieldSeparator);
                if (out.size() == 200000) {
                    break;
                }
            }
        }
        return out;
    }();
    return list;
}

// What a run shows: the rows, the applied string, how it ended, the warnings.
struct Shown {
    QStringList rows;
    QString applied;
    RunStatus status = RunStatus::Completed;
    QList<Message> rejections;

    bool operator==(const Shown&) const = default;
};

void PrintTo(const Shown& s, std::ostream* os) {
    *os << s.rows.size() << " rows, status " << int(s.status) << ", applied "
        << s.applied.toStdString() << ", " << s.rejections.size() << " rejections";
}

QStringList rowsOf(const ResultTable& table) {
    QStringList rows;
    for (int row = 0; row < table.count(); ++row) {
        rows << table.code(row) + QLatin1Char('|') + table.text(row);
    }
    return rows;
}

// The loop as it was: one call per hit over the whole rest of the list, with a complete index.
Shown oneCallPerHit(const QStringList& list, const QString& canonical, int operatorCount,
                    SearchOptions options, std::shared_ptr<const SearchIndex> index) {
    Matcher matcher(list, options, std::move(index));
    Shown shown;
    shown.applied = canonical;
    ResultTable table;
    for (qsizetype p = 0; p >= 0 && p < list.size();) {
        const MatchResult r = matcher.next(p, shown.applied, operatorCount);
        if (r.message) {
            shown.rejections << *r.message;
        }
        if (r.position >= 0) {
            table.appendRecord(list, r.position);
        }
        shown.status = r.rejected() ? RunStatus::Rejected : RunStatus::Completed;
        p = r.position >= 0 ? r.position + 1 : r.position;
    }
    shown.rows = rowsOf(table);
    return shown;
}

// Records what the run tells its hook, in order.
class LoggingHook : public SearchRunHook {
public:
    QStringList log;  // "rejected", "step", "searching"
    QList<Message> messages;
    QList<qsizetype> reached;
    std::function<StepAnswer(const RunStep&)> onSearching;
    qsizetype longestStretch = 0;  // most records looked at between two reports

    void rejected(const Message& message) override {
        log << QStringLiteral("rejected");
        messages << message;
    }
    StepAnswer afterStep(const RunStep& step) override {
        log << QStringLiteral("step");
        EXPECT_GE(step.hit, MatchResult::kRejected);
        if (step.hit >= 0) {
            note(step.hit + 1);
        }
        return StepAnswer::Continue;
    }
    StepAnswer searching(const RunStep& step) override {
        log << QStringLiteral("searching");
        reached << step.reached;
        EXPECT_EQ(step.hit, MatchResult::kNoHit);
        EXPECT_FALSE(step.last);
        note(step.reached);
        return onSearching ? onSearching(step) : StepAnswer::Continue;
    }

private:
    void note(qsizetype position) {
        longestStretch = std::max(longestStretch, position - lastPosition_);
        lastPosition_ = position;
    }
    qsizetype lastPosition_ = 0;
};

Shown engineRun(SearchEngine& engine, const QStringList& list, const QString& canonical,
                int operatorCount, SearchOptions options, LoggingHook& hook) {
    ResultTable table;
    const RunOutcome out = engine.run(list, canonical, operatorCount, options, table, hook);
    EXPECT_FALSE(out.paused);
    EXPECT_EQ(out.resultsFound, table.count() > 0);
    return Shown{rowsOf(table), out.searchInput, out.status, hook.messages};
}

struct Query {
    QString canonical;
    int operators = 0;
};

std::optional<Query> normalized(const QString& typed, SearchOptions options) {
    NormalizeInput in;
    in.searchInput = typed;
    in.options = options;
    in.entryAutoDPrefix = QStringLiteral("1");
    const NormalizeOutcome n = NormalizeSearchString(in);
    if (!n.accepted) {
        return std::nullopt;
    }
    return Query{n.searchInput, n.operatorCount.value_or(0)};
}

QStringList typedQueries(const QStringList& list) {
    QStringList q{// single terms: many hits, few, none, only in the last copy, several words
                  "feber", "a", "kolera", "xyzzyq", "*itis", "*v10)", "diabetes mellitus", "DA00",
                  // two operands, the rare one on either side, and across a long stretch
                  "syg AND kronisk", "infektion NOT bakteriel", "*itis NOT *hep", "feber OR *v10)",
                  "*v10) OR kolera", "zz OR a", "feber OR kolera", "*v10) AND syg", "syg NOT *v",
                  // group searches
                  "infektion AND $A0", "infektion NOT $DA", "$B AND infektion",
                  // rejections, each on the first call
                  "feber AND FEBER", "ab AND abc", "feber OR $A", "feber AND A$", "$A NOT feber",
                  "asthma bronchiale NOT asthma"};
    q << QStringLiteral("*") + list.last().section(QLatin1Char('\t'), 0, 0);
    return q;
}

// The queries for the large list: the test list's kinds of run, fewer of each.
QStringList largeListQueries() {
    return {"a",
            "feber",
            "*v10)",
            "xyzzyq",
            "*v10) OR kolera",
            "feber OR *v10)",
            "syg AND kronisk",
            "infektion NOT bakteriel",
            "*v10) AND syg",
            "infektion NOT $DA",
            "ab AND abc"};
}

// Every query with two of the four option sets, alternating (one of them when `once`).
template <typename Check>
void forEachQuery(const QStringList& queries, bool once, Check check) {
    const SearchOptions optionSets[] = {{false, false}, {true, true}, {true, false}, {false, true}};
    for (qsizetype q = 0; q < queries.size(); ++q) {
        for (qsizetype o = once ? q % 4 : q % 2; o < 4; o += once ? 4 : 2) {
            const SearchOptions options = optionSets[o];
            const auto query = normalized(queries.at(q), options);
            if (!query) {
                continue;
            }
            SCOPED_TRACE(queries.at(q).toStdString() + " free=" + std::to_string(options.freeText) +
                         " comments=" + std::to_string(options.comments));
            check(*query, options);
        }
    }
}

// Runs every query on the engine the provider gives for it and compares with the one call
// per hit loop.
void expectSameAsOneCallPerHit(const QStringList& list, const QStringList& queries, bool once,
                               const std::function<SearchEngine&()>& engineForRun) {
    SearchIndexCache reference;
    const auto complete = reference.indexFor(list);
    forEachQuery(queries, once, [&](const Query& q, SearchOptions options) {
        LoggingHook hook;
        const Shown got = engineRun(engineForRun(), list, q.canonical, q.operators, options, hook);
        const Shown want = oneCallPerHit(list, q.canonical, q.operators, options, complete);
        EXPECT_EQ(got, want);
        // A rejection comes first, before any step or any report of searching.
        if (!want.rejections.isEmpty()) {
            EXPECT_EQ(hook.log, QStringList({"rejected", "step"}));
        }
    });
}

}  // namespace

TEST(ChunkedRun, windowsOfAnySizeGiveTheSameRunOnTheTestList) {
    ASSERT_GT(fixture().size(), 20000);
    for (qsizetype limit : {qsizetype(1), qsizetype(7), qsizetype(1000), WindowPacer::kMax}) {
        SCOPED_TRACE("window limit " + std::to_string(limit));
        SearchEngine engine;
        engine.setWindowLimit(limit);
        expectSameAsOneCallPerHit(fixture(), typedQueries(fixture()), false,
                                  [&]() -> SearchEngine& { return engine; });
    }
}

TEST(ChunkedRun, sameRunOnTwoHundredThousandRecords) {
    ASSERT_EQ(generated().size(), 200000);
    for (qsizetype limit : {qsizetype(997), WindowPacer::kMax}) {
        SCOPED_TRACE("window limit " + std::to_string(limit));
        SearchEngine engine;
        engine.setWindowLimit(limit);
        expectSameAsOneCallPerHit(generated(), largeListQueries(), true,
                                  [&]() -> SearchEngine& { return engine; });
    }
}

TEST(ChunkedRun, searchBeforeTheIndexIsCompleteIsTheSame) {
    // A search started while the index is still being built ahead (the window's warm-up):
    // the run builds the rest in slices and tells the hook in between.
    const QStringList& list = fixture();
    std::unique_ptr<SearchEngine> engine;
    expectSameAsOneCallPerHit(list, typedQueries(list), true, [&]() -> SearchEngine& {
        engine = std::make_unique<SearchEngine>();
        engine->setWindowLimit(300);
        // A few pieces built ahead, as an interrupted warm-up leaves them.
        for (int i = 0; i < 3; ++i) {
            EXPECT_FALSE(engine->buildIndexStep(list, 0ns));
        }
        return *engine;
    });
    EXPECT_TRUE(engine->buildIndexStep(list, 0ns));  // the last run completed the index

    // And on the large list, with a long build during the run, for a few queries.
    const QStringList& big = generated();
    SearchIndexCache reference;
    const auto complete = reference.indexFor(big);
    for (const char* typed : {"*v10)", "feber OR *v10)", "syg AND kronisk", "feber AND FEBER"}) {
        SCOPED_TRACE(typed);
        SearchEngine fresh;
        EXPECT_FALSE(fresh.buildIndexStep(big, 0ns));
        const auto q = normalized(QString::fromUtf8(typed), {});
        ASSERT_TRUE(q);
        LoggingHook hook;
        const Shown got = engineRun(fresh, big, q->canonical, q->operators, {}, hook);
        const Shown want = oneCallPerHit(big, q->canonical, q->operators, {}, complete);
        EXPECT_EQ(got, want);
        if (want.status != RunStatus::Rejected) {
            EXPECT_TRUE(fresh.buildIndexStep(big, 0ns));
            EXPECT_GE(hook.log.count(QStringLiteral("searching")), 2);
        } else {
            EXPECT_EQ(hook.log, QStringList({"rejected", "step"}));
        }
    }
}

TEST(ChunkedRun, hookHearsFromALongStretchWithoutHits) {
    const QStringList& big = generated();
    const auto q = normalized(QStringLiteral("xyzzyq"), {});
    ASSERT_TRUE(q);
    for (qsizetype limit : {qsizetype(1000), WindowPacer::kMax}) {
        SCOPED_TRACE("window limit " + std::to_string(limit));
        SearchEngine engine;
        engine.setWindowLimit(limit);
        LoggingHook hook;
        engineRun(engine, big, q->canonical, q->operators, {}, hook);  // builds during the run
        LoggingHook again;
        const Shown shown = engineRun(engine, big, q->canonical, q->operators, {}, again);
        EXPECT_EQ(shown.status, RunStatus::Completed);
        EXPECT_LE(hook.longestStretch, limit);
        EXPECT_LE(again.longestStretch, limit);
        EXPECT_GE(again.reached.size(), big.size() / limit - 1);
        EXPECT_EQ(again.log.last(), QStringLiteral("step"));
        EXPECT_EQ(again.log.count(QStringLiteral("step")), 1);
    }
}

TEST(ChunkedRun, escWhileStillSearchingPausesOrAborts) {
    const QStringList& big = generated();
    const auto q = normalized(QStringLiteral("*v10)"), {});  // hits only in the last copy
    ASSERT_TRUE(q);
    SearchEngine engine;
    engine.setWindowLimit(5000);
    ResultTable table;
    LoggingHook hook;
    int reports = 0;
    hook.onSearching = [&](const RunStep&) {
        return ++reports == 3 ? StepAnswer::Abort : StepAnswer::Continue;
    };
    const RunOutcome aborted = engine.run(big, q->canonical, q->operators, {}, table, hook);
    EXPECT_EQ(aborted.status, RunStatus::Aborted);
    EXPECT_TRUE(aborted.paused);
    EXPECT_EQ(aborted.lastSearchTime, -1.0);
    EXPECT_EQ(table.count(), 0);
    EXPECT_FALSE(hook.log.contains(QStringLiteral("step")));

    LoggingHook goOn;
    reports = 0;
    goOn.onSearching = [&](const RunStep&) {
        return ++reports == 3 ? StepAnswer::ContinueAfterPause : StepAnswer::Continue;
    };
    const RunOutcome paused = engine.run(big, q->canonical, q->operators, {}, table, goOn);
    EXPECT_TRUE(paused.paused);
    EXPECT_EQ(paused.lastSearchTime, -1.0);
    SearchIndexCache reference;
    const Shown want = oneCallPerHit(big, q->canonical, q->operators, {}, reference.indexFor(big));
    EXPECT_GT(want.rows.size(), 10000);
    EXPECT_EQ(paused.status, want.status);
    EXPECT_EQ(rowsOf(table), want.rows);
}
