#include "HazardSet.h"

#include "Rng.h"

#include <cmath>

namespace {
float clamp01(float v)
{
    return std::clamp(v, 0.0f, 1.0f);
}
} // namespace

Texel HazardSet::floor(float x, float y) const
{
    Texel t = m.defaultFloor(x, y);
    m.grime(x, y, t, 0.35f, 60);
    return t;
}

Texel HazardSet::water(float x, float y, const Texel &bottom, float level, bool deep) const
{
    const Noise &n = m.noise();
    const float depth = std::max(0.0f, level - bottom.height);
    // Light sinks into water quickly; deep water keeps only its own colour.
    const float seen = std::exp(-depth * (deep ? 0.07f : 0.12f));
    const Rgb tint = deep ? Rgb(0.04f, 0.16f, 0.24f) : Rgb(0.10f, 0.27f, 0.30f);
    Texel t;
    // Faint caustic ribbons on a shallow bottom.
    const float caustic = 1.0f - std::fabs(n.fbm(x * 1.0f, y, 9, 3));
    Rgb ground = bottom.albedo * (0.75f + 0.45f * std::pow(caustic, 6.0f));
    t.albedo = Rgb::mix(tint, ground * Rgb(0.78f, 0.92f, 0.95f), seen);
    // Wind ripples: stretched noise, with pale crests catching the light.
    const float warp = n.fbm(x, y, 4, 2) * 10.0f;
    const float wave = std::sin((x * 0.45f + y * 0.9f + warp) * 0.5f) * 0.5f + n.fbm(x + 17, y * 1.3f, 12, 3) * 0.6f;
    t.height = level + wave * (deep ? 1.1f : 0.7f);
    const float crest = Materials::smooth(0.45f, 0.75f, wave);
    t.albedo = Rgb::mix(t.albedo, Rgb(0.55f, 0.68f, 0.72f), 0.22f * crest);
    // A faint sky sheen over the whole surface.
    t.albedo = t.albedo + Rgb(0.03f, 0.05f, 0.06f) * (0.5f + 0.5f * n.fbm(x, y, 3, 2));
    t.gloss = deep ? 0.55f : 0.45f;
    t.shine = 24;
    return t;
}

QImage HazardSet::waterTile(bool deep, bool overFloor, uint32_t seed) const
{
    Relief r;
    r.paint([&](float x, float y, Texel &t) {
        Texel bottom;
        if (overFloor) {
            bottom = floor(x, y);
        } else {
            // A natural bed of silt and stones.
            const float bed = m.noise().fbm(x + seed * 9.0f, y, 4, 4);
            bottom.height = bed * 3.0f - 1.0f;
            bottom.albedo = Rgb(0.36f, 0.33f, 0.26f) * (1.0f + 0.2f * bed);
            Texel stone;
            if (m.rubble(x, y, 14.0f, 0.35f, Rgb(0.42f, 0.40f, 0.37f), seed, stone) && stone.height * 0.3f > 0) {
                stone.height = stone.height * 0.3f - 1.0f;
                if (stone.height > bottom.height)
                    bottom = stone;
            }
        }
        if (deep) {
            // The bed drops away into a dark basin.
            bottom.height -= 26.0f + 10.0f * m.noise().fbm(x + seed * 3.0f, y, 3, 3);
        }
        t = water(x, y, bottom, deep ? 2.0f : 2.5f, deep);
    });
    return r.render();
}

