#pragma once

#include "raster/Orientation.h"
#include "tilesets/SubtileRef.h"

#include <QImage>
#include <QRect>

#include <array>
#include <vector>

class TilesetSlot;

// The subtiles one mouse button lays: one palette cell, or the cells of a
// palette rectangle, all of one slot. Each cell's pixels are made once for each
// way they are laid and shared by all its placements.
class Variation
{
public:
    // The cells of slot index inside cells (a rectangle of the palette), in reading order. A rectangle of
    // more than one cell leaves out the cells that show only the blank colour.
    static std::vector<SubtileRef> cellsOf(const TilesetSlot &slot, int index, QRect cells);

    // cells holds at least one; the pixels are null until painted.
    explicit Variation(std::vector<SubtileRef> cells);

    const std::vector<SubtileRef> &cells() const { return m_cells; }
    int count() const { return int(m_cells.size()); }
    // Reads every cell's subtile again from slot, the slot the cells name.
    void paint(const TilesetSlot &slot);
    // The cell's subtile laid in orientation: opaque, in three bytes a pixel.
    const QImage &subtile(int cell, Orientation orientation);
    // The cell's top-left pixel before it was turned: its background colour.
    QRgb key(int cell) const { return m_keys[cell]; }

private:
    std::vector<SubtileRef> m_cells;
    std::vector<QRgb> m_keys;
    // Per cell the subtile as the tileset has it, in the work format, and
    // turned each way, made when first asked for.
    std::vector<QImage> m_plain;
    std::vector<std::array<QImage, Orientation::Count>> m_turned;
};
