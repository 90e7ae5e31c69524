#include "pictures/PngRowReader.h"

#include "pictures/PictureRows.h"

#include <png.h>

#include <csetjmp>
#include <memory>
#include <vector>

bool PngRowReader::read(const PictureDecoder::ReadFunction &input, QSize kept, Source source, PictureRows &rows)
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
    const auto state = std::make_unique<Read>();
    state->input = &input;
    state->png = png_create_read_struct(
        PNG_LIBPNG_VER_STRING, nullptr, [](png_structp png, png_const_charp) { png_longjmp(png, 1); },
        [](png_structp, png_const_charp) {});
    if (!state->png || !(state->info = png_create_info_struct(state->png)))
        return false;
    if (setjmp(png_jmpbuf(state->png)))
        return false;
    if (source == Source::DocumentEntry) {
        png_set_crc_action(state->png, PNG_CRC_QUIET_USE, PNG_CRC_QUIET_USE);
        png_set_option(state->png, PNG_IGNORE_ADLER32, PNG_OPTION_ON);
    }
    png_set_read_fn(state->png, state.get(), [](png_structp png, png_bytep out, size_t length) {
        const auto &input = *static_cast<Read *>(png_get_io_ptr(png))->input;
        for (size_t filled = 0; filled < length;) {
            const qint64 n = input(reinterpret_cast<char *>(out) + filled, qint64(length - filled));
            if (n <= 0)
                png_error(png, "file ends early");
            filled += size_t(n);
        }
    });
    png_read_info(state->png, state->info);
    const png_uint_32 width = png_get_image_width(state->png, state->info);
    const png_uint_32 height = png_get_image_height(state->png, state->info);
    const int colourType = png_get_color_type(state->png, state->info);
    const bool alpha = (colourType & PNG_COLOR_MASK_ALPHA) || png_get_valid(state->png, state->info, PNG_INFO_tRNS);
    // Eight-bit red, green, blue rows, as a merged picture is stored, are taken
    // as they stand: converting them costs more in libpng than in Qt.
    const bool asStored = source == Source::DocumentEntry && colourType == PNG_COLOR_TYPE_RGB && !alpha
        && png_get_bit_depth(state->png, state->info) == 8;
    if (!asStored) {
        // Eight-bit blue, green, red, alpha: a 32-bit ARGB pixel in memory order.
        png_set_expand(state->png);
        png_set_scale_16(state->png);
        png_set_gray_to_rgb(state->png);
        png_set_bgr(state->png);
        png_set_filler(state->png, 0xFF, PNG_FILLER_AFTER);
    }
    const int passes = png_set_interlace_handling(state->png);
    png_read_update_info(state->png, state->info);
    if (width < png_uint_32(kept.width()) || height < png_uint_32(kept.height()))
        return false;
    if (!rows.begin(kept, asStored ? QImage::Format_RGB888 : alpha ? QImage::Format_ARGB32 : QImage::Format_RGB32))
        return false;
    const size_t rowBytes = size_t(width) * (asStored ? 3 : 4);
    if (passes == 1) {
        for (int y = 0; y < kept.height(); ++y) {
            uchar *row = png_uint_32(kept.width()) == width ? rows.rowBuffer(y) : nullptr;
            if (!row) {
                state->held.resize(rowBytes);
                row = state->held.data();
            }
            png_read_row(state->png, row, nullptr);
            if (!rows.take(y, row))
                return false;
        }
        return true;
    }
    // Each pass adds its pixels to the rows it is given; the rows below the kept part share one.
    state->held.resize(rowBytes * (size_t(kept.height()) + 1));
    uchar *const below = state->held.data() + rowBytes * size_t(kept.height());
    for (int pass = 0; pass < passes; ++pass) {
        for (png_uint_32 y = 0; y < height; ++y)
            png_read_row(state->png, y < png_uint_32(kept.height()) ? state->held.data() + rowBytes * y : below,
                         nullptr);
    }
    for (int y = 0; y < kept.height(); ++y) {
        if (!rows.take(y, state->held.data() + rowBytes * size_t(y)))
            return false;
    }
    return true;
}
