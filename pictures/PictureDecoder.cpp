#include "pictures/PictureDecoder.h"

#include "pictures/ImageRows.h"
#include "pictures/MetafileDecoder.h"
#include "raster/RasterOps.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QImageReader>
#include <QPainter>
#include <QtEndian>

#include <png.h>
#include <zlib.h>

#include <algorithm>
#include <csetjmp>
#include <cstring>
#include <limits>
#include <memory>
#include <tuple>
#include <vector>

namespace {

// libpng's limit on either side of a picture it reads.
constexpr qint64 PngMaxSide = 1'000'000;
// Qt's renderer holds a drawing as a tree of about sixteen times the size of its
// text, and inflates a compressed one whole first, however large it unpacks.
constexpr qint64 MaxDrawingBytes = 16 * 1024 * 1024;

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

// The largest picture the headers of a PNG file declare, read directly:
// libpng will not report a side over its limit.
std::pair<qint64, qint64> largestDeclaredPicture(const QByteArray &bytes)
{
    std::pair<qint64, qint64> largest{0, 0};
    const char *p = bytes.constData();
    for (qint64 at = 8; at + 16 <= bytes.size();) {
        const qint64 length = qFromBigEndian<quint32>(p + at);
        const QByteArrayView type(p + at + 4, 4);
        if (type == "IHDR" && length >= 8) {
            const qint64 width = qFromBigEndian<quint32>(p + at + 8), height = qFromBigEndian<quint32>(p + at + 12);
            // Each side is below 2^32, so the products fit an unsigned 64-bit number.
            if (quint64(width) * quint64(height) > quint64(largest.first) * quint64(largest.second))
                largest = {width, height};
        }
        at += 12 + length;
    }
    return largest;
}

// Qt's reader goes on past an information header of a size no BMP has, and
// hands back a picture of uninitialised memory.
bool bmpHeaderUnknown(const QByteArray &bytes)
{
    static constexpr quint32 Known[]{12, 16, 40, 52, 56, 64, 108, 124};
    return bytes.size() < 18
        || std::ranges::find(Known, qFromLittleEndian<quint32>(bytes.constData() + 14)) == std::end(Known);
}

// Whether a bitmap is run-length coded, eight or four bits a pixel, as Qt decodes it.
bool bmpRunLengthCoded(const BmpLayout &l)
{
    return (l.compression == 1 && l.bitsPerPixel == 8) || (l.compression == 2 && l.bitsPerPixel == 4);
}

// Whether the codes of a run-length coded bitmap stop before its end-of-picture
// code and before its last row: Qt keeps what it has decoded by then.
bool bmpRunsEndEarly(const QByteArray &bytes, const BmpLayout &l)
{
    const auto *p = reinterpret_cast<const uchar *>(bytes.constData());
    const qsizetype n = bytes.size();
    qint64 row = 0;
    for (qsizetype i = l.pixelOffset; row < l.height;) {
        if (i + 2 > n)
            return true;
        const uchar count = p[i], code = p[i + 1];
        i += 2;
        if (count > 0) // a run of one colour
            continue;
        if (code == 0) { // end of row
            ++row;
        } else if (code == 1) { // end of picture
            return false;
        } else if (code == 2) { // a move right and down
            if (i + 2 > n)
                return true;
            row += p[i + 1];
            i += 2;
        } else { // that many pixels as they are, padded to a whole word
            const qsizetype pixelBytes = l.bitsPerPixel == 4 ? (code + 1) / 2 : code;
            i += pixelBytes + (pixelBytes & 1);
        }
    }
    return false;
}

bool bmpEndsEarly(const QByteArray &bytes)
{
    const BmpLayout l = bmpLayout(bytes);
    // Pixels said to start beyond the end are missing whatever the layout; Qt
    // would leave the picture uninitialised.
    if (l.pixelOffset >= bytes.size())
        return true;
    if (l.width > 0 && bmpRunLengthCoded(l))
        return bmpRunsEndEarly(bytes, l);
    // Plain and bit-field rows have a fixed size.
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

// The memory a JPEG's decoder takes for the whole picture's coefficients, two
// bytes each, besides the decoded rows: a progressive file, or one whose first
// scan leaves out a component, is decoded only once every scan is in, whatever
// part of it is asked for. Zero for a file decoded band by band.
qint64 jpegCoefficientBytes(const QByteArray &bytes)
{
    const auto *p = reinterpret_cast<const uchar *>(bytes.constData());
    const qsizetype n = bytes.size();
    bool progressive = false;
    int components = 0;
    qint64 coefficientBytes = 0;
    for (qsizetype i = 2; i + 4 < n;) {
        if (p[i] != 0xFF)
            return 0;
        const uchar marker = p[i + 1];
        if (marker == 0xFF) {
            ++i;
            continue;
        }
        if (marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC) {
            // Precision, height, width, the number of components, then three bytes for each.
            components = i + 10 <= n ? p[i + 9] : 0;
            if (i + 10 + 3 * qsizetype(components) > n)
                return 0;
            const qint64 height = p[i + 5] << 8 | p[i + 6], width = p[i + 7] << 8 | p[i + 8];
            int hMax = 1, vMax = 1;
            for (int c = 0; c < components; ++c) {
                hMax = std::max(hMax, p[i + 11 + 3 * c] >> 4);
                vMax = std::max(vMax, p[i + 11 + 3 * c] & 0xF);
            }
            // Blocks of 8 x 8, in whole units of the component's sampling.
            const auto blocks = [](qint64 pixels, int factor, int most) {
                const qint64 count = (pixels * factor + most * 8 - 1) / (most * 8);
                return factor > 0 ? (count + factor - 1) / factor * factor : 0;
            };
            coefficientBytes = 0;
            for (int c = 0; c < components; ++c) {
                const int h = p[i + 11 + 3 * c] >> 4, v = p[i + 11 + 3 * c] & 0xF;
                coefficientBytes += blocks(width, h, hMax) * blocks(height, v, vMax) * 64 * 2;
            }
            progressive = marker == 0xC2 || marker == 0xC6 || marker == 0xCA || marker == 0xCE;
        }
        if (marker == 0xDA) // the first scan, and its number of components
            return progressive || p[i + 4] < components ? coefficientBytes : 0;
        if (marker == 0xD9)
            return 0;
        i += 2 + (p[i + 2] << 8 | p[i + 3]);
    }
    return 0;
}

// The size of a drawing's text, unpacked when it is compressed, counted up to
// just past limit; every gzip member counts.
qint64 drawingBytes(const QByteArray &bytes, qint64 limit)
{
    if (!bytes.startsWith("\x1F\x8B"))
        return bytes.size();
    z_stream stream{};
    if (inflateInit2(&stream, MAX_WBITS + 16) != Z_OK) // a gzip wrapper
        return limit + 1;
    stream.next_in = reinterpret_cast<Bytef *>(const_cast<char *>(bytes.constData()));
    stream.avail_in = uInt(bytes.size());
    std::vector<Bytef> out(64 * 1024);
    qint64 total = 0;
    int result = Z_OK;
    while (total <= limit && (result == Z_OK || (result == Z_STREAM_END && stream.avail_in > 0))) {
        if (result == Z_STREAM_END)
            inflateReset(&stream);
        stream.next_out = out.data();
        stream.avail_out = uInt(out.size());
        result = inflate(&stream, Z_NO_FLUSH);
        total += qint64(out.size() - stream.avail_out);
    }
    inflateEnd(&stream);
    return total;
}

// An uncompressed BMP cut down to its top-left part: the header rewritten and
// only the kept rows, each cut to the kept width, so the decoder never
// allocates the rest. Empty when the file is not one that can be cut.
QByteArray bmpPart(const QByteArray &bytes, QSize kept)
{
    const BmpLayout l = bmpLayout(bytes);
    const bool fixedRows = l.compression == 0 || l.compression == 3 || l.compression == 6;
    if (!fixedRows || l.width == 0 || l.width > 1 << 24 || l.height > 1 << 24 || bytes.size() < 34
        || qFromLittleEndian<quint32>(bytes.constData() + 14) < 40 || l.bitsPerPixel <= 0 || l.bitsPerPixel > 32)
        return {};
    const qint64 stride = (l.width * l.bitsPerPixel + 31) / 32 * 4;
    // Every row the part takes must be in the file.
    if (l.pixelOffset + stride * l.height > bytes.size() + stride - (l.width * l.bitsPerPixel + 7) / 8)
        return {};
    const qint64 keptStride = (qint64(kept.width()) * l.bitsPerPixel + 31) / 32 * 4;
    const qint64 keptBytes = (qint64(kept.width()) * l.bitsPerPixel + 7) / 8;
    const bool bottomUp = qFromLittleEndian<qint32>(bytes.constData() + 22) > 0;
    QByteArray part = bytes.left(l.pixelOffset);
    part.reserve(l.pixelOffset + keptStride * kept.height());
    for (int row = 0; row < kept.height(); ++row) {
        // Bottom-up files store the picture's last row first.
        const qint64 source = bottomUp ? l.height - kept.height() + row : row;
        const qsizetype at = part.size();
        part.append(bytes.constData() + l.pixelOffset + source * stride, keptBytes);
        part.resize(at + keptStride, '\0');
    }
    char *p = part.data();
    qToLittleEndian<quint32>(quint32(part.size()), p + 2);
    qToLittleEndian<qint32>(kept.width(), p + 18);
    qToLittleEndian<qint32>(bottomUp ? kept.height() : -kept.height(), p + 22);
    qToLittleEndian<quint32>(quint32(keptStride * kept.height()), p + 34);
    return part;
}

// Where libpng's bytes come from: a picture file of the user's, checked by
// its own checksums and decoded to 32-bit pixels, or a document's entry,
// checked by the archive and whose RGB pixels are kept as stored.
enum class PngSource { File, DocumentEntry };

// Reads the top-left part of a PNG of at most kept pixels row by row into
// rows and stops below it, so only that part is held however large the
// picture is; an interlaced one spreads each row over the whole file and
// holds its kept rows at full width. False when the file is damaged or rows
// stopped it.
bool pngPart(const PictureDecoder::ReadFunction &input, QSize kept, PngSource source, PictureRows &rows)
{
    struct Read
    {
        const PictureDecoder::ReadFunction *input = nullptr;
        std::vector<uchar> held;
        png_structp png = nullptr;
        png_infop info = nullptr;
        ~Read() { png_destroy_read_struct(&png, &info, nullptr); }
    };
    // Everything lives behind one pointer set before setjmp, which a longjmp leaves intact.
    const auto read = std::make_unique<Read>();
    read->input = &input;
    read->png = png_create_read_struct(
        PNG_LIBPNG_VER_STRING, nullptr, [](png_structp png, png_const_charp) { png_longjmp(png, 1); },
        [](png_structp, png_const_charp) {});
    if (!read->png || !(read->info = png_create_info_struct(read->png)))
        return false;
    if (setjmp(png_jmpbuf(read->png)))
        return false;
    if (source == PngSource::DocumentEntry) {
        png_set_crc_action(read->png, PNG_CRC_QUIET_USE, PNG_CRC_QUIET_USE);
        png_set_option(read->png, PNG_IGNORE_ADLER32, PNG_OPTION_ON);
    }
    png_set_read_fn(read->png, read.get(), [](png_structp png, png_bytep out, size_t length) {
        const auto &input = *static_cast<Read *>(png_get_io_ptr(png))->input;
        for (size_t filled = 0; filled < length;) {
            const qint64 n = input(reinterpret_cast<char *>(out) + filled, qint64(length - filled));
            if (n <= 0)
                png_error(png, "file ends early");
            filled += size_t(n);
        }
    });
    png_read_info(read->png, read->info);
    const png_uint_32 width = png_get_image_width(read->png, read->info);
    const png_uint_32 height = png_get_image_height(read->png, read->info);
    const int colourType = png_get_color_type(read->png, read->info);
    const bool alpha = (colourType & PNG_COLOR_MASK_ALPHA) || png_get_valid(read->png, read->info, PNG_INFO_tRNS);
    // Eight-bit red, green, blue rows, as a merged picture is stored, are taken
    // as they stand: converting them costs more in libpng than in Qt.
    const bool asStored = source == PngSource::DocumentEntry && colourType == PNG_COLOR_TYPE_RGB && !alpha
        && png_get_bit_depth(read->png, read->info) == 8;
    if (!asStored) {
        // Eight-bit blue, green, red, alpha: a 32-bit ARGB pixel in memory order.
        png_set_expand(read->png);
        png_set_scale_16(read->png);
        png_set_gray_to_rgb(read->png);
        png_set_bgr(read->png);
        png_set_filler(read->png, 0xFF, PNG_FILLER_AFTER);
    }
    const int passes = png_set_interlace_handling(read->png);
    png_read_update_info(read->png, read->info);
    if (width < png_uint_32(kept.width()) || height < png_uint_32(kept.height()))
        return false;
    if (!rows.begin(kept, asStored ? QImage::Format_RGB888 : alpha ? QImage::Format_ARGB32 : QImage::Format_RGB32))
        return false;
    const size_t rowBytes = size_t(width) * (asStored ? 3 : 4);
    if (passes == 1) {
        for (int y = 0; y < kept.height(); ++y) {
            uchar *row = png_uint_32(kept.width()) == width ? rows.rowBuffer(y) : nullptr;
            if (!row) {
                read->held.resize(rowBytes);
                row = read->held.data();
            }
            png_read_row(read->png, row, nullptr);
            if (!rows.take(y, row))
                return false;
        }
        return true;
    }
    // Each pass adds its pixels to the rows it is given; the rows below the kept part share one.
    read->held.resize(rowBytes * (size_t(kept.height()) + 1));
    uchar *const below = read->held.data() + rowBytes * size_t(kept.height());
    for (int pass = 0; pass < passes; ++pass) {
        for (png_uint_32 y = 0; y < height; ++y)
            png_read_row(read->png, y < png_uint_32(kept.height()) ? read->held.data() + rowBytes * y : below, nullptr);
    }
    for (int y = 0; y < kept.height(); ++y) {
        if (!rows.take(y, read->held.data() + rowBytes * size_t(y)))
            return false;
    }
    return true;
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
    if (format == "bmp" && bmpHeaderUnknown(bytes)) {
        *reason = tr("the picture is damaged");
        return {};
    }
    if ((format == "svg" || format == "svgz") && drawingBytes(bytes, MaxDrawingBytes) > MaxDrawingBytes) {
        *reason = QCoreApplication::translate("PictureDecoder", "the drawing is too large");
        return {};
    }
    // Refuse from the header alone, before the decoder asks for the memory. Qt
    // gives no size for a BMP or PNG too large for it, and a top-down bitmap's
    // height as the negative number it is stored as; the headers still tell.
    QSize declared = reader.size();
    if (declared.isEmpty())
        declared = {};
    qint64 width = declared.width(), height = declared.height();
    bool decoderRefusesSize = false;
    if (width <= 0 && format == "bmp") {
        const BmpLayout layout = bmpLayout(bytes);
        width = layout.width;
        height = layout.height;
    } else if (width <= 0 && format == "png") {
        std::tie(width, height) = largestDeclaredPicture(bytes);
        decoderRefusesSize = width > PngMaxSide || height > PngMaxSide;
    }
    if (pictureSize && width > 0 && height > 0)
        *pictureSize = QSize(int(std::min<qint64>(width, INT_MAX)), int(std::min<qint64>(height, INT_MAX)));
    // PNG and TIFF pictures of 16 bits a channel decode to eight bytes a pixel.
    // Only those two are asked: Qt's JPEG reader answers with garbage for a damaged header.
    const QImage::Format decodedFormat =
        format == "png" || format == "tiff" ? reader.imageFormat() : QImage::Format_Invalid;
    const qint64 bytesPerPixel = decodedFormat == QImage::Format_Invalid
        ? 4
        : std::max(4, QImage::toPixelFormat(decodedFormat).bitsPerPixel() / 8);
    // Only the top-left part of a larger picture is wanted: the decoder is
    // made to hold no more than that where its format allows.
    const bool part = keep.isValid() && width > 0 && height > 0 && (width > keep.width() || height > keep.height());
    const QSize kept(int(std::min<qint64>(width, keep.width())), int(std::min<qint64>(height, keep.height())));
    QByteArray bmpBytes;
    const qint64 coefficientBytes = format == "jpeg" || format == "jpg" ? jpegCoefficientBytes(bytes) : 0;
    // Headers may claim up to 2^31 pixels each way: no product of both times the pixel size.
    qint64 heldBytes = width > 0 && height > 0 && width > std::numeric_limits<qint64>::max() / bytesPerPixel / height
        ? std::numeric_limits<qint64>::max()
        : width * height * bytesPerPixel;
    if (part) {
        if ((format == "jpeg" || format == "jpg") && coefficientBytes == 0) {
            heldBytes = qint64(kept.width()) * kept.height() * 4;
        } else if (format == "png") {
            // Read row by row, scaled to eight bits a channel.
            const bool interlaced = bytes.size() > 28 && bytes[28] != 0;
            heldBytes = qint64(kept.width()) * kept.height() * 4 + width * 4 * (interlaced ? kept.height() + 1 : 1);
        } else if (format == "bmp" && !(bmpBytes = bmpPart(bytes, kept)).isEmpty()) {
            heldBytes = qint64(kept.width()) * kept.height() * 4;
        }
    }
    const qint64 limit = qint64(AllocationLimitMb) * 1024 * 1024;
    if (heldBytes <= limit)
        heldBytes += coefficientBytes;
    if (width > 0 && height > 0
        && (decoderRefusesSize || heldBytes > limit || (part && width * height > MaxPartPixels))) {
        *reason = tooLarge(width, height);
        return {};
    }
    if (endsEarly(format, bytes)) {
        *reason = tr("the file is incomplete");
        return {};
    }
    QImage image;
    // PNG through libpng itself, whose complaints come back as the reason
    // rather than as lines on the terminal.
    if (format == "png") {
        qsizetype at = 0;
        const ReadFunction fromBytes = [&bytes, &at](char *to, qint64 count) {
            const qint64 n = std::min<qint64>(count, bytes.size() - at);
            memcpy(to, bytes.constData() + at, size_t(n));
            at += n;
            return n;
        };
        ImageRows rows;
        if (pngPart(fromBytes, part ? kept : QSize(int(width), int(height)), PngSource::File, rows))
            image = rows.image();
    } else if (!bmpBytes.isEmpty()) {
        QBuffer cut(&bmpBytes);
        cut.open(QIODevice::ReadOnly);
        QImageReader cutReader(&cut, "bmp");
        cutReader.setAllocationLimit(AllocationLimitMb);
        image = cutReader.read();
    } else {
        if (part)
            reader.setClipRect(QRect(QPoint(0, 0), kept));
        const BmpLayout layout = format == "bmp" ? bmpLayout(bytes) : BmpLayout();
        if (layout.width > 0 && bmpRunLengthCoded(layout)) {
            // Qt decodes into a picture given to it, and leaves the pixels the codes
            // move over or end before as they were: colour 0, not uninitialised memory.
            image = QImage(int(layout.width), int(layout.height), QImage::Format_Indexed8);
            image.fill(0);
            if (!reader.read(&image))
                image = {};
        } else {
            image = reader.read();
        }
    }
    if (image.isNull())
        *reason = tr("the picture is damaged or incomplete");
    return image;
}

bool PictureDecoder::decodePng(const ReadFunction &read, PictureRows &rows, QString *reason, QSize keep)
{
    // The signature and the header chunk, taken first to refuse on the size they give.
    constexpr int HeaderBytes = 8 + 8 + 13;
    QByteArray head(HeaderBytes, Qt::Uninitialized);
    qint64 got = 0;
    for (qint64 n; got < HeaderBytes && (n = read(head.data() + got, HeaderBytes - got)) > 0;)
        got += n;
    if (got < HeaderBytes || !head.startsWith("\x89PNG\r\n\x1a\n") || head.mid(12, 4) != "IHDR") {
        *reason = tr("it is not a PNG picture");
        return false;
    }
    const qint64 width = qFromBigEndian<quint32>(head.constData() + 16);
    const qint64 height = qFromBigEndian<quint32>(head.constData() + 20);
    const bool interlaced = head[28] != 0;
    const bool part = keep.isValid() && (width > keep.width() || height > keep.height());
    const QSize kept(int(std::min<qint64>(width, part ? keep.width() : width)),
                     int(std::min<qint64>(height, part ? keep.height() : height)));
    // Decoded row by row at eight bits a channel: what is held is the kept
    // part, and a row of the whole width (every row, when interlaced).
    const qint64 heldBytes =
        qint64(kept.width()) * kept.height() * 4 + width * 4 * (interlaced ? kept.height() + 1 : 1);
    if (width <= 0 || height <= 0 || width > PngMaxSide || height > PngMaxSide
        || heldBytes > qint64(AllocationLimitMb) * 1024 * 1024 || (part && width * height > MaxPartPixels)) {
        *reason = tooLarge(width, height);
        return false;
    }
    qint64 headAt = 0;
    const ReadFunction headThenRest = [&](char *to, qint64 count) {
        if (headAt == HeaderBytes)
            return read(to, count);
        const qint64 n = std::min<qint64>(count, HeaderBytes - headAt);
        memcpy(to, head.constData() + headAt, size_t(n));
        headAt += n;
        return n;
    };
    if (pngPart(headThenRest, kept, PngSource::DocumentEntry, rows))
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
