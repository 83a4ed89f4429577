#pragma once

#include <QString>
#include <QWidget>

class QFrame;
class QLabel;
class QTimer;

namespace vex {

// The splash screen: a small borderless picture window that stays on top in the middle of
// the screen while the program starts. It shows the default picture, or the alternative one
// when the data file named on the command line is not the standard list; after 30 ticks of
// its 50 ms timer it shows a loading text with a spinner. It goes away one second after a
// close request, or by itself once it has ticked 3000 times.
class SplashScreen : public QWidget {
    Q_OBJECT

public:
    static constexpr int ClientWidth = 366;  // at 96 dpi
    static constexpr int ClientHeight = 102;
    static constexpr int TickInterval = 50;  // ms
    static constexpr int CloseDelay = 1000;  // ms
    static constexpr int LoadingTick = 30;   // the loading text appears at this tick
    static constexpr int AutoCloseTicks = 3000;

    // splashDataFileName: the data file name the command line gives (SplashDataFileName),
    // used only for the choice of picture. dpi scales the design sizes.
    explicit SplashScreen(const QString& splashDataFileName, int dpi, QWidget* parent = nullptr);

    // The spinner glyph for a tick count: "--", "\", " |", " /" by the count modulo 4.
    static QString SpinnerTextFor(int tickCount);

    int tickCount() const { return tickCount_; }
    QString spinnerText() const { return spinnerText_; }
    bool isReleased() const { return released_; }
    bool alternativePictureShown() const;

    // The close request: hides the loading text when asked, then starts CloseTimer.
    void requestClose(bool hideLoadingLabel);

public slots:
    // One tick of CycleCountAutoClose.
    void CycleCountAutoCloseTimer();
    void tick() { CycleCountAutoCloseTimer(); }
    // The tick of CloseTimer.
    void CloseTimerTimer();
    // Closes the splash and destroys it once the current event has been handled.
    void release();

protected:
    void showEvent(QShowEvent* event) override;

private:
    void FormShow();
    void setLoadingCaption(const QString& caption);

    QString splashDataFileName_;
    int tickCount_ = 0;
    QString spinnerText_;
    bool released_ = false;
    QRect loadingGeometry_;  // lblLoading's place and design size

    QFrame* Panel1 = nullptr;
    QLabel* Image1 = nullptr;
    QLabel* Image2 = nullptr;
    QLabel* lblLoading = nullptr;
    QTimer* CycleCountAutoClose = nullptr;
    QTimer* CloseTimer = nullptr;
};

}  // namespace vex
