#pragma once

#include <QString>

namespace vex {

// Where Debian's fonts-wine puts its fonts, among them metric-compatible Tahoma and
// MS Sans Serif.
inline const QString kWineFontsFolder = QStringLiteral("/usr/share/wine/fonts");

// Makes the fonts the window and the splash screen are designed for available to the program:
// Tahoma (regular and bold) and MS Sans Serif. A family the system already has is left alone;
// a missing one is registered from the font files in the folder (fonts-wine adds no fontconfig
// entry of its own). Without those files the program falls back to fonts of about the same
// width, silently. Registers each family at most once per run.
void RegisterDesignFonts(const QString& folder = kWineFontsFolder);

// Whether the font database knows the family (also under a foundry: "Nimbus Sans [urw]").
// Gives the family's name as the database spells it, or an empty text.
QString InstalledFontFamily(const QString& family);

}  // namespace vex
