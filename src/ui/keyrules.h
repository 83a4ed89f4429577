#pragma once

#include <QString>
#include <Qt>

namespace vex {

// Whether a key sounds the alert in a record field. The rule counts keys as the desktop's
// virtual key codes do: Space (code 32) and everything above it sound (text keys, page keys,
// Home, End, arrows, Insert, Delete, the numeric pad, function keys, punctuation, media and
// browser keys); Backspace, Tab, Enter, Escape, Pause, Caps Lock and the modifier keys do not.
bool IsAlertKey(int qtKey);

// Ctrl is down and neither Shift nor Alt is (other modifiers do not matter).
bool IsCtrlAlone(Qt::KeyboardModifiers modifiers);

// A result row as the clipboard gets it: code, two blanks, text, and nothing after it.
QString GridRowClipboardText(const QString& code, const QString& text);

// The code field's text with every "*" taken out.
QString CodeWithoutMarks(QString code);

}  // namespace vex
