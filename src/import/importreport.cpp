#include "import/importreport.h"

#include "import/listformat.h"
#include "import/sksline.h"

#include <algorithm>

namespace vex {

namespace {

// Line numbers, several to a line of the report.
QString lineNumbers(QList<qint64> numbers) {
    std::sort(numbers.begin(), numbers.end());
    QString out;
    QString row;
    const auto flush = [&out, &row] {
        out += (out.isEmpty() ? QStringLiteral("  linje ") : QString(8, u' ')) + row + u'\n';
        row.clear();
    };
    for (const qint64 n : numbers) {
        const QString item = QString::number(n);
        if (!row.isEmpty() && row.size() + item.size() > 80) {
            flush();
        }
        row += (row.isEmpty() ? QString() : QStringLiteral(", ")) + item;
    }
    if (!row.isEmpty()) {
        flush();
    }
    return out;
}

QString kindLine(const QString& kind, const KindCount& count) {
    QString line = QStringLiteral("  %1: %2 linjer").arg(kind).arg(count.lines);
    if (count.primary > 0) {
        line += QStringLiteral(", %1 koder til den primære liste").arg(count.primary);
    }
    if (count.secondary > 0) {
        line += QStringLiteral(", %1 koder til den sekundære liste").arg(count.secondary);
    }
    if (count.skipped > 0) {
        line += QStringLiteral(", %1 linjer sprunget over").arg(count.skipped);
    }
    return line + u'\n';
}

}  // namespace

QString importReport(const ImportFacts& f) {
    QString r;
    r += QStringLiteral("SKS-fil: %1 (%2, %3 linjer, %4 tomme)\n")
             .arg(f.input, f.encoding)
             .arg(f.lines)
             .arg(f.blank);
    r += QStringLiteral("Udgivelsesdato: %1 (den nyeste ændringsdato i filen)\n")
             .arg(dayText(f.releaseDate));
    r += QStringLiteral("Gyldige pr.: %1\n").arg(dayText(f.validOn));
    r += QStringLiteral("Primær liste: %1: %2 koder%3\n")
             .arg(f.primaryPath)
             .arg(f.primaryCodes)
             .arg(f.notWindows1252.isEmpty()
                      ? QString()
                      : QStringLiteral(" (UTF-8: Windows-1252 rummer ikke alle tegn)"));
    r += lineNumbers(f.notWindows1252);
    r +=
        QStringLiteral("Sekundær liste: %1: %2 koder\n").arg(f.secondaryPath).arg(f.secondaryCodes);
    r += QStringLiteral("Posttyper:\n");
    for (auto it = f.kinds.cbegin(); it != f.kinds.cend(); ++it) {
        r += kindLine(it.key(), it.value());
    }
    r += QStringLiteral("Åbne koder (gyldige pr. %1): %2\n")
             .arg(dayText(f.validOn))
             .arg(f.primaryCodes + f.secondaryCodes);
    r += QStringLiteral("Lukkede koder (udeladt): %1 (udløbet: %2, endnu ikke gyldige: %3)\n")
             .arg(f.closedEnded + f.closedNotYetValid)
             .arg(f.closedEnded)
             .arg(f.closedNotYetValid);
    r += QStringLiteral("Koder med overlappende gyldighedsperioder: %1\n").arg(f.overlapping);
    if (!f.ties.isEmpty()) {
        r += QStringLiteral(
                 "Lige nye gyldige linjer med forskellig tekst (den sidste er brugt): %1\n")
                 .arg(f.ties.size());
        QList<qint64> tied;
        for (const auto& [first, second] : f.ties) {
            tied << first << second;
        }
        r += lineNumbers(tied);
    }
    r += QStringLiteral(
             "Tekster der fylder hele feltet på %1 tegn (eksporten kan have afkortet dem): %2\n")
             .arg(sks::kTextWidth)
             .arg(f.fullWidth.size());
    r += lineNumbers(f.fullWidth);
    return r;
}

}  // namespace vex
