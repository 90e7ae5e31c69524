#pragma once

#include "raster/Orientation.h"
#include "tilesets/SubtileRef.h"
#include "workspace/Variation.h"

#include <QImage>

class TilesetSlot;

// What one mouse button holds: the subtile its record names, or a variation of
// several, turned as the user turned it, with the palette cell the button
// shows (the first subtile's) and the pixels it lays, made once per pick,
// turn or change of the tileset and shared by every placement of it.
class ButtonSubtile
{
public:
    // The picture is blank until painted from the tileset.
    explicit ButtonSubtile(const SubtileRef &ref = {});

    // The first subtile; the one there is without a variation.
    const SubtileRef &ref() const { return m_variation.cells().front(); }
    const std::vector<SubtileRef> &cells() const { return m_variation.cells(); }
    const Orientation &orientation() const { return m_orientation; }
    const QImage &image() const { return m_image; }
    // The first subtile as laid: opaque, in three bytes a pixel.
    const QImage &subtile() const { return m_subtile; }
    // The first subtile's top-left pixel before it was turned: its background colour.
    QRgb key() const { return m_variation.key(0); }
    Variation &variation() { return m_variation; }
    // Whether the record names a subtile of a tileset.
    bool laysSubtile() const;

    // The subtiles at cells (at least one), turned as orientation says; painted by the caller.
    void pick(std::vector<SubtileRef> cells, const Orientation &orientation = {});
    void turn(Orientation::Turn turn);
    // Remakes the picture and the pixels from slot, the slot the record names.
    void paint(const TilesetSlot &slot);

private:
    Variation m_variation;
    Orientation m_orientation;
    QImage m_image;
    QImage m_subtile;
};
