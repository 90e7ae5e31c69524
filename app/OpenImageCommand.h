#pragma once

#include "maptile/Maptile.h"

#include <QUndoCommand>

class Workspace;

// A picture opened as the whole maptile; it also clears the speed values and
// the maptile number, which undo brings back.
class OpenImageCommand : public QUndoCommand
{
public:
    OpenImageCommand(Workspace &workspace, QImage image);

    void redo() override;
    void undo() override;

private:
    Workspace &m_workspace;
    QImage m_image;
    QImage m_master;
    SpeedValues m_speed;
    QString m_mapNum;
};
