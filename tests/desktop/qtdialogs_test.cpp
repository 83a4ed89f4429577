#include <gtest/gtest.h>

#include <QApplication>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <QTimer>
#include <QWindow>

#include <functional>

#include "desktop/qtdialogs.h"

namespace vex {
namespace {

// Runs the action on the modal box once it is open.
void WhenModalOpens(std::function<void(QWidget*)> action) {
    QTimer::singleShot(0, [action] {
        QWidget* modal = QApplication::activeModalWidget();
        ASSERT_NE(modal, nullptr);
        action(modal);
    });
}

QAbstractButton* ButtonOf(QWidget* box, QMessageBox::StandardButton which) {
    return static_cast<QMessageBox*>(box)->button(which);
}

TEST(QtDialogsTest, HelpButtonAsksForHelpAndLeavesTheBoxOpen) {
    QWidget window;
    window.resize(400, 300);
    window.show();
    QtDialogs dialogs(&window);
    QList<int> helpContexts;
    dialogs.setHelpHandler([&](int context) { helpContexts.append(context); });
    bool stillOpenAfterHelp = false;
    WhenModalOpens([&](QWidget* box) {
        QTest::mouseClick(ButtonOf(box, QMessageBox::Help), Qt::LeftButton);
        stillOpenAfterHelp = box->isVisible();
        QTest::mouseClick(ButtonOf(box, QMessageBox::Cancel), Qt::LeftButton);
    });
    const MessageButton answer =
        dialogs.show(MessageKind::Warning, ButtonOk | ButtonCancel | ButtonHelp, {"a", "b"});
    EXPECT_TRUE(stillOpenAfterHelp);
    EXPECT_EQ(helpContexts, QList<int>{0});
    EXPECT_EQ(answer, ButtonCancel);
}

TEST(QtDialogsTest, KindButtonsAndTextReachTheBox) {
    struct Case {
        MessageKind kind;
        int buttons;
        QMessageBox::Icon icon;
        QMessageBox::StandardButton press;
        MessageButton expected;
    };
    const Case cases[] = {
        {MessageKind::Error, ButtonOk | ButtonHelp, QMessageBox::Critical, QMessageBox::Ok,
         ButtonOk},
        {MessageKind::Warning, ButtonOk, QMessageBox::Warning, QMessageBox::Ok, ButtonOk},
        {MessageKind::Information, ButtonOk, QMessageBox::Information, QMessageBox::Ok, ButtonOk},
        {MessageKind::Confirmation, ButtonYes | ButtonNo, QMessageBox::Question, QMessageBox::No,
         ButtonNo},
        {MessageKind::Confirmation, ButtonYes | ButtonNo, QMessageBox::Question, QMessageBox::Yes,
         ButtonYes},
    };
    QtDialogs dialogs;
    for (const Case& c : cases) {
        QMessageBox::Icon icon = QMessageBox::NoIcon;
        QString logical;
        QString shown;
        int buttonCount = 0;
        WhenModalOpens([&](QWidget* w) {
            auto* box = static_cast<QMessageBox*>(w);
            icon = box->icon();
            logical = box->property("messageText").toString();
            shown = box->text();
            buttonCount = box->buttons().size();
            QTest::mouseClick(box->button(c.press), Qt::LeftButton);
        });
        const MessageButton answer = dialogs.show(c.kind, c.buttons, {"", "Søg a && b", "x"});
        EXPECT_EQ(icon, c.icon);
        EXPECT_EQ(logical, QStringLiteral("\r\nSøg a && b\r\nx"));
        EXPECT_EQ(shown, QStringLiteral("\nSøg a & b\nx"));
        EXPECT_EQ(buttonCount, __builtin_popcount(static_cast<unsigned>(c.buttons)));
        EXPECT_EQ(answer, c.expected);
    }
}

TEST(QtDialogsTest, InputDialogShowsCaptionPromptAndPreset) {
    QtDialogs dialogs;
    QString title;
    QString prompt;
    QString preset;
    WhenModalOpens([&](QWidget* w) {
        auto* dialog = static_cast<QInputDialog*>(w);
        title = dialog->windowTitle();
        prompt = dialog->labelText();
        preset = dialog->textValue();
        dialog->setTextValue(QStringLiteral("astma"));
        dialog->accept();
    });
    const auto text =
        dialogs.inputText(QStringLiteral("Vex Diagnoseliste"),
                          QStringLiteral("Anfør ønsket søgestreng:"), QStringLiteral("feber"));
    EXPECT_EQ(title, QStringLiteral("Vex Diagnoseliste"));
    EXPECT_EQ(prompt, QStringLiteral("Anfør ønsket søgestreng:"));
    EXPECT_EQ(preset, QStringLiteral("feber"));
    EXPECT_EQ(text, std::optional<QString>(QStringLiteral("astma")));

    WhenModalOpens([](QWidget* w) { static_cast<QDialog*>(w)->reject(); });
    EXPECT_EQ(dialogs.inputText("c", "p", "x"), std::nullopt);
}

TEST(QtDialogsTest, ButtonsSpeakDanishWithoutQtsTranslation) {
    QtDialogs dialogs;
    QStringList okCancelHelp;
    QStringList yesNo;
    const auto texts = [](QWidget* w) {
        QStringList t;
        for (QAbstractButton* b : static_cast<QMessageBox*>(w)->buttons()) {
            t << b->text();
        }
        t.sort();
        return t;
    };
    WhenModalOpens([&](QWidget* box) {
        okCancelHelp = texts(box);
        QTest::mouseClick(ButtonOf(box, QMessageBox::Cancel), Qt::LeftButton);
    });
    dialogs.show(MessageKind::Warning, ButtonOk | ButtonCancel | ButtonHelp, {"x"});
    WhenModalOpens([&](QWidget* box) {
        yesNo = texts(box);
        QTest::mouseClick(ButtonOf(box, QMessageBox::Yes), Qt::LeftButton);
    });
    dialogs.show(MessageKind::Confirmation, ButtonYes | ButtonNo, {"x"});
    EXPECT_EQ(okCancelHelp, (QStringList{"Annuller", "Hjælp", "OK"}));
    EXPECT_EQ(yesNo, (QStringList{"&Ja", "&Nej"}));

    QStringList input;
    WhenModalOpens([&](QWidget* w) {
        auto* dialog = static_cast<QInputDialog*>(w);
        input = QStringList{dialog->okButtonText(), dialog->cancelButtonText()};
        dialog->reject();
    });
    dialogs.inputText("c", "p", "x");
    EXPECT_EQ(input, (QStringList{"OK", "Annuller"}));
}

TEST(QtDialogsTest, BoxBeforeTheWindowIsShownIsCentredOnTheWorkAreaAboveTheSplash) {
    QWidget window;  // created, not yet shown
    QWidget splash(nullptr, Qt::SplashScreen | Qt::WindowStaysOnTopHint);
    splash.show();
    QtDialogs dialogs(&window);
    dialogs.setSplashWindow([&splash] { return &splash; });
    QPoint centre;
    bool onTop = false;
    QWindow* transientParent = nullptr;
    WhenModalOpens([&](QWidget* box) {
        centre = box->frameGeometry().center();
        onTop = box->windowFlags().testFlag(Qt::WindowStaysOnTopHint);
        transientParent = box->windowHandle()->transientParent();
        static_cast<QDialog*>(box)->accept();
    });
    dialogs.show(MessageKind::Error, ButtonOk | ButtonHelp, {"", "Programmet kan ikke finde"});
    const QPoint workCentre = QGuiApplication::primaryScreen()->availableGeometry().center();
    EXPECT_LE((centre - workCentre).manhattanLength(), 8);  // the frame is not known before
    EXPECT_TRUE(onTop);
    EXPECT_EQ(transientParent, splash.windowHandle());
}

TEST(QtDialogsTest, EndOfProgramClosesBoxesUnseenAndSplashRequestsReachTheCloser) {
    QtDialogs dialogs;
    int closes = 0;
    dialogs.setSplashCloser([&] { ++closes; });
    dialogs.requestSplashClose();
    EXPECT_EQ(closes, 1);
    dialogs.requestEndOfProgram();
    EXPECT_EQ(dialogs.show(MessageKind::Error, ButtonOk | ButtonHelp, {"x"}), ButtonOk);
}

}  // namespace
}  // namespace vex
