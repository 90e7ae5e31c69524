#include "ObjectSet.h"

#include "Furniture.h"
#include "Keying.h"
#include "ObjectShading.h"
#include "Remains.h"
#include "Rng.h"
#include "Statuary.h"

#include <cmath>

using namespace ObjectShading;

QImage ObjectSet::keyed(const Painter &paint, QRgb key, float scale)
{
    Relief r(8, 3);
    r.paint([&](float x, float y, Texel &t) {
        t = Texel();
        t.alpha = 0;
        t.height = 0;
        paint(72.0f + (x - 72.0f) / scale, 72.0f + (y - 72.0f) / scale, t);
        t.height *= scale;
    });
    return Keying::onKey(r.render(), key);
}

void ObjectSet::chest(float x, float y, Texel &t, bool open) const
{
    const float u = x - 72;
    if (!open) {
        const QRectF body(28, 44, 88, 56);
        const float d = Materials::boxDistance(x, y, body, 3);
        if (d > 0)
            return;
        const float v = y - 72;
        // A rounded lid, boarded lengthwise.
        Texel w = m.wood(x, y, 0, kWood, 3);
        const float seamV = std::fabs(std::fmod(v + 28.0f, 18.67f) - 9.33f);
        w.height += 16 + 9.0f * std::sqrt(clamp01(1.0f - sq(v / 29.0f))) + 1.2f * rounded(-d, 2.5f);
        w.albedo = w.albedo * (0.55f + 0.45f * (1.0f - Materials::smooth(8.4f, 9.3f, seamV)));
        if (seamV > 8.6f)
            w.height -= 0.8f;
        over(t, w);
        const bool band = std::fabs(std::fabs(u) - 26.0f) < 4.5f || std::fabs(u) > 38.5f;
        if (band) {
            Texel i = metal(m.iron(x, y) * 1.15f, t.height + 0.9f);
            const float rivet = std::fmod(std::fabs(v) + 30.0f, 8.0f) - 4.0f;
            const float ru = std::fabs(std::fabs(u) - 26.0f);
            if (rivet * rivet + ru * ru < 2.2f
                || (std::fabs(u) > 38.5f && rivet * rivet + sq(std::fabs(u) - 41.0f) < 2.2f))
                i.height += 0.9f;
            t = i;
        }
        // The lock plate on the front.
        if (std::fabs(u) < 6.5f && v > 17 && v < 27.5f) {
            Texel l = metal(kGold * 0.85f, t.height + 1.3f);
            if (std::hypot(u, v - 22.5f) < 1.6f || (std::fabs(u) < 0.7f && v > 22.5f && v < 26))
                l = solid(Rgb(0.05f, 0.04f, 0.03f), t.height + 0.2f);
            t = l;
        }
        return;
    }
    // Open: a box full of coin with the lid thrown back.
    const QRectF body(28, 58, 88, 44), lid(28, 30, 88, 28);
    const float d = Materials::boxDistance(x, y, body, 3);
    if (d < 0) {
        if (d > -5.0f) {
            Texel w = m.wood(
                x, y, std::fabs(Materials::boxDistance(x, y, body.adjusted(0, 5, 0, -5), 0)) < 2 ? 0 : 1.57f, kWood, 5);
            w.height += 24 + rounded(-d, 2);
            over(t, w);
            if (std::fabs(u) > 38.5f || std::fabs(std::fabs(u) - 26.0f) < 4.0f)
                t = metal(m.iron(x, y) * 1.15f, t.height + 0.8f);
        } else {
            coins(x, y, t, 72, 80, 60, 18);
        }
    }
    const float dl = Materials::boxDistance(x, y, lid, 3);
    if (dl < 0) {
        // The lid's underside faces us, darker wood with its bands.
        Texel w = m.wood(x, y, 0, kDarkWood, 6);
        const float seam = std::fabs(std::fmod(y - 30.0f + 30, 9.33f) - 4.67f);
        w.height += 36 + rounded(-dl, 2) - (y - 30) * 0.3f;
        w.albedo = w.albedo * (0.6f + 0.4f * Materials::smooth(0.0f, 0.7f, 4.67f - seam));
        over(t, w);
        if (std::fabs(u) > 38.5f || std::fabs(std::fabs(u) - 26.0f) < 4.0f)
            t = metal(m.iron(x, y) * 1.1f, t.height + 0.8f);
    }
}

