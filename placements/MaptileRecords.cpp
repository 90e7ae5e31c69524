#include "placements/MaptileRecords.h"

#include "maptile/Maptile.h"
#include "raster/RasterOps.h"

using Geometry::SpaceSize;

namespace {

const MaptileRecords::Stack NoStack;

// Lays one placement on a maptile exactly as a mouse button lays its subtile.
void layOn(Maptile &maptile, QPoint space, const LaidSubtile &placement, const TilesetCopy &copy)
{
    const QImage subtile =
        placement.orientation.apply(copy.cell(placement.cell)).convertToFormat(QImage::Format_RGB888);
    maptile.composite(subtile, space, placement.setting, placement.key);
}

} // namespace

MaptileRecords::MaptileRecords()
    : m_base(0, 0, RasterOps::Format)
{
}

MaptileRecords MaptileRecords::fromBase(const QImage &master)
{
    MaptileRecords records;
    records.m_base = master;
    return records;
}

int MaptileRecords::indexOf(QPoint space)
{
    return space.y() * Geometry::MaxColumns + space.x();
}

bool MaptileRecords::inside(QPoint space) const
{
    return space.x() >= 0 && space.y() >= 0 && space.x() < columns() && space.y() < rows();
}

const MaptileRecords::Stack &MaptileRecords::stackAt(int index) const
{
    return m_stacks[index] ? *m_stacks[index] : NoStack;
}

MaptileRecords::Stack &MaptileRecords::writable(int index)
{
    std::shared_ptr<Stack> &placed = m_stacks[index];
    if (!placed)
        placed = std::make_shared<Stack>();
    else if (placed.use_count() > 1)
        placed = std::make_shared<Stack>(*placed);
    return *placed;
}

const MaptileRecords::Stack &MaptileRecords::stack(QPoint space) const
{
    return inside(space) ? stackAt(indexOf(space)) : NoStack;
}

const LaidSubtile *MaptileRecords::top(QPoint space) const
{
    const Stack &placed = stack(space);
    return placed.empty() ? nullptr : &placed.back();
}

bool MaptileRecords::hasPlacements() const
{
    for (const auto &placed : m_stacks)
        if (placed && !placed->empty())
            return true;
    return false;
}

bool MaptileRecords::holdsPicture(const QImage &picture) const
{
    return std::any_of(m_copies.begin(), m_copies.end(),
                       [&picture](const TilesetCopy &copy) { return copy.picture.cacheKey() == picture.cacheKey(); });
}

int MaptileRecords::spacesUsing(int copy) const
{
    int spaces = 0;
    for (const auto &placed : m_stacks)
        spaces += placed
            && std::any_of(placed->begin(), placed->end(), [copy](const LaidSubtile &p) { return p.copy == copy; });
    return spaces;
}

int MaptileRecords::copyOf(const QImage &picture, const QString &fileName, const TileData &data)
{
    for (size_t i = 0; i < m_copies.size(); ++i)
        if (m_copies[i].picture.cacheKey() == picture.cacheKey() && m_copies[i].sameTileset(fileName, data))
            return int(i);
    // The same pixels arrive anew when a tileset is loaded again or a copy goes back into a slot.
    // The copy then shares them, so the next placement finds it at once.
    for (size_t i = 0; i < m_copies.size(); ++i) {
        if (m_copies[i].sameTileset(fileName, data) && m_copies[i].picture == picture) {
            m_copies[i].picture = picture;
            return int(i);
        }
    }
    if (int(m_copies.size()) >= MaxCopies)
        foldOldestCopy();
    m_copies.push_back({picture, fileName, data});
    return int(m_copies.size()) - 1;
}

void MaptileRecords::lay(QPoint space, const LaidSubtile &placement)
{
    if (!inside(space))
        return;
    Stack &placed = writable(indexOf(space));
    // Nothing shows through a plain subtile.
    if (placement.setting.mode() == TransparencySetting::Plain)
        placed.clear();
    placed.push_back(placement);
    // Folding copies the whole base, so a full stack gives up half of itself at once.
    if (placed.size() > size_t(MaxPerSpace))
        foldIntoBase(space, placed.size() - MaxPerSpace / 2);
}

void MaptileRecords::setStack(QPoint space, const Stack &stack)
{
    if (inside(space))
        m_stacks[indexOf(space)] = std::make_shared<Stack>(stack);
}

void MaptileRecords::resize(int newColumns, int newRows)
{
    QImage resized(newColumns * SpaceSize, newRows * SpaceSize, RasterOps::Format);
    RasterOps::fill(resized, Geometry::blankColour());
    RasterOps::plainCopy(resized, QRect(QPoint(0, 0), m_base.size()), m_base, m_base.rect());
    m_base = resized;
    for (int row = 0; row < Geometry::MaxRows; ++row)
        for (int column = 0; column < Geometry::MaxColumns; ++column)
            if (column >= newColumns || row >= newRows)
                m_stacks[indexOf({column, row})].reset();
    dropUnusedCopies();
}

