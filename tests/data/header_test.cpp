#include "data/header.h"

#include <gtest/gtest.h>

using namespace vex;

namespace {

const QString kFile = QStringLiteral("C:\\Data\\liste.txt");

QString header(std::initializer_list<const char*> names) {
    QStringList parts;
    for (const char* n : names) {
        parts << QString::fromUtf8(n);
    }
    return parts.join(QLatin1Char('\t'));
}

Message countMessage(int count) {
    return {MessageKind::Error,
            ButtonOk | ButtonHelp,
            {QStringLiteral("Illegalt antal feltnavne [ %1 ]").arg(count),
             QStringLiteral("for datafil [C:\\Data\\liste.txt]."),
             QStringLiteral("Det forudsatte antal feltnavne er 9."), QString(),
             QStringLiteral("Se venligst programhjælpens specifikation for feltnavne.")}};
}

Message asteriskMessage(const QString& name) {
    return {
        MessageKind::Error,
        ButtonOk | ButtonHelp,
        {QStringLiteral("Illegalt feltnavn [ ") + name + QStringLiteral(" ] i anden kolonne"),
         QStringLiteral("for datafil [C:\\Data\\liste.txt]."),
         QStringLiteral("Dette feltnavn forudsættes at være enten [ Stjerne ] eller [ Asterisk ]"),
         QStringLiteral("og skal indeholde evt. stjernemarkering for SKS-koden.")}};
}

struct HeaderCase {
    const char* name;
    QString line;
    std::optional<Message> expected;
};

}  // namespace

TEST(CheckHeader, acceptsAndRefusesHeaders) {
    const HeaderCase cases[] = {
        {"usual header",
         header({"SKS-kode", "Stjerne", "Diagnosetekst", "KorteListe", "Synonymer", "Inklusiv",
                 "Stikord", "Kommentarer", "Redigeret"}),
         std::nullopt},
        {"asterisk name in any case",
         header({"Kod", "stjerne", "Tx", "KL", "Sy", "In", "St", "Ko", "Re"}), std::nullopt},
        {"english asterisk name, quoted and padded",
         header({"Kod", " \"ASTERISK\" ", "Tx", "KL", "Sy", "In", "St", "Ko", "Re"}), std::nullopt},
        {"ten names: the tenth is ignored",
         header({"Kod", "Asterisk", "Tx", "KL", "Sy", "In", "St", "Ko", "Re", "Ekstra"}),
         std::nullopt},
        {"quoted name holding a tab",
         header({"\"SKS\tkode\"", "Stjerne", "Tx", "KL", "Sy", "In", "St", "Ko", "Re"}),
         std::nullopt},
        {"two-character code name",
         header({"SK", "Stjerne", "Tx", "KL", "Sy", "In", "St", "Ko", "Re"}), countMessage(8)},
        {"eight columns", header({"Kod", "Stjerne", "Tx", "KL", "Sy", "In", "St", "Ko"}),
         countMessage(8)},
        {"names counted after trimming: blanks do not make a name long enough",
         header({"  K  ", "Stjerne", " T ", "KL", "Sy", "In", "St", "Ko", "Re"}), countMessage(7)},
        {"short asterisk name is a count error, not a name error",
         header({"Kod", "Stjern", "Tx", "KL", "Sy", "In", "St", "Ko", "Re"}), countMessage(8)},
        {"no names at all", QString(), countMessage(0)},
        {"other asterisk name",
         header({"Kod", "Stjerner", "Tx", "KL", "Sy", "In", "St", "Ko", "Re"}),
         asteriskMessage(QStringLiteral("Stjerner"))},
    };
    for (const HeaderCase& c : cases) {
        FieldNames names;
        EXPECT_EQ(CheckHeader(c.line, kFile, names), c.expected) << c.name;
    }
}

TEST(CheckHeader, fillsTheCleanNames) {
    FieldNames names;
    names[Column::EditDate] = QStringLiteral("stale");
    ASSERT_FALSE(
        CheckHeader(QStringLiteral("\"SKS \"\"kode\"\"\"\tStjerne\tDiagnosetekst\tKorteListe\t"
                                   "Synonymer\tInklusiv\tStikord\tKommentarer\tRedigeret\t"
                                   "Tiende"),
                    kFile, names)
            .has_value());
    EXPECT_EQ(names[Column::Code], QStringLiteral("SKS \"kode\""));
    EXPECT_EQ(names[Column::Text], QStringLiteral("Diagnosetekst"));
    EXPECT_EQ(names[Column::EditDate], QStringLiteral("Redigeret"));

    // A refused header leaves what it gave, and nothing of an earlier header.
    ASSERT_TRUE(CheckHeader(QStringLiteral("Kode\tStjerne"), kFile, names).has_value());
    EXPECT_EQ(names[Column::Code], QStringLiteral("Kode"));
    EXPECT_TRUE(names[Column::Text].isEmpty());
    EXPECT_TRUE(names[Column::EditDate].isEmpty());
}
