// The INI reader on files of many sections, as an installation's hand-edited file or a hostile
// one may be: the time must grow with the size of the file, no faster.
#include "config/inidocument.h"

#include <benchmark/benchmark.h>

#include <QByteArray>

using namespace vex;

namespace {

// N sections of three keys each; the program's own sections come last.
QByteArray manySections(int n) {
    QByteArray bytes;
    for (int i = 0; i < n; ++i) {
        bytes += "[Section" + QByteArray::number(i) + "]\r\nKeyA = a\r\nKeyB = b\r\nKeyC = c\r\n";
    }
    bytes += "[DefaultDatafiles]\r\nDatafile01 = Liste\r\n[AppWebHelp]\r\nLocation = x\r\n";
    return bytes;
}

void BM_IniSections(benchmark::State& state) {
    const QByteArray bytes = manySections(int(state.range(0)));
    for (auto _ : state) {
        const IniDocument doc = IniDocument::fromBytes(bytes);
        benchmark::DoNotOptimize(
            doc.value(QStringLiteral("appwebhelp"), QStringLiteral("location")));
        benchmark::DoNotOptimize(doc.value(QStringLiteral("Section7"), QStringLiteral("KEYC")));
    }
    state.SetBytesProcessed(state.iterations() * bytes.size());
    state.counters["sections"] = double(state.range(0));
}
BENCHMARK(BM_IniSections)->Arg(1000)->Arg(20000)->Arg(50000)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
