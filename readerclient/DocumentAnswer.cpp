#include "readerclient/DocumentAnswer.h"

#include "document/DocumentArchive.h"
#include "document/DocumentRecords.h"
#include "raster/RasterOps.h"

#include <QDataStream>
#include <QIODevice>

#include <algorithm>

namespace {

constexpr int BytesPerPixel = 4;
// What a tileset copy's texts take at most: its names and 28 speed values.
constexpr qint64 CopyTextBytes = 16 * 1024;
// What one placement takes, its transparency text included, with room to spare.
constexpr qint64 PlacementBytes = 64;
// A document's texts, fonts and speed values take under 12 KiB.
constexpr qint64 StateBytes = 64 * 1024;

void writeImage(QDataStream &stream, const QImage &picture)
{
    const QImage image = RasterOps::toWorkFormat(picture);
    stream << qint32(image.width()) << qint32(image.height());
    for (int y = 0; y < image.height(); ++y)
        stream.writeRawData(reinterpret_cast<const char *>(image.constScanLine(y)), image.width() * BytesPerPixel);
}

// A picture of exactly size, or of whole spaces within 5 x 6 when size is empty; null otherwise.
QImage readImage(QDataStream &stream, QSize size = {})
{
    qint32 width = 0, height = 0;
    stream >> width >> height;
    if (stream.status() != QDataStream::Ok)
        return {};
    const int columns = width / Geometry::SpaceSize, rows = height / Geometry::SpaceSize;
    const bool fits = size.isEmpty() ? width == columns * Geometry::SpaceSize && height == rows * Geometry::SpaceSize
            && columns >= 1 && columns <= Geometry::MaxColumns && rows >= 1 && rows <= Geometry::MaxRows
                                     : QSize(width, height) == size;
    if (!fits)
        return {};
    QImage image(width, height, RasterOps::Format);
    for (int y = 0; y < height; ++y)
        if (stream.readRawData(reinterpret_cast<char *>(image.scanLine(y)), width * BytesPerPixel)
            != width * BytesPerPixel)
            return {};
    return image;
}

bool readText(QDataStream &stream, QString &text, int limit)
{
    stream >> text;
    return stream.status() == QDataStream::Ok && text.size() <= limit;
}

void writeFont(QDataStream &stream, const DocumentFont &font)
{
    stream << font.family << font.points << font.rgb << font.bold << font.italic << font.underline << font.strikeOut;
}

bool readFont(QDataStream &stream, DocumentFont &font)
{
    stream >> font.family >> font.points >> font.rgb >> font.bold >> font.italic >> font.underline >> font.strikeOut;
    return stream.status() == QDataStream::Ok && DocumentArchive::acceptsFont(font);
}

void writeCopy(QDataStream &stream, const TilesetCopy &copy)
{
    writeImage(stream, copy.picture);
    stream << copy.fileName << copy.data.setName << copy.data.creator;
    for (int r = 0; r < Geometry::TilesetRows; ++r)
        for (int c = 0; c < Geometry::TilesetColumns; ++c)
            stream << copy.data.speedValue(c, r);
}

bool readCopy(QDataStream &stream, TilesetCopy &copy)
{
    copy.picture = readImage(stream, Geometry::TilesetSize);
    if (copy.picture.isNull() || !readText(stream, copy.fileName, DocumentRecords::MaxFileNameLength)
        || !readText(stream, copy.data.setName, DocumentRecords::MaxNameLength)
        || !readText(stream, copy.data.creator, DocumentRecords::MaxNameLength))
        return false;
    for (int r = 0; r < Geometry::TilesetRows; ++r)
        for (int c = 0; c < Geometry::TilesetColumns; ++c) {
            QString value;
            if (!readText(stream, value, DocumentArchive::MaxSpeedLength))
                return false;
            copy.data.setSpeedValue(c, r, value);
        }
    return true;
}

void writePlacement(QDataStream &stream, const LaidSubtile &laid)
{
    stream << qint32(laid.copy) << qint32(laid.cell.x()) << qint32(laid.cell.y())
           << qint32(laid.orientation.quarterTurns()) << laid.orientation.isMirrored() << laid.setting.text()
           << quint32(laid.key);
}

bool readPlacement(QDataStream &stream, int copies, LaidSubtile &laid)
{
    qint32 copy = 0, column = 0, row = 0, turns = 0;
    bool mirrored = false;
    QString transparency;
    quint32 key = 0;
    stream >> copy >> column >> row >> turns >> mirrored >> transparency >> key;
    if (stream.status() != QDataStream::Ok || copy < 0 || copy >= copies || column < 0
        || column >= Geometry::TilesetColumns || row < 0 || row >= Geometry::TilesetRows || turns < 0 || turns > 3
        || !DocumentRecords::acceptsTransparency(transparency))
        return false;
    laid.copy = copy;
    laid.cell = {column, row};
    laid.orientation = DocumentRecords::orientation(turns, mirrored);
    laid.setting = TransparencySetting(transparency);
    laid.key = key;
    return true;
}

bool readRecords(QDataStream &stream, MaptileDocument &document)
{
    const QImage &master = document.maptile.master();
    const QImage base = readImage(stream, master.size());
    quint32 count = 0;
    stream >> count;
    if (base.isNull() || stream.status() != QDataStream::Ok || count > quint32(MaptileRecords::MaxCopies))
        return false;
    std::vector<TilesetCopy> copies(count);
    for (TilesetCopy &copy : copies)
        if (!readCopy(stream, copy))
            return false;
    MaptileRecords records = MaptileRecords::fromBase(base);
    std::vector<int> index;
    for (const TilesetCopy &copy : copies)
        index.push_back(records.copyOf(copy.picture, copy.fileName, copy.data));
    for (int r = 0; r < records.rows(); ++r)
        for (int c = 0; c < records.columns(); ++c) {
            quint32 placements = 0;
            stream >> placements;
            if (stream.status() != QDataStream::Ok || placements > quint32(MaptileRecords::MaxPerSpace))
                return false;
            MaptileRecords::Stack stack(placements);
            for (LaidSubtile &laid : stack) {
                if (!readPlacement(stream, int(copies.size()), laid))
                    return false;
                laid.copy = index[laid.copy];
            }
            records.setStack({c, r}, stack);
        }
    // Sound records give the master exactly.
    if (records.compose() != master)
        return false;
    records.dropUnusedCopies();
    document.records = std::move(records);
    return true;
}

} // namespace