QImage HazardSet::shoreTile() const
{
    Relief r;
    r.paint([&](float x, float y, Texel &t) {
        const float line = 66.0f + 12.0f * m.noise().fbm(x, 40.0f, 3, 3);
        Texel bottom = floor(x, y);
        // Past the waterline the floor slumps gently under the water.
        const float under = y - line;
        bottom.height -= std::max(0.0f, under) * 0.12f;
        if (under < -6.0f) {
            t = bottom;
            // Damp stone near the water is darker and glistens.
            const float damp = Materials::smooth(-30.0f, -6.0f, under);
            t.albedo = t.albedo * (1.0f - 0.3f * damp);
            t.gloss += 0.2f * damp;
            return;
        }
        bottom.albedo = bottom.albedo * 0.7f;
        Texel w = water(x, y, bottom, 0.8f, false);
        const float a = Materials::smooth(-6.0f, 0.0f, under + 1.5f * m.noise().gradient(x, y, 48));
        t.height = bottom.height + (std::max(w.height, bottom.height) - bottom.height) * a;
        t.albedo = Rgb::mix(bottom.albedo, w.albedo, a);
        t.gloss = 0.2f + (w.gloss - 0.2f) * a;
        t.shine = w.shine;
        // A thin foam line at the edge.
        const float foam = std::exp(-std::pow((under + 1.0f) / 1.6f, 2.0f));
        t.albedo =
            Rgb::mix(t.albedo, Rgb(0.65f, 0.70f, 0.68f), 0.35f * foam * (0.6f + 0.4f * m.noise().gradient(x, y, 96)));
    });
    return r.render();
}

Texel HazardSet::lava(float x, float y, float crust) const
{
    const Noise &n = m.noise();
    Texel t;
    const float flow = n.fbm(x + 8.0f * n.fbm(x, y, 4, 2), y + 8.0f * n.fbm(y, x, 4, 2), 6, 5);
    const Noise::Cell c = n.worley(x + 6.0f * flow, y, 7, 0.9f);
    const float plate = c.edge - (1.0f - crust) * 14.0f - 3.0f * flow;
    const float heat = clamp01(0.55f + 0.9f * flow);
    if (plate > 0) {
        // Cooled crust floating on the melt, glowing at its cracks.
        const float k = clamp01(plate / 5.0f);
        t.height = 1.0f + 2.5f * std::sqrt(k) + 0.8f * n.ridged(x, y, 24, 3);
        const float g = 0.10f + 0.05f * n.fbm(x, y, 24, 3);
        t.albedo = Rgb(g * 1.2f, g * 0.95f, g * 0.85f);
        const float glow = 1.0f - Materials::smooth(0.0f, 2.5f, plate);
        t.emission = Rgb(0.9f, 0.25f, 0.02f) * glow * 0.8f;
        t.gloss = 0.05f;
        return t;
    }
    const float hot = clamp01(heat + 0.12f * std::min(-plate, 8.0f) / 8.0f);
    t.height = 0.2f * flow;
    t.albedo = Rgb(0.1f, 0.03f, 0.0f);
    t.emission = Rgb::mix(Rgb(0.55f, 0.08f, 0.01f), Rgb(1.0f, 0.55f, 0.08f), hot)
        + Rgb(0.25f, 0.22f, 0.1f) * std::pow(hot, 6.0f);
    t.gloss = 0.15f;
    return t;
}

QImage HazardSet::lavaTile(float crust) const
{
    Relief r;
    r.paint([&](float x, float y, Texel &t) { t = lava(x, y, crust); });
    return r.render();
}

QImage HazardSet::lavaPoolTile() const
{
    Relief r;
    r.paint([&](float x, float y, Texel &t) {
        const float d = std::hypot(x - 72, y - 72) + 7.0f * m.noise().fbm(x, y, 6, 3);
        t = floor(x, y);
        // Heat scorches the stone round the pool.
        const float scorch = Materials::smooth(70.0f, 44.0f, d);
        t.albedo = t.albedo * (1.0f - 0.55f * scorch);
        t.emission = Rgb(0.35f, 0.08f, 0.0f) * Materials::smooth(60.0f, 48.0f, d) * 0.6f;
        if (d < 50.0f) {
            const Texel l = lava(x, y, 0.2f);
            const float a = Materials::smooth(50.0f, 47.0f, d);
            t.height = t.height * (1 - a) + (l.height - 3.0f) * a;
            t.albedo = Rgb::mix(t.albedo, l.albedo, a);
            t.emission = Rgb::mix(t.emission, l.emission, a);
            t.gloss = l.gloss;
        }
    });
    return r.render();
}

