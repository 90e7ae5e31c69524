#pragma once

#include "document/MaptileDocument.h"
#include "workspace/RemovedSpaces.h"
#include "workspace/UndoStep.h"

#include <memory>

class Workspace;

// A document opened as the maptile: master, speed values, texts and overlay
// fonts all change at once, and undo brings back all of them. The document's
// master is kept at three bytes a pixel; of the maptile it replaced, only the
// spaces that were not blank. The maptile is kept in the document's file from
// then on, and undo gives it back to the file it was kept in before.
class OpenDocumentCommand : public UndoStep
{
public:
    // path: the file the document was read from.
    OpenDocumentCommand(Workspace &workspace, MaptileDocument document, QString path);

    void redo() override;
    void undo() override;
    qint64 bytes() const override;

private:
    static qint64 stateBytes(const MaptileDocument &document);

    Workspace &m_workspace;
    MaptileDocument m_after;
    MaptileDocument m_before; // its master is in m_removed, its records in m_records
    RemovedSpaces m_removed;
    std::shared_ptr<const MaptileRecords> m_records;
    // Redo and undo each swap it with the workspace's: the file the maptile is
    // kept in once the step is undone, or once it is redone. A Save As in
    // between is what the swap carries over.
    QString m_otherDocument;
};