void ObjectSet::coins(float x, float y, Texel &t, float cx, float cy, float radius, float h) const
{
    const float d = std::hypot(x - cx, (y - cy) * 1.3f) + 4.0f * m.noise().fbm(x, y, 12, 2);
    const float heap = h * std::sqrt(clamp01(1.0f - sq(d / radius)));
    // Coins are small discs scattered over the heap, some edge-on.
    const Noise::Cell c = m.noise().worley(x, y, 40, 0.9f);
    Rng rng(c.id);
    const float coinR = rng.range(2.2f, 3.0f);
    float hgt = heap + 0.6f * m.noise().gradient(x, y, 72);
    Rgb col = kGold * (0.55f + 0.15f * m.noise().fbm(x, y, 18, 2));
    if (c.f1 < coinR) {
        const float rim = Materials::smooth(coinR - 0.9f, coinR - 0.3f, c.f1);
        hgt += 1.0f + 0.6f * rim + rng.normal() * 0.3f;
        col = kGold * rng.range(0.85f, 1.12f) * (1.0f - 0.25f * rim);
    }
    Texel g = solid(col, hgt, 0.7f, 18);
    if (heap > 0.3f)
        over(t, g);
}

void ObjectSet::barrel(float x, float y, Texel &t) const
{
    const float u = x - 72, v = y - 72;
    const float d = std::hypot(u, v);
    if (d > 36)
        return;
    const float ang = std::atan2(v, u);
    if (d > 27) {
        // The bulging staves below the top hoop.
        Texel w = m.wood(d * 3.0f, ang * 40.0f, 0, kWood * 0.95f, 9);
        const float stave = std::fabs(std::fmod(ang / (2 * kPi) * 22.0f + 22.0f, 1.0f) - 0.5f);
        w.height += 32 - 16 * sq((d - 27) / 9.0f);
        w.albedo = w.albedo * (0.6f + 0.4f * Materials::smooth(0.42f, 0.48f, 0.5f - stave + 0.4f));
        if (stave > 0.45f)
            w.height -= 0.6f;
        over(t, w);
        if (std::fabs(d - 30.5f) < 1.9f)
            t = metal(m.iron(x, y) * 1.2f, t.height + 0.8f);
        return;
    }
    if (d > 24.5f) {
        // The chime: stave ends standing proud of the lid.
        Texel w = m.wood(x, y, ang, kWood * 0.85f, 10);
        w.height += 33.5f - 1.5f * sq((d - 26) / 1.5f);
        over(t, w);
        return;
    }
    Texel w = m.wood(x, y, 0.3f, kWood, 11);
    const float seam = std::fabs(std::fmod(y - 72 + 60.0f + 0.3f * x, 9.6f) - 4.8f);
    w.height += 30.5f;
    w.albedo = w.albedo * (0.6f + 0.4f * Materials::smooth(0.0f, 0.9f, 4.8f - seam));
    w.albedo = w.albedo * (0.85f + 0.15f * Materials::smooth(24.0f, 18.0f, d));
    over(t, w);
    if (std::hypot(u - 11, v + 3) < 3.2f)
        t = solid(kDarkWood * 0.8f, t.height + 0.6f); // bung
}

