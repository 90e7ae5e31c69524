#include "app/OpenDocumentCommand.h"

#include "app/Workspace.h"

OpenDocumentCommand::OpenDocumentCommand(Workspace &workspace, MaptileDocument document)
    : QUndoCommand(QStringLiteral("Open"))
    , m_workspace(workspace)
    , m_after(std::move(document))
    , m_before(workspace.document())
{
}

void OpenDocumentCommand::redo()
{
    m_workspace.putDocument(m_after);
}

void OpenDocumentCommand::undo()
{
    m_workspace.putDocument(m_before);
}
