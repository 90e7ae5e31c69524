#include "workspace/Variation.h"

#include "raster/Geometry.h"
#include "tilesets/TilesetSlot.h"

namespace {

bool showsOnlyBlank(const QImage &subtile)
{
    const QRgb blank = Geometry::blankColour() | 0xff000000u;
    for (int y = 0; y < subtile.height(); ++y) {
        const auto *line = reinterpret_cast<const QRgb *>(subtile.constScanLine(y));
        for (int x = 0; x < subtile.width(); ++x) {
            if ((line[x] | 0xff000000u) != blank)
                return false;
        }
    }
    return true;
}

} // namespace

std::vector<SubtileRef> Variation::cellsOf(const TilesetSlot &slot, int index, QRect cells)
{
    cells &= QRect(0, 0, Geometry::TilesetColumns, Geometry::TilesetRows);
    std::vector<SubtileRef> refs;
    for (int row = cells.top(); row <= cells.bottom(); ++row) {
        for (int column = cells.left(); column <= cells.right(); ++column) {
            // A single cell is taken as it is, as a press takes it.
            if (cells.width() * cells.height() == 1 || !showsOnlyBlank(slot.subtile(column, row)))
                refs.push_back({index, column, row});
        }
    }
    return refs;
}

Variation::Variation(std::vector<SubtileRef> cells)
    : m_cells(std::move(cells))
    , m_keys(m_cells.size(), 0)
    , m_plain(m_cells.size())
    , m_turned(m_cells.size())
{
}

void Variation::paint(const TilesetSlot &slot)
{
    for (std::size_t i = 0; i < m_cells.size(); ++i) {
        m_plain[i] = slot.subtile(m_cells[i].column, m_cells[i].row);
        m_keys[i] = m_plain[i].pixel(0, 0);
        m_turned[i] = {};
    }
}

const QImage &Variation::subtile(int cell, Orientation orientation)
{
    QImage &turned = m_turned[cell][orientation.index()];
    if (turned.isNull() && !m_plain[cell].isNull())
        turned = orientation.apply(m_plain[cell]).convertToFormat(QImage::Format_RGB888);
    return turned;
}
