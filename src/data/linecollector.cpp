#include "data/linecollector.h"

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
    qsizetype i = scanned_;
    while (i < size_) {
        const char16_t c = d[i];
        if (c > u'\r' || (c != u'\n' && c != u'\r')) {
            ++i;
            continue;
        }
        if (c == u'\r' && i + 1 >= size_ && !final) {
            break;  // an LF may follow in the next piece
        }
        emitLine(lineStart_, i);
        i += (c == u'\r' && i + 1 < size_ && d[i + 1] == u'\n') ? 2 : 1;
        lineStart_ = i;
    }
    scanned_ = i;
    if (final && lineStart_ < size_) {
        emitLine(lineStart_, size_);
        lineStart_ = scanned_ = size_;
    }
}

}  // namespace vex
