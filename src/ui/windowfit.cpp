#include "ui/windowfit.h"

#include <QtGlobal>

namespace vex {

WindowFit FitWindowToWorkArea(const QRect& window, int minimumHeight, const QRect& workArea,
                              int screenHeight) {
    int left = window.x() - workArea.x();
    int top = window.y() - workArea.y();
    const int width = window.width();
    int height = window.height();
    const int areaWidth = workArea.width();
    const int areaHeight = workArea.height();
    if (areaHeight < minimumHeight) {
        minimumHeight = qMin(areaHeight, screenHeight);
        height = minimumHeight;
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
    return {QRect(workArea.x() + left, workArea.y() + top, width, height), minimumHeight};
}

QPoint CentredOnWorkArea(const QSize& window, const QRect& workArea) {
    return {workArea.x() + workArea.width() / 2 - window.width() / 2,
            workArea.y() + workArea.height() / 2 - window.height() / 2};
}

}  // namespace vex
