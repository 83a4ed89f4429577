// Measures the window on the test lists (tests/fixtures) and on a generated list of a million
// records.
// Run headless: QT_QPA_PLATFORM=offscreen build/bin/bench_ui
#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QKeyEvent>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>

#include <deque>
#include <functional>
#include <memory>

#include "benchwindow.h"
#include "search/resulttable.h"
#include "ui/mainwindow.h"
#include "ui/searchrunner.h"

namespace {

using namespace vex;
using bench::BenchDialogs;
using bench::Started;
using bench::TestListFolder;

// Turns the event loop until the window has built its search indexes while idle: how long
// that took, the number of turns, the first turn (which also lays out and paints the window
// just shown) and the longest of the others.
struct WarmUp {
    double ms = 0;
    double firstTurnMs = 0;
    double longestTurnMs = 0;  // the first turn left out
    int turns = 0;
    bool done = false;
};

// ESC goes down or up, as the user's key would: the window's run notices it between steps.
void PressEsc(MainWindow& window, QEvent::Type type) {
    QKeyEvent key(type, Qt::Key_Escape, Qt::NoModifier);
    QCoreApplication::sendEvent(&window, &key);
}

WarmUp WaitForWarmUp(MainWindow& window) {
    WarmUp w;
    QElapsedTimer total;
    total.start();
    while (!(w.done = window.searchRunner().indexesWarm()) && total.elapsed() < 30000) {
        QElapsedTimer turn;
        turn.start();
        QCoreApplication::processEvents();
        const double ms = double(turn.nsecsElapsed()) / 1e6;
        if (w.turns++ == 0) {
            w.firstTurnMs = ms;
        } else {
            w.longestTurnMs = qMax(w.longestTurnMs, ms);
        }
    }
    w.ms = double(total.nsecsElapsed()) / 1e6;
    return w;
}

void BM_StartToFirstShow(benchmark::State& state) {
    const QString folder = TestListFolder().path();
    for (auto _ : state) {
        Started s;
        if (!s.start(folder)) {
            state.SkipWithError("start-up failed");
            return;
        }
        benchmark::DoNotOptimize(s.window.get());
        state.PauseTiming();
        s.window.reset();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_StartToFirstShow)->Unit(benchmark::kMillisecond)->MinTime(2.0);

// After the first show the window builds the search indexes while idle, in slices: the time
// until that is done, and the turns of the event loop it took.
void BM_IndexWarmUpAfterShow(benchmark::State& state) {
    const QString folder = TestListFolder().path();
    WarmUp longest;
    for (auto _ : state) {
        state.PauseTiming();
        Started s;
        if (!s.start(folder)) {
            state.SkipWithError("start-up failed");
            return;
        }
        state.ResumeTiming();
        const WarmUp w = WaitForWarmUp(*s.window);
        if (!w.done) {
            state.SkipWithError("warm-up did not finish");
            return;
        }
        longest.longestTurnMs = qMax(longest.longestTurnMs, w.longestTurnMs);
        longest.firstTurnMs = qMax(longest.firstTurnMs, w.firstTurnMs);
        longest.turns = w.turns;
        state.PauseTiming();
        s.window.reset();
        state.ResumeTiming();
    }
    state.counters["first_turn_ms"] = longest.firstTurnMs;
    state.counters["longest_later_turn_ms"] = longest.longestTurnMs;
    state.counters["turns"] = longest.turns;
}
BENCHMARK(BM_IndexWarmUpAfterShow)->Unit(benchmark::kMillisecond)->Iterations(5);

void BM_SearchClickToFilledGrid(benchmark::State& state) {
    Started s;
    if (!s.start(TestListFolder().path())) {
        state.SkipWithError("start-up failed");
        return;
    }
    int rows = 0;
    for (auto _ : state) {
        s.dialogs.inputs.push_back(QStringLiteral("sygdom"));
        s.window->ui().btnSearch->click();
        QCoreApplication::processEvents();  // the grid paints its rows
        rows = s.window->results().rowCount();
    }
    state.counters["hits"] = rows;
}
BENCHMARK(BM_SearchClickToFilledGrid)->Unit(benchmark::kMillisecond)->MinTime(2.0);

// A generated list of a million records in its own program folder.
const QTemporaryDir* MillionFolder() {
    static QTemporaryDir dir;
    static bool made = false;
    if (!made) {
        made = true;
        const int exit = QProcess::execute(
            QStringLiteral("python3"),
            {QStringLiteral(VEX_BENCH_MAKE_SCALE),
             QDir(QStringLiteral(VEX_BENCH_LISTS_DIR)).filePath(QStringLiteral("ICD10vex.txt")),
             dir.filePath(QStringLiteral("big.txt"))});
        if (exit != 0) {
            return nullptr;
        }
    }
    return QFile::exists(dir.filePath(QStringLiteral("big.txt"))) ? &dir : nullptr;
}

// A whole run on the big list: the longest time the window went without processing events.
void BM_MillionRecordRun(benchmark::State& state, const char* typed) {
    const QTemporaryDir* folder = MillionFolder();
    Started s;
    if (folder == nullptr || !s.start(folder->path(), {QStringLiteral("big.txt")})) {
        state.SkipWithError("no million-record list");
        return;
    }
    // Let the window build its indexes while idle, as it does after its first show.
    const WarmUp warm = WaitForWarmUp(*s.window);
    state.counters["warm_up_ms"] = warm.ms;
    state.counters["warm_up_first_turn_ms"] = warm.firstTurnMs;
    state.counters["warm_up_longest_later_turn_ms"] = warm.longestTurnMs;
    state.counters["warm_up_turns"] = warm.turns;
    QElapsedTimer first;
    first.start();
    s.dialogs.inputs.push_back(QString::fromUtf8(typed));
    s.window->ui().btnSearch->click();
    state.counters["first_run_ms"] = double(first.elapsed());
    state.counters["first_run_longest_gap_ms"] =
        double(s.window->searchRunner().lastRun().longestEventGapMs);
    qint64 longestGap = 0;
    int rounds = 0;
    for (auto _ : state) {
        s.dialogs.inputs.push_back(QString::fromUtf8(typed));
        s.window->ui().btnSearch->click();
        longestGap = qMax(longestGap, s.window->searchRunner().lastRun().longestEventGapMs);
        rounds = s.window->searchRunner().lastRun().eventRounds;
    }
    state.counters["hits"] = s.window->results().rowCount();
    state.counters["longest_gap_ms"] = double(longestGap);
    state.counters["event_rounds"] = rounds;
}
BENCHMARK_CAPTURE(BM_MillionRecordRun, many_hits, "sygdom")
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3);
BENCHMARK_CAPTURE(BM_MillionRecordRun, hits_at_the_end, "*v48)")
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3);
BENCHMARK_CAPTURE(BM_MillionRecordRun, no_hit, "xyzzyq")
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3);

