#include "sheets/SheetPacker.h"

#include <algorithm>
#include <tuple>

SheetPacker::SheetPacker(QSize area)
{
    if (!area.isEmpty())
        m_free << QRect(QPoint(0, 0), area);
}

std::optional<QPoint> SheetPacker::find(QSize size) const
{
    std::optional<QPoint> best;
    std::tuple<int, int, int, int> bestScore;
    for (const QRect &room : m_free) {
        const int spareWidth = room.width() - size.width(), spareHeight = room.height() - size.height();
        if (spareWidth < 0 || spareHeight < 0)
            continue;
        // Ties go to the topmost, then the leftmost, so the same input always lands the same way.
        const auto score =
            std::make_tuple(std::min(spareWidth, spareHeight), std::max(spareWidth, spareHeight), room.y(), room.x());
        if (!best || score < bestScore) {
            best = room.topLeft();
            bestScore = score;
        }
    }
    return best;
}

void SheetPacker::occupy(const QRect &used)
{
    QList<QRect> pieces;
    for (const QRect &room : std::as_const(m_free)) {
        if (!room.intersects(used)) {
            pieces << room;
            continue;
        }
        // What is left of the room on each side of the used rectangle, each as large as it can be.
        const int usedRight = used.x() + used.width(), usedBottom = used.y() + used.height();
        const int roomRight = room.x() + room.width(), roomBottom = room.y() + room.height();
        if (used.x() > room.x())
            pieces << QRect(room.x(), room.y(), used.x() - room.x(), room.height());
        if (usedRight < roomRight)
            pieces << QRect(usedRight, room.y(), roomRight - usedRight, room.height());
        if (used.y() > room.y())
            pieces << QRect(room.x(), room.y(), room.width(), used.y() - room.y());
        if (usedBottom < roomBottom)
            pieces << QRect(room.x(), usedBottom, room.width(), roomBottom - usedBottom);
    }
    // A room inside another adds no place the larger one lacks.
    m_free.clear();
    for (qsizetype i = 0; i < pieces.size(); ++i) {
        bool inside = false;
        for (qsizetype j = 0; j < pieces.size() && !inside; ++j) {
            if (i != j && pieces[j].contains(pieces[i]))
                inside = pieces[j] != pieces[i] || j < i;
        }
        if (!inside)
            m_free << pieces[i];
    }
}
