#pragma once

#include <QMargins>
#include <QRect>

namespace vex {

// Where the window goes when it is first shown, and again once its frame is known.
struct WindowFit {
    QRect frame;        // the window's outer rectangle, title bar and borders included
    int minimumHeight;  // its minimum height, without the frame (as the window keeps it)

    bool operator==(const WindowFit&) const = default;
};

// Fits the window onto the work area (the screen minus task bars) by its outer rectangle, so
// that the title bar stays on the screen. frame is the outer rectangle and margins the frame's
// borders around the window (empty while the window manager has not framed it yet);
// minimumHeight is the window's own, without the frame. A work area lower than the window's
// minimum height makes that height and the window's height the work area's (the screen's,
// when that is smaller) with the window at the top; a window taller than the work area gets its
// height and goes to the top; a window off the work area sideways or upwards or downwards is
// centred in that direction.
WindowFit FitWindowToWorkArea(const QRect& frame, const QMargins& margins, int minimumHeight,
                              const QRect& workArea, int screenHeight);

// The window centred on the work area.
QPoint CentredOnWorkArea(const QSize& window, const QRect& workArea);

}  // namespace vex
