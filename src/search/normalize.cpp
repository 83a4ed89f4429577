#include "search/normalize.h"

#include "base/textutil.h"

namespace vex {

namespace {

const QChar kAnd = QLatin1Char('&');
const QChar kOr = QLatin1Char('|');
const QChar kNot = QLatin1Char('\\');

bool isOperatorSymbol(QChar c) {
    return c == kAnd || c == kOr || c == kNot;
}

// Replaces every occurrence (left to right, no overlap) until the pattern no longer occurs.
void replaceUntilGone(QString& s, const QString& pattern, const QString& replacement) {
    while (s.contains(pattern)) {
        s.replace(pattern, replacement);
    }
}

// Replaces every occurrence of an upper-case pattern, found without regard to case, by the
// replacement (left to right, no overlap). Upper case keeps lengths, so the positions found
// in the upper-case text are the positions in the text.
QString replaceNoCase(const QString& s, QStringView upperPattern, QStringView replacement) {
    const QString u = upper(s);
    qsizetype from = 0;
    qsizetype hit = u.indexOf(upperPattern, from);
    if (hit < 0) {
        return s;
    }
    QString out;
    out.reserve(s.size());
    while (hit >= 0) {
        out += QStringView(s).mid(from, hit - from);
        out += replacement;
        from = hit + upperPattern.size();
        hit = u.indexOf(upperPattern, from);
    }
    out += QStringView(s).mid(from);
    return out;
}

// Gives every occurrence of the symbol a space before and after it, unless one is there.
QString spaceSymbol(const QString& s, QChar symbol) {
    if (!s.contains(symbol)) {
        return s;
    }
    QString out;
    out.reserve(s.size() + 16);
    for (qsizetype i = 0; i < s.size(); ++i) {
        const QChar c = s.at(i);
        if (c != symbol) {
            out += c;
            continue;
        }
        if (out.isEmpty() || out.back() != QLatin1Char(' ')) {
            out += QLatin1Char(' ');
        }
        out += c;
        if (i + 1 >= s.size() || s.at(i + 1) != QLatin1Char(' ')) {
            out += QLatin1Char(' ');
        }
    }
    return out;
}

Message rejection(QStringList lines) {
    return Message{MessageKind::Warning, ButtonOk, std::move(lines)};
}

QString bracketed(const QString& s) {
    return QStringLiteral("[ ") + doubleAmpersands(s) + QStringLiteral(" ]");
}

// A typed SKS code («a00.1», «e10») that is to be rewritten in the canonical code form.
bool isCodeEntry(const QString& s, const NormalizeInput& in) {
    if (in.options.freeText && in.options.comments) {
        return false;
    }
    if (!in.primaryInUse || s.contains(QLatin1Char('*')) || s.size() < 2) {
        return false;
    }
    const qsizetype dot = s.indexOf(QLatin1Char('.'));
    const bool shape = (dot == 3 && s.size() <= 5) || (dot < 0 && s.size() <= 4);
    if (!shape || IsNumericText(s.left(1), in.locale) || s.at(1) == QLatin1Char('-')) {
        return false;
    }
    const QString tail = s.mid(1);
    return IsNumericText(QString(tail).remove(QLatin1Char('.')), in.locale) &&
           !tail.contains(QLatin1Char('e'), Qt::CaseInsensitive);
}

}  // namespace

QString NormalizeStars(const QString& term) {
    const QChar star = QLatin1Char('*');
    if (term.startsWith(star)) {
        return star + QString(term).remove(star);
    }
    return QString(term).remove(star);
}

qsizetype CountNonOverlapping(QStringView text, QStringView pattern) {
    if (pattern.isEmpty()) {
        return 0;
    }
    qsizetype count = 0;
    for (qsizetype at = text.indexOf(pattern); at >= 0;
         at = text.indexOf(pattern, at + pattern.size())) {
        ++count;
    }
    return count;
}

NormalizeOutcome NormalizeSearchString(const NormalizeInput& input) {
    QString s = input.searchInput;
    NormalizeOutcome outcome;

    // Enclosing quotes, only on strings long enough to be more than a quoted short code.
    if (trimmed32(s).size() >= 7) {
        if (s.startsWith(QLatin1Char('"')) && s.endsWith(QLatin1Char('"'))) {
            s = s.mid(1, s.size() - 2);
        }
        if (s.size() >= 2 && s.startsWith(QLatin1Char('\'')) && s.endsWith(QLatin1Char('\''))) {
            s = s.mid(1, s.size() - 2);
        }
    }

    replaceUntilGone(s, QStringLiteral("  "), QStringLiteral(" "));

    // Doubled operator symbols stand for one operator.
    replaceUntilGone(s, QStringLiteral("&&"), QStringLiteral("&"));
    replaceUntilGone(s, QStringLiteral("& &"), QStringLiteral("&"));
    replaceUntilGone(s, QStringLiteral("||"), QStringLiteral("|"));
    replaceUntilGone(s, QStringLiteral("| |"), QStringLiteral("|"));
    replaceUntilGone(s, QStringLiteral("\\\\"), QStringLiteral("\\"));
    replaceUntilGone(s, QStringLiteral("\\ \\"), QStringLiteral("\\"));

    // Doubled operator words likewise, in any mix of case.
    for (const auto& [twice, once] :
         {std::pair{u" AND AND ", u" AND "}, {u" OR OR ", u" OR "}, {u" NOT NOT ", u" NOT "}}) {
        const QStringView pattern(twice);
        while (upper(s).contains(pattern)) {
            s = replaceNoCase(s, pattern, QStringView(once));
        }
    }

    s.replace(QStringLiteral("*$"), QStringLiteral("$"));

    if (s.size() == 1 && isOperatorSymbol(s.at(0))) {
        outcome.message =
            rejection({QString(), QStringLiteral("Illegal søgestreng:"), bracketed(s)});
        return outcome;
    }
    if (s.size() >= 2 && (isOperatorSymbol(s.front()) || isOperatorSymbol(s.back()))) {
        outcome.message = rejection({QString(), QStringLiteral("Indledende eller afsluttende"),
                                     QStringLiteral("Boole'sk operator i søgestreng ikke tilladt!"),
                                     bracketed(s)});
        return outcome;
    }

    if (isCodeEntry(s, input)) {
        s = upper(s.remove(QLatin1Char('.')));
        if (input.entryAutoDPrefix == QLatin1String("1")) {
            s.prepend(QLatin1Char('D'));
        }
    }

    // A code typed with its two letters («da001»).
    if (!IsNumericText(s.left(1), input.locale) && !IsNumericText(s.mid(1, 1), input.locale) &&
        IsNumericText(s.mid(2), input.locale)) {
        s = upper(s);
    }

    for (const QChar symbol : {kAnd, kOr, kNot}) {
        s = spaceSymbol(s, symbol);
    }
    s = trimmed32(s);

    const QString u = upper(s);
    int count = 0;
    for (const char16_t* token : kOperatorTokens) {
        count += int(CountNonOverlapping(u, QStringView(token)));
    }
    outcome.operatorCount = count;

    if (count >= 2) {
        outcome.searchInput = s;
        outcome.message = rejection(
            {QStringLiteral("Søgestrengen indeholder mere end een logisk søge-operator!"),
             QStringLiteral("Programmet tillader højst søgning med een logisk operator ad gangen."),
             QStringLiteral("Afbryder søgning.")});
        return outcome;
    }
    if (count == 1) {
        for (const char16_t* word : {u" AND ", u" OR ", u" NOT "}) {
            s = replaceNoCase(s, QStringView(word), QStringView(word));
        }
    } else {
        s = NormalizeStars(s);
    }
    outcome.accepted = true;
    outcome.searchInput = s;
    return outcome;
}

}  // namespace vex
