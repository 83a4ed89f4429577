#include "listfiles.h"
#include "tempfiles.h"

#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QProcess>
#include <QTemporaryDir>

#include <csignal>

namespace {

struct ToolRun {
    int exitCode = -1;
    QByteArray out;
    QByteArray err;
    QList<QByteArray> lines() const {
        QList<QByteArray> l = out.split('\n');
        if (!l.isEmpty() && l.last().isEmpty()) {
            l.removeLast();
        }
        return l;
    }
};

// The process is set up by the caller (its channels); this starts and finishes it.
ToolRun finishTool(QProcess& process, const QStringList& args, const QByteArray& input = {},
                   const QString& lang = QStringLiteral("C.UTF-8")) {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("LANG"), lang);
    env.insert(QStringLiteral("LC_ALL"), lang);
    process.setProcessEnvironment(env);
    process.start(QStringLiteral(VEX_QUERY_TOOL), args);
    process.write(input);
    process.closeWriteChannel();
    ToolRun run;
    if (!process.waitForFinished(60000)) {
        process.kill();
        process.waitForFinished();
        return run;
    }
    run.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    run.out = process.readAllStandardOutput();
    run.err = process.readAllStandardError();
    return run;
}

ToolRun runTool(const QStringList& args, const QByteArray& input = {},
                const QString& lang = QStringLiteral("C.UTF-8")) {
    QProcess process;
    return finishTool(process, args, input, lang);
}

QString primary() {
    return vex::test::fixtureListsDir() + QStringLiteral("/ICD10vex.txt");
}
QString secondary() {
    return vex::test::fixtureListsDir() + QStringLiteral("/Behandling-procedurer-vex.txt");
}

QList<QByteArray> hitCodes(const ToolRun& run) {
    QList<QByteArray> codes;
    for (const QByteArray& line : run.lines()) {
        if (line.startsWith("hit\t")) {
            codes << line.split('\t').at(1);
        }
    }
    return codes;
}

}  // namespace

TEST(QueryTool, searchesOneStringFromTheCommandLine) {
    const ToolRun run = runTool({primary(), QStringLiteral("kolera")});
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_TRUE(run.err.isEmpty());
    EXPECT_EQ(run.lines(),
              QList<QByteArray>({
                  "query\tkolera",
                  "applied\tkolera",
                  "hit\tDA00\tKolera",
                  "hit\tDA000\tKolera forårsaget af Vibrio cholerae",
                  "hit\tDA001\tKolera forårsaget af Vibrio cholerae eltor",
                  "hit\tDA009\tKolera UNS",
                  "hit\tDZ230\tKontakt mhp. vaccination mod kolera",
                  "hit\tDZ270\tKontakt mhp. vaccination mod kolera og tyfus (kolera+TAB)",
                  "end\t6",
              }));
}

TEST(QueryTool, readsOneStringPerLineInBatchMode) {
    const QByteArray input =
        "kolera AND vibrio\n"
        "\n"
        "   \n"
        "&&\n"
        "x and y or z\n"
        "kolera & KOLERA\r\n"
        "$A0 and kolera\n"
        "a & b & c\n"
        "zzzzqqq";  // the last line without a line end
    const ToolRun run = runTool({primary()}, input);
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(
        run.lines(),
        QList<QByteArray>({
            "query\tkolera AND vibrio",
            "applied\tkolera AND vibrio",
            "hit\tDA000\tKolera forårsaget af Vibrio cholerae",
            "hit\tDA001\tKolera forårsaget af Vibrio cholerae eltor",
            "end\t2",
            "query\t",
            "rejected\t\\nKan ikke søge på tom søgestreng!",
            "end\t0",
            "query\t   ",
            "rejected\t\\nKan ikke søge på tom søgestreng!",
            "end\t0",
            "query\t&&",
            "rejected\t\\nIllegal søgestreng:\\n[ & ]",
            "end\t0",
            "query\tx and y or z",
            "rejected\tSøgestrengen indeholder mere end een logisk søge-operator!\\nProgrammet "
            "tillader højst søgning med een logisk operator ad gangen.\\nAfbryder søgning.",
            "end\t0",
            "query\tkolera & KOLERA",
            "rejected\t[ kolera & KOLERA ]\\n\\nSøgestrengen giver ikke mening,\\nda de to "
            "logiske operander er ens!",
            "end\t0",
            "query\t$A0 and kolera",
            "applied\tkolera AND $DA0",
            "hit\tDA00\tKolera",
            "hit\tDA000\tKolera forårsaget af Vibrio cholerae",
            "hit\tDA001\tKolera forårsaget af Vibrio cholerae eltor",
            "hit\tDA009\tKolera UNS",
            "end\t4",
            "query\ta & b & c",
            "rejected\tSøgestrengen indeholder mere end een logisk søge-operator!\\nProgrammet "
            "tillader højst søgning med een logisk operator ad gangen.\\nAfbryder søgning.",
            "end\t0",
            "query\tzzzzqqq",
            "applied\tzzzzqqq",
            "end\t0",
        }));
}

