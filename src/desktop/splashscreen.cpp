#include "desktop/splashscreen.h"

#include <QFrame>
#include <QGuiApplication>
#include <QLabel>
#include <QScreen>
#include <QTimer>

#include "config/commandline.h"
#include "desktop/captions.h"
#include "desktop/scale.h"
#include "desktop/splashpictures.h"

namespace vex {

namespace {

const QString kLoadingPrefix = QStringLiteral("Indlæser data ");

QFrame* Bevel(QWidget* parent, QFrame::Shadow shadow, const QRect& geometry) {
    auto* frame = new QFrame(parent);
    frame->setFrameShape(QFrame::Panel);
    frame->setFrameShadow(shadow);
    frame->setLineWidth(1);
    frame->setGeometry(geometry);
    return frame;
}

}  // namespace

SplashScreen::SplashScreen(const QString& splashDataFileName, int dpi, QWidget* parent)
    : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint),
      splashDataFileName_(splashDataFileName) {
    const Scale s(dpi);
    setObjectName(QStringLiteral("TDari4SplashScreen"));
    setFont(QFont(QStringLiteral("MS Sans Serif"), 8));
    setFixedSize(s.px(ClientWidth), s.px(ClientHeight));

    // Panel1: a raised outer and a lowered inner bevel around the pictures.
    Panel1 = Bevel(this, QFrame::Raised, rect());
    Panel1->setObjectName(QStringLiteral("Panel1"));
    const QRect inner(s.px(2), s.px(2), width() - 2 * s.px(2), height() - 2 * s.px(2));
    Bevel(Panel1, QFrame::Sunken,
          QRect(s.px(1), s.px(1), width() - 2 * s.px(1), height() - 2 * s.px(1)));

    const int pictureWidth = s.px(SplashPictureWidth);
    const int pictureHeight = s.px(SplashPictureHeight);
    Image1 = new QLabel(Panel1);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setGeometry(inner);
    Image1->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    Image1->setPixmap(SplashDefaultPicture(pictureWidth, pictureHeight)
                          .scaled(inner.size(), Qt::KeepAspectRatio, Qt::SmoothTransformation));

    // The alternative picture is shown at its own size, cut by the inner area.
    Image2 = new QLabel(Panel1);
    Image2->setObjectName(QStringLiteral("Image2"));
    Image2->setGeometry(inner);
    Image2->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    Image2->setPixmap(SplashAlternativePicture(pictureWidth, pictureHeight));
    Image2->hide();

    lblLoading = new QLabel(Panel1);
    lblLoading->setObjectName(QStringLiteral("lblLoading"));
    loadingGeometry_ = QRect(s.px(212), s.px(86), s.px(72), s.px(14));
    lblLoading->setFont(QFont(QStringLiteral("Arial"), 8));
    lblLoading->setAutoFillBackground(false);
    setLoadingCaption(kLoadingPrefix + QLatin1Char('.'));
    lblLoading->hide();
    lblLoading->raise();

    CycleCountAutoClose = new QTimer(this);
    CycleCountAutoClose->setObjectName(QStringLiteral("CycleCountAutoClose"));
    CycleCountAutoClose->setInterval(TickInterval);
    connect(CycleCountAutoClose, &QTimer::timeout, this, &SplashScreen::CycleCountAutoCloseTimer);

    CloseTimer = new QTimer(this);
    CloseTimer->setObjectName(QStringLiteral("CloseTimer"));
    CloseTimer->setInterval(CloseDelay);
    connect(CloseTimer, &QTimer::timeout, this, &SplashScreen::CloseTimerTimer);

    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        move(screen->geometry().center() - rect().center());
    }
    CycleCountAutoClose->start();
}

QString SplashScreen::SpinnerTextFor(int tickCount) {
    switch (tickCount % 4) {
        case 0:
            return QStringLiteral("--");
        case 1:
            return QStringLiteral("\\");
        case 2:
            return QStringLiteral(" |");
        default:
            return QStringLiteral(" /");
    }
}

bool SplashScreen::alternativePictureShown() const {
    return !Image2->isHidden();
}

void SplashScreen::FormShow() {
    Image2->setVisible(SplashShowsAlternativePicture(splashDataFileName_));
}

void SplashScreen::showEvent(QShowEvent* event) {
    FormShow();
    QWidget::showEvent(event);
}

void SplashScreen::CycleCountAutoCloseTimer() {
    if (released_) {
        return;
    }
    if (tickCount_ >= AutoCloseTicks) {
        release();
        return;
    }
    CycleCountAutoClose->stop();
    ++tickCount_;
    spinnerText_ = SpinnerTextFor(tickCount_);
    if (!lblLoading->isHidden()) {
        setLoadingCaption(kLoadingPrefix + spinnerText_);
    }
    if (tickCount_ == LoadingTick) {
        lblLoading->show();
    }
    CycleCountAutoClose->start();
}

void SplashScreen::setLoadingCaption(const QString& caption) {
    SetLabelCaption(lblLoading, caption);
    // The label keeps its place and size; it only grows when a font needs more room.
    lblLoading->setGeometry(
        QRect(loadingGeometry_.topLeft(), loadingGeometry_.size().expandedTo(lblLoading->size())));
}

void SplashScreen::CloseTimerTimer() {
    release();
}

void SplashScreen::requestClose(bool hideLoadingLabel) {
    if (released_) {
        return;
    }
    if (hideLoadingLabel) {
        lblLoading->hide();
    }
    CloseTimer->start();
}

void SplashScreen::release() {
    if (released_) {
        return;
    }
    released_ = true;
    CycleCountAutoClose->stop();
    CloseTimer->stop();
    close();
    deleteLater();
}

}  // namespace vex
