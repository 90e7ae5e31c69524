#include "document/DocumentReader.h"

#include "document/DocumentWriter.h"
#include "document/ZipReader.h"
#include "maptile/Geometry.h"
#include "maptile/RasterOps.h"
#include "tilesets/TilesetImageReader.h"

#include <QBuffer>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QPainter>
#include <QXmlStreamReader>
#include <QtEndian>

#include <limits>
#include <optional>

namespace {

// A picture entry may be as large as the largest picture the program decodes.
constexpr qint64 MaxPngBytes = qint64(TilesetImageReader::AllocationLimitMb) * 1024 * 1024;

// Entries are only ever looked up, but a name that climbs out of the archive
// or starts at the root marks a file made to do harm.
bool isSafeName(const QString &name)
{
    if (name.isEmpty() || name.startsWith(QLatin1Char('/')) || name.contains(QLatin1Char('\\'))
        || name.contains(QLatin1Char(':')))
        return false;
    const QStringList parts = name.split(QLatin1Char('/'));
    return !parts.contains(QStringLiteral("..")) && !parts.contains(QStringLiteral("."));
}

struct Failure
{
    QString reason;
};

class Decoder
{
public:
    explicit Decoder(const QByteArray &bytes)
        : m_zip(bytes)
    {
    }

    MaptileDocument decode();
    QImage finished();

private:
    void open();
    QImage mergedAsMaptile();
    QByteArray entry(const QString &name, qint64 limit);
    QImage picture(const QString &name, std::optional<QSize> expected);
    QSize pictureSize(const QString &name);
    void readStack();
    bool readState(MaptileDocument &document, bool decodeMaster);
    QFont readFont(QXmlStreamReader &xml, QColor *colour);

    ZipReader m_zip;
    QSize m_size;
    QStringList m_layers;
};

[[noreturn]] void refuse(const QString &reason)
{
    throw Failure{reason};
}

QByteArray Decoder::entry(const QString &name, qint64 limit)
{
    QString reason;
    QByteArray bytes = m_zip.read(name, limit, &reason);
    if (!reason.isEmpty())
        refuse(reason);
    return bytes;
}

QSize Decoder::pictureSize(const QString &name)
{
    // The size stands in the PNG header; nothing else of the picture is needed.
    const QByteArray head = m_zip.head(name, 24);
    if (head.size() < 24 || !head.startsWith("\x89PNG\r\n\x1a\n") || head.mid(12, 4) != "IHDR")
        refuse(QStringLiteral("\"%1\" is not a PNG picture").arg(name));
    return QSize(int(qMin<quint32>(qFromBigEndian<quint32>(head.constData() + 16), 1u << 30)),
                 int(qMin<quint32>(qFromBigEndian<quint32>(head.constData() + 20), 1u << 30)));
}

QImage Decoder::picture(const QString &name, std::optional<QSize> expected)
{
    QByteArray bytes = entry(name, MaxPngBytes);
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer, "png");
    // Guessing from the contents would load every picture plugin to ask it.
    reader.setAutoDetectImageFormat(false);
    reader.setAllocationLimit(TilesetImageReader::AllocationLimitMb);
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
    if (qint64(size.width()) * size.height() * 4 > MaxPngBytes)
        refuse(QStringLiteral("\"%1\" is too large (%2 x %3 pixels)").arg(name).arg(size.width()).arg(size.height()));
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

int number(const QXmlStreamAttributes &attributes, const QString &name, int low, int high, const QString &where)
{
    bool ok = false;
    const int value = attributes.value(name).toInt(&ok);
    if (!ok || value < low || value > high)
        refuse(QStringLiteral("%1 has no valid %2").arg(where, name));
    return value;
}

void Decoder::readStack()
{
    QXmlStreamReader xml(entry(QStringLiteral("stack.xml"), DocumentReader::MaxXmlBytes));
    bool image = false, stack = false;
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement)
            continue;
        const QStringView element = xml.name();
        if (!image) {
            if (element != QLatin1String("image"))
                refuse(QStringLiteral("\"stack.xml\" does not describe an image"));
            image = true;
            m_size = QSize(number(xml.attributes(), QStringLiteral("w"), 1, 1 << 20, QStringLiteral("the image")),
                           number(xml.attributes(), QStringLiteral("h"), 1, 1 << 20, QStringLiteral("the image")));
        } else if (element == QLatin1String("stack")) {
            stack = true;
        } else if (element == QLatin1String("layer")) {
            const QString src = xml.attributes().value(QStringLiteral("src")).toString();
            if (!isSafeName(src) || !m_zip.contains(src))
                refuse(QStringLiteral("a layer names a picture \"%1\" the file does not hold").arg(src.left(100)));
            m_layers << src;
        }
    }
    if (xml.hasError())
        refuse(QStringLiteral("\"stack.xml\" is malformed (%1)").arg(xml.errorString()));
    if (!image || !stack)
        refuse(QStringLiteral("\"stack.xml\" has no layer stack"));
}