void ObjectSet::barrelOnSide(float x, float y, Texel &t) const
{
    const float u = x - 72, v = y - 72;
    if (std::fabs(v) > 44)
        return;
    const float hw = 29.0f - 6.0f * sq(v / 44.0f);
    if (std::fabs(u) > hw)
        return;
    const float s = u / hw;
    const float theta = std::asin(std::clamp(s, -1.0f, 1.0f));
    Texel w = m.wood(theta * 40.0f, y, 1.5708f, kWood, 12);
    w.height += 4 + 28 * std::sqrt(1.0f - s * s);
    const float stave = std::fabs(std::fmod(theta / (kPi / 9.0f) + 10.5f, 1.0f) - 0.5f);
    w.albedo = w.albedo * (0.6f + 0.4f * Materials::smooth(0.5f, 0.42f, stave));
    // Shade falls off round the curve, the ends are dark end grain.
    if (std::fabs(v) > 41.5f)
        w.albedo = kDarkWood * 0.9f;
    over(t, w);
    for (float hv : {-33.0f, -13.0f, 13.0f, 33.0f})
        if (std::fabs(v - hv) < 2.0f)
            t = metal(m.iron(x, y) * 1.2f, t.height + 0.8f);
}

void ObjectSet::crate(float x, float y, Texel &t, const QRectF &r, float h, uint32_t salt) const
{
    const float d = Materials::boxDistance(x, y, r, 1.5f);
    if (d > 0)
        return;
    const float in = -d;
    const Rgb tone = Rgb(0.55f, 0.40f, 0.24f);
    Texel w;
    if (in < 8.0f) {
        // Frame boards round the edge, grain following the edge.
        const float dx = std::min(x - float(r.left()), float(r.right()) - x);
        const float dy = std::min(y - float(r.top()), float(r.bottom()) - y);
        w = m.wood(x, y, dx < dy ? 1.5708f : 0.0f, tone, salt);
        w.height += h + 1.0f * rounded(in, 1.5f) - (in > 7.0f ? 1.0f : 0.0f);
        if (std::fabs(dx - dy) < 0.8f && dx < 8)
            w.albedo = w.albedo * 0.6f;
        // Nails at the corners.
        if (std::hypot(dx - 4, dy - 4) < 1.3f)
            w = metal(Rgb(0.25f, 0.24f, 0.23f), h + 1.4f);
    } else {
        const float lx = x - float(r.left());
        const float seam = std::fabs(std::fmod(lx, 10.0f) - 5.0f);
        w = m.wood(x, y, 1.5708f, tone * 0.92f, salt + uint32_t(lx / 10));
        w.height += h - 1.5f;
        w.albedo = w.albedo * (0.55f + 0.45f * Materials::smooth(0.0f, 0.9f, 5.0f - seam));
        // A diagonal brace.
        const float bd = Materials::segmentDistance(x, y, float(r.left()) + 6, float(r.bottom()) - 6,
                                                    float(r.right()) - 6, float(r.top()) + 6);
        if (bd < 4.5f) {
            w = m.wood(x, y, -0.7854f, tone * 1.05f, salt + 50);
            w.height += h - 0.2f + 0.8f * rounded(4.5f - bd, 1.2f);
        }
    }
    over(t, w);
}

void ObjectSet::sacks(float x, float y, Texel &t) const
{
    struct Sack
    {
        float cx, cy, r, h;
        uint32_t salt;
    };
    const Sack list[3] = {{52, 58, 27, 20, 1}, {94, 62, 24, 18, 2}, {70, 98, 28, 22, 3}};
    for (const Sack &s : list) {
        const float ang = std::atan2(y - s.cy, x - s.cx);
        const float wob = 1.0f + 0.08f * std::sin(ang * 3 + s.salt) + 0.05f * std::sin(ang * 5 + s.salt * 2);
        const float d = std::hypot(x - s.cx, y - s.cy) / (s.r * wob);
        if (d > 1)
            continue;
        const float weave = std::sin(x * 2.4f) * std::sin(y * 2.4f);
        Texel b = solid(Rgb(0.60f, 0.49f, 0.33f) * (0.9f + 0.06f * weave + 0.1f * m.noise().fbm(x, y, 12, 2)),
                        s.h * std::sqrt(1 - d * d) + 0.3f * weave);
        // Folds gathered towards the neck.
        const float nx = s.cx + s.r * 0.45f, ny = s.cy - s.r * 0.45f;
        const float nd = std::hypot(x - nx, y - ny);
        b.height += 1.2f * std::sin(std::atan2(y - ny, x - nx) * 7.0f) * Materials::smooth(s.r, 4.0f, nd);
        if (nd < 6.0f) {
            b.height = s.h + 3.0f - nd * 0.4f;
            b.albedo = Rgb(0.55f, 0.45f, 0.30f);
            if (std::fabs(nd - 4.0f) < 1.0f)
                b.albedo = Rgb(0.40f, 0.30f, 0.18f); // the tie
        }
        over(t, b);
    }
}

