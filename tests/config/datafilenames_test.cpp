#include "config/datafilenames.h"

#include <QDir>
#include <QSet>

#include <gtest/gtest.h>

using namespace vex;

namespace {

IniSettings iniWith(const QString& folder, const QString& file01, const QString& file02) {
    IniSettings s;
    s.dataFolder = folder;
    s.datafile01 = file01;
    s.datafile02 = file02;
    return s;
}

const QString sep = QString(QDir::separator());

}  // namespace

TEST(DataFileNames, withoutDataFolderNamesStayAsGiven) {
    const DataFileNames n = DataFileNamesFromIni(
        iniWith(QString(), QStringLiteral("  Liste.txt \t"), QStringLiteral("B.txt")));
    EXPECT_EQ(n.primary, QStringLiteral("Liste.txt"));
    EXPECT_EQ(n.secondary, QStringLiteral("B.txt"));
    EXPECT_EQ(n.defaultPrimary, QStringLiteral("ICD10vex.txt"));
    EXPECT_EQ(n.defaultSecondary, QStringLiteral("Behandling-procedurer-vex.txt"));
}

TEST(DataFileNames, dataFolderGoesInFrontOfBareNamesAndDefaults) {
    const DataFileNames n =
        DataFileNamesFromIni(iniWith(QStringLiteral(" lister "), QStringLiteral("Liste.txt"),
                                     QStringLiteral("C:\\Data\\B.txt")));
    EXPECT_EQ(n.primary, QStringLiteral("lister") + sep + QStringLiteral("Liste.txt"));
    EXPECT_EQ(n.secondary, QStringLiteral("C:\\Data\\B.txt"));
    EXPECT_EQ(n.defaultPrimary, QStringLiteral("lister") + sep + QStringLiteral("ICD10vex.txt"));

    // A folder that already ends in a separator gets none added; names with a folder or a
    // drive keep theirs.
    const DataFileNames m = DataFileNamesFromIni(iniWith(
        QStringLiteral("D:\\Lister\\"), QStringLiteral("x/a.txt"), QStringLiteral("E:b.txt")));
    EXPECT_EQ(m.defaultSecondary, QStringLiteral("D:\\Lister\\Behandling-procedurer-vex.txt"));
    EXPECT_EQ(m.primary, QStringLiteral("x/a.txt"));
    EXPECT_EQ(m.secondary, QStringLiteral("E:b.txt"));

    // Empty names stay empty for the start-up's own defaults.
    const DataFileNames e = DataFileNamesFromIni(iniWith(QStringLiteral("/srv/"), {}, {}));
    EXPECT_TRUE(e.primary.isEmpty());
    EXPECT_TRUE(e.secondary.isEmpty());
    EXPECT_EQ(e.defaultPrimary, QStringLiteral("/srv/ICD10vex.txt"));
}

TEST(DataFileNames, completion_defaultsAndDuplicates) {
    const DataFileNames base{
        {}, {}, QStringLiteral("ICD10vex.txt"), QStringLiteral("Behandling-procedurer-vex.txt")};
    QSet<QString> present;
    auto exists = [&present](const QString& f) { return present.contains(f); };

    DataFileNames n = CompleteDataFileNames(base, exists);
    EXPECT_EQ(n.primary, QStringLiteral("ICD10vex.txt"));
    EXPECT_TRUE(n.secondary.isEmpty());  // default secondary only when it exists

    present.insert(QStringLiteral("Behandling-procedurer-vex.txt"));
    n = CompleteDataFileNames(base, exists);
    EXPECT_EQ(n.secondary, QStringLiteral("Behandling-procedurer-vex.txt"));

    DataFileNames same = base;
    same.primary = QStringLiteral("A.txt");
    same.secondary = QStringLiteral("A.txt");
    EXPECT_TRUE(CompleteDataFileNames(same, exists).secondary.isEmpty());

    DataFileNames differentCase = same;
    differentCase.secondary = QStringLiteral("a.txt");  // the comparison is plain text
    EXPECT_EQ(CompleteDataFileNames(differentCase, exists).secondary, QStringLiteral("a.txt"));

    DataFileNames secondaryIsDefaultPrimary = base;
    secondaryIsDefaultPrimary.secondary = QStringLiteral("ICD10vex.txt");
    EXPECT_TRUE(CompleteDataFileNames(secondaryIsDefaultPrimary, exists).secondary.isEmpty());
}

TEST(DataFileNames, helpSettingsAreCorrected) {
    IniSettings s;
    s.useLocalHTMLHelp = QStringLiteral("yes");
    s.omitHtmlFilePrefix = QStringLiteral(" 1");
    s.location = QStringLiteral("docs/../help");
    const IniSettings c = CheckHelpSettings(s, QStringLiteral("/opt/vex"));
    EXPECT_EQ(c.useLocalHTMLHelp, QStringLiteral("0"));
    EXPECT_EQ(c.omitHtmlFilePrefix, QStringLiteral("0"));  // exact "0" or "1" only
    EXPECT_EQ(c.location, QStringLiteral("/opt/vex/help"));

    s.useLocalHTMLHelp = QStringLiteral("1\t");
    s.omitHtmlFilePrefix = QStringLiteral("1");
    s.location = QStringLiteral("https://example.org/x");
    const IniSettings k = CheckHelpSettings(s, QStringLiteral("/opt/vex"));
    EXPECT_EQ(k.useLocalHTMLHelp, QStringLiteral("1"));
    EXPECT_EQ(k.omitHtmlFilePrefix, QStringLiteral("1"));
    EXPECT_EQ(k.location, QStringLiteral("https://example.org/x"));

    s.location = QStringLiteral("/var/www/help");
    EXPECT_EQ(CheckHelpSettings(s, QStringLiteral("/opt/vex")).location,
              QStringLiteral("/var/www/help"));
}
