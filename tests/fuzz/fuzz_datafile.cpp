// File bytes through the whole data path: reading and decoding, the two loaders, the start-up
// load sequence, the header check and the decoding of every line.
//
// The first byte chooses a byte-order mark to put in front of the rest (none, UTF-8, UTF-16LE,
// UTF-16BE). When its upper six bits are zero and the rest's FNV-1a hash picks one input in
// 256, the rest is also read behind a padding of whole lines that pushes it across the
// boundary of the pieces the reader decodes one at a time: the padded file must give the
// padding's lines followed by exactly the lines of the unpadded one. The same hash gives each
// input to one of the two loaders, and one input in eight also to the start-up load sequence
// (which reads the file as both lists). Reading is most of the cost of an input: with one
// padded input in 16 and every input through both loaders and the sequence, a run managed a
// fifth of the executions per second.

#include "base/columns.h"
#include "data/datafile.h"
#include "data/header.h"
#include "data/inforecord.h"
#include "data/loading.h"
#include "data/record.h"
#include "fuzzsupport.h"

#include <QFile>
#include <QLocale>
#include <QTemporaryDir>

using namespace vex;
using namespace vex::fuzz;

namespace {

// The size of the pieces the reader decodes one at a time.
constexpr qsizetype kPieceSize = qsizetype(1) << 20;
constexpr qsizetype kPadLineLength = 1000;

enum class Mark { None, Utf8, Utf16LE, Utf16BE };

const QTemporaryDir& tempDir() {
    static const QTemporaryDir dir;
    return dir;
}

QString writeInput(const QString& name, const QByteArray& bytes) {
    const QString path = tempDir().filePath(name);
    QFile f(path);
    VEX_FUZZ_CHECK(f.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Unbuffered));
    VEX_FUZZ_CHECK(f.write(bytes) == bytes.size());
    return path;
}

QByteArray markBytes(Mark mark) {
    switch (mark) {
        case Mark::None:
            return {};
        case Mark::Utf8:
            return QByteArray("\xEF\xBB\xBF");
        case Mark::Utf16LE:
            return QByteArray("\xFF\xFE");
        case Mark::Utf16BE:
            return QByteArray("\xFE\xFF");
    }
    return {};
}

// ASCII text in the encoding the mark selects.
QByteArray encodeAscii(const QByteArray& ascii, Mark mark) {
    if (mark != Mark::Utf16LE && mark != Mark::Utf16BE) {
        return ascii;
    }
    QByteArray out;
    out.reserve(ascii.size() * 2);
    for (const char c : ascii) {
        if (mark == Mark::Utf16LE) {
            out.append(c).append('\0');
        } else {
            out.append('\0').append(c);
        }
    }
    return out;
}

void checkLines(const QStringList& lines) {
    for (const QString& line : lines) {
        VEX_FUZZ_CHECK(!line.contains(QLatin1Char('\n')) && !line.contains(QLatin1Char('\r')));
    }
}

// Every line as a record (which splits its columns) and as an information record; the
// program reads only an information record's dates in the user's locale, so only such a line
// is also read in a second one. With splitToo, each line's columns are also split on their own
// (the record's decoding splits them already: the extra split is for one input in eight).
void decodeEveryLine(const QStringList& lines, bool splitToo) {
    static const QLocale danish(QLocale::Danish, QLocale::Denmark);
    for (const QString& line : lines) {
        (void)DecodeRecord(line);
        (void)IsShortListRecord(line);
        (void)ParseInfoRecord(line, QLocale::c());
        if (IsInfoRecord(line)) {
            (void)ParseInfoRecord(line, danish);
        }
        VEX_FUZZ_CHECK(!splitToo || SplitColumns(line).size() <= kColumnCount);
        (void)NextColumnEnd(line);
    }
    if (!lines.isEmpty()) {
        FieldNames names;
        (void)CheckHeader(lines.first(), QStringLiteral("fuzz.txt"), names);
    }
}

// The primary file's loader on the file.
void checkPrimaryLoader(const QString& path, const QStringList& lines, DataFileSlot& primary) {
    AnsweringDialogs dialogs;
    const bool loaded = LoadPrimaryDataFile(path, primary, dialogs);
    VEX_FUZZ_CHECK(loaded == (dialogs.shown == 0));
    if (loaded) {
        VEX_FUZZ_CHECK(!primary.extended.isEmpty());
        VEX_FUZZ_CHECK(primary.headerLine == lines.first());
        VEX_FUZZ_CHECK(primary.extended.size() + 1 + (primary.infoLine.isEmpty() ? 0 : 1) ==
                       lines.size());
    } else {
        VEX_FUZZ_CHECK(primary.extended.isEmpty() && primary.shortList.isEmpty());
    }
}

// The secondary file's loader on the file.
void checkSecondaryLoader(const QString& path, DataFileSlot& secondary) {
    AnsweringDialogs dialogs;
    const bool loaded = LoadSecondaryDataFile(path, secondary, dialogs);
    VEX_FUZZ_CHECK(loaded == (dialogs.shown == 0));
    VEX_FUZZ_CHECK(!dialogs.endOfProgramRequested());
    VEX_FUZZ_CHECK(secondary.shortList.size() <= secondary.extended.size());
    for (const QString& line : secondary.shortList) {
        VEX_FUZZ_CHECK(IsShortListRecord(line));
    }
}

