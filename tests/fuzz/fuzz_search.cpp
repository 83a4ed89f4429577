// A search string through normalisation and a full search run over a small fixed list, with
// every combination of the options (free text, comments, primary file in use, the automatic
// "D" in front of a typed code) and two number formats.
//
// The run through the search engine (which searches an index of the list) must give exactly
// the hits of calling FindNextMatch again and again over the plain list, and the result table
// must keep its widths. The raw string also goes to the engine, FindNextMatch and the code
// look-up as it is, so their handling of strings the normalisation never hands over is covered
// too; the two runs are compared only when it is already in its canonical form (a string of
// several operator tokens may split differently once its operand is rewritten, and no search
// ever receives one).
//
// Most of an input's cost is the plain loop, which makes the text of every record it looks
// at. So the engine is shared between inputs (its indexes built once; one input in eight gets
// an engine of its own that builds them during its run), the plain loop runs once per search
// string, and for a raw string that is not canonical the plain loop and the term look-up take
// a quarter of the inputs, chosen by a hash of the input.

#include "data/loading.h"
#include "data/record.h"
#include "fuzzsupport.h"
#include "search/matcher.h"
#include "search/normalize.h"
#include "search/resulttable.h"
#include "search/searchengine.h"
#include "search/searchtext.h"

#include <QLocale>

#include <optional>
#include <vector>

using namespace vex;
using namespace vex::fuzz;

namespace {

struct Lists {
    QStringList extended;
    QStringList shortList;
};

const Lists& lists() {
    static const Lists l = [] {
        Lists out;
        DataFileSlot slot;
        AnsweringDialogs dialogs;
        VEX_FUZZ_CHECK(LoadSecondaryDataFile(QStringLiteral(VEX_FUZZ_SEARCH_LIST), slot, dialogs));
        out.extended = slot.extended;
        out.shortList = slot.shortList;
        return out;
    }();
    return l;
}

class RecordingHook : public SearchRunHook {
public:
    void rejected(const Message&) override { ++rejections; }
    void hundredRows() override { ++hundreds; }
    StepAnswer afterStep(const RunStep& step) override {
        VEX_FUZZ_CHECK(!lastSeen);
        lastSeen = step.last;
        if (step.hit >= 0) {
            hits.push_back(step.hit);
        } else {
            VEX_FUZZ_CHECK(step.hit == MatchResult::kNoHit || step.hit == MatchResult::kRejected);
        }
        VEX_FUZZ_CHECK(step.rows == int(hits.size()));
        return StepAnswer::Continue;
    }

    std::vector<qsizetype> hits;
    int rejections = 0;
    int hundreds = 0;
    bool lastSeen = false;
};

// The hits of FindNextMatch called over and over on the plain list, as the run calls it.
std::vector<qsizetype> plainHits(const QStringList& list, QString searchInput, int operatorCount,
                                 const SearchOptions& options, bool& rejected) {
    std::vector<qsizetype> hits;
    rejected = false;
    for (qsizetype p = 0; p >= 0 && p < list.size();) {
        const MatchResult r = FindNextMatch(list, p, searchInput, operatorCount, options);
        VEX_FUZZ_CHECK(r.position >= MatchResult::kRejected && r.position < list.size());
        VEX_FUZZ_CHECK(r.rejected() ? r.message.has_value() : !r.message.has_value());
        if (r.position < 0) {
            rejected = r.rejected();
            break;
        }
        VEX_FUZZ_CHECK(r.position >= p);
        hits.push_back(r.position);
        p = r.position + 1;
    }
    return hits;
}

QByteArray positions(const std::vector<qsizetype>& hits) {
    QByteArray out;
    for (const qsizetype h : hits) {
        out += ' ' + QByteArray::number(h);
    }
    return out;
}

// Says which run gave which hits, for a finding.
void reportDifference(const QString& searchInput, int operatorCount, const SearchOptions& options,
                      const std::vector<qsizetype>& engineHits,
                      const std::vector<qsizetype>& plainHits) {
    std::fprintf(stderr,
                 "search string [%s] (UTF-16 %s), operators %d, free text %d, comments %d\n"
                 "  engine:%s\n  FindNextMatch:%s\n",
                 qPrintable(searchInput), searchInput.toUtf8().toHex(' ').constData(),
                 operatorCount, int(options.freeText), int(options.comments),
                 positions(engineHits).constData(), positions(plainHits).constData());
}

// What the plain FindNextMatch loop gives for one search string.
struct PlainRun {
    std::vector<qsizetype> hits;
    bool rejected = false;
};

PlainRun plainRun(const QStringList& list, const QString& searchInput, int operatorCount,
                  const SearchOptions& options) {
    PlainRun run;
    run.hits = plainHits(list, searchInput, operatorCount, options, run.rejected);
    return run;
}

// A run of the engine; its hits must be those of the plain loop when that is given.
void runAndCompare(SearchEngine& engine, const QStringList& list, const QString& searchInput,
                   int operatorCount, const SearchOptions& options, const PlainRun* plain) {
    ResultTable table;
    RecordingHook hook;
    const RunOutcome outcome = engine.run(list, searchInput, operatorCount, options, table, hook);
    VEX_FUZZ_CHECK(list.isEmpty() || hook.lastSeen);
    VEX_FUZZ_CHECK(table.count() == int(hook.hits.size()));
    VEX_FUZZ_CHECK(outcome.resultsFound == (table.count() > 0));
    VEX_FUZZ_CHECK(hook.hundreds == (table.count() >= 100 ? 1 : 0));
    for (int row = 0; row < table.count(); ++row) {
        VEX_FUZZ_CHECK(table.code(row).size() <= ResultTable::kCodeWidth);
        VEX_FUZZ_CHECK(table.text(row).size() <= ResultTable::kTextWidth);
    }
    if (plain == nullptr) {
        return;
    }
    const bool rejected = plain->rejected;
    if (hook.hits != plain->hits || (outcome.status == RunStatus::Rejected) != rejected) {
        reportDifference(searchInput, operatorCount, options, hook.hits, plain->hits);
        std::fprintf(stderr, "  engine status %d, FindNextMatch rejected %d\n", int(outcome.status),
                     int(rejected));
    }
    VEX_FUZZ_CHECK(hook.hits == plain->hits);
    VEX_FUZZ_CHECK((outcome.status == RunStatus::Rejected) == rejected);
    VEX_FUZZ_CHECK(hook.rejections == (rejected ? 1 : 0));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 1 || size > 4096) {
        return 0;
    }
    const uint8_t flags = data[0];
    const QString typed = textFromBytes(bytesOf(data + 1, size - 1), (flags & 0x80) != 0);

