// Measures the window on the bundled lists and on a generated list of a million records.
// Run headless: QT_QPA_PLATFORM=offscreen build/bin/bench_ui
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>

#include <deque>
#include <functional>
#include <memory>

#include "app/startup.h"
#include "config/userstore.h"
#include "search/resulttable.h"
#include "ui/esckey.h"
#include "ui/mainwindow.h"

namespace {

using namespace vex;

// Dialogs that type the given search strings and answer every question with Yes.
class BenchDialogs : public Dialogs {
public:
    std::deque<QString> inputs;
    int questions = 0;
    std::function<void()> onQuestion;

    std::optional<QString> inputText(const QString&, const QString&, const QString&) override {
        if (inputs.empty()) {
            return std::nullopt;
        }
        QString text = inputs.front();
        inputs.pop_front();
        return text;
    }

protected:
    MessageButton showMessage(const Message& message) override {
        ++questions;
        if (onQuestion) {
            onQuestion();
        }
        return (message.buttons & ButtonYes) ? ButtonYes : firstButton(message.buttons);
    }
};

// A program folder with the bundled lists.
const QTemporaryDir& BundledFolder() {
    static QTemporaryDir dir;
    static bool copied = false;
    if (!copied) {
        const QDir lists(QStringLiteral(VEX_BENCH_LISTS_DIR));
        for (const char* name : {"ICD10vex.txt", "Behandling-procedurer-vex.txt"}) {
            QFile::copy(lists.filePath(QLatin1String(name)), dir.filePath(QLatin1String(name)));
        }
        copied = true;
    }
    return dir;
}

struct Started {
    AppState app;
    BenchDialogs dialogs;
    MemoryUserStore store;
    std::unique_ptr<MainWindow> window;

    bool start(const QString& folder, const QStringList& parameters = {}) {
        app.programFolder = folder;
        app.parameters = parameters;
        window = std::make_unique<MainWindow>(app, dialogs, &store);
        StartupEnvironment environment;
        environment.readThemesActive = [] { return true; };
        if (FormCreate(*window, environment) != StartupOutcome::Ready) {
            return false;
        }
        window->show();
        return true;
    }
};

void BM_StartToFirstShow(benchmark::State& state) {
    const QString folder = BundledFolder().path();
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

// After the first show the window builds the search indexes while idle: the time until that
// is done, and the longest turn of the event loop it took.
void BM_IndexWarmUpAfterShow(benchmark::State& state) {
    const QString folder = BundledFolder().path();
    qint64 longestTurn = 0;
    for (auto _ : state) {
        state.PauseTiming();
        Started s;
        if (!s.start(folder)) {
            state.SkipWithError("start-up failed");
            return;
        }
        state.ResumeTiming();
        for (int turn = 0; turn < 10; ++turn) {
            QElapsedTimer t;
            t.start();
            QCoreApplication::processEvents();
            longestTurn = qMax(longestTurn, t.elapsed());
        }
        state.PauseTiming();
        s.window.reset();
        state.ResumeTiming();
    }
    state.counters["longest_turn_ms"] = double(longestTurn);
}
BENCHMARK(BM_IndexWarmUpAfterShow)->Unit(benchmark::kMillisecond)->Iterations(5);

void BM_SearchClickToFilledGrid(benchmark::State& state) {
    Started s;
    if (!s.start(BundledFolder().path())) {
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
    QElapsedTimer warm;
    warm.start();
    for (int turn = 0; turn < 10; ++turn) {
        QCoreApplication::processEvents();
    }
    state.counters["warm_up_ms"] = double(warm.elapsed());
    QElapsedTimer first;
    first.start();
    s.dialogs.inputs.push_back(QString::fromUtf8(typed));
    s.window->ui().btnSearch->click();
    state.counters["first_run_ms"] = double(first.elapsed());
    state.counters["first_run_longest_gap_ms"] =
        double(s.window->windowState().lastRun.longestEventGapMs);
    qint64 longestGap = 0;
    int rounds = 0;
    for (auto _ : state) {
        s.dialogs.inputs.push_back(QString::fromUtf8(typed));
        s.window->ui().btnSearch->click();
        longestGap = qMax(longestGap, s.window->windowState().lastRun.longestEventGapMs);
        rounds = s.window->windowState().lastRun.eventRounds;
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

// ESC pressed 30 ms into a long run: the time until the run notices it and asks whether to
// stop, and whether it stopped.
void BM_MillionRecordEscAbort(benchmark::State& state) {
    const QTemporaryDir* folder = MillionFolder();
    Started s;
    if (folder == nullptr || !s.start(folder->path(), {QStringLiteral("big.txt")})) {
        state.SkipWithError("no million-record list");
        return;
    }
    for (int turn = 0; turn < 10; ++turn) {
        QCoreApplication::processEvents();  // the indexes, built while idle
    }
    qint64 reaction = -1;
    int rows = 0;
    bool aborted = true;
    for (auto _ : state) {
        QElapsedTimer escTimer;
        s.dialogs.onQuestion = [&] { reaction = escTimer.isValid() ? escTimer.elapsed() : -1; };
        QTimer::singleShot(30, s.window.get(), [&] {
            escTimer.start();
            s.window->escKey().setDown(true);
        });
        s.dialogs.inputs.push_back(QStringLiteral("*a"));
        s.window->ui().btnSearch->click();
        rows = s.window->results().rowCount();
        aborted = aborted && s.window->app().lastSearchTime < 0 && reaction >= 0;
        s.window->escKey().forget();
    }
    state.counters["esc_to_question_ms"] = double(reaction);
    state.counters["rows_kept"] = rows;
    state.counters["aborted"] = aborted ? 1 : 0;
}
BENCHMARK(BM_MillionRecordEscAbort)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
