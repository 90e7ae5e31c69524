#include "output/JpegWriter.h"

#include "raster/Geometry.h"

#include <algorithm>
#include <csetjmp>
#include <cstdio>
#include <cstdlib>

#include <jpeglib.h>

namespace {

// libjpeg's failures end the encoding through a jump back, with its message kept.
struct ErrorManager
{
    jpeg_error_mgr manager;
    std::jmp_buf back;
    char message[JMSG_LENGTH_MAX];
};

[[noreturn]] void failed(j_common_ptr info)
{
    auto *errors = reinterpret_cast<ErrorManager *>(info->err);
    info->err->format_message(info, errors->message);
    std::longjmp(errors->back, 1);
}

void quiet(j_common_ptr)
{
}

// Everything libjpeg touches is made before setjmp and lives past it, so
// that a jump back leaves nothing half built.
struct Encoding
{
    QImage pixels;
    jpeg_compress_struct info{};
    ErrorManager errors{};
    unsigned char *out = nullptr;
    unsigned long size = 0;
    QByteArray rgb;
    ~Encoding()
    {
        jpeg_destroy_compress(&info);
        std::free(out);
    }
};

} // namespace

QByteArray JpegWriter::encode(const QImage &image, const JpegOptions &options, QString *reason)
{
    Encoding e;
    // Red, green, blue bytes, as a document's merged picture decodes, go in as
    // they are; anything else as Qt's 32-bit pixels.
    const bool rgb = image.format() == QImage::Format_RGB888;
    e.pixels = rgb || image.format() == QImage::Format_RGB32 ? image : image.convertToFormat(QImage::Format_RGB32);
    e.info.err = jpeg_std_error(&e.errors.manager);
    e.errors.manager.error_exit = failed;
    e.errors.manager.output_message = quiet;
    if (setjmp(e.errors.back)) {
        *reason = QString::fromLocal8Bit(e.errors.message);
        return {};
    }
    jpeg_create_compress(&e.info);
    jpeg_mem_dest(&e.info, &e.out, &e.size);
    e.info.image_width = JDIMENSION(e.pixels.width());
    e.info.image_height = JDIMENSION(e.pixels.height());
#if defined(JCS_EXTENSIONS) && Q_BYTE_ORDER == Q_LITTLE_ENDIAN
    // Qt's 32-bit pixels are B, G, R, x in memory: libjpeg-turbo takes them as they are.
    const bool direct = true;
    e.info.input_components = rgb ? 3 : 4;
    e.info.in_color_space = rgb ? JCS_RGB : JCS_EXT_BGRX;
#else
    const bool direct = rgb;
    e.info.input_components = 3;
    e.info.in_color_space = JCS_RGB;
#endif
    jpeg_set_defaults(&e.info);
    jpeg_set_quality(&e.info, std::clamp(options.quality, 1, 100), TRUE);
    if (options.progressive)
        jpeg_simple_progression(&e.info);
    e.info.density_unit = 1; // dots per inch
    e.info.X_density = Geometry::PixelsPerInch;
    e.info.Y_density = Geometry::PixelsPerInch;
    jpeg_start_compress(&e.info, TRUE);
    for (int y = 0; y < e.pixels.height(); ++y) {
        auto *row = const_cast<JSAMPLE *>(e.pixels.constScanLine(y));
        if (!direct) {
            e.rgb.resize(qsizetype(e.pixels.width()) * 3);
            const auto *in = reinterpret_cast<const QRgb *>(row);
            row = reinterpret_cast<JSAMPLE *>(e.rgb.data());
            for (int x = 0; x < e.pixels.width(); ++x) {
                row[3 * x] = JSAMPLE(qRed(in[x]));
                row[3 * x + 1] = JSAMPLE(qGreen(in[x]));
                row[3 * x + 2] = JSAMPLE(qBlue(in[x]));
            }
        }
        JSAMPROW rows[1] = {row};
        jpeg_write_scanlines(&e.info, rows, 1);
    }
    jpeg_finish_compress(&e.info);
    return QByteArray(reinterpret_cast<const char *>(e.out), qsizetype(e.size));
}
