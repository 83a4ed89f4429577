#include "import/importrun.h"
#include "base/ansicodepage.h"
#include "base/columns.h"
#include "data/datafile.h"
#include "data/inforecord.h"
#include "skslines.h"
#include "tempfiles.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <sys/stat.h>

using namespace vex;
using vex::test::sksLine;
using vex::test::trimmedSksLine;

namespace {

QByteArray readBytes(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

class ImportRunTest : public ::testing::Test {
protected:
    // A small file in the publisher's layout, Windows-1252 with CR LF.
    QString writeSks(const QStringList& lines, const char* newline = "\r\n") {
        QByteArray bytes;
        for (const QString& l : lines) {
            bytes += encodeWindows1252(l) + newline;
        }
        return test::writeFile(dir, "SKScomplete.txt", bytes);
    }
    ImportOutcome import(const QString& input, bool force = false) {
        return runImport(ImportOptions{input, out(), QDate(2025, 1, 1), force});
    }
    QString out() const { return dir.filePath("lister"); }
    QString primary() const { return out() + "/ICD10vex.txt"; }
    QString secondary() const { return out() + "/Behandling-procedurer-vex.txt"; }

    QTemporaryDir dir;
    const QStringList goodLines{
        sksLine("dia", "DA00", "19940101", "19940101", "", "Kolera"),
        sksLine("dia", "DA000", "19940101", "20240517", "", "Kolera forårsaget af Vibrio cholerae"),
        sksLine("dia", "DU071", "20200301", "20200301", "", "COVID-19, virus påvist"),
        sksLine("dia", "DZ999", "19940101", "19940101", "20200101", "Lukket kode"),
        sksLine("opr", "KAAA10", "19960101", "19960101", "", "Kraniotomi med \"citat\"\tog tab"),
        trimmedSksLine("beh", "BA", "19960101", "19960101", "", "Nervesystemet"),
        sksLine("und", "UXA", "19960101", "20241202", "", "Røntgenundersøgelser"),
        sksLine("atc", "MA01", "19960101", "20241210", "", "Midler mod mund- og tandsygdomme"),
        QString(),
    };
};

}  // namespace

TEST_F(ImportRunTest, writesBothListsInTheBundledFormats) {
    const ImportOutcome outcome = import(writeSks(goodLines));
    ASSERT_EQ(outcome.status, ImportStatus::Written) << outcome.messages.toStdString();

    const QByteArray p = readBytes(primary());
    const QByteArray s = readBytes(secondary());
    EXPECT_FALSE(p.startsWith("\xEF\xBB\xBF"));
    EXPECT_TRUE(p.endsWith("\r\n"));
    EXPECT_EQ(p.count('\n'), p.count("\r\n"));
    EXPECT_TRUE(p.contains("for\xE5rsaget"));  // Windows-1252
    EXPECT_TRUE(s.startsWith("\xEF\xBB\xBF"));
    EXPECT_FALSE(s.contains('\r'));
    EXPECT_TRUE(s.contains("R\xC3\xB8ntgen"));  // UTF-8

    QStringList shipped;
    ASSERT_TRUE(ReadDataFile(shipped, test::bundledListsDir() + "/ICD10vex.txt"));
    QStringList lines;
    ASSERT_TRUE(ReadDataFile(lines, primary()));
    ASSERT_EQ(lines.size(), 5);
    EXPECT_EQ(lines[0], shipped[0]);
    // The information record: the newest change as release date, the day in the note.
    const InfoValues info = ParseInfoRecord(lines[1], QLocale::c());
    EXPECT_EQ(info.releaseDate, QLocale::c().toString(QDate(2024, 12, 10), QLocale::ShortFormat));
    EXPECT_EQ(info.sstListDate, info.releaseDate);
    EXPECT_EQ(info.publisher, "Sundhedsdatastyrelsen (SKS)");
    EXPECT_EQ(info.webAddress, "www.medinfo.dk/sks");
    EXPECT_TRUE(info.editNote.contains("01-01-2025")) << info.editNote.toStdString();
    // Every record line splits back into its code, text and short-list flag.
    QStringList records;
    for (const QString& line : lines.mid(2)) {
        const QStringList v = SplitColumns(line);
        ASSERT_EQ(v.size(), 9);
        records << v[0] + u'|' + v[2] + u'|' + v[3];
    }
    EXPECT_EQ(records, QStringList({"DA00|Kolera|1", "DA000|Kolera forårsaget af Vibrio cholerae|",
                                    "DU071|COVID-19, virus påvist|"}));
    ASSERT_TRUE(ReadDataFile(lines, secondary()));
    records.clear();
    for (const QString& line : lines.mid(2)) {
        const QStringList v = SplitColumns(line);
        records << v[0] + u'|' + v[2] + u'|' + v[3];
    }
    EXPECT_EQ(records,
              QStringList({"BA|Nervesystemet|1", "KAAA10|Kraniotomi med \"citat\"\tog tab|",
                           "UXA|Røntgenundersøgelser|1"}));

    // The summary counts what was done.
    for (const char* part :
         {"Primær liste: ", ": 3 koder", "Udgivelsesdato: 10-12-2024",
          "atc: 1 linjer, 1 linjer sprunget over", "Lukkede koder (udeladt): 1", "1 tomme"}) {
        EXPECT_TRUE(outcome.report.contains(QString::fromUtf8(part)))
            << part << "\n"
            << outcome.report.toStdString();
    }
}

TEST_F(ImportRunTest, listsAreReadableByEveryoneWhateverTheUmask) {
    const mode_t old = ::umask(077);
    const ImportOutcome outcome = import(writeSks(goodLines));
    ::umask(old);
    ASSERT_EQ(outcome.status, ImportStatus::Written);
    for (const QString& path : {primary(), secondary()}) {
        struct stat st {};
        ASSERT_EQ(::stat(QFile::encodeName(path).constData(), &st), 0);
        EXPECT_EQ(st.st_mode & 0777, 0644u) << path.toStdString();
    }
    EXPECT_EQ(QDir(out()).entryList(QDir::Files | QDir::Hidden).size(), 2);
}

TEST_F(ImportRunTest, existingListsAreReplacedOnlyWhenForced) {
    QDir().mkpath(out());
    test::writeFile(dir, "lister/ICD10vex.txt", "old");
    const QString input = writeSks(goodLines);
    const ImportOutcome refused = import(input);
    EXPECT_EQ(refused.status, ImportStatus::BadOutput);
    EXPECT_TRUE(refused.messages.contains("--force"));
    EXPECT_EQ(readBytes(primary()), "old");
    EXPECT_FALSE(QFile::exists(secondary()));

    ASSERT_EQ(import(input, true).status, ImportStatus::Written);
    EXPECT_TRUE(readBytes(primary()).startsWith("SKS-kode\t"));
}

TEST_F(ImportRunTest, anErrorLeavesNoListBehind) {
    QStringList bad = goodLines;
    bad.insert(3, sksLine("dia", "DA01", "20250230", "19940101", "", "Tyfus"));
    bad.append(sksLine("dia", "DA0123456789", "19940101", "19940101", "", "For lang kode"));
    bad.append(QStringLiteral("dia DA02"));
    const ImportOutcome outcome = import(writeSks(bad));
    EXPECT_EQ(outcome.status, ImportStatus::BadInput);
    for (const char* part : {"linje 4: ", "20250230", "linje 11: ", "højst 10", "linje 12: "}) {
        EXPECT_TRUE(outcome.messages.contains(QString::fromUtf8(part)))
            << part << "\n"
            << outcome.messages.toStdString();
    }
    EXPECT_FALSE(QFileInfo::exists(out()));

    // Existing lists stay as they were.
    QDir().mkpath(out());
    test::writeFile(dir, "lister/ICD10vex.txt", "old");
    EXPECT_EQ(import(writeSks(bad), true).status, ImportStatus::BadInput);
    EXPECT_EQ(readBytes(primary()), "old");
    EXPECT_EQ(QDir(out()).entryList(QDir::Files | QDir::Hidden).size(), 1);

    // A file without codes for one of the lists writes neither.
    EXPECT_EQ(import(writeSks(goodLines.mid(0, 4)), true).status, ImportStatus::BadInput);
    EXPECT_EQ(readBytes(primary()), "old");
}

TEST_F(ImportRunTest, utf8FileWithCrLineEndsAndFullWidthTexts) {
    QStringList lines = goodLines;
    const QString longText = QStringLiteral("Meget lang tekst på over hundrede og tyve tegn ")
                                 .repeated(3);  // 141 characters
    lines[1] = sksLine("dia", "DA000", "19940101", "20240517", "", "").left(47) + longText;
    QByteArray bytes;
    for (const QString& l : lines) {
        bytes += l.toUtf8() + '\r';
    }
    const ImportOutcome outcome = import(test::writeFile(dir, "utf8.txt", bytes));
    ASSERT_EQ(outcome.status, ImportStatus::Written) << outcome.messages.toStdString();
    EXPECT_TRUE(outcome.report.contains("(UTF-8, 9 linjer"));
    EXPECT_TRUE(
        outcome.report.contains(QStringLiteral("(eksporten kan have afkortet dem): 1\n"
                                               "  linje 2\n")))
        << outcome.report.toStdString();
    QStringList read;
    ASSERT_TRUE(ReadDataFile(read, primary()));
    EXPECT_EQ(SplitColumns(read[3])[2], longText.left(120).trimmed());
}
