#include "workspace/MaptileOpener.h"

#include "document/MaptileFileReader.h"
#include "workspace/Workspace.h"

QString MaptileOpener::open(Workspace &workspace, const QString &path)
{
    QString error;
    const QImage picture = MaptileFileReader::read(path, &error);
    if (picture.isNull())
        return error;
    apply(workspace, picture, path);
    return {};
}

void MaptileOpener::apply(Workspace &workspace, const QImage &picture, const QString &path)
{
    const MaptileDocument document = MaptileDocument::fromPicture(picture);
    if (document.editable) {
        workspace.openDocument(document, path);
        // Nothing of the maptile is lost in a document.
        workspace.setMaptileChanged(false);
    } else {
        workspace.openImage(document.maptile.master());
    }
}
