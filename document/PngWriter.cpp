#include "document/PngWriter.h"

#include "raster/Geometry.h"

#include <png.h>
#include <zlib.h>

#include <algorithm>
#include <csetjmp>
#include <vector>

namespace {

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

    uchar indexOf(QRgb colour) const
    {
        return uchar(std::find(colours.begin(), colours.end(), colour) - colours.begin());
    }
};

void append(png_structp png, png_bytep data, size_t length)
{
    static_cast<QByteArray *>(png_get_io_ptr(png))->append(reinterpret_cast<const char *>(data), qsizetype(length));
}

void flush(png_structp)
{
}

// libpng's complaints end the encoding quietly: the caller reports the failure in its own words.
[[noreturn]] void fail(png_structp png, png_const_charp)
{
    png_longjmp(png, 1);
}

void ignoreWarning(png_structp, png_const_charp)
{
}

// Everything libpng touches is made before setjmp and lives past it, so
// that a jump back leaves nothing half built.
struct Encoding
{
    QImage pixels;
    PngWriter::Packing packing = PngWriter::Packing::Packed;
    Palette palette;
    bool indexed = false;
    std::vector<uchar> indices;
    QByteArray out;
};

bool run(Encoding &e)
{
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, fail, ignoreWarning);
    if (!png)
        return false;
    png_infop info = png_create_info_struct(png);
    if (!info || setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        return false;
    }
    png_set_write_fn(png, &e.out, append, flush);
    const bool stored = e.packing == PngWriter::Packing::Stored;
    png_set_compression_level(png, stored ? Z_NO_COMPRESSION : Z_BEST_SPEED);
    const int width = e.pixels.width(), height = e.pixels.height();
    const bool alpha = e.pixels.format() == QImage::Format_ARGB32;
    if (e.indexed) {
        png_set_IHDR(png, info, png_uint_32(width), png_uint_32(height), e.palette.bitsPerIndex(),
                     PNG_COLOR_TYPE_PALETTE, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
        std::vector<png_color> colours;
        std::vector<png_byte> opacities;
        for (const QRgb colour : e.palette.colours) {
            colours.push_back({png_byte(qRed(colour)), png_byte(qGreen(colour)), png_byte(qBlue(colour))});
            opacities.push_back(png_byte(qAlpha(colour)));
        }
        png_set_PLTE(png, info, colours.data(), int(colours.size()));
        png_set_tRNS(png, info, opacities.data(), int(opacities.size()), nullptr);
        // An overlay is mostly empty rows, which pack to almost nothing unfiltered.
        png_set_filter(png, PNG_FILTER_TYPE_BASE, PNG_FILTER_NONE);
    } else {
        png_set_IHDR(png, info, png_uint_32(width), png_uint_32(height), 8,
                     alpha ? PNG_COLOR_TYPE_RGB_ALPHA : PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE,
                     PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
        png_set_filter(png, PNG_FILTER_TYPE_BASE, stored ? PNG_FILTER_NONE : PNG_FILTER_SUB);
        png_set_compression_strategy(png, e.packing == PngWriter::Packing::Small ? Z_DEFAULT_STRATEGY : Z_RLE);
    }
    png_set_pHYs(png, info, Geometry::DotsPerMeter, Geometry::DotsPerMeter, PNG_RESOLUTION_METER);
    png_write_info(png, info);
    if (e.indexed) {
        // One index a byte, which libpng packs to the depth in the header.
        png_set_packing(png);
        for (int y = 0; y < height; ++y)
            png_write_row(png, e.indices.data() + size_t(y) * size_t(width));
    } else {
        // Qt's pixels are 32-bit words: B, G, R, A in memory on a little-endian machine.
#if Q_BYTE_ORDER == Q_LITTLE_ENDIAN
        png_set_bgr(png);
        if (!alpha)
            png_set_filler(png, 0, PNG_FILLER_AFTER);
#else
        if (alpha)
            png_set_swap_alpha(png);
        else
            png_set_filler(png, 0, PNG_FILLER_BEFORE);
#endif
        for (int y = 0; y < height; ++y)
            png_write_row(png, const_cast<png_bytep>(e.pixels.constScanLine(y)));
    }
    png_write_end(png, info);
    png_destroy_write_struct(&png, &info);
    return true;
}

} // namespace

QByteArray PngWriter::encode(const QImage &image, Packing packing)
{
    if (image.isNull())
        return {};
    Encoding e;
    e.packing = packing;
    e.pixels = image.format() == QImage::Format_RGB32 || image.format() == QImage::Format_ARGB32
        ? image
        : image.convertToFormat(image.hasAlphaChannel() ? QImage::Format_ARGB32 : QImage::Format_RGB32);
    e.indexed = e.pixels.format() == QImage::Format_ARGB32 && e.palette.collect(e.pixels);
    if (e.indexed) {
        const int width = e.pixels.width();
        e.indices.assign(size_t(width) * size_t(e.pixels.height()), 0);
        for (int y = 0; y < e.pixels.height(); ++y) {
            const auto *in = reinterpret_cast<const QRgb *>(e.pixels.constScanLine(y));
            uchar *row = e.indices.data() + size_t(y) * size_t(width);
            QRgb last = 0;
            uchar index = 0;
            for (int x = 0; x < width; ++x) {
                if (in[x] == 0)
                    continue;
                if (in[x] != last) {
                    last = in[x];
                    index = e.palette.indexOf(last);
                }
                row[x] = index;
            }
        }
    }
    // Room for the rows as they are, so that the file is not copied as it grows; untouched room costs nothing.
    e.out.reserve(qsizetype(e.pixels.width()) * e.pixels.height() * 4 + e.pixels.height() + 65536);
    return run(e) ? e.out : QByteArray();
}
