#pragma once

#include "search/searchengine.h"

#include <QByteArray>
#include <QLocale>
#include <QString>
#include <QStringList>

namespace vex {

// A text as the tool writes it: a backslash doubled and every control character (C0, DEL and
// C1, which a terminal would act on) as "\x" and two hex digits of its code, so nothing reaches
// the terminal raw, no value holds a TAB or a line end, and the text can be read back exactly.
QString EscapedOutputText(const QString& text);

// How the command-line tool searches: the list and the options the window would have.
struct QuerySettings {
    bool primaryInUse = true;
    SearchOptions options;
    bool entryAutoDPrefix = false;
    QLocale locale = QLocale::system();
};

// Searches one list with one search string after another, each as the Search button does it,
// and writes the report lines of each search.
class QuerySession {
public:
    QuerySession(const QStringList& list, const QuerySettings& settings);

    // The lines for one search string (its bytes as given: UTF-8 when they are valid UTF-8,
    // else Windows-1252), LF-terminated, in UTF-8.
    QByteArray search(const QByteArray& given);

private:
    QStringList list_;
    QuerySettings settings_;
    SearchEngine engine_;
};

}  // namespace vex
