#include "output/MaptileOpener.h"

#include "workspace/Workspace.h"
#include "document/DocumentReader.h"
#include "document/DocumentWriter.h"
#include "raster/Geometry.h"
#include "tilesets/TilesetImageReader.h"

#include <QFileInfo>

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
    QImage image;
    QSize pictureSize;
    if (DocumentWriter::isDocumentPath(path)) {
        const MaptileDocument document = DocumentReader::read(path, error);
        if (document.editable)
            return document.toPicture();
        // A document from another program opens as its merged picture.
        image = document.maptile.master();
    } else {
        // The largest maptile is all that is kept of a picture, so only that much is read.
        image = TilesetImageReader::read(path, error, QSize(Geometry::MaxColumns, Geometry::MaxRows) * Geometry::SpaceSize,
                                         &pictureSize);
        // Whatever a picture file says of itself, it is no document.
        image.setText(MaptileDocument::StateKey, {});
    }
    if (image.isNull())
        return {};
    // Less than one whole space would leave a maptile of no spaces at all.
    if (image.width() < Geometry::SpaceSize || image.height() < Geometry::SpaceSize) {
        *error = QStringLiteral("Cannot open \"%1\": the picture is %2 x %3 pixels, smaller than one space "
                                "(%4 x %4 pixels).")
            .arg(QFileInfo(path).fileName())
            .arg(pictureSize.isValid() ? pictureSize.width() : image.width())
            .arg(pictureSize.isValid() ? pictureSize.height() : image.height())
            .arg(Geometry::SpaceSize);
        return {};
    }
    return image;
}
