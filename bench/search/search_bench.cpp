// Search engine timings on the test primary list (tests/fixtures) and on a generated list of
// a million records, the latter against `grep -ic` over the same file.
#include "data/loading.h"
#include "data/record.h"
#include "search/normalize.h"
#include "search/resulttable.h"
#include "search/searchengine.h"
#include "silentdialogs.h"

#include <benchmark/benchmark.h>

#include <QElapsedTimer>
#include <QProcess>
#include <QTemporaryDir>

#include <algorithm>
#include <chrono>
#include <memory>
#include <vector>

using namespace vex;

namespace {

// The window's hook without a window: an event slice is asked for, nothing is processed.
class SliceHook : public SearchRunHook {
public:
    StepAnswer afterStep(const RunStep& step) override {
        benchmark::DoNotOptimize(slice.due(step));
        return StepAnswer::Continue;
    }
    StepAnswer searching(const RunStep& step) override { return afterStep(step); }
    EventSlice slice;
};

// Keeps the longest time between two calls of the hook (the longest the window would go
// without a chance to process events). Reads the clock at every call, so it is used apart
// from the timed runs.
class GapHook : public SearchRunHook {
public:
    explicit GapHook() { sinceCall.start(); }
    StepAnswer afterStep(const RunStep&) override { return called(); }
    StepAnswer searching(const RunStep&) override { return called(); }

    QElapsedTimer sinceCall;
    qint64 longestGapNs = 0;

private:
    StepAnswer called() {
        longestGapNs = std::max(longestGapNs, sinceCall.nsecsElapsed());
        sinceCall.start();
        return StepAnswer::Continue;
    }
};

QStringList loadList(const QString& file) {
    bench::SilentDialogs dialogs;
    DataFileSlot slot;
    if (!LoadPrimaryDataFile(file, slot, dialogs)) {
        return {};
    }
    return slot.extended;
}

const QStringList& testList() {
    static const QStringList list =
        loadList(QStringLiteral(VEX_BENCH_LISTS_DIR) + QStringLiteral("/ICD10vex.txt"));
    return list;
}

// The million-record file, made once per run in a temporary folder that goes with the run.
const QString& bigFile() {
    static QTemporaryDir dir;
    static const QString file = [] {
        const QString path = dir.filePath(QStringLiteral("big.txt"));
        const int rc = QProcess::execute(
            QStringLiteral("python3"),
            {QStringLiteral(VEX_BENCH_MAKE_SCALE),
             QStringLiteral(VEX_BENCH_LISTS_DIR) + QStringLiteral("/ICD10vex.txt"), path});
        return rc == 0 ? path : QString();
    }();
    return file;
}

const QStringList& bigList() {
    static const QStringList list = bigFile().isEmpty() ? QStringList() : loadList(bigFile());
    return list;
}

struct Query {
    QString canonical;
    int operators = 0;
    SearchOptions options;
};

Query prepare(const char* typed, SearchOptions options = {}) {
    NormalizeInput in;
    in.searchInput = QString::fromUtf8(typed);
    in.options = options;
    in.entryAutoDPrefix = QStringLiteral("1");
    const NormalizeOutcome n = NormalizeSearchString(in);
    return Query{n.searchInput, n.operatorCount.value_or(0), options};
}

// Times whole runs (index already built) and reports the hits.
double runSearches(benchmark::State& state, const QStringList& list, const Query& q) {
    if (list.isEmpty()) {
        state.SkipWithError("list not loaded");
        return 0;
    }
    SearchEngine engine;
    ResultTable table;
    SliceHook hook;
    engine.run(list, q.canonical, q.operators, q.options, table, hook);  // builds the index
    QElapsedTimer timer;
    timer.start();
    for (auto _ : state) {
        const RunOutcome out = engine.run(list, q.canonical, q.operators, q.options, table, hook);
        if (out.status == RunStatus::Rejected) {
            state.SkipWithError("search string rejected");
            return 0;
        }
    }
    const double perRunMs = double(timer.nsecsElapsed()) / 1e6 / double(state.iterations());
    state.counters["hits"] = table.count();
    state.counters["records"] = double(list.size());
    GapHook gaps;
    engine.run(list, q.canonical, q.operators, q.options, table, gaps);
    state.counters["longest_hook_gap_ms"] = double(gaps.longestGapNs) / 1e6;
    return perRunMs;
}

void BM_TestList(benchmark::State& state, const char* typed, SearchOptions options) {
    runSearches(state, testList(), prepare(typed, options));
}

BENCHMARK_CAPTURE(BM_TestList, word_start_diabetes, "diabetes", SearchOptions{});
BENCHMARK_CAPTURE(BM_TestList, word_start_infektion, "infektion", SearchOptions{});
BENCHMARK_CAPTURE(BM_TestList, word_start_comments, "infektion", SearchOptions{false, true});
BENCHMARK_CAPTURE(BM_TestList, free_text_star_itis, "*itis", SearchOptions{});
BENCHMARK_CAPTURE(BM_TestList, free_text_option_anaemi, "anaemi", SearchOptions{true, false});
BENCHMARK_CAPTURE(BM_TestList, and, "infektion AND kronisk", SearchOptions{});
BENCHMARK_CAPTURE(BM_TestList, not, "infektion NOT kronisk", SearchOptions{});
BENCHMARK_CAPTURE(BM_TestList, group_and, "infektion AND $A", SearchOptions{});
BENCHMARK_CAPTURE(BM_TestList, or, "feber OR kolera", SearchOptions{});
BENCHMARK_CAPTURE(BM_TestList, or_every_record_or_last, "*a OR DUM09", SearchOptions{});
BENCHMARK_CAPTURE(BM_TestList, word_start_many_hits_sygdom, "sygdom", SearchOptions{});

// The plain scan without an index, for comparison.
void BM_TestListPlainScan(benchmark::State& state) {
    const QStringList& list = testList();
    const TermQuery term = PrepareTerm(QStringLiteral("diabetes"), {});
    for (auto _ : state) {
        qsizetype hits = 0;
        for (qsizetype p = ScanForTerm(list, term, 0, false); p >= 0;
             p = ScanForTerm(list, term, p + 1, false)) {
            ++hits;
        }
        benchmark::DoNotOptimize(hits);
    }
}
BENCHMARK(BM_TestListPlainScan)->Unit(benchmark::kMillisecond);

void BM_IndexBuild(benchmark::State& state, bool big) {
    const QStringList& list = big ? bigList() : testList();
    if (list.isEmpty()) {
        state.SkipWithError("list not loaded");
        return;
    }
    for (auto _ : state) {
        SearchIndex index(list);
        benchmark::DoNotOptimize(index.size());
    }
    state.counters["records"] = double(list.size());
}
BENCHMARK_CAPTURE(BM_IndexBuild, test_list, false)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_IndexBuild, million, true)->Unit(benchmark::kMillisecond)->Iterations(3);

