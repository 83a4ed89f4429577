#pragma once

#include "base/textutil.h"

#include <QString>

class QAbstractButton;
class QLabel;
class QWidget;

namespace vex {

// Sets a label's caption. The caption as given is kept in the label's "caption" property;
// the label shows its display text (CaptionDisplayText). A label whose text alone does not say what
// it is (a count, a time, a status panel) is given `what`: a screen reader then hears "what: text"
// ("Antal fund: 3/77"; "what: ingen" while the label shows nothing). Without `what` it hears
// the text.
void SetLabelCaption(QLabel* label, const QString& caption, const QString& what = QString());
QString LabelCaption(const QLabel* label);

// The same for a label that shows its text as given (a status panel: no accelerator marks,
// its size kept).
void SetLabelText(QLabel* label, const QString& text, const QString& what = QString());

// Sets the caption of a button or check box; a screen reader hears its display text.
void SetButtonCaption(QAbstractButton* button, const QString& caption);

// A hint as shown in a tool tip: its CR LF line breaks become plain line breaks.
QString HintDisplayText(const QString& hint);

// Sets a widget's hint (kept with its CR LF line breaks as the tool tip text).
void SetHint(QWidget* widget, const QString& hint);

}  // namespace vex
