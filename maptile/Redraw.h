#pragma once

#include "maptile/Maptile.h"

#include <QImage>

class MaptileOverlays;

// Rebuilds everything shown or written of the maptile from the master: the
// preview (master, speed values, maptile number, credit) and the working view
// (the preview at one third with the grid over it). The only way either
// picture is made.
class Redraw
{
public:
    static constexpr QPoint MapNumAt{10, 10};
    static constexpr int CreditLeft = 4;
    static constexpr int CreditAboveBottom = 20;

    // preview and view are rebuilt in place; their buffers are reused.
    static void paintNum(const Maptile &maptile, bool showMapNum, MaptileOverlays &overlays,
                         QImage &preview, QImage &view);
    // Lays the speed value of space (column, row) onto preview, flush with
    // the space's right and top edges.
    static void paintSpeed(QImage &preview, const QImage &speedImage, int column, int row);
};
