#include "workspace/ButtonSubtile.h"

#include "raster/Geometry.h"
#include "raster/RasterOps.h"
#include "tilesets/TilesetSlot.h"

using Geometry::ViewSpaceSize;

ButtonSubtile::ButtonSubtile(const SubtileRef &ref)
    : m_variation({ref})
    , m_image(ViewSpaceSize, ViewSpaceSize, RasterOps::Format)
{
    RasterOps::fill(m_image, Geometry::blankColour());
}

bool ButtonSubtile::laysSubtile() const
{
    // A record can only name slots 0-7, columns 0-6 and rows 0-3; anything
    // else would read outside the tileset.
    const SubtileRef &first = ref();
    return first.slot >= 0 && first.slot < Geometry::SlotCount && first.column >= 0
        && first.column < Geometry::TilesetColumns && first.row >= 0 && first.row < Geometry::TilesetRows;
}

void ButtonSubtile::pick(std::vector<SubtileRef> cells, const Orientation &orientation)
{
    m_variation = Variation(std::move(cells));
    m_orientation = orientation;
}

void ButtonSubtile::turn(Orientation::Turn turn)
{
    m_orientation = m_orientation.then(turn);
}

void ButtonSubtile::paint(const TilesetSlot &slot)
{
    // The cell's grid frame is the same all round, so the cell turns as the subtile does.
    m_image = m_orientation.apply(
        slot.palette().copy(ref().column * ViewSpaceSize, ref().row * ViewSpaceSize, ViewSpaceSize, ViewSpaceSize));
    m_variation.paint(slot);
    // Made now for every cell, so that laying them takes no more than laying one.
    for (int cell = m_variation.count() - 1; cell >= 0; --cell)
        m_subtile = m_variation.subtile(cell, m_orientation);
}
