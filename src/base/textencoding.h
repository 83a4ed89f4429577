#pragma once

#include <QByteArrayView>
#include <QString>

namespace vex {

// How a text file without a byte-order mark is read (data files, the INI file, the query
// tool's search strings, the publisher's code file): bytes that are valid UTF-8 and hold at
// least one multi-byte sequence are UTF-8, what editors on this system save; anything else is
// Windows-1252, the code page of the program's home platform. Plain ASCII reads the same
// either way. The one text this reads wrongly is Windows-1252 whose bytes happen to form
// valid UTF-8 ("Ã¦" for "æ"), which real text almost never does.
enum class NoMarkEncoding { Windows1252, Utf8 };

// Decides piece by piece, for files read in pieces: hand it the bytes in file order, then
// ask. A sequence may run across two pieces.
class NoMarkEncodingCheck {
public:
    // Checks the next bytes; stops looking once an invalid sequence has been seen.
    void add(QByteArrayView bytes);
    // Says that every byte has been added: a sequence left unfinished is invalid.
    void finish() { invalid_ = invalid_ || pending_ != 0; }
    // An invalid sequence has been seen: the file is Windows-1252 whatever follows. Until
    // then, plain ASCII and UTF-8 read alike, so a reader may decode as UTF-8 meanwhile.
    bool invalid() const { return invalid_; }
    // The decision once every byte has been added (a sequence left unfinished at the end
    // makes the text Windows-1252).
    NoMarkEncoding result() const;

private:
    int pending_ = 0;  // continuation bytes the current sequence still needs
    unsigned char low_ = 0x80;
    unsigned char high_ = 0xBF;  // the range of the next continuation byte
    bool invalid_ = false;
    bool multiByte_ = false;
};

// The decision over a whole text.
NoMarkEncoding noMarkEncoding(QByteArrayView bytes);

// The whole text decoded by that decision.
QString decodeNoMarkText(QByteArrayView bytes);

}  // namespace vex
