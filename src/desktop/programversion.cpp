#include "desktop/programversion.h"

#if __has_include("version.h")
#include "version.h"
#endif

namespace vex {

std::optional<FileVersion> CompiledFileVersion() {
#if defined(VEX_VERSION_MAJOR) && defined(VEX_VERSION_MINOR) && defined(VEX_VERSION_PATCH) && \
    defined(VEX_VERSION_TWEAK)
    // A component the build left empty reads as 0.
    return FileVersion{quint16(VEX_VERSION_MAJOR + 0), quint16(VEX_VERSION_MINOR + 0),
                       quint16(VEX_VERSION_PATCH + 0), quint16(VEX_VERSION_TWEAK + 0)};
#else
    return std::nullopt;
#endif
}

QString FileVersionText(int count, const std::optional<FileVersion>& version) {
    if (!version) {
        return QString::fromUtf16(VersionNotDeclared);
    }
    const QString major = QString::number(version->major);
    const QString minor = QString::number(version->minor);
    const QString release = QString::number(version->release);
    const QString build = QString::number(version->build);
    const QLatin1Char dot('.');
    switch (count) {
        case 1:
            return major;
        case 2:
            return major + dot + minor;
        case 3:
            return major + dot + minor + dot + release;
        case 4:
            return major + dot + minor + dot + release + dot + build;
        case 5:
            return build;
        default:
            return {};
    }
}

QString FileVersionText(int count) {
    return FileVersionText(count, CompiledFileVersion());
}

}  // namespace vex
