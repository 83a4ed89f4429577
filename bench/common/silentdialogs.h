#pragma once

#include "base/dialogs.h"

#include <cstdio>
#include <optional>

namespace vex::bench {

// Dialogs that nobody answers: every box is noted on standard error and taken as OK, the
// input dialog as cancelled. Loading succeeds in the benchmarks, so normally nothing shows.
class SilentDialogs : public Dialogs {
public:
    std::optional<QString> inputText(const QString&, const QString&, const QString&) override {
        return std::nullopt;
    }

protected:
    MessageButton showMessage(const Message& m) override {
        std::fprintf(stderr, "%s\n", qPrintable(m.text()));
        return ButtonOk;
    }
};

}  // namespace vex::bench
