#include "scalefile.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>

#include <sys/resource.h>

namespace vex::bench {

QString bundledPrimaryList() {
    return QStringLiteral(VEX_BENCH_LISTS_DIR "/ICD10vex.txt");
}
QString bundledSecondaryList() {
    return QStringLiteral(VEX_BENCH_LISTS_DIR "/Behandling-procedurer-vex.txt");
}

QString millionRecordList() {
    const QString folder = QDir::temp().filePath(QStringLiteral("vex-bench-data"));
    const QString target = folder + QStringLiteral("/big.txt");
    if (QFileInfo(target).size() > 0) {
        return target;
    }
    QDir().mkpath(folder);
    const int rc =
        QProcess::execute(QStringLiteral("python3"),
                          {QStringLiteral(VEX_BENCH_MAKE_SCALE), bundledPrimaryList(), target});
    return rc == 0 ? target : QString();
}

qint64 peakResidentBytes() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return qint64(usage.ru_maxrss) * 1024;
}

}  // namespace vex::bench
