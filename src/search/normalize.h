#pragma once

#include "base/dialogs.h"
#include "base/searchoptions.h"

#include <QLocale>
#include <QString>

#include <optional>

namespace vex {

// What the canonical rewrite of a search string needs to know besides the string itself.
struct NormalizeInput {
    QString searchInput;
    SearchOptions options;               // the comments option as its box shows it now
    bool primaryInUse = true;            // the current data file is the primary one
    QString entryAutoDPrefix;            // "1" puts "D" in front of a typed code
    QLocale locale = QLocale::system();  // number format of the user
};

// The result of a normalisation. When accepted, searchInput is the canonical string. When
// rejected, message is the warning to show and searchInput the text the caller keeps (empty,
// or the spaced string for the too-many-operators case). operatorCount is set only when the
// operators were counted; otherwise the caller keeps its previous count.
struct NormalizeOutcome {
    bool accepted = false;
    QString searchInput;
    std::optional<int> operatorCount;
    std::optional<Message> message;
};

// Rewrites a typed search string into its canonical form (one term, or two terms around one
// operator token), or rejects it with a warning.
NormalizeOutcome NormalizeSearchString(const NormalizeInput& input);

// A leading "*" is kept, every other "*" goes.
QString NormalizeStars(const QString& term);

// The canonical operator tokens, in the order the matcher looks for them.
inline constexpr const char16_t* kOperatorTokens[] = {u" AND ", u" & ",   u" OR ",
                                                      u" | ",   u" NOT ", u" \\ "};

// Occurrences of the pattern in the text, counted left to right without overlap.
qsizetype CountNonOverlapping(QStringView text, QStringView pattern);

}  // namespace vex
