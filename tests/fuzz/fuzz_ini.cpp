// INI file bytes through the reader and everything the start-up makes of its values: the
// settings, the data-file names, the help settings, the grid-theme flag and the window colour.
// The bytes are also read from a file by the start-up's own path, which must never write to
// an existing file.

#include "base/ansicodepage.h"
#include "config/datafilenames.h"
#include "config/inidocument.h"
#include "config/inisettings.h"
#include "fuzzsupport.h"

#include <QFile>
#include <QLocale>
#include <QTemporaryDir>

using namespace vex;
using namespace vex::fuzz;

namespace {

const QTemporaryDir& tempDir() {
    static const QTemporaryDir dir;
    return dir;
}

QByteArray readAll(const QString& path) {
    QFile f(path);
    VEX_FUZZ_CHECK(f.open(QIODevice::ReadOnly));
    return f.readAll();
}

void checkColor(const QString& text) {
    for (const QLocale& locale : {QLocale::c(), QLocale(QLocale::Danish, QLocale::Denmark),
                                  QLocale(QLocale::Arabic, QLocale::Egypt)}) {
        if (const std::optional<RgbColor> color = ParseCustomWindowColor(text, locale)) {
            for (const int c : {color->red, color->green, color->blue}) {
                VEX_FUZZ_CHECK(c >= 0 && c <= 255);
            }
        }
    }
}

bool startsWithMark(const QByteArray& bytes) {
    return bytes.startsWith("\xEF\xBB\xBF") || bytes.startsWith("\xFF\xFE") ||
           bytes.startsWith("\xFE\xFF");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray bytes = bytesOf(data, size).toByteArray();

    // Without a mark nothing is lost: valid UTF-8 encodes back as UTF-8, and the 8-bit code page
    // holds every byte.
    if (!startsWithMark(bytes)) {
        const QString text = decodeIniBytes(bytes);
        VEX_FUZZ_CHECK(text.toUtf8() == bytes || encodeWindows1252(text) == bytes);
    }

    const IniDocument doc = IniDocument::fromBytes(bytes);
    for (const char16_t* section :
         {ini::SectionDefaultDatafiles, ini::SectionAppearance, ini::SectionDatafile01,
          ini::SectionAppHelp, ini::SectionAppWebHelp}) {
        for (const char16_t* key : {ini::KeyDataFolder, ini::KeyDatafile01, ini::KeyDatafile02,
                                    ini::KeyFormCustomColorRGB, ini::KeyLocation}) {
            if (const std::optional<QString> v =
                    doc.value(QString::fromUtf16(section), QString::fromUtf16(key))) {
                VEX_FUZZ_CHECK(v->size() <= IniDocument::MaxValueLength);
            }
        }
    }

    const QString path = tempDir().filePath(QStringLiteral("vexdiagnose.ini"));
    {
        QFile f(path);
        VEX_FUZZ_CHECK(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        VEX_FUZZ_CHECK(f.write(bytes) == bytes.size());
    }
    const IniSettings settings = LoadIniFile(path, QStringLiteral("vexdiagnose"));
    VEX_FUZZ_CHECK(readAll(path) == bytes);

    (void)ParseGridThemeFlag(settings.formCustomColorRGB);
    (void)ParseGridThemeFlag(settings.datafile01);
    checkColor(settings.formCustomColorRGB);
    checkColor(QString::fromLatin1(bytes.left(64)));

    const DataFileNames fromIni = DataFileNamesFromIni(settings);
    const DataFileNames complete =
        CompleteDataFileNames(fromIni, [](const QString& name) { return name.size() % 2 == 0; });
    VEX_FUZZ_CHECK(!complete.primary.isEmpty());
    VEX_FUZZ_CHECK(complete.secondary != complete.primary || complete.secondary.isEmpty());

    const IniSettings help = CheckHelpSettings(settings, tempDir().path());
    VEX_FUZZ_CHECK(help.useLocalHTMLHelp == QLatin1String("0") ||
                   help.useLocalHTMLHelp == QLatin1String("1"));
    VEX_FUZZ_CHECK(help.omitHtmlFilePrefix == QLatin1String("0") ||
                   help.omitHtmlFilePrefix == QLatin1String("1"));
    return 0;
}
