#include "workspace/MaptileOpener.h"

#include "document/MaptileFileReader.h"
#include "workspace/Workspace.h"

QString MaptileOpener::open(Workspace &workspace, const QString &path)
{
    QString error;
    const MaptileDocument document = MaptileFileReader::read(path, &error);
    if (document.maptile.master().isNull())
        return error;
    apply(workspace, document, path);
    return {};
}

void MaptileOpener::apply(Workspace &workspace, const MaptileDocument &document, const QString &path)
{
    if (document.editable) {
        workspace.openDocument(document, path);
        // Nothing of the maptile is lost in a document.
        workspace.setMaptileChanged(false);
    } else {
        workspace.openImage(document.maptile.master());
    }
}
