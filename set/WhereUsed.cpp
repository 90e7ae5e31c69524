#include "set/WhereUsed.h"

#include "placements/TilesetCopy.h"

WhereUsed::WhereUsed(const QString &tilesetFile, const TileData &data, QPoint cell)
    : m_tileset(TilesetCopy{{}, tilesetFile, data}.identity())
    , m_cell(cell)
{
}

WhereUsed::Answer WhereUsed::in(const MaptileSet::Entry &entry) const
{
    if (entry.state != MaptileSet::State::Read)
        return {};
    if (!entry.uses.keepsRecords())
        return {Use::NoRecords, 0};
    const int spaces = entry.uses.spacesUsing(m_tileset, m_cell);
    return {spaces > 0 ? Use::Used : Use::Unused, spaces};
}

QString WhereUsed::label(const MaptileSet::Entry &entry) const
{
    const Answer answer = in(entry);
    switch (answer.use) {
    case Use::NotRead:
        return {};
    case Use::NoRecords:
        return tr("Keeps no record of its subtiles");
    case Use::Unused:
        return tr("Does not use it");
    case Use::Used:
        return answer.spaces == 1 ? tr("Used on 1 space") : tr("Used on %1 spaces").arg(answer.spaces);
    }
    return {};
}

QString WhereUsed::note(const MaptileSet::Entry &entry) const
{
    const Answer answer = in(entry);
    switch (answer.use) {
    case Use::NotRead:
        return {};
    case Use::NoRecords:
        return tr("keeps no record of its subtiles");
    case Use::Unused:
        return tr("does not use the subtile");
    case Use::Used:
        return answer.spaces == 1 ? tr("uses the subtile on 1 space")
                                  : tr("uses the subtile on %1 spaces").arg(answer.spaces);
    }
    return {};
}

QString WhereUsed::statusLine(const MaptileSet &set) const
{
    int maptiles = 0, spaces = 0, unrecorded = 0;
    for (qsizetype i = 0; i < set.size(); ++i) {
        const Answer answer = in(set.at(i));
        maptiles += answer.use == Use::Used ? 1 : 0;
        spaces += answer.spaces;
        unrecorded += answer.use == Use::NoRecords ? 1 : 0;
    }
    const QString subtile =
        tr("Column %1, row %2 of \"%3\"").arg(m_cell.x() + 1).arg(m_cell.y() + 1).arg(m_tileset);
    const QString used = maptiles == 0 ? tr("used in no maptile")
        : maptiles == 1 ? (spaces == 1 ? tr("used in 1 maptile, on 1 space")
                                       : tr("used in 1 maptile, on %1 spaces").arg(spaces))
                        : tr("used in %1 maptiles, on %2 spaces").arg(maptiles).arg(spaces);
    QString line = tr("%1: %2").arg(subtile, used);
    if (unrecorded > 0)
        line = tr("%1; %2").arg(line, unrecorded == 1 ? tr("1 keeps no record of its subtiles")
                                                      : tr("%1 keep no record of their subtiles").arg(unrecorded));
    return line;
}
