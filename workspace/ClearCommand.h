#pragma once

#include "maptile/Maptile.h"
#include "placements/MaptileRecords.h"
#include "workspace/RemovedSpaces.h"
#include "workspace/UndoStep.h"

#include <QSize>

#include <memory>

class Workspace;

// The maptile cleared to blank spaces at the size in the size list: a new
// maptile, kept in no document until it is saved as one.
class ClearCommand : public UndoStep
{
public:
    ClearCommand(Workspace &workspace, int columns, int rows);

    void redo() override;
    void undo() override;
    qint64 bytes() const override;

private:
    Workspace &m_workspace;
    QSize m_size;
    RemovedSpaces m_removed;
    SpeedValues m_speed;
    std::shared_ptr<const MaptileRecords> m_records;
    // The document the maptile is not kept in while this step is in force.
    QString m_otherDocument;
};
