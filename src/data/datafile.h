#pragma once

#include <QString>
#include <QStringList>

namespace vex {

// The largest data file that is read: 1 GiB. Held as lines, a file takes about three times its
// size in memory (two bytes a character and each line's own share), and the search's index of
// the list in the window about as much again, so a file of this size already needs some 6 GB.
// Ten million records of the bundled list's kind take about 560 MB.
constexpr qint64 MaxDataFileSize = qint64(1) << 30;

// Reads a data file whole into its lines, in file order.
//
// A byte-order mark selects UTF-8, UTF-16 little-endian or UTF-16 big-endian; a file without
// one is UTF-8 when the whole file is valid UTF-8 with at least one multi-byte sequence, else
// the 8-bit ANSI code page, Windows-1252 (base/textencoding.h). When that first reading gives
// exactly one line, the file is read once more as UTF-16 little-endian (a mark of that kind
// skipped) and that second result is kept, whatever it holds. Lines end at CR LF, LF or CR; a line
// end at the very end of the file adds no empty line.
//
// Answers false, with an empty list, when the file cannot be opened or read for any reason
// (missing, not a regular file, larger than MaxDataFileSize, no permission, a read error, not
// enough memory for its lines); an empty file is true with an empty list. Malformed text (bad UTF-8
// after a UTF-8 mark, an odd byte after a UTF-16 mark) decodes with replacement characters.
bool ReadDataFile(QStringList& lines, const QString& fileName);

}  // namespace vex