TEST(QueryTool, optionsChooseListFileAndSearchOptions) {
    // Code entry with and without the "D" prefix, and not on the secondary file.
    EXPECT_EQ(runTool({QStringLiteral("--auto-d-prefix"), primary(), QStringLiteral("a00.1")})
                  .lines()
                  .at(1),
              "applied\tDA001");
    EXPECT_EQ(runTool({primary(), QStringLiteral("a00.1")}).lines().at(1), "applied\tA001");
    EXPECT_EQ(runTool({QStringLiteral("--secondary"), QStringLiteral("--auto-d-prefix"),
                       secondary(), QStringLiteral("b00.1")})
                  .lines()
                  .at(1),
              "applied\tb00.1");
    EXPECT_EQ(runTool({secondary(), QStringLiteral("b00.1")}).lines().at(1), "applied\tB001");

    // The short list holds part of the extended list's hits.
    const QList<QByteArray> extended = hitCodes(runTool({primary(), QStringLiteral("kolera")}));
    const QList<QByteArray> shortHits =
        hitCodes(runTool({QStringLiteral("--short"), primary(), QStringLiteral("kolera")}));
    EXPECT_FALSE(shortHits.isEmpty());
    EXPECT_LT(shortHits.size(), extended.size());
    for (const QByteArray& code : shortHits) {
        EXPECT_TRUE(extended.contains(code)) << code.constData();
    }

    // The comments column and free text.
    EXPECT_EQ(hitCodes(runTool({primary(), QStringLiteral("bemærk")})).size(), 0);
    EXPECT_GT(hitCodes(runTool({QStringLiteral("--comments"), primary(), QStringLiteral("bemærk")}))
                  .size(),
              0);
    EXPECT_EQ(
        hitCodes(runTool({QStringLiteral("--free-text"), primary(), QStringLiteral("holerae")})),
        hitCodes(runTool({primary(), QStringLiteral("*holerae")})));
    EXPECT_EQ(hitCodes(runTool({primary(), QStringLiteral("holerae")})).size(), 0);
    // A "*" with the free-text option: the warning is answered OK and the search runs.
    EXPECT_EQ(runTool({QStringLiteral("--free-text"), primary(), QStringLiteral("*holerae")})
                  .lines()
                  .last(),
              "end\t2");
}

TEST(QueryTool, numbersFollowTheUsersLocale) {
    EXPECT_EQ(runTool({primary(), QStringLiteral("da00,1")}).lines().at(1), "applied\tda00,1");
    EXPECT_EQ(runTool({primary(), QStringLiteral("da00,1")}, {}, QStringLiteral("da_DK.UTF-8"))
                  .lines()
                  .at(1),
              "applied\tDA00,1");
}

