#include "workspace/SpeedValueCommand.h"

#include "workspace/Workspace.h"

SpeedValueCommand::SpeedValueCommand(Workspace &workspace, QPoint space, QString value)
    : m_workspace(workspace)
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

qint64 SpeedValueCommand::bytes() const
{
    return sizeof(*this) + (m_before.size() + m_after.size()) * qsizetype(sizeof(QChar));
}
