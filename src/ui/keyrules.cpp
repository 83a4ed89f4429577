#include "ui/keyrules.h"

namespace vex {

namespace {

// The keys Qt gives codes of its own (0x01000000 and up) that the desktop counts at 32 or
// above.
bool IsSoundingSpecialKey(int key) {
    switch (key) {
        case Qt::Key_Insert:
        case Qt::Key_Delete:
        case Qt::Key_Print:
        case Qt::Key_SysReq:
        case Qt::Key_NumLock:
        case Qt::Key_ScrollLock:
        case Qt::Key_Menu:
        case Qt::Key_Help:
        case Qt::Key_Select:
        case Qt::Key_Printer:
        case Qt::Key_Execute:
        case Qt::Key_Sleep:
        case Qt::Key_Play:
        case Qt::Key_Zoom:
            return true;
        default:
            break;
    }
    if (key >= Qt::Key_Home && key <= Qt::Key_PageDown) {
        return true;  // Home, End, the arrows, PgUp and PgDown
    }
    if (key >= Qt::Key_F1 && key <= Qt::Key_F35) {
        return true;
    }
    // Browser, media and launch keys.
    return key >= Qt::Key_Back && key <= 0x010000ff;
}

}  // namespace

bool IsAlertKey(int qtKey) {
    if (qtKey <= 0 || qtKey == Qt::Key_unknown) {
        return false;
    }
    if (qtKey < Qt::Key_Escape) {
        // Keys that stand for a character: Space, digits, letters, punctuation, national
        // letters.
        return qtKey >= Qt::Key_Space;
    }
    return IsSoundingSpecialKey(qtKey);
}

bool IsCtrlAlone(Qt::KeyboardModifiers modifiers) {
    return (modifiers & (Qt::ControlModifier | Qt::ShiftModifier | Qt::AltModifier)) ==
           Qt::ControlModifier;
}

QString GridRowClipboardText(const QString& code, const QString& text) {
    return code + QStringLiteral("  ") + text;
}

QString CodeWithoutMarks(QString code) {
    return code.remove(QLatin1Char('*'));
}

}  // namespace vex
