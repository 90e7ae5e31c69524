#include "Materials.h"

#include "Rng.h"

#include <algorithm>
#include <cmath>

Materials::Materials(uint32_t seed)
    : m_noise(seed)
{
}

float Materials::smooth(float e0, float e1, float x)
{
    const float t = std::clamp((x - e0) / (e1 - e0), 0.0f, 1.0f);
    return t * t * (3 - 2 * t);
}

float Materials::boxDistance(float x, float y, const QRectF &r, float radius)
{
    const float cx = float(r.center().x()), cy = float(r.center().y());
    const float hx = float(r.width()) * 0.5f - radius, hy = float(r.height()) * 0.5f - radius;
    const float qx = std::fabs(x - cx) - hx, qy = std::fabs(y - cy) - hy;
    const float ox = std::max(qx, 0.0f), oy = std::max(qy, 0.0f);
    return std::sqrt(ox * ox + oy * oy) + std::min(std::max(qx, qy), 0.0f) - radius;
}

float Materials::segmentDistance(float px, float py, float ax, float ay, float bx, float by)
{
    const float vx = bx - ax, vy = by - ay;
    const float len2 = vx * vx + vy * vy;
    float t = len2 > 0 ? ((px - ax) * vx + (py - ay) * vy) / len2 : 0;
    t = std::clamp(t, 0.0f, 1.0f);
    return std::hypot(px - ax - t * vx, py - ay - t * vy);
}

const std::vector<QRectF> &Materials::defaultLayout()
{
    static const std::vector<QRectF> layout{QRectF(0, 0, 82, 62), QRectF(82, 0, 62, 62), QRectF(0, 62, 54, 82),
                                            QRectF(54, 62, 90, 82)};
    return layout;
}

Rgb Materials::stoneColour(float x, float y, const Rgb &base, uint32_t salt) const
{
    const float ox = float(salt % 97) * 13.0f, oy = float(salt % 89) * 7.0f;
    const float broad = m_noise.fbm(x + ox, y + oy, 3, 3);
    const float mid = m_noise.fbm(x - oy, y + ox, 12, 3);
    const float fine = m_noise.gradient(x, y, 96) * 0.6f + m_noise.gradient(x + 1.7f, y - 2.3f, 144) * 0.4f;
    float k = 1.0f + 0.20f * broad + 0.10f * mid + 0.06f * fine;
    // Sparse dark inclusions and a faint pale vein give the stone a grain.
    const Noise::Cell c = m_noise.worley(x + ox, y + oy, 48, 0.9f);
    if ((c.id & 7) == 0)
        k *= 1.0f - 0.22f * (1.0f - smooth(0.4f, 1.3f, c.f1));
    const float vein = std::fabs(m_noise.fbm(x + ox * 2, y, 4, 4));
    k += 0.10f * (1.0f - smooth(0.0f, 0.025f, vein)) * (salt % 3 == 0);
    return base * k;
}

Texel Materials::slabs(float x, float y, const std::vector<QRectF> &layout, const SlabStyle &s) const
{
    constexpr float halfJoint = 1.7f;
    const float u = wrap(x), v = wrap(y);
    int index = 0;
    for (int k = 0; k < int(layout.size()); ++k)
        if (layout[k].contains(u, v)) {
            index = k;
            break;
        }
    const QRectF r = layout[index].adjusted(halfJoint, halfJoint, -halfJoint, -halfJoint);
    Rng rng(s.seed * 977u + uint32_t(index) * 131u + 7u);
    const float shade = 1.0f + rng.normal() * s.colourJitter;
    const float warm = rng.normal() * 0.012f;
    const float tiltX = rng.normal() * s.tilt / 60.0f, tiltY = rng.normal() * s.tilt / 60.0f;
    const uint32_t salt = s.seed * 31u + uint32_t(index) * 7u;

    // Chipped, worn outline: push the edge in by noise, more at the corners.
    float d = boxDistance(u, v, r, 2.5f + s.wear * 3.0f);
    const float chip = m_noise.fbm(x + salt * 17.0f, y, 16, 4);
    d += (0.4f + s.wear * 2.2f) * (chip * 0.5f + 0.5f) + s.wear * 0.6f;
    const float e = -d; // depth into the slab

    Texel t;
    if (e > 0) {
        const float bevelWidth = 2.5f + s.wear * 3.5f, bevelDepth = 2.2f + s.wear * 0.8f;
        const float b = 1.0f - std::min(e / bevelWidth, 1.0f);
        const float undulate = m_noise.fbm(x + salt * 3.0f, y, 6, 4);
        t.height = -bevelDepth * b * b + tiltX * float(u - r.center().x()) + tiltY * float(v - r.center().y())
            + undulate * 0.8f + m_noise.gradient(x, y, 96) * 0.08f;
        const Rgb base = s.base * shade + Rgb(warm, warm * 0.4f, -warm);
        t.albedo = stoneColour(x, y, base, salt);
        // Spalled patches where the face has flaked away, and a cleft-stone roughness.
        const float spall = smooth(0.34f, 0.40f, m_noise.fbm(x - salt * 5.0f, y + salt * 3.0f, 4, 3));
        t.height += -0.4f * spall + 0.35f * m_noise.fbm(x, y, 24, 3);
        t.albedo = t.albedo * (1.0f - 0.05f * spall);
        // Dirt gathers along the edges; feet polish the middle.
        t.albedo = t.albedo * (0.80f + 0.20f * smooth(0.0f, 9.0f, e)) * (1.0f + 0.04f * smooth(8.0f, 30.0f, e));
        t.gloss = 0.04f;
    } else {
        const float grit = m_noise.gradient(x, y, 96);
        t.height = -2.8f - s.wear * 0.4f + grit * 0.25f;
        t.albedo = Rgb(0.20f, 0.18f, 0.16f) * (1.0f + 0.25f * grit);
    }
    return t;
}

