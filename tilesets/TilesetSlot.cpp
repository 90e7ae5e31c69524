#include "tilesets/TilesetSlot.h"

#include "maptile/Geometry.h"
#include "maptile/RasterOps.h"
#include "tilesets/GridPicture.h"

using Geometry::SpaceSize;
using Geometry::ViewSpaceSize;

TilesetSlot::TilesetSlot()
    : m_fullImage(Geometry::TilesetSize, RasterOps::Format)
    , m_palette(Geometry::PaletteSize, RasterOps::Format)
{
    RasterOps::fill(m_fullImage, Geometry::blankColour());
    RasterOps::fill(m_palette, Geometry::blankColour());
}

void TilesetSlot::setPicture(const QImage &picture, const QString &path)
{
    RasterOps::fill(m_fullImage, Geometry::blankColour());
    const QImage source = RasterOps::toWorkFormat(picture);
    const QRect part = source.rect().intersected(m_fullImage.rect());
    RasterOps::plainCopy(m_fullImage, part, source, part);
    m_path = path;
}

void TilesetSlot::buildPalette()
{
    RasterOps::plainCopy(m_palette, m_palette.rect(), m_fullImage, m_fullImage.rect());
    GridPicture::layOver(m_palette);
    m_paletteBuilt = true;
}

void TilesetSlot::replaceSubtile(int column, int row, const QImage &subtile)
{
    const QRect full(column * SpaceSize, row * SpaceSize, SpaceSize, SpaceSize);
    RasterOps::plainCopy(m_fullImage, full, RasterOps::toWorkFormat(subtile), subtile.rect());
    // Redraw the whole palette so the edited cell keeps its frame like the others.
    buildPalette();
}

QImage TilesetSlot::subtile(int column, int row) const
{
    return m_fullImage.copy(column * SpaceSize, row * SpaceSize, SpaceSize, SpaceSize);
}