QImage HazardSet::pitTile(bool spikes) const
{
    const QRectF hole(26, 26, 92, 92);
    Relief r;
    r.paint([&](float x, float y, Texel &t) {
        t = floor(x, y);
        const float d = Materials::boxDistance(x, y, hole, 3.0f);
        // A kerb of dressed stone round the hole.
        if (d > 0 && d < 7.0f) {
            t.height += 1.2f;
            t.albedo =
                m.stoneColour(x, y, Rgb(0.40f, 0.38f, 0.35f), 5) * (0.85f + 0.15f * Materials::smooth(0.0f, 3.0f, d));
        }
        if (d > 0)
            return;
        // Steep inner walls (visible as slopes) falling to a dark floor.
        const float in = -d;
        const float depth = 44.0f * std::min(1.0f, std::pow(in / 16.0f, 0.8f));
        t.height = -depth + m.noise().fbm(x, y, 18, 3) * 1.5f;
        const Noise::Cell c = m.noise().worley(x, y * 2.5f, 10, 0.5f);
        t.albedo =
            m.stoneColour(x, y, Rgb(0.30f, 0.28f, 0.26f), 9) * (0.7f + 0.3f * Materials::smooth(0.0f, 1.5f, c.edge));
        t.occlusion = std::exp(-depth * 0.045f);
        if (spikes && in > 14.0f) {
            const float gx = std::fmod(x - 26 + 100.0f, 13.0f) - 6.5f, gy = std::fmod(y - 26 + 100.0f, 13.0f) - 6.5f;
            const float sd = std::hypot(gx, gy);
            if (sd < 4.0f) {
                t.height = -depth + 18.0f * (1.0f - sd / 4.0f);
                t.albedo = Rgb(0.30f, 0.29f, 0.30f) * (1.0f + 0.4f * (1.0f - sd / 4.0f));
                t.gloss = 0.4f;
                t.occlusion = std::exp(-(depth - 18.0f * (1.0f - sd / 4.0f)) * 0.045f);
            }
        }
    });
    return r.render();
}

QImage HazardSet::chasmTile(bool bridge) const
{
    Relief r;
    r.paint([&](float x, float y, Texel &t) {
        const float top = 30.0f + 9.0f * m.noise().fbm(x, 11.0f, 4, 3);
        const float bottom = 114.0f + 9.0f * m.noise().fbm(x, 77.0f, 4, 3);
        const float in = std::min(y - top, bottom - y) + 2.0f * m.noise().fbm(x, y, 24, 2);
        t = m.rock(x, y, 0.0f);
        t.height -= 8.0f;
        if (in > 0) {
            const float depth = 70.0f * std::min(1.0f, in / 22.0f);
            Texel rock = m.rock(x, y * 0.6f, -depth);
            t = rock;
            t.occlusion = std::exp(-depth * 0.05f);
        }
        if (bridge && std::fabs(x - 72.0f) < 22.0f) {
            // Planks across, lashed to two ropes.
            const float v = y + 200.0f;
            const int plank = int(v / 9.0f);
            const float seam = std::fmod(v, 9.0f);
            Rng rng{uint32_t(plank)};
            const float sag = 4.0f * std::sin(3.14159f * std::clamp((y - 20.0f) / 104.0f, 0.0f, 1.0f));
            const float jitter = rng.range(-1.5f, 1.5f);
            if (std::fabs(x - 72.0f - jitter) < 19.0f && seam > 1.2f) {
                const float g = m.noise().gradient(x * 0.3f, y * 3.0f + plank, 72);
                t.height = 6.0f - sag + 0.3f * g;
                t.albedo = Rgb(0.42f, 0.29f, 0.17f) * rng.range(0.8f, 1.1f) * (1.0f + 0.12f * g);
                t.occlusion = 1.0f;
                t.emission = Rgb();
            }
            for (float rx : {52.0f, 92.0f}) {
                const float d = std::fabs(x - rx);
                if (d < 1.6f) {
                    t.height = 7.5f - sag + 1.0f * (1.0f - d / 1.6f);
                    const float twist = std::sin((y + x) * 1.6f);
                    t.albedo = Rgb(0.55f, 0.45f, 0.30f) * (0.85f + 0.15f * twist);
                    t.occlusion = 1.0f;
                }
            }
        }
    });
    return r.render();
}

