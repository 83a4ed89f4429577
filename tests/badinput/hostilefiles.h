#pragma once

#include <QByteArray>
#include <QString>

#include <functional>
#include <vector>

namespace vex::test {

// A data-file header line with the nine usual column names, CR LF at its end.
QByteArray HostileHeaderLine();
// A record line with the code, the text and the short-list flag set, CR LF at its end.
QByteArray HostileRecord(const QByteArray& code, const QByteArray& text);

// What a hostile data file is on disk.
// Oversized: a sparse file one byte larger than the data files that are read.
enum class HostileKind { File, Folder, Pipe, DeviceLink, Oversized };
// What loading it gives.
enum class HostileOutcome { Loads, NoTab, Empty, NoRecords, CannotOpen, HeaderRefused };

struct HostileFile {
    const char* name;
    HostileKind kind;
    std::function<QByteArray()> bytes;  // the contents of a File
    HostileOutcome outcome;
    QByteArray query = {};    // when it loads: a search string that finds one record,
    QByteArray hitLine = {};  // and the query tool's line for that hit
};

// Empty, binary, NUL bytes, 5 MB lines, broken UTF-8 and UTF-16, 100,000 tabs, a header only,
// two million empty lines, a folder, a named pipe, a link to an endless device and a file over
// the size limit.
const std::vector<HostileFile>& HostileFiles();

// Puts the hostile file at the path; false when that failed.
bool MakeHostileFile(const HostileFile& file, const QString& path);

}  // namespace vex::test
