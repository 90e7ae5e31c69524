#include "Keying.h"

#include <cstdlib>

namespace {
// Outline colour: a warm near-black that sits well on stone.
constexpr QRgb kOutline = 0xff1a1410;
} // namespace

QImage Keying::onKey(const QImage &object, QRgb key, int shadowReach)
{
    const QImage src = object.convertToFormat(QImage::Format_ARGB32);
    const int w = src.width(), h = src.height();
    QImage out(w, h, QImage::Format_RGB32);
    out.fill(key);
    std::vector<char> solid(size_t(w) * h, 0);
    for (int y = 0; y < h; ++y) {
        const QRgb *row = reinterpret_cast<const QRgb *>(src.constScanLine(y));
        for (int x = 0; x < w; ++x)
            if (qAlpha(row[x]) >= 128) {
                solid[size_t(y) * w + x] = 1;
                QRgb c = qRgb(qRed(row[x]), qGreen(row[x]), qBlue(row[x]));
                if ((c & 0xffffff) == (key & 0xffffff))
                    c = qRgb(qRed(c) ^ 1, qGreen(c), qBlue(c) ^ 1); // never the key itself
                out.setPixel(x, y, c);
            }
    }
    auto isSolid = [&](int x, int y) { return x >= 0 && y >= 0 && x < w && y < h && solid[size_t(y) * w + x]; };
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            if (isSolid(x, y))
                continue;
            bool edge = false;
            for (int dy = -1; dy <= 1 && !edge; ++dy)
                for (int dx = -1; dx <= 1 && !edge; ++dx)
                    edge = isSolid(x + dx, y + dy);
            for (int k = 2; k <= 1 + shadowReach && !edge; ++k)
                edge = isSolid(x - k, y - k) || isSolid(x - k + 1, y - k);
            if (edge)
                out.setPixel(x, y, kOutline);
        }
    return out;
}

bool Keying::cleanEdges(const QImage &image, QRgb key)
{
    // A fringe pixel is one that is not the key but is close to it in colour.
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QRgb c = image.pixel(x, y);
            if ((c & 0xffffff) == (key & 0xffffff))
                continue;
            const int d =
                std::abs(qRed(c) - qRed(key)) + std::abs(qGreen(c) - qGreen(key)) + std::abs(qBlue(c) - qBlue(key));
            if (d < 120)
                return false;
        }
    return true;
}
