#include "desktop/hinttiming.h"

#include <QApplication>
#include <QHelpEvent>
#include <QToolTip>
#include <QWidget>

#include "desktop/captions.h"

namespace vex {

int HintTimingStyle::styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                               QStyleHintReturn* returnData) const {
    if (hint == SH_ToolTip_WakeUpDelay) {
        return kHintDelayMs;
    }
    return QProxyStyle::styleHint(hint, option, widget, returnData);
}

bool HintFilter::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::ToolTip || !watched->isWidgetType()) {
        return false;
    }
    auto* widget = static_cast<QWidget*>(watched);
    if (widget->toolTip().isEmpty()) {
        return false;
    }
    auto* help = static_cast<QHelpEvent*>(event);
    QToolTip::showText(help->globalPos(), HintDisplayText(widget->toolTip()), widget, QRect(),
                       kHintDisplayMs);
    return true;
}

void InstallHintTiming(QApplication& app) {
    if (app.property("vexHintTiming").toBool()) {
        return;
    }
    app.setProperty("vexHintTiming", true);
    app.setStyle(new HintTimingStyle(app.style()->name()));
    app.installEventFilter(new HintFilter(&app));
}

}  // namespace vex
