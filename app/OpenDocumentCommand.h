#pragma once

#include "document/MaptileDocument.h"

#include <QUndoCommand>

class Workspace;

// A document opened as the maptile: master, speed values, texts and overlay
// fonts all change at once, and undo brings back all of them.
class OpenDocumentCommand : public QUndoCommand
{
public:
    OpenDocumentCommand(Workspace &workspace, MaptileDocument document);

    void redo() override;
    void undo() override;

private:
    Workspace &m_workspace;
    MaptileDocument m_after;
    MaptileDocument m_before;
};
