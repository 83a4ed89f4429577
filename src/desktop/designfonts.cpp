#include "desktop/designfonts.h"

#include <QDir>
#include <QFile>
#include <QFontDatabase>
#include <QStringList>

namespace vex {

namespace {

struct FontFile {
    const char* family;
    const char* file;
};

constexpr FontFile kFontFiles[] = {
    {"Tahoma", "tahoma.ttf"},
    {"Tahoma", "tahomabd.ttf"},
    {"MS Sans Serif", "ms_sans_serif.ttf"},
};

}  // namespace

QString InstalledFontFamily(const QString& family) {
    const QStringList families = QFontDatabase::families();
    for (const QString& known : families) {
        if (known.compare(family, Qt::CaseInsensitive) == 0 ||
            known.startsWith(family + QStringLiteral(" ["), Qt::CaseInsensitive)) {
            return known;
        }
    }
    return QString();
}

void RegisterDesignFonts(const QString& folder) {
    QStringList missing;
    for (const FontFile& f : kFontFiles) {
        const QString family = QLatin1String(f.family);
        if (!missing.contains(family) && InstalledFontFamily(family).isEmpty()) {
            missing << family;
        }
    }
    const QDir dir(folder);
    for (const FontFile& f : kFontFiles) {
        const QString path = dir.filePath(QLatin1String(f.file));
        if (missing.contains(QLatin1String(f.family)) && QFile::exists(path)) {
            QFontDatabase::addApplicationFont(path);
        }
    }
}

}  // namespace vex
