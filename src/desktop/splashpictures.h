#pragma once

#include <QPixmap>

namespace vex {

// The splash screen's two pictures, drawn at run time. Their design size is 365 x 99 pixels;
// width and height scale that to the screen. The default picture stands for the standard
// diagnosis list, the alternative one for other lists; they differ in colours and subtitle.
inline constexpr int SplashPictureWidth = 365;
inline constexpr int SplashPictureHeight = 99;

QPixmap SplashDefaultPicture(int width, int height);
QPixmap SplashAlternativePicture(int width, int height);

}  // namespace vex
