#include "data/linecollector.h"

#include <QStringView>

#include <algorithm>
#include <cstring>

namespace vex {

char16_t* LineCollector::prepareAppend(qsizetype n) {
    if (lineStart_ > 0) {
        // Drop the lines already taken; what is left is the start of an unfinished line.
        const qsizetype rest = size_ - lineStart_;
        std::memmove(data_.get(), data_.get() + lineStart_, size_t(rest) * sizeof(char16_t));
        size_ = rest;
        scanned_ -= lineStart_;
        lineStart_ = 0;
    }
    if (size_ + n > capacity_) {
        const qsizetype newCapacity = std::max(size_ + n, capacity_ * 2);
        auto grown = std::make_unique_for_overwrite<char16_t[]>(size_t(newCapacity));
        if (size_ > 0) {
            std::memcpy(grown.get(), data_.get(), size_t(size_) * sizeof(char16_t));
        }
        data_ = std::move(grown);
        capacity_ = newCapacity;
    }
    return data_.get() + size_;
}

void LineCollector::emitLine(qsizetype begin, qsizetype end) {
    lines_.append(QString(reinterpret_cast<const QChar*>(data_.get() + begin), end - begin));
}

void LineCollector::takeLines(bool final) {
    const char16_t* d = data_.get();
    const QStringView text(d, size_);
    // The next LF and the next CR at or after i (-1: none left), found by Qt's vectorised
    // search rather than character by character.
    qsizetype nextLf = -2;
    qsizetype nextCr = -2;
    qsizetype i = scanned_;
    while (i < size_) {
        if (nextLf != -1 && nextLf < i) {
            nextLf = text.indexOf(u'\n', i);
        }
        if (nextCr != -1 && nextCr < i) {
            nextCr = text.indexOf(u'\r', i);
        }
        const qsizetype end = nextCr < 0 ? nextLf : (nextLf < 0 ? nextCr : qMin(nextLf, nextCr));
        if (end < 0) {
            i = size_;
            break;
        }
        const bool cr = d[end] == u'\r';
        if (cr && end + 1 >= size_ && !final) {
            i = end;
            break;  // an LF may follow in the next piece
        }
        emitLine(lineStart_, end);
        i = end + ((cr && end + 1 < size_ && d[end + 1] == u'\n') ? 2 : 1);
        lineStart_ = i;
    }
    scanned_ = i;
    if (final && lineStart_ < size_) {
        emitLine(lineStart_, size_);
        lineStart_ = scanned_ = size_;
    }
}

}  // namespace vex
