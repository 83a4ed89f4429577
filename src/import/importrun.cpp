#include "import/importrun.h"

#include "base/ansicodepage.h"
#include "base/textutil.h"
#include "import/codeselection.h"
#include "import/importreport.h"
#include "import/listformat.h"
#include "import/sksfilereader.h"
#include "import/sksline.h"
#include "import/stagedfile.h"

#include <QDir>

#include <optional>

namespace vex {

namespace {

// Longer codes do not fit the program's result table.
constexpr qsizetype kMaxCodeLength = 10;
// Bad lines shown before the rest is only counted.
constexpr int kShownErrors = 20;

ImportOutcome failed(ImportStatus status, const QString& message) {
    ImportOutcome out;
    out.status = status;
    out.messages = message + QStringLiteral("\nIngen lister er skrevet.\n");
    return out;
}

QString encodingName(SksFileReader::Encoding encoding) {
    switch (encoding) {
        case SksFileReader::Encoding::Utf8:
            return QStringLiteral("UTF-8");
        case SksFileReader::Encoding::Utf8WithMark:
            return QStringLiteral("UTF-8 med byte-order-mærke");
        case SksFileReader::Encoding::Windows1252:
            break;
    }
    return QStringLiteral("Windows-1252");
}

// Reads every line into the selection and the facts; the bad lines, the first of them with
// their messages.
struct BadLines {
    QStringList shown;
    qint64 count = 0;
};

BadLines readFile(SksFileReader& reader, CodeSelection& selection, ImportFacts& facts) {
    BadLines bad;
    const auto reject = [&bad](qint64 line, const QString& message) {
        if (++bad.count <= kShownErrors) {
            bad.shown << QStringLiteral("linje %1: %2").arg(line).arg(message);
        }
    };
    SksFileReader::Line line;
    while (reader.next(line)) {
        ++facts.lines;
        if (trimmedView32(line.text).isEmpty()) {
            ++facts.blank;
            continue;
        }
        if (line.badUtf8) {
            reject(line.number, QStringLiteral("bytes der ikke er UTF-8 i en fil med UTF-8-mærke"));
            continue;
        }
        const SksLineParse parsed = parseSksLine(line.text);
        if (!parsed.line) {
            reject(line.number, parsed.error);
            continue;
        }
        const SksLine& record = *parsed.line;
        KindCount& kind = facts.kinds[record.kind];
        ++kind.lines;
        if (!facts.releaseDate.isValid() || record.lastChange > facts.releaseDate) {
            facts.releaseDate = record.lastChange;
        }
        if (targetListOf(record.code) == TargetList::None) {
            ++kind.skipped;
            continue;
        }
        if (record.code.size() > kMaxCodeLength) {
            reject(line.number, QStringLiteral("koden \"%1\" har %2 tegn; listerne rummer højst %3")
                                    .arg(record.code)
                                    .arg(record.code.size())
                                    .arg(kMaxCodeLength));
            continue;
        }
        selection.add(record, line.number);
    }
    return bad;
}

// Why the file gives no lists, if it gives none.
std::optional<QString> inputProblem(const ImportOptions& options, const SksFileReader& reader,
                                    const BadLines& bad, const ImportFacts& facts,
                                    const CodeSelection::Result& result) {
    if (!reader.error().isEmpty()) {
        return reader.error();
    }
    if (bad.count > 0) {
        QString message =
            QStringLiteral("SKS-filen [ %1 ] har %2 fejl:\n").arg(options.input).arg(bad.count);
        message += bad.shown.join(u'\n');
        if (bad.count > kShownErrors) {
            message += QStringLiteral("\n... og %1 fejl mere").arg(bad.count - kShownErrors);
        }
        return message;
    }
    if (facts.lines == facts.blank) {
        return QStringLiteral("SKS-filen [ %1 ] er tom.").arg(options.input);
    }
    if (result.primary.isEmpty() || result.secondary.isEmpty()) {
        return QStringLiteral("SKS-filen [ %1 ] har ingen %2, der er gyldige pr. %3.")
            .arg(options.input,
                 result.primary.isEmpty()
                     ? QStringLiteral("diagnosekoder (D)")
                     : QStringLiteral("behandlings-, operations- eller procedurekoder (B, K, U)"),
                 dayText(options.validOn));
    }
    return std::nullopt;
}

// Writes one list to its staged file.
bool writeList(StagedFile& file, TargetList list, ListEncoding encoding,
               const QList<ChosenCode>& codes, const ImportFacts& facts, QString& error) {
    if (!file.open(error)) {
        return false;
    }
    if (encoding == ListEncoding::Utf8WithMark) {
        file.write("\xEF\xBB\xBF");
    }
    file.write(encodedListLine(listHeaderLine(), list, encoding));
    file.write(
        encodedListLine(listInfoLine(list, facts.releaseDate, facts.validOn), list, encoding));
    for (const ChosenCode& c : codes) {
        file.write(encodedListLine(listRecordLine(c.code, c.text), list, encoding));
    }
    return file.finish(error);
}

// Makes the folder when it is missing, readable by every user whatever the umask.
bool makeFolder(const QDir& dir) {
    return dir.exists() ||
           (QDir().mkpath(dir.absolutePath()) &&
            QFile::setPermissions(dir.absolutePath(),
                                  QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                      QFileDevice::ExeOwner | QFileDevice::ReadGroup |
                                      QFileDevice::ExeGroup | QFileDevice::ReadOther |
                                      QFileDevice::ExeOther));
}

// Writes both lists beside their places and then renames them into place.
ImportOutcome writeLists(const ImportOptions& options, const CodeSelection::Result& result,
                         const ImportFacts& facts) {
    // Windows-1252 holds the Danish letters; a text it cannot hold makes the primary list
    // UTF-8 (with its mark, so the program reads it as such) rather than lose a character.
    const ListEncoding primaryEncoding =
        facts.notWindows1252.isEmpty() ? ListEncoding::Windows1252 : ListEncoding::Utf8WithMark;
    if (!makeFolder(QDir(options.outDir))) {
        return failed(ImportStatus::BadOutput,
                      QStringLiteral("Kan ikke oprette mappen [ %1 ].").arg(options.outDir));
    }
    StagedFile primary(facts.primaryPath);
    StagedFile secondary(facts.secondaryPath);
    QString error;
    if (!writeList(primary, TargetList::Primary, primaryEncoding, result.primary, facts, error) ||
        !writeList(secondary, TargetList::Secondary, ListEncoding::Utf8WithMark, result.secondary,
                   facts, error) ||
        !primary.commit(options.force, error)) {
        return failed(ImportStatus::BadOutput, error);
    }
    if (!secondary.commit(options.force, error)) {
        ImportOutcome out;
        out.status = ImportStatus::BadOutput;
        out.messages = error + QStringLiteral(
                                   "\nDen primære liste [ %1 ] er skrevet, den "
                                   "sekundære ikke; kør importen igen.\n")
                                   .arg(facts.primaryPath);
        return out;
    }
    return ImportOutcome{};
}

}  // namespace

ImportOutcome runImport(const ImportOptions& options) {
    ImportFacts facts;
    facts.input = options.input;
    facts.validOn = options.validOn;
    const QDir dir(options.outDir);
    facts.primaryPath = dir.filePath(listFileName(TargetList::Primary));
    facts.secondaryPath = dir.filePath(listFileName(TargetList::Secondary));
    if (!options.force) {
        for (const QString& path : {facts.primaryPath, facts.secondaryPath}) {
            if (pathIsTaken(path)) {
                return failed(
                    ImportStatus::BadOutput,
                    QStringLiteral("[ %1 ] findes allerede; brug --force for at erstatte listerne.")
                        .arg(path));
            }
        }
    }

    SksFileReader reader;
    if (!reader.open(options.input)) {
        return failed(ImportStatus::BadInput, reader.error());
    }
    facts.encoding = encodingName(reader.encoding());
    CodeSelection selection(options.validOn);
    const BadLines bad = readFile(reader, selection, facts);
    const CodeSelection::Result result = selection.take();
    if (const std::optional<QString> problem = inputProblem(options, reader, bad, facts, result)) {
        return failed(ImportStatus::BadInput, *problem);
    }

    for (const QList<ChosenCode>* list : {&result.primary, &result.secondary}) {
        for (const ChosenCode& c : *list) {
            KindCount& kind = facts.kinds[c.kind];
            ++(list == &result.primary ? kind.primary : kind.secondary);
            if (c.fullWidth) {
                facts.fullWidth << c.line;
            }
            if (list == &result.primary && !(fitsWindows1252(c.code) && fitsWindows1252(c.text))) {
                facts.notWindows1252 << c.line;
            }
        }
    }
    facts.primaryCodes = result.primary.size();
    facts.secondaryCodes = result.secondary.size();
    facts.closedEnded = result.closedEnded;
    facts.closedNotYetValid = result.closedNotYetValid;
    facts.overlapping = result.overlapping;
    facts.ties = result.ties;

    ImportOutcome out = writeLists(options, result, facts);
    if (out.status == ImportStatus::Written) {
        out.report = importReport(facts);
    }
    return out;
}

}  // namespace vex
