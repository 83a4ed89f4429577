#include "ui/qtdialogs.h"

#include <QAbstractButton>
#include <QInputDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>

#include "base/textutil.h"
#include "ui/captions.h"

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

struct ButtonSpec {
    MessageButton button;
    QMessageBox::StandardButton standard;
};

constexpr ButtonSpec kButtons[] = {
    {ButtonOk, QMessageBox::Ok},     {ButtonYes, QMessageBox::Yes},
    {ButtonNo, QMessageBox::No},     {ButtonCancel, QMessageBox::Cancel},
    {ButtonHelp, QMessageBox::Help},
};

void CentreOn(QWidget* dialog, const QWidget* parent) {
    dialog->adjustSize();
    if (parent != nullptr && parent->isVisible()) {
        const QRect frame = parent->frameGeometry();
        dialog->move(frame.center() - dialog->rect().center());
    }
}

}  // namespace

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
    CentreOn(&box, parent_);
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
    CentreOn(&dialog, parent_);
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
