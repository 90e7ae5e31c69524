#include "FloorSet.h"

#include "Rng.h"

#include <cmath>

namespace {
std::vector<QRectF> threeSlabs()
{
    return {QRectF(0, 0, 144, 70), QRectF(0, 70, 70, 74), QRectF(70, 70, 74, 74)};
}

std::vector<QRectF> fourSquares()
{
    return {QRectF(0, 0, 72, 72), QRectF(72, 0, 72, 72), QRectF(0, 72, 72, 72), QRectF(72, 72, 72, 72)};
}

std::vector<QRectF> sixSlabs()
{
    return {QRectF(0, 0, 48, 72),     QRectF(48, 0, 96, 40), QRectF(48, 40, 56, 56),
            QRectF(104, 40, 40, 104), QRectF(0, 72, 48, 72), QRectF(48, 96, 56, 48)};
}

std::vector<QRectF> smallSlabs()
{
    return {QRectF(0, 0, 58, 48),   QRectF(58, 0, 86, 48), QRectF(0, 48, 90, 48),
            QRectF(90, 48, 54, 48), QRectF(0, 96, 40, 48), QRectF(40, 96, 104, 48)};
}
} // namespace

QImage FloorSet::slabTile(const std::vector<QRectF> &layout, const Materials::SlabStyle &style, float moss,
                          uint32_t mossSeed) const
{
    Relief r;
    r.paint([&](float x, float y, Texel &t) {
        t = m.slabs(x, y, layout, style);
        m.grime(x, y, t, 0.35f, style.seed);
        if (moss >= 0)
            m.moss(x, y, t, moss, mossSeed);
    });
    return r.render();
}

QImage FloorSet::cobbleTile(int cells, uint32_t seed, float darkness) const
{
    Relief r;
    r.paint([&](float x, float y, Texel &t) {
        t = m.cobbles(x, y, cells, seed);
        t.albedo = t.albedo * (1.0f - darkness);
        m.grime(x, y, t, 0.45f, seed);
    });
    return r.render();
}

QImage FloorSet::checkerTile() const
{
    // Worn square tiles in two stones; some corners have broken away.
    std::vector<QRectF> layout;
    for (int j = 0; j < 3; ++j)
        for (int i = 0; i < 3; ++i)
            layout.emplace_back(i * 48, j * 48, 48, 48);
    Materials::SlabStyle pale;
    pale.base = Rgb(0.56f, 0.52f, 0.45f);
    pale.wear = 0.9f;
    pale.tilt = 0.5f;
    pale.seed = 21;
    Materials::SlabStyle dark = pale;
    dark.base = Rgb(0.26f, 0.26f, 0.28f);
    const auto chips = Materials::crackNetwork(55, 20, 100, -0.6f, 30, 2.0f);
    Relief r;
    r.paint([&](float x, float y, Texel &t) {
        const float u = Materials::wrap(x), v = Materials::wrap(y);
        const bool odd = (int(u / 48) + int(v / 48)) % 2;
        t = m.slabs(x, y, layout, odd ? dark : pale);
        m.grime(x, y, t, 0.5f, 21);
        const float c = Materials::crackDepth(u, v, chips);
        t.height -= 2.0f * c;
        t.albedo = t.albedo * (1.0f - 0.7f * c);
    });
    return r.render();
}

QImage FloorSet::basketTile() const
{
    // Basket-weave brick: pairs of bricks turning 90 degrees every 36 pixels.
    std::vector<QRectF> layout;
    for (int by = 0; by < 4; ++by)
        for (int bx = 0; bx < 4; ++bx) {
            if ((bx + by) % 2 == 0) {
                layout.emplace_back(bx * 36, by * 36, 36, 18);
                layout.emplace_back(bx * 36, by * 36 + 18, 36, 18);
            } else {
                layout.emplace_back(bx * 36, by * 36, 18, 36);
                layout.emplace_back(bx * 36 + 18, by * 36, 18, 36);
            }
        }
    Materials::SlabStyle s;
    s.base = Rgb(0.47f, 0.33f, 0.26f);
    s.colourJitter = 0.10f;
    s.wear = 0.55f;
    s.tilt = 0.4f;
    s.seed = 33;
    Relief r;
    r.paint([&](float x, float y, Texel &t) {
        t = m.slabs(x, y, layout, s);
        m.grime(x, y, t, 0.6f, 33);
    });
    return r.render();
}

