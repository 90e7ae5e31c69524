#include "tilesets/TilesetWriter.h"

#include "files/FileReplacer.h"
#include "tilesets/TileDataWriter.h"
#include "tilesets/TilesetSlot.h"

#include <QBuffer>
#include <QDir>
#include <QFileInfo>
#include <QImageWriter>

QString TilesetWriter::datPathFor(const QString &path)
{
    // The metadata file the reader would find is updated, whatever its letter case.
    const QString existing = TileData::existingDatFile(path);
    return existing.isEmpty() ? TileData::datPath(path) : existing;
}

QString TilesetWriter::save(const TilesetSlot &slot, const QString &path)
{
    const QString suffix = QFileInfo(path).suffix().toLower();
    const QByteArray format = suffix == u"png"  ? "PNG"
        : suffix == u"bmp"                      ? "BMP"
        : suffix == u"jpg" || suffix == u"jpeg" ? "JPG"
                                                : QByteArray();
    if (format.isEmpty()) {
        return (suffix.isEmpty() ? tr("%1 has no extension: a tileset is saved as PNG, BMP or JPEG, so its name ends "
                                      "in .png, .bmp or .jpg.")
                                 : tr("%1 has an extension the tileset cannot be saved as: a tileset is saved as PNG, "
                                      "BMP or JPEG, so its name ends in .png, .bmp or .jpg."))
            .arg(QDir::toNativeSeparators(path));
    }
    const QString datPath = datPathFor(path);
    QString error;
    const QByteArray metadata = TileDataWriter::prepare(datPath, slot.tileData(), &error);
    if (!error.isEmpty())
        return error;

    // Encoded before any file is touched: a picture the format refuses leaves both files alone.
    QByteArray picture;
    QBuffer buffer(&picture);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, format);
    if (format == "JPG")
        writer.setQuality(95);
    if (!writer.write(slot.fullImage()))
        return FileReplacer::describe(path, writer.errorString());
    return FileReplacer::writeAll(
        {{path, FileReplacer::fillWith(picture)}, {datPath, FileReplacer::fillWith(metadata)}});
}
