#include "document/DocumentReader.h"

#include "document/DocumentArchive.h"
#include "document/DocumentRecords.h"
#include "document/ZipEntryStream.h"
#include "pictures/FlattenedRows.h"
#include "pictures/ImageRows.h"
#include "pictures/PictureDecoder.h"
#include "raster/Geometry.h"
#include "raster/RasterOps.h"

#include <optional>

static_assert(DocumentArchive::MaxPictureBytes == qint64(PictureDecoder::AllocationLimitMb) * 1024 * 1024,
              "a document's picture may be as large as any picture the program decodes");

namespace {

// Hands the opaque picture of a PNG entry to rows as it is decoded; with
// keep given, only its top-left part of at most that size, so that a picture
// far larger than a maptile costs no more memory than the maptile.
void pictureRows(DocumentArchive &archive, const QString &name, std::optional<QSize> expected, QRgb background,
                 PictureRows &rows, QSize keep = {})
{
    const QSize size = archive.pictureSize(name);
    if (size.isEmpty())
        DocumentRefusal::raise(DocumentReader::tr("\"%1\" is not a PNG picture").arg(name));
    if (expected && size != *expected)
        DocumentRefusal::raise(DocumentReader::tr("\"%1\" is %2 x %3 pixels, not %4 x %5 like the document")
                                   .arg(name)
                                   .arg(size.width())
                                   .arg(size.height())
                                   .arg(expected->width())
                                   .arg(expected->height()));
    // Decoded as it is read: the entry's bytes are never held whole.
    const std::unique_ptr<ZipEntryStream> entry = archive.stream(name, DocumentArchive::pngByteLimit(size));
    FlattenedRows flat(rows, background);
    QString reason;
    HeaderFacts header;
    const bool decoded = PictureDecoder::decodePng([&entry](char *to, qint64 count) { return entry->read(to, count); },
                                                   flat, &reason, keep, &header);
    // Read on to the entry's end, where its checksum is checked, whatever the decoder made of it.
    if (!entry->finish())
        DocumentRefusal::raise(entry->reason());
    // Sized by the header itself: the archive gives a side of at most 2^30.
    if (!decoded)
        DocumentRefusal::raise(header.tooLarge() ? DocumentReader::tr("\"%1\" is too large (%2 x %3 pixels)")
                                                       .arg(name)
                                                       .arg(header.width)
                                                       .arg(header.height)
                                                 : DocumentReader::tr("\"%1\" is damaged").arg(name));
}

QImage picture(DocumentArchive &archive, const QString &name, std::optional<QSize> expected, QRgb background,
               QSize keep = {})
{
    ImageRows image;
    pictureRows(archive, name, expected, background, image, keep);
    return image.image();
}

QImage mergedAsMaptile(DocumentArchive &archive, QRgb background)
{
    const QImage merged = picture(archive, DocumentArchive::MergedEntry, std::nullopt, background,
                                  QSize(Geometry::MaxColumns, Geometry::MaxRows) * Geometry::SpaceSize);
    if (merged.width() < Geometry::SpaceSize || merged.height() < Geometry::SpaceSize)
        DocumentRefusal::raise(
            DocumentReader::tr("the picture is %1 x %2 pixels, smaller than one space (%3 x %3 pixels)")
                .arg(merged.width())
                .arg(merged.height())
                .arg(Geometry::SpaceSize));
    return merged;
}

// A tileset copy's picture: read whole, or its cells one by one over blank.
QImage copyPicture(DocumentArchive &archive, const RecordsState::Copy &copy, int index, QRgb background)
{
    if (!copy.picture.isEmpty())
        return RasterOps::toWorkFormat(picture(archive, copy.picture, Geometry::TilesetSize, background));
    QImage whole(Geometry::TilesetSize, RasterOps::Format);
    RasterOps::fill(whole, Geometry::blankColour());
    for (const QPoint cell : DocumentRecords::cellsOf(copy.cells)) {
        const QRect area = DocumentRecords::cellArea(cell);
        RasterOps::plainCopy(whole, area,
                             picture(archive, DocumentRecords::cellEntry(index, cell), area.size(), background),
                             QRect(QPoint(0, 0), area.size()));
    }
    return whole;
}

// The records a document carries over its master; a document without them,
// or whose records do not give its master (written by something else that
// kept the entries), has the master as its base: the master is what was saved.
MaptileRecords recordsOf(DocumentArchive &archive, const QImage &master, QRgb background)
{
    if (!archive.contains(DocumentRecords::Entry))
        return MaptileRecords::fromBase(master);
    const RecordsState state =
        DocumentRecords::read(archive, master.width() / Geometry::SpaceSize, master.height() / Geometry::SpaceSize);
    MaptileRecords records =
        MaptileRecords::fromBase(RasterOps::toWorkFormat(picture(archive, state.base, master.size(), background)));
    std::vector<int> index;
    for (int i = 0; i < int(state.copies.size()); ++i) {
        const RecordsState::Copy &copy = state.copies[size_t(i)];
        index.push_back(records.copyOf(copyPicture(archive, copy, i, background), copy.fileName, copy.data));
    }
    for (int r = 0; r < records.rows(); ++r)
        for (int c = 0; c < records.columns(); ++c) {
            MaptileRecords::Stack stack = state.stacks[r * Geometry::MaxColumns + c];
            for (LaidSubtile &laid : stack)
                laid.copy = index[laid.copy];
            if (!stack.empty())
                records.setStack({c, r}, stack);
        }
    if (records.compose() != master)
        return MaptileRecords::fromBase(master);
    records.dropUnusedCopies();
    return records;
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
        document.mapNumFont = MaptileDocument::fontOf(state.mapNumFont, &document.mapNumColour);
        document.speedFont = MaptileDocument::fontOf(state.speedFont, &document.speedColour);
        document.records = recordsOf(archive, document.maptile.master(), background);
        document.editable = true;
        return document;
    }
    // Another program's document is its merged picture, taken as any opened picture is.
    document.maptile.setImage(mergedAsMaptile(archive, background));
    document.records = MaptileRecords::fromBase(document.maptile.master());
    const MaptileOverlays defaults;
    document.mapNumFont = defaults.mapNumFont();
    document.mapNumColour = defaults.mapNumColour();
    document.speedFont = defaults.speedFont();
    document.speedColour = defaults.speedColour();
    return document;
}

