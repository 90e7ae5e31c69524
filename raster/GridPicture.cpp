#include "raster/GridPicture.h"

#include "raster/Geometry.h"
#include "raster/RasterOps.h"

#include <vector>

namespace {

// Which device pixels along cells of 48 pixels lie on a cell border.
std::vector<char> borders(int cells, qreal ratio)
{
    constexpr int cell = Geometry::ViewSpaceSize;
    const int width = std::max(1, qRound(ratio));
    std::vector<char> border(size_t(qRound(cells * cell * ratio)), 0);
    for (int c = 0; c < cells; ++c) {
        const int from = qRound(c * cell * ratio);
        const int to = qRound((c + 1) * cell * ratio);
        for (int i = 0; i < width && from + i < to; ++i) {
            border[size_t(from + i)] = 1;
            border[size_t(to - 1 - i)] = 1;
        }
    }
    return border;
}

QImage draw(qreal ratio)
{
    const std::vector<char> columns = borders(7, ratio);
    const std::vector<char> rows = borders(6, ratio);
    QImage img(int(columns.size()), int(rows.size()), RasterOps::Format);
    for (int y = 0; y < img.height(); ++y) {
        auto *line = reinterpret_cast<QRgb *>(img.scanLine(y));
        for (int x = 0; x < img.width(); ++x)
            line[x] = rows[size_t(y)] || columns[size_t(x)] ? GridPicture::LineColour : GridPicture::BackgroundColour;
    }
    return img;
}

} // namespace

const QImage &GridPicture::image()
{
    static const QImage grid = draw(1);
    return grid;
}

QImage GridPicture::image(qreal ratio)
{
    if (qFuzzyCompare(ratio, qreal(1)))
        return image();
    // One screen density at a time is the rule; keep the last one made.
    static QImage grid;
    if (grid.isNull() || !qFuzzyCompare(grid.devicePixelRatio(), ratio)) {
        grid = draw(ratio);
        grid.setDevicePixelRatio(ratio);
    }
    return grid;
}

QRgb GridPicture::key()
{
    return image().pixel(KeyPixel);
}

void GridPicture::layOver(QImage &target, qreal ratio)
{
    // Read from the one-pixel grid: at three device pixels a border covers (2, 2).
    RasterOps::keyedCopy(target, QPoint(0, 0), image(ratio), QRect(QPoint(0, 0), target.size()), key());
}
