#pragma once

#include "maptile/Maptile.h"
#include "placements/MaptileRecords.h"

#include "workspace/RemovedSpaces.h"
#include "workspace/UndoStep.h"
#include <memory>

class Workspace;

// A picture opened as the whole maptile; it also clears the speed values and
// the maptile number, which undo brings back. Only the part of the picture
// that became the maptile is kept. A maptile from a picture is kept in no
// document until it is saved as one.
class OpenImageCommand : public UndoStep
{
public:
    OpenImageCommand(Workspace &workspace, const QImage &image);

    void redo() override;
    void undo() override;
    qint64 bytes() const override;

private:
    Workspace &m_workspace;
    QImage m_image;
    RemovedSpaces m_removed;
    SpeedValues m_speed;
    std::shared_ptr<const MaptileRecords> m_records;
    QString m_mapNum;
    // The document the maptile is not kept in while this step is in force.
    QString m_otherDocument;
};
