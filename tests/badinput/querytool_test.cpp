// The query tool as a child process on hostile data files and hostile search strings: every
// run ends by itself in bounded time with an exit code (no signal), gives the loader's message
// or a proper report, and leaves the files it was given as they were.

#include "childprocess.h"
#include "data/header.h"
#include "data/loadmessages.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

#include <functional>

#include <sys/stat.h>

namespace {

using namespace vex;
using vex::test::ChildRun;

// Generous: the sanitizer build runs several times slower than the normal one.
constexpr int kTimeLimitMs = 120000;

const QByteArray kHeader =
    "SKS-kode\tStjerne\tDiagnosetekst\tKorteListe\tSynonymer\tInklusiv\tStikord\tKommentarer\t"
    "Redigeret\r\n";

QByteArray record(const QByteArray& code, const QByteArray& text) {
    return code + "\t\t" + text + "\t1\t\t\t\t\t\r\n";
}

QByteArray utf16(const QString& text, bool littleEndian) {
    QByteArray out;
    for (const QChar c : text) {
        const char lo = char(c.unicode() & 0xFF);
        const char hi = char(c.unicode() >> 8);
        out.append(littleEndian ? lo : hi).append(littleEndian ? hi : lo);
    }
    return out;
}

// The header check's refusal of a header without a single usable column name.
Message noColumnNames(const QString& path) {
    FieldNames names;
    return CheckHeader(QString(), path, names).value_or(Message{});
}

enum class Kind { File, Folder, Pipe, DeviceLink };
enum class Expect { Loads, NoTab, Empty, NoRecords, CannotOpen, HeaderRefused };

struct HostileFile {
    const char* name;
    Kind kind;
    std::function<QByteArray()> bytes;
    Expect expect;
    QByteArray query = {};  // when it loads: a search string and the hit it gives
    QByteArray hitLine = {};
};

const std::vector<HostileFile>& hostileFiles() {
    static const std::vector<HostileFile> files = {
        {"empty", Kind::File, [] { return QByteArray(); }, Expect::Empty},
        {"binary", Kind::File,
         [] {
             QByteArray b;
             for (int i = 0; i < 1024; ++i) {
                 b.append(char(i & 0xFF));
             }
             return b;
         },
         Expect::HeaderRefused},
        {"NUL bytes", Kind::File, [] { return QByteArray(65536, '\0'); }, Expect::NoTab},
        {"5 MB record line", Kind::File,
         [] { return kHeader + record("DZ999", QByteArray(5 << 20, 'x')); }, Expect::Loads, "DZ999",
         "hit\tDZ999\t" + QByteArray(255, 'x') + '\n'},
        {"5 MB line without line end or tab", Kind::File, [] { return QByteArray(5 << 20, 'y'); },
         Expect::NoTab},
        {"invalid UTF-8 after a byte-order mark", Kind::File,
         [] {
             return "\xEF\xBB\xBF" + kHeader +
                    record("DZ100", "Fejl \xC3\x28 \xFF \xED\xA0\x80 \xF4\x90\x80\x80 slut");
         },
         Expect::Loads, "DZ100",
         "hit\tDZ100\tFejl \xEF\xBF\xBD( \xEF\xBF\xBD \xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD "
         "\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD slut\n"},
        {"UTF-16LE with a lone surrogate and an odd last byte", Kind::File,
         [] {
             const QString text = QString::fromUtf8(kHeader + record("DZ101", "Ulige X tekst"))
                                      .replace(QLatin1Char('X'), QChar(0xD800));
             return "\xFF\xFE" + utf16(text, true) + "A";
         },
         Expect::Loads, "DZ101", "hit\tDZ101\tUlige ? tekst\n"},
        {"UTF-16BE with an odd last byte", Kind::File,
         [] {
             return "\xFE\xFF" +
                    utf16(QString::fromUtf8(kHeader + record("DZ105", "Stor ende")), false) + "B";
         },
         Expect::Loads, "DZ105", "hit\tDZ105\tStor ende\n"},
        {"100,000 tabs in a record", Kind::File,
         [] { return kHeader + "DZ102" + QByteArray(100000, '\t') + "\r\n"; }, Expect::Loads,
         "DZ102", "hit\tDZ102\t\n"},
        {"100,000 tabs as the header", Kind::File,
         [] { return QByteArray(100000, '\t') + "\r\n" + record("DZ103", "x"); },
         Expect::HeaderRefused},
        // One line only is read again as UTF-16, where it has no tab.
        {"header only", Kind::File, [] { return kHeader; }, Expect::NoTab},
        {"header and information record only", Kind::File,
         [] { return kHeader + "0000\t\t01-10-2018 - udgiver\r\n"; }, Expect::NoRecords},
        {"2,000,000 empty lines", Kind::File,
         [] { return kHeader + QByteArray(2000000, '\n') + record("DZ104", "sidst"); },
         Expect::Loads, "sidst", "hit\tDZ104\tsidst\n"},
        {"a folder", Kind::Folder, nullptr, Expect::CannotOpen},
        {"a named pipe", Kind::Pipe, nullptr, Expect::CannotOpen},
        {"a link to an endless device", Kind::DeviceLink, nullptr, Expect::CannotOpen},
    };
    return files;
}

bool makeHostile(const HostileFile& f, const QString& path) {
    switch (f.kind) {
        case Kind::File: {
            QFile file(path);
            const QByteArray bytes = f.bytes();
            return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
        }
        case Kind::Folder:
            return QDir().mkpath(path);
        case Kind::Pipe:
            return ::mkfifo(QFile::encodeName(path).constData(), 0600) == 0;
        case Kind::DeviceLink:
            return QFile::link(QStringLiteral("/dev/zero"), path);
    }
    return false;
}

std::optional<Message> expectedMessage(Expect expect, bool secondary, const QString& path) {
    switch (expect) {
        case Expect::Loads:
            return std::nullopt;
        case Expect::NoTab:
            return secondary ? loadmsg::secondaryNoTab(path) : loadmsg::primaryNoTab(path);
        case Expect::Empty:
            return secondary ? loadmsg::secondaryEmpty(path) : loadmsg::primaryEmpty();
        case Expect::NoRecords:
            return secondary ? loadmsg::secondaryNoRecords(path) : loadmsg::primaryNoRecords();
        case Expect::CannotOpen:
            return secondary ? loadmsg::secondaryCannotOpen(path)
                             : loadmsg::primaryCannotOpen(path);
        case Expect::HeaderRefused:
            return noColumnNames(path);
    }
    return std::nullopt;
}

// The tool writes a message as its lines, one per line.
QByteArray asWritten(const Message& message) {
    return message.lines.join(QLatin1Char('\n')).toUtf8() + '\n';
}

ChildRun runQueryTool(const QStringList& arguments, const QByteArray& input = {}) {
    return vex::test::runChild(QStringLiteral(VEX_QUERY_TOOL), arguments, input,
                               vex::test::childEnvironment(), kTimeLimitMs);
}

void expectNormalEnd(const ChildRun& run) {
    EXPECT_TRUE(run.started);
    EXPECT_TRUE(run.finishedInTime) << "still running after " << kTimeLimitMs << " ms";
    EXPECT_FALSE(run.crashed) << run.err.left(4000).constData();
}

}  // namespace

