#pragma once

#include "sheets/SheetDrawing.h"
#include "sheets/SheetLength.h"

#include <QCoreApplication>
#include <QList>
#include <QPoint>
#include <QRect>

// The pair of sheets that shows a printer's errors. The front carries rulers
// of 10 cm and 4 in along each edge, a grid of 1 cm squares and the scale
// bar, for a printer that scales; it also carries crosshairs, and the back
// a cross with millimetre scales behind each, read against the light for a
// printer that misses the back.
class SheetCalibration
{
    Q_DECLARE_TR_FUNCTIONS(SheetCalibration)

public:
    // A ruler's zero is at start; it runs along and its ticks point inward,
    // both steps of one unit; its end tick is length away.
    struct Ruler
    {
        QPoint start;
        QPoint along;
        QPoint inward;
        int length;
    };

    // The room it takes inside the margins, either way.
    static constexpr int Least = 150 * SheetLength::PerMillimetre;
    // The rulers' end ticks reach this far in; between their ends nothing else reaches past EndTick - 1 mm.
    static constexpr int EndTick = 8 * SheetLength::PerMillimetre;
    static constexpr int ScaleReach = 10 * SheetLength::PerMillimetre;

    SheetCalibration() = default;
    // The front drawn in printable, which is at least Least square.
    explicit SheetCalibration(const QRect &printable);

    const SheetDrawing &front() const { return m_front; }
    const QList<Ruler> &rulers() const { return m_rulers; }
    const QList<QPoint> &crosshairs() const { return m_crosshairs; }
    QRect scaleBar() const { return m_scaleBar; }

    // The back: at each of points, the places behind the front's crosshairs
    // as the back is printed, a cross with scales of ScaleReach either way;
    // and how to read them, across width about centre.
    static SheetDrawing back(const QList<QPoint> &points, QPoint centre, int width);

private:
    // A ruler of count ticks, numbered every perNumber.
    void addRuler(const Ruler &ruler, int count, int perNumber, const QString &unit);

    SheetDrawing m_front;
    QList<Ruler> m_rulers;
    QList<QPoint> m_crosshairs;
    QRect m_scaleBar;
};
