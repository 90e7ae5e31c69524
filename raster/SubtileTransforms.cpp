#include "raster/SubtileTransforms.h"

#include "raster/RasterOps.h"

#include <QTransform>

namespace SubtileTransforms {

namespace {

// Quarter turns take Qt's exact pixel-moving path, never a resampling one.
QImage turned(const QImage &subtile, qreal degrees)
{
    return RasterOps::toWorkFormat(subtile.transformed(QTransform().rotate(degrees), Qt::FastTransformation));
}

} // namespace

QImage flipHorizontal(const QImage &subtile)
{
    return RasterOps::toWorkFormat(subtile.mirrored(true, false));
}

QImage flipVertical(const QImage &subtile)
{
    return RasterOps::toWorkFormat(subtile.mirrored(false, true));
}

QImage rotateLeft(const QImage &subtile)
{
    return turned(subtile, -90);
}

QImage rotateRight(const QImage &subtile)
{
    return turned(subtile, 90);
}

} // namespace SubtileTransforms
