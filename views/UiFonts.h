#pragma once

#include <QFont>

// The window fonts, by pixel size at 96 dots per inch so the fixed layout
// looks the same on every screen: 8.25 pt = 11 px, 9.75 pt = 13 px, 6 pt = 8 px.
namespace UiFonts {

QFont arial(int pixelSize, bool bold = false);
QFont standard(); // labels and text boxes
QFont slotLetter(); // the "A" ... "H" buttons
QFont paletteLetter(); // " A " in a palette's corner, " L " on the button pictures
QFont setInfo(); // the set name under a palette

} // namespace UiFonts
