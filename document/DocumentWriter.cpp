#include "document/DocumentWriter.h"

#include "document/DocumentRecords.h"
#include "document/MaptileDocument.h"
#include "document/PngWriter.h"
#include "document/ZipWriter.h"
#include "maptile/Redraw.h"

#include <QFileInfo>
#include <QHashFunctions>
#include <QXmlStreamWriter>

#include <algorithm>
#include <future>
#include <optional>

namespace {

void writeFont(QXmlStreamWriter &xml, const QString &element, const QFont &font, const QColor &colour)
{
    xml.writeStartElement(element);
    xml.writeAttribute(QStringLiteral("family"), font.family());
    xml.writeAttribute(QStringLiteral("points"), QString::number(font.pointSizeF()));
    xml.writeAttribute(QStringLiteral("bold"), font.bold() ? QStringLiteral("1") : QStringLiteral("0"));
    xml.writeAttribute(QStringLiteral("italic"), font.italic() ? QStringLiteral("1") : QStringLiteral("0"));
    xml.writeAttribute(QStringLiteral("underline"), font.underline() ? QStringLiteral("1") : QStringLiteral("0"));
    xml.writeAttribute(QStringLiteral("strikeout"), font.strikeOut() ? QStringLiteral("1") : QStringLiteral("0"));
    xml.writeAttribute(QStringLiteral("colour"), colour.name(QColor::HexRgb));
    xml.writeEndElement();
}

QByteArray stateXml(const MaptileDocument &document)
{
    QByteArray bytes;
    QXmlStreamWriter xml(&bytes);
    xml.setAutoFormatting(true);
    xml.writeStartDocument();
    xml.writeDefaultNamespace(DocumentWriter::Namespace);
    xml.writeStartElement(DocumentWriter::Namespace, QStringLiteral("maptile"));
    xml.writeAttribute(QStringLiteral("version"), QString::number(DocumentWriter::Version));
    xml.writeAttribute(QStringLiteral("columns"), QString::number(document.maptile.columns()));
    xml.writeAttribute(QStringLiteral("rows"), QString::number(document.maptile.rows()));
    xml.writeAttribute(QStringLiteral("master"), DocumentWriter::MasterEntry);
    xml.writeTextElement(QStringLiteral("mapnum"), document.mapNum);
    xml.writeTextElement(QStringLiteral("designer"), document.designer);
    writeFont(xml, QStringLiteral("mapnum-font"), document.mapNumFont, document.mapNumColour);
    writeFont(xml, QStringLiteral("speed-font"), document.speedFont, document.speedColour);
    const SpeedValues &speed = document.maptile.speedValues();
    for (int c = 0; c < int(speed.size()); ++c) {
        for (int r = 0; r < int(speed[c].size()); ++r) {
            if (speed[c][r].isEmpty())
                continue;
            xml.writeStartElement(QStringLiteral("speed"));
            xml.writeAttribute(QStringLiteral("column"), QString::number(c));
            xml.writeAttribute(QStringLiteral("row"), QString::number(r));
            xml.writeCharacters(speed[c][r]);
            xml.writeEndElement();
        }
    }
    xml.writeEndElement();
    xml.writeEndDocument();
    return bytes;
}

struct Layer
{
    QString name;
    QString entry;
};

QByteArray stackXml(QSize size, const QList<Layer> &layers)
{
    QByteArray bytes;
    QXmlStreamWriter xml(&bytes);
    xml.setAutoFormatting(true);
    xml.writeStartDocument();
    xml.writeStartElement(QStringLiteral("image"));
    xml.writeAttribute(QStringLiteral("version"), QStringLiteral("0.0.5"));
    xml.writeAttribute(QStringLiteral("w"), QString::number(size.width()));
    xml.writeAttribute(QStringLiteral("h"), QString::number(size.height()));
    xml.writeAttribute(QStringLiteral("xres"), QStringLiteral("96"));
    xml.writeAttribute(QStringLiteral("yres"), QStringLiteral("96"));
    xml.writeStartElement(QStringLiteral("stack"));
    for (const Layer &layer : layers) {
        xml.writeStartElement(QStringLiteral("layer"));
        xml.writeAttribute(QStringLiteral("name"), layer.name);
        xml.writeAttribute(QStringLiteral("src"), layer.entry);
        xml.writeAttribute(QStringLiteral("x"), QStringLiteral("0"));
        xml.writeAttribute(QStringLiteral("y"), QStringLiteral("0"));
        xml.writeAttribute(QStringLiteral("opacity"), QStringLiteral("1.0"));
        xml.writeAttribute(QStringLiteral("visibility"), QStringLiteral("visible"));
        xml.writeAttribute(QStringLiteral("composite-op"), QStringLiteral("svg:src-over"));
        xml.writeEndElement();
    }
    xml.writeEndElement();
    xml.writeEndElement();
    xml.writeEndDocument();
    return bytes;
}

// A picture of the records and the cells of it a document keeps. Its pixels
// are known by their hash, seeded afresh in every run so that no document can
// be made to match another's, and what is kept between saves is the packed
// picture alone.
struct RecordPicture
{
    QImage source; // only until it is packed
    qint64 key;
    QSize size;
    std::optional<size_t> hash;
    quint32 cells;
    QByteArray png;

