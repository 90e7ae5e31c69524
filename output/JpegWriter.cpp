#include "output/JpegWriter.h"

#include "raster/Geometry.h"

#include <algorithm>
#include <csetjmp>
#include <cstdio>
#include <new>
#include <utility>
#include <vector>

#include <jerror.h>
#include <jpeglib.h>

namespace {

// libjpeg's failures end the call through a jump back, with its message kept.
struct ErrorManager
{
    jpeg_error_mgr manager;
    std::jmp_buf back;
    char message[JMSG_LENGTH_MAX];
};

[[noreturn]] void jumpBack(j_common_ptr info)
{
    auto *errors = reinterpret_cast<ErrorManager *>(info->err);
    info->err->format_message(info, errors->message);
    std::longjmp(errors->back, 1);
}

void quiet(j_common_ptr)
{
}

// The memory the last encoding on this thread made its file in, kept for the
// next: memory touched for the first time costs more than encoding into it.
thread_local QByteArray kept;

struct Destination
{
    jpeg_destination_mgr manager;
    QByteArray *bytes;
};

// Grows the file's memory to size; a failure goes back through libjpeg's own
// error exit, since an exception cannot pass through its frames.
void grow(j_compress_ptr info, QByteArray &bytes, qsizetype size)
{
    bool grown = true;
    try {
        bytes.resize(size);
    } catch (const std::bad_alloc &) {
        grown = false;
    }
    if (!grown)
        ERREXIT1(info, JERR_OUT_OF_MEMORY, 0);
}

void startBytes(j_compress_ptr info)
{
    auto *destination = reinterpret_cast<Destination *>(info->dest);
    QByteArray &bytes = *destination->bytes;
    grow(info, bytes, std::max<qsizetype>(bytes.capacity(), 64 * 1024));
    destination->manager.next_output_byte = reinterpret_cast<JOCTET *>(bytes.data());
    destination->manager.free_in_buffer = size_t(bytes.size());
}

boolean moreBytes(j_compress_ptr info)
{
    auto *destination = reinterpret_cast<Destination *>(info->dest);
    QByteArray &bytes = *destination->bytes;
    const qsizetype full = bytes.size();
    grow(info, bytes, full * 2);
    destination->manager.next_output_byte = reinterpret_cast<JOCTET *>(bytes.data()) + full;
    destination->manager.free_in_buffer = size_t(full);
    return TRUE;
}

void endBytes(j_compress_ptr info)
{
    auto *destination = reinterpret_cast<Destination *>(info->dest);
    destination->bytes->resize(destination->bytes->size() - qsizetype(destination->manager.free_in_buffer));
}

} // namespace

// Everything libjpeg touches lives here, made before any setjmp and past
// every jump back, so that a failure leaves nothing half built.
struct JpegWriter::Encoding
{
    JpegOptions options;
    jpeg_compress_struct info{};
    ErrorManager errors{};
    QByteArray bytes = std::exchange(kept, {});
    Destination destination{{}, &bytes};
    bool expand = false; // 32-bit pixels given to a libjpeg that takes only red, green, blue
    std::vector<JSAMPLE> rgb;
    QString reason;
    ~Encoding()
    {
        jpeg_destroy_compress(&info);
        kept = std::move(bytes);
    }
};

JpegWriter::JpegWriter(const JpegOptions &options)
    : m_jpeg(std::make_unique<Encoding>())
{
    m_jpeg->options = options;
    m_jpeg->info.err = jpeg_std_error(&m_jpeg->errors.manager);
    m_jpeg->errors.manager.error_exit = jumpBack;
    m_jpeg->errors.manager.output_message = quiet;
    m_jpeg->destination.manager.init_destination = startBytes;
    m_jpeg->destination.manager.empty_output_buffer = moreBytes;
    m_jpeg->destination.manager.term_destination = endBytes;
}

JpegWriter::~JpegWriter() = default;

