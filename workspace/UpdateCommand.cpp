#include "workspace/UpdateCommand.h"

#include "raster/RasterOps.h"
#include "workspace/Workspace.h"

UpdateCommand::UpdateCommand(Workspace &workspace, int slot)
    : m_workspace(workspace)
    , m_recordsBefore(workspace.keptRecords())
{
    const TilesetSlot &tileset = workspace.slot(slot);
    auto after = std::make_shared<MaptileRecords>(workspace.records());
    m_speedBefore = workspace.maptile().speedValues();
    m_speedAfter = m_speedBefore;
    m_spaces = after->updateFrom(tileset.fullImage(), tileset.path(), tileset.tileData(), m_speedAfter);
    if (m_spaces == 0)
        return;
    // Opaque in the work format, so three bytes a pixel hold them exactly.
    m_masterBefore = workspace.maptile().master().convertToFormat(QImage::Format_RGB888);
    m_masterAfter = after->compose().convertToFormat(QImage::Format_RGB888);
    m_recordsAfter = std::move(after);
}

void UpdateCommand::redo()
{
    m_workspace.putMaptile(RasterOps::toWorkFormat(m_masterAfter), m_speedAfter);
    m_workspace.putRecords(m_recordsAfter);
}

void UpdateCommand::undo()
{
    m_workspace.putMaptile(RasterOps::toWorkFormat(m_masterBefore), m_speedBefore);
    m_workspace.putRecords(m_recordsBefore);
}

qint64 UpdateCommand::bytes() const
{
    return sizeof(*this) + m_masterBefore.sizeInBytes() + m_masterAfter.sizeInBytes()
        + Maptile::speedBytes(m_speedBefore) + Maptile::speedBytes(m_speedAfter)
        + (m_recordsAfter ? m_recordsAfter->bytes() : 0);
}
