#include "document/PngEncoder.h"

#include "document/DocumentWriter.h"
#include "output/MaptileSaver.h"

#include <QtEndian>

#include <zlib.h>

#include <algorithm>
#include <cstring>
#include <vector>

namespace {

void appendChunk(QByteArray &png, const char *type, const QByteArray &data)
{
    char number[4];
    qToBigEndian(quint32(data.size()), number);
    png.append(number, 4);
    const qsizetype start = png.size();
    png.append(type, 4).append(data);
    const uLong crc = crc32(0, reinterpret_cast<const Bytef *>(png.constData() + start), uInt(png.size() - start));
    qToBigEndian(quint32(crc), number);
    png.append(number, 4);
}

// The colours of a picture that has at most 256, transparent black first; an
// overlay is a few colours of text on transparency.
struct Palette
{
    std::vector<QRgb> colours{0};

    // The picture's colours, or false when it has more than 256.
    bool collect(const QImage &pixels)
    {
        QRgb last = 0;
        for (int y = 0; y < pixels.height(); ++y) {
            const auto *in = reinterpret_cast<const QRgb *>(pixels.constScanLine(y));
            for (int x = 0; x < pixels.width(); ++x) {
                if (in[x] == last)
                    continue;
                last = in[x];
                if (std::find(colours.begin(), colours.end(), last) == colours.end()) {
                    if (colours.size() == 256)
                        return false;
                    colours.push_back(last);
                }
            }
        }
        return true;
    }

    int bitsPerIndex() const
    {
        const size_t n = colours.size();
        return n <= 2 ? 1 : n <= 4 ? 2 : n <= 16 ? 4 : 8;
    }

    int indexOf(QRgb colour) const
    {
        return int(std::find(colours.begin(), colours.end(), colour) - colours.begin());
    }
};

// Deflates the picture's rows, which fill writes one at a time into the
// buffer it is given after the row's filter byte, into the IDAT chunk. From
// splitRow on, when it is given, the stream starts afresh, so that a reader
// can decode the rows below it beside those above; *splitOffset is where.
template<typename Fill>
bool appendImageData(QByteArray &png, int height, qsizetype rowBytes, int strategy, Fill fill, int splitRow = 0,
                     quint32 *splitOffset = nullptr)
{
    z_stream z{};
    if (deflateInit2(&z, Z_BEST_SPEED, Z_DEFLATED, 15, 8, strategy) != Z_OK)
        return false;
    // The data is deflated straight into its chunk; length and checksum follow once it is done.
    const qsizetype data = png.size();
    const uLong bound = deflateBound(&z, uLong(rowBytes * height));
    png.resize(data + 8 + qsizetype(bound) + 4);
    memcpy(png.data() + data + 4, "IDAT", 4);
    z.next_out = reinterpret_cast<Bytef *>(png.data() + data + 8);
    z.avail_out = uInt(bound);

    QByteArray row(rowBytes, Qt::Uninitialized);
    auto *out = reinterpret_cast<uchar *>(row.data());
    bool packed = true;
    for (int y = 0; y < height && packed; ++y) {
        out[0] = fill(y, out + 1);
        z.next_in = out;
        z.avail_in = uInt(rowBytes);
        const bool last = y == height - 1, split = y == splitRow - 1;
        const int result = deflate(&z, last ? Z_FINISH : split ? Z_FULL_FLUSH : Z_NO_FLUSH);
        packed = last ? result == Z_STREAM_END : result == Z_OK && z.avail_in == 0;
        if (split && splitOffset)
            *splitOffset = quint32(z.total_out);
    }
    const qsizetype packedSize = qsizetype(z.total_out);
    deflateEnd(&z);
    if (!packed)
        return false;
    qToBigEndian(quint32(packedSize), png.data() + data);
    const uLong crc = crc32(0, reinterpret_cast<const Bytef *>(png.constData() + data + 4), uInt(packedSize + 4));
    qToBigEndian(quint32(crc), png.data() + data + 8 + packedSize);
    png.resize(data + 8 + packedSize + 4);
    return true;
}

} // namespace

