#pragma once

#include "placements/MaptileRecords.h"
#include "workspace/UndoStep.h"

#include <QImage>

#include <memory>

class Workspace;

// The maptile laid again from a fixed tileset: every placement made from a
// tileset of the same identity as a slot's takes the slot's current pixels,
// in the records' order over the base, and speed values the old tileset's
// metadata gave take the fixed one's. Keeps the master before and after, at
// three bytes a pixel, the speed values and the records before and after.
class UpdateCommand : public UndoStep
{
public:
    UpdateCommand(Workspace &workspace, int slot);

    // The spaces whose placements the slot's tileset made.
    int spaces() const { return m_spaces; }

    void redo() override;
    void undo() override;
    qint64 bytes() const override;

private:
    Workspace &m_workspace;
    QImage m_masterBefore;
    QImage m_masterAfter;
    SpeedValues m_speedBefore;
    SpeedValues m_speedAfter;
    std::shared_ptr<const MaptileRecords> m_recordsBefore;
    std::shared_ptr<const MaptileRecords> m_recordsAfter;
    int m_spaces = 0;
};
