#include "scalefile.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>

#include <sys/resource.h>

namespace vex::bench {

QString testPrimaryList() {
    return QStringLiteral(VEX_BENCH_LISTS_DIR "/ICD10vex.txt");
}
QString testSecondaryList() {
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
                          {QStringLiteral(VEX_BENCH_MAKE_SCALE), testPrimaryList(), target});
    return rc == 0 ? target : QString();
}

qint64 peakResidentBytes() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return qint64(usage.ru_maxrss) * 1024;
}

}  // namespace vex::bench
