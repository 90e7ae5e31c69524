#include "output/MaptileOpener.h"

#include "app/Workspace.h"
#include "maptile/Geometry.h"
#include "tilesets/TilesetImageReader.h"

#include <QFileInfo>

QString MaptileOpener::open(Workspace &workspace, const QString &path)
{
    QString error;
    const QImage image = read(path, &error);
    if (image.isNull())
        return error;
    workspace.openImage(image);
    return {};
}

QImage MaptileOpener::read(const QString &path, QString *error)
{
    QSize pictureSize;
    // The largest maptile is all that is kept of a picture, so only that much is read.
    QImage image = TilesetImageReader::read(
        path, error, QSize(Geometry::MaxColumns, Geometry::MaxRows) * Geometry::SpaceSize, &pictureSize);
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
