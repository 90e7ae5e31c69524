#include "document/DocumentArchive.h"

#include "document/DocumentWriter.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QXmlStreamReader>
#include <QtEndian>

#include <limits>

namespace {

[[noreturn]] void refuseAsNoDocument(const QString &reason)
{
    throw DocumentRefusal{reason, true};
}

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

// The attribute's whole number from low to high; refused otherwise with
// refusal, whose %1 takes the attribute's name.
int number(const QXmlStreamAttributes &attributes, const QString &name, int low, int high, const QString &refusal)
{
    bool ok = false;
    const int value = attributes.value(name).toInt(&ok);
    if (!ok || value < low || value > high)
        DocumentRefusal::raise(refusal.arg(name));
    return value;
}

// "#rgb" or "#rrggbb", as the writer records a colour.
bool parseColour(QStringView text, quint32 *rgb)
{
    if (!text.startsWith(QLatin1Char('#')) || (text.size() != 4 && text.size() != 7))
        return false;
    bool ok = false;
    const uint value = text.mid(1).toUInt(&ok, 16);
    if (!ok || text.mid(1).startsWith(QLatin1Char('+')) || text.mid(1).startsWith(QLatin1Char('-')))
        return false;
    if (text.size() == 4) {
        const uint r = value >> 8 & 0xf, g = value >> 4 & 0xf, b = value & 0xf;
        *rgb = 0xff000000u | (r * 0x11) << 16 | (g * 0x11) << 8 | b * 0x11;
    } else {
        *rgb = 0xff000000u | value;
    }
    return true;
}

DocumentFont readFont(QXmlStreamReader &xml)
{
    const QXmlStreamAttributes a = xml.attributes();
    DocumentFont font;
    font.family = a.value(QStringLiteral("family")).toString();
    bool ok = false;
    font.points = a.value(QStringLiteral("points")).toDouble(&ok);
    if (!ok || !parseColour(a.value(QStringLiteral("colour")), &font.rgb) || !DocumentArchive::acceptsFont(font))
        DocumentRefusal::raise(DocumentArchive::tr("a font of the maptile is not valid"));
    const auto flag = [&a](const char *name) { return a.value(QLatin1String(name)) == QLatin1String("1"); };
    font.bold = flag("bold");
    font.italic = flag("italic");
    font.underline = flag("underline");
    font.strikeOut = flag("strikeout");
    xml.skipCurrentElement();
    return font;
}

} // namespace

DocumentArchive::DocumentArchive(const QByteArray &bytes)
    : m_zip(std::make_unique<ZipReader>(bytes))
{
    check();
}

DocumentArchive::DocumentArchive(const QString &path)
    : m_file(std::make_unique<QFile>(path))
{
    openFile(*m_file);
    m_zip = std::make_unique<ZipReader>(*m_file);
    check();
}

void DocumentArchive::check()
{
    switch (m_zip->failure()) {
    case ZipReader::Failure::None:
        break;
    case ZipReader::Failure::NotZip:
        refuseAsNoDocument(tr("it is not a zip archive"));
    case ZipReader::Failure::TooManyEntries:
        DocumentRefusal::raise(
            tr("it holds more than %L1 entries, far more than a maptile document").arg(ZipReader::MaxEntries));
    case ZipReader::Failure::HeadersTooLarge:
        DocumentRefusal::raise(tr("its entries carry far more names and extra fields than a maptile document"));
    case ZipReader::Failure::Damaged:
        DocumentRefusal::raise(tr("it is a damaged zip archive (%1)").arg(m_zip->error().toLower()));
    }
    for (const QString &name : m_zip->names())
        if (!isSafeName(name))
            DocumentRefusal::raise(tr("it holds an entry with an unsafe name \"%1\"").arg(name.left(100)));
    if (!m_zip->contains(QStringLiteral("mimetype"))
        || entry(QStringLiteral("mimetype"), 100).trimmed() != DocumentWriter::MimeType.toLatin1())
        refuseAsNoDocument(tr("it is not an OpenRaster document"));
    readStack();
}

DocumentArchive::~DocumentArchive() = default;

std::unique_ptr<ZipEntryStream> DocumentArchive::stream(const QString &name, qint64 limit)
{
    std::unique_ptr<ZipEntryStream> entry = m_zip->stream(name, limit);
    if (!entry->isOpen())
        DocumentRefusal::raise(entry->reason());
    return entry;
}

QByteArray DocumentArchive::entry(const QString &name, qint64 limit)
{
    QString reason;
    QByteArray bytes = m_zip->read(name, limit, &reason);
    if (!reason.isEmpty())
        DocumentRefusal::raise(reason);
    return bytes;
}

