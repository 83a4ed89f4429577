#include "ui/windowfit.h"

#include <QtGlobal>

namespace vex {

WindowFit FitWindowToWorkArea(const QRect& frame, const QMargins& margins, int minimumHeight,
                              const QRect& workArea, int screenHeight) {
    const int frameHeight = margins.top() + margins.bottom();
    int minimum = minimumHeight + frameHeight;  // the outer minimum
    int left = frame.x() - workArea.x();
    int top = frame.y() - workArea.y();
    const int width = frame.width();
    int height = frame.height();
    const int areaWidth = workArea.width();
    const int areaHeight = workArea.height();
    if (areaHeight < minimum) {
        minimum = qMin(areaHeight, screenHeight);
        height = minimum;
        top = 0;
    }
    if (areaHeight < height) {
        height = areaHeight;
        top = 0;
    }
    if (left < 0 || left + width > areaWidth) {
        left = areaWidth / 2 - width / 2;
    }
    if (top < 0 || top + height > areaHeight) {
        top = areaHeight / 2 - height / 2;
    }
    return {QRect(workArea.x() + left, workArea.y() + top, width, height), minimum - frameHeight};
}

QPoint CentredOnWorkArea(const QSize& window, const QRect& workArea) {
    return {workArea.x() + workArea.width() / 2 - window.width() / 2,
            workArea.y() + workArea.height() / 2 - window.height() / 2};
}

}  // namespace vex
