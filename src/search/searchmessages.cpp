#include "search/searchmessages.h"

#include "base/textutil.h"

namespace vex {

QString RejectedSearchStringText() {
    return QStringLiteral("< søgestreng afvist >");
}

QString EmptySearchStringText() {
    return QStringLiteral("< tom søgestreng >");
}

QString AppliedSearchStringCaption(const QString& text) {
    return QStringLiteral("Anvendt søgestreng: [ ") +
           QString(text).replace(QStringLiteral(" & "), QStringLiteral(" && ")) +
           QStringLiteral(" ]");
}

QString SearchPromptText() {
    return QStringLiteral("Anfør ønsket søgestreng:");
}

QString SearchEscHintText() {
    return QStringLiteral("Søgning kan afbrydes med ESC");
}

QString SearchPausedText() {
    return QStringLiteral("Søgning pauseret");
}

QString SearchAbortedText() {
    return QStringLiteral("Afbrudt søgning");
}

Message AbortSearchQuestion() {
    return Message{MessageKind::Confirmation,
                   ButtonYes | ButtonNo,
                   {QString(), QStringLiteral("Vil du afbryde søgning")}};
}

Message EmptySearchStringWarning() {
    return Message{MessageKind::Warning,
                   ButtonOk,
                   {QString(), QStringLiteral("Kan ikke søge på tom søgestreng!")}};
}

Message FreeTextWarning(const QString& searchInput, bool fromOptionBox) {
    const QString marked =
        fromOptionBox ? QStringLiteral(" ] indeholder i allerede *-markering for fritekstsøgning.")
                      : QStringLiteral(" ] indeholder *-markering for fritekstsøgning.");
    return Message{
        MessageKind::Warning,
        ButtonOk | ButtonCancel | ButtonHelp,
        {QStringLiteral("Den anførte søgestreng [ ") + doubleAmpersands(searchInput) + marked,
         QString(),
         QStringLiteral("Du har imidlertid valgt generel fritekstsøgning i feltet [×]+Fri-Tekst,"),
         QStringLiteral("der kan interferere med den søgestrengsdefinerede fritekstsøgning."),
         QString(), QStringLiteral("Du anbefales at bruge søgestreng uden *-markering"),
         QStringLiteral("eller at undlade markeringen i [×]+Fri-Tekst feltet."), QString(),
         QStringLiteral("Klik på [Annuller] for at fortryde søgning.")}};
}

Message NoMatchMessage(const QString& searchInput, const SearchOptions& options,
                       int operatorCount) {
    const bool freeText = options.freeText;
    const bool comments = options.comments;
    QStringList lines{
        QStringLiteral("Ingen match for søgestreng:"),
        QStringLiteral("[  ") + doubleAmpersands(searchInput) + QStringLiteral("  ]")};
    const bool eitherOff = !freeText || !comments;
    if (eitherOff || operatorCount == 0) {
        lines << QString();
        QString current = QStringLiteral("Prøv evt. også");
        if (!freeText) {
            current += QStringLiteral(" fritekstsøgning ( [x] Fri-Tekst )");
        }
        if (!freeText && !comments) {
            lines << current;
            current = QStringLiteral("samt");
        }
        if (!comments) {
            current += QStringLiteral(" inklusion af Kommentarfelt ( [x] +Komment. )");
        }
        if (eitherOff) {
            current += QStringLiteral(" i søgningen");
        }
        if (operatorCount == 0) {
            if (eitherOff) {
                lines << current;
                current = QStringLiteral("  og / eller");
            }
            lines << current
                  << QStringLiteral(
                         "søgning med en af de logiske operatorer \" AND \", \" OR \" eller \" NOT "
                         "\",");
            current = QStringLiteral(
                "alternativt de logiske operatorer \" && \", \" | \" eller \" \\ \" (men ikke "
                "blandet)");
        }
        lines << current + QLatin1Char('.');
    }
    lines << QString() << QStringLiteral("Se online-hjælp for nærmere forklaring.");
    return Message{MessageKind::Information, ButtonOk, lines};
}

QString ElapsedTimeText(double seconds, const QLocale& locale) {
    QLocale plain = locale;
    plain.setNumberOptions(QLocale::OmitGroupSeparator);
    QString text = plain.toString(seconds, 'f', 3);
    if (text.endsWith(QLatin1Char('0'))) {
        text.chop(1);  // the third decimal only when it is not zero
    }
    return text + QStringLiteral(" s");
}

}  // namespace vex
