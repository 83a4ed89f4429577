#include "search/searchengine.h"
#include "search/matcher.h"
#include "search/resulttable.h"

#include <gtest/gtest.h>

#include <QSignalSpy>

#include <functional>

using namespace vex;

namespace {

QStringList numberedList(int count, const char* text) {
    QStringList list;
    for (int i = 0; i < count; ++i) {
        list << QStringLiteral("D%1\t\t%2 %1").arg(i).arg(QString::fromUtf8(text));
    }
    return list;
}

class RecordingHook : public SearchRunHook {
public:
    std::function<StepAnswer(const RunStep&)> answer;
    QList<RunStep> steps;
    QList<Message> rejections;
    QList<int> hundredAt;
    ResultTable* table = nullptr;

    void rejected(const Message& message) override { rejections << message; }
    void hundredRows() override { hundredAt << (table ? table->count() : -1); }
    StepAnswer afterStep(const RunStep& step) override {
        steps << step;
        return answer ? answer(step) : StepAnswer::Continue;
    }
};

}  // namespace

TEST(SearchEngine, runsToTheEndOfTheListAndReportsEveryStep) {
    QStringList list = numberedList(5, "Feber");
    list.insert(2, QStringLiteral("DX\t\tKolera"));
    ResultTable table;
    table.append(QStringLiteral("old"), QStringLiteral("row"));
    QSignalSpy inserted(&table, &QAbstractItemModel::rowsInserted);
    RecordingHook hook;
    SearchEngine engine;
    const RunOutcome out = engine.run(list, QStringLiteral("feber"), 0, {}, table, hook);
    EXPECT_EQ(out.status, RunStatus::Completed);
    EXPECT_TRUE(out.resultsFound);
    EXPECT_FALSE(out.paused);
    EXPECT_GE(out.lastSearchTime, 0.0);
    EXPECT_EQ(table.count(), 5);
    EXPECT_EQ(table.code(0), QStringLiteral("D0"));
    EXPECT_EQ(table.code(2), QStringLiteral("D2"));
    EXPECT_EQ(table.currentRow(), 0);
    EXPECT_EQ(inserted.size(), 1);  // one announcement for the whole run
    ASSERT_EQ(hook.steps.size(), 5);
    EXPECT_EQ(hook.steps.at(2).hit, 3);
    EXPECT_EQ(hook.steps.at(2).rows, 3);
    EXPECT_FALSE(hook.steps.at(3).last);
    EXPECT_TRUE(hook.steps.at(4).last);

    // A search that ends before the list does: the last step reports no hit.
    hook.steps.clear();
    const RunOutcome kolera = engine.run(list, QStringLiteral("kolera"), 0, {}, table, hook);
    EXPECT_EQ(kolera.status, RunStatus::Completed);
    ASSERT_EQ(hook.steps.size(), 2);
    EXPECT_EQ(hook.steps.at(1).hit, MatchResult::kNoHit);
    EXPECT_TRUE(hook.steps.at(1).last);
    EXPECT_EQ(table.count(), 1);
}

TEST(SearchEngine, rejectedStringLeavesTheTableEmpty) {
    const QStringList list = numberedList(3, "Feber");
    ResultTable table;
    table.append(QStringLiteral("old"), QStringLiteral("row"));
    RecordingHook hook;
    SearchEngine engine;
    const RunOutcome out = engine.run(list, QStringLiteral("feber AND FEBER"), 1, {}, table, hook);
    EXPECT_EQ(out.status, RunStatus::Rejected);
    EXPECT_FALSE(out.resultsFound);
    EXPECT_EQ(table.count(), 0);
    ASSERT_EQ(hook.rejections.size(), 1);
    EXPECT_EQ(hook.rejections.first().lines.at(2),
              QStringLiteral("Søgestrengen giver ikke mening,"));
    ASSERT_EQ(hook.steps.size(), 1);
    EXPECT_EQ(hook.steps.first().hit, MatchResult::kRejected);
}

TEST(SearchEngine, appliedStringIsTheRewrittenOne) {
    const QStringList list{QStringLiteral("DA10\t\tFeber"), QStringLiteral("DB10\t\tFeber")};
    ResultTable table;
    RecordingHook hook;
    SearchEngine engine;
    const RunOutcome out = engine.run(list, QStringLiteral("$A1 AND feber"), 1, {}, table, hook);
    EXPECT_EQ(out.searchInput, QStringLiteral("feber AND $DA1"));
    EXPECT_EQ(table.count(), 1);
}

