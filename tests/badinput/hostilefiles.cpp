#include "hostilefiles.h"

#include "data/datafile.h"
#include "listfiles.h"

#include <QDir>
#include <QFile>
#include <QString>

#include <sys/stat.h>

namespace vex::test {

namespace {

QByteArray utf16(const QString& text, bool littleEndian) {
    QByteArray out;
    for (const QChar c : text) {
        const char lo = char(c.unicode() & 0xFF);
        const char hi = char(c.unicode() >> 8);
        out.append(littleEndian ? lo : hi).append(littleEndian ? hi : lo);
    }
    return out;
}

}  // namespace

QByteArray HostileHeaderLine() {
    return HeaderLineBytes();
}

QByteArray HostileRecord(const QByteArray& code, const QByteArray& text) {
    return code + "\t\t" + text + "\t1\t\t\t\t\t\r\n";
}

const std::vector<HostileFile>& HostileFiles() {
    static const std::vector<HostileFile> files = {
        {"empty", HostileKind::File, [] { return QByteArray(); }, HostileOutcome::Empty},
        {"binary", HostileKind::File,
         [] {
             QByteArray b;
             for (int i = 0; i < 1024; ++i) {
                 b.append(char(i & 0xFF));
             }
             return b;
         },
         HostileOutcome::HeaderRefused},
        {"NUL bytes", HostileKind::File, [] { return QByteArray(65536, '\0'); },
         HostileOutcome::NoTab},
        {"5 MB record line", HostileKind::File,
         [] { return HostileHeaderLine() + HostileRecord("DZ999", QByteArray(5 << 20, 'x')); },
         HostileOutcome::Loads, "DZ999", "hit\tDZ999\t" + QByteArray(255, 'x') + '\n'},
        {"5 MB line without line end or tab", HostileKind::File,
         [] { return QByteArray(5 << 20, 'y'); }, HostileOutcome::NoTab},
        {"invalid UTF-8 after a byte-order mark", HostileKind::File,
         [] {
             return "\xEF\xBB\xBF" + HostileHeaderLine() +
                    HostileRecord("DZ100", "Fejl \xC3\x28 \xFF \xED\xA0\x80 \xF4\x90\x80\x80 slut");
         },
         HostileOutcome::Loads, "DZ100",
         "hit\tDZ100\tFejl \xEF\xBF\xBD( \xEF\xBF\xBD \xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD "
         "\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD slut\n"},
        {"UTF-16LE with a lone surrogate and an odd last byte", HostileKind::File,
         [] {
             const QString text =
                 QString::fromUtf8(HostileHeaderLine() + HostileRecord("DZ101", "Ulige X tekst"))
                     .replace(QLatin1Char('X'), QChar(0xD800));
             return "\xFF\xFE" + utf16(text, true) + "A";
         },
         HostileOutcome::Loads, "DZ101", "hit\tDZ101\tUlige ? tekst\n"},
        {"UTF-16BE with an odd last byte", HostileKind::File,
         [] {
             return "\xFE\xFF" +
                    utf16(QString::fromUtf8(HostileHeaderLine() +
                                            HostileRecord("DZ105", "Stor ende")),
                          false) +
                    "B";
         },
         HostileOutcome::Loads, "DZ105", "hit\tDZ105\tStor ende\n"},
        {"100,000 tabs in a record", HostileKind::File,
         [] { return HostileHeaderLine() + "DZ102" + QByteArray(100000, '\t') + "\r\n"; },
         HostileOutcome::Loads, "DZ102", "hit\tDZ102\t\n"},
        {"100,000 tabs as the header", HostileKind::File,
         [] { return QByteArray(100000, '\t') + "\r\n" + HostileRecord("DZ103", "x"); },
         HostileOutcome::HeaderRefused},
        // One line only is read again as UTF-16, where it has no tab.
        {"header only", HostileKind::File, [] { return HostileHeaderLine(); },
         HostileOutcome::NoTab},
        {"header and information record only", HostileKind::File,
         [] { return HostileHeaderLine() + "0000\t\t01-10-2018 - udgiver\r\n"; },
         HostileOutcome::NoRecords},
        {"2,000,000 empty lines", HostileKind::File,
         [] {
             return HostileHeaderLine() + QByteArray(2000000, '\n') +
                    HostileRecord("DZ104", "sidst");
         },
         HostileOutcome::Loads, "sidst", "hit\tDZ104\tsidst\n"},
        {"a folder", HostileKind::Folder, nullptr, HostileOutcome::CannotOpen},
        {"a named pipe", HostileKind::Pipe, nullptr, HostileOutcome::CannotOpen},
        {"a link to an endless device", HostileKind::DeviceLink, nullptr,
         HostileOutcome::CannotOpen},
        {"larger than the limit", HostileKind::Oversized, nullptr, HostileOutcome::CannotOpen},
    };
    return files;
}

bool MakeHostileFile(const HostileFile& f, const QString& path) {
    switch (f.kind) {
        case HostileKind::File: {
            QFile file(path);
            const QByteArray bytes = f.bytes();
            return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
        }
        case HostileKind::Folder:
            return QDir().mkpath(path);
        case HostileKind::Pipe:
            return ::mkfifo(QFile::encodeName(path).constData(), 0600) == 0;
        case HostileKind::DeviceLink:
            return QFile::link(QStringLiteral("/dev/zero"), path);
        case HostileKind::Oversized: {
            QFile file(path);
            return file.open(QIODevice::WriteOnly) && file.write(HostileHeaderLine()) > 0 &&
                   file.resize(MaxDataFileSize + 1);
        }
    }
    return false;
}

}  // namespace vex::test
