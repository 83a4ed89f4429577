// Two or three command-line parameters through the command-line rules, the edit switch and the
// splash screen's choice of picture. Parameters are separated by NUL bytes in the input.

#include "config/commandline.h"
#include "config/datafilenames.h"
#include "fuzzsupport.h"

#include "base/textutil.h"

using namespace vex;
using namespace vex::fuzz;

namespace {

bool endsWithTxt(const QString& name) {
    return name.endsWith(QLatin1String(".txt"), Qt::CaseInsensitive);
}

bool trimmedAlready(const QString& name) {
    return trimmed32(name) == name;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 1) {
        return 0;
    }
    const bool asUtf16 = (data[0] & 1) != 0;
    const QList<QByteArrayView> parts = splitBytes(bytesOf(data + 1, size - 1), '\0', 3);
    QString params[3];
    for (qsizetype i = 0; i < parts.size(); ++i) {
        params[i] = textFromBytes(parts.at(i), asUtf16);
    }

    const QString primary = QStringLiteral("ICD10vex.txt");
    const QString secondary = QStringLiteral(" data/Behandling-procedurer-vex.txt ");
    const CommandLineNames names = ApplyCommandLine(params[0], params[1], primary, secondary);
    if (trimmed32(params[0]).isEmpty() && trimmed32(params[1]).isEmpty()) {
        VEX_FUZZ_CHECK(names.primary == primary && names.secondary == secondary);
    }
    // A name the rules set is trimmed and ends in ".txt".
    if (names.primary != primary) {
        VEX_FUZZ_CHECK(trimmedAlready(names.primary) && endsWithTxt(names.primary));
    }
    if (names.secondary != secondary) {
        VEX_FUZZ_CHECK(trimmedAlready(names.secondary) && endsWithTxt(names.secondary));
    }

    const bool edit = HasEditSwitch(params[0], params[1], params[2]);
    VEX_FUZZ_CHECK(edit == (upper(params[0]) == QLatin1String("/E") ||
                            upper(params[1]) == QLatin1String("/E") ||
                            upper(params[2]) == QLatin1String("/E")));

    const QString splashName = SplashDataFileName(params[0], params[1]);
    if (!splashName.isEmpty()) {
        VEX_FUZZ_CHECK(trimmedAlready(splashName));
    }
    (void)SplashShowsAlternativePicture(splashName);
    (void)SplashShowsAlternativePicture(params[2]);

    DataFileNames files;
    files.primary = names.primary;
    files.secondary = names.secondary;
    files.defaultPrimary = primary;
    files.defaultSecondary = secondary;
    const DataFileNames complete =
        CompleteDataFileNames(files, [](const QString& name) { return !name.isEmpty(); });
    VEX_FUZZ_CHECK(!complete.primary.isEmpty());
    VEX_FUZZ_CHECK(complete.secondary != complete.primary || complete.secondary.isEmpty());
    return 0;
}
