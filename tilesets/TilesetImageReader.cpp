#include "tilesets/TilesetImageReader.h"

#include "maptile/Geometry.h"
#include "maptile/RasterOps.h"
#include "tilesets/WmfRenderer.h"

#include <QBuffer>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QPainter>
#include <QtEndian>

#include <future>

namespace {

QString describe(const QString &path, const QString &reason)
{
    return QStringLiteral("Cannot open \"%1\": %2.").arg(QFileInfo(path).fileName(), reason);
}

bool isMetafile(const QString &path, const QByteArray &head)
{
    // Placeable metafiles start with a magic number, plain ones with their type and header size.
    if (head.startsWith(QByteArray("\xD7\xCD\xC6\x9A", 4)) || head.startsWith(QByteArray("\x01\x00\x09\x00", 4))
        || head.startsWith(QByteArray("\x02\x00\x09\x00", 4)))
        return true;
    // A .wmf that is some other picture is read as that picture.
    if (!path.endsWith(QStringLiteral(".wmf"), Qt::CaseInsensitive))
        return false;
    QByteArray copy = head;
    QBuffer buffer(&copy);
    buffer.open(QIODevice::ReadOnly);
    return QImageReader::imageFormat(&buffer).isEmpty();
}

// The three readers below tell whether a file stops before its picture does;
// Qt's decoders fill the missing part in grey without reporting an error.
// A file that is malformed rather than short is left to the decoder.

bool jpegEndsEarly(const QByteArray &bytes)
{
    const auto *p = reinterpret_cast<const uchar *>(bytes.constData());
    const qsizetype n = bytes.size();
    qsizetype i = 2; // past the start-of-image marker
    for (;;) {
        if (i >= n)
            return true;
        if (p[i] != 0xFF)
            return false;
        while (i < n && p[i] == 0xFF)
            ++i;
        if (i >= n)
            return true;
        const uchar marker = p[i++];
        if (marker == 0xD9) // end of image; anything after it is not ours to judge
            return false;
        if (marker == 0x01 || (marker >= 0xD0 && marker <= 0xD7))
            continue;
        if (i + 2 > n)
            return true;
        const int length = p[i] << 8 | p[i + 1];
        if (length < 2)
            return false;
        i += length;
        if (i > n)
            return true;
        if (marker == 0xDA) {
            // Entropy-coded data runs to the next marker that is neither a stuffed
            // byte nor a restart marker.
            while (i + 1 < n && !(p[i] == 0xFF && p[i + 1] != 0x00 && (p[i + 1] < 0xD0 || p[i + 1] > 0xD7)))
                ++i;
            if (i + 1 >= n)
                return true;
        }
    }
}

// The dimensions and row layout a BMP header declares; width 0 when it is unreadable.
struct BmpLayout
{
    qint64 width = 0, height = 0, bitsPerPixel = 0, pixelOffset = 0;
    quint32 compression = 0;
};

BmpLayout bmpLayout(const QByteArray &bytes)
{
    BmpLayout layout;
    if (bytes.size() < 26)
        return layout;
    const char *p = bytes.constData();
    layout.pixelOffset = qFromLittleEndian<quint32>(p + 10);
    if (qFromLittleEndian<quint32>(p + 14) == 12) {
        layout.width = qFromLittleEndian<quint16>(p + 18);
        layout.height = qFromLittleEndian<quint16>(p + 20);
        layout.bitsPerPixel = qFromLittleEndian<quint16>(p + 24);
    } else if (bytes.size() >= 34) {
        layout.width = qFromLittleEndian<qint32>(p + 18);
        layout.height = qAbs(qint64(qFromLittleEndian<qint32>(p + 22)));
        layout.bitsPerPixel = qFromLittleEndian<quint16>(p + 28);
        layout.compression = qFromLittleEndian<quint32>(p + 30);
    }
    if (layout.width <= 0 || layout.height <= 0)
        layout.width = 0;
    return layout;
}

bool bmpEndsEarly(const QByteArray &bytes)
{
    const BmpLayout l = bmpLayout(bytes);
    // Run-length coded rows have no fixed size; plain and bit-field rows do.
    const bool fixedRows = l.compression == 0 || l.compression == 3 || l.compression == 6;
    if (!fixedRows || l.width == 0 || l.width > 1'000'000 || l.height > 1'000'000 || l.bitsPerPixel <= 0
        || l.bitsPerPixel > 32)
        return false;
    const qint64 stride = (l.width * l.bitsPerPixel + 31) / 32 * 4;
    // Some writers leave out the padding of the last row.
    const qint64 lastRow = (l.width * l.bitsPerPixel + 7) / 8;
    return bytes.size() < l.pixelOffset + stride * (l.height - 1) + lastRow;
}

bool gifEndsEarly(const QByteArray &bytes)
{
    const auto *p = reinterpret_cast<const uchar *>(bytes.constData());
    const qsizetype n = bytes.size();
    const auto colourTableBytes = [](uchar flags) { return flags & 0x80 ? 3 << ((flags & 7) + 1) : 0; };
    qsizetype i = 13; // header and logical screen descriptor
    if (i > n)
        return true;
    i += colourTableBytes(p[10]);
    const auto skipSubBlocks = [&] {
        while (i < n) {
            const uchar length = p[i++];
            if (length == 0)
                return true;
            i += length;
        }
        return false;
    };
    while (i < n) {
        switch (p[i++]) {
        case 0x3B: // trailer
            return false;
        case 0x21: // extension: label, then sub-blocks
            ++i;
            if (!skipSubBlocks())
                return true;
            break;
        case 0x2C: // image: descriptor, local colour table, code size, sub-blocks
            if (i + 9 > n)
                return true;
            i += 9 + colourTableBytes(p[i + 8]) + 1;
            if (!skipSubBlocks())
                return true;
            break;
        default:
            return false;
        }
    }
    // Blocks complete but no trailer: some writers leave it out.
    return i > n;
}

// The format of the common pictures, told from their first bytes; empty for
// the others. Naming it, with guessing off, spares Qt asking every image
// plugin it has, which loads each of them and their libraries.
QByteArray knownFormat(const QByteArray &bytes)
{
    if (bytes.startsWith("\xFF\xD8\xFF"))
        return "jpeg";
    if (bytes.startsWith("GIF87a") || bytes.startsWith("GIF89a"))
        return "gif";
    if (bytes.startsWith("\x89PNG\r\n\x1A\n"))
        return "png";
    if (bytes.startsWith("BM"))
        return "bmp";
    return {};
}

bool endsEarly(const QByteArray &format, const QByteArray &bytes)
{
    if (format == "jpeg" || format == "jpg")
        return jpegEndsEarly(bytes);
    if (format == "bmp")
        return bmpEndsEarly(bytes);
    if (format == "gif")
        return gifEndsEarly(bytes);
    return false;
}

} // namespace

