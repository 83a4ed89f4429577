#pragma once

// Shared pieces of the libFuzzer targets: a check that stops the run with a message, a
// Dialogs that answers every box with its first button, and ways to turn fuzz bytes into text.

#include "base/dialogs.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QString>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <optional>

// A broken invariant is a finding: report it and stop, so libFuzzer keeps the input.
#define VEX_FUZZ_CHECK(condition)                                                        \
    do {                                                                                 \
        if (!(condition)) {                                                              \
            std::fprintf(stderr, "invariant broken: %s (%s:%d)\n", #condition, __FILE__, \
                         __LINE__);                                                      \
            std::abort();                                                                \
        }                                                                                \
    } while (false)

namespace vex::fuzz {

// Answers every message box with its first button and the input dialog with a cancel; keeps
// count of what was shown.
class AnsweringDialogs : public Dialogs {
public:
    std::optional<QString> inputText(const QString&, const QString&, const QString&) override {
        return std::nullopt;
    }
    void requestSplashClose() override { ++splashCloseRequests; }

    int shown = 0;
    int suppressed = 0;
    int splashCloseRequests = 0;
    std::optional<Message> last;

protected:
    MessageButton showMessage(const Message& message) override {
        ++shown;
        last = message;
        return firstButton(message.buttons);
    }
    void messageSuppressed(const Message&) override { ++suppressed; }
};

// Reads fuzz bytes as UTF-8, or (asUtf16) as UTF-16 little-endian code units taken as they
// are, lone surrogates included; an odd last byte is dropped.
inline QString textFromBytes(QByteArrayView bytes, bool asUtf16) {
    if (!asUtf16) {
        return QString::fromUtf8(bytes);
    }
    QString text;
    text.reserve(bytes.size() / 2);
    for (qsizetype i = 0; i + 1 < bytes.size(); i += 2) {
        text.append(QChar(char16_t(uchar(bytes[i]) | (uchar(bytes[i + 1]) << 8))));
    }
    return text;
}

// Splits the bytes at every separator byte into at most maxParts parts; the last part takes
// the rest, separators included.
inline QList<QByteArrayView> splitBytes(QByteArrayView bytes, char separator, int maxParts) {
    QList<QByteArrayView> parts;
    qsizetype start = 0;
    while (parts.size() + 1 < maxParts) {
        const qsizetype at = bytes.indexOf(separator, start);
        if (at < 0) {
            break;
        }
        parts.append(bytes.sliced(start, at - start));
        start = at + 1;
    }
    parts.append(bytes.sliced(start));
    return parts;
}

// The FNV-1a hash of the bytes: a choice that follows the input without spending its bytes.
inline quint32 fnv1a(QByteArrayView bytes) {
    quint32 h = 2166136261u;
    for (const char c : bytes) {
        h = (h ^ uchar(c)) * 16777619u;
    }
    return h;
}

inline QByteArrayView bytesOf(const uint8_t* data, size_t size) {
    return QByteArrayView(reinterpret_cast<const char*>(data), qsizetype(size));
}

}  // namespace vex::fuzz
