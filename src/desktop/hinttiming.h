#pragma once

#include <QObject>
#include <QProxyStyle>

class QApplication;

namespace vex {

// Hint timing of the whole application: a hint appears after the pointer has rested 1800 ms
// and goes away again after 3500 ms.
inline constexpr int kHintDelayMs = 1800;
inline constexpr int kHintDisplayMs = 3500;

// The application style with the hint delay.
class HintTimingStyle : public QProxyStyle {
public:
    using QProxyStyle::QProxyStyle;
    int styleHint(StyleHint hint, const QStyleOption* option = nullptr,
                  const QWidget* widget = nullptr,
                  QStyleHintReturn* returnData = nullptr) const override;
};

// Shows every widget's hint for the display time, with its CR LF line breaks as line breaks.
class HintFilter : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};

// Installs the hint timing on the application (once; later calls do nothing).
void InstallHintTiming(QApplication& app);

}  // namespace vex
