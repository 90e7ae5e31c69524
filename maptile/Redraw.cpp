#include "maptile/Redraw.h"

#include "maptile/MaptileOverlays.h"
#include "raster/GridPicture.h"
#include "raster/RasterOps.h"

#include <algorithm>

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

std::vector<Redraw::Laid> Redraw::overlaysOver(const Maptile &maptile, bool showMapNum, MaptileOverlays &overlays)
{
    using Geometry::SpaceSize;
    std::vector<Laid> laid;
    const int columns = std::min(maptile.columns(), int(Geometry::MaxColumns));
    const int rows = std::min(maptile.rows(), int(Geometry::MaxRows));
    for (int c = 0; c < columns; ++c) {
        for (int r = 0; r < rows; ++r) {
            const QString &value = maptile.speedValues()[c][r];
            if (value.isEmpty())
                continue;
            const QImage &speed = overlays.speedImage(value);
            // Flush with the space's right and top edges.
            laid.push_back({Overlay::SpeedValues, QPoint(c * SpaceSize + SpaceSize - speed.width(), r * SpaceSize), speed});
        }
    }
    if (showMapNum)
        laid.push_back({Overlay::MapNum, MapNumAt, overlays.mapNumImage()});
    laid.push_back({Overlay::Credit, QPoint(CreditLeft, maptile.master().height() - CreditAboveBottom),
                    overlays.designerImage()});
    return laid;
}

void Redraw::paintPreview(const QImage &master, const std::vector<Laid> &laid, QImage &preview)
{
    ensureSize(preview, master.size());
    RasterOps::plainCopy(preview, preview.rect(), master, master.rect());
    for (const Laid &overlay : laid)
        layKeyed(preview, overlay.at, overlay.picture);
}

void Redraw::paintPreview(const Maptile &maptile, bool showMapNum, MaptileOverlays &overlays, QImage &preview)
{
    paintPreview(maptile.master(), overlaysOver(maptile, showMapNum, overlays), preview);
}

void Redraw::paintView(const Maptile &maptile, const std::vector<Laid> &laid, QImage &view)
{
    const QImage &master = maptile.master();
    ensureSize(view, QSize(maptile.columns() * Geometry::ViewSpaceSize, maptile.rows() * Geometry::ViewSpaceSize));
    // Each row of the view is three rows of the preview made small. Runs of
    // rows no overlay reaches are made straight from the master; the others
    // from a copy of the master's rows with the overlays laid on it.
    std::vector<bool> covered(view.height());
    const QRect reduced(QPoint(0, 0), view.size() * 3);
    for (const Laid &overlay : laid) {
        const QRect area = QRect(overlay.at, overlay.picture.size()) & reduced;
        if (!area.isEmpty())
            std::fill(covered.begin() + area.top() / 3, covered.begin() + area.bottom() / 3 + 1, true);
    }
    for (int y = 0, next; y < view.height(); y = next) {
        next = y + 1;
        while (next < view.height() && covered[next] == covered[y])
            ++next;
        const QRect into(0, y, view.width(), next - y);
        const QRect rows(0, 3 * y, 3 * view.width(), 3 * into.height());
        if (!covered[y]) {
            RasterOps::plainCopy(view, into, master, rows);
            continue;
        }
        QImage band = master.copy(rows);
        for (const Laid &overlay : laid)
            layKeyed(band, overlay.at - rows.topLeft(), overlay.picture);
        RasterOps::plainCopy(view, into, band, band.rect());
    }
    GridPicture::layOver(view);
}

void Redraw::overlayLayer(const Maptile &maptile, bool showMapNum, MaptileOverlays &overlays, Overlay which,
                          QImage &layer)
{
    if (layer.size() != maptile.master().size() || layer.format() != QImage::Format_ARGB32)
        layer = QImage(maptile.master().size(), QImage::Format_ARGB32);
    layer.fill(Qt::transparent);
    for (const Laid &laid : overlaysOver(maptile, showMapNum, overlays)) {
        if (laid.which != which || !laid.picture.rect().contains(MaptileOverlays::KeyPixel))
            continue;
        // As the keyed copy lays it: every pixel but the key covers what lies under it.
        const QImage source = RasterOps::toWorkFormat(laid.picture);
        const QPoint at = laid.at;
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
    }
}
