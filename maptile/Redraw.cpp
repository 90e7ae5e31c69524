#include "maptile/Redraw.h"

#include "maptile/MaptileOverlays.h"
#include "maptile/RasterOps.h"
#include "tilesets/GridPicture.h"

using Geometry::SpaceSize;

namespace {

void ensureSize(QImage &image, QSize size)
{
    if (image.size() != size || image.format() != RasterOps::Format)
        image = QImage(size, RasterOps::Format);
}

void layKeyed(QImage &target, QPoint at, const QImage &overlay)
{
    if (overlay.rect().contains(MaptileOverlays::KeyPixel))
        RasterOps::keyedCopy(target, at, overlay, overlay.rect(), overlay.pixel(MaptileOverlays::KeyPixel));
}

} // namespace

void Redraw::paintSpeed(QImage &preview, const QImage &speedImage, int column, int row)
{
    const QPoint at(column * SpaceSize + SpaceSize - speedImage.width(), row * SpaceSize);
    layKeyed(preview, at, speedImage);
}

void Redraw::paintNum(const Maptile &maptile, bool showMapNum, MaptileOverlays &overlays,
                      QImage &preview, QImage &view)
{
    const QImage &master = maptile.master();
    ensureSize(preview, master.size());
    RasterOps::plainCopy(preview, preview.rect(), master, master.rect());

    const int columns = std::min(maptile.columns(), int(Geometry::MaxColumns));
    const int rows = std::min(maptile.rows(), int(Geometry::MaxRows));
    for (int c = 0; c < columns; ++c) {
        for (int r = 0; r < rows; ++r) {
            const QString &value = maptile.speedValues()[c][r];
            if (!value.isEmpty())
                paintSpeed(preview, overlays.speedImage(value), c, r);
        }
    }
    if (showMapNum)
        layKeyed(preview, MapNumAt, overlays.mapNumImage());
    layKeyed(preview, QPoint(CreditLeft, preview.height() - CreditAboveBottom), overlays.designerImage());

    ensureSize(view, QSize(maptile.columns() * Geometry::ViewSpaceSize, maptile.rows() * Geometry::ViewSpaceSize));
    RasterOps::plainCopy(view, view.rect(), preview, QRect(QPoint(0, 0), view.size() * 3));
    GridPicture::layOver(view);
}
