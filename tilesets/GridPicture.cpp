#include "tilesets/GridPicture.h"

#include "maptile/Geometry.h"
#include "maptile/RasterOps.h"

const QImage &GridPicture::image()
{
    static const QImage grid = [] {
        constexpr int cell = Geometry::ViewSpaceSize;
        QImage img(7 * cell, 6 * cell, RasterOps::Format);
        for (int y = 0; y < img.height(); ++y) {
            auto *line = reinterpret_cast<QRgb *>(img.scanLine(y));
            const bool rowEdge = y % cell == 0 || y % cell == cell - 1;
            for (int x = 0; x < img.width(); ++x) {
                const bool edge = rowEdge || x % cell == 0 || x % cell == cell - 1;
                line[x] = edge ? LineColour : BackgroundColour;
            }
        }
        return img;
    }();
    return grid;
}

QRgb GridPicture::key()
{
    return image().pixel(KeyPixel);
}

void GridPicture::layOver(QImage &target)
{
    RasterOps::keyedCopy(target, QPoint(0, 0), image(), QRect(QPoint(0, 0), target.size()), key());
}
