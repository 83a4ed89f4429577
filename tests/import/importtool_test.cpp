#include "childprocess.h"
#include "skslines.h"
#include "tempfiles.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>

namespace {

using vex::test::ChildRun;

ChildRun runProgram(const char* program, const QStringList& args) {
    return vex::test::runChild(QString::fromUtf8(program), args, {}, vex::test::childEnvironment(),
                               60000);
}

}  // namespace

// The publisher's file in, the query tool finds a code of 2020 in the list written.
TEST(ImportTool, importedListIsSearchedByTheQueryTool) {
    using vex::test::sksLine;
    QTemporaryDir dir;
    QByteArray sks;
    for (const QString& line : {
             sksLine("dia", "DU07", "20200301", "20200301", "", "COVID-19"),
             sksLine("dia", "DU071", "20200301", "20220101", "", "COVID-19, virus påvist"),
             sksLine("dia", "DA00", "19940101", "19940101", "", "Kolera"),
             sksLine("opr", "KAAA10", "19960101", "19960101", "", "Kraniotomi"),
         }) {
        sks += line.toUtf8() + '\n';
    }
    const QString input = vex::test::writeFile(dir, "SKScomplete.txt", sks);
    const QString out = dir.filePath("lister");

    const ChildRun old = runProgram(VEX_IMPORT_TOOL, {"--valid-on", "2018-10-01", input, out});
    // Nothing of 2020 is valid in 2018: no diagnosis for the primary list but Kolera.
    ASSERT_EQ(old.exitCode, 0) << old.err.constData();
    const ChildRun before = runProgram(VEX_QUERY_TOOL, {out + "/ICD10vex.txt", "covid"});
    EXPECT_TRUE(before.out.endsWith("end\t0\n")) << before.out.constData();

    EXPECT_EQ(runProgram(VEX_IMPORT_TOOL, {"--valid-on=2025-01-01", input, out}).exitCode, 3);
    const ChildRun now =
        runProgram(VEX_IMPORT_TOOL, {"--force", "--valid-on=2025-01-01", input, out});
    ASSERT_EQ(now.exitCode, 0) << now.err.constData();
    EXPECT_TRUE(now.out.contains("Gyldige pr.: 01-01-2025")) << now.out.constData();
    const ChildRun after = runProgram(VEX_QUERY_TOOL, {out + "/ICD10vex.txt", "covid"});
    EXPECT_EQ(after.exitCode, 0);
    EXPECT_TRUE(after.out.contains("hit\tDU071\tCOVID-19, virus påvist\n"))
        << after.out.constData();
    EXPECT_TRUE(after.out.endsWith("end\t2\n"));
}

TEST(ImportTool, exitStatusTellsWhatWentWrong) {
    QTemporaryDir dir;
    EXPECT_EQ(runProgram(VEX_IMPORT_TOOL, {}).exitCode, 2);
    EXPECT_EQ(runProgram(VEX_IMPORT_TOOL, {"--valid-on", "2025-02-30", "a", "b"}).exitCode, 2);
    EXPECT_EQ(runProgram(VEX_IMPORT_TOOL, {"--bogus", "a", "b"}).exitCode, 2);
    const ChildRun missing =
        runProgram(VEX_IMPORT_TOOL, {dir.filePath("none.txt"), dir.filePath("out")});
    EXPECT_EQ(missing.exitCode, 1);
    EXPECT_TRUE(missing.err.contains("Ingen lister er skrevet.")) << missing.err.constData();
    const ChildRun help = runProgram(VEX_IMPORT_TOOL, {"--help"});
    EXPECT_EQ(help.exitCode, 0);
    EXPECT_TRUE(help.out.contains("--valid-on"));
}
