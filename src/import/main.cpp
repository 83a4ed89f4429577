// vexdiagnose-import: turns the publisher's complete SKS file into the program's two lists.
#include "import/importrun.h"
#include "version.h"

#include <QFile>
#include <QStringList>

#include <cstdio>

using namespace vex;

namespace {

const char kUsage[] =
    "brug: vexdiagnose-import [--valid-on ÅÅÅÅ-MM-DD] [--force] SKSFIL MAPPE\n"
    "  SKSFIL  udgiverens komplette SKS-fil (fast feltbredde, Windows-1252 eller UTF-8)\n"
    "  MAPPE   mappen hvor ICD10vex.txt og Behandling-procedurer-vex.txt skrives\n"
    "  --valid-on ÅÅÅÅ-MM-DD  koderne der er gyldige denne dag (standard: i dag)\n"
    "  --force                erstat lister der allerede findes i mappen\n"
    "  --help                 denne tekst\n"
    "  --version              programmets version\n"
    "  --                     alle senere argumenter er SKSFIL og MAPPE\n";

void print(FILE* stream, const QString& text) {
    const QByteArray bytes = text.toUtf8();
    std::fwrite(bytes.constData(), 1, std::size_t(bytes.size()), stream);
}

int usage(const QString& error = QString()) {
    std::fputs(kUsage, stderr);
    if (!error.isEmpty()) {
        print(stderr, QStringLiteral("vexdiagnose-import: %1\n").arg(error));
    }
    return int(ImportStatus::Usage);
}

}  // namespace

int main(int argc, char** argv) {
    ImportOptions options;
    options.validOn = QDate::currentDate();
    QStringList positional;
    bool optionsEnded = false;
    for (int i = 1; i < argc; ++i) {
        const QByteArray arg(argv[i]);
        if (optionsEnded || !arg.startsWith("--")) {
            positional << QFile::decodeName(arg);
        } else if (arg == "--") {
            optionsEnded = true;
        } else if (arg == "--help") {
            std::fputs(kUsage, stdout);
            return 0;
        } else if (arg == "--version") {
            // A component the build left empty reads as 0.
            std::printf("vexdiagnose-import %d.%d.%d.%d\n", VEX_VERSION_MAJOR + 0,
                        VEX_VERSION_MINOR + 0, VEX_VERSION_PATCH + 0, VEX_VERSION_TWEAK + 0);
            return 0;
        } else if (arg == "--force") {
            options.force = true;
        } else if (arg == "--valid-on" || arg.startsWith("--valid-on=")) {
            QByteArray value;
            if (arg == "--valid-on") {
                if (++i >= argc) {
                    return usage(QStringLiteral("--valid-on mangler en dato"));
                }
                value = argv[i];
            } else {
                value = arg.mid(int(sizeof("--valid-on=")) - 1);
            }
            options.validOn = QDate::fromString(QString::fromLatin1(value), Qt::ISODate);
            if (value.size() != 10 || !options.validOn.isValid()) {
                return usage(QStringLiteral("--valid-on: \"%1\" er ikke en dato ÅÅÅÅ-MM-DD")
                                 .arg(QString::fromLocal8Bit(value)));
            }
        } else {
            return usage(QStringLiteral("ukendt tilvalg %1").arg(QString::fromLocal8Bit(arg)));
        }
    }
    if (positional.size() != 2) {
        return usage();
    }
    options.input = positional.at(0);
    options.outDir = positional.at(1);
    const ImportOutcome outcome = runImport(options);
    print(stdout, outcome.report);
    std::fflush(stdout);
    if (!outcome.messages.isEmpty()) {
        print(stderr, QStringLiteral("vexdiagnose-import: ") + outcome.messages);
    }
    return int(outcome.status);
}
