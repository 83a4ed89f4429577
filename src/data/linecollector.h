#pragma once

#include <QStringList>

#include <memory>

namespace vex {

// Collects decoded text piece by piece and cuts complete lines out of it, so a large file
// becomes its lines without ever being held whole as one string. Lines end at CR LF, LF or
// CR; a CR at the end of a piece waits for the next piece in case an LF follows it.
class LineCollector {
public:
    explicit LineCollector(QStringList& lines) : lines_(lines) {}

    // Room for up to n more characters at the end of the pending text; write them there and
    // hand the end of what was written to commit().
    char16_t* prepareAppend(qsizetype n);
    void commit(const char16_t* end) { size_ = end - data_.get(); }

    // Moves every complete line of the pending text into the list. With final set the text is
    // complete: a last line without a line end is taken too (never an empty one).
    void takeLines(bool final);

private:
    void emitLine(qsizetype begin, qsizetype end);

    QStringList& lines_;
    std::unique_ptr<char16_t[]> data_;
    qsizetype size_ = 0;
    qsizetype capacity_ = 0;
    qsizetype lineStart_ = 0;  // start of the line not yet taken
    qsizetype scanned_ = 0;    // characters already searched for a line end
};

}  // namespace vex
