#pragma once

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QString>

#include <optional>

namespace vex {

// An INI file as the program reads it: "[section]" lines, "key = value" lines and ";" comment
// lines. Section and key names are compared without regard to case; blanks around the "=" and
// around the value are not part of the value; a value enclosed in matching quotes loses them;
// values are cut at MaxValueLength characters. When a key occurs twice in a section, the first
// one counts; a section that occurs again continues the first one. Bytes are UTF-8 or UTF-16
// after a byte-order mark; without one, by decodeNoMarkText (base/textencoding.h).
class IniDocument {
public:
    static constexpr qsizetype MaxValueLength = 2047;
    // Larger files are not read: the program's own file has some 30 lines.
    static constexpr qint64 MaxFileSize = 4 * 1024 * 1024;

    static IniDocument fromBytes(const QByteArray& bytes);
    // nullopt when the file cannot be read: missing, unreadable, not a regular file (a named
    // pipe or a device is never read from) or larger than MaxFileSize.
    static std::optional<IniDocument> fromFile(const QString& path);

    // The value of the key, or nullopt when the section or the key is missing.
    std::optional<QString> value(const QString& section, const QString& key) const;

private:
    // Sections and keys by their upper-case names; the first value of a key counts.
    QHash<QString, QHash<QString, QString>> sections_;
};

// Decodes file bytes: UTF-8 or UTF-16 after their byte-order mark; without one, UTF-8 when the
// bytes are valid UTF-8, otherwise Windows-1252.
QString decodeIniBytes(const QByteArray& bytes);

}  // namespace vex
