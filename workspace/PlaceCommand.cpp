#include "workspace/PlaceCommand.h"

#include "workspace/Workspace.h"

namespace {

// What placements hold beyond the step itself. A subtile laid by consecutive
// placements is held once; counted again after another, it is never understated.
qint64 heldBytes(const std::vector<Placement> &placements, qint64 previousSubtile = 0)
{
    qint64 total = 0;
    for (const Placement &placement : placements) {
        total += qint64(sizeof(Placement)) + placement.speed.size() * qint64(sizeof(QChar));
        if (placement.subtile.cacheKey() != previousSubtile)
            total += placement.subtile.sizeInBytes();
        previousSubtile = placement.subtile.cacheKey();
    }
    return total;
}

} // namespace

PlaceCommand::PlaceCommand(Workspace &workspace, std::vector<Placement> placements, qint64 stroke)
    : m_workspace(workspace)
    , m_placements(std::move(placements))
    , m_stroke(stroke)
{
    const Maptile &maptile = workspace.maptile();
    for (const Placement &placement : m_placements) {
        const QPoint space = placement.space;
        // Three bytes a pixel hold an opaque space exactly, a quarter less than the work format.
        m_before.push_back({space,
                            maptile.spacePixels(space).convertToFormat(QImage::Format_RGB888),
                            TransparencySetting(),
                            0,
                            maptile.speedValue(space.x(), space.y()),
                            {},
                            {}});
    }
    // Counted once: the history asks every step for it at every change.
    m_bytes = qint64(sizeof(*this)) + heldBytes(m_placements) + heldBytes(m_before);
}

void PlaceCommand::redo()
{
    m_workspace.putSubtiles(m_placements);
}

void PlaceCommand::undo()
{
    m_workspace.putSubtiles(m_before);
}

qint64 PlaceCommand::bytes() const
{
    return m_bytes;
}

bool PlaceCommand::mergeWith(const UndoStep &next)
{
    const auto *place = dynamic_cast<const PlaceCommand *>(&next);
    if (!place || place->m_stroke != m_stroke)
        return false;
    m_bytes += heldBytes(place->m_placements, m_placements.back().subtile.cacheKey()) + heldBytes(place->m_before);
    m_placements.insert(m_placements.end(), place->m_placements.begin(), place->m_placements.end());
    m_before.insert(m_before.end(), place->m_before.begin(), place->m_before.end());
    return true;
}