QImage HazardSet::rubbleTile(float density, float size, bool onFloor, uint32_t seed) const
{
    Relief r;
    r.paint([&](float x, float y, Texel &t) {
        if (onFloor) {
            t = floor(x, y);
        } else {
            t.height = m.noise().fbm(x, y, 6, 3) * 2.0f;
            t.albedo = Rgb(0.30f, 0.27f, 0.23f) * (1.0f + 0.3f * m.noise().fbm(x, y, 36, 3));
        }
        Texel big, small;
        if (m.rubble(x, y, size, density, Rgb(0.40f, 0.38f, 0.35f), seed, big) && big.height + 0.5f > t.height)
            t = big;
        if (m.rubble(x, y, size * 0.45f, density * 0.8f, Rgb(0.36f, 0.34f, 0.31f), seed + 7, small)
            && small.height * 0.6f + 0.5f > t.height) {
            small.height = small.height * 0.6f + 0.5f;
            t = small;
        }
    });
    return r.render();
}

QImage HazardSet::grassTile(bool tall) const
{
    const float cell = tall ? 8.0f : 5.0f;
    const float len = tall ? 11.0f : 6.0f;
    Relief r;
    r.paint([&](float x, float y, Texel &t) {
        const Noise &n = m.noise();
        const float patch = n.fbm(x, y, 4, 4);
        t.height = 0.8f * patch;
        t.albedo = Rgb::mix(Rgb(0.20f, 0.17f, 0.09f), Rgb(0.18f, 0.26f, 0.08f), clamp01(0.6f + patch));
        // Blades: a few short strokes seeded per cell, drawn over their neighbours.
        const int cx = int(std::floor(x / cell)), cy = int(std::floor(y / cell));
        const int per = int(144.0f / cell);
        float best = -1;
        for (int dy = -2; dy <= 2; ++dy)
            for (int dx = -2; dx <= 2; ++dx) {
                const int gx = cx + dx, gy = cy + dy;
                const int wx = ((gx % per) + per) % per, wy = ((gy % per) + per) % per;
                for (int b = 0; b < 3; ++b) {
                    const uint32_t h = n.hash(wx, wy, 900u + b);
                    const float bx = (gx + (h & 255) / 255.0f) * cell, by = (gy + ((h >> 8) & 255) / 255.0f) * cell;
                    const float ang = ((h >> 16) & 1023) / 1023.0f * 6.2832f;
                    const float l = len * (0.6f + 0.4f * ((h >> 26) & 15) / 15.0f);
                    const float ex = bx + std::cos(ang) * l, ey = by + std::sin(ang) * l;
                    const float vx = ex - bx, vy = ey - by;
                    const float along = clamp01(((x - bx) * vx + (y - by) * vy) / (l * l));
                    const float d = std::hypot(x - bx - along * vx, y - by - along * vy);
                    const float width = (tall ? 1.6f : 1.1f) * (1.0f - 0.7f * along);
                    if (d < width) {
                        const float hgt =
                            (tall ? 6.0f : 2.5f) * along + 1.0f + (b + dy + 2) * 0.3f + (1.0f - d / width) * 0.6f;
                        if (hgt > best) {
                            best = hgt;
                            const float tone = ((h >> 4) & 15) / 15.0f;
                            Rgb green = Rgb::mix(Rgb(0.18f, 0.30f, 0.08f), Rgb(0.42f, 0.52f, 0.16f), tone);
                            if (tall)
                                green = green * 0.85f;
                            if ((h & 0x3f000000u) == 0x3f000000u && tall)
                                green = Rgb(0.55f, 0.52f, 0.25f); // dry stalk
                            t.albedo = green * (0.75f + 0.35f * along);
                            t.height = hgt + 0.8f * patch;
                        }
                    }
                }
            }
        // A few small pale flowers in the short turf.
        if (!tall) {
            const Noise::Cell c = n.worley(x, y, 18, 0.9f);
            if ((c.id % 11) == 0 && c.f1 < 1.6f) {
                t.albedo = (c.id % 2) ? Rgb(0.85f, 0.82f, 0.55f) : Rgb(0.80f, 0.78f, 0.82f);
                t.height += 1.0f;
            }
        }
    });
    return r.render();
}