// The start-up load sequence on the same file under two spellings of its name: it loads it
// as both lists, the one given (when there is one) exactly as its loader alone did.
void checkLoadSequence(const QString& path, const DataFileSlot* primary,
                       const DataFileSlot* secondary) {
    DataState state;
    state.locale = QLocale(QLocale::Danish, QLocale::Denmark);
    state.primaryDataFile = path;
    state.secondaryDataFile = tempDir().path() + QStringLiteral("//input.txt");
    AnsweringDialogs dialogs;
    const LoadSequenceOutcome outcome = RunStartupLoadSequence(state, dialogs);
    if (primary != nullptr) {
        VEX_FUZZ_CHECK(state.file1.extended == primary->extended);
    }
    if (secondary != nullptr) {
        VEX_FUZZ_CHECK(state.file2.extended == secondary->extended ||
                       (state.secondaryDataFile.isEmpty() && state.file2.extended.isEmpty()));
    }
    if (outcome == LoadSequenceOutcome::Continue) {
        VEX_FUZZ_CHECK(!state.currentDataFile.isEmpty());
        VEX_FUZZ_CHECK(!state.extended.isEmpty());
        MakeFileCurrent(state,
                        state.isPrimaryInUse() ? DataFileRole::Primary : DataFileRole::Secondary);
        if (state.alternateEnabled) {
            MakeFileCurrent(state, DataFileRole::Secondary);
            MakeFileCurrent(state, DataFileRole::Primary);
        }
    } else {
        VEX_FUZZ_CHECK(state.currentDataFile.isEmpty());
    }
}

// The padding: whole lines of 'x' that end with LF, so that the payload begins at
// kPieceSize - shift bytes from the start of the file (shift kept even for UTF-16).
QByteArray padding(Mark mark, qsizetype shift, qsizetype& padLines) {
    const qsizetype unit = (mark == Mark::Utf16LE || mark == Mark::Utf16BE) ? 2 : 1;
    const qsizetype markSize = markBytes(mark).size();
    qsizetype chars = (kPieceSize - shift - markSize) / unit;
    QByteArray ascii;
    ascii.reserve(chars);
    padLines = 0;
    while (chars > 0) {
        const qsizetype n = std::min(chars, kPadLineLength + 1);
        ascii.append(QByteArray(n - 1, 'x')).append('\n');
        ++padLines;
        chars -= n;
    }
    return encodeAscii(ascii, mark);
}

// Says where the lines of the padded file part from those of the plain one.
void reportDifference(const QStringList& padded, const QStringList& plain) {
    std::fprintf(stderr, "padded file: %lld lines after the padding, plain file: %lld lines\n",
                 static_cast<long long>(padded.size()), static_cast<long long>(plain.size()));
    for (qsizetype i = 0; i < std::max(padded.size(), plain.size()); ++i) {
        const QString a = padded.value(i);
        const QString b = plain.value(i);
        if (a != b) {
            std::fprintf(stderr, "line %lld:\n  padded: %s\n  plain:  %s\n",
                         static_cast<long long>(i), qPrintable(a.toUtf8().toHex(' ')),
                         qPrintable(b.toUtf8().toHex(' ')));
            return;
        }
    }
}

bool startsWithMark(QByteArrayView payload) {
    return payload.startsWith("\xEF\xBB\xBF") || payload.startsWith("\xFF\xFE") ||
           payload.startsWith("\xFE\xFF");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 2) {
        return 0;
    }
    const Mark mark = Mark(data[0] & 3);
    const QByteArrayView payload = bytesOf(data + 2, size - 2);
    const quint32 hash = fnv1a(payload);
    const bool padded = (data[0] & 0xFC) == 0 && (hash >> 8) % 256 == 0;

    const QByteArray bytes = markBytes(mark) + payload.toByteArray();
    const QString path = writeInput(QStringLiteral("input.txt"), bytes);
    QStringList lines;
    VEX_FUZZ_CHECK(ReadDataFile(lines, path));
    checkLines(lines);
    decodeEveryLine(lines, (hash >> 4) % 8 == 0);
    // Each loader reads the file again: one of them per input, chosen by the hash.
    DataFileSlot slot;
    const bool asPrimary = (hash & 1) == 0;
    if (asPrimary) {
        checkPrimaryLoader(path, lines, slot);
    } else {
        checkSecondaryLoader(path, slot);
    }
    if ((hash >> 1) % 8 == 0) {
        checkLoadSequence(path, asPrimary ? &slot : nullptr, asPrimary ? nullptr : &slot);
    }

    if (padded && !(mark == Mark::None && startsWithMark(payload))) {
        const qsizetype unit = (mark == Mark::Utf16LE || mark == Mark::Utf16BE) ? 2 : 1;
        qsizetype shift = std::min<qsizetype>(data[1], payload.size());
        shift -= shift % unit;
        qsizetype padLines = 0;
        const QByteArray pad = padding(mark, shift, padLines);
        const QString bigPath =
            writeInput(QStringLiteral("padded.txt"), markBytes(mark) + pad + payload.toByteArray());
        QStringList bigLines;
        VEX_FUZZ_CHECK(ReadDataFile(bigLines, bigPath));
        checkLines(bigLines);
        VEX_FUZZ_CHECK(bigLines.size() >= padLines);
        // A file whose first reading gives one line is read once more as UTF-16; the padded
        // one never is, and its lines after the padding are those of that first reading.
        if (bigLines.size() - padLines != 1 && bigLines.mid(padLines) != lines) {
            reportDifference(bigLines.mid(padLines), lines);
            VEX_FUZZ_CHECK(bigLines.mid(padLines) == lines);
        }
    }
    return 0;
}
