#include "data/datafile.h"

#include "base/ansicodepage.h"
#include "base/regularfile.h"
#include "base/textencoding.h"
#include "data/linecollector.h"

#include <QByteArray>
#include <QFile>
#include <QStringDecoder>

#include <cstring>
#include <new>
#include <optional>

namespace vex {

namespace {

// The file is read in pieces of this size and decoded piece by piece; a smaller file in one
// piece of its own size (at least the smallest piece).
constexpr qsizetype kPieceSize = qsizetype(1) << 20;
constexpr qsizetype kSmallestPiece = 256;

enum class Encoding { Ansi, Utf8, Utf16LE, Utf16BE };
enum class Reading { DetectMark, AsUtf16LE };

constexpr char16_t kReplacementCharacter = 0xFFFD;

// Reads until n bytes are in or the file ends; -1 on a read error.
qint64 readPiece(QFile& file, char* into, qint64 n) {
    qint64 got = 0;
    while (got < n) {
        const qint64 r = file.read(into + got, n - got);
        if (r < 0) {
            return -1;
        }
        if (r == 0) {
            break;
        }
        got += r;
    }
    return got;
}

// The encoding a byte-order mark at the start selects, and the length of that mark.
Encoding detectMark(const char* p, qsizetype n, qsizetype& markLength) {
    const auto b = [p](int i) { return uchar(p[i]); };
    if (n >= 3 && b(0) == 0xEF && b(1) == 0xBB && b(2) == 0xBF) {
        markLength = 3;
        return Encoding::Utf8;
    }
    if (n >= 2 && b(0) == 0xFF && b(1) == 0xFE) {
        markLength = 2;
        return Encoding::Utf16LE;
    }
    if (n >= 2 && b(0) == 0xFE && b(1) == 0xFF) {
        markLength = 2;
        return Encoding::Utf16BE;
    }
    markLength = 0;
    return Encoding::Ansi;
}

// Decodes bytes into the collector and answers how many were used; the rest waits for the
// next piece (an incomplete UTF-8 sequence or half a UTF-16 unit). At the end of the file
// everything is used.
class PieceDecoder {
public:
    explicit PieceDecoder(Encoding encoding) : encoding_(encoding) {}

    qsizetype decode(const char* p, qsizetype n, bool atEnd, LineCollector& out) {
        switch (encoding_) {
            case Encoding::Ansi:
                return decodeAnsi(reinterpret_cast<const uchar*>(p), n, out);
            case Encoding::Utf8:
                return decodeUtf8(p, n, atEnd, out);
            case Encoding::Utf16LE:
            case Encoding::Utf16BE:
                return decodeUtf16(reinterpret_cast<const uchar*>(p), n, atEnd, out);
        }
        return n;
    }

private:
    static qsizetype decodeAnsi(const uchar* p, qsizetype n, LineCollector& out) {
        const AnsiTable& table = AnsiCodePageTable();
        char16_t* d = out.prepareAppend(n);
        for (qsizetype i = 0; i < n; ++i) {
            d[i] = table[p[i]];
        }
        out.commit(d + n);
        return n;
    }

    qsizetype decodeUtf8(const char* p, qsizetype n, bool atEnd, LineCollector& out) {
        // Cut after the last ASCII byte: no sequence runs across it, so decoding piece by
        // piece gives the same text as decoding the whole file at once.
        qsizetype used = n;
        if (!atEnd) {
            while (used > 0 && uchar(p[used - 1]) >= 0x80) {
                --used;
            }
        }
        if (used == 0) {
            return 0;
        }
        char16_t* d = out.prepareAppend(utf8_.requiredSpace(used));
        QChar* end = utf8_.appendToBuffer(reinterpret_cast<QChar*>(d), QByteArrayView(p, used));
        out.commit(reinterpret_cast<char16_t*>(end));
        return used;
    }

    qsizetype decodeUtf16(const uchar* p, qsizetype n, bool atEnd, LineCollector& out) {
        const qsizetype units = n / 2;
        const bool oddByteAtEnd = atEnd && (n % 2) != 0;
        char16_t* d = out.prepareAppend(units + 1);
        const int lo = encoding_ == Encoding::Utf16LE ? 0 : 1;
        for (qsizetype i = 0; i < units; ++i) {
            d[i] = char16_t(p[2 * i + lo] | (p[2 * i + 1 - lo] << 8));
        }
        qsizetype written = units;
        if (oddByteAtEnd) {
            d[written++] = kReplacementCharacter;
        }
        out.commit(d + written);
        return oddByteAtEnd ? n : units * 2;
    }

