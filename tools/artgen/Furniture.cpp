#include "Furniture.h"

#include "ObjectShading.h"
#include "Rng.h"

#include <cmath>

using namespace ObjectShading;

void Furniture::roundTable(float x, float y, Texel &t) const
{
    const float d = std::hypot(x - 72, y - 72);
    if (d < 54) {
        Texel w = m.wood(x, y, 0, kWood, 20);
        const float seam = std::fabs(std::fmod(y - 72 + 65.0f, 13.0f) - 6.5f);
        w.height += 22 + 1.5f * rounded(54 - d, 3);
        w.albedo = w.albedo * (0.6f + 0.4f * Materials::smooth(0.0f, 0.9f, 6.5f - seam));
        w.albedo = w.albedo * (0.85f + 0.15f * Materials::smooth(54.0f, 48.0f, d));
        over(t, w);
    }
    // A pewter plate with bread, a tankard and a candle.
    const float pd = std::hypot(x - 55, y - 66);
    if (pd < 14)
        over(t, metal(Rgb(0.55f, 0.56f, 0.58f) * (pd > 11 ? 1.1f : 0.9f), 24.0f + (pd > 11 ? 0.8f : 0.0f)));
    const float bd = std::hypot((x - 53) / 9.0f, (y - 64) / 6.0f);
    if (bd < 1) {
        Texel b = solid(Rgb(0.70f, 0.48f, 0.22f) * (0.9f + 0.1f * m.noise().gradient(x, y, 72)),
                        24 + 5 * std::sqrt(1 - bd * bd));
        if (std::fabs(x - 50) < 0.6f || std::fabs(x - 56) < 0.6f)
            b.albedo = b.albedo * 0.7f;
        over(t, b);
    }
    const float td = std::hypot(x - 92, y - 80);
    if (td < 8.5f)
        over(t, metal(Rgb(0.50f, 0.51f, 0.53f) * (td > 7 ? 1.15f : 0.9f), td > 7 ? 36.0f : 34.0f));
    if (td < 6.8f)
        over(t, solid(Rgb(0.55f, 0.40f, 0.15f), 34.5f, 0.6f, 40)); // ale
    if (std::fabs(y - 80) < 2.5f && x > 99 && x < 105)
        over(t, metal(Rgb(0.5f, 0.51f, 0.53f), 33.0f));
    candle(x, y, t, 82, 50, 4.5f, 34);
}

void Furniture::longTable(float x, float y, Texel &t) const
{
    const QRectF top(12, 40, 120, 64);
    for (const QRectF bench : {QRectF(20, 22, 104, 13), QRectF(20, 109, 104, 13)}) {
        const float d = Materials::boxDistance(x, y, bench, 2);
        if (d < 0) {
            Texel w = m.wood(x, y, 0, kWood * 0.9f, 21);
            w.height += 14 + rounded(-d, 1.5f);
            over(t, w);
        }
    }
    const float d = Materials::boxDistance(x, y, top, 2);
    if (d < 0) {
        Texel w = m.wood(x, y, 0, kWood, 22);
        const float seam = std::fabs(std::fmod(y - 40, 16.0f) - 8.0f);
        w.height += 22 + 1.5f * rounded(-d, 2.5f);
        w.albedo = w.albedo * (0.6f + 0.4f * Materials::smooth(0.0f, 0.9f, 8.0f - seam));
        over(t, w);
    }
    for (float px : {34.0f, 72.0f, 110.0f}) {
        const float pd = std::hypot(x - px, y - 56);
        if (pd < 9)
            over(t, metal(Rgb(0.55f, 0.56f, 0.58f) * (pd > 7 ? 1.1f : 0.9f), 24.0f + (pd > 7 ? 0.6f : 0.0f)));
        const float qd = std::hypot(x - px + 4, y - 88);
        if (qd < 9)
            over(t, metal(Rgb(0.55f, 0.56f, 0.58f) * (qd > 7 ? 1.1f : 0.9f), 24.0f + (qd > 7 ? 0.6f : 0.0f)));
    }
    const float gd = std::hypot(x - 53, y - 72);
    if (gd < 5.5f)
        over(t, metal(kGold * (gd > 4 ? 1.0f : 0.6f), gd > 4 ? 33.0f : 31.0f));
    candle(x, y, t, 92, 72, 4, 34);
}

