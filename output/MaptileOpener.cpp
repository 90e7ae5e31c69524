#include "output/MaptileOpener.h"

#include "app/Workspace.h"
#include "document/DocumentReader.h"
#include "document/DocumentWriter.h"
#include "maptile/Geometry.h"
#include "tilesets/TilesetImageReader.h"

#include <QFileInfo>

QString MaptileOpener::open(Workspace &workspace, const QString &path)
{
    QString error;
    QImage image;
    if (DocumentWriter::isDocumentPath(path)) {
        const MaptileDocument document = DocumentReader::read(path, &error);
        if (document.editable) {
            workspace.openDocument(document);
            workspace.setMaptileChanged(false);
            return {};
        }
        // A document from another program opens as its merged picture.
        image = document.maptile.master();
    } else {
        image = TilesetImageReader::read(path, &error);
    }
    if (image.isNull())
        return error;
    // Less than one whole space would leave a maptile of no spaces at all.
    if (image.width() < Geometry::SpaceSize || image.height() < Geometry::SpaceSize)
        return QStringLiteral("Cannot open \"%1\": the picture is %2 x %3 pixels, smaller than one space "
                              "(%4 x %4 pixels).")
            .arg(QFileInfo(path).fileName())
            .arg(image.width())
            .arg(image.height())
            .arg(Geometry::SpaceSize);
    workspace.openImage(image);
    return {};
}
