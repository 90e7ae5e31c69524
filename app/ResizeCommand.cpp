#include "app/ResizeCommand.h"

#include "app/Workspace.h"

ResizeCommand::ResizeCommand(Workspace &workspace, int columns, int rows)
    : QUndoCommand(QStringLiteral("Size"))
    , m_workspace(workspace)
    , m_before(workspace.maptile().columns(), workspace.maptile().rows())
    , m_after(columns, rows)
{
    if (columns < m_before.width() || rows < m_before.height())
        m_cutOff = workspace.maptile().master();
}

void ResizeCommand::redo()
{
    m_workspace.putSize(m_after.width(), m_after.height());
}

void ResizeCommand::undo()
{
    if (m_cutOff.isNull())
        m_workspace.putSize(m_before.width(), m_before.height());
    else
        m_workspace.putMaster(m_cutOff);
}