// The index built in slices of 8 ms, as the window builds it while idle: the longest slice
// and the number of slices.
void BM_IndexBuildInSlices(benchmark::State& state, bool big) {
    const QStringList& list = big ? bigList() : testList();
    if (list.isEmpty()) {
        state.SkipWithError("list not loaded");
        return;
    }
    double longestMs = 0;
    int slices = 0;
    for (auto _ : state) {
        SearchIndex index(list, IndexBuild::Piecewise);
        slices = 0;
        for (bool done = false; !done; ++slices) {
            QElapsedTimer slice;
            slice.start();
            done = index.buildStep(std::chrono::milliseconds(8));
            longestMs = std::max(longestMs, double(slice.nsecsElapsed()) / 1e6);
        }
        benchmark::DoNotOptimize(index.size());
    }
    state.counters["longest_slice_ms"] = longestMs;
    state.counters["slices"] = slices;
}
BENCHMARK_CAPTURE(BM_IndexBuildInSlices, test_list, false)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_IndexBuildInSlices, million, true)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3);

// `grep -ic TERM FILE` on this machine, wall time of the whole process, best of five.
double grepMs(const QString& term, const QString& file) {
    double best = 1e9;
    for (int i = 0; i < 5; ++i) {
        QProcess grep;
        QElapsedTimer timer;
        timer.start();
        grep.start(QStringLiteral("grep"), {QStringLiteral("-ic"), term, file});
        grep.waitForFinished(-1);
        best = std::min(best, double(timer.nsecsElapsed()) / 1e6);
    }
    return best;
}

void BM_Million(benchmark::State& state, const char* typed, const char* grepTerm,
                SearchOptions options) {
    const double engineMs = runSearches(state, bigList(), prepare(typed, options));
    if (engineMs <= 0) {
        return;
    }
    const double grep = grepMs(QString::fromUtf8(grepTerm), bigFile());
    state.counters["grep_ms"] = grep;
    state.counters["engine_ms"] = engineMs;
    state.counters["ratio"] = engineMs / grep;
}

BENCHMARK_CAPTURE(BM_Million, word_start_diabetes, "diabetes", "diabetes", SearchOptions{})
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Million, word_start_feber, "feber", "feber", SearchOptions{})
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Million, word_start_kolera, "kolera", "kolera", SearchOptions{})
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Million, free_text_itis, "*itis", "itis", SearchOptions{})
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Million, or_every_record_or_last, "*a OR DUM09", "a", SearchOptions{})
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Million, no_hit, "xyzzyq", "xyzzyq", SearchOptions{})
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Million, hits_at_the_end, "*v48)", "v48)", SearchOptions{})
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Million, and_rare_right, "syg AND *v48)", "v48)", SearchOptions{})
    ->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