void Furniture::chair(float x, float y, Texel &t) const
{
    const QRectF seat(46, 54, 52, 48), back(42, 34, 60, 16);
    float d = Materials::boxDistance(x, y, seat, 3);
    if (d < 0) {
        Texel w = m.wood(x, y, 1.5708f, kWood, 30);
        const float seam = std::fabs(std::fmod(x - 46, 13.0f) - 6.5f);
        w.height += 16 + rounded(-d, 2);
        w.albedo = w.albedo * (0.6f + 0.4f * Materials::smooth(0.0f, 0.9f, 6.5f - seam));
        over(t, w);
    }
    d = Materials::boxDistance(x, y, back, 4);
    if (d < 0) {
        Texel w = m.wood(x, y, 0, kDarkWood * 1.2f, 31);
        w.height += 44 + 2.0f * rounded(-d, 3);
        // A carved crest along the top rail.
        if (std::fabs(y - 42) < 1.2f && std::fabs(x - 72) < 24)
            w.height -= 1.0f, w.albedo = w.albedo * 0.7f;
        over(t, w);
    }
}

void Furniture::bookshelf(float x, float y, Texel &t) const
{
    const QRectF frame(10, 46, 124, 52);
    const float d = Materials::boxDistance(x, y, frame, 2);
    if (d > 0)
        return;
    if (d > -5.0f) {
        Texel w = m.wood(x, y, std::fabs(y - 72) > 20 ? 0.0f : 1.5708f, kDarkWood * 1.1f, 40);
        w.height += 60 + rounded(-d, 1.5f);
        over(t, w);
        return;
    }
    // Book tops in a row, each its own colour and height.
    float start = 15;
    int k = 0;
    while (start < 129) {
        Rng rng(uint32_t(700 + k));
        const float w = rng.range(3.5f, 7.5f);
        if (x >= start && x < start + w) {
            static const Rgb leathers[] = {Rgb(0.50f, 0.12f, 0.10f), Rgb(0.16f, 0.30f, 0.16f),
                                           Rgb(0.15f, 0.20f, 0.38f), Rgb(0.45f, 0.30f, 0.15f),
                                           Rgb(0.30f, 0.12f, 0.25f), Rgb(0.55f, 0.45f, 0.28f)};
            const Rgb c = leathers[rng.integer(0, 5)] * rng.range(0.8f, 1.1f);
            const float inBook = std::min(x - start, start + w - x);
            const float depth = rng.range(34.0f, 44.0f);
            const float by = 51 + rng.range(0.0f, 3.0f);
            if (y > by && y < by + depth) {
                Texel b = solid(c * (0.75f + 0.25f * rounded(inBook, 1.2f)),
                                rng.range(44.0f, 56.0f) + rounded(inBook, 1.0f), 0.12f);
                // Pages show pale along the top edge.
                if (y > by + depth - 3)
                    b.albedo = Rgb(0.80f, 0.75f, 0.62f) * (0.9f + 0.1f * std::sin(y * 9.0f));
                over(t, b);
            } else {
                over(t, solid(kDarkWood * 0.35f, 20.0f));
            }
            return;
        }
        start += w + 0.6f;
        ++k;
    }
    over(t, solid(kDarkWood * 0.35f, 20.0f));
}

