#include "app/OpenImageCommand.h"

#include "app/Workspace.h"

OpenImageCommand::OpenImageCommand(Workspace &workspace, QImage image)
    : QUndoCommand(QStringLiteral("Open"))
    , m_workspace(workspace)
    , m_image(std::move(image))
    , m_master(workspace.maptile().master())
    , m_speed(workspace.maptile().speedValues())
    , m_mapNum(workspace.mapNumText())
{
}

void OpenImageCommand::redo()
{
    m_workspace.putImage(m_image);
}

void OpenImageCommand::undo()
{
    m_workspace.putText(Workspace::MapNumBox, m_mapNum);
    m_workspace.putMaptile(m_master, m_speed);
}
