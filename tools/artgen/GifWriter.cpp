#include "GifWriter.h"

#include "PaletteQuantizer.h"

#include <gif_lib.h>

bool GifWriter::write(const QImage &image, QRgb key, const QString &path)
{
    const PaletteQuantizer q(image, key);
    const std::vector<uint8_t> idx = q.indices();

    int error = 0;
    GifFileType *gif = EGifOpenFileName(path.toLocal8Bit().constData(), false, &error);
    if (!gif)
        return false;
    GifColorType colours[256];
    for (int i = 0; i < 256; ++i) {
        const QRgb c = q.palette()[size_t(i)];
        colours[i] = {GifByteType(qRed(c)), GifByteType(qGreen(c)), GifByteType(qBlue(c))};
    }
    ColorMapObject *map = GifMakeMapObject(256, colours);
    EGifSetGifVersion(gif, true);
    bool ok = map && EGifPutScreenDesc(gif, image.width(), image.height(), 8, 0, map) == GIF_OK
        && EGifPutImageDesc(gif, 0, 0, image.width(), image.height(), false, nullptr) == GIF_OK;
    for (int y = 0; ok && y < image.height(); ++y)
        ok = EGifPutLine(gif, const_cast<GifPixelType *>(idx.data() + size_t(y) * image.width()), image.width())
            == GIF_OK;
    GifFreeMapObject(map);
    ok &= EGifCloseFile(gif, &error) == GIF_OK;
    return ok;
}
