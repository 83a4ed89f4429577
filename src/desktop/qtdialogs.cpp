#include "desktop/qtdialogs.h"

#include <QAbstractButton>
#include <QGuiApplication>
#include <QInputDialog>
#include <QKeyEvent>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QWindow>

#include "base/textutil.h"
#include "desktop/captions.h"

namespace vex {

namespace {

QMessageBox::Icon IconOf(MessageKind kind) {
    switch (kind) {
        case MessageKind::Error:
            return QMessageBox::Critical;
        case MessageKind::Warning:
            return QMessageBox::Warning;
        case MessageKind::Information:
            return QMessageBox::Information;
        case MessageKind::Confirmation:
            return QMessageBox::Question;
    }
    return QMessageBox::NoIcon;
}

// The buttons in the order the box shows them, with the desktop's Danish captions. The program
// sets them itself, so they are Danish whether or not Qt's own translation is installed.
struct ButtonSpec {
    MessageButton button;
    QMessageBox::StandardButton standard;
    const char16_t* caption;
};

constexpr ButtonSpec kButtons[] = {
    {ButtonOk, QMessageBox::Ok, u"OK"},        {ButtonYes, QMessageBox::Yes, u"&Ja"},
    {ButtonNo, QMessageBox::No, u"&Nej"},      {ButtonCancel, QMessageBox::Cancel, u"Annuller"},
    {ButtonHelp, QMessageBox::Help, u"Hjælp"},
};

const QString kOkCaption = QStringLiteral("OK");
const QString kCancelCaption = QStringLiteral("Annuller");

// Keeps a Yes/No box open until one of its buttons answers it. Such a box has no Cancel
// button and cannot be dismissed: Escape (also the repeats of a held key) and the window's
// close button are swallowed. Qt would pick "No" as the box's escape button and let the close
// button answer too.
class AnswerOnlyByButton : public QObject {
public:
    explicit AnswerOnlyByButton(QMessageBox& box) : QObject(&box) {
        box.installEventFilter(this);
        connect(&box, &QMessageBox::buttonClicked, this, [this] { answered_ = true; });
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::KeyPress &&
            static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape) {
            return true;
        }
        if (event->type() == QEvent::Close && !answered_) {
            event->ignore();
            return true;
        }
        return QObject::eventFilter(watched, event);
    }

private:
    bool answered_ = false;
};

}  // namespace

void QtDialogs::place(QWidget* dialog) const {
    dialog->adjustSize();
    if (parent_ != nullptr && parent_->isVisible()) {
        const QRect frame = parent_->frameGeometry();
        dialog->move(frame.center() - dialog->rect().center());
        return;
    }
    // Before the window has its place (the start-up's boxes), a box is centred on the work
    // area. The splash screen stays on top there, so the box is put above it: a box hidden
    // behind the splash would leave the user facing a start that seems frozen.
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        dialog->move(screen->availableGeometry().center() - dialog->rect().center());
    }
    QWidget* splash = splashWindow_ ? splashWindow_() : nullptr;
    if (splash != nullptr && splash->windowHandle() != nullptr) {
        dialog->setWindowFlag(Qt::WindowStaysOnTopHint);
        dialog->createWinId();
        dialog->windowHandle()->setTransientParent(splash->windowHandle());
    }
}

MessageButton QtDialogs::showMessage(const Message& message) {
    QMessageBox box(IconOf(message.kind), QStringLiteral("Vex Diagnoseliste"),
                    CaptionDisplayText(message.lines.join(QLatin1Char('\n'))),
                    QMessageBox::NoButton, parent_);
    box.setTextFormat(Qt::PlainText);
    box.setObjectName(QStringLiteral("MessageBox"));
    box.setProperty("messageText", message.text());
    QAbstractButton* first = nullptr;
    for (const ButtonSpec& entry : kButtons) {
        if ((message.buttons & entry.button) == 0) {
            continue;
        }
        QAbstractButton* button = box.addButton(entry.standard);
        button->setText(QString::fromUtf16(entry.caption));
        button->setProperty("vexButton", static_cast<int>(entry.button));
        if (entry.button == ButtonHelp) {
            // The box closes on any of its buttons; the help button is taken out of that
            // so that it only asks for help and the box stays open.
            QObject::disconnect(button, &QAbstractButton::clicked, nullptr, nullptr);
            QObject::connect(button, &QAbstractButton::clicked, &box, [this] {
                if (help_) {
                    help_(0);
                }
            });
        } else if (first == nullptr) {
            first = button;
        }
    }
    if (first != nullptr) {
        box.setDefaultButton(qobject_cast<QPushButton*>(first));
    }
    if ((message.buttons & (ButtonYes | ButtonNo)) != 0 && (message.buttons & ButtonCancel) == 0) {
        new AnswerOnlyByButton(box);
    }
    place(&box);
    box.exec();
    QAbstractButton* clicked = box.clickedButton();
    if (clicked == nullptr) {
        // Closed with the window's close button or Esc without an escape button.
        if (message.buttons & ButtonCancel) {
            return ButtonCancel;
        }
        if (message.buttons & ButtonNo) {
            return ButtonNo;
        }
        return firstButton(message.buttons & ~ButtonHelp);
    }
    return static_cast<MessageButton>(clicked->property("vexButton").toInt());
}

std::optional<QString> QtDialogs::inputText(const QString& caption, const QString& prompt,
                                            const QString& preset) {
    QInputDialog dialog(parent_);
    dialog.setObjectName(QStringLiteral("InputDialog"));
    dialog.setWindowTitle(caption);
    dialog.setLabelText(prompt);
    dialog.setTextValue(preset);
    dialog.setInputMode(QInputDialog::TextInput);
    dialog.setOkButtonText(kOkCaption);
    dialog.setCancelButtonText(kCancelCaption);
    place(&dialog);
    if (dialog.exec() != QDialog::Accepted) {
        return std::nullopt;
    }
    return dialog.textValue();
}

void QtDialogs::requestSplashClose() {
    if (splashCloser_) {
        splashCloser_();
    }
}

}  // namespace vex