QImage HazardSet::mudTile(bool bog) const
{
    Relief r;
    r.paint([&](float x, float y, Texel &t) {
        const Noise &n = m.noise();
        const float lump = n.fbm(x, y, 5, 5);
        const float churn = n.ridged(x + 30, y, 10, 3);
        t.height = 2.5f * lump + 1.0f * churn;
        const Rgb wet(0.22f, 0.16f, 0.10f), dry(0.36f, 0.28f, 0.19f);
        t.albedo = Rgb::mix(wet, dry, clamp01(0.5f + lump * 1.4f)) * (1.0f + 0.1f * n.gradient(x, y, 96));
        t.gloss = 0.25f;
        t.shine = 40;
        // Standing water in the hollows.
        const float level = bog ? 0.6f : -0.2f;
        if (t.height < level) {
            Texel bottom = t;
            bottom.albedo = bog ? Rgb(0.14f, 0.16f, 0.08f) : Rgb(0.18f, 0.13f, 0.08f);
            t = water(x, y, bottom, level, false);
            t.albedo = t.albedo * (bog ? Rgb(0.75f, 0.9f, 0.6f) : Rgb(0.9f, 0.8f, 0.65f));
        }
        if (bog) {
            // Reeds and green scum.
            const float scum = Materials::smooth(0.15f, 0.35f, n.fbm(x + 70, y, 8, 3));
            t.albedo = Rgb::mix(t.albedo, Rgb(0.26f, 0.33f, 0.10f), 0.7f * scum);
            const Noise::Cell c = n.worley(x, y, 12, 0.9f);
            if ((c.id % 3) == 0 && c.f1 < 2.2f) {
                t.height = 6.0f - c.f1 * 1.5f;
                t.albedo = Rgb(0.38f, 0.40f, 0.16f);
                t.gloss = 0.05f;
            }
        }
    });
    return r.render();
}

QImage HazardSet::iceTile(bool broken) const
{
    std::vector<Materials::Crack> cracks;
    for (int k = 0; k < (broken ? 5 : 3); ++k) {
        Rng rng(1200u + k);
        const auto c = Materials::crackNetwork(1300u + k, rng.range(0, 144), rng.range(0, 144), rng.range(0, 6.28f),
                                               broken ? 120.0f : 70.0f, broken ? 3.0f : 1.6f);
        cracks.insert(cracks.end(), c.begin(), c.end());
    }
    Relief r;
    r.paint([&](float x, float y, Texel &t) {
        const Noise &n = m.noise();
        const float frost = n.fbm(x, y, 6, 5);
        t.height = 0.8f * frost;
        t.albedo = Rgb::mix(Rgb(0.55f, 0.70f, 0.78f), Rgb(0.86f, 0.92f, 0.95f), clamp01(0.5f + frost * 1.5f));
        t.gloss = 0.55f;
        t.shine = 50;
        // Trapped bubbles and a blue depth under clear patches.
        const float clear = Materials::smooth(0.05f, 0.25f, n.fbm(x + 90, y, 4, 3));
        t.albedo = Rgb::mix(t.albedo, Rgb(0.30f, 0.48f, 0.60f), 0.5f * clear);
        const float c = Materials::crackDepth(Materials::wrap(x), Materials::wrap(y), cracks);
        if (broken) {
            t.albedo = Rgb::mix(t.albedo, Rgb(0.04f, 0.10f, 0.14f), c);
            t.height -= 3.0f * c;
        } else {
            t.albedo = Rgb::mix(t.albedo, Rgb(0.95f, 0.98f, 1.0f), 0.8f * c);
            t.height -= 0.4f * c;
        }
    });
    return r.render();
}

