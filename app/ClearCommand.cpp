#include "app/ClearCommand.h"

#include "app/Workspace.h"

ClearCommand::ClearCommand(Workspace &workspace, int columns, int rows)
    : QUndoCommand(QStringLiteral("Clear"))
    , m_workspace(workspace)
    , m_size(columns, rows)
    , m_master(workspace.maptile().master())
    , m_speed(workspace.maptile().speedValues())
{
}

void ClearCommand::redo()
{
    m_workspace.putBlank(m_size.width(), m_size.height());
}

void ClearCommand::undo()
{
    m_workspace.putMaptile(m_master, m_speed);
}