QImage FloorSet::crackedTile() const
{
    std::vector<Materials::Crack> cracks = Materials::crackNetwork(7, 12, 30, 0.55f, 120, 3.2f);
    const auto more = Materials::crackNetwork(8, 128, 20, 1.9f, 90, 2.6f);
    cracks.insert(cracks.end(), more.begin(), more.end());
    const auto third = Materials::crackNetwork(9, 60, 132, -0.9f, 50, 2.0f);
    cracks.insert(cracks.end(), third.begin(), third.end());
    std::vector<Materials::Crack> widened = cracks;
    for (Materials::Crack &c : widened)
        c.width = c.width * 2.6f + 1.5f;
    Materials::SlabStyle s;
    s.seed = 61;
    s.wear = 0.6f;
    s.tilt = 1.6f;
    Relief r;
    r.paint([&](float x, float y, Texel &t) {
        t = m.slabs(x, y, Materials::defaultLayout(), s);
        const float u = Materials::wrap(x), v = Materials::wrap(y);
        const float c = Materials::crackDepth(u, v, cracks);
        // The crack's lips are chipped away a little round the split.
        const float lip = Materials::crackDepth(u, v, widened);
        t.height -= 3.5f * c + 0.9f * lip;
        t.albedo = t.albedo * (1.0f - 0.6f * c) * (1.0f - 0.12f * lip);
        m.grime(x, y, t, 0.5f, 61);
    });
    return r.render();
}

QImage FloorSet::dirtTile() const
{
    // Packed earth with pebbles pressed into it.
    Relief r;
    r.paint([&](float x, float y, Texel &t) {
        const Noise &n = m.noise();
        const float base = n.fbm(x, y, 6, 5);
        t.height = base * 1.4f + n.gradient(x, y, 72) * 0.25f;
        t.albedo = Rgb(0.35f, 0.27f, 0.19f) * (1.0f + 0.18f * base + 0.06f * n.gradient(x + 5, y, 144));
        const Noise::Cell c = n.worley(x, y, 14, 0.95f);
        Rng rng(c.id);
        const float radius = rng.range(1.5f, 4.5f) * (rng.chance(0.6f) ? 1.0f : 0.0f);
        if (c.f1 < radius) {
            const float k = 1.0f - c.f1 / radius;
            t.height += 1.6f * std::sqrt(k) * radius / 3.0f;
            const float g = rng.range(0.35f, 0.55f);
            t.albedo = Rgb::mix(t.albedo, Rgb(g, g * 0.96f, g * 0.9f), Materials::smooth(0.0f, 0.25f, k));
        }
    });
    return r.render();
}

QImage FloorSet::drainTile() const
{
    // An iron drain grate let into the default floor.
    const QRectF frame(50, 50, 44, 44);
    Relief r;
    r.paint([&](float x, float y, Texel &t) {
        t = m.defaultFloor(x, y);
        m.grime(x, y, t, 0.35f, 60);
        const float d = Materials::boxDistance(x, y, frame, 3);
        // Wet stain spreading from the drain.
        const float stain = 1.0f - Materials::smooth(0.0f, 18.0f + 8.0f * m.noise().fbm(x, y, 12, 3), d);
        t.albedo = t.albedo * (1.0f - 0.3f * stain);
        t.gloss += 0.25f * stain;
        if (d < 0) {
            const float inner = Materials::boxDistance(x, y, frame.adjusted(4, 4, -4, -4), 1);
            const Rgb iron(0.20f, 0.19f, 0.18f);
            const float rust = m.noise().fbm(x, y, 24, 3) * 0.5f + 0.5f;
            const Rgb metal = Rgb::mix(iron, Rgb(0.36f, 0.20f, 0.11f), rust * 0.6f);
            if (inner > 0) {
                t.height = 0.3f;
                t.albedo = metal;
                t.gloss = 0.25f;
            } else {
                // Bars with dark water below.
                const float u = x - frame.left() - 4, bars = std::fmod(u + 100.0f, 7.2f);
                const bool bar = bars < 2.6f;
                if (bar) {
                    t.height = -0.2f;
                    t.albedo = metal;
                    t.gloss = 0.3f;
                } else {
                    t.height = -12.0f;
                    t.albedo = Rgb(0.03f, 0.04f, 0.04f);
                    t.gloss = 0.6f;
                    t.shine = 60;
                }
            }
        }
    });
    return r.render();
}

