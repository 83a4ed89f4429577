#include "config/commandline.h"

#include <gtest/gtest.h>

using namespace vex;

namespace {

struct Case {
    const char* param1;
    const char* param2;
    const char* primary;
    const char* secondary;
};

// Names before the command line: "P.txt" and "S.txt".
const Case kCases[] = {
    // The forms of the examples.
    {"/F:Liste.txt", "", "Liste.txt", "S.txt"},
    {"/F1:Liste", "", "Liste.txt", "S.txt"},
    {"/Liste", "", "Liste.txt", "S.txt"},
    {"C:\\Data\\Liste.txt", "", "C:\\Data\\Liste.txt", "S.txt"},
    {"/F1:A.txt", "/F2:B.txt", "A.txt", "B.txt"},
    {"A.txt", "B.txt", "A.txt", "B.txt"},
    {"", "/F:A.txt", "A.txt", "S.txt"},
    // Switches and extension in any case; ".txt" appended when missing.
    {"/f:LISTE.TXT", "", "LISTE.TXT", "S.txt"},
    {"/F:liste", "", "liste.txt", "S.txt"},
    {"Liste", "C:\\x\\B", "Liste.txt", "C:\\x\\B.txt"},
    {"/F: Liste.txt\t", "", "P.txt", "S.txt"},  // the blank at the end hides the ".txt" end
    {"/F:  Liste.txt", "", "Liste.txt", "S.txt"},
    // ".txt" before the end meets no rule.
    {"a.txt.txt", "", "P.txt", "S.txt"},
    {"my.txtfile.txt", "b.txt.txt", "P.txt", "S.txt"},
    // Nothing in front of ".txt".
    {"/F:.txt", "", ".txt", "S.txt"},
    {"", "/F:.txt", "P.txt", "S.txt"},
    {"/F1:.txt", "", "F1:.txt", "S.txt"},  // no name after "/F1:": the general "/" form
    {".txt", "C:\\Data\\.txt", "P.txt", "S.txt"},
    {"/F2:.txt", "", "P.txt", ".txt"},
    {"", "/F2:.txt", "P.txt", "S.txt"},
    // Parameter 2 wins over parameter 1 for the primary file.
    {"/F:A.txt", "/F:B.txt", "B.txt", "S.txt"},
    {"C:\\A.txt", "/F1:B.txt", "B.txt", "S.txt"},
    {"/F2:A.txt", "/F:B.txt", "B.txt", "A.txt"},
    // Switch forms never count as plain names.
    {"/F2:B.txt", "", "P.txt", "B.txt"},
    {"/x/F2:B.txt", "", "P.txt", "S.txt"},
    {"/x\\F2:B.txt", "", "x\\F2:B.txt", "S.txt"},
    {"", "/F1:A.txt", "A.txt", "S.txt"},
    {"", "/X:A.txt", "P.txt", "S.txt"},
    // The edit switch is no name; blank parameters name nothing.
    {"/E", "", "P.txt", "S.txt"},
    {"/e", "B.txt", "P.txt", "B.txt"},
    {"A.txt", "/E", "A.txt", "S.txt"},
    {" ", "\t", "P.txt", "S.txt"},
    {" ", "B.txt", "P.txt", "B.txt"},
    {"", "", "P.txt", "S.txt"},
};

}  // namespace

TEST(CommandLine, rulesGiveTheDataFileNames) {
    for (const Case& c : kCases) {
        const CommandLineNames n =
            ApplyCommandLine(QString::fromUtf8(c.param1), QString::fromUtf8(c.param2),
                             QStringLiteral("P.txt"), QStringLiteral("S.txt"));
        EXPECT_EQ(n.primary, QString::fromUtf8(c.primary)) << c.param1 << " | " << c.param2;
        EXPECT_EQ(n.secondary, QString::fromUtf8(c.secondary)) << c.param1 << " | " << c.param2;
    }
}

TEST(CommandLine, editSwitchInAnyOfTheFirstThreeParameters) {
    EXPECT_TRUE(HasEditSwitch(QStringLiteral("/E"), {}, {}));
    EXPECT_TRUE(HasEditSwitch(QStringLiteral("A.txt"), QStringLiteral("/e"), {}));
    EXPECT_TRUE(HasEditSwitch({}, {}, QStringLiteral("/e")));
    EXPECT_FALSE(HasEditSwitch(QStringLiteral("/E "), QStringLiteral("-E"), QStringLiteral("/Ex")));
}

TEST(CommandLine, splashNameAndPicture) {
    const struct {
        const char* param1;
        const char* param2;
        const char* name;
        bool alternative;
    } cases[] = {
        {"", "", "", false},
        {"/F:ICD10vex.txt", "", "ICD10vex.txt", false},
        {"/F:Behandling-procedurer-vex.txt", "", "Behandling-procedurer-vex.txt", true},
        {"/F:icd10VEX.TXT", "", "icd10VEX.TXT", false},
        {"/F1:ICD10vex.txt", "", "F1:ICD10vex.txt", false},
        {"ICD10vex.txt", "", "", false},  // a plain name is not taken
        {"/F2:Behandling.txt", "", "", false},
        {"/Behandling.txt", "", "Behandling.txt", true},
        {"/a.txt", "", "", false},    // ".txt" must come after the fourth character
        {"/F:liste", "", "", false},  // no ".txt" is added here
        {"/F: x.txt", "", "x.txt", true},
        {"/F:A.txt", "/F:ICD-vex.txt", "ICD-vex.txt", false},
        {"x", "/F:B.txt", "B.txt", true},
        {"", "/F:B.txt", "", false},  // without parameter 1 nothing is taken
        {"x", "/F:.txt", "", false},
    };
    for (const auto& c : cases) {
        const QString name =
            SplashDataFileName(QString::fromUtf8(c.param1), QString::fromUtf8(c.param2));
        EXPECT_EQ(name, QString::fromUtf8(c.name)) << c.param1 << " | " << c.param2;
        EXPECT_EQ(SplashShowsAlternativePicture(name), c.alternative) << c.param1;
    }
    EXPECT_TRUE(SplashShowsAlternativePicture(QStringLiteral("ICD10.txt")));
    EXPECT_TRUE(SplashShowsAlternativePicture(QStringLiteral("vex.txt")));
}
