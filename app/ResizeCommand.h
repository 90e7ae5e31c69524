#pragma once

#include <QImage>
#include <QSize>
#include <QUndoCommand>

class Workspace;

// A size chosen in the size list. Only a shrink loses pixels, so only then
// is the maptile kept as it was.
class ResizeCommand : public QUndoCommand
{
public:
    ResizeCommand(Workspace &workspace, int columns, int rows);

    void redo() override;
    void undo() override;

private:
    Workspace &m_workspace;
    QSize m_before;
    QSize m_after;
    QImage m_cutOff;
};
