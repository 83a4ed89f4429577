#pragma once

#include <QIcon>
#include <QPixmap>

namespace vex {

// The window's small pictures, drawn at run time at the given device-independent size.
QPixmap InfoPicture(int width, int height);               // btnInfo: an "i" in a blue disc
QPixmap HelpGlyphPicture(int size);                       // btnHelpGlyph: a "?" in a disc
QPixmap AlternateDatalistPicture(int width, int height);  // btnAlternateDatalist: two sheets
QPixmap ShortListPicture(int size);                       // imgShortList: a short list
QPixmap ExtendedListPicture(int size);                    // imgExtendedList: a long list
QIcon WindowIconPicture();

// The four arrows of the result navigator: 0 first, 1 prior, 2 next, 3 last.
QPixmap NavigatorPicture(int which, int width, int height);

}  // namespace vex