void ObjectSet::altar(float x, float y, Texel &t) const
{
    const QRectF block(18, 38, 108, 68);
    float d = Materials::boxDistance(x, y, block, 2);
    if (d < 0) {
        Texel s = stone(m, x, y, Rgb(0.62f, 0.60f, 0.56f), 30 + 2 * rounded(-d, 3), 70);
        // A carved groove round the top.
        if (std::fabs(-d - 7.0f) < 1.0f)
            s.height -= 1.2f, s.albedo = s.albedo * 0.7f;
        over(t, s);
    }
    const QRectF runner(56, 34, 32, 76);
    d = Materials::boxDistance(x, y, runner, 1);
    if (d < 0) {
        Texel c = solid(Rgb(0.45f, 0.08f, 0.12f) * (0.92f + 0.08f * std::sin(y * 0.8f)), 33.5f);
        if (std::fabs(-d - 3.0f) < 1.0f)
            c.albedo = kGold * 0.85f;
        if (y < 38 || y > 106)
            c.height = 30.5f, c.albedo = (std::fmod(x, 3.0f) < 1.5f ? kGold * 0.8f : c.albedo); // fringe
        over(t, c);
    }
    // An open book and a chalice on the cloth, candles at the corners.
    const QRectF book(60, 56, 24, 17);
    d = Materials::boxDistance(x, y, book, 1);
    if (d < 0) {
        Texel b = solid(Rgb(0.86f, 0.82f, 0.70f), 36 + 1.2f * std::fabs(std::sin((x - 60) / 24 * kPi)));
        if (std::fabs(x - 72) < 0.8f)
            b.albedo = b.albedo * 0.6f, b.height -= 0.8f;
        if (std::fmod(y, 2.5f) < 0.7f && std::fabs(x - 72) > 3 && -d > 2)
            b.albedo = b.albedo * 0.78f; // lines of script
        over(t, b);
    }
    const float cd = std::hypot(x - 72, y - 90);
    if (cd < 6)
        over(t, metal(kGold * (cd > 4.5f ? 1.05f : 0.55f), cd > 4.5f ? 44.0f : 42.0f));
    candle(x, y, t, 32, 52, 5, 46);
    candle(x, y, t, 112, 52, 5, 46);
    candle(x, y, t, 32, 92, 4, 40);
    candle(x, y, t, 112, 92, 4, 40);
}