QByteArray DocumentAnswer::encode(const MaptileDocument &document)
{
    const MaptileRecords &records = document.records;
    Stacks stacks;
    for (int r = 0; r < records.rows(); ++r)
        for (int c = 0; c < records.columns(); ++c)
            stacks[r * Geometry::MaxColumns + c] = records.stack({c, r});
    return encode(document, records.base(), records.copies(), stacks);
}

QByteArray DocumentAnswer::encode(const MaptileDocument &document, const QImage &base,
                                  const std::vector<TilesetCopy> &copies, const Stacks &stacks)
{
    QByteArray bytes(1, Kind);
    QDataStream stream(&bytes, QIODevice::WriteOnly | QIODevice::Append);
    stream.setVersion(QDataStream::Qt_6_0);
    const QImage &master = document.maptile.master();
    stream << document.editable;
    writeImage(stream, master);
    if (!document.editable)
        return bytes;
    stream << document.mapNum << document.designer;
    writeFont(stream, MaptileDocument::recordOf(document.mapNumFont, document.mapNumColour));
    writeFont(stream, MaptileDocument::recordOf(document.speedFont, document.speedColour));
    for (const auto &column : document.maptile.speedValues())
        for (const QString &value : column)
            stream << value;
    writeImage(stream, base);
    stream << quint32(copies.size());
    for (const TilesetCopy &copy : copies)
        writeCopy(stream, copy);
    const int columns = std::min(master.width() / Geometry::SpaceSize, Geometry::MaxColumns);
    const int rows = std::min(master.height() / Geometry::SpaceSize, Geometry::MaxRows);
    for (int r = 0; r < rows; ++r)
        for (int c = 0; c < columns; ++c) {
            const MaptileRecords::Stack &stack = stacks[r * Geometry::MaxColumns + c];
            stream << quint32(stack.size());
            for (const LaidSubtile &laid : stack)
                writePlacement(stream, laid);
        }
    return bytes;
}

bool DocumentAnswer::decode(const QByteArray &bytes, MaptileDocument *document)
{
    if (!bytes.startsWith(Kind))
        return false;
    // Read where the bytes lie, without a copy.
    QDataStream stream(QByteArray::fromRawData(bytes.constData() + 1, bytes.size() - 1));
    stream.setVersion(QDataStream::Qt_6_0);
    MaptileDocument read;
    stream >> read.editable;
    const QImage master = readImage(stream);
    if (master.isNull())
        return false;
    read.maptile.setMaster(master);
    if (read.editable) {
        DocumentFont mapNumFont, speedFont;
        if (!readText(stream, read.mapNum, DocumentArchive::MaxMapNumLength)
            || !readText(stream, read.designer, DocumentArchive::MaxDesignerLength) || !readFont(stream, mapNumFont)
            || !readFont(stream, speedFont))
            return false;
        SpeedValues speed;
        for (auto &column : speed)
            for (QString &value : column)
                if (!readText(stream, value, DocumentArchive::MaxSpeedLength))
                    return false;
        read.maptile.setSpeedValues(speed);
        read.mapNumFont = MaptileDocument::fontOf(mapNumFont, &read.mapNumColour);
        read.speedFont = MaptileDocument::fontOf(speedFont, &read.speedColour);
        if (!readRecords(stream, read))
            return false;
    } else {
        read.records = MaptileRecords::fromBase(master);
    }
    if (stream.status() != QDataStream::Ok || !stream.atEnd())
        return false;
    *document = std::move(read);
    return true;
}

qint64 DocumentAnswer::maxBytes()
{
    const qint64 picture = 8;
    const qint64 maptile = picture
        + qint64(Geometry::MaxColumns) * Geometry::MaxRows * Geometry::SpaceSize * Geometry::SpaceSize * BytesPerPixel;
    const qint64 tileset = picture + qint64(Geometry::TilesetSize.width()) * Geometry::TilesetSize.height() * BytesPerPixel;
    const qint64 stacks = qint64(Geometry::MaxColumns) * Geometry::MaxRows * (4 + MaptileRecords::MaxPerSpace * PlacementBytes);
    return 2 + 2 * maptile + StateBytes + 4 + MaptileRecords::MaxCopies * (tileset + CopyTextBytes) + stacks;
}