QSize DocumentArchive::pictureSize(const QString &name)
{
    if (const auto known = m_pictureSizes.constFind(name); known != m_pictureSizes.constEnd())
        return *known;
    // The size stands in the PNG header; nothing else of the picture is needed.
    const std::unique_ptr<ZipEntryStream> entry = stream(name, MaxPictureBytes);
    QByteArray head(24, Qt::Uninitialized);
    qint64 got = 0;
    for (qint64 n; got < head.size() && (n = entry->read(head.data() + got, head.size() - got)) > 0;)
        got += n;
    if (got < 24 || !head.startsWith("\x89PNG\r\n\x1a\n") || head.mid(12, 4) != "IHDR")
        DocumentRefusal::raise(tr("\"%1\" is not a PNG picture").arg(name));
    const QSize size(int(qMin<quint32>(qFromBigEndian<quint32>(head.constData() + 16), 1u << 30)),
                     int(qMin<quint32>(qFromBigEndian<quint32>(head.constData() + 20), 1u << 30)));
    m_pictureSizes.insert(name, size);
    return size;
}

qint64 DocumentArchive::pngByteLimit(QSize size)
{
    constexpr qint64 ExtraBytes = 1024 * 1024;
    // A header may claim 2^30 pixels each way: their count fits, eight bytes for each may not.
    const qint64 pixels = qint64(size.width()) * size.height();
    if (pixels > MaxPictureBytes / 8)
        return MaxPictureBytes;
    return qMin(pixels * 8 + size.height() + ExtraBytes, MaxPictureBytes);
}

void DocumentArchive::readStack()
{
    QXmlStreamReader xml(entry(QStringLiteral("stack.xml"), MaxXmlBytes));
    bool image = false, stack = false;
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement)
            continue;
        const QStringView element = xml.name();
        if (!image) {
            if (element != QLatin1String("image"))
                DocumentRefusal::raise(tr("\"stack.xml\" does not describe an image"));
            image = true;
            const QString refusal = tr("the image in \"stack.xml\" has no valid \"%1\" attribute");
            m_size = QSize(number(xml.attributes(), QStringLiteral("w"), 1, 1 << 20, refusal),
                           number(xml.attributes(), QStringLiteral("h"), 1, 1 << 20, refusal));
        } else if (element == QLatin1String("stack")) {
            stack = true;
        } else if (element == QLatin1String("layer")) {
            const QString src = xml.attributes().value(QStringLiteral("src")).toString();
            if (!isSafeName(src) || !m_zip->contains(src))
                DocumentRefusal::raise(tr("a layer names a picture \"%1\" the file does not hold").arg(src.left(100)));
            if (m_layers.size() == MaxLayers)
                DocumentRefusal::raise(tr("\"stack.xml\" lists more than %L1 layers").arg(MaxLayers));
            m_layers << src;
        }
    }
    if (xml.hasError())
        DocumentRefusal::raise(tr("\"stack.xml\" is malformed (%1)").arg(xml.errorString()));
    if (!image || !stack)
        DocumentRefusal::raise(tr("\"stack.xml\" has no layer stack"));
}

bool DocumentArchive::hasState() const
{
    return m_zip->contains(DocumentWriter::StateEntry);
}