Texel Materials::defaultFloor(float x, float y) const
{
    SlabStyle s;
    s.seed = 60;
    s.wear = 0.45f;
    return slabs(x, y, defaultLayout(), s);
}

Texel Materials::cobbles(float x, float y, int cells, uint32_t seed) const
{
    const Noise::Cell c = m_noise.worley(x + seed * 0.0f, y, cells, 0.8f);
    const float size = 144.0f / cells;
    const float e = c.edge + 0.8f * m_noise.gradient(x, y, 48);
    Rng rng(c.id ^ seed);
    Texel t;
    const float grain = m_noise.fbm(x, y, 12, 4);
    if (e > 1.2f) {
        const float k = std::min((e - 1.2f) / (size * 0.33f), 1.0f);
        t.height = 4.0f * std::sqrt(k) - 1.5f + rng.normal() * 0.5f + grain * 0.4f;
        const float shade = 1.0f + rng.normal() * 0.09f;
        const float hue = rng.normal() * 0.03f;
        t.albedo = Rgb(0.45f + hue, 0.43f, 0.40f - hue) * shade * (1.0f + 0.12f * grain);
        t.albedo = t.albedo * (0.8f + 0.2f * smooth(1.2f, 5.0f, e));
    } else {
        t.height = -2.0f + grain * 0.3f;
        t.albedo = Rgb(0.20f, 0.18f, 0.15f) * (1.0f + 0.3f * grain);
    }
    return t;
}

Texel Materials::rock(float x, float y, float level) const
{
    // Dark bedrock: rounded masses split by deep fissures, rough on top.
    Texel t;
    const Noise::Cell big = m_noise.worley(x, y, 6, 0.9f);
    const Noise::Cell small = m_noise.worley(x + 31, y + 17, 14, 0.9f);
    const float warp = m_noise.fbm(x, y, 8, 3);
    const float e1 = big.edge + 3.0f * warp, e2 = small.edge + 1.5f * warp;
    const float mass = std::sqrt(std::clamp(e1 / 10.0f, 0.0f, 1.0f));
    const float chunk = std::sqrt(std::clamp(e2 / 4.0f, 0.0f, 1.0f));
    const float rough = m_noise.ridged(x, y, 12, 3);
    Rng rng(big.id);
    t.height = level + 8.0f * mass + 2.5f * chunk + 1.6f * rough + rng.normal() * 1.5f;
    const float tone = 0.17f + 0.03f * rng.normal() + 0.03f * m_noise.fbm(x, y, 24, 3);
    const float crevice = (1.0f - smooth(0.0f, 3.0f, e1)) * 0.6f + (1.0f - smooth(0.0f, 1.2f, e2)) * 0.3f;
    t.albedo = Rgb(tone * 1.06f, tone, tone * 0.92f) * (1.0f - crevice);
    return t;
}

void Materials::moss(float x, float y, Texel &t, float amount, uint32_t seed) const
{
    const float n = m_noise.fbm(x + seed * 13.0f, y + seed * 7.0f, 4, 5);
    // Moss prefers the low joints, where damp collects.
    const float low = smooth(-1.0f, -2.5f, t.height);
    const float cover = smooth(0.36f - amount, 0.46f - amount, n + low * 0.35f);
    if (cover <= 0)
        return;
    const float tuft = m_noise.gradient(x, y, 144) * 0.6f + m_noise.gradient(x + 9, y, 48) * 0.4f;
    const Rgb mossDark(0.12f, 0.18f, 0.06f), mossLight(0.30f, 0.38f, 0.12f);
    const Rgb c = Rgb::mix(mossDark, mossLight, std::clamp(0.5f + tuft * 0.8f + n * 0.3f, 0.0f, 1.0f));
    t.albedo = Rgb::mix(t.albedo, c, cover);
    t.height += cover * (0.8f + 0.6f * tuft);
}

