#include "pictures/PictureDecoder.h"

#include "pictures/BmpProbe.h"
#include "pictures/DrawingProbe.h"
#include "pictures/GifProbe.h"
#include "pictures/JpegProbe.h"
#include "pictures/MetafileDecoder.h"
#include "pictures/PngProbe.h"
#include "pictures/PngRowReader.h"
#include "pictures/TiffProbe.h"
#include "raster/RasterOps.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QImageReader>
#include <QPainter>

#include <algorithm>
#include <cstring>
#include <memory>

namespace {

bool isMetafileHead(const QString &name, const QByteArray &head)
{
    // Placeable metafiles start with a magic number, plain ones with their type and header size.
    if (head.startsWith(QByteArray("\xD7\xCD\xC6\x9A", 4)) || head.startsWith(QByteArray("\x01\x00\x09\x00", 4))
        || head.startsWith(QByteArray("\x02\x00\x09\x00", 4)))
        return true;
    // A .wmf that is some other picture is read as that picture.
    if (!name.endsWith(QStringLiteral(".wmf"), Qt::CaseInsensitive))
        return false;
    QByteArray copy = head;
    QBuffer buffer(&copy);
    buffer.open(QIODevice::ReadOnly);
    return QImageReader::imageFormat(&buffer).isEmpty();
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

// The probe of a picture's format. The common formats, whose size Qt's reader
// gives wrongly or not at all when they are damaged or huge, and drawings,
// whose text it parses however long, have their own; the rest take its word.
std::unique_ptr<PictureProbe> probeFor(const QByteArray &format, const QByteArray &bytes)
{
    if (format == "png")
        return std::make_unique<PngProbe>(bytes);
    if (format == "jpeg" || format == "jpg")
        return std::make_unique<JpegProbe>(bytes);
    if (format == "gif")
        return std::make_unique<GifProbe>(bytes);
    if (format == "bmp")
        return std::make_unique<BmpProbe>(bytes);
    if (format == "tiff")
        return std::make_unique<TiffProbe>(bytes);
    if (format == "svg" || format == "svgz")
        return std::make_unique<DrawingProbe>(bytes);
    return std::make_unique<PictureProbe>(bytes);
}

} // namespace

QImage PictureDecoder::decode(const QByteArray &bytes, const QString &name, QString *reason, QSize keep,
                              QSize *pictureSize)
{
    if (bytes.isEmpty()) {
        *reason = tr("the file is empty");
        return {};
    }
    // MNG animations are not read at all: their decoder is unmaintained and takes
    // the sizes of the pictures inside on trust. Told by content, whatever the name.
    if (bytes.startsWith("\x8AMNG")) {
        *reason =
            QCoreApplication::translate("PictureDecoder", "it is an MNG animation, which the program does not read");
        return {};
    }
    if (isMetafile(bytes, name))
        return MetafileDecoder::decode(bytes, reason);

    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    const QByteArray known = knownFormat(bytes);
    QImageReader reader(&buffer, known);
    reader.setAutoDetectImageFormat(known.isEmpty());
    reader.setAllocationLimit(AllocationLimitMb);
    const QByteArray format = reader.format();
    if (format.isEmpty()) {
        *reason = tr("it is not a picture in a format the program reads");
        return {};
    }
    // Refused from the header alone, before the decoder asks for the memory.
    const std::unique_ptr<PictureProbe> probe = probeFor(format, bytes);
    const HeaderFacts facts = probe->facts(reader, keep);
    if (!facts.refusal.isEmpty()) {
        *reason = facts.refusal;
        return {};
    }
    if (pictureSize && facts.known())
        *pictureSize = facts.size();
    if (facts.tooLarge()) {
        *reason = tooLarge(facts.width, facts.height);
        return {};
    }
    if (probe->endsEarly()) {
        *reason = tr("the file is incomplete");
        return {};
    }
    const QImage image = probe->read(reader, facts);
    if (image.isNull())
        *reason = tr("the picture is damaged or incomplete");
    return image;
}

bool PictureDecoder::decodePng(const ReadFunction &read, PictureRows &rows, QString *reason, QSize keep,
                               HeaderFacts *header)
{
    // The signature and the header chunk, taken first to refuse on the size they give.
    QByteArray head(PngProbe::HeadBytes, Qt::Uninitialized);
    qint64 got = 0;
    for (qint64 n; got < PngProbe::HeadBytes && (n = read(head.data() + got, PngProbe::HeadBytes - got)) > 0;)
        got += n;
    if (got < PngProbe::HeadBytes || !head.startsWith("\x89PNG\r\n\x1a\n") || head.mid(12, 4) != "IHDR") {
        *reason = tr("it is not a PNG picture");
        return false;
    }
    const HeaderFacts facts = PngProbe::streamed(head, keep);
    if (header)
        *header = facts;
    if (facts.tooLarge()) {
        *reason = tooLarge(facts.width, facts.height);
        return false;
    }
    qint64 headAt = 0;
    const ReadFunction headThenRest = [&](char *to, qint64 count) {
        if (headAt == PngProbe::HeadBytes)
            return read(to, count);
        const qint64 n = std::min<qint64>(count, PngProbe::HeadBytes - headAt);
        memcpy(to, head.constData() + headAt, size_t(n));
        headAt += n;
        return n;
    };
    if (PngRowReader::read(headThenRest, facts.decodedSize(), PngRowReader::Source::DocumentEntry, rows))
        return true;
    *reason = tr("the picture is damaged or incomplete");
    return false;
}
QString PictureDecoder::tooLarge(qint64 width, qint64 height)
{
    return tr("the picture is too large (%1 x %2 pixels)").arg(width).arg(height);
}

bool PictureDecoder::isMetafile(const QByteArray &bytes, const QString &name)
{
    return isMetafileHead(name, bytes.left(64));
}

QImage PictureDecoder::flattened(const QImage &image, QRgb background)
{
    if (!image.hasAlphaChannel())
        return image.format() == RasterOps::Format ? image : image.convertToFormat(RasterOps::Format);
    QImage flat(image.size(), RasterOps::Format);
    flat.fill(background);
    QPainter(&flat).drawImage(0, 0, image);
    return flat;
}

void PictureDecoder::loadPlugins()
{
    // Asking a reader what it supports makes its handler, and so loads its plugin.
    for (const QByteArray &format : QImageReader::supportedImageFormats()) {
        QBuffer nothing;
        nothing.open(QIODevice::ReadOnly);
        QImageReader(&nothing, format).supportsOption(QImageIOHandler::Size);
    }
}

QStringList PictureDecoder::extraPatterns()
{
    QStringList patterns;
    for (const QByteArray &format : QImageReader::supportedImageFormats()) {
        const QString pattern = QStringLiteral("*.") + QString::fromLatin1(format).toLower();
        if (!patterns.contains(pattern))
            patterns << pattern;
    }
    // The first four the dialogs list themselves; MNG files are refused.
    static const QStringList excluded{QStringLiteral("*.bmp"), QStringLiteral("*.gif"), QStringLiteral("*.jpg"),
                                      QStringLiteral("*.wmf"), QStringLiteral("*.mng")};
    for (const QString &p : excluded)
        patterns.removeAll(p);
    return patterns;
}
