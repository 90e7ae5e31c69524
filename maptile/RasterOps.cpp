#include "maptile/RasterOps.h"

#include <QPainter>

#include <algorithm>
#include <cstring>

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
    for (int y = 0; y < dst.height(); ++y) {
        const auto *r0 = reinterpret_cast<const QRgb *>(source.constScanLine(srcOrigin.y() + 3 * y));
        const auto *r1 = reinterpret_cast<const QRgb *>(source.constScanLine(srcOrigin.y() + 3 * y + 1));
        const auto *r2 = reinterpret_cast<const QRgb *>(source.constScanLine(srcOrigin.y() + 3 * y + 2));
        auto *out = reinterpret_cast<QRgb *>(destination.scanLine(dst.y() + y)) + dst.x();
        int sx = srcOrigin.x();
        for (int x = 0; x < dst.width(); ++x, sx += 3) {
            unsigned rb = 0, g = 0;
            for (int k = 0; k < 3; ++k) {
                const QRgb a = r0[sx + k], b = r1[sx + k], c = r2[sx + k];
                rb += (a & 0xff00ff) + (b & 0xff00ff) + (c & 0xff00ff);
                g += (a & 0xff00) + (b & 0xff00) + (c & 0xff00);
            }
            // Nine samples per channel: divide each channel by nine, rounding.
            const unsigned red = (((rb >> 16) & 0xffff) + 4) / 9;
            const unsigned blue = ((rb & 0xffff) + 4) / 9;
            const unsigned green = ((g >> 8) + 4) / 9;
            out[x] = 0xff000000u | (red << 16) | (green << 8) | blue;
        }
    }
}

} // namespace

QImage toWorkFormat(const QImage &image)
{
    if (image.format() == Format)
        return image;
    return image.convertToFormat(Format);
}

void plainCopy(QImage &destination, const QRect &dst, const QImage &source, const QRect &src)
{
    if (dst.isEmpty() || src.isEmpty() || destination.isNull() || source.isNull())
        return;
    if (dst.size() == src.size()) {
        QPoint at = dst.topLeft();
        QRect s = src;
        if (!clipCopy(destination, at, source, s))
            return;
        const int bytes = s.width() * 4;
        for (int y = 0; y < s.height(); ++y)
            std::memcpy(destination.scanLine(at.y() + y) + at.x() * 4,
                        source.constScanLine(s.y() + y) + s.x() * 4, bytes);
        return;
    }
    const bool third = src.width() == 3 * dst.width() && src.height() == 3 * dst.height();
    if (third && source.rect().contains(src) && destination.rect().contains(dst)
        && source.format() == Format && destination.format() == Format) {
        reduceRows(source, src.topLeft(), destination, dst);
        return;
    }
    QPainter painter(&destination);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    painter.drawImage(QRectF(dst), source, QRectF(src));
}

void keyedCopy(QImage &destination, QPoint at, const QImage &source, const QRect &src, QRgb key)
{
    QRect s = src;
    if (destination.isNull() || source.isNull() || !clipCopy(destination, at, source, s))
        return;
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

void alphaBlend(QImage &destination, QPoint at, const QImage &source, const QRect &src, int alpha)
{
    QRect s = src;
    if (destination.isNull() || source.isNull() || !clipCopy(destination, at, source, s))
        return;
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
