#include "workspace/OpenDocumentCommand.h"

#include "raster/RasterOps.h"
#include "workspace/Workspace.h"

OpenDocumentCommand::OpenDocumentCommand(Workspace &workspace, MaptileDocument document, QString path)
    : m_workspace(workspace)
    , m_after(std::move(document))
    , m_before(workspace.document())
    , m_removed(workspace.maptile().master())
    , m_records(workspace.keptRecords())
    , m_otherDocument(std::move(path))
{
    // Opaque in the work format, so three bytes a pixel hold it exactly.
    m_after.maptile.setMaster(m_after.maptile.master().convertToFormat(QImage::Format_RGB888));
    m_before.maptile.setMaster({});
    m_before.records = {};
}

void OpenDocumentCommand::redo()
{
    m_otherDocument = m_workspace.swapDocumentPath(m_otherDocument);
    MaptileDocument after = m_after;
    after.maptile.setMaster(RasterOps::toWorkFormat(m_after.maptile.master()));
    m_workspace.putDocument(after);
}

void OpenDocumentCommand::undo()
{
    m_otherDocument = m_workspace.swapDocumentPath(m_otherDocument);
    MaptileDocument before = m_before;
    before.maptile.setMaster(m_removed.restore({}));
    m_workspace.putDocument(before);
    m_workspace.putRecords(m_records);
}

qint64 OpenDocumentCommand::bytes() const
{
    return sizeof(*this) + m_after.maptile.master().sizeInBytes() + m_removed.bytes() + stateBytes(m_after)
        + stateBytes(m_before) + (m_records ? m_records->bytes() : 0)
        + m_otherDocument.size() * qsizetype(sizeof(QChar));
}

qint64 OpenDocumentCommand::stateBytes(const MaptileDocument &document)
{
    qint64 pictures = document.records.base().sizeInBytes();
    for (const TilesetCopy &copy : document.records.copies())
        pictures += copy.picture.sizeInBytes();
    return Maptile::speedBytes(document.maptile.speedValues()) + document.records.bytes() + pictures
        + (document.mapNum.size() + document.designer.size()) * qsizetype(sizeof(QChar));
}
