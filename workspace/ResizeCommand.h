#pragma once

#include "placements/MaptileRecords.h"
#include "workspace/RemovedSpaces.h"
#include "workspace/UndoStep.h"

#include <QSize>

#include <memory>

class Workspace;

// A size chosen in the size list. Only a shrink loses pixels, so only then
// are the spaces it cut off kept.
class ResizeCommand : public UndoStep
{
public:
    ResizeCommand(Workspace &workspace, int columns, int rows);

    void redo() override;
    void undo() override;
    qint64 bytes() const override;

private:
    Workspace &m_workspace;
    QSize m_before;
    QSize m_after;
    RemovedSpaces m_cutOff;
    std::shared_ptr<const MaptileRecords> m_records;
};