// A run started at once after the first show, before the index of the list is built: the
// run builds it in slices. The longest gap and the time of that first run.
void BM_MillionRecordRunBeforeWarmUp(benchmark::State& state, const char* typed) {
    const QTemporaryDir* folder = MillionFolder();
    if (folder == nullptr) {
        state.SkipWithError("no million-record list");
        return;
    }
    qint64 longestGap = 0;
    int hits = 0;
    for (auto _ : state) {
        state.PauseTiming();
        Started s;
        if (!s.start(folder->path(), {QStringLiteral("big.txt")})) {
            state.SkipWithError("start-up failed");
            return;
        }
        s.dialogs.inputs.push_back(QString::fromUtf8(typed));
        state.ResumeTiming();
        s.window->ui().btnSearch->click();
        state.PauseTiming();
        longestGap = qMax(longestGap, s.window->searchRunner().lastRun().longestEventGapMs);
        hits = s.window->results().rowCount();
        s.window.reset();
        state.ResumeTiming();
    }
    state.counters["hits"] = hits;
    state.counters["longest_gap_ms"] = double(longestGap);
}
BENCHMARK_CAPTURE(BM_MillionRecordRunBeforeWarmUp, many_hits, "sygdom")
    ->Unit(benchmark::kMillisecond)
    ->Iterations(2);
BENCHMARK_CAPTURE(BM_MillionRecordRunBeforeWarmUp, no_hit, "xyzzyq")
    ->Unit(benchmark::kMillisecond)
    ->Iterations(2);

// ESC pressed some milliseconds into a run on the big list: the time until the run notices
// it and asks whether to stop (from the press, and from the click), and whether it stopped.
void BM_MillionRecordEscAbort(benchmark::State& state, const char* typed, int escAfterMs) {
    const QTemporaryDir* folder = MillionFolder();
    Started s;
    if (folder == nullptr || !s.start(folder->path(), {QStringLiteral("big.txt")})) {
        state.SkipWithError("no million-record list");
        return;
    }
    WaitForWarmUp(*s.window);  // the indexes, built while idle
    qint64 reaction = -1;
    qint64 questionAt = -1;
    int rows = 0;
    bool aborted = true;
    for (auto _ : state) {
        QElapsedTimer escTimer;
        QElapsedTimer clickTimer;
        s.dialogs.onQuestion = [&] {
            reaction = escTimer.isValid() ? escTimer.elapsed() : -1;
            questionAt = clickTimer.elapsed();
        };
        QTimer::singleShot(escAfterMs, s.window.get(), [&] {
            escTimer.start();
            PressEsc(*s.window, QEvent::KeyPress);
        });
        s.dialogs.inputs.push_back(QString::fromUtf8(typed));
        clickTimer.start();
        s.window->ui().btnSearch->click();
        rows = s.window->results().rowCount();
        aborted = aborted && s.window->listViews().inUse().searchTime < 0 && reaction >= 0;
        PressEsc(*s.window, QEvent::KeyRelease);
    }
    state.counters["esc_to_question_ms"] = double(reaction);
    state.counters["click_to_question_ms"] = double(questionAt);
    state.counters["rows_kept"] = rows;
    state.counters["aborted"] = aborted ? 1 : 0;
}
BENCHMARK_CAPTURE(BM_MillionRecordEscAbort, many_hits, "*a", 30)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3);
BENCHMARK_CAPTURE(BM_MillionRecordEscAbort, no_hit, "xyzzyq", 5)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3);

}  // namespace
