#include "workspace/ButtonSubtile.h"

#include "raster/Geometry.h"
#include "raster/RasterOps.h"
#include "tilesets/TilesetSlot.h"

using Geometry::ViewSpaceSize;

ButtonSubtile::ButtonSubtile(const SubtileRef &ref)
    : m_ref(ref)
    , m_image(ViewSpaceSize, ViewSpaceSize, RasterOps::Format)
{
    RasterOps::fill(m_image, Geometry::blankColour());
}

bool ButtonSubtile::laysSubtile() const
{
    // A record can only name slots 0-7, columns 0-6 and rows 0-3; anything
    // else would read outside the tileset.
    return m_ref.slot >= 0 && m_ref.slot < Geometry::SlotCount && m_ref.column >= 0
        && m_ref.column < Geometry::TilesetColumns && m_ref.row >= 0 && m_ref.row < Geometry::TilesetRows;
}

void ButtonSubtile::pick(const SubtileRef &ref, const Orientation &orientation)
{
    m_ref = ref;
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
        slot.palette().copy(m_ref.column * ViewSpaceSize, m_ref.row * ViewSpaceSize, ViewSpaceSize, ViewSpaceSize));
    const QImage subtile = slot.subtile(m_ref.column, m_ref.row);
    m_key = subtile.pixel(0, 0);
    m_subtile = m_orientation.apply(subtile).convertToFormat(QImage::Format_RGB888);
}