// Hands the maptile an export writes to rows.
void finishedRows(DocumentArchive &archive, QRgb background, PictureRows &rows)
{
    if (!archive.hasState()) {
        Maptile maptile;
        maptile.setImage(mergedAsMaptile(archive, background));
        const QImage &master = maptile.master();
        bool taken = rows.begin(master.size(), master.format());
        for (int y = 0; taken && y < master.height(); ++y)
            taken = rows.take(y, master.constScanLine(y));
        if (!taken)
            DocumentRefusal::raise(DocumentReader::tr("\"%1\" is damaged").arg(DocumentArchive::MergedEntry));
        return;
    }
    // Everything is checked as when the document is opened, but the subtiles
    // are not decoded: the merged picture is the finished maptile pixel for
    // pixel, overlays drawn in.
    archive.readState();
    pictureRows(archive, DocumentArchive::MergedEntry, archive.size(), background, rows);
}

QImage finishedOf(DocumentArchive &archive, QRgb background)
{
    ImageRows image;
    finishedRows(archive, background, image);
    return image.image();
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
    ImageRows image;
    return readFinished(path, image, error) ? image.image() : QImage();
}

bool DocumentReader::readFinished(const QString &path, PictureRows &rows, QString *error)
{
    try {
        // Read from the file as its entries are needed: the subtiles and the
        // thumbnail are never read.
        DocumentArchive archive(path);
        finishedRows(archive, Geometry::blankColour(), rows);
        return true;
    } catch (const DocumentRefusal &refusal) {
        *error = DocumentArchive::failure(path, refusal);
        return false;
    }
}

bool DocumentReader::readFinished(const QString &path, const QByteArray &bytes, PictureRows &rows, QString *error)
{
    try {
        DocumentArchive archive(bytes);
        finishedRows(archive, Geometry::blankColour(), rows);
        return true;
    } catch (const DocumentRefusal &refusal) {
        *error = DocumentArchive::failure(path, refusal);
        return false;
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
