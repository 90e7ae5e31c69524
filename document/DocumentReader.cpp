#include "document/DocumentReader.h"

#include "document/DocumentArchive.h"
#include "raster/Geometry.h"
#include "raster/RasterOps.h"
#include "tilesets/TilesetImageReader.h"

#include <QBuffer>
#include <QImageReader>
#include <QPainter>

#include <optional>

static_assert(DocumentArchive::MaxPictureBytes == qint64(TilesetImageReader::AllocationLimitMb) * 1024 * 1024,
              "a document's picture may be as large as any picture the program decodes");

namespace {

[[noreturn]] void refuse(const QString &reason)
{
    throw DocumentRefusal{reason};
}

QImage picture(DocumentArchive &archive, const QString &name, std::optional<QSize> expected)
{
    const QSize size = archive.pictureSize(name);
    if (size.isEmpty())
        refuse(QStringLiteral("\"%1\" is not a PNG picture").arg(name));
    if (expected && size != *expected)
        refuse(QStringLiteral("\"%1\" is %2 x %3 pixels, not %4 x %5 like the document")
                   .arg(name)
                   .arg(size.width())
                   .arg(size.height())
                   .arg(expected->width())
                   .arg(expected->height()));
    if (qint64(size.width()) * size.height() * 4 > DocumentArchive::MaxPictureBytes)
        refuse(QStringLiteral("\"%1\" is too large (%2 x %3 pixels)").arg(name).arg(size.width()).arg(size.height()));
    QByteArray bytes = archive.entry(name, DocumentArchive::pngByteLimit(size));
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer, "png");
    // Guessing from the contents would load every picture plugin to ask it.
    reader.setAutoDetectImageFormat(false);
    reader.setAllocationLimit(TilesetImageReader::AllocationLimitMb);
    const QImage image = reader.read();
    if (image.isNull())
        refuse(QStringLiteral("\"%1\" is damaged").arg(name));
    if (!image.hasAlphaChannel())
        return RasterOps::toWorkFormat(image);
    // Transparent parts show the blank colour, as on a picture surface.
    QImage flat(image.size(), RasterOps::Format);
    RasterOps::fill(flat, Geometry::blankColour());
    QPainter(&flat).drawImage(0, 0, image);
    return flat;
}

QFont font(const DocumentFont &recorded, QColor *colour)
{
    QFont font(recorded.family);
    font.setPointSizeF(recorded.points);
    font.setBold(recorded.bold);
    font.setItalic(recorded.italic);
    font.setUnderline(recorded.underline);
    font.setStrikeOut(recorded.strikeOut);
    *colour = QColor::fromRgb(recorded.rgb);
    return font;
}

QImage mergedAsMaptile(DocumentArchive &archive)
{
    const QImage merged = picture(archive, DocumentArchive::MergedEntry, std::nullopt);
    if (merged.width() < Geometry::SpaceSize || merged.height() < Geometry::SpaceSize)
        refuse(QStringLiteral("the picture is %1 x %2 pixels, smaller than one space (%3 x %3 pixels)")
                   .arg(merged.width())
                   .arg(merged.height())
                   .arg(Geometry::SpaceSize));
    return merged;
}

MaptileDocument decodeArchive(const QByteArray &bytes)
{
    DocumentArchive archive(bytes);
    MaptileDocument document;
    if (archive.hasState()) {
        const DocumentState state = archive.readState(true);
        document.maptile.setMaster(picture(archive, state.master, archive.size()));
        document.maptile.setSpeedValues(state.speed);
        document.mapNum = state.mapNum;
        document.designer = state.designer;
        document.mapNumFont = font(state.mapNumFont, &document.mapNumColour);
        document.speedFont = font(state.speedFont, &document.speedColour);
        document.editable = true;
        return document;
    }
    // Another program's document is its merged picture, taken as any opened picture is.
    document.maptile.setImage(mergedAsMaptile(archive));
    const MaptileOverlays defaults;
    document.mapNumFont = defaults.mapNumFont();
    document.mapNumColour = defaults.mapNumColour();
    document.speedFont = defaults.speedFont();
    document.speedColour = defaults.speedColour();
    return document;
}

QImage finishedOf(const QByteArray &bytes)
{
    DocumentArchive archive(bytes);
    if (!archive.hasState()) {
        Maptile maptile;
        maptile.setImage(mergedAsMaptile(archive));
        return maptile.master();
    }
    // Everything is checked as when the document is opened, but the subtiles
    // are not decoded: the merged picture is the finished maptile pixel for
    // pixel, overlays drawn in.
    archive.readState(false);
    return picture(archive, DocumentArchive::MergedEntry, archive.size());
}

} // namespace

MaptileDocument DocumentReader::decode(const QByteArray &bytes, QString *reason)
{
    try {
        return decodeArchive(bytes);
    } catch (const DocumentRefusal &refusal) {
        *reason = refusal.reason;
        return {};
    }
}

MaptileDocument DocumentReader::read(const QString &path, QString *error)
{
    const QByteArray bytes = DocumentArchive::load(path, error);
    if (bytes.isEmpty())
        return {};
    try {
        return decodeArchive(bytes);
    } catch (const DocumentRefusal &refusal) {
        *error = DocumentArchive::failure(path, refusal);
        return {};
    }
}

QImage DocumentReader::readFinished(const QString &path, QString *error)
{
    const QByteArray bytes = DocumentArchive::load(path, error);
    if (bytes.isEmpty())
        return {};
    try {
        return finishedOf(bytes);
    } catch (const DocumentRefusal &refusal) {
        *error = DocumentArchive::failure(path, refusal);
        return {};
    }
}
