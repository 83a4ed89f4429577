#include "data/datafile.h"
#include "data/loading.h"
#include "data/record.h"

#include "scalefile.h"
#include "silentdialogs.h"

#include <benchmark/benchmark.h>
#include <QFileInfo>

using namespace vex;

namespace {

void loadPrimary(benchmark::State& state, const QString& file) {
    if (file.isEmpty()) {
        state.SkipWithError("no list");
        return;
    }
    qsizetype records = 0;
    for (auto _ : state) {
        bench::SilentDialogs dialogs;
        DataFileSlot slot;
        if (!LoadPrimaryDataFile(file, slot, dialogs)) {
            state.SkipWithError("load failed");
            return;
        }
        records = slot.extended.size();
        benchmark::DoNotOptimize(slot);
    }
    const qint64 bytes = QFileInfo(file).size();
    state.counters["records"] = double(records);
    state.counters["MB"] = double(bytes) / 1e6;
    state.SetBytesProcessed(state.iterations() * bytes);
}

void BM_LoadPrimaryTestList(benchmark::State& state) {
    loadPrimary(state, bench::testPrimaryList());
}
BENCHMARK(BM_LoadPrimaryTestList)->Unit(benchmark::kMillisecond);

void BM_LoadSecondaryTestList(benchmark::State& state) {
    const QString file = bench::testSecondaryList();
    for (auto _ : state) {
        bench::SilentDialogs dialogs;
        DataFileSlot slot;
        LoadSecondaryDataFile(file, slot, dialogs);
        benchmark::DoNotOptimize(slot);
    }
}
BENCHMARK(BM_LoadSecondaryTestList)->Unit(benchmark::kMillisecond);

void BM_LoadPrimaryMillionRecords(benchmark::State& state) {
    loadPrimary(state, bench::millionRecordList());
}
BENCHMARK(BM_LoadPrimaryMillionRecords)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_ReadDataFileTestList(benchmark::State& state) {
    const QString file = bench::testPrimaryList();
    for (auto _ : state) {
        QStringList lines;
        ReadDataFile(lines, file);
        benchmark::DoNotOptimize(lines);
    }
}
BENCHMARK(BM_ReadDataFileTestList)->Unit(benchmark::kMillisecond);

void BM_BuildShortListTestList(benchmark::State& state) {
    bench::SilentDialogs dialogs;
    DataFileSlot slot;
    LoadPrimaryDataFile(bench::testPrimaryList(), slot, dialogs);
    for (auto _ : state) {
        QStringList shortList;
        BuildShortList(slot.extended, shortList);
        benchmark::DoNotOptimize(shortList);
    }
}
BENCHMARK(BM_BuildShortListTestList)->Unit(benchmark::kMicrosecond);

void BM_DecodeEveryRecordTestList(benchmark::State& state) {
    bench::SilentDialogs dialogs;
    DataFileSlot slot;
    LoadPrimaryDataFile(bench::testPrimaryList(), slot, dialogs);
    for (auto _ : state) {
        for (const QString& line : std::as_const(slot.extended)) {
            benchmark::DoNotOptimize(DecodeRecord(line));
        }
    }
    state.SetItemsProcessed(state.iterations() * slot.extended.size());
}
BENCHMARK(BM_DecodeEveryRecordTestList)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
