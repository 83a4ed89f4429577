#pragma once

#include <QString>
#include <QtGlobal>

#include <optional>

namespace vex {

// The program's file version: four numbers, major.minor.release.build.
struct FileVersion {
    quint16 major = 0;
    quint16 minor = 0;
    quint16 release = 0;
    quint16 build = 0;

    bool operator==(const FileVersion&) const = default;
};

// The version compiled into the program; nullopt when the build gave none.
std::optional<FileVersion> CompiledFileVersion();

// The text shown when the version cannot be read.
inline constexpr char16_t VersionNotDeclared[] = u"(not declared)";

// The version as text with the given number of components: 1 "5", 2 "5.16", 3 "5.16.0",
// 4 "5.16.0.165", 5 the build number alone "165". "(not declared)" without a version; an
// empty text for any other count.
QString FileVersionText(int count, const std::optional<FileVersion>& version);

// The same for the version compiled into the program.
QString FileVersionText(int count);

}  // namespace vex
