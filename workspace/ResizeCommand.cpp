#include "workspace/ResizeCommand.h"

#include "workspace/Workspace.h"

ResizeCommand::ResizeCommand(Workspace &workspace, int columns, int rows)
    : m_workspace(workspace)
    , m_before(workspace.maptile().columns(), workspace.maptile().rows())
    , m_after(columns, rows)
    , m_cutOff(workspace.maptile().master(), m_after)
    , m_records(workspace.keptRecords())
{
}

void ResizeCommand::redo()
{
    m_workspace.putSize(m_after.width(), m_after.height());
}

void ResizeCommand::undo()
{
    m_workspace.putMaster(m_cutOff.restore(m_workspace.maptile().master()));
    m_workspace.putRecords(m_records);
}

qint64 ResizeCommand::bytes() const
{
    return sizeof(*this) + m_cutOff.bytes() + (m_records ? m_records->bytes() : 0);
}