    NormalizeInput in;
    in.searchInput = typed;
    in.options.freeText = (flags & 0x01) != 0;
    in.options.comments = (flags & 0x02) != 0;
    in.primaryInUse = (flags & 0x04) != 0;
    in.entryAutoDPrefix = (flags & 0x08) != 0 ? QStringLiteral("1") : QStringLiteral("0");
    static const QLocale danish(QLocale::Danish, QLocale::Denmark);
    in.locale = (flags & 0x10) != 0 ? danish : QLocale::c();
    const NormalizeOutcome normalized = NormalizeSearchString(in);
    VEX_FUZZ_CHECK(normalized.accepted != normalized.message.has_value());
    VEX_FUZZ_CHECK(!normalized.accepted || normalized.operatorCount.has_value());

    const SearchOptions options = in.options;
    const QStringList& list = (flags & 0x20) != 0 ? lists().shortList : lists().extended;
    // Building the index is part of the run: one input in eight gets an engine of its own,
    // which builds it during its first run; the others share one whose indexes are complete.
    static SearchEngine shared;
    std::optional<SearchEngine> own;
    const quint32 hash = fnv1a(bytesOf(data, size));
    if (hash % 8 == 0) {
        own.emplace();
    }
    SearchEngine& engine = own ? *own : shared;
    PlainRun plain;
    if (normalized.accepted) {
        plain = plainRun(list, normalized.searchInput, *normalized.operatorCount, options);
        runAndCompare(engine, list, normalized.searchInput, *normalized.operatorCount, options,
                      &plain);
        // Again, now on the index the first run built.
        runAndCompare(engine, list, normalized.searchInput, *normalized.operatorCount, options,
                      &plain);
    }

    // The raw string with any operator count, straight to the matcher and the code look-up.
    if ((flags & 0x40) != 0) {
        const int operatorCount = int(size % 4) - 1;
        const bool canonical = normalized.accepted && normalized.searchInput == typed &&
                               normalized.operatorCount == operatorCount;
        // A canonical string gives the hits already known; any other goes through the plain
        // loop for the matcher's own checks and is not compared. That loop and the term
        // look-up read the text of every record: they take a quarter of the inputs, by the hash.
        const bool plainToo = ((hash >> 3) & 3) == 0;
        std::optional<PlainRun> raw;
        if (canonical) {
            raw = plain;
        } else if (plainToo) {
            raw = plainRun(list, typed, operatorCount, options);
        }
        runAndCompare(engine, list, typed, operatorCount, options, canonical ? &*raw : nullptr);
        for (const FindMode mode : {FindMode::Normal, FindMode::CodeLookUp}) {
            if (mode == FindMode::Normal && !plainToo) {
                continue;
            }
            const qsizetype at = FindTerm(list, typed, mode, 0, options);
            VEX_FUZZ_CHECK(at >= -1 && at < list.size());
        }
    }
    return 0;
}
