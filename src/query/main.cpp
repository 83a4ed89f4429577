// vexdiagnose-query: searches a data file from the command line as the Search button does.
#include "data/header.h"
#include "data/loading.h"
#include "data/record.h"
#include "query/querysession.h"
#include "version.h"

#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <cstdio>
#include <cstring>

using namespace vex;

namespace {

const char kUsage[] =
    "usage: vexdiagnose-query [options] FILE [QUERY]\n"
    "  FILE  a data file; QUERY one search string (without it, one search string per line\n"
    "        of standard input)\n"
    "  --secondary      treat FILE as the secondary file (no code-entry rewrite)\n"
    "  --short          search the short list; when it is empty, the extended list\n"
    "  --free-text      the free-text option is on\n"
    "  --comments       the comments option is on\n"
    "  --auto-d-prefix  EntryAutoDPrefix is \"1\"\n"
    "  --help           this text\n"
    "  --version        the program's version\n"
    "  --               every later argument is FILE or QUERY, even one that begins with \"--\"\n";

// Message boxes of the loader go to standard error, escaped as the output is.
class ErrorDialogs : public Dialogs {
public:
    std::optional<QString> inputText(const QString&, const QString&, const QString&) override {
        return std::nullopt;
    }
    QByteArray text;

protected:
    MessageButton showMessage(const Message& message) override {
        for (const QString& line : message.lines) {
            text += EscapedOutputText(line).toUtf8() + '\n';
        }
        return firstButton(message.buttons);
    }
};

// Exit status when standard input cannot be read or standard output cannot be written.
constexpr int kInputOutputFailed = 3;

// Exit status when a line of standard input is longer than a search string can be.
constexpr int kLineTooLong = 4;
// The longest line of standard input, 1 MiB: far more than the window's search box holds
// (32,767 characters), and little memory. A longer line is no search string; it is refused
// before it can take the memory of the machine.
constexpr qsizetype kMaxInputLineBytes = 1024 * 1024;

int inputOutputFailed(const char* what, int error) {
    std::fprintf(stderr, "vexdiagnose-query: cannot %s: %s\n", what, std::strerror(error));
    return kInputOutputFailed;
}

// Writes and flushes; false when the output could not take it (a full disk, a closed pipe
// while SIGPIPE is ignored), with the message written to standard error.
bool write(const QByteArray& bytes) {
    std::fwrite(bytes.constData(), 1, std::size_t(bytes.size()), stdout);
    if (std::fflush(stdout) == 0 && !std::ferror(stdout)) {
        return true;
    }
    inputOutputFailed("write the output", errno);
    return false;
}

int usage(const QString& error = QString()) {
    std::fputs(kUsage, stderr);
    if (!error.isEmpty()) {
        std::fprintf(stderr, "vexdiagnose-query: %s\n",
                     EscapedOutputText(error).toLocal8Bit().constData());
    }
    return 2;
}

// The arguments as the tool reads them: those that begin with "--" before a lone "--" are
// options; all others, in order, are FILE and QUERY. The positional ones stay the bytes given,
// so a search string reaches the search exactly as typed.
struct Arguments {
    QStringList options;
    QList<QByteArray> positional;
};

Arguments splitArguments(int argc, char** argv) {
    Arguments args;
    bool optionsEnded = false;
    for (int i = 1; i < argc; ++i) {
        const QByteArray arg(argv[i]);
        if (optionsEnded || !arg.startsWith("--")) {
            args.positional << arg;
        } else if (arg == "--") {
            optionsEnded = true;
        } else {
            args.options << QString::fromLocal8Bit(arg);
        }
    }
    return args;
}

// Loads the file as the program loads it; on failure the loader's messages go to stderr.
bool loadList(const QString& fileName, bool secondary, bool shortList, QStringList& list) {
    ErrorDialogs dialogs;
    DataFileSlot slot;
    bool loaded = secondary ? LoadSecondaryDataFile(fileName, slot, dialogs)
                            : LoadPrimaryDataFile(fileName, slot, dialogs);
    if (loaded && secondary) {
        FieldNames names;
        if (const std::optional<Message> refused = CheckHeader(slot.headerLine, fileName, names)) {
            dialogs.show(*refused);
            loaded = false;
        }
    }
    if (!loaded) {
        std::fwrite(dialogs.text.constData(), 1, std::size_t(dialogs.text.size()), stderr);
        return false;
    }
    if (!secondary && slot.shortList.isEmpty()) {
        BuildShortList(slot.extended, slot.shortList);
    }
    list = shortList && !slot.shortList.isEmpty() ? slot.shortList : slot.extended;
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    const QCommandLineOption secondaryOption(QStringLiteral("secondary"));
    const QCommandLineOption shortOption(QStringLiteral("short"));
    const QCommandLineOption freeTextOption(QStringLiteral("free-text"));
    const QCommandLineOption commentsOption(QStringLiteral("comments"));
    const QCommandLineOption autoDPrefixOption(QStringLiteral("auto-d-prefix"));
    const QCommandLineOption helpOption(QStringLiteral("help"));
    const QCommandLineOption versionOption(QStringLiteral("version"));
    QCommandLineParser parser;
    parser.addOptions({secondaryOption, shortOption, freeTextOption, commentsOption,
                       autoDPrefixOption, helpOption, versionOption});

    const Arguments args = splitArguments(argc, argv);
    if (!parser.parse(QStringList{QStringLiteral("vexdiagnose-query")} + args.options)) {
        return usage(parser.errorText());
    }
    if (parser.isSet(helpOption)) {
        std::fputs(kUsage, stdout);
        return 0;
    }
    if (parser.isSet(versionOption)) {
        // A component the build left empty reads as 0.
        std::printf("vexdiagnose-query %d.%d.%d.%d\n", VEX_VERSION_MAJOR + 0, VEX_VERSION_MINOR + 0,
                    VEX_VERSION_PATCH + 0, VEX_VERSION_TWEAK + 0);
        return 0;
    }
    const QList<QByteArray>& positional = args.positional;
    if (positional.isEmpty() || positional.size() > 2) {
        return usage();
    }
    QuerySettings settings;
    const bool secondary = parser.isSet(secondaryOption);
    const bool shortList = parser.isSet(shortOption);
    settings.options.freeText = parser.isSet(freeTextOption);
    settings.options.comments = parser.isSet(commentsOption);
    settings.entryAutoDPrefix = parser.isSet(autoDPrefixOption);
    settings.primaryInUse = !secondary;

    const QString fileName = QFile::decodeName(positional.first());
    if (!QFileInfo::exists(fileName)) {
        std::fprintf(stderr, "vexdiagnose-query: no such file: %s\n",
                     EscapedOutputText(fileName).toLocal8Bit().constData());
        return 1;
    }
    QStringList list;
    if (!loadList(fileName, secondary, shortList, list)) {
        return 1;
    }
    QuerySession session(list, settings);
    if (positional.size() == 2) {
        return write(session.search(positional.at(1))) ? 0 : kInputOutputFailed;
    }
    // One search string per line of standard input, read as it comes.
    QByteArray given;
    qint64 lineNumber = 1;
    const auto lineTooLong = [&lineNumber] {
        std::fprintf(
            stderr, "vexdiagnose-query: line %lld of standard input is longer than %lld bytes\n",
            static_cast<long long>(lineNumber), static_cast<long long>(kMaxInputLineBytes));
        return kLineTooLong;
    };
    for (int c = std::getc(stdin);; c = std::getc(stdin)) {
        if (c == EOF && std::ferror(stdin)) {
            return inputOutputFailed("read the standard input", errno);
        }
        if (c != EOF && c != '\n') {
            // One byte more than the bound is kept: a CR LF line end may still drop it.
            if (given.size() > kMaxInputLineBytes) {
                return lineTooLong();
            }
            given += char(c);
            continue;
        }
        if (c == EOF && given.isEmpty()) {
            break;
        }
        if (c == '\n' && given.endsWith('\r')) {
            given.chop(1);  // a CR LF line end
        }
        if (given.size() > kMaxInputLineBytes) {
            return lineTooLong();
        }
        if (!write(session.search(given))) {
            return kInputOutputFailed;
        }
        given.clear();
        ++lineNumber;
        if (c == EOF) {
            break;
        }
    }
    return 0;
}
