#include "desktop/captions.h"

#include <QAbstractButton>
#include <QLabel>
#include <QVariant>

namespace vex {

void SetLabelText(QLabel* label, const QString& text, const QString& what) {
    label->setText(text);
    if (what.isEmpty()) {
        label->setAccessibleName(QString());  // the text is the name
        return;
    }
    const QString shown = text.trimmed();
    label->setAccessibleName(what + QStringLiteral(": ") +
                             (shown.isEmpty() ? QStringLiteral("ingen") : shown));
}

void SetLabelCaption(QLabel* label, const QString& caption, const QString& what) {
    label->setProperty("caption", caption);
    SetLabelText(label, CaptionDisplayText(caption), what);
    label->adjustSize();
    const QVariant rightEdge = label->property("rightEdge");
    if (rightEdge.isValid()) {
        label->move(rightEdge.toInt() - label->width(), label->y());
    }
}

QString LabelCaption(const QLabel* label) {
    return label->property("caption").toString();
}

void SetButtonCaption(QAbstractButton* button, const QString& caption) {
    button->setText(caption);
    button->setAccessibleName(CaptionDisplayText(caption));
}

QString HintDisplayText(const QString& hint) {
    QString out = hint;
    out.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    return out;
}

void SetHint(QWidget* widget, const QString& hint) {
    widget->setToolTip(hint);
}

}  // namespace vex
