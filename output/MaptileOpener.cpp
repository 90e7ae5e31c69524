#include "output/MaptileOpener.h"

#include "document/DocumentArchive.h"
#include "document/DocumentReader.h"
#include "document/DocumentWriter.h"
#include "pictures/MaptilePicture.h"
#include "pictures/PictureFile.h"
#include "raster/Geometry.h"
#include "workspace/Workspace.h"

QString MaptileOpener::open(Workspace &workspace, const QString &path)
{
    QString error;
    const QImage picture = read(path, &error);
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

QImage MaptileOpener::read(const QString &path, QString *error)
{
    const QByteArray bytes =
        DocumentWriter::isDocumentPath(path) ? DocumentArchive::load(path, error) : PictureFile::read(path, error);
    return bytes.isEmpty() ? QImage() : decode(bytes, path, Geometry::blankColour(), error);
}

QImage MaptileOpener::decode(const QByteArray &bytes, const QString &name, QRgb background, QString *error)
{
    if (!DocumentWriter::isDocumentPath(name)) {
        QImage image = MaptilePicture::decode(bytes, name, background, error);
        // Whatever a picture file says of itself, it is no document.
        image.setText(MaptileDocument::StateKey, {});
        return image;
    }
    QString reason;
    const MaptileDocument document = DocumentReader::decode(bytes, &reason, background);
    if (!reason.isEmpty()) {
        *error = DocumentArchive::failure(name, reason);
        return {};
    }
    // A document from another program opens as its merged picture.
    return document.editable ? document.toPicture() : document.maptile.master();
}