void ObjectSet::well(float x, float y, Texel &t) const
{
    const float r = std::hypot(x - 72, y - 72);
    const float ang = std::atan2(y - 72, x - 72);
    if (r < 58 && r > 40) {
        const float block = std::fabs(std::fmod(ang / (2 * kPi) * 16.0f + 16.5f, 1.0f) - 0.5f);
        Texel s = stone(m, x, y, kStone * 0.95f, 24 + 2 * rounded(std::min(r - 40, 58 - r), 3),
                        100u + uint32_t((ang + kPi) / (2 * kPi) * 16));
        if (block > 0.46f)
            s.height -= 2.0f, s.albedo = s.albedo * 0.5f;
        over(t, s);
    } else if (r <= 40) {
        // Dark water far below, with a glint.
        Texel w = solid(Rgb(0.02f, 0.05f, 0.06f), -10.0f, 0.8f, 30);
        w.height += 0.6f * m.noise().gradient(x, y, 36);
        w.occlusion = Materials::smooth(40.0f, 20.0f, r) * 0.5f + 0.3f;
        over(t, w);
    }
    // Posts, a windlass beam and the rope.
    for (float px : {18.0f, 126.0f}) {
        const float d = Materials::boxDistance(x, y, QRectF(px - 6, 65, 12, 14), 1.5f);
        if (d < 0) {
            Texel p = m.wood(x, y, 1.5708f, kDarkWood * 1.2f, 102);
            p.height += 52 + rounded(-d, 1.5f);
            over(t, p);
        }
    }
    if (x > 20 && x < 124 && std::fabs(y - 72) < 4.5f) {
        Texel b = m.wood(x, y, 0, kWood, 103);
        b.height += 50 + 3 * std::sqrt(1 - sq((y - 72) / 4.5f));
        over(t, b);
    }
    if (x > 62 && x < 82 && std::fabs(y - 72) < 6.0f) {
        Texel rope = solid(Rgb(0.62f, 0.52f, 0.34f) * (0.85f + 0.15f * std::sin(x * 2.5f + y)),
                           55 + 2.5f * std::sqrt(1 - sq((y - 72) / 6.0f)));
        over(t, rope);
    }
    const float bd = std::hypot(x - 96, y - 50);
    if (bd < 8.5f) {
        Texel b = bd > 7 ? metal(m.iron(x, y), 28) : m.wood(x, y, 0.8f, kWood * 0.8f, 104);
        if (bd <= 7)
            b.height += 22;
        over(t, b);
    }
}

void ObjectSet::brazier(float x, float y, Texel &t) const
{
    const float r = std::hypot(x - 72, y - 72);
    const float ang = std::atan2(y - 72, x - 72);
    for (int k = 0; k < 3; ++k) {
        const float a = -kPi / 2 + k * 2 * kPi / 3;
        const float d = Materials::segmentDistance(x, y, 72 + 28 * std::cos(a), 72 + 28 * std::sin(a),
                                                   72 + 46 * std::cos(a), 72 + 46 * std::sin(a));
        if (d < 4.0f)
            over(t, metal(m.iron(x, y) * 1.1f, 10 + 2 * rounded(4 - d, 2)));
    }
    if (r < 36) {
        if (r > 30) {
            over(t, metal(m.iron(x, y) * 1.25f, 26 + 2.5f * std::sqrt(1 - sq((r - 33) / 3.0f))));
            return;
        }
        // Coals, glowing in the cracks, and flames over the middle.
        const Noise::Cell c = m.noise().worley(x, y, 24, 0.9f);
        Rng rng(c.id);
        Texel coal = solid(Rgb(0.10f, 0.08f, 0.07f) * rng.range(0.7f, 1.3f),
                           18 + 2.5f * rounded(c.edge, 2.0f) + rng.range(0, 1.5f), 0.1f);
        const float glow = 1.0f - Materials::smooth(0.0f, 1.6f, c.edge);
        coal.emission = Rgb(0.85f, 0.28f, 0.03f) * glow * (0.6f + 0.4f * rng.uniform());
        if (rng.chance(0.25f))
            coal.emission += Rgb(0.5f, 0.12f, 0.0f) * 0.6f;
        over(t, coal);
        const float flame = 22.0f + 6.0f * m.noise().fbm(ang * 23.0f, 3.0f, 6, 2) - r;
        if (flame > 0) {
            const float k = clamp01(flame / 20.0f);
            Texel f = solid(Rgb(0.3f, 0.1f, 0.0f), 30 + 8 * k);
            f.emission = Rgb::mix(Rgb(0.9f, 0.32f, 0.03f), Rgb(1.0f, 0.92f, 0.55f), k);
            // Tongues of flame licking outward.
            const float tongue = std::sin(ang * 7.0f + r * 0.35f);
            if (flame > 4 || tongue > 0.2f)
                over(t, f);
        }
    }
}

