// The help pages: plain pages that any browser and a screen reader read without scripts or
// anything from the net, links that lead somewhere, and worked examples that hold on the
// shipped lists with the option values of the installed INI file.
#include "base/textutil.h"
#include "config/inisettings.h"
#include "data/loading.h"
#include "data/record.h"
#include "search/normalize.h"
#include "search/resulttable.h"
#include "search/searchengine.h"
#include "search/searchmessages.h"
#include "version.h"

#include "scripteddialogs.h"
#include "tempfiles.h"

#include <QDir>
#include <QFile>
#include <QMap>
#include <QSet>
#include <QXmlStreamReader>

#include <gtest/gtest.h>

#include <iostream>

using namespace vex;

namespace {

const QString kSourceDir = QStringLiteral(VEX_HELP_SOURCE_DIR);
const QString kBuiltDir = QStringLiteral(VEX_HELP_BUILT_DIR);

// One worked example: the element that carries data-query, with the texts the page shows
// inside it.
struct Example {
    qint64 line = 0;
    QMap<QString, QString> data;  // its data-* attributes, without "data-"
    QStringList kbd;
    QStringList code;
    QStringList samp;
};

struct Page {
    QString name;
    QString error;  // the parser's complaint; empty for a well-formed page
    QString lang;
    int h1 = 0;
    QStringList ids;
    QStringList links;      // href of every <a> and <link>
    QStringList forbidden;  // what a plain page has no use for
    QList<Example> examples;
};

bool IsShownText(const QString& element) {
    return element == QLatin1String("kbd") || element == QLatin1String("code") ||
           element == QLatin1String("samp");
}

Page ReadPage(const QString& name) {
    Page page;
    page.name = name;
    QFile file(QDir(kSourceDir).filePath(name));
    if (!file.open(QIODevice::ReadOnly)) {
        page.error = QStringLiteral("cannot be read");
        return page;
    }
    struct Open {
        QString name;
        qsizetype example = -1;
        QString text;
    };
    QList<Open> open;
    QXmlStreamReader xml(&file);
    while (!xml.atEnd()) {
        const QXmlStreamReader::TokenType token = xml.readNext();
        if (token == QXmlStreamReader::StartElement) {
            Open element;
            element.name = xml.name().toString();
            const QXmlStreamAttributes attributes = xml.attributes();
            for (const QXmlStreamAttribute& a : attributes) {
                const QString attribute = a.name().toString();
                if (attribute.startsWith(QLatin1String("on")) ||
                    attribute == QLatin1String("style")) {
                    page.forbidden << element.name + QLatin1Char(' ') + attribute;
                }
            }
            static const QStringList kForbidden{"script", "iframe", "object", "embed",
                                                "frame",  "form",   "base",   "style"};
            if (kForbidden.contains(element.name)) {
                page.forbidden << element.name;
            }
            if (element.name == QLatin1String("html")) {
                page.lang = attributes.value(QLatin1String("lang")).toString();
            }
            page.h1 += element.name == QLatin1String("h1") ? 1 : 0;
            if (attributes.hasAttribute(QLatin1String("id"))) {
                page.ids << attributes.value(QLatin1String("id")).toString();
            }
            if (attributes.hasAttribute(QLatin1String("href"))) {
                page.links << attributes.value(QLatin1String("href")).toString();
            }
            if (attributes.hasAttribute(QLatin1String("data-query"))) {
                Example example;
                example.line = xml.lineNumber();
                for (const QXmlStreamAttribute& a : attributes) {
                    if (a.name().startsWith(QLatin1String("data-"))) {
                        example.data.insert(a.name().mid(5).toString(), a.value().toString());
                    }
                }
                element.example = page.examples.size();
                page.examples << example;
            }
            open << element;
        } else if (token == QXmlStreamReader::Characters) {
            for (Open& element : open) {
                if (IsShownText(element.name)) {
                    element.text += xml.text();
                }
            }
        } else if (token == QXmlStreamReader::EndElement && !open.isEmpty()) {
            const Open element = open.takeLast();
            if (!IsShownText(element.name)) {
                continue;
            }
            for (auto it = open.crbegin(); it != open.crend(); ++it) {
                if (it->example >= 0) {
                    Example& example = page.examples[it->example];
                    (element.name == QLatin1String("kbd")    ? example.kbd
                     : element.name == QLatin1String("code") ? example.code
                                                             : example.samp)
                        << element.text;
                    break;
                }
            }
        }
    }
    if (xml.hasError()) {
        page.error = QStringLiteral("line %1: %2").arg(xml.lineNumber()).arg(xml.errorString());
    }
    return page;
}

const QList<Page>& Pages() {
    static const QList<Page> pages = [] {
        QList<Page> read;
        const QStringList names =
            QDir(kSourceDir).entryList({QStringLiteral("*.html")}, QDir::Files, QDir::Name);
        for (const QString& name : names) {
            read << ReadPage(name);
        }
        return read;
    }();
    return pages;
}

const Page* FindPage(const QString& name) {
    for (const Page& page : Pages()) {
        if (page.name == name) {
            return &page;
        }
    }
    return nullptr;
}

// The shipped lists as the program loads them, each whole and as its short list.
struct ShippedLists {
    DataFileSlot primary;
    DataFileSlot secondary;
};

const ShippedLists& Lists() {
    static const ShippedLists lists = [] {
        ShippedLists loaded;
        test::ScriptedDialogs dialogs;
        const QDir dir(test::bundledListsDir());
        LoadPrimaryDataFile(dir.filePath(QStringLiteral("ICD10vex.txt")), loaded.primary, dialogs);
        BuildShortList(loaded.primary.extended, loaded.primary.shortList);
        LoadSecondaryDataFile(dir.filePath(QStringLiteral("Behandling-procedurer-vex.txt")),
                              loaded.secondary, dialogs);
        return loaded;
    }();
    return lists;
}

class KeepRejection : public SearchRunHook {
public:
    void rejected(const Message& message) override { rejection = message; }
    StepAnswer afterStep(const RunStep&) override { return StepAnswer::Continue; }
    std::optional<Message> rejection;
};

struct Outcome {
    bool rejected = false;
    QString applied;
    QStringList codes;
    QStringList shownLines;  // every line of every message, as its box shows it
};

// A search from the Search button: the typed string, the option boxes and the list the
// options name, each warning answered OK.
Outcome Search(const QString& typed, const QStringList& options, const QString& autoDPrefix) {
    SearchOptions searchOptions;
    searchOptions.freeText = options.contains(QLatin1String("free-text"));
    searchOptions.comments = options.contains(QLatin1String("comments"));
    const DataFileSlot& file =
        options.contains(QLatin1String("secondary")) ? Lists().secondary : Lists().primary;
    const QStringList& list =
        options.contains(QLatin1String("short")) ? file.shortList : file.extended;
    Outcome outcome;
    const auto show = [&outcome](const Message& message) {
        for (const QString& line : message.lines) {
            outcome.shownLines << CaptionDisplayText(line);
        }
    };
    NormalizeInput in;
    in.searchInput = trimmed32(typed);
    if (in.searchInput.isEmpty()) {
        outcome.rejected = true;
        show(EmptySearchStringWarning());
        return outcome;
    }
    in.options = searchOptions;
    in.primaryInUse = !options.contains(QLatin1String("secondary"));
    in.entryAutoDPrefix =
        options.contains(QLatin1String("no-d-prefix")) ? QStringLiteral("0") : autoDPrefix;
    in.locale = QLocale(QLocale::Danish, QLocale::Denmark);
    const NormalizeOutcome normalized = NormalizeSearchString(in);
    if (!normalized.accepted) {
        outcome.rejected = true;
        show(normalized.message.value_or(Message{}));
        return outcome;
    }
    if (searchOptions.freeText && normalized.searchInput.contains(QLatin1Char('*'))) {
        show(FreeTextWarning(normalized.searchInput, false));
    }
    SearchEngine engine;
    ResultTable table;
    KeepRejection hook;
    const int operators = normalized.operatorCount.value_or(0);
    const RunOutcome run =
        engine.run(list, normalized.searchInput, operators, searchOptions, table, hook);
    if (run.status == RunStatus::Rejected) {
        outcome.rejected = true;
        show(hook.rejection.value_or(Message{}));
        return outcome;
    }
    outcome.applied = run.searchInput;
    for (int row = 0; row < table.count(); ++row) {
        outcome.codes << table.code(row);
    }
    if (outcome.codes.isEmpty()) {
        show(NoMatchMessage(run.searchInput, searchOptions, operators));
    }
    return outcome;
}

TEST(HelpPages, AreWellFormedDanishPagesWithNothingToRunOrFetch) {
    ASSERT_GE(Pages().size(), 6);
    for (const Page& page : Pages()) {
        SCOPED_TRACE(page.name.toStdString());
        EXPECT_TRUE(page.error.isEmpty()) << page.error.toStdString();
        EXPECT_EQ(page.lang.toStdString(), "da");
        EXPECT_EQ(page.h1, 1);
        EXPECT_TRUE(page.forbidden.isEmpty()) << page.forbidden.join(", ").toStdString();
        EXPECT_EQ(page.ids.size(), QSet<QString>(page.ids.cbegin(), page.ids.cend()).size());
    }
    // One style sheet of the system's own fonts: nothing is fetched.
    QFile css(QDir(kSourceDir).filePath(QStringLiteral("style.css")));
    ASSERT_TRUE(css.open(QIODevice::ReadOnly));
    const QByteArray style = css.readAll();
    for (const char* fetch : {"url(", "@import", "@font-face"}) {
        EXPECT_FALSE(style.contains(fetch)) << fetch;
    }
}

TEST(HelpPages, EveryLinkLeadsSomewhere) {
    int local = 0;
    for (const Page& page : Pages()) {
        for (const QString& link : page.links) {
            SCOPED_TRACE((page.name + QStringLiteral(" -> ") + link).toStdString());
            if (link.startsWith(QLatin1String("https://")) ||
                link.startsWith(QLatin1String("http://"))) {
                EXPECT_FALSE(link.contains(QLatin1String("example."))) << "a placeholder";
                continue;
            }
            ASSERT_FALSE(link.contains(QLatin1Char(':'))) << "only pages of the help";
            const qsizetype hash = link.indexOf(QLatin1Char('#'));
            const QString file = hash < 0 ? link : link.left(hash);
            const QString target = file.isEmpty() ? page.name : file;
            if (target.endsWith(QLatin1String(".css"))) {
                EXPECT_TRUE(QFile::exists(QDir(kSourceDir).filePath(target)));
                continue;
            }
            const Page* linked = FindPage(target);
            ASSERT_NE(linked, nullptr) << "no such page";
            if (hash >= 0) {
                EXPECT_TRUE(linked->ids.contains(link.mid(hash + 1))) << "no such place";
            }
            ++local;
        }
    }
    EXPECT_GT(local, 0);
}

TEST(HelpPages, EveryExampleHoldsOnTheShippedListsWithTheInstalledOptions) {
    ASSERT_FALSE(Lists().primary.extended.isEmpty());
    ASSERT_FALSE(Lists().secondary.extended.isEmpty());
    const QString autoDPrefix = ReadIniFile(QStringLiteral(VEX_INSTALLED_INI)).entryAutoDPrefix;
    static const QStringList kKnown{"query",   "first-code", "no-match", "rejected",
                                    "message", "applied",    "options"};
    static const QStringList kOptions{"free-text", "comments", "secondary", "short", "no-d-prefix"};
    int examples = 0;
    for (const Page& page : Pages()) {
        for (const Example& e : page.examples) {
            const QString query = e.data.value(QStringLiteral("query"));
            SCOPED_TRACE((page.name + QLatin1Char(':') + QString::number(e.line) +
                          QStringLiteral(" «") + query + QStringLiteral("»"))
                             .toStdString());
            ++examples;
            for (const QString& key : e.data.keys()) {
                EXPECT_TRUE(kKnown.contains(key)) << "data-" << key.toStdString();
            }
            const QStringList options =
                e.data.value(QStringLiteral("options")).split(QLatin1Char(' '), Qt::SkipEmptyParts);
            for (const QString& option : options) {
                EXPECT_TRUE(kOptions.contains(option)) << option.toStdString();
            }
            const bool hit = e.data.contains(QStringLiteral("first-code"));
            const bool noMatch = e.data.contains(QStringLiteral("no-match"));
            const bool rejected = e.data.contains(QStringLiteral("rejected"));
            ASSERT_EQ(int(hit) + int(noMatch) + int(rejected), 1) << "one expected outcome";

            // The page shows what is tested.
            ASSERT_FALSE(e.kbd.isEmpty());
            EXPECT_EQ(e.kbd.first().toStdString(), query.toStdString());
            for (const char* shown : {"applied", "message"}) {
                if (e.data.contains(QLatin1String(shown))) {
                    EXPECT_TRUE(e.samp.contains(e.data.value(QLatin1String(shown)))) << shown;
                }
            }

            const Outcome outcome = Search(query, options, autoDPrefix);
            EXPECT_EQ(outcome.rejected, rejected);
            if (hit) {
                const QString code = e.data.value(QStringLiteral("first-code"));
                EXPECT_TRUE(e.code.contains(code));
                ASSERT_FALSE(outcome.codes.isEmpty());
                EXPECT_EQ(outcome.codes.first().toStdString(), code.toStdString());
            }
            if (noMatch) {
                EXPECT_TRUE(outcome.codes.isEmpty()) << outcome.codes.join(' ').toStdString();
            }
            if (e.data.contains(QStringLiteral("applied"))) {
                EXPECT_EQ(outcome.applied.toStdString(),
                          e.data.value(QStringLiteral("applied")).toStdString());
            }
            if (e.data.contains(QStringLiteral("message"))) {
                EXPECT_TRUE(outcome.shownLines.contains(e.data.value(QStringLiteral("message"))))
                    << outcome.shownLines.join('|').toStdString();
            } else if (!noMatch) {
                EXPECT_TRUE(outcome.shownLines.isEmpty())
                    << "unexpected message: " << outcome.shownLines.join('|').toStdString();
            }
        }
    }
    std::cout << "help examples run: " << examples << '\n';
    EXPECT_GE(examples, 40);
}

TEST(HelpPages, BuildTreeHasEveryPageWithTheBuildsVersion) {
    for (const Page& page : Pages()) {
        EXPECT_TRUE(QFile::exists(QDir(kBuiltDir).filePath(page.name))) << page.name.toStdString();
    }
    QFile about(QDir(kBuiltDir).filePath(QStringLiteral("om.html")));
    ASSERT_TRUE(about.open(QIODevice::ReadOnly));
    const QString text = QString::fromUtf8(about.readAll());
    EXPECT_FALSE(text.contains(QLatin1Char('@')));
    EXPECT_TRUE(text.contains(QStringLiteral(">%1.%2.%3<")
                                  .arg(VEX_VERSION_MAJOR)
                                  .arg(VEX_VERSION_MINOR)
                                  .arg(VEX_VERSION_PATCH)));
}

}  // namespace