TEST(HostileDataFiles, queryToolGivesTheLoadersMessageOrSearchesTheFile) {
    for (const HostileFile& f : hostileFiles()) {
        QTemporaryDir dir;
        ASSERT_TRUE(dir.isValid());
        const QString path = dir.filePath(QStringLiteral("hostile.txt"));
        ASSERT_TRUE(makeHostile(f, path)) << f.name;
        const auto before = vex::test::folderFingerprint(dir.path());

        for (const bool secondary : {false, true}) {
            SCOPED_TRACE(std::string(f.name) + (secondary ? ", secondary file" : ", primary file"));
            QStringList args;
            if (secondary) {
                args << QStringLiteral("--secondary");
            }
            args << path << QString::fromUtf8(f.query.isEmpty() ? "DZ" : f.query);
            const ChildRun run = runQueryTool(args);
            expectNormalEnd(run);

            if (const std::optional<Message> message = expectedMessage(f.expect, secondary, path)) {
                EXPECT_EQ(run.exitCode, 1);
                EXPECT_EQ(run.err, asWritten(*message));
                EXPECT_TRUE(run.out.isEmpty());
            } else {
                EXPECT_EQ(run.exitCode, 0);
                EXPECT_TRUE(run.err.isEmpty()) << run.err.constData();
                EXPECT_TRUE(run.out.startsWith("query\t" + f.query + '\n'));
                EXPECT_TRUE(run.out.contains('\n' + f.hitLine)) << run.out.left(2000).constData();
                EXPECT_TRUE(run.out.endsWith("end\t1\n")) << run.out.right(200).constData();
            }
            EXPECT_EQ(vex::test::folderFingerprint(dir.path()), before) << "a file was changed";
        }
    }
}

