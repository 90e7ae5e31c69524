#include "workspace/OpenImageCommand.h"

#include "workspace/Workspace.h"

OpenImageCommand::OpenImageCommand(Workspace &workspace, const QImage &image)
    : m_workspace(workspace)
    // Opaque in the work format, so three bytes a pixel hold it exactly.
    , m_image(Maptile::cutToSpaces(image).convertToFormat(QImage::Format_RGB888))
    , m_removed(workspace.maptile().master())
    , m_speed(workspace.maptile().speedValues())
    , m_records(workspace.keptRecords())
    , m_mapNum(workspace.mapNumText())
{
}

void OpenImageCommand::redo()
{
    m_otherDocument = m_workspace.swapDocumentPath(m_otherDocument);
    m_workspace.putImage(m_image);
}

void OpenImageCommand::undo()
{
    m_otherDocument = m_workspace.swapDocumentPath(m_otherDocument);
    m_workspace.putText(Workspace::MapNumBox, m_mapNum);
    m_workspace.putMaptile(m_removed.restore({}), m_speed);
    m_workspace.putRecords(m_records);
}

qint64 OpenImageCommand::bytes() const
{
    return sizeof(*this) + m_image.sizeInBytes() + m_removed.bytes() + Maptile::speedBytes(m_speed)
        + (m_records ? m_records->bytes() : 0) + (m_mapNum.size() + m_otherDocument.size()) * qsizetype(sizeof(QChar));
}