QImage HazardSet::sandTile() const
{
    Relief r;
    r.paint([&](float x, float y, Texel &t) {
        const Noise &n = m.noise();
        const float warp = n.fbm(x, y, 3, 3) * 20.0f;
        const float ripple = std::sin((x * 0.35f + y * 0.94f + warp) * 0.55f);
        t.height = 0.7f * ripple + 1.2f * n.fbm(x, y, 4, 3);
        const float grain = n.gradient(x, y, 144) * 0.5f + n.gradient(x + 2, y, 72) * 0.5f;
        t.albedo = Rgb(0.58f, 0.50f, 0.36f) * (1.0f + 0.08f * grain + 0.06f * ripple);
        const Noise::Cell c = n.worley(x, y, 24, 0.9f);
        if ((c.id % 4) == 0 && c.f1 < 2.0f) {
            t.height += 1.2f * (1.0f - c.f1 / 2.0f);
            t.albedo = Rgb(0.45f, 0.42f, 0.38f);
        }
    });
    return r.render();
}

QImage HazardSet::trapTile(Traps::Kind kind) const
{
    const Traps traps(m);
    Relief r;
    r.paint([&](float x, float y, Texel &t) {
        t = floor(x, y);
        traps.paint(kind, x, y, t);
    });
    return r.render();
}

QImage HazardSet::webTile() const
{
    Relief r;
    r.paint([&](float x, float y, Texel &t) {
        t = floor(x, y);
        t.albedo = t.albedo * 0.85f;
        const float cx = 66, cy = 70;
        const float dx = x - cx, dy = y - cy;
        const float c = std::hypot(dx, dy);
        const float ang = std::atan2(dy, dx);
        float thread = 0;
        // Spokes from the hub...
        for (int k = 0; k < 11; ++k) {
            const float a = k * 6.28318f / 11 + 0.15f * std::sin(k * 3.7f);
            const float ex = cx + std::cos(a) * 110.0f, ey = cy + std::sin(a) * 110.0f;
            const float d = Materials::segmentDistance(x, y, cx, cy, ex, ey);
            thread = std::max(thread, 1.0f - Materials::smooth(0.25f, 0.85f, d));
        }
        // ...and the sagging spiral between them.
        const float spiralR = c - ang / 6.28318f * 7.0f;
        const float ring = std::fabs(spiralR - 7.0f * std::round(spiralR / 7.0f));
        if (c > 6 && c < 68)
            thread = std::max(thread, 1.0f - Materials::smooth(0.2f, 0.7f, ring));
        if (thread > 0) {
            t.albedo = Rgb::mix(t.albedo, Rgb(0.88f, 0.88f, 0.84f), thread * 0.85f);
            t.height += 5.0f * thread;
            t.gloss = 0.3f * thread;
        }
        // Wrapped victims: two silk cocoons.
        for (auto [px, py, a] : {std::tuple{30.0f, 112.0f, 0.5f}, std::tuple{112.0f, 36.0f, -0.9f}}) {
            const float u = (x - px) * std::cos(a) + (y - py) * std::sin(a);
            const float v = -(x - px) * std::sin(a) + (y - py) * std::cos(a);
            const float e = (u * u) / (12.0f * 12.0f) + (v * v) / (6.0f * 6.0f);
            if (e < 1.0f) {
                t.height = 6.0f * std::sqrt(1.0f - e);
                const float wrap = std::sin(u * 1.8f + v * 0.5f);
                t.albedo = Rgb(0.80f, 0.79f, 0.74f) * (0.85f + 0.15f * wrap);
                t.gloss = 0.15f;
            }
        }
    });
    return r.render();
}