    size_t pixelHash()
    {
        if (!hash)
            hash = qHashBits(source.constBits(), size_t(source.sizeInBytes()), QHashSeed::globalSeed());
        return *hash;
    }
    bool samePixels(RecordPicture &other)
    {
        return cells == other.cells && size == other.size && (key == other.key || pixelHash() == other.pixelHash());
    }
};
// The base first, then each tileset copy.
std::vector<RecordPicture> recordPictures(const MaptileRecords &records)
{
    std::vector<RecordPicture> pictures;
    const auto add = [&pictures](const QImage &source, quint32 cells) {
        pictures.push_back({source, source.cacheKey(), source.size(), std::nullopt, cells, {}});
    };
    add(records.base(), 0);
    for (int i = 0; i < int(records.copies().size()); ++i)
        add(records.copies()[size_t(i)].picture, DocumentRecords::usedCells(records, i));
    return pictures;
}

} // namespace

bool DocumentWriter::isDocumentPath(const QString &path)
{
    return QFileInfo(path).suffix().compare(Suffix, Qt::CaseInsensitive) == 0;
}

QByteArray DocumentWriter::encode(const MaptileDocument &document, QString *error)
{
    const Maptile &maptile = document.maptile;
    if (maptile.master().isNull()) {
        *error = tr("there is no maptile to save");
        return {};
    }
    MaptileOverlays overlays = document.overlays();
    const bool showMapNum = !document.mapNum.isEmpty();
    // The pictures drawn for a save are kept for the next one on this thread:
    // memory touched for the first time costs more than drawing into it.
    thread_local QImage merged;
    Redraw::paintPreview(maptile, showMapNum, overlays, merged);
    // Top to bottom, as the stack lists them.
    const QList<Layer> layers{{QStringLiteral("Credit"), QStringLiteral("data/credit.png")},
                              {QStringLiteral("Maptile number"), QStringLiteral("data/maptile-number.png")},
                              {QStringLiteral("Speed values"), QStringLiteral("data/speed-values.png")},
                              {QStringLiteral("Subtiles"), MasterEntry}};
    const QImage thumbnail = merged.scaled(ThumbnailSize, ThumbnailSize, Qt::KeepAspectRatio, Qt::SmoothTransformation);

    // The subtiles, the one picture that takes long to pack, beside everything
    // else. The overlays are drawn already: the other thread only reads them.
    auto masterPng = std::async(std::launch::async, [&] { return PngWriter::encode(maptile.master()); });
    // The records' pictures packed for the last save on this thread are packed
    // again only when their pixels or the cells kept of them changed: tileset
    // copies seldom do between saves, nor between the documents of a set laid
    // from the same tilesets, and packing them costs as much as the master.
    // The others are packed beside the rest.
    const MaptileRecords &records = document.records;
    thread_local std::vector<RecordPicture> packed;
    std::vector<RecordPicture> recordPngs = records.hasPlacements() ? recordPictures(records) : std::vector<RecordPicture>();
    for (RecordPicture &picture : recordPngs)
        for (RecordPicture &before : packed)
            if (picture.png.isEmpty() && picture.samePixels(before)) {
                picture.png = before.png;
                picture.hash = before.hash;
            }
    auto packing = std::async(std::launch::async, [&] {
        for (size_t i = 0; i < recordPngs.size(); ++i)
            if (recordPngs[i].png.isEmpty())
                recordPngs[i].png = PngWriter::encode(
                    i == 0 ? records.base() : DocumentRecords::keptPicture(records, int(i) - 1), PngWriter::Packing::Small);
    });
    QList<QByteArray> layerPngs;
    // One overlay at a time, in one picture.
    thread_local QImage layer;
    for (const Redraw::Overlay overlay :
         {Redraw::Overlay::Credit, Redraw::Overlay::MapNum, Redraw::Overlay::SpeedValues}) {
        Redraw::overlayLayer(maptile, showMapNum, overlays, overlay, layer);
        layerPngs << PngWriter::encode(layer);
    }
    // The merged picture is what exports and painting programs read: kept
    // unpacked, it is read several times faster and costs no packing to save.
    const QByteArray mergedPng = PngWriter::encode(merged, PngWriter::Packing::Stored);
    const QByteArray thumbnailPng = PngWriter::encode(thumbnail);
    layerPngs << masterPng.get();
    packing.get();
    packed = recordPngs;
    for (RecordPicture &picture : packed) {
        // Kept for the next save, which may meet these pixels under another key.
        picture.pixelHash();
        picture.source = {};
    }
    if (std::any_of(recordPngs.begin(), recordPngs.end(), [](const RecordPicture &p) { return p.png.isEmpty(); })) {
        packed.clear();
        *error = tr("the pictures could not be encoded");
        return {};
    }
    if (mergedPng.isEmpty() || thumbnailPng.isEmpty() || layerPngs.contains(QByteArray())) {
        *error = tr("the pictures could not be encoded");
        return {};
    }

    ZipWriter zip;
    // First and stored, so that the type can be read at a fixed place of the file.
    zip.add(QStringLiteral("mimetype"), MimeType.toLatin1(), ZipWriter::Method::Store);
    zip.add(QStringLiteral("stack.xml"), stackXml(merged.size(), layers), ZipWriter::Method::Deflate);
    // PNG data is compressed already.
    for (int i = 0; i < layers.size(); ++i)
        zip.add(layers[i].entry, layerPngs[i], ZipWriter::Method::Store);
    zip.add(QStringLiteral("mergedimage.png"), mergedPng, ZipWriter::Method::Store);
    zip.add(QStringLiteral("Thumbnails/thumbnail.png"), thumbnailPng, ZipWriter::Method::Store);
    zip.add(StateEntry, stateXml(document), ZipWriter::Method::Deflate);
    // A maptile with nothing laid is its master alone, as a reader takes it.
    if (!recordPngs.empty()) {
        zip.add(DocumentRecords::BaseEntry, recordPngs.front().png, ZipWriter::Method::Store);
        for (size_t i = 1; i < recordPngs.size(); ++i)
            zip.add(DocumentRecords::copyEntry(int(i) - 1), recordPngs[i].png, ZipWriter::Method::Store);
        zip.add(DocumentRecords::Entry, DocumentRecords::xml(records), ZipWriter::Method::Deflate);
    }
    return zip.archive(error);
}
