#include "workspace/ClearCommand.h"

#include "workspace/Workspace.h"

ClearCommand::ClearCommand(Workspace &workspace, int columns, int rows)
    : m_workspace(workspace)
    , m_size(columns, rows)
    , m_removed(workspace.maptile().master())
    , m_speed(workspace.maptile().speedValues())
{
}

void ClearCommand::redo()
{
    m_otherDocument = m_workspace.swapDocumentPath(m_otherDocument);
    m_workspace.putBlank(m_size.width(), m_size.height());
}

void ClearCommand::undo()
{
    m_otherDocument = m_workspace.swapDocumentPath(m_otherDocument);
    m_workspace.putMaptile(m_removed.restore({}), m_speed);
}

qint64 ClearCommand::bytes() const
{
    return sizeof(*this) + m_removed.bytes() + Maptile::speedBytes(m_speed)
        + m_otherDocument.size() * qsizetype(sizeof(QChar));
}
