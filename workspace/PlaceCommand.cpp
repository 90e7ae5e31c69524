#include "workspace/PlaceCommand.h"

#include "workspace/Workspace.h"

PlaceCommand::PlaceCommand(Workspace &workspace, QPoint space, QImage subtile, const TransparencySetting &setting,
                           QString speed)
    : m_workspace(workspace)
    , m_space(space)
    , m_subtile(std::move(subtile))
    , m_setting(setting)
    // Three bytes a pixel hold an opaque space exactly, a quarter less than the work format.
    , m_before(workspace.maptile().spacePixels(space).convertToFormat(QImage::Format_RGB888))
    , m_speedBefore(workspace.maptile().speedValue(space.x(), space.y()))
    , m_speedAfter(std::move(speed))
{
}

void PlaceCommand::redo()
{
    m_workspace.putSubtile(m_space, m_subtile, m_setting, m_speedAfter);
}

void PlaceCommand::undo()
{
    m_workspace.putSpace(m_space, m_before, m_speedBefore);
}

qint64 PlaceCommand::bytes() const
{
    return sizeof(*this) + m_subtile.sizeInBytes() + m_before.sizeInBytes()
         + (m_speedBefore.size() + m_speedAfter.size()) * qsizetype(sizeof(QChar));
}
