#include "ui/checkboxstyle.h"

#include <QApplication>
#include <QPointer>
#include <QProxyStyle>

namespace vex {

namespace {

class NarrowCheckBoxGapStyle : public QProxyStyle {
public:
    int pixelMetric(PixelMetric metric, const QStyleOption* option,
                    const QWidget* widget) const override {
        const int value = QProxyStyle::pixelMetric(metric, option, widget);
        return metric == PM_CheckBoxLabelSpacing ? value / 2 : value;
    }
};

}  // namespace

QStyle* CheckBoxStyle() {
    static QPointer<QStyle> style;
    if (style == nullptr) {
        style = new NarrowCheckBoxGapStyle;
        style->setParent(qApp);
    }
    return style;
}

}  // namespace vex
