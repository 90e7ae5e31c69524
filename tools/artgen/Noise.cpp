#include "Noise.h"

#include <cmath>

namespace {
int wrapIndex(int i, int n)
{
    const int m = i % n;
    return m < 0 ? m + n : m;
}

float fade(float t)
{
    return t * t * t * (t * (t * 6 - 15) + 10);
}
} // namespace

uint32_t Noise::hash(int x, int y, uint32_t salt) const
{
    uint32_t h = m_seed * 0x27d4eb2dU ^ salt * 0x165667b1U;
    h ^= uint32_t(x) * 0x85ebca6bU;
    h = (h << 13) | (h >> 19);
    h ^= uint32_t(y) * 0xc2b2ae35U;
    h ^= h >> 16;
    h *= 0x7feb352dU;
    h ^= h >> 15;
    h *= 0x846ca68bU;
    h ^= h >> 16;
    return h;
}

float Noise::gradient(float x, float y, int cells) const
{
    const float scale = cells / m_wrap;
    const float fx = x * scale, fy = y * scale;
    const int ix = int(std::floor(fx)), iy = int(std::floor(fy));
    const float tx = fx - ix, ty = fy - iy;

    auto dot = [&](int cx, int cy, float dx, float dy) {
        const uint32_t h = hash(wrapIndex(cx, cells), wrapIndex(cy, cells), uint32_t(cells));
        const float a = (h & 0xffff) * (6.2831853f / 65536.0f);
        return std::cos(a) * dx + std::sin(a) * dy;
    };
    const float n00 = dot(ix, iy, tx, ty);
    const float n10 = dot(ix + 1, iy, tx - 1, ty);
    const float n01 = dot(ix, iy + 1, tx, ty - 1);
    const float n11 = dot(ix + 1, iy + 1, tx - 1, ty - 1);
    const float u = fade(tx), v = fade(ty);
    const float a = n00 + (n10 - n00) * u;
    const float b = n01 + (n11 - n01) * u;
    return (a + (b - a) * v) * 1.41f;
}

float Noise::fbm(float x, float y, int cells, int octaves, float gain) const
{
    float sum = 0, amp = 1, norm = 0;
    for (int o = 0; o < octaves; ++o) {
        sum += amp * gradient(x, y, cells);
        norm += amp;
        amp *= gain;
        cells *= 2;
    }
    return sum / norm;
}

float Noise::ridged(float x, float y, int cells, int octaves) const
{
    float sum = 0, amp = 1, norm = 0;
    for (int o = 0; o < octaves; ++o) {
        const float n = 1.0f - std::fabs(gradient(x, y, cells));
        sum += amp * n * n;
        norm += amp;
        amp *= 0.5f;
        cells *= 2;
    }
    return sum / norm;
}

Noise::Cell Noise::worley(float x, float y, int cells, float jitter) const
{
    const float size = m_wrap / cells;
    const int ix = int(std::floor(x / size)), iy = int(std::floor(y / size));
    Cell best;
    float pts[25][2];
    int n = 0;
    for (int dy = -2; dy <= 2; ++dy) {
        for (int dx = -2; dx <= 2; ++dx) {
            const int cx = ix + dx, cy = iy + dy;
            const int wx = wrapIndex(cx, cells), wy = wrapIndex(cy, cells);
            const uint32_t h = hash(wx, wy, 0x51ed27u + uint32_t(cells));
            const float jx = 0.5f + jitter * (((h & 0xffff) / 65535.0f) - 0.5f);
            const float jy = 0.5f + jitter * (((h >> 16) / 65535.0f) - 0.5f);
            const float px = (cx + jx) * size, py = (cy + jy) * size;
            pts[n][0] = px;
            pts[n][1] = py;
            ++n;
            const float d = std::hypot(px - x, py - y);
            if (d < best.f1) {
                best.f2 = best.f1;
                best.f1 = d;
                best.cx = px;
                best.cy = py;
                best.id = hash(wx, wy, 0xabcdefu);
            } else if (d < best.f2) {
                best.f2 = d;
            }
        }
    }
    // Exact distance to the cell border: nearest bisector to any other point.
    for (int i = 0; i < n; ++i) {
        const float ex = pts[i][0] - best.cx, ey = pts[i][1] - best.cy;
        const float len = std::hypot(ex, ey);
        if (len < 1e-4f)
            continue;
        const float mx = (pts[i][0] + best.cx) * 0.5f, my = (pts[i][1] + best.cy) * 0.5f;
        const float d = ((mx - x) * ex + (my - y) * ey) / len;
        if (d < best.edge)
            best.edge = d;
    }
    return best;
}