DocumentState DocumentArchive::readState()
{
    QXmlStreamReader xml(entry(DocumentWriter::StateEntry, MaxXmlBytes));
    if (!xml.readNextStartElement() || xml.name() != QLatin1String("maptile")
        || xml.namespaceUri() != DocumentWriter::Namespace)
        DocumentRefusal::raise(tr("the maptile's settings are malformed"));
    const QXmlStreamAttributes root = xml.attributes();
    const QString refusal = tr("the maptile's settings have no valid \"%1\" attribute");
    const int version = number(root, QStringLiteral("version"), 1, std::numeric_limits<int>::max(), refusal);
    if (version > DocumentWriter::Version)
        DocumentRefusal::raise(tr("it was written by a newer Cryptwright (document version %1)").arg(version));
    DocumentState state;
    state.columns = number(root, QStringLiteral("columns"), 1, Geometry::MaxColumns, refusal);
    state.rows = number(root, QStringLiteral("rows"), 1, Geometry::MaxRows, refusal);
    state.master = root.value(QStringLiteral("master")).toString();
    if (m_layers.size() > MaxMaptileLayers)
        DocumentRefusal::raise(tr("it lists %1 layers, more than a maptile has").arg(m_layers.size()));
    if (!isSafeName(state.master) || !m_layers.contains(state.master))
        DocumentRefusal::raise(tr("the maptile's settings name no layer of the document"));
    const QSize size(state.columns * Geometry::SpaceSize, state.rows * Geometry::SpaceSize);
    if (m_size != size)
        DocumentRefusal::raise(tr("the image is %1 x %2 pixels, not the %3 x %4 spaces of the maptile")
                                   .arg(m_size.width())
                                   .arg(m_size.height())
                                   .arg(state.columns)
                                   .arg(state.rows));

    // The element's text, refused with tooLong (whose %1 takes the limit) beyond limit characters.
    const auto text = [&](int limit, const QString &tooLong) {
        const QString value = xml.readElementText(QXmlStreamReader::ErrorOnUnexpectedElement);
        if (value.size() > limit)
            DocumentRefusal::raise(tooLong.arg(limit));
        return value;
    };
    bool mapNumFont = false, speedFont = false;
    while (xml.readNextStartElement()) {
        const QStringView element = xml.name();
        if (element == QLatin1String("mapnum")) {
            state.mapNum = text(MaxMapNumLength, tr("the maptile number is longer than %1 characters"));
        } else if (element == QLatin1String("designer")) {
            state.designer = text(MaxDesignerLength, tr("the designer's name is longer than %1 characters"));
        } else if (element == QLatin1String("mapnum-font")) {
            state.mapNumFont = readFont(xml);
            mapNumFont = true;
        } else if (element == QLatin1String("speed-font")) {
            state.speedFont = readFont(xml);
            speedFont = true;
        } else if (element == QLatin1String("speed")) {
            const QString speedRefusal = tr("a speed value of the maptile's settings has no valid \"%1\" attribute");
            const int c = number(xml.attributes(), QStringLiteral("column"), 0, Geometry::MaxColumns - 1, speedRefusal);
            const int r = number(xml.attributes(), QStringLiteral("row"), 0, Geometry::MaxRows - 1, speedRefusal);
            state.speed[c][r] = text(MaxSpeedLength, tr("a speed value is longer than %1 characters"));
        } else {
            // Later versions may add what this one does not know.
            xml.skipCurrentElement();
        }
        if (xml.hasError())
            break;
    }
    if (xml.hasError())
        DocumentRefusal::raise(tr("the maptile's settings are malformed (%1)").arg(xml.errorString()));
    if (!mapNumFont || !speedFont)
        DocumentRefusal::raise(tr("the maptile's settings lack a font"));

    // Every layer has the document's size, so that a painting program shows
    // them in place, and is no larger than a picture of that size can be.
    for (const QString &layer : std::as_const(m_layers)) {
        if (pictureSize(layer) != size)
            DocumentRefusal::raise(
                tr("the layer \"%1\" is not %2 x %3 pixels").arg(layer).arg(size.width()).arg(size.height()));
        stream(layer, pngByteLimit(size));
    }
    return state;
}

QString DocumentArchive::failure(const QString &path, const QString &reason)
{
    return tr("Cannot open \"%1\": %2.").arg(QFileInfo(path).fileName(), reason);
}

QString DocumentArchive::failure(const QString &path, const DocumentRefusal &refusal)
{
    if (refusal.notADocument && !DocumentWriter::isDocumentPath(path))
        return tr("\"%1\" is not a Cryptwright document (.ora).").arg(QFileInfo(path).fileName());
    return failure(path, refusal.reason);
}

bool DocumentArchive::acceptsFont(const DocumentFont &font)
{
    return !font.family.isEmpty() && font.family.size() <= MaxFamilyLength && font.points >= MinPoints
        && font.points <= MaxPoints && font.rgb >> 24 == 0xff;
}

void DocumentArchive::openFile(QFile &file)
{
    const QFileInfo info(file.fileName());
    if (!info.exists())
        DocumentRefusal::raise(tr("the file does not exist"));
    if (info.isDir())
        DocumentRefusal::raise(tr("it is a folder, not a document"));
    // Devices and pipes could block the read for ever.
    if (!info.isFile())
        DocumentRefusal::raise(tr("it is not a document file"));
    if (!file.open(QIODevice::ReadOnly))
        DocumentRefusal::raise(tr("the file cannot be read (%1)").arg(file.errorString()));
    if (file.size() == 0)
        DocumentRefusal::raise(tr("the file is empty"));
    if (file.size() > MaxFileBytes)
        DocumentRefusal::raise(tr("the file is too large to be a maptile document"));
}

QByteArray DocumentArchive::load(const QString &path, QString *error)
{
    try {
        QFile file(path);
        openFile(file);
        const QByteArray bytes = file.readAll();
        if (bytes.size() != file.size())
            DocumentRefusal::raise(tr("the file cannot be read (%1)").arg(file.errorString()));
        return bytes;
    } catch (const DocumentRefusal &refusal) {
        *error = failure(path, refusal);
        return {};
    }
}
