#include "data/inforecord.h"

#include <gtest/gtest.h>
#include <QDate>

using namespace vex;

namespace {

const QLocale kDanish(QLocale::Danish, QLocale::Denmark);

QString info(const char* text) {
    return QStringLiteral("0000\t\t") + QString::fromUtf8(text);
}

struct InfoCase {
    const char* name;
    QString line;
    InfoValues expected;
};

}  // namespace

TEST(ParseInfoRecord, itemsFoundByTheirMarkers) {
    const InfoCase cases[] = {
        {"all items but the web address",
         info("01-10-2018 - SKS-udgiver - SST-liste:15-03-2017 - Red:  konverteret  "),
         {"01.10.2018", "SKS-udgiver", "15.03.2017", "", "konverteret"}},
        {"all items, note last",
         info("01-10-2018 - SKS-udgiver - SST-liste:01-10-2018 - www.example.org/sks - Red: "
              "konverteret liste"),
         {"01.10.2018", "SKS-udgiver", "01.10.2018", "www.example.org/sks", "konverteret liste"}},
        {"note followed by another item",
         info("01-10-2018 - Udgiver - Red: note  - mere"),
         {"01.10.2018", "Udgiver", "", "", "note"}},
        {"publisher alone is trimmed",
         info("01-10-2018 -   Udgiver  "),
         {"01.10.2018", "Udgiver", "", "", ""}},
        {"publisher runs into the web address",
         info("01-10-2018 - Udgiver https://sks.dk - Red:x"),
         {"01.10.2018", "Udgiver ", "", "https://sks.dk", "x"}},
        {"http before https before www",
         info("01-10-2018 - P - www.a.dk http://b.dk"),
         {"01.10.2018", "P", "", "http://b.dk", ""}},
        {"blank after the SST marker keeps the value as written",
         info("01-10-2018 - P - SST-liste: 01-10-2018"),
         {"01.10.2018", "P", " 01-10-2018", "", ""}},
        {"SST date of another length stays text",
         info("01-10-2018 - P - SST-liste:2018"),
         {"01.10.2018", "P", "2018", "", ""}},
        {"release date only", info("01-10-2018"), {"01.10.2018", "", "", "", ""}},
        {"release date without separator: first ten characters",
         info("01-10-2018xyz Udgiver"),
         {"01.10.2018", "", "", "", ""}},
        {"unreadable date stays text", info("32-13-2018 - P"), {"32-13-2018", "P", "", "", ""}},
        {"date with letters stays text", info("0a-10-2018 - P"), {"0a-10-2018", "P", "", "", ""}},
        {"too short", info("1-1-2018"), {}},
        {"empty line", QString(), {}},
        {"text ends at the next tab",
         QStringLiteral("\"0000\"\tx\t01-10-2018 - P\tjunk - Red:y"),
         {"01.10.2018", "P", "", "", ""}},
    };
    for (const InfoCase& c : cases) {
        EXPECT_EQ(ParseInfoRecord(c.line, kDanish), c.expected) << c.name;
    }
}

TEST(ParseInfoRecord, datesFollowTheLocale) {
    const InfoValues c =
        ParseInfoRecord(info("01-10-2018 - P - SST-liste:15-03-2017"), QLocale::c());
    EXPECT_EQ(c.releaseDate, QLocale::c().toString(QDate(2018, 10, 1), QLocale::ShortFormat));
    EXPECT_EQ(c.releaseDate, QStringLiteral("1 Oct 2018"));
    EXPECT_EQ(c.sstListDate, QStringLiteral("15 Mar 2017"));
}

TEST(IsInfoRecord, markerAtTheStartPlainOrQuoted) {
    EXPECT_TRUE(IsInfoRecord(QStringLiteral("0000\t")));
    EXPECT_TRUE(IsInfoRecord(QStringLiteral("00001\tx")));
    EXPECT_TRUE(IsInfoRecord(QStringLiteral("\"0000\"\t\tx")));
    EXPECT_FALSE(IsInfoRecord(QStringLiteral(" 0000\t")));
    EXPECT_FALSE(IsInfoRecord(QStringLiteral("000\t")));
    EXPECT_FALSE(IsInfoRecord(QString()));
}
