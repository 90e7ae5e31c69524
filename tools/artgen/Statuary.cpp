#include "Statuary.h"

#include "ObjectShading.h"

#include <cmath>

using namespace ObjectShading;

void Statuary::statue(float x, float y, Texel &t) const
{
    const QRectF plinth(24, 24, 96, 96);
    float d = Materials::boxDistance(x, y, plinth, 2);
    if (d < 0)
        over(t, stone(m, x, y, kStone * 0.9f, 20 + 2 * rounded(-d, 3), 80));
    const Rgb figure = Rgb(0.62f, 0.61f, 0.58f);
    // Cloaked shoulders, a helmeted head, a sword held point-down.
    const float sd = std::hypot((x - 72) / 34.0f, (y - 68) / 20.0f);
    if (sd < 1) {
        Texel s = stone(m, x, y, figure, 44 + 14 * std::sqrt(1 - sd * sd), 81);
        s.height += 0.8f * std::sin(std::atan2(y - 68, x - 72) * 9.0f) * (sd > 0.6f);
        over(t, s);
    }
    const float cloak = std::hypot((x - 72) / 30.0f, (y - 82) / 26.0f);
    if (cloak < 1 && y > 68)
        over(t, stone(m, x, y, figure * 0.92f, 36 + 10 * std::sqrt(1 - cloak * cloak) + 1.0f * std::sin(x * 0.7f), 82));
    const float hd = std::hypot(x - 72, y - 64);
    if (hd < 12.5f) {
        Texel h = stone(m, x, y, figure * 1.05f, 64 + 10 * std::sqrt(1 - sq(hd / 12.5f)), 83);
        if (std::fabs(x - 72) < 1.0f)
            h.height += 1.0f; // helmet crest
        over(t, h);
    }
    if (std::fabs(x - 72) < 3.5f && y > 86 && y < 118)
        over(t,
             stone(m, x, y, figure * 1.1f, 52 - (y - 86) * 0.6f + 1.5f * rounded(3.5f - std::fabs(x - 72), 1.5f), 84));
    if (std::fabs(y - 88) < 2.5f && std::fabs(x - 72) < 13)
        over(t, stone(m, x, y, figure * 1.1f, 54, 85));
    // Moss in the hollows of the weathered stone.
    if (t.alpha > 0 && m.noise().fbm(x + 40, y, 6, 4) > 0.25f)
        t.albedo = Rgb::mix(t.albedo, Rgb(0.28f, 0.35f, 0.14f), 0.6f);
}

void Statuary::roundPillar(float x, float y, Texel &t) const
{
    const QRectF plinth(22, 22, 100, 100);
    float d = Materials::boxDistance(x, y, plinth, 2);
    if (d < 0)
        over(t, stone(m, x, y, kStone, 12 + 2 * rounded(-d, 3), 90));
    const float r = std::hypot(x - 72, y - 72);
    if (r < 44)
        over(t, stone(m, x, y, kStone * 1.02f, 18 + 4 * std::sqrt(1 - sq(std::max(0.0f, r - 38) / 6.0f)), 91));
    const float ang = std::atan2(y - 72, x - 72);
    const float edge = 36.0f - 1.8f * std::fabs(std::sin(ang * 10.0f));
    if (r < edge) {
        Texel s = stone(m, x, y, kStone * 1.08f, 80 + 3 * rounded(edge - r, 4), 92);
        if (std::fabs(r - 26) < 1.0f)
            s.height -= 1.0f, s.albedo = s.albedo * 0.8f;
        over(t, s);
    }
}

void Statuary::squarePillar(float x, float y, Texel &t) const
{
    const QRectF plinth(22, 22, 100, 100), shaft(32, 32, 80, 80);
    float d = Materials::boxDistance(x, y, plinth, 2);
    if (d < 0)
        over(t, stone(m, x, y, kStone * 0.92f, 12 + 2 * rounded(-d, 3), 95));
    d = Materials::boxDistance(x, y, shaft, 2);
    if (d < 0) {
        Texel s = stone(m, x, y, kStone * 1.05f, 80 + 3 * rounded(-d, 4), 96);
        // Four blocks meet on the top.
        if ((std::fabs(x - 72) < 0.9f || std::fabs(y - 72) < 0.9f) && -d > 3)
            s.height -= 1.5f, s.albedo = s.albedo * 0.6f;
        over(t, s);
    }
}

