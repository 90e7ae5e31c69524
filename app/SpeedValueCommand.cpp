#include "app/SpeedValueCommand.h"

#include "app/Workspace.h"

SpeedValueCommand::SpeedValueCommand(Workspace &workspace, QPoint space, QString value)
    : QUndoCommand(QStringLiteral("Speed value"))
    , m_workspace(workspace)
    , m_space(space)
    , m_before(workspace.maptile().speedValue(space.x(), space.y()))
    , m_after(std::move(value))
{
}

void SpeedValueCommand::redo()
{
    m_workspace.putSpeedValue(m_space, m_after);
}

void SpeedValueCommand::undo()
{
    m_workspace.putSpeedValue(m_space, m_before);
}