void Materials::grime(float x, float y, Texel &t, float amount, uint32_t seed) const
{
    const float n = m_noise.fbm(x + seed * 3.0f, y - seed * 5.0f, 3, 4) * 0.5f + 0.5f;
    t.albedo = t.albedo * (1.0f - amount * smooth(0.3f, 0.9f, n) * 0.5f);
}

float Materials::rockDepth(float along) const
{
    return 28.0f + 7.0f * m_noise.fbm(along, 71.0f, 3, 3);
}

std::vector<Materials::Crack> Materials::crackNetwork(uint64_t seed, float x, float y, float angle, float length,
                                                      float width)
{
    std::vector<Crack> out;
    Rng rng(seed);
    struct Tip
    {
        float x, y, a, len, w;
    };
    std::vector<Tip> tips{{x, y, angle, length, width}};
    while (!tips.empty()) {
        Tip t = tips.back();
        tips.pop_back();
        const float step = 3.5f;
        for (float run = 0; run < t.len; run += step) {
            t.a += rng.normal() * 0.35f;
            const float nx = t.x + std::cos(t.a) * step, ny = t.y + std::sin(t.a) * step;
            const float w = t.w * (1.0f - run / t.len * 0.8f);
            out.push_back({t.x, t.y, nx, ny, w});
            t.x = nx;
            t.y = ny;
            if (rng.chance(0.05f) && t.len - run > 12)
                tips.push_back({t.x, t.y, t.a + (rng.chance(0.5f) ? 0.9f : -0.9f), (t.len - run) * 0.55f, w * 0.6f});
        }
    }
    return out;
}

float Materials::crackDepth(float x, float y, const std::vector<Crack> &cracks)
{
    float best = 0;
    for (const Crack &c : cracks) {
        if (x < std::min(c.ax, c.bx) - 3 || x > std::max(c.ax, c.bx) + 3 || y < std::min(c.ay, c.by) - 3
            || y > std::max(c.ay, c.by) + 3)
            continue;
        const float d = segmentDistance(x, y, c.ax, c.ay, c.bx, c.by);
        best = std::max(best, 1.0f - smooth(c.width * 0.3f, c.width * 0.5f + 0.6f, d));
    }
    return best;
}

bool Materials::rubble(float x, float y, float size, float density, const Rgb &tint, uint32_t seed, Texel &t) const
{
    const int cells = std::max(2, int(std::lround(144.0f / size)));
    const float sx = x + float(seed % 5) * 28.8f, sy = y + float(seed % 7) * 20.57f; // whole-cell shifts keep the wrap
    const Noise::Cell c = m_noise.worley(sx, sy, cells, 0.95f);
    Rng rng(c.id ^ (seed * 0x9e37u));
    if (rng.uniform() > density)
        return false;
    // An irregular chunk: the cell shrunk by a noisy margin, domed and faceted.
    const float cell = 144.0f / cells;
    const float e = c.edge - cell * rng.range(0.08f, 0.22f) + 1.2f * m_noise.gradient(x, y, 36);
    if (e <= 0)
        return false;
    const float k = std::min(e / (cell * 0.3f), 1.0f);
    const float tall = rng.range(0.35f, 0.8f) * cell * 0.4f;
    const float facetX = rng.normal() * 0.12f, facetY = rng.normal() * 0.12f;
    t.height = tall * std::sqrt(k) + facetX * (sx - c.cx) + facetY * (sy - c.cy) + m_noise.gradient(x, y, 48) * 0.4f;
    const float shade = rng.range(0.8f, 1.2f);
    t.albedo = stoneColour(x, y, tint * shade, c.id) * (0.8f + 0.2f * k);
    t.gloss = 0.03f;
    return true;
}

Texel Materials::wood(float x, float y, float grainAngle, const Rgb &tone, uint32_t salt) const
{
    const float c = std::cos(grainAngle), s = std::sin(grainAngle);
    const float along = x * c + y * s, across = -x * s + y * c;
    const float warp = m_noise.fbm(along * 0.25f + salt * 7.0f, across, 8, 3) * 6.0f;
    const float rings = std::sin((across + warp) * 1.9f + salt);
    const float fibre = m_noise.gradient(along * 0.3f, across * 3.0f + salt, 72);
    Texel t;
    t.albedo = tone * (1.0f + 0.10f * rings + 0.08f * fibre + 0.10f * m_noise.fbm(x + salt * 13.0f, y, 6, 3));
    t.height = 0.25f * rings + 0.2f * fibre;
    t.gloss = 0.06f;
    return t;
}

Rgb Materials::iron(float x, float y) const
{
    const float rust = m_noise.fbm(x + 300, y, 18, 3) * 0.5f + 0.5f;
    return Rgb::mix(Rgb(0.17f, 0.17f, 0.18f), Rgb(0.34f, 0.19f, 0.10f), smooth(0.45f, 0.8f, rust) * 0.7f);
}
