#pragma once

#include <QList>
#include <QPoint>
#include <QString>
#include <QStringList>

class MaptileRecords;

// What "where used" needs of one document's records, and no more: for each
// tileset (by set name, or file name without one) and cell its kept
// placements took, on how many spaces. A set of hundreds keeps this instead
// of every document's records.
class SubtileUses
{
public:
    SubtileUses() = default;
    static SubtileUses of(const MaptileRecords &records);

    // Whether the document kept any placement at all; without one nothing can be told.
    bool keepsRecords() const { return m_keepsRecords; }
    // The spaces with a placement of cell from the tileset, matched as an
    // update matches it: set names and file names without regard to case.
    int spacesUsing(const QString &tileset, QPoint cell) const;

private:
    struct Count
    {
        quint8 tileset; // into m_tilesets
        quint8 cell; // column + row * the tileset's columns
        quint8 spaces;
    };

    QStringList m_tilesets; // case-folded
    QList<Count> m_counts;
    bool m_keepsRecords = false;
};
