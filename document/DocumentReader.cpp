#include "document/DocumentReader.h"

#include "document/DocumentArchive.h"
#include "document/ZipEntryStream.h"
#include "pictures/PictureDecoder.h"
#include "raster/Geometry.h"
#include "raster/RasterOps.h"

#include <optional>

static_assert(DocumentArchive::MaxPictureBytes == qint64(PictureDecoder::AllocationLimitMb) * 1024 * 1024,
              "a document's picture may be as large as any picture the program decodes");

namespace {

[[noreturn]] void refuse(const QString &reason)
{
    throw DocumentRefusal{reason};
}

// The opaque picture of a PNG entry, in whatever format it decoded to; with
// keep given, only its top-left part of at most that size is decoded, so that
// a picture far larger than a maptile costs no more memory than the maptile.
QImage picture(DocumentArchive &archive, const QString &name, std::optional<QSize> expected, QRgb background,
               QSize keep = {})
{
    const QSize size = archive.pictureSize(name);
    if (size.isEmpty())
        refuse(DocumentReader::tr("\"%1\" is not a PNG picture").arg(name));
    if (expected && size != *expected)
        refuse(DocumentReader::tr("\"%1\" is %2 x %3 pixels, not %4 x %5 like the document")
                   .arg(name)
                   .arg(size.width())
                   .arg(size.height())
                   .arg(expected->width())
                   .arg(expected->height()));
    // Decoded as it is read: the entry's bytes are never held whole.
    const std::unique_ptr<ZipEntryStream> entry = archive.stream(name, DocumentArchive::pngByteLimit(size));
    QString reason;
    const QImage image =
        PictureDecoder::decodePng([&entry](char *to, qint64 count) { return entry->read(to, count); }, &reason, keep);
    // Read on to the entry's end, where its checksum is checked, whatever the decoder made of it.
    if (!entry->finish())
        refuse(entry->reason());
    // Told apart by the decoder's own reason, in whatever language it came.
    if (image.isNull())
        refuse(reason == PictureDecoder::tooLarge(size.width(), size.height())
                   ? DocumentReader::tr("\"%1\" is too large (%2 x %3 pixels)")
                         .arg(name)
                         .arg(size.width())
                         .arg(size.height())
                   : DocumentReader::tr("\"%1\" is damaged").arg(name));
    return image.hasAlphaChannel() ? PictureDecoder::flattened(image, background) : image;
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

QImage mergedAsMaptile(DocumentArchive &archive, QRgb background)
{
    const QImage merged = picture(archive, DocumentArchive::MergedEntry, std::nullopt, background,
                                  QSize(Geometry::MaxColumns, Geometry::MaxRows) * Geometry::SpaceSize);
    if (merged.width() < Geometry::SpaceSize || merged.height() < Geometry::SpaceSize)
        refuse(DocumentReader::tr("the picture is %1 x %2 pixels, smaller than one space (%3 x %3 pixels)")
                   .arg(merged.width())
                   .arg(merged.height())
                   .arg(Geometry::SpaceSize));
    return merged;
}

MaptileDocument decodeArchive(const QByteArray &bytes, QRgb background)
{
    DocumentArchive archive(bytes);
    MaptileDocument document;
    if (archive.hasState()) {
        const DocumentState state = archive.readState();
        document.maptile.setMaster(RasterOps::toWorkFormat(picture(archive, state.master, archive.size(), background)));
        document.maptile.setSpeedValues(state.speed);
        document.mapNum = state.mapNum;
        document.designer = state.designer;
        document.mapNumFont = font(state.mapNumFont, &document.mapNumColour);
        document.speedFont = font(state.speedFont, &document.speedColour);
        document.editable = true;
        return document;
    }
    // Another program's document is its merged picture, taken as any opened picture is.
    document.maptile.setImage(mergedAsMaptile(archive, background));
    const MaptileOverlays defaults;
    document.mapNumFont = defaults.mapNumFont();
    document.mapNumColour = defaults.mapNumColour();
    document.speedFont = defaults.speedFont();
    document.speedColour = defaults.speedColour();
    return document;
}

QImage finishedOf(DocumentArchive &archive, QRgb background)
{
    if (!archive.hasState()) {
        Maptile maptile;
        maptile.setImage(mergedAsMaptile(archive, background));
        return maptile.master();
    }
    // Everything is checked as when the document is opened, but the subtiles
    // are not decoded: the merged picture is the finished maptile pixel for
    // pixel, overlays drawn in.
    archive.readState();
    return picture(archive, DocumentArchive::MergedEntry, archive.size(), background);
}

} // namespace

MaptileDocument DocumentReader::decode(const QByteArray &bytes, QString *reason, QRgb background)
{
    try {
        return decodeArchive(bytes, background);
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
        return decodeArchive(bytes, Geometry::blankColour());
    } catch (const DocumentRefusal &refusal) {
        *error = DocumentArchive::failure(path, refusal);
        return {};
    }
}

QImage DocumentReader::readFinished(const QString &path, QString *error)
{
    try {
        // Read from the file as its entries are needed: the subtiles and the
        // thumbnail are never read.
        DocumentArchive archive(path);
        return finishedOf(archive, Geometry::blankColour());
    } catch (const DocumentRefusal &refusal) {
        *error = DocumentArchive::failure(path, refusal);
        return {};
    }
}

QImage DocumentReader::decodeFinished(const QByteArray &bytes, QString *reason, QRgb background)
{
    try {
        DocumentArchive archive(bytes);
        return finishedOf(archive, background);
    } catch (const DocumentRefusal &refusal) {
        *reason = refusal.reason;
        return {};
    }
}
