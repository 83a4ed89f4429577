#include "scripteddialogs.h"

#include <gtest/gtest.h>

using namespace vex;

TEST(Dialogs, endOfProgramRequestClosesLaterBoxesAtOnce) {
    test::ScriptedDialogs d;
    d.setNextAnswer(ButtonNo);
    EXPECT_EQ(d.show(MessageKind::Confirmation, ButtonYes | ButtonNo, {"a"}), ButtonNo);
    d.requestEndOfProgram();
    EXPECT_EQ(d.show(MessageKind::Error, ButtonOk | ButtonHelp, {"b"}), ButtonOk);
    ASSERT_EQ(d.shown.size(), 1);
    ASSERT_EQ(d.suppressed.size(), 1);
    EXPECT_EQ(d.suppressed[0].text(), QStringLiteral("b"));
}

TEST(Dialogs, messageTextJoinsLinesWithCrLf) {
    const Message m{MessageKind::Warning, ButtonOk, {"", "x"}};
    EXPECT_EQ(m.text(), QStringLiteral("\r\nx"));
}
