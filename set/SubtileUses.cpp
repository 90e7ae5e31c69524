#include "set/SubtileUses.h"

#include "placements/MaptileRecords.h"

#include <algorithm>
#include <vector>

namespace {

quint8 cellIndex(QPoint cell)
{
    return quint8(cell.x() + cell.y() * Geometry::TilesetColumns);
}

} // namespace

SubtileUses SubtileUses::of(const MaptileRecords &records)
{
    SubtileUses uses;
    uses.m_keepsRecords = records.hasPlacements();
    // Several copies may be versions of one tileset: they count as one.
    std::vector<quint8> tilesetOfCopy;
    for (const TilesetCopy &copy : records.copies()) {
        const QString identity = copy.identity().toCaseFolded();
        qsizetype at = uses.m_tilesets.indexOf(identity);
        if (at < 0) {
            uses.m_tilesets << identity;
            at = uses.m_tilesets.size() - 1;
        }
        tilesetOfCopy.push_back(quint8(at));
    }
    for (int row = 0; row < records.rows(); ++row) {
        for (int column = 0; column < records.columns(); ++column) {
            // A subtile laid twice on one space still uses one space.
            std::vector<std::pair<quint8, quint8>> here;
            for (const LaidSubtile &placement : records.stack({column, row}))
                here.emplace_back(tilesetOfCopy.at(size_t(placement.copy)), cellIndex(placement.cell));
            std::sort(here.begin(), here.end());
            here.erase(std::unique(here.begin(), here.end()), here.end());
            for (const std::pair<quint8, quint8> &use : here) {
                const auto known = std::find_if(uses.m_counts.begin(), uses.m_counts.end(), [&use](const Count &c) {
                    return c.tileset == use.first && c.cell == use.second;
                });
                if (known != uses.m_counts.end())
                    ++known->spaces;
                else
                    uses.m_counts.append({use.first, use.second, 1});
            }
        }
    }
    return uses;
}

int SubtileUses::spacesUsing(const QString &tileset, QPoint cell) const
{
    const qsizetype at = m_tilesets.indexOf(tileset.toCaseFolded());
    if (at < 0)
        return 0;
    for (const Count &count : m_counts)
        if (count.tileset == at && count.cell == cellIndex(cell))
            return count.spaces;
    return 0;
}
