#pragma once

#include "base/dialogs.h"
#include "base/searchoptions.h"

#include <QLocale>
#include <QString>

// The Danish texts the search shows the user: the applied-search-string label, the prompt, the
// ESC label, and the messages of a search (empty string, free-text mark, no match).
namespace vex {

// What the applied-search-string label shows instead of a string.
QString RejectedSearchStringText();  // "< søgestreng afvist >"
QString EmptySearchStringText();     // "< tom søgestreng >"

// The caption of the applied-search-string label for a text; " & " is written " && " so the
// label shows one ampersand.
QString AppliedSearchStringCaption(const QString& text);

// The prompt of the input dialog of the Search button.
QString SearchPromptText();

// The texts of the ESC label during and after a run, and the question asked when ESC is held.
QString SearchEscHintText();
QString SearchPausedText();
QString SearchAbortedText();
Message AbortSearchQuestion();

// The warning for a search string that is empty after trimming.
Message EmptySearchStringWarning();

// The warning about "*" in the search string while the free-text option is on: asked by the
// Search button, or (fromOptionBox) when the free-text box is ticked.
Message FreeTextWarning(const QString& searchInput, bool fromOptionBox);

// The message after a search from the Search button that found nothing.
Message NoMatchMessage(const QString& searchInput, const SearchOptions& options, int operatorCount);

// The time a run took as the ESC label shows it: "0.00#" in the locale, then " s".
QString ElapsedTimeText(double seconds, const QLocale& locale = QLocale::system());

}  // namespace vex
