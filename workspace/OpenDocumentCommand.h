#pragma once

#include "workspace/RemovedSpaces.h"
#include "workspace/UndoStep.h"
#include "document/MaptileDocument.h"

class Workspace;

// A document opened as the maptile: master, speed values, texts and overlay
// fonts all change at once, and undo brings back all of them. The document's
// master is kept at three bytes a pixel; of the maptile it replaced, only the
// spaces that were not blank.
class OpenDocumentCommand : public UndoStep
{
public:
    OpenDocumentCommand(Workspace &workspace, MaptileDocument document);

    void redo() override;
    void undo() override;
    qint64 bytes() const override;

private:
    static qint64 stateBytes(const MaptileDocument &document);

    Workspace &m_workspace;
    MaptileDocument m_after;
    MaptileDocument m_before; // its master is in m_removed
    RemovedSpaces m_removed;
};
