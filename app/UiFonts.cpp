#include "app/UiFonts.h"

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
    return arial(8);
}

} // namespace UiFonts