TEST(SearchEngine, abortKeepsTheRowsFoundAndDropsTheTime) {
    const QStringList list = numberedList(10, "Feber");
    ResultTable table;
    RecordingHook hook;
    hook.answer = [](const RunStep& step) {
        return step.rows == 3 ? StepAnswer::Abort : StepAnswer::Continue;
    };
    SearchEngine engine;
    const RunOutcome out = engine.run(list, QStringLiteral("feber"), 0, {}, table, hook);
    EXPECT_EQ(out.status, RunStatus::Aborted);
    EXPECT_TRUE(out.paused);
    EXPECT_EQ(out.lastSearchTime, -1.0);
    EXPECT_TRUE(out.resultsFound);
    EXPECT_EQ(table.count(), 3);
    EXPECT_EQ(table.rowCount(), 3);
}

TEST(SearchEngine, pauseThenGoOnCompletesWithoutATime) {
    const QStringList list = numberedList(10, "Feber");
    ResultTable table;
    RecordingHook hook;
    hook.answer = [](const RunStep& step) {
        return step.rows == 4 ? StepAnswer::ContinueAfterPause : StepAnswer::Continue;
    };
    SearchEngine engine;
    const RunOutcome out = engine.run(list, QStringLiteral("feber"), 0, {}, table, hook);
    EXPECT_EQ(out.status, RunStatus::Completed);
    EXPECT_TRUE(out.paused);
    EXPECT_EQ(out.lastSearchTime, -1.0);
    EXPECT_EQ(table.count(), 10);
}

TEST(SearchEngine, tellsOnceWhenTheTableReachesAHundredRows) {
    const QStringList list = numberedList(250, "Feber");
    ResultTable table;
    RecordingHook hook;
    hook.table = &table;
    SearchEngine engine;
    engine.run(list, QStringLiteral("feber"), 0, {}, table, hook);
    EXPECT_EQ(hook.hundredAt, QList<int>({100}));
    hook.hundredAt.clear();
    engine.run(numberedList(99, "Feber"), QStringLiteral("feber"), 0, {}, table, hook);
    EXPECT_TRUE(hook.hundredAt.isEmpty());
}

TEST(SearchEngine, aRunStartedFromTheHookDoesNotDisturbTheRunningOne) {
    // Events processed during a run may start another run on the same table (an option box
    // clicked meanwhile); the running one goes on over its own list.
    const QStringList list = numberedList(20, "Feber");
    ResultTable table;
    SearchEngine engine;
    RecordingHook inner;
    RecordingHook outer;
    bool nested = false;
    outer.answer = [&](const RunStep& step) {
        if (step.rows == 5 && !nested) {
            nested = true;
            engine.run(numberedList(3, "Kolera"), QStringLiteral("kolera"), 0, {}, table, inner);
        }
        return StepAnswer::Continue;
    };
    const RunOutcome out = engine.run(list, QStringLiteral("feber"), 0, {}, table, outer);
    EXPECT_EQ(out.status, RunStatus::Completed);
    EXPECT_EQ(table.count(), 3 + 15);
    EXPECT_EQ(table.rowCount(), table.count());
}

TEST(SearchEngine, emptyListCompletesWithoutCalls) {
    ResultTable table;
    RecordingHook hook;
    SearchEngine engine;
    const RunOutcome out = engine.run({}, QStringLiteral("feber AND FEBER"), 1, {}, table, hook);
    EXPECT_EQ(out.status, RunStatus::Completed);
    EXPECT_FALSE(out.resultsFound);
    EXPECT_TRUE(hook.steps.isEmpty());
}

TEST(EventSlice, isDueAfterItsIntervalAndAtTheLastStep) {
    EventSlice slice(20);
    EXPECT_FALSE(slice.due(RunStep{1, 1, false, 0}));
    EXPECT_FALSE(slice.due(RunStep{2, 2, false, 19}));
    EXPECT_TRUE(slice.due(RunStep{3, 3, false, 20}));
    EXPECT_FALSE(slice.due(RunStep{4, 4, false, 39}));
    EXPECT_TRUE(slice.due(RunStep{-1, 4, true, 40}));
    EXPECT_TRUE(slice.due(RunStep{5, 5, false, 61}));
}
