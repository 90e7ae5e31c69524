#include "document/PngEncoder.h"

#include "output/MaptileSaver.h"

#include <QtEndian>

#include <zlib.h>

#include <algorithm>
#include <cstring>

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

} // namespace

QByteArray PngEncoder::encode(const QImage &image)
{
    if (image.isNull())
        return {};
    const QImage pixels = image.format() == QImage::Format_RGB32 || image.format() == QImage::Format_ARGB32
                              ? image
                              : image.convertToFormat(image.hasAlphaChannel() ? QImage::Format_ARGB32
                                                                              : QImage::Format_RGB32);
    const bool alpha = pixels.format() == QImage::Format_ARGB32;
    const int channels = alpha ? 4 : 3;
    const qsizetype rowBytes = qsizetype(pixels.width()) * channels + 1;

    QByteArray header(13, '\0');
    qToBigEndian(quint32(pixels.width()), header.data());
    qToBigEndian(quint32(pixels.height()), header.data() + 4);
    header[8] = 8;              // bits per channel
    header[9] = alpha ? 6 : 2;  // RGBA or RGB
    QByteArray density(9, '\0');
    qToBigEndian(quint32(MaptileSaver::DotsPerMeter), density.data());
    qToBigEndian(quint32(MaptileSaver::DotsPerMeter), density.data() + 4);
    density[8] = 1; // per metre

    z_stream z{};
    if (deflateInit2(&z, Z_BEST_SPEED, Z_DEFLATED, 15, 8, Z_RLE)
        != Z_OK)
        return {};
    QByteArray png("\x89PNG\r\n\x1a\n", 8);
    appendChunk(png, "IHDR", header);
    appendChunk(png, "pHYs", density);
    // The image data is deflated straight into its chunk; length and checksum follow once it is done.
    const qsizetype data = png.size();
    const uLong bound = deflateBound(&z, uLong(rowBytes * pixels.height()));
    png.resize(data + 8 + qsizetype(bound) + 4);
    memcpy(png.data() + data + 4, "IDAT", 4);
    z.next_out = reinterpret_cast<Bytef *>(png.data() + data + 8);
    z.avail_out = uInt(bound);

    // Each row starts with its filter type, 1: every byte less the same byte of the pixel on its left.
    QByteArray row(rowBytes, Qt::Uninitialized);
    auto *out = reinterpret_cast<uchar *>(row.data());
    out[0] = 1;
    bool packed = true;
    for (int y = 0; y < pixels.height() && packed; ++y) {
        const auto *in = reinterpret_cast<const QRgb *>(pixels.constScanLine(y));
        uchar left[4] = {0, 0, 0, 0};
        uchar *o = out + 1;
        // Most rows of an overlay are empty, and filter to nothing but zeros.
        if (alpha && std::all_of(in, in + pixels.width(), [](QRgb p) { return p == 0; }))
            memset(o, 0, size_t(rowBytes - 1));
        else for (int x = 0; x < pixels.width(); ++x) {
            const uchar now[4] = {uchar(qRed(in[x])), uchar(qGreen(in[x])), uchar(qBlue(in[x])), uchar(qAlpha(in[x]))};
            for (int c = 0; c < channels; ++c)
                *o++ = uchar(now[c] - left[c]);
            memcpy(left, now, 4);
        }
        z.next_in = out;
        z.avail_in = uInt(rowBytes);
        const bool last = y == pixels.height() - 1;
        const int result = deflate(&z, last ? Z_FINISH : Z_NO_FLUSH);
        packed = last ? result == Z_STREAM_END : result == Z_OK && z.avail_in == 0;
    }
    const qsizetype packedSize = qsizetype(z.total_out);
    deflateEnd(&z);
    if (!packed)
        return {};
    qToBigEndian(quint32(packedSize), png.data() + data);
    const uLong crc = crc32(0, reinterpret_cast<const Bytef *>(png.constData() + data + 4), uInt(packedSize + 4));
    qToBigEndian(quint32(crc), png.data() + data + 8 + packedSize);
    png.resize(data + 8 + packedSize + 4);
    appendChunk(png, "IEND", {});
    return png;
}
