// A clinician keeps the window open all day. Drives one window on the test lists through
// 10,000 searches of every kind the search language has (single terms, AND, OR, NOT, diagnosis
// groups, free text, codes and strings that are refused), with list toggles and switches of
// the data file in between, each step a turn of the event loop as a click would be. Reports the
// resident memory after 1,000 and after 10,000 searches and the growth between the two.
//   QT_QPA_PLATFORM=offscreen build/bin/bench_soak
// Built with VEX_SANITIZE=ON and run with ASAN_OPTIONS=detect_leaks=1, the same drive checks
// for leaks (its memory figures then say nothing: ASan's quarantine holds freed memory).
#include <benchmark/benchmark.h>

#include <QElapsedTimer>
#include <QEventLoop>
#include <QPushButton>
#include <QRegularExpression>
#include <QTimer>

#include <unistd.h>

#include <cstdio>

#include "base/columns.h"
#include "benchwindow.h"

namespace {

using namespace vex;

constexpr int kSearches = 10000;
constexpr int kFirstReading = 1000;

// Resident memory of the process now, in bytes.
double ResidentBytes() {
    long pages = 0;
    long resident = 0;
    if (FILE* f = std::fopen("/proc/self/statm", "r")) {
        if (std::fscanf(f, "%ld %ld", &pages, &resident) != 2) {
            resident = 0;
        }
        std::fclose(f);
    }
    return double(resident) * double(sysconf(_SC_PAGESIZE));
}

// Words of the diagnosis texts of the list in view, a few hundred, always the same ones.
QStringList Words(const QStringList& records) {
    static const QRegularExpression letters(QStringLiteral("^[A-Za-zÆØÅæøå]{4,}$"));
    QStringList words;
    for (qsizetype i = 0; i < records.size(); i += 50) {
        const int column = ColumnIndex(Column::Text);
        const QString text = records.at(i).section(kFieldSeparator, column, column);
        for (const QString& word : text.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
            if (letters.match(word).hasMatch() && !words.contains(word, Qt::CaseInsensitive)) {
                words << word;
                break;
            }
        }
    }
    return words;
}

// The search string number i: the kinds take turns, the words run through the list.
QString Query(int i, const QStringList& w) {
    const QString a = w.at(i % w.size());
    const QString b = w.at((i * 7 + 3) % w.size());
    const QString c = w.at((i * 13 + 5) % w.size());
    switch (i % 14) {
        case 0:
            return a;
        case 1:
            return a + QStringLiteral(" AND ") + b;
        case 2:
            return a + QStringLiteral(" or ") + b;
        case 3:
            return a + QStringLiteral(" NOT ") + b;
        case 4:
            return a + QStringLiteral(" AND $A0");
        case 5:
            return a + QStringLiteral(" not $C");
        case 6:
            return QLatin1Char('*') + a.left(5);
        case 7:
            return QLatin1Char('*') + a + QStringLiteral(" & ") + b;
        case 8:
            return QStringLiteral("DA0%1").arg(i % 10);
        case 9:
            return a + QStringLiteral(" | ") + b;
        case 10:
            return a + QStringLiteral(" \\ ") + b;
        case 11:
            return a + QStringLiteral(" OR ") + b + QStringLiteral(" OR ") + c;  // refused
        case 12:
            return a + QStringLiteral(" AND ") + a;  // refused
        default:
            return QStringLiteral("x AND *");  // refused
    }
}

struct SoakResult {
    double residentAtFirstReading = 0;
    double residentAtEnd = 0;
    int searches = 0;
    int listToggles = 0;
    int fileSwitches = 0;
};

// Each step is one turn of the event loop: a search from the Search button, and now and then
// a toggle of the list or a switch of the data file before it.
SoakResult Soak(bench::Started& s, const QStringList& words) {
    SoakResult r;
    MainWindow& window = *s.window;
    QEventLoop loop;
    std::function<void()> step = [&] {
        if (r.searches == kSearches) {
            loop.quit();
            return;
        }
        if (r.searches % 10 == 3 && window.ui().btnListSelect->isEnabled()) {
            window.ui().btnListSelect->click();
            ++r.listToggles;
        }
        if (r.searches % 25 == 7 && window.ui().btnAlternateDatalist->isEnabled()) {
            window.ui().btnAlternateDatalist->click();
            ++r.fileSwitches;
        }
        s.dialogs.inputs.push_back(Query(r.searches, words));
        window.ui().btnSearch->click();
        ++r.searches;
        if (r.searches == kFirstReading) {
            r.residentAtFirstReading = ResidentBytes();
        }
        QTimer::singleShot(0, &loop, step);
    };
    QTimer::singleShot(0, &loop, step);
    loop.exec();
    r.residentAtEnd = ResidentBytes();
    return r;
}

void BM_SoakTenThousandSearches(benchmark::State& state) {
    bench::Started s;
    if (!s.start(bench::TestListFolder().path())) {
        state.SkipWithError("start-up failed");
        return;
    }
    const QStringList words = Words(s.window->data().current);
    if (words.size() < 50) {
        state.SkipWithError("too few words in the list");
        return;
    }
    SoakResult r;
    for (auto _ : state) {
        r = Soak(s, words);
    }
    state.counters["searches"] = r.searches;
    state.counters["list_toggles"] = r.listToggles;
    state.counters["file_switches"] = r.fileSwitches;
    state.counters["messages"] = s.dialogs.questions;
    state.counters["rss_at_1000_mb"] = r.residentAtFirstReading / 1e6;
    state.counters["rss_at_10000_mb"] = r.residentAtEnd / 1e6;
    state.counters["growth_pct"] =
        (r.residentAtEnd - r.residentAtFirstReading) / r.residentAtFirstReading * 100.0;
}
BENCHMARK(BM_SoakTenThousandSearches)->Unit(benchmark::kSecond)->Iterations(1);

}  // namespace