QFont Decoder::readFont(QXmlStreamReader &xml, QColor *colour)
{
    const QXmlStreamAttributes a = xml.attributes();
    const QString family = a.value(QStringLiteral("family")).toString();
    bool ok = false;
    const double points = a.value(QStringLiteral("points")).toDouble(&ok);
    *colour = QColor::fromString(a.value(QStringLiteral("colour")));
    if (family.isEmpty() || family.size() > 200 || !ok || !(points >= 1 && points <= 400) || !colour->isValid())
        refuse(QStringLiteral("a font of the maptile is not valid"));
    QFont font(family);
    font.setPointSizeF(points);
    const auto flag = [&a](const char *name) { return a.value(QLatin1String(name)) == QLatin1String("1"); };
    font.setBold(flag("bold"));
    font.setItalic(flag("italic"));
    font.setUnderline(flag("underline"));
    font.setStrikeOut(flag("strikeout"));
    xml.skipCurrentElement();
    return font;
}

bool Decoder::readState(MaptileDocument &document, bool decodeMaster)
{
    if (!m_zip.contains(DocumentWriter::StateEntry))
        return false;
    QXmlStreamReader xml(entry(DocumentWriter::StateEntry, DocumentReader::MaxXmlBytes));
    const QString where = QStringLiteral("the maptile's settings");
    if (!xml.readNextStartElement() || xml.name() != QLatin1String("maptile")
        || xml.namespaceUri() != DocumentWriter::Namespace)
        refuse(QStringLiteral("%1 are malformed").arg(where));
    const QXmlStreamAttributes root = xml.attributes();
    const int version = number(root, QStringLiteral("version"), 1, std::numeric_limits<int>::max(), where);
    if (version > DocumentWriter::Version)
        refuse(QStringLiteral("it was written by a newer Cryptwright (document version %1)").arg(version));
    const int columns = number(root, QStringLiteral("columns"), 1, Geometry::MaxColumns, where);
    const int rows = number(root, QStringLiteral("rows"), 1, Geometry::MaxRows, where);
    const QString master = root.value(QStringLiteral("master")).toString();
    if (!isSafeName(master) || !m_layers.contains(master))
        refuse(QStringLiteral("%1 name no layer of the document").arg(where));
    const QSize size(columns * Geometry::SpaceSize, rows * Geometry::SpaceSize);
    if (m_size != size)
        refuse(QStringLiteral("the image is %1 x %2 pixels, not the %3 x %4 spaces of the maptile")
                   .arg(m_size.width())
                   .arg(m_size.height())
                   .arg(columns)
                   .arg(rows));

    const auto text = [&](int limit, const QString &what) {
        const QString value = xml.readElementText(QXmlStreamReader::ErrorOnUnexpectedElement);
        if (value.size() > limit)
            refuse(QStringLiteral("the %1 is longer than %2 characters").arg(what).arg(limit));
        return value;
    };
    SpeedValues speed;
    bool mapNumFont = false, speedFont = false;
    while (xml.readNextStartElement()) {
        const QStringView element = xml.name();
        if (element == QLatin1String("mapnum")) {
            document.mapNum = text(DocumentReader::MaxMapNumLength, QStringLiteral("maptile number"));
        } else if (element == QLatin1String("designer")) {
            document.designer = text(DocumentReader::MaxDesignerLength, QStringLiteral("designer's name"));
        } else if (element == QLatin1String("mapnum-font")) {
            document.mapNumFont = readFont(xml, &document.mapNumColour);
            mapNumFont = true;
        } else if (element == QLatin1String("speed-font")) {
            document.speedFont = readFont(xml, &document.speedColour);
            speedFont = true;
        } else if (element == QLatin1String("speed")) {
            const int c = number(xml.attributes(), QStringLiteral("column"), 0, Geometry::MaxColumns - 1,
                                 QStringLiteral("a speed value"));
            const int r = number(xml.attributes(), QStringLiteral("row"), 0, Geometry::MaxRows - 1,
                                 QStringLiteral("a speed value"));
            speed[c][r] = text(DocumentReader::MaxSpeedLength, QStringLiteral("speed value"));
        } else {
            // Later versions may add what this one does not know.
            xml.skipCurrentElement();
        }
        if (xml.hasError())
            break;
    }
    if (xml.hasError())
        refuse(QStringLiteral("%1 are malformed (%2)").arg(where, xml.errorString()));
    if (!mapNumFont || !speedFont)
        refuse(QStringLiteral("%1 lack a font").arg(where));

    if (!decodeMaster)
        entry(master, MaxPngBytes); // read whole, so that a damaged archive is still refused
    // Every layer has the document's size, so that a painting program shows them in place.
    for (const QString &layer : std::as_const(m_layers))
        if ((layer != master || !decodeMaster) && pictureSize(layer) != size)
            refuse(QStringLiteral("the layer \"%1\" is not %2 x %3 pixels").arg(layer).arg(size.width()).arg(size.height()));
    if (decodeMaster)
        document.maptile.setMaster(picture(master, size));
    document.maptile.setSpeedValues(speed);
    document.editable = true;
    return true;
}

