#pragma once

#include <QByteArray>
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

    static IniDocument fromBytes(const QByteArray& bytes);
    // An unreadable or missing file gives an empty document.
    static IniDocument fromFile(const QString& path);

    // The value of the key, or nullopt when the section or the key is missing.
    std::optional<QString> value(const QString& section, const QString& key) const;

private:
    struct Entry {
        QString key;
        QString value;
    };
    struct Section {
        QString name;
        QList<Entry> entries;
    };
    QList<Section> sections_;
};

// Decodes file bytes: UTF-8 or UTF-16 after their byte-order mark; without one, UTF-8 when the
// bytes are valid UTF-8, otherwise Windows-1252.
QString decodeIniBytes(const QByteArray& bytes);

}  // namespace vex
