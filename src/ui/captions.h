#pragma once

#include <QString>

class QLabel;
class QWidget;

namespace vex {

// The text a caption shows: "&&" becomes one ampersand and a single "&" (the accelerator
// mark) disappears. Buttons and check boxes do this themselves; labels and message boxes
// get their text through here.
QString CaptionDisplayText(const QString& caption);

// Sets a label's caption. The caption as given is kept in the label's "caption" property;
// the label shows its display text.
void SetLabelCaption(QLabel* label, const QString& caption);
QString LabelCaption(const QLabel* label);

// A hint as shown in a tool tip: its CR LF line breaks become plain line breaks.
QString HintDisplayText(const QString& hint);

// Sets a widget's hint (kept with its CR LF line breaks as the tool tip text).
void SetHint(QWidget* widget, const QString& hint);

}  // namespace vex
