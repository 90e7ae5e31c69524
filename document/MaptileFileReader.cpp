#include "document/MaptileFileReader.h"

#include "document/DocumentArchive.h"
#include "document/DocumentReader.h"
#include "document/DocumentWriter.h"
#include "pictures/MaptilePicture.h"
#include "pictures/PictureFile.h"
#include "raster/Geometry.h"

QImage MaptileFileReader::read(const QString &path, QString *error)
{
    const QByteArray bytes =
        DocumentWriter::isDocumentPath(path) ? DocumentArchive::load(path, error) : PictureFile::read(path, error);
    return bytes.isEmpty() ? QImage() : decode(bytes, path, Geometry::blankColour(), error);
}

QImage MaptileFileReader::decode(const QByteArray &bytes, const QString &name, QRgb background, QString *error)
{
    if (!DocumentWriter::isDocumentPath(name)) {
        // Only what becomes the maptile: whole spaces, at most 5 x 6.
        QImage image = MaptilePicture::decode(bytes, name, background, error);
        if (image.isNull())
            return {};
        image = Maptile::cutToSpaces(image);
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
