#include "workspace/ClearCommand.h"

#include "workspace/Workspace.h"

ClearCommand::ClearCommand(Workspace &workspace, int columns, int rows)
    : m_workspace(workspace)
    , m_size(columns, rows)
    , m_removed(workspace.maptile().master())
    , m_speed(workspace.maptile().speedValues())
    , m_records(workspace.keptRecords())
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
    m_workspace.putRecords(m_records);
}

qint64 ClearCommand::bytes() const
{
    return sizeof(*this) + m_removed.bytes() + Maptile::speedBytes(m_speed) + (m_records ? m_records->bytes() : 0)
        + m_otherDocument.size() * qsizetype(sizeof(QChar));
}
