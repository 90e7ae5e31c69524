#pragma once

#include "raster/Orientation.h"
#include "tilesets/SubtileRef.h"
#include "tilesets/TransparencySetting.h"

#include <QImage>
#include <QPoint>
#include <QRgb>
#include <QString>

// One subtile laid on one space, as a press, each space of a stroke and each
// space of a fill lay it: the subtile's own 144 x 144 pixels (turned as the
// button holds it, shared between the placements of one pick), how they are
// laid, and the space's speed value afterwards.
struct Placement
{
    QPoint space;
    QImage subtile;
    TransparencySetting setting;
    // The colour a keyed setting leaves out.
    QRgb key = 0;
    QString speed;
    // Where the subtile came from and how it was turned, for the maptile's records.
    SubtileRef ref;
    Orientation orientation;
};