void MaptileRecords::blank(int newColumns, int newRows)
{
    *this = MaptileRecords();
    resize(newColumns, newRows);
}

QImage MaptileRecords::compose() const
{
    Maptile maptile;
    maptile.setMaster(m_base);
    for (int row = 0; row < rows(); ++row)
        for (int column = 0; column < columns(); ++column)
            for (const LaidSubtile &placement : stackAt(indexOf({column, row})))
                layOn(maptile, {column, row}, placement, m_copies.at(placement.copy));
    return maptile.master();
}

QImage MaptileRecords::composeSpace(QPoint space) const
{
    Maptile maptile;
    maptile.setMaster(m_base.copy(space.x() * SpaceSize, space.y() * SpaceSize, SpaceSize, SpaceSize));
    for (const LaidSubtile &placement : stack(space))
        layOn(maptile, {0, 0}, placement, m_copies.at(placement.copy));
    return maptile.master();
}

int MaptileRecords::updateFrom(const QImage &picture, const QString &fileName, const TileData &data, SpeedValues &speed)
{
    std::vector<bool> fixed(m_copies.size(), false);
    for (size_t i = 0; i < m_copies.size(); ++i)
        fixed[i] = m_copies[i].sameTileset(fileName, data);
    // Before the copies change: the automatic value is the one their old metadata gave.
    for (int row = 0; row < rows(); ++row)
        for (int column = 0; column < columns(); ++column) {
            const LaidSubtile *laid = top({column, row});
            if (!laid || !fixed[size_t(laid->copy)])
                continue;
            const TileData &before = m_copies[size_t(laid->copy)].data;
            QString &value = speed[size_t(column)][size_t(row)];
            if (value == before.speedValue(laid->cell.x(), laid->cell.y()).left(MaxSpeedValueLength))
                value = data.speedValue(laid->cell.x(), laid->cell.y()).left(MaxSpeedValueLength);
        }
    for (size_t i = 0; i < m_copies.size(); ++i) {
        if (!fixed[i])
            continue;
        m_copies[i].picture = picture;
        m_copies[i].data = data;
    }
    int spaces = 0;
    for (int index = 0; index < int(m_stacks.size()); ++index) {
        const Stack &placed = stackAt(index);
        if (std::none_of(placed.begin(), placed.end(), [&fixed](const LaidSubtile &p) { return fixed[p.copy]; }))
            continue;
        ++spaces;
        for (LaidSubtile &placement : writable(index))
            if (fixed[placement.copy])
                placement.key = picture.pixel(placement.cell.x() * SpaceSize, placement.cell.y() * SpaceSize);
    }
    return spaces;
}

void MaptileRecords::dropUnusedCopies()
{
    std::vector<int> renumbered(m_copies.size(), -1);
    for (int index = 0; index < int(m_stacks.size()); ++index)
        for (const LaidSubtile &placement : stackAt(index))
            renumbered[placement.copy] = 0;
    std::vector<TilesetCopy> kept;
    for (size_t i = 0; i < m_copies.size(); ++i) {
        if (renumbered[i] < 0)
            continue;
        renumbered[i] = int(kept.size());
        kept.push_back(std::move(m_copies[i]));
    }
    m_copies = std::move(kept);
    for (int index = 0; index < int(m_stacks.size()); ++index) {
        const Stack &placed = stackAt(index);
        if (std::any_of(placed.begin(), placed.end(),
                        [&](const LaidSubtile &p) { return renumbered[p.copy] != p.copy; }))
            for (LaidSubtile &placement : writable(index))
                placement.copy = renumbered[placement.copy];
    }
}

qint64 MaptileRecords::bytes() const
{
    qint64 total = sizeof(*this) + qint64(m_copies.size() * sizeof(TilesetCopy));
    for (const auto &placed : m_stacks)
        if (placed)
            total += qint64(sizeof(Stack) + placed->capacity() * sizeof(LaidSubtile));
    return total;
}

void MaptileRecords::foldIntoBase(QPoint space, size_t count)
{
    Stack &placed = writable(indexOf(space));
    Maptile maptile;
    maptile.setMaster(m_base);
    for (size_t i = 0; i < count; ++i)
        layOn(maptile, space, placed[i], m_copies.at(placed[i].copy));
    m_base = maptile.master();
    placed.erase(placed.begin(), placed.begin() + qsizetype(count));
}

void MaptileRecords::foldOldestCopy()
{
    dropUnusedCopies();
    if (int(m_copies.size()) < MaxCopies)
        return;
    // Everything up to the last placement from copy 0 goes into the base, on every space.
    for (int row = 0; row < rows(); ++row) {
        for (int column = 0; column < columns(); ++column) {
            const Stack &placed = stackAt(indexOf({column, row}));
            for (size_t i = placed.size(); i > 0; --i) {
                if (placed[i - 1].copy == 0) {
                    foldIntoBase({column, row}, i);
                    break;
                }
            }
        }
    }
    dropUnusedCopies();
}
