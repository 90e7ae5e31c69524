#include "tilesets/TilesetSlot.h"

#include "raster/Geometry.h"
#include "raster/GridPicture.h"
#include "raster/RasterOps.h"

using Geometry::SpaceSize;
using Geometry::ViewSpaceSize;

namespace {

QImage blank(QSize size)
{
    QImage image(size, RasterOps::Format);
    RasterOps::fill(image, Geometry::blankColour());
    return image;
}

// Empty slots share one blank tileset and one blank palette; the first drawing
// into a slot's own copy detaches it. This spares start-up filling eight of each,
// and the blank tileset is only made once an empty slot's tileset is asked for.
const QImage &blankTileset()
{
    static const QImage image = blank(Geometry::TilesetSize);
    return image;
}

const QImage &blankPalette()
{
    static const QImage image = blank(Geometry::PaletteSize);
    return image;
}

} // namespace

TilesetSlot::TilesetSlot()
    : m_palette(blankPalette())
{
}

const QImage &TilesetSlot::fullImage() const
{
    return m_fullImage.isNull() ? blankTileset() : m_fullImage;
}

void TilesetSlot::setPicture(const QImage &picture, const QString &path)
{
    const QImage source = RasterOps::toWorkFormat(picture);
    if (source.size() == Geometry::TilesetSize) {
        // The usual case: the picture covers the whole tileset and is taken as it is.
        m_fullImage = source;
    } else {
        m_fullImage = blankTileset();
        const QRect part = source.rect().intersected(m_fullImage.rect());
        RasterOps::plainCopy(m_fullImage, part, source, part);
    }
    m_path = path;
    m_tileData = TileData::read(path);
    m_modified = false;
}

void TilesetSlot::makeEmpty(const QString &setName)
{
    m_fullImage = blankTileset();
    m_path.clear();
    m_tileData = TileData();
    m_tileData.setName = setName;
    m_modified = false;
}

void TilesetSlot::setTileData(const TileData &data)
{
    if (data == m_tileData)
        return;
    m_tileData = data;
    m_modified = true;
}

void TilesetSlot::markSaved(const QString &path)
{
    m_path = path;
    m_modified = false;
}

void TilesetSlot::markUnsaved(const QString &path)
{
    m_path = path;
    m_modified = true;
}

void TilesetSlot::buildPalette()
{
    RasterOps::plainCopy(m_palette, m_palette.rect(), fullImage(), fullImage().rect());
    GridPicture::layOver(m_palette);
    m_paletteBuilt = true;
}

void TilesetSlot::takeTileset(const TilesetSlot &other)
{
    m_fullImage = other.m_fullImage;
    m_path = other.m_path;
    m_palette = other.m_palette;
    m_paletteBuilt = other.m_paletteBuilt;
    m_tileData = other.m_tileData;
    m_modified = other.m_modified;
}

void TilesetSlot::replaceSubtile(int column, int row, const QImage &subtile)
{
    const QRect full(column * SpaceSize, row * SpaceSize, SpaceSize, SpaceSize);
    if (m_fullImage.isNull())
        m_fullImage = blankTileset();
    RasterOps::plainCopy(m_fullImage, full, RasterOps::toWorkFormat(subtile), subtile.rect());
    m_modified = true;
    // Redraw the whole palette so the edited cell keeps its frame like the others.
    buildPalette();
}

QImage TilesetSlot::subtile(int column, int row) const
{
    return fullImage().copy(column * SpaceSize, row * SpaceSize, SpaceSize, SpaceSize);
}

qint64 TilesetSlot::bytes() const
{
    return qint64(sizeof(*this)) + m_fullImage.sizeInBytes() + m_palette.sizeInBytes() + m_tileData.bytes();
}
