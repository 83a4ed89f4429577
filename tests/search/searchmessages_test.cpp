#include "search/searchmessages.h"

#include <gtest/gtest.h>

using namespace vex;

TEST(SearchMessages, appliedStringShowsOneAmpersand) {
    EXPECT_EQ(AppliedSearchStringCaption(QStringLiteral("a & b")),
              QStringLiteral("Anvendt søgestreng: [ a && b ]"));
    EXPECT_EQ(AppliedSearchStringCaption(EmptySearchStringText()),
              QStringLiteral("Anvendt søgestreng: [ < tom søgestreng > ]"));
    EXPECT_EQ(RejectedSearchStringText(), QStringLiteral("< søgestreng afvist >"));
}

TEST(SearchMessages, noMatchMessageLinesFollowTheOptions) {
    const QString operators1 = QStringLiteral(
        "søgning med en af de logiske operatorer \" AND \", \" OR \" eller \" NOT \",");
    const QString operators2 = QStringLiteral(
        "alternativt de logiske operatorer \" && \", \" | \" eller \" \\ \" (men ikke blandet).");
    const QString help = QStringLiteral("Se online-hjælp for nærmere forklaring.");
    const QString head = QStringLiteral("Ingen match for søgestreng:");

    Message m = NoMatchMessage(QStringLiteral("abc"), SearchOptions{false, false}, 0);
    EXPECT_EQ(m.kind, MessageKind::Information);
    EXPECT_EQ(m.buttons, ButtonOk);
    EXPECT_EQ(m.lines,
              QStringList(
                  {head, QStringLiteral("[  abc  ]"), QString(),
                   QStringLiteral("Prøv evt. også fritekstsøgning ( [x] Fri-Tekst )"),
                   QStringLiteral("samt inklusion af Kommentarfelt ( [x] +Komment. ) i søgningen"),
                   QStringLiteral("  og / eller"), operators1, operators2, QString(), help}));

    m = NoMatchMessage(QStringLiteral("a & b"), SearchOptions{true, true}, 1);
    EXPECT_EQ(m.lines, QStringList({head, QStringLiteral("[  a && b  ]"), QString(), help}));

    m = NoMatchMessage(QStringLiteral("a OR b"), SearchOptions{true, false}, 1);
    EXPECT_EQ(m.lines,
              QStringList(
                  {head, QStringLiteral("[  a OR b  ]"), QString(),
                   QStringLiteral(
                       "Prøv evt. også inklusion af Kommentarfelt ( [x] +Komment. ) i søgningen."),
                   QString(), help}));

    m = NoMatchMessage(QStringLiteral("a NOT b"), SearchOptions{false, true}, 1);
    EXPECT_EQ(m.lines[3],
              QStringLiteral("Prøv evt. også fritekstsøgning ( [x] Fri-Tekst ) i søgningen."));
    EXPECT_EQ(m.lines.size(), 6);

    m = NoMatchMessage(QStringLiteral("abc"), SearchOptions{true, true}, 0);
    EXPECT_EQ(m.lines, QStringList({head, QStringLiteral("[  abc  ]"), QString(),
                                    QStringLiteral("Prøv evt. også"), operators1, operators2,
                                    QString(), help}));
}

TEST(SearchMessages, freeTextWarningsDifferInTheirFirstLine) {
    const Message button = FreeTextWarning(QStringLiteral("*a & b"), false);
    const Message box = FreeTextWarning(QStringLiteral("*a & b"), true);
    EXPECT_EQ(button.kind, MessageKind::Warning);
    EXPECT_EQ(button.buttons, ButtonOk | ButtonCancel | ButtonHelp);
    EXPECT_EQ(
        button.lines.first(),
        QStringLiteral(
            "Den anførte søgestreng [ *a && b ] indeholder *-markering for fritekstsøgning."));
    EXPECT_EQ(box.lines.first(), QStringLiteral("Den anførte søgestreng [ *a && b ] indeholder i "
                                                "allerede *-markering for fritekstsøgning."));
    EXPECT_EQ(button.lines.mid(1), box.lines.mid(1));
    EXPECT_EQ(
        button.lines.mid(1),
        QStringList(
            {QString(),
             QStringLiteral(
                 "Du har imidlertid valgt generel fritekstsøgning i feltet [×]+Fri-Tekst,"),
             QStringLiteral("der kan interferere med den søgestrengsdefinerede fritekstsøgning."),
             QString(), QStringLiteral("Du anbefales at bruge søgestreng uden *-markering"),
             QStringLiteral("eller at undlade markeringen i [×]+Fri-Tekst feltet."), QString(),
             QStringLiteral("Klik på [Annuller] for at fortryde søgning.")}));
    EXPECT_EQ(EmptySearchStringWarning().lines,
              QStringList({QString(), QStringLiteral("Kan ikke søge på tom søgestreng!")}));
}

TEST(SearchMessages, elapsedTimeShowsAThirdDecimalOnlyWhenNotZero) {
    const QLocale c = QLocale::c();
    const QLocale danish(QLocale::Danish, QLocale::Denmark);
    EXPECT_EQ(ElapsedTimeText(0.5, c), QStringLiteral("0.50 s"));
    EXPECT_EQ(ElapsedTimeText(0.5, danish), QStringLiteral("0,50 s"));
    EXPECT_EQ(ElapsedTimeText(1.2346, danish), QStringLiteral("1,235 s"));
    EXPECT_EQ(ElapsedTimeText(0.0, c), QStringLiteral("0.00 s"));
    EXPECT_EQ(ElapsedTimeText(0.0004, c), QStringLiteral("0.00 s"));
    EXPECT_EQ(ElapsedTimeText(1234.5, danish), QStringLiteral("1234,50 s"));
}
