#pragma once

#include "raster/Orientation.h"
#include "tilesets/SubtileRef.h"

#include <QImage>

class TilesetSlot;

// What one mouse button holds: the subtile its record names, turned as the
// user turned it, with the palette cell the button shows and the pixels it
// lays, made once per pick, turn or change of the tileset and shared by every
// placement of it.
class ButtonSubtile
{
public:
    // The picture is blank until painted from the tileset.
    explicit ButtonSubtile(const SubtileRef &ref = {});

    const SubtileRef &ref() const { return m_ref; }
    const Orientation &orientation() const { return m_orientation; }
    const QImage &image() const { return m_image; }
    // Opaque, in three bytes a pixel.
    const QImage &subtile() const { return m_subtile; }
    // The subtile's top-left pixel before it was turned: its background colour.
    QRgb key() const { return m_key; }
    // Whether the record names a subtile of a tileset.
    bool laysSubtile() const;

    // The subtile at ref, turned as orientation says; painted by the caller.
    void pick(const SubtileRef &ref, const Orientation &orientation = {});
    void turn(Orientation::Turn turn);
    // Remakes the picture and the pixels from slot, the slot the record names.
    void paint(const TilesetSlot &slot);

private:
    SubtileRef m_ref;
    Orientation m_orientation;
    QImage m_image;
    QImage m_subtile;
    QRgb m_key = 0;
};
