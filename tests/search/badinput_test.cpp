#include "search/normalize.h"
#include "search/resulttable.h"
#include "search/searchengine.h"

#include "listrecords.h"
#include "tempfiles.h"

#include <gtest/gtest.h>

#include <QElapsedTimer>

using namespace vex;

namespace {

class ContinueHook : public SearchRunHook {
public:
    StepAnswer afterStep(const RunStep&) override { return StepAnswer::Continue; }
};

// Normalises and runs a typed string as the Search button does; answers whether it ended with
// a message (rejected) or a result.
bool searchEnds(SearchEngine& engine, const QStringList& list, const QString& typed) {
    for (bool freeText : {false, true}) {
        NormalizeInput in;
        in.searchInput = typed;
        in.options.freeText = freeText;
        in.entryAutoDPrefix = QStringLiteral("1");
        const NormalizeOutcome n = NormalizeSearchString(in);
        if (!n.accepted) {
            if (!n.message) {
                return false;
            }
            continue;
        }
        ResultTable table;
        ContinueHook hook;
        const RunOutcome out =
            engine.run(list, n.searchInput, *n.operatorCount, {freeText, false}, table, hook);
        if (out.status == RunStatus::Aborted) {
            return false;
        }
    }
    return true;
}

}  // namespace

TEST(BadSearchInput, endsWithAMessageOrAResult) {
    const QStringList list =
        test::readListRecords(test::fixtureListsDir() + QStringLiteral("/ICD10vex.txt"));
    ASSERT_FALSE(list.isEmpty());
    QString printable;
    for (char16_t c = 32; c < 127; ++c) {
        printable += QChar(c);
    }
    QString controls;
    for (char16_t c = 0; c < 32; ++c) {
        controls += QChar(c);
    }
    const QString inputs[] = {
        QString(10000, QLatin1Char('a')),
        QString(10000, QLatin1Char('&')),
        QString(10000, QLatin1Char(' ')),
        QString(10000, QLatin1Char('*')),
        QString(10000, QLatin1Char('$')),
        QStringLiteral("a and ").repeated(2000),
        QStringLiteral(" AND").repeated(2500),
        QStringLiteral("& ").repeated(5000),
        QStringLiteral("\\ ").repeated(5000),
        QStringLiteral("x ") + QString(9990, QLatin1Char('|')) + QStringLiteral(" y"),
        QStringLiteral("\"") + QString(9998, QLatin1Char('\'')) + QStringLiteral("\""),
        QStringLiteral("and"),
        QStringLiteral(" AND "),
        QStringLiteral("AND AND"),
        QStringLiteral("& | \\"),
        QStringLiteral("a & | b"),
        QStringLiteral("*"),
        QStringLiteral("$"),
        QStringLiteral("*$"),
        QStringLiteral("$ AND $"),
        QStringLiteral("x AND $"),
        QStringLiteral("x NOT *"),
        QStringLiteral("* NOT x"),
        QStringLiteral("*$ AND a"),
        controls,
        QStringLiteral("a\tb"),
        QStringLiteral("a\x01 AND \x02b"),
        QString(QChar(0xD800)),
        QString(QChar(0xDC00)) + QStringLiteral("feber"),
        QStringLiteral("feber") + QChar(0xD83D),
        QStringLiteral("a ") + QChar(0xDFFF) + QStringLiteral(" & b"),
        printable,
        printable.repeated(100),
        QString(printable).remove(u'&').remove(u'|').remove(u'\\'),
    };
    SearchEngine engine;
    for (const QString& typed : inputs) {
        QElapsedTimer timer;
        timer.start();
        EXPECT_TRUE(searchEnds(engine, list, typed)) << typed.left(40).toStdString();
        EXPECT_LT(timer.elapsed(), 5000) << typed.left(40).toStdString();
    }
}

TEST(BadSearchInput, everyPrintableCharacterAloneAndAsOperand) {
    const QStringList list{QStringLiteral("DA00\t\tKolera (feber) 'x' \"y\" a-b a/b a;b"),
                           QStringLiteral("\"DA01\"\t\t\"\"\t\t\t\t\t\"")};
    SearchEngine engine;
    for (char16_t c = 32; c < 127; ++c) {
        const QString ch(QChar{c});
        for (const QString& typed :
             {ch, ch + ch, QStringLiteral("a") + ch, ch + QStringLiteral(" AND feber"),
              QStringLiteral("feber NOT ") + ch, QStringLiteral("feber OR ") + ch}) {
            EXPECT_TRUE(searchEnds(engine, list, typed)) << typed.toStdString();
        }
    }
}