TEST(QueryTool, loadFailuresAndBadUsage) {
    QTemporaryDir dir;
    const ToolRun missing =
        runTool({dir.filePath(QStringLiteral("none.txt")), QStringLiteral("x")});
    EXPECT_EQ(missing.exitCode, 1);
    EXPECT_TRUE(missing.out.isEmpty());
    EXPECT_EQ(missing.err, "vexdiagnose-query: no such file: " +
                               dir.filePath(QStringLiteral("none.txt")).toUtf8() + '\n');
    // The file forgotten: the search string is taken for it, and the tool says so plainly.
    EXPECT_EQ(runTool({QStringLiteral("diabetes")}).err,
              "vexdiagnose-query: no such file: diabetes\n");

    const QByteArray badHeader =
        "Kode\tFeltnavnX\tTekst\tKL\tSy\tIn\tSt\tKo\tRe\r\nDA00\t\tKolera\r\n";
    const QString bad = vex::test::writeFile(dir, QStringLiteral("bad.txt"), badHeader);
    for (const QStringList& args :
         {QStringList{bad, QStringLiteral("x")},
          QStringList{QStringLiteral("--secondary"), bad, QStringLiteral("x")}}) {
        const ToolRun run = runTool(args);
        EXPECT_EQ(run.exitCode, 1);
        EXPECT_TRUE(run.err.contains("Illegalt feltnavn [ FeltnavnX ] i anden kolonne\n"))
            << run.err.constData();
    }

    const QString empty = vex::test::writeFile(dir, QStringLiteral("empty.txt"), QByteArray());
    EXPECT_EQ(runTool({QStringLiteral("--secondary"), empty, QStringLiteral("x")}).exitCode, 1);

    for (const QStringList& args :
         {QStringList{}, QStringList{QStringLiteral("--bogus"), primary()},
          QStringList{primary(), QStringLiteral("a"), QStringLiteral("b")}}) {
        const ToolRun run = runTool(args);
        EXPECT_EQ(run.exitCode, 2);
        EXPECT_TRUE(run.err.startsWith("usage:"));
    }
    // After "--" a search string may begin with "--".
    EXPECT_EQ(runTool({primary(), QStringLiteral("--"), QStringLiteral("--x")}).lines().first(),
              "query\t--x");
}

TEST(QueryTool, helpAndVersionAnswerWithoutAFile) {
    const ToolRun help = runTool({QStringLiteral("--help")});
    EXPECT_EQ(help.exitCode, 0);
    EXPECT_TRUE(help.out.startsWith("usage:"));
    const ToolRun version = runTool({QStringLiteral("--version"), QStringLiteral("--short")});
    EXPECT_EQ(version.exitCode, 0);
    EXPECT_EQ(version.out, "vexdiagnose-query 5.16.0.165\n");
}

TEST(QueryTool, badInputGivesAMessageOrAResultForEveryLine) {
    QByteArray input;
    int strings = 0;
    auto add = [&](const QByteArray& s) {
        input += s + '\n';
        ++strings;
    };
    add(QByteArray(10000, 'a'));
    add(QByteArray(10000, '&'));
    add(QByteArray(10000, '|'));
    add(QByteArray("x AND ").repeated(1500));
    add(QByteArray("\\ ").repeated(5000));
    add("AND");
    add(" OR ");
    add("* NOT x");
    add("$");
    QByteArray controls;
    for (char c = 1; c < 32; ++c) {
        if (c != '\n') {
            controls += c;
        }
    }
    add(controls);
    add("a\tb AND \x01"
        "c");
    add("\xed\xa0\x80 kolera");  // an encoded lone surrogate: not UTF-8
    add("\xff\xfe\x80");
    QByteArray printable;
    for (char c = 32; c < 127; ++c) {
        printable += c;
    }
    add(printable);
    for (char c = 33; c < 127; ++c) {
        add(QByteArray(1, c));
        add(QByteArray("kolera OR ") + c);
    }
    QElapsedTimer timer;
    timer.start();
    const ToolRun run = runTool({primary()}, input);
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_LT(timer.elapsed(), 30000);
    int queries = 0;
    int ends = 0;
    for (const QByteArray& line : run.lines()) {
        queries += line.startsWith("query\t") ? 1 : 0;
        ends += line.startsWith("end\t") ? 1 : 0;
        EXPECT_TRUE(line.startsWith("query\t") || line.startsWith("applied\t") ||
                    line.startsWith("rejected\t") || line.startsWith("hit\t") ||
                    line.startsWith("end\t"));
    }
    EXPECT_EQ(queries, strings);
    EXPECT_EQ(ends, strings);
}

TEST(QueryTool, searchStringReadsAsUtf8OrWindows1252) {
    const ToolRun run =
        runTool({primary()}, "for\xC3\xA5rsaget AND kolera\nfor\xE5rsaget AND kolera\n");
    QList<QByteArray> applied;
    for (const QByteArray& line : run.lines()) {
        if (line.startsWith("applied\t") || line.startsWith("end\t")) {
            applied << line;
        }
    }
    EXPECT_EQ(applied, QList<QByteArray>({"applied\tforårsaget AND kolera", "end\t2",
                                          "applied\tforårsaget AND kolera", "end\t2"}));
}

