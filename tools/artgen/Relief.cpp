#include "Relief.h"

#include <algorithm>
#include <cmath>
#include <thread>

namespace {
// Light from the top-left, about 40 degrees above the board.
constexpr float kLx = -0.55f, kLy = -0.55f, kLz = 0.63f;
constexpr float kAmbient = 0.40f;
const Rgb kLightTint{1.0f, 0.97f, 0.91f};
} // namespace

Relief::Relief(int margin, int supersample)
    : m_margin(margin)
    , m_ss(supersample)
    , m_n((kTile + 2 * margin) * supersample)
    , m_t(size_t(m_n) * m_n)
{
}

void Relief::parallelRowsOf(int rows, const std::function<void(int)> &body)
{
    const int n = std::max(1u, std::thread::hardware_concurrency());
    std::vector<std::thread> workers;
    for (int w = 0; w < n; ++w)
        workers.emplace_back([&, w] {
            for (int j = w; j < rows; j += n)
                body(j);
        });
    for (std::thread &t : workers)
        t.join();
}

QImage Relief::render() const
{
    Field h = field();
    float maxH = -1e9f;
    for (int j = 0; j < m_n; ++j)
        for (int i = 0; i < m_n; ++i) {
            h.cell(i, j) = texel(i, j).height;
            maxH = std::max(maxH, h.cell(i, j));
        }
    Field near = h, far = h;
    near.blur(3.0f);
    far.blur(12.0f);

    const float lLen = std::sqrt(kLx * kLx + kLy * kLy + kLz * kLz);
    const float lx = kLx / lLen, ly = kLy / lLen, lz = kLz / lLen;
    const float tanElev = lz / std::sqrt(lx * lx + ly * ly);
    const float hx = lx, hy = ly, hz = lz + 1.0f;
    const float hLen = std::sqrt(hx * hx + hy * hy + hz * hz);
    const float stepDist = 1.41421f / m_ss;

    // Cast shadows: march towards the light; soft edges widen with distance.
    Field shadow = field(1.0f);
    parallelRows([&](int j) {
        for (int i = 0; i < m_n; ++i) {
            const float h0 = h.cell(i, j);
            float vis = 1.0f;
            for (int k = 1; i - k >= 0 && j - k >= 0; ++k) {
                const float dist = k * stepDist;
                const float ray = h0 + 0.15f + dist * tanElev;
                if (ray > maxH + 1.0f)
                    break;
                const float v = 0.5f + (ray - h.cell(i - k, j - k)) / (0.22f * dist + 0.6f);
                vis = std::min(vis, std::clamp(v, 0.0f, 1.0f));
                if (vis <= 0)
                    break;
            }
            shadow.cell(i, j) = vis;
        }
    });
    shadow.blur(0.8f);

    std::vector<Rgb> lit(size_t(m_n) * m_n);
    parallelRows([&](int j) {
        for (int i = 0; i < m_n; ++i) {
            const Texel &t = texel(i, j);
            const float h0 = h.cell(i, j);
            const float dx = (h.cellClamped(i + 1, j) - h.cellClamped(i - 1, j)) * m_ss * 0.5f;
            const float dy = (h.cellClamped(i, j + 1) - h.cellClamped(i, j - 1)) * m_ss * 0.5f;
            const float nl = std::sqrt(dx * dx + dy * dy + 1.0f);
            const float nx = -dx / nl, ny = -dy / nl, nz = 1.0f / nl;
            const float vis = shadow.cell(i, j);

            const float cavity = (h0 - near.cell(i, j)) * 0.07f + (h0 - far.cell(i, j)) * 0.022f;
            const float ao = std::clamp(1.0f + cavity, 0.5f, 1.1f);
            const float diff = std::max(0.0f, nx * lx + ny * ly + nz * lz) / lz;
            const float light = (kAmbient * ao + (1.0f - kAmbient) * diff * vis) * t.occlusion;
            const float ndoth = std::max(0.0f, (nx * hx + ny * hy + nz * hz) / hLen);
            const float glint = t.gloss * std::pow(ndoth, t.shine) * vis * t.occlusion;
            lit[size_t(j) * m_n + i] = t.albedo * kLightTint * light + kLightTint * glint + t.emission;
        }
    });

    QImage out(kTile, kTile, QImage::Format_ARGB32);
    const int base = m_margin * m_ss;
    for (int y = 0; y < kTile; ++y) {
        QRgb *row = reinterpret_cast<QRgb *>(out.scanLine(y));
        for (int x = 0; x < kTile; ++x) {
            Rgb acc;
            float a = 0;
            for (int sy = 0; sy < m_ss; ++sy)
                for (int sx = 0; sx < m_ss; ++sx) {
                    const int i = base + x * m_ss + sx, j = base + y * m_ss + sy;
                    const float al = texel(i, j).alpha;
                    acc += lit[size_t(j) * m_n + i].clamped() * al;
                    a += al;
                }
            const Rgb c = a > 0 ? (acc * (1.0f / a)).clamped() : Rgb();
            a /= m_ss * m_ss;
            row[x] = qRgba(int(c.r * 255 + 0.5f), int(c.g * 255 + 0.5f), int(c.b * 255 + 0.5f),
                           int(std::clamp(a, 0.0f, 1.0f) * 255 + 0.5f));
        }
    }
    return out;
}