bool JpegWriter::failed()
{
    m_jpeg->reason = QString::fromLocal8Bit(m_jpeg->errors.message);
    return false;
}

const QString &JpegWriter::reason() const
{
    return m_jpeg->reason;
}

bool JpegWriter::begin(QSize size, QImage::Format format)
{
    const bool rgb = format == QImage::Format_RGB888;
    if (!rgb && format != QImage::Format_RGB32) {
        m_jpeg->reason = tr("the picture's pixels cannot be written as JPEG");
        return false;
    }
    if (!m_jpeg->reason.isEmpty())
        return false;
    // Each call into libjpeg sets where a failure jumps back to.
    if (setjmp(m_jpeg->errors.back))
        return failed();
    jpeg_create_compress(&m_jpeg->info);
    m_jpeg->info.dest = &m_jpeg->destination.manager;
    m_jpeg->info.image_width = JDIMENSION(size.width());
    m_jpeg->info.image_height = JDIMENSION(size.height());
#if defined(JCS_EXTENSIONS) && Q_BYTE_ORDER == Q_LITTLE_ENDIAN
    // Qt's 32-bit pixels are B, G, R, x in memory: libjpeg-turbo takes them as they are.
    m_jpeg->info.input_components = rgb ? 3 : 4;
    m_jpeg->info.in_color_space = rgb ? JCS_RGB : JCS_EXT_BGRX;
#else
    m_jpeg->expand = !rgb;
    m_jpeg->info.input_components = 3;
    m_jpeg->info.in_color_space = JCS_RGB;
#endif
    jpeg_set_defaults(&m_jpeg->info);
    jpeg_set_quality(&m_jpeg->info, std::clamp(m_jpeg->options.quality, 1, 100), TRUE);
    if (m_jpeg->options.progressive)
        jpeg_simple_progression(&m_jpeg->info);
    m_jpeg->info.density_unit = 1; // dots per inch
    m_jpeg->info.X_density = Geometry::PixelsPerInch;
    m_jpeg->info.Y_density = Geometry::PixelsPerInch;
    jpeg_start_compress(&m_jpeg->info, TRUE);
    return true;
}

bool JpegWriter::take(int, const uchar *row)
{
    auto *samples = const_cast<JSAMPLE *>(row);
    if (m_jpeg->expand) {
        const auto *in = reinterpret_cast<const QRgb *>(row);
        m_jpeg->rgb.resize(size_t(m_jpeg->info.image_width) * 3);
        samples = m_jpeg->rgb.data();
        for (size_t x = 0; x < m_jpeg->info.image_width; ++x) {
            samples[3 * x] = JSAMPLE(qRed(in[x]));
            samples[3 * x + 1] = JSAMPLE(qGreen(in[x]));
            samples[3 * x + 2] = JSAMPLE(qBlue(in[x]));
        }
    }
    JSAMPROW rows[1] = {samples};
    if (!m_jpeg->reason.isEmpty())
        return false;
    if (setjmp(m_jpeg->errors.back))
        return failed();
    jpeg_write_scanlines(&m_jpeg->info, rows, 1);
    return true;
}

QByteArray JpegWriter::finish()
{
    if (!m_jpeg->reason.isEmpty())
        return {};
    if (setjmp(m_jpeg->errors.back)) {
        failed();
        return {};
    }
    jpeg_finish_compress(&m_jpeg->info);
    return m_jpeg->bytes;
}

QByteArray JpegWriter::encode(const QImage &image, const JpegOptions &options, QString *reason)
{
    const QImage pixels = image.format() == QImage::Format_RGB888 || image.format() == QImage::Format_RGB32
        ? image
        : image.convertToFormat(QImage::Format_RGB32);
    JpegWriter writer(options);
    bool written = writer.begin(pixels.size(), pixels.format());
    for (int y = 0; written && y < pixels.height(); ++y)
        written = writer.take(y, pixels.constScanLine(y));
    const QByteArray bytes = written ? writer.finish() : QByteArray();
    *reason = writer.reason();
    return bytes;
}
