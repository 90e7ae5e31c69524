#include "maptile/Redraw.h"

#include "maptile/MaptileOverlays.h"
#include "raster/GridPicture.h"
#include "raster/RasterOps.h"

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

// Hands each overlay picture to lay, with where it goes, in the order they are laid.
template<typename Lay>
void forEachOverlay(const Maptile &maptile, bool showMapNum, MaptileOverlays &overlays, int height, Lay lay)
{
    using Geometry::SpaceSize;
    const int columns = std::min(maptile.columns(), int(Geometry::MaxColumns));
    const int rows = std::min(maptile.rows(), int(Geometry::MaxRows));
    for (int c = 0; c < columns; ++c) {
        for (int r = 0; r < rows; ++r) {
            const QString &value = maptile.speedValues()[c][r];
            if (value.isEmpty())
                continue;
            const QImage &speed = overlays.speedImage(value);
            // Flush with the space's right and top edges.
            lay(Redraw::Overlay::SpeedValues, QPoint(c * SpaceSize + SpaceSize - speed.width(), r * SpaceSize), speed);
        }
    }
    if (showMapNum)
        lay(Redraw::Overlay::MapNum, Redraw::MapNumAt, overlays.mapNumImage());
    lay(Redraw::Overlay::Credit, QPoint(Redraw::CreditLeft, height - Redraw::CreditAboveBottom),
        overlays.designerImage());
}

} // namespace

void Redraw::paintPreview(const Maptile &maptile, bool showMapNum, MaptileOverlays &overlays, QImage &preview)
{
    const QImage &master = maptile.master();
    ensureSize(preview, master.size());
    RasterOps::plainCopy(preview, preview.rect(), master, master.rect());
    forEachOverlay(maptile, showMapNum, overlays, preview.height(),
                   [&preview](Overlay, QPoint at, const QImage &overlay) { layKeyed(preview, at, overlay); });
}

void Redraw::overlayLayer(const Maptile &maptile, bool showMapNum, MaptileOverlays &overlays, Overlay which,
                          QImage &layer)
{
    if (layer.size() != maptile.master().size() || layer.format() != QImage::Format_ARGB32)
        layer = QImage(maptile.master().size(), QImage::Format_ARGB32);
    layer.fill(Qt::transparent);
    forEachOverlay(maptile, showMapNum, overlays, layer.height(),
                   [&](Overlay overlay, QPoint at, const QImage &picture) {
                       if (overlay != which || !picture.rect().contains(MaptileOverlays::KeyPixel))
                           return;
                       // As the keyed copy lays it: every pixel but the key covers what lies under it.
                       const QImage source = RasterOps::toWorkFormat(picture);
                       const QRgb key = source.pixel(MaptileOverlays::KeyPixel) | 0xff000000u;
                       const QRect area = layer.rect() & QRect(at, source.size());
                       for (int y = area.top(); y <= area.bottom(); ++y) {
                           const auto *in = reinterpret_cast<const QRgb *>(source.constScanLine(y - at.y())) - at.x();
                           auto *out = reinterpret_cast<QRgb *>(layer.scanLine(y));
                           for (int x = area.left(); x <= area.right(); ++x) {
                               const QRgb p = in[x] | 0xff000000u;
                               if (p != key)
                                   out[x] = p;
                           }
                       }
                   });
}

void Redraw::paintNum(const Maptile &maptile, bool showMapNum, MaptileOverlays &overlays, QImage &preview, QImage &view)
{
    paintPreview(maptile, showMapNum, overlays, preview);
    ensureSize(view, QSize(maptile.columns() * Geometry::ViewSpaceSize, maptile.rows() * Geometry::ViewSpaceSize));
    RasterOps::plainCopy(view, view.rect(), preview, QRect(QPoint(0, 0), view.size() * 3));
    GridPicture::layOver(view);
}