void ObjectSet::candles(float x, float y, Texel &t) const
{
    // A brass stand with a cluster of candles at their own heights.
    const float sd = std::hypot(x - 72, y - 74);
    if (sd < 34)
        over(t, metal(kGold * (0.7f + 0.2f * (sd > 30 ? 1.0f : 0.0f)), 6 + 1.5f * rounded(34 - sd, 3)));
    candle(x, y, t, 58, 62, 8, 28);
    candle(x, y, t, 86, 58, 7, 36);
    candle(x, y, t, 72, 86, 9, 20);
    candle(x, y, t, 94, 86, 6, 26);
    candle(x, y, t, 50, 90, 6, 14);
    // Drips down the stand's rim.
    if (t.alpha > 0 && sd < 34 && sd > 28 && std::sin(std::atan2(y - 74, x - 72) * 9.0f) > 0.7f)
        over(t, solid(kWax * 0.9f, t.height + 0.6f, 0.2f));
}

void ObjectSet::weaponRack(float x, float y, Texel &t) const
{
    // Weapons leaning on the rail: two spears, two swords and an axe.
    for (float sx : {24.0f, 38.0f}) {
        if (std::fabs(x - sx) < 2.0f && y > 30 && y < 130) {
            Texel shaft = m.wood(x, y, 1.5708f, kWood * 0.9f, 110);
            shaft.height += 20 + (130 - y) * 0.12f + rounded(2 - std::fabs(x - sx), 1);
            over(t, shaft);
        }
        const float tip = y - 14;
        if (tip > 0 && tip < 18 && std::fabs(x - sx) < 4.5f * std::sin(tip / 18 * kPi))
            over(t, metal(Rgb(0.70f, 0.71f, 0.74f), 34 - std::fabs(x - sx)));
    }
    for (float sx : {62.0f, 82.0f}) {
        if (std::fabs(x - sx) < 3.5f - std::max(0.0f, (30 - y) * 0.3f) && y > 20 && y < 96)
            over(t, metal(Rgb(0.72f, 0.73f, 0.76f) * (std::fabs(x - sx) < 0.6f ? 1.2f : 0.95f), 26 + (96 - y) * 0.08f));
        if (std::fabs(y - 96) < 2.5f && std::fabs(x - sx) < 11)
            over(t, metal(kGold * 0.8f, 28));
        if (std::fabs(x - sx) < 2.2f && y > 98 && y < 116)
            over(t, solid(Rgb(0.25f, 0.15f, 0.08f) * (std::fmod(y, 3.0f) < 1.5f ? 1.0f : 0.7f), 24));
        if (std::hypot(x - sx, y - 119) < 3.5f)
            over(t, metal(kGold * 0.8f, 25));
    }
    if (std::fabs(x - 108) < 2.2f && y > 24 && y < 128) {
        Texel haft = m.wood(x, y, 1.5708f, kDarkWood * 1.3f, 111);
        haft.height += 22 + (128 - y) * 0.1f;
        over(t, haft);
    }
    const float ad = std::hypot((x - 108) / 15.0f, (y - 36) / 11.0f);
    if (ad < 1 && x > 104)
        over(t, metal(Rgb(0.55f, 0.56f, 0.58f) * (ad > 0.85f ? 1.3f : 1.0f), 34));
    // The rack: two posts and a rail.
    for (float px : {12.0f, 132.0f}) {
        const float d = Materials::boxDistance(x, y, QRectF(px - 6, 62, 12, 16), 1.5f);
        if (d < 0) {
            Texel p = m.wood(x, y, 1.5708f, kDarkWood * 1.2f, 112);
            p.height += 36 + rounded(-d, 1.5f);
            over(t, p);
        }
    }
    if (x > 8 && x < 136 && std::fabs(y - 70) < 4.0f) {
        Texel b = m.wood(x, y, 0, kDarkWood * 1.3f, 113);
        b.height += 32 + 2.5f * std::sqrt(1 - sq((y - 70) / 4.0f));
        over(t, b);
    }
}

