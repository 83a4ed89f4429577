#include <gtest/gtest.h>

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <QToolButton>

#include "desktop/informationbox.h"
#include "keyfixture.h"

namespace vex::test {
namespace {

// The lines of the box that tell about the data file: from "Datafil" up to the empty line
// before the program's distribution.
QStringList DataFileLines(const Message& box) {
    const qsizetype from = box.lines.indexOf(QRegularExpression("Datafil: .*"));
    const qsizetype to = box.lines.indexOf(QStringLiteral("Program distribution:"));
    return from < 0 || to < 0 ? QStringList() : box.lines.mid(from, to - from);
}

class InfoButtonTest : public ::testing::Test {
protected:
    Message clickInfo() {
        f.dialogs.shown.clear();
        QTest::mouseClick(f.ui().btnInfo, Qt::LeftButton);
        return f.dialogs.shown.value(0);
    }
    QString shortDate(const QString& file) {
        return f.window().data().locale.toString(
            QFileInfo(f.dir_.filePath(file)).lastModified().date(), QLocale::ShortFormat);
    }
    QString fullPath(const QString& file) {
        return QDir::toNativeSeparators(QFileInfo(f.dir_.filePath(file)).absoluteFilePath());
    }

    KeyWindowFixture f;
};

TEST_F(InfoButtonTest, ShowsTheProgramAndTheDataFileInUse) {
    f.writeList("ICD10vex.txt", KeyTestRecords(),
                "01-10-2018 - Testudgiver - SST-liste:15-09-2018 - www.example.dk - Red:  lokal  ");
    ASSERT_EQ(f.startAndShow(), StartupOutcome::Ready);
    const Message box = clickInfo();
    EXPECT_EQ(box.kind, MessageKind::Information);
    EXPECT_EQ(box.buttons, ButtonOk);
    EXPECT_EQ(box.lines.value(0), "Vex - Diagnoseliste-program");
    EXPECT_EQ(box.lines.value(6),
              "[" + QDir::toNativeSeparators(f.folder()) + QDir::separator() + "]");
    const QLocale& locale = f.window().data().locale;
    EXPECT_EQ(
        DataFileLines(box),
        (QStringList{
            "Datafil: [ " + fullPath("ICD10vex.txt") + " ]",
            "Udsendelses-dato: " + locale.toString(QDate(2018, 10, 1), QLocale::ShortFormat),
            "Dato for SST basisliste: " + locale.toString(QDate(2018, 9, 15), QLocale::ShortFormat),
            "Sidste fil-skrivning: " + shortDate("ICD10vex.txt"), "Udsendt af: Testudgiver",
            "Redigeret: lokal", "www.example.dk", ""}));
}

TEST_F(InfoButtonTest, FileWithoutInformationRecordLeavesTheLabelsAlone) {
    f.writeList("ICD10vex.txt", KeyTestRecords(), QString());
    ASSERT_EQ(f.startAndShow(), StartupOutcome::Ready);
    EXPECT_EQ(DataFileLines(clickInfo()),
              (QStringList{"Datafil: [ " + fullPath("ICD10vex.txt") + " ]",
                           "Udsendelses-dato: ", "Dato for SST basisliste: ",
                           "Sidste fil-skrivning: " + shortDate("ICD10vex.txt"), "Udsendt af: ", "",
                           ""}));
}

TEST_F(InfoButtonTest, AfterASwitchShowsTheOtherFile) {
    ASSERT_TRUE(f.startWith(KeyTestRecords(), true));
    f.press(Qt::Key_D, Qt::ControlModifier);
    const QStringList lines = DataFileLines(clickInfo());
    ASSERT_GE(lines.size(), 5);
    EXPECT_EQ(lines.at(0), "Datafil: [ " + fullPath("Behandling-procedurer-vex.txt") + " ]");
    EXPECT_EQ(lines.at(1), "Udsendelses-dato: " + f.window().data().locale.toString(
                                                      QDate(2018, 10, 15), QLocale::ShortFormat));
    EXPECT_EQ(lines.at(3), "Sidste fil-skrivning: " + shortDate("Behandling-procedurer-vex.txt"));
    EXPECT_EQ(lines.at(4), "Udsendt af: Udgiver");
}

}  // namespace
}  // namespace vex::test
