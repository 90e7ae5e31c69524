#pragma once

#include "set/MaptileSet.h"

#include <QCoreApplication>
#include <QPoint>
#include <QString>

class TileData;

// Which maptiles of a set use one subtile, a cell of a tileset, by what their
// documents kept of their placements: a placement uses it when its tileset
// has the same set name (or, without one, the same file name) and its cell is
// that cell. A document that kept no placement cannot tell.
class WhereUsed
{
    Q_DECLARE_TR_FUNCTIONS(WhereUsed)

public:
    enum class Use { NotRead, NoRecords, Unused, Used };
    struct Answer
    {
        Use use = Use::NotRead;
        int spaces = 0;
    };

    // The cell of the tileset read from tilesetFile with its metadata data.
    WhereUsed(const QString &tilesetFile, const TileData &data, QPoint cell);

    const QString &tileset() const { return m_tileset; }
    QPoint cell() const { return m_cell; }
    Answer in(const MaptileSet::Entry &entry) const;
    // Under the thumbnail: "Used on 3 spaces", "Keeps no record of its subtiles"; empty when not read.
    QString label(const MaptileSet::Entry &entry) const;
    // The same for a screen reader, as one part of the entry's text.
    QString note(const MaptileSet::Entry &entry) const;
    // Column 3, row 1 of "Stone Floors": used in 4 maptiles, on 9 spaces; 2 keep no record of their subtiles.
    QString statusLine(const MaptileSet &set) const;

private:
    QString m_tileset;
    QPoint m_cell;
};