void ObjectSet::treasure(float x, float y, Texel &t) const
{
    coins(x, y, t, 72, 78, 58, 24);
    struct Gem
    {
        float x, y, r;
        Rgb c;
    };
    const Gem gems[] = {{58, 70, 5, Rgb(0.80f, 0.08f, 0.10f)},
                        {88, 90, 4.5f, Rgb(0.10f, 0.30f, 0.85f)},
                        {76, 62, 4, Rgb(0.12f, 0.70f, 0.25f)},
                        {50, 96, 4, Rgb(0.65f, 0.15f, 0.75f)}};
    for (const Gem &g : gems) {
        const float d = std::hypot(x - g.x, y - g.y);
        if (d < g.r) {
            // Cut facets: a flat table with bevelled sides.
            const float facet = std::floor(std::atan2(y - g.y, x - g.x) / (kPi / 4));
            Texel s = solid(g.c * (0.75f + 0.1f * std::fmod(facet + 8, 3.0f)),
                            24 + 4 * std::min(1.0f, (g.r - d) / (g.r * 0.5f)), 0.9f, 50);
            over(t, s);
        }
    }
    // A golden goblet lying on the heap, and a crown.
    const float gd = std::hypot(x - 96, y - 60);
    if (gd < 9)
        over(t, metal(kGold * (gd > 7 ? 1.1f : 0.55f), gd > 7 ? 36.0f : 33.0f));
    const float cd = std::hypot(x - 50, y - 56);
    const float ang = std::atan2(y - 56, x - 50);
    if (cd < 12 && cd > 8.5f - 2.0f * std::max(0.0f, std::cos(ang * 5)))
        over(t, metal(kGold * 1.05f, 30 + 3 * std::max(0.0f, std::cos(ang * 5))));
}

void ObjectSet::cauldron(float x, float y, Texel &t) const
{
    const float r = std::hypot(x - 72, y - 72);
    const float ang = std::atan2(y - 72, x - 72);
    // Logs of the fire poking out from under the pot.
    for (int k = 0; k < 5; ++k) {
        const float a = 0.4f + k * 2 * kPi / 5;
        const float d = Materials::segmentDistance(x, y, 72 + 30 * std::cos(a), 72 + 30 * std::sin(a),
                                                   72 + 62 * std::cos(a), 72 + 62 * std::sin(a));
        if (d < 5) {
            Texel l = m.wood(x * std::cos(a) + y * std::sin(a), -x * std::sin(a) + y * std::cos(a), 0, kWood * 0.8f,
                             130u + k);
            l.height += 6 + 4 * rounded(5 - d, 2.5f);
            const float along = (x - 72) * std::cos(a) + (y - 72) * std::sin(a);
            if (along < 46) {
                l.albedo = Rgb(0.08f, 0.06f, 0.05f);
                l.emission =
                    Rgb(0.8f, 0.25f, 0.02f) * (0.5f + 0.5f * std::sin(x * 1.3f + y)) * Materials::smooth(46, 38, along);
            }
            over(t, l);
        }
    }
    if (r < 46) {
        if (r > 38) {
            over(t, metal(m.iron(x, y) * 1.3f, 30 + 3 * std::sqrt(1 - sq((r - 42) / 4.0f))));
            return;
        }
        // A bubbling green brew.
        const float swirl = m.noise().fbm(x + 8 * std::sin(ang), y, 6, 3);
        Texel b = solid(Rgb::mix(Rgb(0.18f, 0.38f, 0.08f), Rgb(0.42f, 0.62f, 0.15f), clamp01(0.5f + swirl * 1.5f)), 24,
                        0.7f, 40);
        b.emission = Rgb(0.05f, 0.14f, 0.02f);
        const Noise::Cell c = m.noise().worley(x, y, 24, 0.9f);
        if ((c.id % 3) == 0 && c.f1 < 2.5f)
            b.height += 1.6f * std::sqrt(1 - c.f1 / 2.5f), b.albedo = b.albedo * 1.25f;
        over(t, b);
    }
}

