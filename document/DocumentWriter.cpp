#include "document/DocumentWriter.h"

#include "document/DocumentRecords.h"
#include "document/MaptileDocument.h"
#include "document/PngCache.h"
#include "document/PngWriter.h"
#include "document/ZipWriter.h"
#include "maptile/Redraw.h"

#include <QFileInfo>
#include <QXmlStreamWriter>

#include <algorithm>
#include <future>

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
    // The records' pictures: packed once in a run, mostly ahead of the save,
    // and the rest beside everything else.
    const MaptileRecords &records = document.records;
    const std::vector<DocumentRecords::Picture> recordPictures =
        records.hasPlacements() ? DocumentRecords::pictures(records) : std::vector<DocumentRecords::Picture>();
    std::vector<QByteArray> recordPngs(recordPictures.size());
    auto packing = std::async(std::launch::async, [&] {
        for (size_t i = 0; i < recordPictures.size(); ++i)
            recordPngs[i] = PngCache::packed(recordPictures[i].source, recordPictures[i].area);
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
    if (mergedPng.isEmpty() || thumbnailPng.isEmpty() || layerPngs.contains(QByteArray())
        || std::any_of(recordPngs.begin(), recordPngs.end(), [](const QByteArray &png) { return png.isEmpty(); })) {
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
        for (size_t i = 0; i < recordPngs.size(); ++i)
            zip.add(recordPictures[i].entry, recordPngs[i], ZipWriter::Method::Store);
        zip.add(DocumentRecords::Entry, DocumentRecords::xml(records), ZipWriter::Method::Deflate);
    }
    return zip.archive(error);
}