TEST(HostileSearchStrings, queryToolReportsEveryStringGivenOnTheCommandLine) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    QByteArray list = kHeader;
    for (int i = 0; i < 500; ++i) {
        list += record("DZ" + QByteArray::number(1000 + i),
                       "Kolera og tyfus (" + QByteArray::number(i) + ") æble-øre");
    }
    const QString path = dir.filePath(QStringLiteral("list.txt"));
    {
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly) && f.write(list) == list.size());
    }
    const auto before = vex::test::folderFingerprint(dir.path());

    QString controls;
    for (char16_t c = 1; c < 32; ++c) {
        controls += QChar(c);
    }
    const QStringList strings = {
        QString(10000, QLatin1Char('a')),
        QString(10000, QChar(0x00E6)),
        QStringLiteral("kolera AND ").repeated(1000) + QStringLiteral("tyfus"),
        QStringLiteral("&"),
        QStringLiteral("| |"),
        QStringLiteral("\\\\"),
        QStringLiteral("& | \\"),
        QStringLiteral(" AND "),
        QStringLiteral("NOT NOT"),
        QStringLiteral("$ & $"),
        QStringLiteral("*$*"),
        controls,
        QStringLiteral("kol\tera\r\nAND\x1b[2Jtyfus"),
        QStringLiteral("kolera ") + QChar(0xD800) + QStringLiteral(" tyfus"),
        QChar(0xDC00) + QStringLiteral("kolera"),
        QStringLiteral("DZ1 \\ $") + QString(5000, QLatin1Char('9')),
    };
    for (const QString& s : strings) {
        SCOPED_TRACE(s.left(40).toStdString());
        const ChildRun run = runQueryTool({path, s});
        expectNormalEnd(run);
        EXPECT_EQ(run.exitCode, 0);
        EXPECT_TRUE(run.err.isEmpty()) << run.err.left(2000).constData();
        EXPECT_TRUE(run.out.startsWith("query\t"));
        // The report ends with the number of hits, after "applied" or "rejected".
        const qsizetype endLine = run.out.lastIndexOf("\nend\t");
        ASSERT_GE(endLine, 0) << run.out.right(300).constData();
        bool isNumber = false;
        run.out.mid(endLine + 5).trimmed().toInt(&isNumber);
        EXPECT_TRUE(isNumber && run.out.endsWith('\n'));
        EXPECT_TRUE(run.out.contains("\napplied\t") || run.out.contains("\nrejected\t"));
    }
    EXPECT_EQ(vex::test::folderFingerprint(dir.path()), before) << "a file was changed";
}

TEST(HostileSearchStrings, queryToolReadsRawBytesFromStandardInput) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("list.txt"));
    {
        QFile f(path);
        const QByteArray list = kHeader + record("DZ1", "kolera") + record("DZ2", "tyfus");
        ASSERT_TRUE(f.open(QIODevice::WriteOnly) && f.write(list) == list.size());
    }
    const auto before = vex::test::folderFingerprint(dir.path());
    const QList<QByteArray> lines = {
        QByteArray("kol\0era", 7),   QByteArray(3, '\0'),      "kolera\rtyfus",
        "\xC0\x80 AND \xEF\xBF\xBF", QByteArray(1 << 20, 'k'), "DZ1 OR DZ2",
    };
    QByteArray input;
    for (const QByteArray& l : lines) {
        input += l + '\n';
    }
    input += "kolera";  // the last line has no line end
    const ChildRun run = runQueryTool({path}, input);
    expectNormalEnd(run);
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.out.count("\nend\t"), lines.size() + 1);
    EXPECT_TRUE(run.out.endsWith("hit\tDZ1\tkolera\nend\t1\n")) << run.out.right(200).constData();
    EXPECT_EQ(vex::test::folderFingerprint(dir.path()), before);
}