QList<QImage> TilesetImageReader::readAll(const QStringList &paths, QStringList *errors)
{
    // Decoding is most of the time start-up takes; each file decodes on its own.
    std::vector<std::future<QImage>> reads;
    QList<QString> found(paths.size());
    for (qsizetype i = 1; i < paths.size(); ++i)
        reads.push_back(std::async(std::launch::async, [&paths, &found, i] { return read(paths[i], &found[i]); }));
    QList<QImage> images;
    if (!paths.isEmpty())
        images << read(paths.front(), &found.front());
    for (std::future<QImage> &image : reads)
        images << image.get();
    *errors = found;
    return images;
}

QImage TilesetImageReader::read(const QString &path, QString *error)
{
    const QFileInfo info(path);
    if (!info.exists()) {
        *error = describe(path, QStringLiteral("the file does not exist"));
        return {};
    }
    if (info.isDir()) {
        *error = describe(path, QStringLiteral("it is a folder, not a picture"));
        return {};
    }
    // Devices and pipes could block the read for ever.
    if (!info.isFile()) {
        *error = describe(path, QStringLiteral("it is not a picture file"));
        return {};
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        *error = describe(path, QStringLiteral("the file cannot be read (%1)").arg(file.errorString()));
        return {};
    }
    if (file.size() == 0) {
        *error = describe(path, QStringLiteral("the file is empty"));
        return {};
    }
    if (file.size() > MaxFileBytes) {
        *error = describe(path, QStringLiteral("the file is too large to be a picture"));
        return {};
    }
    QByteArray bytes = file.readAll();
    if (bytes.size() != file.size()) {
        *error = describe(path, QStringLiteral("the file cannot be read (%1)").arg(file.errorString()));
        return {};
    }
    file.close();

    if (isMetafile(path, bytes.left(64))) {
        QString reason;
        const QImage image = WmfRenderer::render(path, &reason);
        if (image.isNull()) {
            *error = describe(path, reason);
            return {};
        }
        return RasterOps::toWorkFormat(image);
    }

    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    const QByteArray known = knownFormat(bytes);
    QImageReader reader(&buffer, known);
    reader.setAutoDetectImageFormat(known.isEmpty());
    reader.setAllocationLimit(AllocationLimitMb);
    const QByteArray format = reader.format();
    if (format.isEmpty()) {
        *error = describe(path, QStringLiteral("it is not a picture in a format the program reads"));
        return {};
    }
    // Refuse from the header alone, before the decoder asks for the memory. Qt
    // gives no size for a BMP too large for it; its header still tells.
    const QSize declared = reader.size();
    qint64 width = declared.width(), height = declared.height();
    if (width <= 0 && format == "bmp") {
        const BmpLayout layout = bmpLayout(bytes);
        width = layout.width;
        height = layout.height;
    }
    if (width > 0 && height > 0 && width > qint64(AllocationLimitMb) * 1024 * 1024 / 4 / height) {
        *error = describe(path, QStringLiteral("the picture is too large (%1 x %2 pixels)").arg(width).arg(height));
        return {};
    }
    if (endsEarly(format, bytes)) {
        *error = describe(path, QStringLiteral("the file is incomplete"));
        return {};
    }
    QImage image = reader.read();
    if (image.isNull()) {
        *error = describe(path, QStringLiteral("the picture is damaged or incomplete"));
        return {};
    }
    // A picture with transparency shows the blank colour through it, as on a picture surface.
    if (image.hasAlphaChannel()) {
        QImage flat(image.size(), RasterOps::Format);
        RasterOps::fill(flat, Geometry::blankColour());
        QPainter(&flat).drawImage(0, 0, image);
        return flat;
    }
    return RasterOps::toWorkFormat(image);
}

QStringList TilesetImageReader::extraPatterns()
{
    QStringList patterns;
    for (const QByteArray &format : QImageReader::supportedImageFormats()) {
        const QString pattern = QStringLiteral("*.") + QString::fromLatin1(format).toLower();
        if (!patterns.contains(pattern))
            patterns << pattern;
    }
    static const QStringList design{QStringLiteral("*.bmp"), QStringLiteral("*.gif"), QStringLiteral("*.jpg"),
                                    QStringLiteral("*.wmf")};
    for (const QString &p : design)
        patterns.removeAll(p);
    return patterns;
}