QImage HazardSet::slimeTile() const
{
    Relief r;
    r.paint([&](float x, float y, Texel &t) {
        t = floor(x, y);
        const Noise &n = m.noise();
        const float blob = n.fbm(x, y, 3, 3) + 0.32f - 0.006f * std::hypot(x - 72, y - 72);
        if (blob > 0) {
            const float k = Materials::smooth(0.0f, 0.12f, blob);
            const Rgb green = Rgb::mix(Rgb(0.16f, 0.30f, 0.05f), Rgb(0.38f, 0.55f, 0.10f), clamp01(blob * 3.0f));
            t.albedo = Rgb::mix(t.albedo, green, k);
            t.height = t.height * (1 - k) + (1.0f + 3.0f * std::sqrt(k) + 0.4f * n.gradient(x, y, 36)) * k;
            t.gloss = 0.7f * k;
            t.shine = 45;
            t.emission = Rgb(0.04f, 0.10f, 0.0f) * k;
            // Bubbles.
            const Noise::Cell c = n.worley(x, y, 16, 0.9f);
            if ((c.id % 3) == 0 && c.f1 < 2.2f && k > 0.9f) {
                t.height += 1.5f * std::sqrt(1.0f - c.f1 / 2.2f);
                t.albedo = t.albedo * 1.2f;
            }
        }
    });
    return r.render();
}

TileSheet HazardSet::build() const
{
    TileSheet sheet("Hazards");
    sheet.place(0, 0, waterTile(false, false, 1), "2");
    sheet.place(1, 0, waterTile(false, true, 2), "2");
    sheet.place(2, 0, waterTile(true, false, 3), "3");
    sheet.place(3, 0, waterTile(true, true, 4), "3");
    sheet.place(4, 0, shoreTile(), "2");
    sheet.place(5, 0, lavaTile(0.15f), "X");
    sheet.place(6, 0, lavaTile(0.75f), "1/X");

    sheet.place(0, 1, lavaPoolTile(), "X");
    sheet.place(1, 1, pitTile(false), "X");
    sheet.place(2, 1, pitTile(true), "X");
    sheet.place(3, 1, chasmTile(false), "X");
    sheet.place(4, 1, rubbleTile(0.55f, 16.0f, true, 11), "2");
    sheet.place(5, 1, rubbleTile(0.95f, 22.0f, false, 12), "3");
    sheet.place(6, 1, chasmTile(true), "1");

    sheet.place(0, 2, grassTile(false), "1");
    sheet.place(1, 2, grassTile(true), "2");
    sheet.place(2, 2, mudTile(false), "2");
    sheet.place(3, 2, mudTile(true), "3");
    sheet.place(4, 2, iceTile(false), "2");
    sheet.place(5, 2, iceTile(true), "1/X");
    sheet.place(6, 2, sandTile(), "1");

    sheet.place(0, 3, trapTile(Traps::Kind::Pressure), "1/T");
    sheet.place(1, 3, trapTile(Traps::Kind::Spikes), "1/T");
    sheet.place(2, 3, trapTile(Traps::Kind::Runes), "1/T");
    sheet.place(3, 3, trapTile(Traps::Kind::FireVent), "1/T");
    sheet.place(4, 3, webTile(), "3");
    sheet.place(5, 3, slimeTile(), "2");
    sheet.place(6, 3, rubbleTile(0.3f, 12.0f, true, 13), "1");
    return sheet;
}
