#pragma once

#include "raster/Orientation.h"
#include "tilesets/TransparencySetting.h"

#include <QPoint>
#include <QRgb>

// What one placement laid on a space, kept so that the space can be painted
// again from its tileset: which copy of a tileset and which of its cells,
// turned and mirrored how, laid how, and the colour a keyed setting left out.
struct LaidSubtile
{
    // Index into the maptile's tileset copies.
    int copy = 0;
    QPoint cell;
    Orientation orientation;
    TransparencySetting setting;
    // The cell's top-left pixel before it was turned, as it was when laid.
    QRgb key = 0;

    bool operator==(const LaidSubtile &other) const = default;
};
