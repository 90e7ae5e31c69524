#include "placements/TilesetCopy.h"

#include "raster/Geometry.h"

#include <QFileInfo>

namespace {

QString identityOf(const QString &fileName, const TileData &data)
{
    return data.setName.isEmpty() ? QFileInfo(fileName).fileName() : data.setName;
}

} // namespace

QString TilesetCopy::identity() const
{
    return identityOf(fileName, data);
}

bool TilesetCopy::sameTileset(const QString &otherFileName, const TileData &otherData) const
{
    // Set names and file names are typed by people and carried between systems that differ in letter case.
    return identity().compare(identityOf(otherFileName, otherData), Qt::CaseInsensitive) == 0;
}

QImage TilesetCopy::cell(QPoint at) const
{
    using Geometry::SpaceSize;
    return picture.copy(at.x() * SpaceSize, at.y() * SpaceSize, SpaceSize, SpaceSize);
}
