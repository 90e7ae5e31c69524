#include "document/MaptileFileReader.h"

#include "document/DocumentArchive.h"
#include "document/DocumentReader.h"
#include "document/DocumentWriter.h"
#include "pictures/MaptilePicture.h"
#include "pictures/PictureFile.h"
#include "raster/Geometry.h"

MaptileDocument MaptileFileReader::read(const QString &path, QString *error)
{
    const QByteArray bytes =
        DocumentWriter::isDocumentPath(path) ? DocumentArchive::load(path, error) : PictureFile::read(path, error);
    return bytes.isEmpty() ? MaptileDocument() : decode(bytes, path, Geometry::blankColour(), error);
}

MaptileDocument MaptileFileReader::decode(const QByteArray &bytes, const QString &name, QRgb background,
                                          QString *error)
{
    if (!DocumentWriter::isDocumentPath(name)) {
        // Only what becomes the maptile: whole spaces, at most 5 x 6.
        const QImage image = MaptilePicture::decode(bytes, name, background, error);
        MaptileDocument document;
        if (image.isNull())
            return document;
        document.maptile.setMaster(Maptile::cutToSpaces(image));
        document.records = MaptileRecords::fromBase(document.maptile.master());
        return document;
    }
    QString reason;
    MaptileDocument document = DocumentReader::decode(bytes, &reason, background);
    if (!reason.isEmpty())
        *error = DocumentArchive::failure(name, reason);
    return document;
}
