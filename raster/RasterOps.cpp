#include "raster/RasterOps.h"

#include <QPainter>

#include <algorithm>
#include <cstring>
#include <vector>

namespace RasterOps {

namespace {

// Clips a same-size copy of src to destination at `at` to both images.
// Returns false when nothing is left.
bool clipCopy(const QImage &destination, QPoint &at, const QImage &source, QRect &src)
{
    const QPoint origin = src.topLeft();
    src = src.intersected(source.rect());
    const QRect dst(at + (src.topLeft() - origin), src.size());
    const QRect clipped = dst.intersected(destination.rect());
    if (clipped.isEmpty())
        return false;
    src = QRect(src.topLeft() + (clipped.topLeft() - dst.topLeft()), clipped.size());
    at = clipped.topLeft();
    return true;
}

void reduceRows(const QImage &source, QPoint srcOrigin, QImage &destination, const QRect &dst)
{
    // Sum each column of three rows first (red and blue packed in one word,
    // green in another), then three columns; both loops vectorise.
    const int sourceWidth = 3 * dst.width();
    std::vector<quint32> rb(sourceWidth), g(sourceWidth);
    for (int y = 0; y < dst.height(); ++y) {
        const auto *r0 = reinterpret_cast<const QRgb *>(source.constScanLine(srcOrigin.y() + 3 * y)) + srcOrigin.x();
        const auto *r1 =
            reinterpret_cast<const QRgb *>(source.constScanLine(srcOrigin.y() + 3 * y + 1)) + srcOrigin.x();
        const auto *r2 =
            reinterpret_cast<const QRgb *>(source.constScanLine(srcOrigin.y() + 3 * y + 2)) + srcOrigin.x();
        for (int x = 0; x < sourceWidth; ++x) {
            rb[x] = (r0[x] & 0xff00ff) + (r1[x] & 0xff00ff) + (r2[x] & 0xff00ff);
            g[x] = ((r0[x] >> 8) & 0xff) + ((r1[x] >> 8) & 0xff) + ((r2[x] >> 8) & 0xff);
        }
        auto *out = reinterpret_cast<QRgb *>(destination.scanLine(dst.y() + y)) + dst.x();
        for (int x = 0; x < dst.width(); ++x) {
            const quint32 sumRb = rb[3 * x] + rb[3 * x + 1] + rb[3 * x + 2];
            const quint32 sumG = g[3 * x] + g[3 * x + 1] + g[3 * x + 2];
            // Nine samples per channel: divide each by nine, rounding.
            const quint32 red = (((sumRb >> 16) & 0xffff) + 4) / 9;
            const quint32 blue = ((sumRb & 0xffff) + 4) / 9;
            const quint32 green = (sumG + 4) / 9;
            out[x] = 0xff000000u | (red << 16) | (green << 8) | blue;
        }
    }
}

// The loops below read and write 32-bit words; pictures straight from a file
// may come in any format.
void toWorkFormats(QImage &destination, QImage &source)
{
    if (!destination.isNull() && destination.format() != Format)
        destination.convertTo(Format);
    source = toWorkFormat(source);
}

} // namespace

QImage toWorkFormat(const QImage &image)
{
    if (image.format() == Format)
        return image;
    return image.convertToFormat(Format);
}

void plainCopy(QImage &destination, const QRect &dst, const QImage &picture, const QRect &src)
{
    if (dst.isEmpty() || src.isEmpty() || destination.isNull() || picture.isNull())
        return;
    QImage source = picture;
    toWorkFormats(destination, source);
    if (dst.size() == src.size()) {
        QPoint at = dst.topLeft();
        QRect s = src;
        if (!clipCopy(destination, at, source, s))
            return;
        const int bytes = s.width() * 4;
        for (int y = 0; y < s.height(); ++y)
            std::memcpy(destination.scanLine(at.y() + y) + at.x() * 4, source.constScanLine(s.y() + y) + s.x() * 4,
                        bytes);
        return;
    }
    const bool third = src.width() == 3 * dst.width() && src.height() == 3 * dst.height();
    if (third && source.rect().contains(src) && destination.rect().contains(dst)) {
        reduceRows(source, src.topLeft(), destination, dst);
        return;
    }
    QPainter painter(&destination);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    painter.drawImage(QRectF(dst), source, QRectF(src));
}

void keyedCopy(QImage &destination, QPoint at, const QImage &picture, const QRect &src, QRgb key)
{
    QRect s = src;
    if (destination.isNull() || picture.isNull() || !clipCopy(destination, at, picture, s))
        return;
    QImage source = picture;
    toWorkFormats(destination, source);
    key |= 0xff000000u;
    for (int y = 0; y < s.height(); ++y) {
        const auto *in = reinterpret_cast<const QRgb *>(source.constScanLine(s.y() + y)) + s.x();
        auto *out = reinterpret_cast<QRgb *>(destination.scanLine(at.y() + y)) + at.x();
        for (int x = 0; x < s.width(); ++x) {
            const QRgb p = in[x] | 0xff000000u;
            if (p != key)
                out[x] = p;
        }
    }
}

void alphaBlend(QImage &destination, QPoint at, const QImage &picture, const QRect &src, int alpha)
{
    QRect s = src;
    if (destination.isNull() || picture.isNull() || !clipCopy(destination, at, picture, s))
        return;
    QImage source = picture;
    toWorkFormats(destination, source);
    const unsigned a = unsigned(std::clamp(alpha, 0, 255));
    const unsigned b = 255 - a;
    for (int y = 0; y < s.height(); ++y) {
        const auto *in = reinterpret_cast<const QRgb *>(source.constScanLine(s.y() + y)) + s.x();
        auto *out = reinterpret_cast<QRgb *>(destination.scanLine(at.y() + y)) + at.x();
        for (int x = 0; x < s.width(); ++x) {
            const QRgb p = in[x], q = out[x];
            const unsigned red = (qRed(p) * a + qRed(q) * b) / 255;
            const unsigned green = (qGreen(p) * a + qGreen(q) * b) / 255;
            const unsigned blue = (qBlue(p) * a + qBlue(q) * b) / 255;
            out[x] = qRgb(int(red), int(green), int(blue));
        }
    }
}

QImage reduceToThird(const QImage &image)
{
    QImage out(image.width() / 3, image.height() / 3, Format);
    plainCopy(out, out.rect(), toWorkFormat(image), QRect(0, 0, out.width() * 3, out.height() * 3));
    return out;
}

void fill(QImage &image, QRgb colour)
{
    image.fill(colour | 0xff000000u);
}

} // namespace RasterOps
