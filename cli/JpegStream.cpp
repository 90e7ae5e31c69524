#include "cli/JpegStream.h"

#include <QIODevice>

#include <jerror.h>

#include <algorithm>

JpegStream::JpegStream(QIODevice &device, QSize size, const JpegOptions &options, int dotsPerInch)
{
    m_jpeg.err = jpeg_std_error(&m_failure.manager);
    m_failure.manager.error_exit = [](j_common_ptr jpeg) {
        std::longjmp(reinterpret_cast<Failure *>(jpeg->err)->jump, 1);
    };
    m_failure.manager.output_message = [](j_common_ptr) {};
    if (setjmp(m_failure.jump)) {
        m_failed = true;
        return;
    }
    jpeg_create_compress(&m_jpeg);
    m_destination.device = &device;
    m_destination.manager.init_destination = [](j_compress_ptr jpeg) {
        auto *const to = reinterpret_cast<Destination *>(jpeg->dest);
        to->manager.next_output_byte = to->buffer;
        to->manager.free_in_buffer = sizeof to->buffer;
    };
    m_destination.manager.empty_output_buffer = [](j_compress_ptr jpeg) -> boolean {
        auto *const to = reinterpret_cast<Destination *>(jpeg->dest);
        // A device that fails ends the picture as an encoder's own failure does.
        if (to->device->write(reinterpret_cast<const char *>(to->buffer), sizeof to->buffer) != sizeof to->buffer)
            ERREXIT(jpeg, JERR_FILE_WRITE);
        to->manager.next_output_byte = to->buffer;
        to->manager.free_in_buffer = sizeof to->buffer;
        return TRUE;
    };
    m_destination.manager.term_destination = [](j_compress_ptr jpeg) {
        auto *const to = reinterpret_cast<Destination *>(jpeg->dest);
        const qint64 count = qint64(sizeof to->buffer - to->manager.free_in_buffer);
        if (to->device->write(reinterpret_cast<const char *>(to->buffer), count) != count)
            ERREXIT(jpeg, JERR_FILE_WRITE);
    };
    m_jpeg.dest = &m_destination.manager;
    m_jpeg.image_width = JDIMENSION(size.width());
    m_jpeg.image_height = JDIMENSION(size.height());
    m_jpeg.input_components = 3;
    m_jpeg.in_color_space = JCS_RGB;
    jpeg_set_defaults(&m_jpeg);
    m_jpeg.density_unit = 1;
    m_jpeg.X_density = UINT16(dotsPerInch);
    m_jpeg.Y_density = UINT16(dotsPerInch);
    jpeg_set_quality(&m_jpeg, std::clamp(options.quality, 1, 100), TRUE);
    if (options.progressive)
        jpeg_simple_progression(&m_jpeg);
    jpeg_start_compress(&m_jpeg, TRUE);
}

JpegStream::~JpegStream()
{
    jpeg_destroy_compress(&m_jpeg);
}

bool JpegStream::writeRow(const unsigned char *rgb)
{
    if (m_failed)
        return false;
    if (setjmp(m_failure.jump)) {
        m_failed = true;
        return false;
    }
    JSAMPROW row = const_cast<JSAMPROW>(rgb);
    jpeg_write_scanlines(&m_jpeg, &row, 1);
    return true;
}

bool JpegStream::finish()
{
    if (m_failed || setjmp(m_failure.jump))
        return false;
    jpeg_finish_compress(&m_jpeg);
    return true;
}