    Encoding encoding_;
    // Stateless: each piece ends at a sequence boundary; a broken sequence at the very end of
    // the file becomes a replacement character. A mark inside the text stays text.
    QStringDecoder utf8_{QStringDecoder::Utf8,
                         QStringDecoder::Flag::Stateless | QStringDecoder::Flag::ConvertInitialBom};
};

// How one pass over the file ended.
enum class Pass { Read, Failed, NotUtf8 };

// Decodes the file from its start into lines. A file without a mark is decoded as UTF-8 while
// its bytes pass the check; at the first invalid sequence (or one left unfinished at the end)
// the pass stops with NotUtf8 and the caller reads the file again as Windows-1252, so the
// whole file decides, never its first piece alone. Plain ASCII reads the same either way.
Pass readPass(QFile& file, Reading reading, bool noMarkIsAnsi, QStringList& lines) {
    const qsizetype pieceSize =
        qsizetype(qBound<qint64>(kSmallestPiece, file.size() + 1, kPieceSize));
    qint64 total = 0;  // bytes read so far: a file that grows while it is read is bounded too
    LineCollector out(lines);
    QByteArray raw;
    qsizetype kept = 0;  // bytes of the last piece still to be decoded, at the start of raw
    bool firstPiece = true;
    Encoding encoding = Encoding::Ansi;
    std::optional<PieceDecoder> decoder;
    std::optional<NoMarkEncodingCheck> check;  // set while a file without a mark is read as UTF-8
    for (;;) {
        if (raw.size() < kept + pieceSize) {
            raw.resize(kept + pieceSize);
        }
        const qint64 got = readPiece(file, raw.data() + kept, pieceSize);
        total += got;
        if (got < 0 || total > MaxDataFileSize) {
            return Pass::Failed;
        }
        const bool atEnd = got < pieceSize;
        const qsizetype available = kept + got;
        qsizetype start = 0;
        if (firstPiece) {
            firstPiece = false;
            qsizetype markLength = 0;
            const Encoding marked = detectMark(raw.constData(), available, markLength);
            if (reading == Reading::AsUtf16LE) {
                encoding = Encoding::Utf16LE;
                start = marked == Encoding::Utf16LE ? markLength : 0;
            } else {
                encoding = marked;
                start = markLength;
                if (marked == Encoding::Ansi && !noMarkIsAnsi) {
                    encoding = Encoding::Utf8;
                    check.emplace();
                }
            }
            decoder.emplace(encoding);
        }
        if (check) {
            check->add(QByteArrayView(raw.constData() + kept, got));
            if (atEnd) {
                check->finish();
            }
            if (check->invalid()) {
                return Pass::NotUtf8;
            }
        }
        const qsizetype used =
            decoder->decode(raw.constData() + start, available - start, atEnd, out);
        kept = available - start - used;
        if (kept > 0) {
            std::memmove(raw.data(), raw.constData() + start + used, size_t(kept));
        }
        out.takeLines(atEnd);
        if (atEnd) {
            break;
        }
    }
    return file.error() == QFileDevice::NoError ? Pass::Read : Pass::Failed;
}

bool readLines(const QString& fileName, Reading reading, QStringList& lines) {
    lines.clear();
    // Only regular files: a device or a pipe could block the read or never end.
    QFile file;
    if (OpenRegularFile(file, fileName, MaxDataFileSize) != FileOpen::Opened) {
        return false;
    }
    // A rough guess of the line count; the list grows past it when needed.
    lines.reserve(qsizetype(file.size() / 64));

    Pass pass = readPass(file, reading, false, lines);
    if (pass == Pass::NotUtf8) {
        lines.clear();
        pass = file.seek(0) ? readPass(file, reading, true, lines) : Pass::Failed;
    }
    if (pass != Pass::Read) {
        lines.clear();
        return false;
    }
    return true;
}

}  // namespace

bool ReadDataFile(QStringList& lines, const QString& fileName) {
    try {
        if (!readLines(fileName, Reading::DetectMark, lines)) {
            return false;
        }
        if (lines.size() == 1) {
            // One line only: the file may be UTF-16 little-endian without a mark.
            return readLines(fileName, Reading::AsUtf16LE, lines);
        }
        return true;
    } catch (const std::bad_alloc&) {
        // More lines than memory: the file cannot be read, like any other failure.
        lines = QStringList();
        return false;
    }
}

}  // namespace vex
