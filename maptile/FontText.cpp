#include "maptile/FontText.h"

#include <QCoreApplication>

#include <algorithm>

namespace FontText {

namespace {

int wholePoints(const QFont &font)
{
    // A pixel-sized font has no point size; QFont reports -1 for it.
    return font.pointSizeF() > 0 ? int(font.pointSizeF()) : 0;
}

} // namespace

QString describe(const QFont &font)
{
    //: A font as the options show it: its size in points, then its family.
    return QCoreApplication::translate("FontText", "%1 Pt. %2").arg(wholePoints(font)).arg(font.family());
}

QFont accepted(const QFont &chosen)
{
    // Font lists name a face offered by several makers "Face [maker]"; the face is what counts.
    QString family = chosen.family();
    const qsizetype maker = family.indexOf(QLatin1String(" ["));
    if (maker > 0 && family.endsWith(QLatin1Char(']')))
        family.truncate(maker);
    QFont font(family);
    font.setPointSize(std::clamp(wholePoints(chosen), MinPoints, MaxPoints));
    font.setBold(chosen.bold());
    font.setItalic(chosen.italic());
    font.setUnderline(chosen.underline());
    font.setStrikeOut(chosen.strikeOut());
    return font;
}

} // namespace FontText
