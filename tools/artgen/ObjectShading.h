#pragma once

#include "Materials.h"

#include <algorithm>
#include <cmath>

// Small shading helpers shared by the object painters of set D.
namespace ObjectShading {
inline constexpr Rgb kWood(0.46f, 0.30f, 0.16f);
inline constexpr Rgb kDarkWood(0.30f, 0.19f, 0.10f);
inline constexpr Rgb kGold(0.86f, 0.64f, 0.22f);
inline constexpr Rgb kBone(0.84f, 0.79f, 0.66f);
inline constexpr Rgb kStone(0.55f, 0.53f, 0.50f);
inline constexpr Rgb kRed(0.55f, 0.10f, 0.09f);
inline constexpr Rgb kWax(0.93f, 0.89f, 0.76f);
inline constexpr float kPi = 3.14159265f;

inline float sq(float v)
{
    return v * v;
}
inline float clamp01(float v)
{
    return std::clamp(v, 0.0f, 1.0f);
}

// Z-buffered write: a part only shows where it is higher than what is there.
inline void over(Texel &t, const Texel &p)
{
    if (t.alpha <= 0 || p.height >= t.height) {
        t = p;
        t.alpha = 1;
    }
}

inline Texel solid(const Rgb &c, float h, float gloss = 0.05f, float shine = 24)
{
    Texel t;
    t.albedo = c;
    t.height = h;
    t.gloss = gloss;
    t.shine = shine;
    t.alpha = 1;
    return t;
}

// Height of a rounded edge: full inside, falling over `w` pixels to the rim.
inline float rounded(float inside, float w)
{
    const float k = clamp01(inside / w);
    return std::sqrt(1.0f - sq(1.0f - k));
}

inline Texel metal(const Rgb &c, float h)
{
    return solid(c, h, 0.5f, 26);
}

inline Texel stone(const Materials &m, float x, float y, const Rgb &tone, float h, uint32_t salt)
{
    return solid(m.stoneColour(x, y, tone, salt), h + 0.5f * m.noise().fbm(x, y, 12, 3), 0.04f);
}

// A lit candle of radius `r` and height `h` standing at (cx, cy).
inline void candle(float x, float y, Texel &t, float cx, float cy, float r, float h)
{
    const float d = std::hypot(x - cx, y - cy);
    // Wax pooled round the foot.
    const float pool = r + 3.0f + 1.5f * std::sin(std::atan2(y - cy, x - cx) * 5 + cx);
    if (d < pool)
        over(t, solid(kWax * 0.9f, 1.5f * (1.0f - d / pool) + 0.5f, 0.2f));
    if (d < r) {
        Texel c = solid(kWax * (0.92f + 0.08f * (d / r)), h - 1.5f * (1.0f - d / r), 0.25f, 20);
        over(t, c);
    }
    // The flame: a small hot teardrop leaning away from us.
    const float fx = x - cx, fy = (y - cy + 1.5f) * 0.75f;
    const float fd = std::hypot(fx, fy);
    if (fd < 3.2f) {
        Texel f = solid(Rgb(0.2f, 0.1f, 0.0f), h + 5.0f);
        const float k = 1.0f - fd / 3.2f;
        f.emission = Rgb::mix(Rgb(0.95f, 0.45f, 0.05f), Rgb(1.0f, 0.97f, 0.75f), clamp01(k * 1.6f));
        over(t, f);
    }
}
} // namespace ObjectShading
