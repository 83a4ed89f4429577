#include <gtest/gtest.h>

#include "desktop/informationbox.h"

namespace vex {
namespace {

const QLocale kDanish(QLocale::Danish, QLocale::Denmark);

InformationInputs WithRecord() {
    InformationInputs in;
    in.programFolder = QStringLiteral("/opt/vex/");
    in.currentDataFile = QStringLiteral("/opt/vex/ICD10vex.txt");
    in.currentFileTime = QDateTime(QDate(2025, 3, 4), QTime(23, 59, 58));
    in.info.releaseDate = QStringLiteral("01.02.2025");
    in.info.publisher = QStringLiteral("Sundhedsdatastyrelsen");
    in.info.sstListDate = QStringLiteral("15.01.2025");
    in.info.webAddress = QStringLiteral("www.medinfo.dk/sks");
    in.info.editNote = QStringLiteral("  lokal rettelse  ");
    in.helpTarget = QStringLiteral("/opt/vex/help/index.html");
    return in;
}

TEST(InformationBoxTest, AllLinesForAFileWithAnInformationRecord) {
    const Message message = InformationMessage(WithRecord(), kDanish, FileVersion{5, 16, 0, 165});
    EXPECT_EQ(message.kind, MessageKind::Information);
    EXPECT_EQ(message.buttons, ButtonOk);
    const QStringList expected{
        QStringLiteral("Vex - Diagnoseliste-program"),
        QString(80, QLatin1Char(' ')),
        QStringLiteral("Program version: 5.16.0  (build 165)"),
        QStringLiteral("Copyright © 2003-2026 Tovemark Software"),
        QStringLiteral("Programdato: 18.06.2026"),
        QStringLiteral("Programplacering:"),
        QStringLiteral("[/opt/vex/]"),
        QString(),
        QStringLiteral("Datafil: [ /opt/vex/ICD10vex.txt ]"),
        QStringLiteral("Udsendelses-dato: 01.02.2025"),
        QStringLiteral("Dato for SST basisliste: 15.01.2025"),
        QStringLiteral("Sidste fil-skrivning: 04.03.2025"),
        QStringLiteral("Udsendt af: Sundhedsdatastyrelsen"),
        QStringLiteral("Redigeret: lokal rettelse"),
        QStringLiteral("www.medinfo.dk/sks"),
        QString(),
        QStringLiteral("Program distribution:"),
        QStringLiteral("Tovemark Software"),
        QStringLiteral("Hjælp: /opt/vex/help/index.html"),
        QStringLiteral("Program support:"),
        QStringLiteral("Kontakt din lokale it-support ved spørgsmål om programmet."),
    };
    EXPECT_EQ(message.lines, expected);
    EXPECT_TRUE(message.text().startsWith(QStringLiteral("Vex - Diagnoseliste-program\r\n ")));
}

TEST(InformationBoxTest, SupportLineNamesTheClinicsAddressWhenOneIsSet) {
    InformationInputs in = WithRecord();
    in.supportEmail = QStringLiteral(" it&data@region.dk ");
    const QStringList lines = InformationLines(in, kDanish, FileVersion{5, 16, 0, 165});
    EXPECT_EQ(lines.at(20), QStringLiteral("e-mail: it&&data@region.dk"));
}

TEST(InformationBoxTest, FileWithoutInformationRecordKeepsLabelsAndDropsTheEditLine) {
    InformationInputs in = WithRecord();
    in.info = InfoValues{};
    const QStringList lines = InformationLines(in, kDanish, FileVersion{5, 16, 0, 165});
    ASSERT_EQ(lines.size(), 20);
    EXPECT_EQ(lines[9], QStringLiteral("Udsendelses-dato: "));
    EXPECT_EQ(lines[10], QStringLiteral("Dato for SST basisliste: "));
    EXPECT_EQ(lines[12], QStringLiteral("Udsendt af: "));
    EXPECT_EQ(lines[13], QString());  // no web address
    EXPECT_EQ(lines[14], QString());
    EXPECT_EQ(lines[15], QStringLiteral("Program distribution:"));
    EXPECT_FALSE(lines.join(QLatin1Char('\n')).contains(QStringLiteral("Redigeret")));
}

TEST(InformationBoxTest, EditNoteOfBlanksLeavesOutItsLine) {
    InformationInputs in = WithRecord();
    for (const QString& note : {QStringLiteral("   "), QStringLiteral(" \t "), QString()}) {
        in.info.editNote = note;
        const QStringList lines = InformationLines(in, kDanish, FileVersion{5, 16, 0, 165});
        EXPECT_EQ(lines.size(), 20);
        EXPECT_EQ(lines[13], QStringLiteral("www.medinfo.dk/sks"));
    }
}

TEST(InformationBoxTest, VersionLineForOtherVersions) {
    const InformationInputs in = WithRecord();
    EXPECT_EQ(InformationLines(in, kDanish, FileVersion{1, 0, 0, 0})[2],
              QStringLiteral("Program version: 1.0.0  (build 0)"));
    EXPECT_EQ(InformationLines(in, kDanish, std::nullopt)[2],
              QStringLiteral("Program version: (not declared)  (build (not declared))"));
}

TEST(InformationBoxTest, DatesFollowTheLocalesShortFormat) {
    const QLocale us(QLocale::English, QLocale::UnitedStates);
    const QStringList lines = InformationLines(WithRecord(), us, FileVersion{5, 16, 0, 165});
    EXPECT_EQ(lines[4], QStringLiteral("Programdato: 6/18/26"));
    EXPECT_EQ(lines[11], QStringLiteral("Sidste fil-skrivning: 3/4/25"));
}

TEST(InformationBoxTest, AmpersandsInPathsAndFileTextsShowAsThemselves) {
    InformationInputs in = WithRecord();
    in.programFolder = QStringLiteral("/opt/R&D/");
    in.currentDataFile = QStringLiteral("/opt/R&D/ICD10vex.txt");
    in.info.publisher = QStringLiteral("Data & Kvalitet");
    in.helpTarget = QStringLiteral("/opt/R&D/help/index.html");
    const QStringList lines = InformationLines(in, kDanish, FileVersion{5, 16, 0, 165});
    EXPECT_EQ(lines[6], QStringLiteral("[/opt/R&&D/]"));
    EXPECT_EQ(lines[8], QStringLiteral("Datafil: [ /opt/R&&D/ICD10vex.txt ]"));
    EXPECT_EQ(lines[12], QStringLiteral("Udsendt af: Data && Kvalitet"));
    EXPECT_EQ(lines[18], QStringLiteral("Hjælp: /opt/R&&D/help/index.html"));
}

}  // namespace
}  // namespace vex
