#pragma once

#include "maptile/SpeedValues.h"
#include "placements/LaidSubtile.h"
#include "placements/TilesetCopy.h"
#include "raster/Geometry.h"

#include <QImage>
#include <QPoint>

#include <array>
#include <memory>
#include <vector>

// The exact record of how a maptile's master was made: a base picture (what
// was opened, or blank) and, on each space, in the order they were laid, the
// placements over it, each naming a copy of the tileset it came from. Laying
// the placements over the base in order gives the master, byte for byte.
//
// A plain placement hides everything under it, so it ends its space's stack
// there; a stack that would grow beyond MaxPerSpace, or copies beyond
// MaxCopies, fold their oldest placements into the base, which keeps the
// master exact and only forgets what can no longer be painted again.
class MaptileRecords
{
public:
    static constexpr int MaxPerSpace = 64;
    static constexpr int MaxCopies = 32;
    using Stack = std::vector<LaidSubtile>;

    // A blank base of 0 x 0 spaces.
    MaptileRecords();
    // The master becomes the base; no placements.
    static MaptileRecords fromBase(const QImage &master);

    const QImage &base() const { return m_base; }
    int columns() const { return m_base.width() / Geometry::SpaceSize; }
    int rows() const { return m_base.height() / Geometry::SpaceSize; }
    const std::vector<TilesetCopy> &copies() const { return m_copies; }
    // Empty outside the maptile.
    const Stack &stack(QPoint space) const;
    // The placement on top of the space; null when only the base shows there.
    const LaidSubtile *top(QPoint space) const;
    bool hasPlacements() const;
    // Whether a copy shares picture's pixels.
    bool holdsPicture(const QImage &picture) const;
    // Spaces whose stack holds a placement from copy index.
    int spacesUsing(int copy) const;

    // The copy that holds picture (the same pixels shared, or equal ones of
    // the same tileset), added when none does.
    int copyOf(const QImage &picture, const QString &fileName, const TileData &data);
    // Records placement on top of the space's stack; outside the maptile it is ignored.
    void lay(QPoint space, const LaidSubtile &placement);
    // The stack of a space as it was, put back (undo).
    void setStack(QPoint space, const Stack &stack);
    // Resized as the master is: anchored top-left, new spaces blank, the
    // placements of removed spaces gone.
    void resize(int columns, int rows);
    // A blank base of that size and no placements.
    void blank(int columns, int rows);

    // The base with every placement laid over it in order: the master.
    QImage compose() const;
    // The space's pixels as the base and its stack give them.
    QImage composeSpace(QPoint space) const;

    // Every copy of the tileset named by fileName and data takes the cells of
    // picture; returns the spaces whose placements use one of those copies.
    // Keys of keyed placements are taken afresh from the new cells, as laying
    // them anew would. Copies become data's metadata as well, and a space whose
    // speed value is still the one the old metadata gave its top placement
    // takes the new one; a value typed or chosen stays.
    int updateFrom(const QImage &picture, const QString &fileName, const TileData &data, SpeedValues &speed);
    // Copies no placement uses are dropped and the placements renumbered.
    void dropUnusedCopies();

    // Memory the records hold beyond the shared pictures.
    qint64 bytes() const;

private:
    static int indexOf(QPoint space);
    bool inside(QPoint space) const;
    const Stack &stackAt(int index) const;
    // The stack at index, made this record's own first if another shares it.
    Stack &writable(int index);
    // Lays stack entries [0, count) of space into the base and drops them.
    void foldIntoBase(QPoint space, size_t count);
    // Makes room for one more copy.
    void foldOldestCopy();

    QImage m_base;
    // Shared between copies of the records until one of them changes a stack, so
    // that the records before and after a placement cost one stack, not all of them.
    std::array<std::shared_ptr<Stack>, Geometry::MaxColumns * Geometry::MaxRows> m_stacks;
    std::vector<TilesetCopy> m_copies;
};
