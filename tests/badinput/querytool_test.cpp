// The query tool as a child process on hostile data files and hostile search strings: every
// run ends by itself in bounded time with an exit code (no signal), gives the loader's message
// or a proper report, and leaves the files it was given as they were.

#include "childprocess.h"
#include "data/header.h"
#include "data/loadmessages.h"
#include "hostilefiles.h"
#include "sanitizer.h"
#include "tempfiles.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

namespace {

using namespace vex;
using namespace vex::test;

// Generous: the sanitizer build runs several times slower than the normal one.
constexpr int kTimeLimitMs = 120000;

// The header check's refusal of a header without a single usable column name.
Message noColumnNames(const QString& path) {
    FieldNames names;
    return CheckHeader(QString(), path, names).value_or(Message{});
}

std::optional<Message> expectedMessage(HostileOutcome expect, bool secondary, const QString& path) {
    switch (expect) {
        case HostileOutcome::Loads:
            return std::nullopt;
        case HostileOutcome::NoTab:
            return secondary ? loadmsg::secondaryNoTab(path) : loadmsg::primaryNoTab(path);
        case HostileOutcome::Empty:
            return secondary ? loadmsg::secondaryEmpty(path) : loadmsg::primaryEmpty();
        case HostileOutcome::NoRecords:
            return secondary ? loadmsg::secondaryNoRecords(path) : loadmsg::primaryNoRecords();
        case HostileOutcome::CannotOpen:
            return secondary ? loadmsg::secondaryCannotOpen(path)
                             : loadmsg::primaryCannotOpen(path);
        case HostileOutcome::HeaderRefused:
            return noColumnNames(path);
    }
    return std::nullopt;
}

// The tool writes a message as its lines, one per line.
QByteArray asWritten(const Message& message) {
    return message.lines.join(QLatin1Char('\n')).toUtf8() + '\n';
}

ChildRun runQueryTool(const QStringList& arguments, const QByteArray& input = {},
                      qint64 addressSpaceBytes = 0) {
    return runChild(QStringLiteral(VEX_QUERY_TOOL), arguments, input, childEnvironment(),
                    kTimeLimitMs, addressSpaceBytes);
}

void expectNormalEnd(const ChildRun& run) {
    EXPECT_TRUE(run.started);
    EXPECT_TRUE(run.finishedInTime) << "still running after " << kTimeLimitMs << " ms";
    EXPECT_FALSE(run.crashed) << run.err.left(4000).constData();
}

}  // namespace

TEST(HostileDataFiles, queryToolGivesTheLoadersMessageOrSearchesTheFile) {
    for (const HostileFile& f : HostileFiles()) {
        QTemporaryDir dir;
        ASSERT_TRUE(dir.isValid());
        const QString path = dir.filePath(QStringLiteral("hostile.txt"));
        ASSERT_TRUE(MakeHostileFile(f, path)) << f.name;
        const auto before = folderFingerprint(dir.path());

        for (const bool secondary : {false, true}) {
            SCOPED_TRACE(std::string(f.name) + (secondary ? ", secondary file" : ", primary file"));
            QStringList args;
            if (secondary) {
                args << QStringLiteral("--secondary");
            }
            args << path << QString::fromUtf8(f.query.isEmpty() ? "DZ" : f.query);
            const ChildRun run = runQueryTool(args);
            expectNormalEnd(run);

            if (const std::optional<Message> message =
                    expectedMessage(f.outcome, secondary, path)) {
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
            EXPECT_EQ(folderFingerprint(dir.path()), before) << "a file was changed";
        }
    }
}

TEST(HostileSearchStrings, queryToolReportsEveryStringGivenOnTheCommandLine) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    QByteArray list = HostileHeaderLine();
    for (int i = 0; i < 500; ++i) {
        list += HostileRecord("DZ" + QByteArray::number(1000 + i),
                              "Kolera og tyfus (" + QByteArray::number(i) + ") æble-øre");
    }
    const QString path = dir.filePath(QStringLiteral("list.txt"));
    {
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly) && f.write(list) == list.size());
    }
    const auto before = folderFingerprint(dir.path());

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
    EXPECT_EQ(folderFingerprint(dir.path()), before) << "a file was changed";
}

TEST(HostileSearchStrings, queryToolReadsRawBytesFromStandardInput) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("list.txt"));
    {
        QFile f(path);
        const QByteArray list =
            HostileHeaderLine() + HostileRecord("DZ1", "kolera") + HostileRecord("DZ2", "tyfus");
        ASSERT_TRUE(f.open(QIODevice::WriteOnly) && f.write(list) == list.size());
    }
    const auto before = folderFingerprint(dir.path());
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
    EXPECT_EQ(folderFingerprint(dir.path()), before);
}

TEST(HostileSearchStrings, queryToolRefusesAnOverlongLineOfStandardInput) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("list.txt"));
    {
        QFile f(path);
        const QByteArray list = HostileHeaderLine() + HostileRecord("DZ1", "kolera");
        ASSERT_TRUE(f.open(QIODevice::WriteOnly) && f.write(list) == list.size());
    }
    // 1 MiB is still a line (also with CR LF); one byte more is not, and the tool stops there.
    const QByteArray input = "kolera\n" + QByteArray(1 << 20, 'k') + "\r\n" +
                             QByteArray((1 << 20) + 1, 'k') + "\nkolera\n";
    const ChildRun run = runQueryTool({path}, input);
    expectNormalEnd(run);
    EXPECT_NE(run.exitCode, 0);
    EXPECT_TRUE(run.err.contains("line 3 ")) << run.err.constData();
    EXPECT_EQ(run.out.count("\nend\t"), 2);
}

// Loading a file whose lines do not fit in memory ends as a file that cannot be opened does:
// the loader's message and exit status 1, never an abort. The bundled list still loads under
// the same limit, so the limit leaves room for the tool itself.
TEST(HostileDataFiles, queryToolOutOfMemoryWhileLoadingGivesTheLoadersMessage) {
    // An AddressSanitizer build reserves terabytes of address space at the start, so a program
    // under an address-space limit does not start at all there, and a failed allocation aborts
    // instead of throwing.
    VEX_SKIP_IN_ADDRESS_SANITIZER_BUILD(
        "an address-space limit cannot be tested under AddressSanitizer");
    constexpr qint64 kAddressSpace = qint64(256) << 20;
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("lines.txt"));
    {
        QFile f(path);
        const QByteArray bytes = HostileHeaderLine() + QByteArray("a\n").repeated(10000000);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size());
    }
    const ChildRun fits =
        runQueryTool({bundledListsDir() + QStringLiteral("/ICD10vex.txt"), QStringLiteral("feber")},
                     {}, kAddressSpace);
    expectNormalEnd(fits);
    EXPECT_EQ(fits.exitCode, 0) << fits.err.constData();

    const ChildRun run = runQueryTool({path, QStringLiteral("feber")}, {}, kAddressSpace);
    expectNormalEnd(run);
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.err, asWritten(loadmsg::primaryCannotOpen(path)));
}
