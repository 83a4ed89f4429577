#pragma once

#include <QRect>

namespace vex {

// Where the window goes when it is first shown.
struct WindowFit {
    QRect geometry;     // position and size of the window
    int minimumHeight;  // its minimum height

    bool operator==(const WindowFit&) const = default;
};

// Fits the window onto the work area (the screen minus task bars): a work area lower than the
// window's minimum height makes that height and the window's height the work area's (the
// screen's, when that is smaller) with the window at the top; a window taller than the work
// area gets its height and goes to the top; a window off the work area sideways or upwards or
// downwards is centred in that direction.
WindowFit FitWindowToWorkArea(const QRect& window, int minimumHeight, const QRect& workArea,
                              int screenHeight);

// The window centred on the work area.
QPoint CentredOnWorkArea(const QSize& window, const QRect& workArea);

}  // namespace vex
