// Answers of the search on the primary bundled list with both search options off.
#include "search/normalize.h"
#include "search/resulttable.h"
#include "search/searchengine.h"

#include "listrecords.h"
#include "tempfiles.h"

#include <gtest/gtest.h>

#include <algorithm>

using namespace vex;

namespace {

class RecordingHook : public SearchRunHook {
public:
    void rejected(const Message& m) override { message = m; }
    StepAnswer afterStep(const RunStep&) override { return StepAnswer::Continue; }
    std::optional<Message> message;
};

struct Answer {
    bool accepted = false;
    QString applied;
    QStringList codes;
    std::optional<Message> message;
};

const QStringList& PrimaryList() {
    static const QStringList list =
        test::readListRecords(test::bundledListsDir() + QStringLiteral("/ICD10vex.txt"));
    return list;
}

// Normalises and runs the typed string as the Search button does.
Answer Search(const char* typed) {
    NormalizeInput in;
    in.searchInput = QString::fromUtf8(typed);
    const NormalizeOutcome n = NormalizeSearchString(in);
    Answer a;
    a.accepted = n.accepted;
    a.message = n.message;
    if (!n.accepted) {
        return a;
    }
    SearchEngine engine;
    ResultTable table;
    RecordingHook hook;
    const RunOutcome run =
        engine.run(PrimaryList(), n.searchInput, *n.operatorCount, {}, table, hook);
    a.applied = run.searchInput;
    a.message = hook.message;
    for (int row = 0; row < table.rowCount(); ++row) {
        a.codes << table.code(row);
    }
    return a;
}

// The reason of a refusal: the line after the string in brackets and the empty line.
QString ReasonOf(const Answer& a) {
    return a.message && a.message->lines.size() > 3 ? a.message->lines.at(3) : QString();
}

TEST(BundledQueries, AStarOperandCoversTheOtherOrMakesAMatchImpossible) {
    ASSERT_FALSE(PrimaryList().isEmpty());
    for (const char* typed : {"x AND *", "x OR *"}) {
        const Answer a = Search(typed);
        EXPECT_TRUE(a.codes.isEmpty()) << typed;
        EXPECT_EQ(ReasonOf(a), "da den ene operand udgør en delmængde af den anden,") << typed;
    }
    const Answer a = Search("x NOT *");
    EXPECT_TRUE(a.codes.isEmpty());
    EXPECT_EQ(ReasonOf(a),
              "da den negerende (bagerste) operand udgør en delmængde af den forreste");
}

// A clinician's Danish words find the records that hold them.
TEST(BundledQueries, DanishWordsFindTheirRecords) {
    EXPECT_FALSE(Search("kræft").codes.isEmpty());
    EXPECT_FALSE(Search("blødning").codes.isEmpty());
    const QStringList pneumonia = Search("lungebetændelse").codes;
    EXPECT_TRUE(pneumonia.contains("DJ18"));
    for (const char* group : {"DJ12", "DJ13", "DJ14", "DJ15", "DJ16", "DJ17"}) {
        EXPECT_TRUE(std::any_of(pneumonia.cbegin(), pneumonia.cend(), [group](const QString& c) {
            return c.startsWith(group);
        })) << group;
    }
}

TEST(BundledQueries, GroupRewriteIsRepeatedUntilItNoLongerChanges) {
    const Answer a = Search("6 and $6");
    EXPECT_EQ(a.applied, "6 AND $DD6");
    EXPECT_FALSE(a.message.has_value());
    ASSERT_FALSE(a.codes.isEmpty());
    for (const QString& code : a.codes) {
        EXPECT_TRUE(code.startsWith("DD6")) << code.toStdString();
    }
}

TEST(BundledQueries, AnEmptyGroupKeepsEveryHitWithAndAndNoneWithNot) {
    const Answer term = Search("CAR");
    ASSERT_FALSE(term.codes.isEmpty());
    const Answer withAnd = Search("CAR AND $");
    EXPECT_FALSE(withAnd.message.has_value());
    EXPECT_EQ(withAnd.codes, term.codes);
    const Answer withNot = Search("CAR NOT $");
    EXPECT_FALSE(withNot.message.has_value());
    EXPECT_TRUE(withNot.codes.isEmpty());
}

}  // namespace
