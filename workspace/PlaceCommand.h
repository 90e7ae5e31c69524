#pragma once

#include "workspace/Placement.h"
#include "workspace/UndoStep.h"

#include <vector>

class Workspace;

// Subtiles laid on spaces: one press, a whole stroke or a fill. Keeps each
// covered space as it was and the subtiles' own pixels, never the tileset
// they came from, which a reload or an edit may replace.
class PlaceCommand : public UndoStep
{
public:
    // Placements of one stroke (the same stroke number) merge into one step.
    PlaceCommand(Workspace &workspace, std::vector<Placement> placements, qint64 stroke);

    void redo() override;
    void undo() override;
    qint64 bytes() const override;
    bool mergeWith(const UndoStep &next) override;

private:
    Workspace &m_workspace;
    std::vector<Placement> m_placements;
    // The covered spaces as they were, laid back plainly. A step covers each space once.
    std::vector<Placement> m_before;
    qint64 m_stroke;
    qint64 m_bytes = 0;
};