TileSheet ObjectSet::build() const
{
    TileSheet sheet("Dungeon Dressing");
    const Furniture furniture(m);
    const Statuary statuary(m);
    const Remains remains(m);
    auto put = [&](int c, int r, const char *speed, Painter p) { sheet.place(c, r, keyed(p), speed); };
    put(0, 0, "2", [this](float x, float y, Texel &t) { chest(x, y, t, false); });
    put(1, 0, "2", [this](float x, float y, Texel &t) { chest(x, y, t, true); });
    put(2, 0, "2", [this](float x, float y, Texel &t) { barrel(x, y, t); });
    put(3, 0, "2", [this](float x, float y, Texel &t) { barrelOnSide(x, y, t); });
    put(4, 0, "2", [this](float x, float y, Texel &t) { crate(x, y, t, QRectF(32, 32, 80, 80), 30, 140); });
    put(5, 0, "X", [this](float x, float y, Texel &t) {
        crate(x, y, t, QRectF(14, 50, 80, 80), 30, 141);
        crate(x, y, t, QRectF(64, 14, 66, 66), 30, 142);
        crate(x, y, t, QRectF(40, 44, 58, 58), 60, 143);
    });
    put(6, 0, "2", [this](float x, float y, Texel &t) { sacks(x, y, t); });

    put(0, 1, "2", [&furniture](float x, float y, Texel &t) { furniture.roundTable(x, y, t); });
    put(1, 1, "2", [&furniture](float x, float y, Texel &t) { furniture.longTable(x, y, t); });
    put(2, 1, "1", [&furniture](float x, float y, Texel &t) { furniture.chair(x, y, t); });
    put(3, 1, "X", [&furniture](float x, float y, Texel &t) { furniture.bookshelf(x, y, t); });
    put(4, 1, "2", [&furniture](float x, float y, Texel &t) { furniture.bed(x, y, t); });
    put(5, 1, "2", [&furniture](float x, float y, Texel &t) { furniture.throne(x, y, t); });
    put(6, 1, "X", [this](float x, float y, Texel &t) { altar(x, y, t); });

    put(0, 2, "X", [&statuary](float x, float y, Texel &t) { statuary.statue(x, y, t); });
    put(1, 2, "X", [&statuary](float x, float y, Texel &t) { statuary.roundPillar(x, y, t); });
    put(2, 2, "X", [&statuary](float x, float y, Texel &t) { statuary.squarePillar(x, y, t); });
    put(3, 2, "2", [&statuary](float x, float y, Texel &t) { statuary.brokenPillar(x, y, t); });
    put(4, 2, "X", [this](float x, float y, Texel &t) { well(x, y, t); });
    put(5, 2, "X", [this](float x, float y, Texel &t) { brazier(x, y, t); });
    put(6, 2, "1", [this](float x, float y, Texel &t) { candles(x, y, t); });

    put(0, 3, "1", [&remains](float x, float y, Texel &t) { remains.bonePile(x, y, t); });
    put(1, 3, "1", [&remains](float x, float y, Texel &t) { remains.skullAndBones(x, y, t); });
    put(2, 3, "1", [&remains](float x, float y, Texel &t) { remains.skeleton(x, y, t); });
    put(3, 3, "X", [this](float x, float y, Texel &t) { weaponRack(x, y, t); });
    put(4, 3, "1", [this](float x, float y, Texel &t) { treasure(x, y, t); });
    put(5, 3, "X", [&statuary](float x, float y, Texel &t) { statuary.sarcophagus(x, y, t); });
    put(6, 3, "2", [this](float x, float y, Texel &t) { cauldron(x, y, t); });
    return sheet;
}