QImage FloorSet::rockTile(const RockEdges &k) const
{
    Relief r;
    r.paint([&](float x, float y, Texel &t) {
        // How far inside the rock this point is (positive = rock).
        float inside = -1e3f;
        const float dx = m.rockDepth(x), dy = m.rockDepth(y);
        if (k.n)
            inside = std::max(inside, dx - y);
        if (k.s)
            inside = std::max(inside, y - (144.0f - dx));
        if (k.w)
            inside = std::max(inside, dy - x);
        if (k.e)
            inside = std::max(inside, x - (144.0f - dy));
        if (k.nubNW)
            inside = std::max(inside, std::min(dx - y, dy - x));
        if (k.solid)
            inside = 100;
        inside += 2.2f * m.noise().fbm(x, y, 18, 3);

        Texel floor = m.defaultFloor(x, y);
        m.grime(x, y, floor, 0.35f, 60);
        // Rubble dust darkens the floor at the foot of the rock.
        floor.albedo = floor.albedo * (1.0f - 0.3f * Materials::smooth(-16.0f, -3.0f, inside));
        const float a = Materials::smooth(-1.2f, 1.8f, inside);
        if (a <= 0) {
            t = floor;
            return;
        }
        Texel rock = m.rock(x, y, 14.0f + std::min(inside, 10.0f) * 0.6f);
        t.height = floor.height + (rock.height - floor.height) * a;
        t.albedo = Rgb::mix(floor.albedo, rock.albedo, a);
    });
    return r.render();
}

QImage FloorSet::sampleFloor() const
{
    Materials::SlabStyle s;
    s.seed = 60;
    s.wear = 0.45f;
    return slabTile(Materials::defaultLayout(), s);
}

TileSheet FloorSet::build() const
{
    TileSheet sheet("Stone Floors");
    Materials::SlabStyle s;

    s = {};
    s.seed = 1;
    s.base = Rgb(0.44f, 0.43f, 0.42f);
    sheet.place(0, 0, slabTile(threeSlabs(), s), "1");
    s = {};
    s.seed = 2;
    s.base = Rgb(0.43f, 0.425f, 0.42f);
    s.wear = 0.3f;
    sheet.place(1, 0, slabTile(fourSquares(), s), "1");
    s = {};
    s.seed = 3;
    s.base = Rgb(0.52f, 0.46f, 0.38f);
    s.wear = 0.6f;
    sheet.place(2, 0, slabTile(sixSlabs(), s), "1");
    sheet.place(3, 0, cobbleTile(6, 4, 0.0f), "1");
    sheet.place(4, 0, cobbleTile(9, 5, 0.12f), "1");
    sheet.place(5, 0, checkerTile(), "1");
    sheet.place(6, 0, sampleFloor(), "1");

    sheet.place(0, 1, basketTile(), "1");
    s = {};
    s.seed = 11;
    s.base = Rgb(0.45f, 0.44f, 0.43f);
    s.wear = 0.5f;
    sheet.place(1, 1, slabTile(sixSlabs(), s), "1");
    sheet.place(2, 1, crackedTile(), "1");
    s = {};
    s.seed = 13;
    s.wear = 0.7f;
    sheet.place(3, 1, slabTile(Materials::defaultLayout(), s, 0.12f, 3), "1");
    s = {};
    s.seed = 14;
    s.wear = 0.8f;
    s.tilt = 1.2f;
    sheet.place(4, 1, slabTile(threeSlabs(), s, 0.32f, 4), "1");
    sheet.place(5, 1, dirtTile(), "1");
    sheet.place(6, 1, drainTile(), "1");

    RockEdges e;
    e = {};
    e.n = true;
    sheet.place(0, 2, rockTile(e), "1");
    e = {};
    e.e = true;
    sheet.place(1, 2, rockTile(e), "1");
    e = {};
    e.s = true;
    sheet.place(2, 2, rockTile(e), "1");
    e = {};
    e.w = true;
    sheet.place(3, 2, rockTile(e), "1");
    e = {};
    e.n = e.w = true;
    sheet.place(4, 2, rockTile(e), "1");
    e = {};
    e.n = e.e = true;
    sheet.place(5, 2, rockTile(e), "1");
    e = {};
    e.n = e.s = true;
    sheet.place(6, 2, rockTile(e), "1");
    e = {};
    e.s = e.e = true;
    sheet.place(0, 3, rockTile(e), "1");
    e = {};
    e.s = e.w = true;
    sheet.place(1, 3, rockTile(e), "1");
    e = {};
    e.w = e.e = true;
    sheet.place(2, 3, rockTile(e), "1");
    e = {};
    e.n = e.w = e.e = true;
    sheet.place(3, 3, rockTile(e), "1");
    e = {};
    e.nubNW = true;
    sheet.place(4, 3, rockTile(e), "1");
    e = {};
    e.solid = true;
    sheet.place(5, 3, rockTile(e), "X");

    s = {};
    s.seed = 17;
    s.base = Rgb(0.47f, 0.45f, 0.42f);
    s.wear = 0.35f;
    sheet.place(6, 3, slabTile(smallSlabs(), s), "1");
    return sheet;
}
