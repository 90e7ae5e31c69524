#include "views/UiFonts.h"

namespace UiFonts {

QFont arial(int pixelSize, bool bold)
{
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(pixelSize);
    font.setBold(bold);
    return font;
}

QFont standard()
{
    return arial(11);
}

QFont slotLetter()
{
    return arial(13, true);
}

QFont paletteLetter()
{
    return arial(11, true);
}

QFont setInfo()
{
    // Eight pixels high, all the palette leaves below its last row: drawn
    // without smoothing and fitted to the pixel grid, the letters stay white
    // instead of turning into grey smudges.
    QFont font = arial(8);
    font.setStyleStrategy(QFont::NoAntialias);
    font.setHintingPreference(QFont::PreferFullHinting);
    return font;
}

} // namespace UiFonts
