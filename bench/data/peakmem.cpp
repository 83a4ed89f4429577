// Loads one data file as the primary list and reports time, records and peak memory:
//   bench_data_peakmem [FILE]   (default: the generated list of a million records)
#include "data/loading.h"

#include "scalefile.h"
#include "silentdialogs.h"

#include <QElapsedTimer>
#include <QFileInfo>

#include <cstdio>

using namespace vex;

int main(int argc, char** argv) {
    const QString file = argc > 1 ? QString::fromLocal8Bit(argv[1]) : bench::millionRecordList();
    if (file.isEmpty()) {
        std::fprintf(stderr, "no file\n");
        return 2;
    }
    const qint64 before = bench::peakResidentBytes();
    QElapsedTimer timer;
    timer.start();
    bench::SilentDialogs dialogs;
    DataFileSlot slot;
    const bool ok = LoadPrimaryDataFile(file, slot, dialogs);
    const qint64 ms = timer.elapsed();
    const qint64 peak = bench::peakResidentBytes();
    const qint64 size = QFileInfo(file).size();
    std::printf("file %s\nloaded %s, %lld records in %lld ms\n", qPrintable(file),
                ok ? "yes" : "no", qlonglong(slot.extended.size()), qlonglong(ms));
    std::printf("file size %.1f MB, peak RSS %.1f MB (%.2f x file size; %.1f MB before loading)\n",
                double(size) / 1e6, double(peak) / 1e6, double(peak) / double(size),
                double(before) / 1e6);
    return ok ? 0 : 1;
}
