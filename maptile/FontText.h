#pragma once

#include <QFont>
#include <QString>

// The overlay fonts as the options window shows and accepts them.
namespace FontText {

constexpr int MinPoints = 6;
constexpr int MaxPoints = 72;

// "15 Pt. Arial": the size truncated to whole points, then the requested family.
QString describe(const QFont &font);
// The font an overlay takes from a confirmed choice: the family without its
// maker's name, the size
// truncated to whole points within 6..72, bold, italic, underline and
// strikeout; nothing else of the chosen font is kept.
QFont accepted(const QFont &chosen);

} // namespace FontText