void Furniture::bed(float x, float y, Texel &t) const
{
    const QRectF frame(34, 12, 76, 122), head(34, 8, 76, 12);
    float d = Materials::boxDistance(x, y, frame, 3);
    if (d < 0) {
        Texel w = m.wood(x, y, 1.5708f, kDarkWood * 1.2f, 50);
        w.height += 14 + rounded(-d, 2);
        over(t, w);
    }
    d = Materials::boxDistance(x, y, head, 3);
    if (d < 0) {
        Texel w = m.wood(x, y, 0, kDarkWood * 1.2f, 51);
        w.height += 34 + 2 * rounded(-d, 3);
        over(t, w);
    }
    const QRectF mattress(39, 22, 66, 108);
    d = Materials::boxDistance(x, y, mattress, 5);
    if (d < 0)
        over(t, solid(Rgb(0.82f, 0.80f, 0.72f), 18 + 2 * rounded(-d, 4)));
    const QRectF pillow(46, 26, 52, 20);
    d = Materials::boxDistance(x, y, pillow, 8);
    if (d < 0)
        over(t, solid(Rgb(0.90f, 0.89f, 0.84f), 20 + 5 * rounded(-d, 8)));
    const QRectF blanket(37, 56, 70, 76);
    d = Materials::boxDistance(x, y, blanket, 4);
    if (d < 0) {
        const float fold = std::sin(x * 0.35f + std::sin(y * 0.08f) * 2.0f);
        Texel b = solid(kRed * (0.9f + 0.12f * fold), 22 + 2.5f * rounded(-d, 4) + 0.8f * fold);
        if (y < 64) {
            b.albedo = Rgb(0.88f, 0.86f, 0.80f) * (0.9f + 0.1f * fold); // turned-down sheet
            b.height += 1.2f;
        }
        // A gold stripe near the foot.
        if (std::fabs(y - 120) < 2)
            b.albedo = kGold * 0.8f;
        over(t, b);
    }
}

void Furniture::throne(float x, float y, Texel &t) const
{
    // A raised step, the seat with a red cushion, arms and a tall back.
    const QRectF dais(16, 24, 112, 110);
    float d = Materials::boxDistance(x, y, dais, 3);
    if (d < 0)
        over(t, stone(m, x, y, kStone * 0.85f, 6 + 1.5f * rounded(-d, 3), 60));
    const QRectF seat(40, 48, 64, 58);
    d = Materials::boxDistance(x, y, seat, 4);
    if (d < 0) {
        Texel c = solid(kRed * 1.1f, 26 + 5 * rounded(-d, 8));
        const float tuft = std::hypot(std::fmod(x - 40 + 100, 16.0f) - 8, std::fmod(y - 48 + 100, 16.0f) - 8);
        if (tuft < 1.5f)
            c.height -= 1.2f, c.albedo = c.albedo * 0.7f;
        over(t, c);
    }
    for (const QRectF arm : {QRectF(28, 46, 14, 62), QRectF(102, 46, 14, 62)}) {
        d = Materials::boxDistance(x, y, arm, 4);
        if (d < 0) {
            Texel w = m.wood(x, y, 1.5708f, kDarkWood * 1.3f, 61);
            w.height += 36 + 2 * rounded(-d, 3);
            if (-d < 2.0f)
                w = metal(kGold * 0.9f, w.height + 0.3f);
            over(t, w);
        }
    }
    const QRectF back(30, 22, 84, 26);
    d = Materials::boxDistance(x, y, back, 5);
    if (d < 0) {
        Texel w = m.wood(x, y, 0, kDarkWood * 1.3f, 62);
        w.height += 64 + 2 * rounded(-d, 4);
        if (-d < 2.5f)
            w = metal(kGold * 0.9f, w.height + 0.3f);
        // A red gem set in the crest.
        const float gd = std::hypot(x - 72, y - 35);
        if (gd < 4.5f)
            w = solid(Rgb(0.75f, 0.08f, 0.10f), w.height + 2.0f * std::sqrt(1 - sq(gd / 4.5f)), 0.9f, 40);
        over(t, w);
    }
    for (float fx : {32.0f, 112.0f}) {
        const float fd = std::hypot(x - fx, y - 24);
        if (fd < 6)
            over(t, metal(kGold, 68 + 4 * std::sqrt(1 - sq(fd / 6))));
    }
}
