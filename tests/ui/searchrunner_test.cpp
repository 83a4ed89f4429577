#include <gtest/gtest.h>

#include <QTest>
#include <QWidget>

#include "listfiles.h"
#include "scripteddialogs.h"
#include "search/resulttable.h"
#include "ui/searchrunner.h"

namespace vex {

void PrintTo(EscLabelState state, std::ostream* os) {
    *os << "state " << int(state);
}

namespace test {
namespace {

// Records that «kolera» finds, and one at the end that it does not find.
QStringList KoleraRecords(int count) {
    QStringList list;
    for (int i = 0; i < count; ++i) {
        list << RecordLine({{Column::Code, QStringLiteral("DA%1").arg(i)},
                            {Column::Text, QStringLiteral("Kolera")}});
    }
    return list << RecordLine({{Column::Code, "DZ99"}, {Column::Text, "Tyfus"}});
}

// The runner tells the window what its ESC label is to show, in the order of the run.
TEST(SearchRunnerTest, ReportsTheEscLabelStatesOfARun) {
    using S = EscLabelState;
    const struct {
        const char* name;
        int records;
        std::optional<MessageButton> escAnswer;  // ESC held at the start, and the answer
        QList<EscLabelState> states;
        RunStatus status;
    } cases[] = {
        {"a few hits", 3, std::nullopt, {S::Hint, S::Hidden}, RunStatus::Completed},
        {"a hundred hits",
         120,
         std::nullopt,
         {S::Hint, S::HintShown, S::Hidden},
         RunStatus::Completed},
        {"ESC, going on",
         3,
         ButtonNo,
         {S::Hint, S::Paused, S::GoingOn, S::Hidden},
         RunStatus::Completed},
        {"ESC, aborting", 3, ButtonYes, {S::Hint, S::Paused, S::Aborted}, RunStatus::Aborted},
    };
    for (const auto& c : cases) {
        ScriptedDialogs dialogs;
        QList<EscLabelState> states;
        SearchRunner runner(dialogs, [&states](EscLabelState s) { states << s; });
        QWidget target;
        if (c.escAnswer) {
            dialogs.setNextAnswer(*c.escAnswer);
            QTest::keyPress(&target, Qt::Key_Escape);
        }
        ResultTable table;
        const RunOutcome run =
            runner.run(KoleraRecords(c.records), QStringLiteral("kolera"), 0, {}, table);
        EXPECT_EQ(states, c.states) << c.name;
        EXPECT_EQ(run.status, c.status) << c.name;
        EXPECT_EQ(dialogs.shown.size(), c.escAnswer ? 1 : 0) << c.name;
        EXPECT_FALSE(runner.running()) << c.name;
        QTest::keyRelease(&target, Qt::Key_Escape);
    }
}

}  // namespace
}  // namespace test
}  // namespace vex