void Statuary::brokenPillar(float x, float y, Texel &t) const
{
    const QRectF plinth(16, 14, 92, 92);
    float d = Materials::boxDistance(x, y, plinth, 2);
    if (d < 0)
        over(t, stone(m, x, y, kStone * 0.9f, 12 + 2 * rounded(-d, 3), 97));
    const float r = std::hypot(x - 62, y - 60);
    const float ang = std::atan2(y - 60, x - 62);
    const float edge =
        32.0f - 1.6f * std::fabs(std::sin(ang * 10.0f)) - 3.0f * std::max(0.0f, m.noise().fbm(ang * 23, 5, 6, 2));
    if (r < edge) {
        // A jagged snapped top.
        Texel s = stone(m, x, y, kStone, 34 + 10 * m.noise().fbm(x, y, 8, 3) + 6 * m.noise().ridged(x, y, 18, 2), 98);
        over(t, s);
    }
    // The fallen drum lies beside it.
    const float a = 0.5f;
    const float u = (x - 100) * std::cos(a) + (y - 108) * std::sin(a),
                v = -(x - 100) * std::sin(a) + (y - 108) * std::cos(a);
    if (std::fabs(u) < 18 && std::fabs(v) < 30) {
        const float s = v / 30.0f;
        Texel dr = stone(m, x, y, kStone * 1.02f, 4 + 26 * std::sqrt(1 - s * s), 99);
        if (std::fabs(u) > 16.5f)
            dr.albedo = dr.albedo * 0.8f;
        dr.height += 0.8f * std::fabs(std::sin(std::asin(std::clamp(s, -1.0f, 1.0f)) * 10.0f));
        over(t, dr);
    }
    Texel chunk;
    if (std::hypot(x - 40, y - 110) < 22 && m.rubble(x, y, 9, 0.8f, kStone, 31, chunk))
        over(t, chunk);
}

void Statuary::sarcophagus(float x, float y, Texel &t) const
{
    const QRectF base(38, 8, 68, 128), lid(42, 12, 60, 120);
    float d = Materials::boxDistance(x, y, base, 3);
    if (d < 0)
        over(t, stone(m, x, y, Rgb(0.55f, 0.55f, 0.50f), 26 + 1.5f * rounded(-d, 2), 120));
    d = Materials::boxDistance(x, y, lid, 6);
    if (d < 0)
        over(t, stone(m, x, y, Rgb(0.60f, 0.59f, 0.54f), 30 + 2 * rounded(-d, 3), 121));
    // The effigy carved on the lid: head, body, arms folded over a sword.
    const float hd = std::hypot(x - 72, y - 32);
    if (hd < 10)
        over(t, stone(m, x, y, Rgb(0.64f, 0.63f, 0.58f), 33 + 5 * std::sqrt(1 - sq(hd / 10)), 122));
    const float bd = std::hypot((x - 72) / 20.0f, (y - 80) / 40.0f);
    if (bd < 1)
        over(t, stone(m, x, y, Rgb(0.62f, 0.61f, 0.56f), 32 + 5 * std::sqrt(1 - bd * bd), 123));
    for (float s : {-1.0f, 1.0f}) {
        const float ad = Materials::segmentDistance(x, y, 72 + 18 * s, 52, 72 - 4 * s, 66);
        if (ad < 4)
            over(t, stone(m, x, y, Rgb(0.64f, 0.63f, 0.58f), 37 + 1.5f * rounded(4 - ad, 2), 124));
    }
    if (std::fabs(x - 72) < 2.2f && y > 60 && y < 118)
        over(t, stone(m, x, y, Rgb(0.66f, 0.65f, 0.60f), 38.5f, 125));
    if (std::fabs(y - 70) < 1.8f && std::fabs(x - 72) < 9)
        over(t, stone(m, x, y, Rgb(0.66f, 0.65f, 0.60f), 39.0f, 126));
}
