#pragma once

#include "workspace/Placement.h"
#include "workspace/UndoStep.h"

#include "placements/MaptileRecords.h"

#include <memory>
#include <vector>

class Workspace;

// Subtiles laid on spaces: one press, a whole stroke or a fill. Keeps each
// covered space as it was and the subtiles' own pixels, never the tileset
// they came from, which a reload or an edit may replace; and the maptile's
// records before and after, whose tileset copies the slots share.
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
    std::shared_ptr<const MaptileRecords> m_recordsBefore;
    std::shared_ptr<const MaptileRecords> m_recordsAfter;
    qint64 m_stroke;
    qint64 m_bytes = 0;
    // What the records after hold of their own: their lists, and a base a fold made anew.
    qint64 m_recordsBytes = 0;

    void countRecords();
};
