#include "Traps.h"

#include "Rng.h"

#include <algorithm>
#include <cmath>

void Traps::paint(Kind kind, float x, float y, Texel &t) const
{
    const QRectF plate(40, 40, 64, 64);
    const Noise &n = m.noise();
    const float d = Materials::boxDistance(x, y, plate, 2.0f);
    switch (kind) {
    case Kind::Pressure: {
        if (d > 0)
            break;
        // A slab a hair proud of the floor, with a gap round it.
        if (d > -1.8f) {
            t.height = -3.0f;
            t.albedo = Rgb(0.08f, 0.07f, 0.06f);
            break;
        }
        const float in = -d - 1.8f;
        t.height = 0.8f - 1.5f * std::pow(1.0f - std::min(in / 3.0f, 1.0f), 2.0f) + 0.4f * n.fbm(x, y, 12, 3);
        t.albedo = m.stoneColour(x, y, Rgb(0.44f, 0.41f, 0.36f), 31);
        // A worn, polished centre where it is stepped on.
        const float c = std::hypot(x - 72, y - 72);
        t.albedo = t.albedo * (1.0f + 0.10f * Materials::smooth(26.0f, 8.0f, c));
        t.gloss = 0.08f;
        break;
    }
    case Kind::Spikes: {
        if (d > 0)
            break;
        t.height = 0.3f;
        t.albedo = Rgb(0.22f, 0.21f, 0.20f) * (1.0f + 0.15f * n.fbm(x, y, 18, 3));
        t.gloss = 0.25f;
        if (d > -3.0f) {
            t.albedo = t.albedo * 0.8f;
            t.height = 0.6f;
        }
        const float gx = std::fmod(x - 40 + 100.0f, 12.8f) - 6.4f, gy = std::fmod(y - 40 + 100.0f, 12.8f) - 6.4f;
        const float hd = std::hypot(gx, gy);
        if (d < -4.0f && hd < 3.0f) {
            t.height = -4.0f + 3.5f * Materials::smooth(1.2f, 0.0f, hd);
            t.albedo = hd < 1.0f ? Rgb(0.55f, 0.55f, 0.56f) : Rgb(0.04f, 0.04f, 0.04f);
            t.gloss = 0.5f;
        }
        break;
    }
    case Kind::Runes: {
        const float c = std::hypot(x - 72, y - 72);
        const float ang = std::atan2(y - 72, x - 72);
        float carve = 0;
        carve = std::max(carve, 1.0f - Materials::smooth(0.5f, 1.3f, std::fabs(c - 50.0f)));
        carve = std::max(carve, 1.0f - Materials::smooth(0.5f, 1.2f, std::fabs(c - 40.0f)));
        // Glyphs: short strokes between the two rings.
        if (c > 42 && c < 48) {
            const float sector = ang / 6.28318f * 16.0f;
            const int k = int(std::floor(sector));
            const float f = sector - k;
            Rng rng(uint32_t(k + 50));
            const int shape = rng.integer(0, 3);
            const float rr = (c - 42.0f) / 6.0f;
            float g = 0;
            if (shape == 0)
                g = std::fabs(f - 0.5f) < 0.06f ? 1 : 0;
            if (shape == 1)
                g = std::fabs(f - 0.3f - rr * 0.4f) < 0.07f ? 1 : 0;
            if (shape == 2)
                g = (std::fabs(f - 0.5f) < 0.06f || std::fabs(rr - 0.5f) < 0.12f) && f > 0.25f && f < 0.75f ? 1 : 0;
            if (shape == 3)
                g = std::fabs(std::fabs(f - 0.5f) - rr * 0.3f) < 0.06f ? 1 : 0;
            carve = std::max(carve, g);
        }
        // A five-pointed star inside the inner ring.
        if (c < 40.0f) {
            for (int k = 0; k < 5; ++k) {
                const float a1 = -1.5708f + k * 6.28318f / 5, a2 = a1 + 2 * 6.28318f / 5;
                const float dd = Materials::segmentDistance(x, y, 72 + 38 * std::cos(a1), 72 + 38 * std::sin(a1),
                                                            72 + 38 * std::cos(a2), 72 + 38 * std::sin(a2));
                carve = std::max(carve, 1.0f - Materials::smooth(0.5f, 1.2f, dd));
            }
        }
        t.height -= 1.2f * carve;
        t.albedo = Rgb::mix(t.albedo, Rgb(0.10f, 0.12f, 0.20f), carve * 0.8f);
        t.emission = Rgb(0.25f, 0.45f, 0.95f) * carve * 0.55f;
        // Faint glow spilling round the lines.
        t.emission += Rgb(0.1f, 0.18f, 0.4f) * Materials::smooth(56.0f, 40.0f, c) * 0.12f;
        break;
    }
    case Kind::FireVent: {
        const float c = std::hypot(x - 72, y - 72);
        const float soot = Materials::smooth(58.0f, 24.0f, c + 8.0f * n.fbm(x, y, 8, 3));
        t.albedo = t.albedo * (1.0f - 0.7f * soot);
        if (c < 26.0f) {
            if (c > 21.0f) {
                t.height = 0.8f;
                t.albedo = Rgb(0.16f, 0.15f, 0.15f);
                t.gloss = 0.3f;
            } else {
                const float bars = std::fabs(std::fmod(x + y + 200.0f, 7.0f) - 3.5f);
                if (bars < 1.3f) {
                    t.height = 0.2f;
                    t.albedo = Rgb(0.14f, 0.12f, 0.11f);
                    t.emission = Rgb(0.35f, 0.1f, 0.0f) * (1.0f - c / 21.0f);
                    t.gloss = 0.2f;
                } else {
                    t.height = -10.0f;
                    t.albedo = Rgb(0.05f, 0.02f, 0.0f);
                    const float heat = 1.0f - c / 24.0f + 0.2f * n.fbm(x, y, 18, 2);
                    t.emission = Rgb::mix(Rgb(0.6f, 0.12f, 0.0f), Rgb(1.0f, 0.6f, 0.1f), std::clamp(heat, 0.0f, 1.0f));
                }
            }
        }
        break;
    }
    }
}