TEST(QueryTool, outputThatCannotBeWrittenOrInputThatCannotBeReadFailsWithAMessage) {
    QProcess full;
    full.setStandardOutputFile(QStringLiteral("/dev/full"));
    const ToolRun unwritten = finishTool(full, {primary(), QStringLiteral("kolera")});
    EXPECT_EQ(unwritten.exitCode, 3);
    EXPECT_TRUE(unwritten.err.startsWith("vexdiagnose-query: cannot write the output: "))
        << unwritten.err.constData();

    QTemporaryDir dir;
    QProcess folder;
    folder.setStandardInputFile(dir.path());
    const ToolRun unread = finishTool(folder, {primary()});
    EXPECT_EQ(unread.exitCode, 3);
    EXPECT_TRUE(unread.out.isEmpty());
    EXPECT_TRUE(unread.err.startsWith("vexdiagnose-query: cannot read the standard input: "))
        << unread.err.constData();
}

TEST(QueryTool, aReaderThatStopsEndsTheToolQuietlyAsWithHead) {
    // As a shell runs «vexdiagnose-query LIST d | head -n 1», with SIGPIPE at its default
    // whatever the test's own handling; far more output than the pipe holds.
    QProcess tool;
    QProcess head;
    tool.setChildProcessModifier([] { std::signal(SIGPIPE, SIG_DFL); });
    tool.setStandardOutputProcess(&head);
    head.start(QStringLiteral("head"), {QStringLiteral("-n"), QStringLiteral("1")});
    tool.start(QStringLiteral(VEX_QUERY_TOOL), {primary(), QStringLiteral("d")});
    ASSERT_TRUE(tool.waitForFinished(60000));
    ASSERT_TRUE(head.waitForFinished(60000));
    EXPECT_EQ(head.readAllStandardOutput(), "query\td\n");
    EXPECT_EQ(tool.exitStatus(), QProcess::CrashExit) << tool.exitCode();  // by SIGPIPE
    EXPECT_TRUE(tool.readAllStandardError().isEmpty());
}

// Reads an escaped output value back: "\\" is a backslash, "\xHH" the character of code HH.
QString unescaped(const QByteArray& value) {
    const QString text = QString::fromUtf8(value);
    QString out;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text.at(i) != QLatin1Char('\\')) {
            out += text.at(i);
        } else if (text.mid(i + 1, 1) == QLatin1String("\\")) {
            out += QLatin1Char('\\');
            ++i;
        } else {
            out += QChar(char16_t(text.mid(i + 2, 2).toUShort(nullptr, 16)));
            i += 3;
        }
    }
    return out;
}

TEST(QueryTool, controlCharactersAreWrittenEscapedAndReadBackExactly) {
    QTemporaryDir dir;
    const QString text = QString::fromUtf16(u"Farve\x1b[31m r\u00f8d \\x41 \u009b2J slut\x7f");
    const QByteArray list = QByteArray("\xEF\xBB\xBF") + vex::test::HeaderLineBytes() + "DX01\t\t" +
                            text.toUtf8() + "\r\n";
    const QString file = vex::test::writeFile(dir, QStringLiteral("liste.txt"), list);
    // Two equal operands: refused with a message that repeats the string.
    const QByteArray typed = "a\tb\x1b[2J\xC2\x9B \\ A\tB\x1b[2J\xC2\x9B";
    const ToolRun run = runTool({file}, typed + "\nfarve\n");
    ASSERT_EQ(run.exitCode, 0);
    const QList<QByteArray> lines = run.lines();
    for (const QByteArray& line : lines) {
        for (const char c : line) {
            EXPECT_TRUE(c == '\t' || uchar(c) >= 0x20) << int(c);
        }
        EXPECT_FALSE(QString::fromUtf8(line).contains(QChar(0x9B))) << line.constData();
    }
    ASSERT_EQ(lines.size(), 7);
    EXPECT_EQ(lines.at(0), "query\ta\\x09b\\x1B[2J\\x9B \\\\ A\\x09B\\x1B[2J\\x9B");
    EXPECT_EQ(unescaped(lines.at(0).mid(6)), QString::fromUtf8(typed));
    // The message's lines stay joined by a readable "\n"; the string's own backslash doubles.
    EXPECT_EQ(
        lines.at(1),
        "rejected\t[ a\\x09b\\x1B[2J\\x9B \\\\ A\\x09B\\x1B[2J\\x9B ]\\n\\nSøgestrengen giver "
        "ikke mening,\\nda de to logiske operander er ens!");
    EXPECT_EQ(lines.at(5), "hit\tDX01\tFarve\\x1B[31m rød \\\\x41 \\x9B2J slut\\x7F");
    EXPECT_EQ(unescaped(lines.at(5).split('\t').at(2)), text);
}
