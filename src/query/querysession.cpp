#include "query/querysession.h"

#include "base/textencoding.h"
#include "base/textutil.h"
#include "search/normalize.h"
#include "search/resulttable.h"
#include "search/searchmessages.h"

namespace vex {

namespace {

// Runs without a window: nothing to process, ESC never pressed; keeps the rejection.
class QuietHook : public SearchRunHook {
public:
    void rejected(const Message& message) override { rejection = message; }
    StepAnswer afterStep(const RunStep&) override { return StepAnswer::Continue; }
    std::optional<Message> rejection;
};

QByteArray line(const char* tag, const QString& value) {
    return QByteArray(tag) + '\t' + EscapedOutputText(value).toUtf8() + '\n';
}

// A message as its box shows it, each line escaped and the lines joined by a backslash and an
// "n".
QByteArray rejectedLine(const Message& message) {
    QStringList shown;
    for (const QString& l : message.lines) {
        shown << EscapedOutputText(CaptionDisplayText(l));
    }
    return "rejected\t" + shown.join(QStringLiteral("\\n")).toUtf8() + "\nend\t0\n";
}

}  // namespace

QString EscapedOutputText(const QString& value) {
    QString out;
    out.reserve(value.size());
    for (const QChar c : value) {
        const char16_t u = c.unicode();
        if (u == u'\\') {
            out += QStringLiteral("\\\\");
        } else if (u < 0x20 || (u >= 0x7F && u <= 0x9F)) {
            out += QStringLiteral("\\x") +
                   QString::number(int(u), 16).toUpper().rightJustified(2, QLatin1Char('0'));
        } else {
            out += c;
        }
    }
    return out;
}

QuerySession::QuerySession(const QStringList& list, const QuerySettings& settings)
    : list_(list), settings_(settings) {}

QByteArray QuerySession::search(const QByteArray& given) {
    // A search string piped from a file of either kind reads as its file was written.
    const QString typed = decodeNoMarkText(given);
    QByteArray out = line("query", typed);

    NormalizeInput in;
    in.searchInput = trimmed32(typed);
    if (in.searchInput.isEmpty()) {
        return out + rejectedLine(EmptySearchStringWarning());
    }
    in.options = settings_.options;
    in.primaryInUse = settings_.primaryInUse;
    in.entryAutoDPrefix = settings_.entryAutoDPrefix ? QStringLiteral("1") : QString();
    in.locale = settings_.locale;
    const NormalizeOutcome normalized = NormalizeSearchString(in);
    if (!normalized.accepted) {
        return out + rejectedLine(normalized.message.value_or(Message{}));
    }
    // The free-text warning, if any, is answered OK: the search goes on.

    ResultTable table;
    QuietHook hook;
    const RunOutcome run =
        engine_.run(list_, normalized.searchInput, normalized.operatorCount.value_or(0),
                    settings_.options, table, hook);
    if (run.status == RunStatus::Rejected) {
        return out + rejectedLine(hook.rejection.value_or(Message{}));
    }
    out += line("applied", run.searchInput);
    for (int row = 0; row < table.count(); ++row) {
        out += "hit\t" + EscapedOutputText(table.code(row)).toUtf8() + '\t' +
               EscapedOutputText(table.text(row)).toUtf8() + '\n';
    }
    out += "end\t" + QByteArray::number(table.count()) + '\n';
    return out;
}

}  // namespace vex
