#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>

namespace vex {

// Reads the publisher's file line by line, a piece at a time, so a large file is never held
// whole. A UTF-8 byte-order mark makes it UTF-8; without a mark the whole file decides (UTF-8
// when valid with a multi-byte sequence, else Windows-1252: base/textencoding.h), in a pass
// of its own before the first line is given. Lines end at CR LF, LF or CR; a 0x1A byte that
// ends the file (an old end-of-file mark) is no text.
class SksFileReader {
public:
    enum class Encoding { Windows1252, Utf8, Utf8WithMark };

    struct Line {
        QString text;
        qint64 number = 0;     // 1-based; blank lines count
        bool badUtf8 = false;  // a file with a UTF-8 mark holds bytes that are not UTF-8 here
    };

    // Opens the file and decides its encoding; false with error() when it cannot be read or
    // is UTF-16.
    bool open(const QString& fileName);
    // The next line; false at the end of the file or on a read error (error() then says so).
    bool next(Line& line);

    Encoding encoding() const { return encoding_; }
    const QString& error() const { return error_; }

private:
    bool readMore();
    bool fail(const QString& error);

    QFile file_;
    QString fileName_;
    QByteArray buffer_;
    qsizetype pos_ = 0;  // start of the next line in buffer_
    bool atEnd_ = false;
    qint64 number_ = 0;
    Encoding encoding_ = Encoding::Windows1252;
    QString error_;
};

}  // namespace vex