void Decoder::open()
{
    if (!m_zip.isOpen())
        refuse(m_zip.error() == QLatin1String("Not a zip archive")
                   ? QStringLiteral("it is not a zip archive")
                   : QStringLiteral("it is a damaged zip archive (%1)").arg(m_zip.error().toLower()));
    for (const QString &name : m_zip.names())
        if (!isSafeName(name))
            refuse(QStringLiteral("it holds an entry with an unsafe name \"%1\"").arg(name.left(100)));
    if (!m_zip.contains(QStringLiteral("mimetype"))
        || entry(QStringLiteral("mimetype"), 100).trimmed() != DocumentWriter::MimeType.toLatin1())
        refuse(QStringLiteral("it is not an OpenRaster document"));
    readStack();
}

QImage Decoder::mergedAsMaptile()
{
    const QImage merged = picture(QStringLiteral("mergedimage.png"), std::nullopt);
    if (merged.width() < Geometry::SpaceSize || merged.height() < Geometry::SpaceSize)
        refuse(QStringLiteral("the picture is %1 x %2 pixels, smaller than one space (%3 x %3 pixels)")
                   .arg(merged.width())
                   .arg(merged.height())
                   .arg(Geometry::SpaceSize));
    return merged;
}

QImage Decoder::finished()
{
    open();
    if (!m_zip.contains(DocumentWriter::StateEntry)) {
        Maptile maptile;
        maptile.setImage(mergedAsMaptile());
        return maptile.master();
    }
    // Everything is checked as when the document is opened, but the subtiles
    // are not decoded: the merged picture is the finished maptile pixel for
    // pixel, overlays drawn in.
    MaptileDocument document;
    readState(document, false);
    return picture(QStringLiteral("mergedimage.png"), m_size);
}

MaptileDocument Decoder::decode()
{
    open();
    MaptileDocument document;
    if (readState(document, true))
        return document;
    // Another program's document is its merged picture, taken as any opened picture is.
    document.maptile.setImage(mergedAsMaptile());
    const MaptileOverlays defaults;
    document.mapNumFont = defaults.mapNumFont();
    document.mapNumColour = defaults.mapNumColour();
    document.speedFont = defaults.speedFont();
    document.speedColour = defaults.speedColour();
    return document;
}

} // namespace

MaptileDocument DocumentReader::decode(const QByteArray &bytes, QString *reason)
{
    try {
        return Decoder(bytes).decode();
    } catch (const Failure &failure) {
        *reason = failure.reason;
        return {};
    }
}

namespace {

QString failure(const QString &path, const QString &reason)
{
    return QStringLiteral("Cannot open \"%1\": %2.").arg(QFileInfo(path).fileName(), reason);
}

// The bytes of the document file at path, or empty with error set.
QByteArray load(const QString &path, QString *error)
{
    const auto fail = [&](const QString &reason) {
        *error = failure(path, reason);
        return QByteArray();
    };
    const QFileInfo info(path);
    if (!info.exists())
        return fail(QStringLiteral("the file does not exist"));
    if (info.isDir())
        return fail(QStringLiteral("it is a folder, not a document"));
    // Devices and pipes could block the read for ever.
    if (!info.isFile())
        return fail(QStringLiteral("it is not a document file"));
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return fail(QStringLiteral("the file cannot be read (%1)").arg(file.errorString()));
    if (file.size() == 0)
        return fail(QStringLiteral("the file is empty"));
    if (file.size() > DocumentReader::MaxFileBytes)
        return fail(QStringLiteral("the file is too large to be a maptile document"));
    const QByteArray bytes = file.readAll();
    if (bytes.size() != file.size())
        return fail(QStringLiteral("the file cannot be read (%1)").arg(file.errorString()));
    return bytes;
}

} // namespace

MaptileDocument DocumentReader::read(const QString &path, QString *error)
{
    const QByteArray bytes = load(path, error);
    if (bytes.isEmpty())
        return {};
    QString reason;
    MaptileDocument document = decode(bytes, &reason);
    if (!reason.isEmpty())
        *error = failure(path, reason);
    return document;
}

QImage DocumentReader::readFinished(const QString &path, QString *error)
{
    const QByteArray bytes = load(path, error);
    if (bytes.isEmpty())
        return {};
    try {
        return Decoder(bytes).finished();
    } catch (const Failure &refused) {
        *error = failure(path, refused.reason);
        return {};
    }
}
