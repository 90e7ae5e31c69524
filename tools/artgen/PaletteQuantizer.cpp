#include "PaletteQuantizer.h"

#include <algorithm>
#include <array>
#include <unordered_map>

namespace {
struct Box
{
    std::vector<QRgb> px;
    int spread(int &channel) const
    {
        int lo[3] = {255, 255, 255}, hi[3] = {0, 0, 0};
        for (QRgb c : px) {
            const int v[3] = {qRed(c), qGreen(c), qBlue(c)};
            for (int k = 0; k < 3; ++k) {
                lo[k] = std::min(lo[k], v[k]);
                hi[k] = std::max(hi[k], v[k]);
            }
        }
        // Green counts most to the eye, blue least.
        const int s[3] = {(hi[0] - lo[0]) * 3, (hi[1] - lo[1]) * 4, (hi[2] - lo[2]) * 2};
        channel = int(std::max_element(s, s + 3) - s);
        return s[channel];
    }
};

int channelOf(QRgb c, int k)
{
    return k == 0 ? qRed(c) : k == 1 ? qGreen(c) : qBlue(c);
}
} // namespace

PaletteQuantizer::PaletteQuantizer(const QImage &image, QRgb key)
    : m_image(image.convertToFormat(QImage::Format_RGB32))
    , m_key(key | 0xff000000)
{
    // Median cut over the object pixels only.
    std::vector<Box> boxes(1);
    for (int y = 0; y < m_image.height(); ++y) {
        const QRgb *row = reinterpret_cast<const QRgb *>(m_image.constScanLine(y));
        for (int x = 0; x < m_image.width(); ++x)
            if ((row[x] | 0xff000000) != m_key)
                boxes[0].px.push_back(row[x] | 0xff000000);
    }
    while (boxes.size() < 255) {
        int best = -1, bestScore = 0, bestChannel = 0;
        for (int i = 0; i < int(boxes.size()); ++i) {
            if (boxes[i].px.size() < 2)
                continue;
            int ch = 0;
            const long score = long(boxes[i].spread(ch)) * long(std::min<size_t>(boxes[i].px.size(), 4000));
            if (score > bestScore) {
                bestScore = int(std::min<long>(score, 0x7fffffff));
                best = i;
                bestChannel = ch;
            }
        }
        if (best < 0)
            break;
        std::vector<QRgb> &v = boxes[best].px;
        std::sort(v.begin(), v.end(),
                  [&](QRgb a, QRgb b) { return channelOf(a, bestChannel) < channelOf(b, bestChannel); });
        Box upper;
        upper.px.assign(v.begin() + long(v.size() / 2), v.end());
        v.resize(v.size() / 2);
        boxes.push_back(std::move(upper));
    }
    m_palette.assign(256, qRgb(0, 0, 0));
    m_palette[0] = m_key;
    for (size_t i = 0; i < boxes.size(); ++i) {
        long r = 0, g = 0, b = 0;
        for (QRgb c : boxes[i].px) {
            r += qRed(c);
            g += qGreen(c);
            b += qBlue(c);
        }
        const long n = std::max<long>(1, long(boxes[i].px.size()));
        QRgb c = qRgb(int(r / n), int(g / n), int(b / n));
        if (c == m_key)
            c = qRgb(qRed(c) ^ 1, qGreen(c), qBlue(c) ^ 1);
        m_palette[i + 1] = c;
    }
}

int PaletteQuantizer::nearest(int r, int g, int b) const
{
    int best = 1, bestD = 1 << 30;
    for (int i = 1; i < int(m_palette.size()); ++i) {
        const int dr = qRed(m_palette[i]) - r, dg = qGreen(m_palette[i]) - g, db = qBlue(m_palette[i]) - b;
        const int d = dr * dr * 3 + dg * dg * 4 + db * db * 2;
        if (d < bestD) {
            bestD = d;
            best = i;
        }
    }
    return best;
}

std::vector<uint8_t> PaletteQuantizer::indices() const
{
    const int w = m_image.width(), h = m_image.height();
    std::vector<uint8_t> out(size_t(w) * h, 0);
    std::vector<std::array<float, 3>> err(size_t(w + 2) * 2, {0, 0, 0});
    std::unordered_map<uint32_t, int> cache;
    for (int y = 0; y < h; ++y) {
        const QRgb *row = reinterpret_cast<const QRgb *>(m_image.constScanLine(y));
        auto *cur = &err[size_t(y % 2) * (w + 2)];
        auto *next = &err[size_t((y + 1) % 2) * (w + 2)];
        std::fill(next, next + w + 2, std::array<float, 3>{0, 0, 0});
        for (int x = 0; x < w; ++x) {
            const bool key = (row[x] | 0xff000000) == m_key;
            if (key) {
                out[size_t(y) * w + x] = 0;
                continue;
            }
            // Half-strength diffusion: smooths shading bands without visible grain.
            const float rf = qRed(row[x]) + cur[x + 1][0] * 0.5f, gf = qGreen(row[x]) + cur[x + 1][1] * 0.5f,
                        bf = qBlue(row[x]) + cur[x + 1][2] * 0.5f;
            const int r = std::clamp(int(rf + 0.5f), 0, 255), g = std::clamp(int(gf + 0.5f), 0, 255),
                      b = std::clamp(int(bf + 0.5f), 0, 255);
            const uint32_t k = uint32_t(r << 16 | g << 8 | b);
            auto it = cache.find(k);
            const int idx = it != cache.end() ? it->second : (cache[k] = nearest(r, g, b));
            out[size_t(y) * w + x] = uint8_t(idx);
            const float e[3] = {rf - qRed(m_palette[idx]), gf - qGreen(m_palette[idx]), bf - qBlue(m_palette[idx])};
            // Spread only onto object pixels to the right and below.
            auto isObj = [&](int xx, int yy) {
                if (xx < 0 || xx >= w || yy >= h)
                    return false;
                const QRgb c = reinterpret_cast<const QRgb *>(m_image.constScanLine(yy))[xx];
                return (c | 0xff000000) != m_key;
            };
            for (int c = 0; c < 3; ++c) {
                if (isObj(x + 1, y))
                    cur[x + 2][c] += e[c] * 7 / 16;
                if (isObj(x - 1, y + 1))
                    next[x][c] += e[c] * 3 / 16;
                if (isObj(x, y + 1))
                    next[x + 1][c] += e[c] * 5 / 16;
                if (isObj(x + 1, y + 1))
                    next[x + 2][c] += e[c] * 1 / 16;
            }
        }
    }
    return out;
}