QByteArray PngEncoder::encode(const QImage &image, Halves halves)
{
    if (image.isNull())
        return {};
    const QImage pixels = image.format() == QImage::Format_RGB32 || image.format() == QImage::Format_ARGB32
                              ? image
                              : image.convertToFormat(image.hasAlphaChannel() ? QImage::Format_ARGB32
                                                                              : QImage::Format_RGB32);
    const bool alpha = pixels.format() == QImage::Format_ARGB32;
    Palette palette;
    const bool indexed = alpha && palette.collect(pixels);
    const int bits = indexed ? palette.bitsPerIndex() : 8;
    const int channels = indexed ? 1 : alpha ? 4 : 3;
    const int width = pixels.width(), height = pixels.height();

    QByteArray header(13, '\0');
    qToBigEndian(quint32(width), header.data());
    qToBigEndian(quint32(height), header.data() + 4);
    header[8] = char(bits);
    header[9] = indexed ? 3 : alpha ? 6 : 2; // palette, RGBA or RGB
    QByteArray density(9, '\0');
    qToBigEndian(quint32(MaptileSaver::DotsPerMeter), density.data());
    qToBigEndian(quint32(MaptileSaver::DotsPerMeter), density.data() + 4);
    density[8] = 1; // per metre

    QByteArray png("\x89PNG\r\n\x1a\n", 8);
    appendChunk(png, "IHDR", header);
    appendChunk(png, "pHYs", density);
    bool packed;
    if (indexed) {
        QByteArray colours, opacities;
        for (const QRgb colour : palette.colours) {
            colours.append(char(qRed(colour))).append(char(qGreen(colour))).append(char(qBlue(colour)));
            opacities.append(char(qAlpha(colour)));
        }
        appendChunk(png, "PLTE", colours);
        appendChunk(png, "tRNS", opacities);
        // Rows of indices, several to a byte, unfiltered: an overlay is
        // mostly empty rows, which pack to almost nothing as they are.
        const qsizetype rowBytes = (qsizetype(width) * bits + 7) / 8 + 1;
        packed = appendImageData(png, height, rowBytes, Z_DEFAULT_STRATEGY, [&](int y, uchar *out) {
            const auto *in = reinterpret_cast<const QRgb *>(pixels.constScanLine(y));
            memset(out, 0, size_t(rowBytes - 1));
            QRgb last = 0;
            int index = 0;
            for (int x = 0; x < width; ++x) {
                if (in[x] == 0)
                    continue;
                if (in[x] != last) {
                    last = in[x];
                    index = palette.indexOf(last);
                }
                const int bit = x * bits;
                out[bit / 8] |= uchar(index << (8 - bits - bit % 8));
            }
            return uchar(0);
        });
    } else {
        // The command line's export decodes the halves of the merged picture
        // on two threads: the rows below the middle are packed afresh, and a
        // private chunk, which other readers pass over, says where.
        const int splitRow = halves == Halves::Split ? height / 2 : 0;
        const qsizetype splitChunk = png.size();
        if (splitRow > 0)
            appendChunk(png, DocumentWriter::SplitChunk, QByteArray(8, '\0'));
        quint32 splitOffset = 0;
        // Each row filtered by type 1: every byte less the same byte of the pixel on its left.
        const qsizetype rowBytes = qsizetype(width) * channels + 1;
        packed = appendImageData(png, height, rowBytes, Z_RLE, [&](int y, uchar *out) {
            const auto *in = reinterpret_cast<const QRgb *>(pixels.constScanLine(y));
            uchar left[4] = {0, 0, 0, 0};
            for (int x = 0; x < width; ++x) {
                const uchar now[4] = {uchar(qRed(in[x])), uchar(qGreen(in[x])), uchar(qBlue(in[x])),
                                      uchar(qAlpha(in[x]))};
                for (int c = 0; c < channels; ++c)
                    *out++ = uchar(now[c] - left[c]);
                memcpy(left, now, 4);
            }
            return uchar(1);
        }, splitRow, &splitOffset);
        if (splitRow > 0) {
            uchar *const chunk = reinterpret_cast<uchar *>(png.data() + splitChunk);
            qToBigEndian(quint32(splitRow), chunk + 8);
            qToBigEndian(splitOffset, chunk + 12);
            qToBigEndian(quint32(crc32(0, chunk + 4, 12)), chunk + 16);
        }
    }
    if (!packed)
        return {};
    appendChunk(png, "IEND", {});
    return png;
}
