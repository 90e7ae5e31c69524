#include "output/MaptileOpener.h"

#include "app/Workspace.h"
#include "maptile/Geometry.h"
#include "tilesets/TilesetImageReader.h"

#include <QFileInfo>

QString MaptileOpener::open(Workspace &workspace, const QString &path)
{
    QString error;
    QSize pictureSize;
    // The largest maptile is all that is kept of a picture, so only that much is read.
    const QImage image = TilesetImageReader::read(
        path, &error, QSize(Geometry::MaxColumns, Geometry::MaxRows) * Geometry::SpaceSize, &pictureSize);
    if (image.isNull())
        return error;
    // Less than one whole space would leave a maptile of no spaces at all.
    if (image.width() < Geometry::SpaceSize || image.height() < Geometry::SpaceSize)
        return QStringLiteral("Cannot open \"%1\": the picture is %2 x %3 pixels, smaller than one space "
                              "(%4 x %4 pixels).")
            .arg(QFileInfo(path).fileName())
            .arg(pictureSize.isValid() ? pictureSize.width() : image.width())
            .arg(pictureSize.isValid() ? pictureSize.height() : image.height())
            .arg(Geometry::SpaceSize);
    workspace.openImage(image);
    return {};
}
