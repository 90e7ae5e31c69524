#pragma once

#include "maptile/Maptile.h"

#include <QSize>
#include <QUndoCommand>

class Workspace;

// The maptile cleared to blank spaces at the size in the size list.
class ClearCommand : public QUndoCommand
{
public:
    ClearCommand(Workspace &workspace, int columns, int rows);

    void redo() override;
    void undo() override;

private:
    Workspace &m_workspace;
    QSize m_size;
    QImage m_master;
    SpeedValues m_speed;
};
