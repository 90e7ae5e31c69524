#include "document/DocumentReader.h"

#include "document/DocumentArchive.h"
#include "maptile/Geometry.h"
#include "pictures/PictureDecoder.h"

#include <QBuffer>
#include <QImageReader>

#include <optional>

static_assert(DocumentArchive::MaxPictureBytes == qint64(PictureDecoder::AllocationLimitMb) * 1024 * 1024,
              "a document's picture may be as large as any picture the program decodes");

namespace {

[[noreturn]] void refuse(const QString &reason)
{
    throw DocumentRefusal{reason};
}

QImage picture(DocumentArchive &archive, const QString &name, std::optional<QSize> expected, QRgb background)
{
    QByteArray bytes = archive.entry(name, DocumentArchive::MaxPictureBytes);
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer, "png");
    // Guessing from the contents would load every picture plugin to ask it.
    reader.setAutoDetectImageFormat(false);
    reader.setAllocationLimit(PictureDecoder::AllocationLimitMb);
    const QSize size = reader.size();
    if (!size.isValid())
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
    const QImage image = reader.read();
    if (image.isNull())
        refuse(QStringLiteral("\"%1\" is damaged").arg(name));
    return PictureDecoder::flattened(image, background);
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
    const QImage merged = picture(archive, DocumentArchive::MergedEntry, std::nullopt, background);
    if (merged.width() < Geometry::SpaceSize || merged.height() < Geometry::SpaceSize)
        refuse(QStringLiteral("the picture is %1 x %2 pixels, smaller than one space (%3 x %3 pixels)")
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
        const DocumentState state = archive.readState(true);
        document.maptile.setMaster(picture(archive, state.master, archive.size(), background));
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

QImage finishedOf(const QByteArray &bytes, QRgb background)
{
    DocumentArchive archive(bytes);
    if (!archive.hasState()) {
        Maptile maptile;
        maptile.setImage(mergedAsMaptile(archive, background));
        return maptile.master();
    }
    // Everything is checked as when the document is opened, but the subtiles
    // are not decoded: the merged picture is the finished maptile pixel for
    // pixel, overlays drawn in.
    archive.readState(false);
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
    QString reason;
    MaptileDocument document = decode(bytes, &reason);
    if (!reason.isEmpty())
        *error = DocumentArchive::failure(path, reason);
    return document;
}

QImage DocumentReader::readFinished(const QString &path, QString *error)
{
    const QByteArray bytes = DocumentArchive::load(path, error);
    if (bytes.isEmpty())
        return {};
    QString reason;
    const QImage finished = decodeFinished(bytes, &reason);
    if (!reason.isEmpty())
        *error = DocumentArchive::failure(path, reason);
    return finished;
}

QImage DocumentReader::decodeFinished(const QByteArray &bytes, QString *reason, QRgb background)
{
    try {
        return finishedOf(bytes, background);
    } catch (const DocumentRefusal &refusal) {
        *reason = refusal.reason;
        return {};
    }
}
