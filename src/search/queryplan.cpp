#include "search/queryplan.h"

#include "base/textutil.h"
#include "search/normalize.h"

namespace vex {

namespace {

const QChar kStar = QLatin1Char('*');
const QChar kGroupMark = QLatin1Char('$');

enum class Operator { And, Or, Not };

Operator operatorOf(QStringView token) {
    if (token == u" AND " || token == u" & ") {
        return Operator::And;
    }
    if (token == u" OR " || token == u" | ") {
        return Operator::Or;
    }
    return Operator::Not;
}

// The rejection messages: the search string in brackets, an empty line, then the reason.
Message rejection(const QString& searchInput, QStringList reason) {
    QStringList lines{QStringLiteral("[ ") + doubleAmpersands(searchInput) + QStringLiteral(" ]"),
                      QString()};
    lines += reason;
    return Message{MessageKind::Warning, ButtonOk, lines};
}

const QString kNoSense = QStringLiteral("Søgestrengen giver ikke mening,");
const QString kGroupUse =
    QStringLiteral("Anvendelse af tegnet [ $ ] for afgrænsede diagnosegruppe-søgninger");

QStringList equalOperandsReason() {
    return {kNoSense, QStringLiteral("da de to logiske operander er ens!")};
}
QStringList subsetReason() {
    return {kNoSense, QStringLiteral("da den ene operand udgør en delmængde af den anden,"),
            QStringLiteral("og da søgningen dækkes af den ene operand alene!")};
}
QStringList groupWithOrReason() {
    return {
        QStringLiteral("Tegnet [ $ ] for afgrænsede diagnosegruppe-søgninger accepteres kun"),
        QStringLiteral("med de logiske operatorer  AND (eller '&&')  eller  NOT (eller '\\').")};
}
QStringList groupNotFirstReason() {
    return {kGroupUse,
            QStringLiteral("forudsætter at [ $ ]-tegnet står forrest i bagerste operand!")};
}
QStringList groupLeftOfNotReason() {
    return {kGroupUse, QStringLiteral("accepteres ved negationen  NOT  kun i bagerste operand!")};
}
QStringList negationCoversReason() {
    return {
        kNoSense,
        QStringLiteral("da den negerende (bagerste) operand udgør en delmængde af den forreste"),
        QStringLiteral("der derved per se umuliggør match på den forreste operand!")};
}

// The upper-case forms of an operand that the validation compares.
struct Operand {
    QString text;  // as written, "*" included
    bool freeText;
    QString u;      // upper case of the operand
    QString uBare;  // upper case without "*"
};

Operand operand(const QString& text) {
    const QString u = upper(text);
    return Operand{text, text.startsWith(kStar), u, QString(u).remove(kStar)};
}

// The rule shared by AND and OR: a free-text operand inside the other operand.
bool freeTextCovers(const Operand& l, const Operand& r) {
    if (l.freeText && r.freeText) {
        return r.uBare.contains(l.uBare) || l.uBare.contains(r.uBare);
    }
    if (l.freeText) {
        return r.u.contains(l.uBare);
    }
    if (r.freeText) {
        return l.u.contains(r.uBare);
    }
    return false;
}

// The first of the operator tokens, in their order, that occurs in the text: where it occurs
// first (-1 when none does) and which token it is.
qsizetype FindOperatorToken(QStringView text, QStringView& token) {
    for (const char16_t* candidate : kOperatorTokens) {
        const qsizetype at = text.indexOf(QStringView(candidate));
        if (at >= 0) {
            token = QStringView(candidate);
            return at;
        }
    }
    return -1;
}

// The rewritten search string: the operands joined by the token, unless a removed "*" or
// blank has let an operand form another operator token with its neighbour («a OR* OR b»
// gives «a OR OR b»). Read again, such a rewrite would split elsewhere and the calls of a run
// would search differently, so the string then keeps its form.
QString StableRewrite(const QString& given, const QString& l, QStringView token, const QString& r) {
    const QString rewritten = l + token.toString() + r;
    QStringView again;
    return FindOperatorToken(rewritten, again) == l.size() && again == token ? rewritten : given;
}

QueryPlan CompileOnce(const QString& searchInput, int operatorCount, const SearchOptions& options) {
    QueryPlan plan;
    plan.searchInput = searchInput;
    if (operatorCount == 0) {
        plan.kind = QueryKind::Single;
        plan.left = PrepareTerm(searchInput, options);
        return plan;
    }

    QStringView token;
    const qsizetype at = FindOperatorToken(searchInput, token);
    if (at < 0) {
        plan.kind = QueryKind::NoMatch;
        return plan;
    }
    // Trimmed again after the stars go: «fever *» is «fever», not «fever » (the rewritten
    // string is what the next call of a run reads, and it must search the same).
    QString l = trimmed32(NormalizeStars(trimmed32(searchInput.left(at))));
    QString r = trimmed32(NormalizeStars(trimmed32(searchInput.mid(at + token.size()))));
    plan.searchInput = StableRewrite(searchInput, l, token, r);

    auto reject = [&plan](QStringList reason) {
        plan.kind = QueryKind::Rejected;
        plan.message = rejection(plan.searchInput, std::move(reason));
        return plan;
    };

    if (equalsNoCase(l, r)) {
        return reject(equalOperandsReason());
    }
    const Operand lo = operand(l);
    const Operand ro = operand(r);
    const Operator op = operatorOf(token);
    bool group = false;
    switch (op) {
        case Operator::And:
            if (ro.u.startsWith(lo.u) || lo.u.startsWith(ro.u) || lo.uBare == ro.uBare ||
                freeTextCovers(lo, ro)) {
                return reject(subsetReason());
            }
            group = l.contains(kGroupMark) || r.contains(kGroupMark);
            plan.kind = QueryKind::And;
            break;
        case Operator::Or:
            if (freeTextCovers(lo, ro) || (!lo.freeText && !ro.freeText &&
                                           (lo.u.startsWith(ro.u) || ro.u.startsWith(lo.u)))) {
                return reject(subsetReason());
            }
            if (l.contains(kGroupMark) || r.contains(kGroupMark)) {
                return reject(groupWithOrReason());
            }
            plan.kind = QueryKind::Or;
            break;
        case Operator::Not:
            // A free-text left operand with a plain right operand is not tested.
            if ((lo.freeText && ro.freeText && lo.uBare.contains(ro.uBare)) ||
                (!lo.freeText && ro.freeText && lo.u.contains(ro.uBare)) ||
                (!lo.freeText && !ro.freeText && lo.u.startsWith(ro.u))) {
                return reject(negationCoversReason());
            }
            if (l.contains(kGroupMark)) {
                return reject(groupLeftOfNotReason());
            }
            group = r.contains(kGroupMark);
            plan.kind = QueryKind::Not;
            break;
    }

    if (group) {
        if (op == Operator::And && l.contains(kGroupMark)) {
            std::swap(l, r);
        }
        // Only the right operand may hold "$", at its start. With "$" in both, the rewritten
        // string would have its operands exchanged back by the next call of the run.
        if (!r.startsWith(kGroupMark) || l.contains(kGroupMark)) {
            return reject(groupNotFirstReason());
        }
        // «$A» and «$A0» name the D codes: «$DA», «$DA0». A single character is numeric
        // exactly when it is a digit, whatever the number format.
        if (r.size() == 2 || (r.size() > 2 && IsNumericText(r.mid(2, 1), QLocale::c()))) {
            r.insert(1, QLatin1Char('D'));
        }
        r = upper(r);
        plan.searchInput = StableRewrite(searchInput, l, token, r);
        plan.kind = op == Operator::And ? QueryKind::GroupAnd : QueryKind::GroupNot;
        plan.groupCode = r.mid(1);
        plan.left = PrepareTerm(l, options);
        return plan;
    }

    plan.left = PrepareTerm(l, options);
    // The second term is tested on the records of the first; the free-text option applies to it.
    plan.right.freeText = options.freeText || ro.freeText;
    plan.right.upperTerm = ro.uBare;
    plan.right.empty = ro.uBare.isEmpty();
    return plan;
}

}  // namespace

// The next call of a run reads the rewritten string, so that string is what the run searches
// for: a rewrite that reads differently («$t» becomes «$DT», which a free-text «*D» covers)
// is compiled again, and a rejection then comes on the first call instead of after the
// first hits have been listed.
QueryPlan CompileQuery(const QString& searchInput, int operatorCount,
                       const SearchOptions& options) {
    QueryPlan plan = CompileOnce(searchInput, operatorCount, options);
    QString read = searchInput;
    for (int again = 0; again < 3 && plan.kind != QueryKind::Rejected && plan.searchInput != read;
         ++again) {
        read = plan.searchInput;
        plan = CompileOnce(read, operatorCount, options);
    }
    return plan;
}

}  // namespace vex
