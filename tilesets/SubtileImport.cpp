#include "tilesets/SubtileImport.h"

#include "raster/Geometry.h"
#include "raster/RasterOps.h"

#include <QPainter>

using Geometry::SpaceSize;

QImage SubtileImport::fit(const QImage &picture)
{
    QImage subtile(SpaceSize, SpaceSize, RasterOps::Format);
    RasterOps::fill(subtile, Geometry::blankColour());
    if (picture.isNull())
        return subtile;
    // Scaled by the image itself: its smooth scaling averages the pixels of a large
    // picture, where a painter's would only sample them.
    const QImage scaled = picture.scaled(SpaceSize, SpaceSize, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    QPainter painter(&subtile);
    painter.drawImage((SpaceSize - scaled.width()) / 2, (SpaceSize - scaled.height()) / 2, scaled);
    return subtile;
}
