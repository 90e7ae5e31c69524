#include "tilesets/TilesetWriter.h"

#include "tilesets/TileDataWriter.h"
#include "tilesets/TilesetSlot.h"

#include <QDir>
#include <QFileInfo>
#include <QImageWriter>
#include <QSaveFile>

namespace {

QString openError(const QString &path, const QSaveFile &file)
{
    return TilesetWriter::tr("%1 cannot be written: %2.").arg(QDir::toNativeSeparators(path), file.errorString());
}

} // namespace

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
    // The metadata file the reader would find is updated, whatever its letter case.
    const QString existing = TileData::existingDatFile(path);
    const QString datPath = existing.isEmpty() ? TileData::datPath(path) : existing;
    QString error;
    const QByteArray metadata = TileDataWriter::prepare(datPath, slot.tileData(), &error);
    if (!error.isEmpty())
        return error;

    // Both files are written in full before either replaces what was there.
    QSaveFile picture(path), dat(datPath);
    if (!picture.open(QIODevice::WriteOnly))
        return openError(path, picture);
    QImageWriter writer(&picture, format);
    if (format == "JPG")
        writer.setQuality(95);
    if (!writer.write(slot.fullImage())) {
        picture.cancelWriting();
        return tr("%1 cannot be written: %2.").arg(QDir::toNativeSeparators(path), writer.errorString());
    }
    if (!dat.open(QIODevice::WriteOnly) || dat.write(metadata) != metadata.size())
        return openError(datPath, dat);
    if (!picture.commit())
        return openError(path, picture);
    if (!dat.commit())
        return openError(datPath, dat);
    return {};
}
