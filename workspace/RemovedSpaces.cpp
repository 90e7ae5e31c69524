#include "workspace/RemovedSpaces.h"

#include "raster/Geometry.h"
#include "raster/RasterOps.h"

using Geometry::SpaceSize;

namespace {

bool isBlank(const QImage &master, QPoint at)
{
    const QRgb blank = Geometry::blankColour() & RGB_MASK;
    for (int y = at.y(); y < at.y() + SpaceSize; ++y) {
        const auto *line = reinterpret_cast<const QRgb *>(master.constScanLine(y)) + at.x();
        for (int x = 0; x < SpaceSize; ++x)
            if ((line[x] & RGB_MASK) != blank)
                return false;
    }
    return true;
}

} // namespace

RemovedSpaces::RemovedSpaces(const QImage &master, QSize kept)
    : m_size(master.size())
    , m_kept(kept)
{
    const QImage work = RasterOps::toWorkFormat(master);
    const QRect keptRect(0, 0, kept.width() * SpaceSize, kept.height() * SpaceSize);
    for (int y = 0; y + SpaceSize <= work.height(); y += SpaceSize)
        for (int x = 0; x + SpaceSize <= work.width(); x += SpaceSize) {
            const QPoint at(x, y);
            if (!keptRect.contains(at) && !isBlank(work, at))
                m_spaces.append({at, work.copy(x, y, SpaceSize, SpaceSize).convertToFormat(QImage::Format_RGB888)});
        }
}

QImage RemovedSpaces::restore(const QImage &current) const
{
    QImage master(m_size, RasterOps::Format);
    RasterOps::fill(master, Geometry::blankColour());
    const QRect kept = QRect(0, 0, m_kept.width() * SpaceSize, m_kept.height() * SpaceSize)
                           .intersected(current.rect())
                           .intersected(master.rect());
    RasterOps::plainCopy(master, kept, current, kept);
    for (const Space &space : m_spaces)
        RasterOps::plainCopy(master, QRect(space.at, space.pixels.size()), space.pixels, space.pixels.rect());
    return master;
}

qint64 RemovedSpaces::bytes() const
{
    qint64 total = sizeof(*this);
    for (const Space &space : m_spaces)
        total += sizeof(Space) + space.pixels.sizeInBytes();
    return total;
}
