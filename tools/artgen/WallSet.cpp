#include "WallSet.h"

#include "Rng.h"

#include <cmath>

namespace {
constexpr float W = WallSet::kThick;
const Rgb kWallTone(0.29f, 0.28f, 0.27f);
const Rgb kDressedTone(0.47f, 0.44f, 0.40f);
const Rgb kOak(0.44f, 0.28f, 0.15f);
const Rgb kDarkOak(0.30f, 0.19f, 0.10f);

// Brick joints of each course, repeating every 144 pixels along the wall.
const float kJoints[3][3] = {{6, 54, 100}, {30, 78, 124}, {18, 66, 112}};
} // namespace

Texel WallSet::block(float x, float y, const QRectF &r, const Rgb &tone, uint32_t salt, float height) const
{
    Rng rng(salt);
    Texel t;
    float d = Materials::boxDistance(x, y, r.adjusted(1.4, 1.4, -1.4, -1.4), 2.0f);
    d += 0.9f * (m.noise().fbm(x + salt, y, 24, 3) * 0.5f + 0.5f);
    const float e = -d;
    if (e > 0) {
        const float b = 1.0f - std::min(e / 3.5f, 1.0f);
        t.height = height - 2.6f * b * b + m.noise().fbm(x + salt * 3.0f, y, 9, 4) * 0.9f;
        t.albedo = m.stoneColour(x, y, tone * (1.0f + rng.normal() * 0.07f), salt);
        t.albedo = t.albedo * (0.85f + 0.15f * Materials::smooth(0.0f, 6.0f, e));
    } else {
        t.height = height - 3.2f;
        t.albedo = Rgb(0.16f, 0.15f, 0.13f);
    }
    return t;
}

Texel WallSet::masonry(float along, float across, uint32_t salt) const
{
    const int course = int(std::floor(across / 18.0f));
    const float *j = kJoints[((course % 3) + 3) % 3];
    float a = Materials::wrap(along);
    float from = j[2] - 144.0f, to = j[0];
    int index = 0;
    for (int k = 0; k < 3; ++k) {
        const float next = k < 2 ? j[k + 1] : j[0] + 144.0f;
        if (a >= j[k] && a < next) {
            from = j[k];
            to = next;
            index = k + 1;
        }
    }
    const QRectF r(from, course * 18.0f, to - from, 18.0f);
    const uint32_t id = salt * 131u + uint32_t(course + 64) * 7u + uint32_t(index);
    return block(a, across, r, kWallTone, id, kHeight);
}

bool WallSet::wallTexel(float x, float y, const Plan &p, Texel &t) const
{
    bool inN = p.n && y < W, inS = p.s && y > 144 - W, inW = p.w && x < W, inE = p.e && x > 144 - W;
    if (inN && x >= p.gapFrom && x < p.gapTo)
        inN = false;
    const bool west = x<W, east = x> 144 - W, north = y<W, south = y> 144 - W;
    if (p.solid) {
        t = masonry(x, y, 9);
        return true;
    }
    // Corners where two walls meet, and lone corner stubs, are one big quoin.
    const bool corners[4] = {
        north && west && ((inN && inW) || p.nubNW),
        north && east && ((inN && inE) || p.nubNE),
        south && east && ((inS && inE) || p.nubSE),
        south && west && ((inS && inW) || p.nubSW),
    };
    for (int k = 0; k < 4; ++k)
        if (corners[k]) {
            // Only the visible W x W part matters; its outer sides run off the subtile.
            const QRectF face(k == 0 || k == 3 ? -6 : 144 - W, k < 2 ? -6 : 144 - W, W + 6, W + 6);
            t = block(x, y, face, kWallTone * 1.04f, 500u + k, kHeight + 0.5f);
            return true;
        }
    if (inN)
        t = masonry(x, y, 1);
    else if (inS)
        t = masonry(x, 144 - y, 2);
    else if (inW)
        t = masonry(y, x, 3);
    else if (inE)
        t = masonry(y, 144 - x, 4);
    else
        return false;
    return true;
}

QImage WallSet::wallTile(const Plan &plan) const
{
    Relief r;
    r.paint([&](float x, float y, Texel &t) {
        if (!wallTexel(x, y, plan, t)) {
            t = m.defaultFloor(x, y);
            m.grime(x, y, t, 0.35f, 60);
        }
    });
    return r.render();
}

QImage WallSet::doorTile(DoorKind kind) const
{
    Plan plan;
    plan.n = true;
    float g0 = 42, g1 = 102;
    if (kind == DoorKind::Double) {
        g0 = 26;
        g1 = 118;
    }
    if (kind == DoorKind::Arch) {
        g0 = 40;
        g1 = 104;
    }
    if (kind == DoorKind::Collapsed) {
        g0 = 38;
        g1 = 108;
    }
    if (kind != DoorKind::Secret) {
        plan.gapFrom = g0;
        plan.gapTo = g1;
    }

    const float jamb = kind == DoorKind::Double ? 10 : 12;
    const QRectF jambL(g0 - jamb, -6, jamb, W + 9), jambR(g1, -6, jamb, W + 9);
    const QRectF sill(g0, -6, g1 - g0, W + 6);
    const auto rubbleEdge = [&](float y) { return 5.0f * m.noise().fbm(y, 3.0f, 12, 2); };

    Relief r;
    r.paint([&](float x, float y, Texel &t) {
        // Collapsed walls break raggedly instead of ending at a jamb.
        Plan p = plan;
        if (kind == DoorKind::Collapsed) {
            p.gapFrom = g0 + rubbleEdge(y);
            p.gapTo = g1 + rubbleEdge(y + 50);
        }
        if (wallTexel(x, y, p, t))
            ; // plain wall
        else {
            t = m.defaultFloor(x, y);
            m.grime(x, y, t, 0.35f, 60);
            if (sill.contains(x, y) && kind != DoorKind::Collapsed && kind != DoorKind::Arch) {
                t = block(x, y, sill, kDressedTone * 0.9f, 777, 0.3f);
            }
        }
        const bool framed = kind == DoorKind::Closed || kind == DoorKind::Open || kind == DoorKind::Double
            || kind == DoorKind::Portcullis;
        if (framed && (jambL.contains(x, y) || jambR.contains(x, y)))
            t = block(x, y, jambL.contains(x, y) ? jambL : jambR, kDressedTone, jambL.contains(x, y) ? 61 : 62,
                      kHeight + 1.5f);

        switch (kind) {
        case DoorKind::Closed:
        case DoorKind::Double: {
            const bool dbl = kind == DoorKind::Double;
            const QRectF leaf(g0, 4, g1 - g0, W - 7);
            if (!leaf.contains(x, y))
                break;
            const int boards = dbl ? 8 : 5;
            const float bw = float(leaf.width()) / boards;
            const float u = x - float(leaf.left());
            const int board = std::min(int(u / bw), boards - 1);
            Texel w = m.wood(x, y, 1.5708f, dbl ? kDarkOak : kOak, 40u + board);
            Rng rng(90u + board);
            w.albedo = w.albedo * rng.range(0.85f, 1.12f);
            const float seam = std::min(u - board * bw, (board + 1) * bw - u);
            const float edge = std::min(std::min(y - float(leaf.top()), float(leaf.bottom()) - y),
                                        std::min(u, float(leaf.width()) - u));
            w.height += 16.0f - 1.2f * (1.0f - Materials::smooth(0.0f, 1.3f, seam))
                - 1.5f * (1.0f - Materials::smooth(0.0f, 1.5f, edge));
            w.albedo = w.albedo * (0.55f + 0.45f * Materials::smooth(0.0f, 1.2f, seam));
            // Iron straps across the boards, with rivets.
            const float v = y - float(leaf.top());
            const float straps[3] = {5.5f, float(leaf.height()) - 5.5f, float(leaf.height()) * 0.5f};
            for (int k = 0; k < (dbl ? 3 : 2); ++k) {
                const float dv = std::fabs(v - straps[k]);
                if (dv < 2.3f) {
                    w.albedo = m.iron(x, y);
                    w.height += 0.9f;
                    w.gloss = 0.25f;
                    w.shine = 30;
                    const float rivet = std::fmod(u + 1000.0f, dbl ? 11.5f : 11.2f) - 5.6f;
                    if (rivet * rivet + dv * dv < 1.6f)
                        w.height += 0.7f;
                }
            }
            if (dbl) {
                const float mid = std::fabs(x - 72.0f);
                if (mid < 1.0f) {
                    w.albedo = Rgb(0.06f, 0.04f, 0.03f);
                    w.height -= 2.0f;
                }
                // Ring pulls either side of the meeting seam.
                for (float cx : {66.0f, 78.0f}) {
                    const float d = std::hypot(x - cx, y - float(leaf.bottom()) + 5.0f);
                    if (std::fabs(d - 2.6f) < 0.9f) {
                        w.albedo = m.iron(x, y) * 1.3f;
                        w.height += 1.6f;
                        w.gloss = 0.4f;
                    }
                }
            } else {
                const float d = std::hypot(x - 72.0f, y - float(leaf.bottom()) + 4.0f);
                if (d < 2.8f) {
                    w.albedo = m.iron(x, y) * 1.2f;
                    w.height += 1.4f;
                    w.gloss = 0.35f;
                }
            }
            t = w;
            break;
        }
        case DoorKind::Open: {
            // The leaf has swung into the room against the left jamb.
            const QRectF leaf(g0 + 0.5f, W + 0.5f, 8, 56);
            const float swing = std::hypot(x - g0, y - W);
            if (y > W && x > g0 && swing > 50 && swing < 57)
                t.albedo = t.albedo * (0.9f + 0.04f * std::sin(swing * 6.0f));
            if (!leaf.contains(x, y))
                break;
            Texel w = m.wood(x, y, 1.5708f, kOak, 45);
            const float edge = std::min(std::min(x - float(leaf.left()), float(leaf.right()) - x),
                                        std::min(y - float(leaf.top()), float(leaf.bottom()) - y));
            w.height += 22.0f - 1.4f * (1.0f - Materials::smooth(0.0f, 1.6f, edge));
            const float v = y - float(leaf.top());
            if (std::fabs(v - 5.0f) < 2.0f || std::fabs(v - 51.0f) < 2.0f) {
                w.albedo = m.iron(x, y);
                w.height += 0.6f;
                w.gloss = 0.25f;
            }
            t = w;
            break;
        }
        case DoorKind::Portcullis: {
            if (x < g0 || x >= g1 || y < 2 || y > W - 2)
                break;
            // Round iron bars: verticals every 7 px and two cross bars.
            float best = 0, bar = -1;
            const float u = x - g0 - 3.5f;
            const float du = std::fabs(u - 7.0f * std::round(u / 7.0f));
            if (du < 1.6f) {
                bar = 1.0f - (du / 1.6f) * (du / 1.6f);
                best = 16.0f;
            }
            for (float cy : {12.0f, 24.0f}) {
                const float dv = std::fabs(y - cy);
                if (dv < 1.8f) {
                    bar = std::max(bar, 1.0f - (dv / 1.8f) * (dv / 1.8f));
                    best = 17.5f;
                }
            }
            if (bar < 0)
                break;
            t.height = best + 1.6f * std::sqrt(std::max(bar, 0.0f));
            t.albedo = m.iron(x, y) * 1.15f;
            t.gloss = 0.45f;
            t.shine = 28;
            break;
        }
        case DoorKind::Arch: {
            for (float cx : {g0 - 6.0f, g1 + 6.0f}) {
                const float d = std::hypot(x - cx, y - W * 0.5f);
                if (d < 13.0f) {
                    const float k = d / 13.0f;
                    t.height = kHeight + 4.0f - 3.0f * k * k * k * k;
                    t.albedo = m.stoneColour(x, y, kDressedTone, 70) * (0.85f + 0.15f * (1.0f - k));
                    if (std::fabs(d - 9.0f) < 0.6f)
                        t.albedo = t.albedo * 0.75f;
                    return;
                }
            }
            // The arch ring: wedge stones with a keystone, lower than the wall.
            if (x > g0 - 6 && x < g1 + 6 && y > 9 && y < 27) {
                const float u = x - 72.0f;
                if (std::fabs(u) < 6.5f) {
                    t = block(x, y, QRectF(65.5, 7.5, 13, 21), kDressedTone * 1.08f, 71, 21.5f);
                } else {
                    const float step = 9.2f;
                    const float k = std::floor((std::fabs(u) - 6.5f) / step);
                    const float from = 6.5f + k * step;
                    const QRectF b(u > 0 ? 72 + from : 72 - from - step, 9, step, 18);
                    t = block(x, y, b, kDressedTone, 80u + uint32_t(k) + (u > 0 ? 20u : 0u), 20.0f);
                }
            }
            break;
        }
        case DoorKind::Secret: {
            // A hairline seam cut through the courses, and scuffs where the slab swings.
            const QRectF slab(50, 1, 44, W - 1);
            const float sd = Materials::boxDistance(x, y, slab, 0.5f);
            if (sd < 0 && y < W)
                t.albedo = t.albedo * 1.12f; // the swinging slab is a shade cleaner
            if (std::fabs(sd) < 0.9f && y < W) {
                t.height -= 1.8f;
                t.albedo = t.albedo * 0.4f;
            }
            const float swing = std::hypot(x - 50.0f, y - W);
            if (y > W + 1 && x > 50) {
                for (float rad : {39.0f, 42.5f, 45.0f}) {
                    const float dd = std::fabs(swing - rad);
                    const float fade = Materials::smooth(0.0f, 0.4f, std::atan2(y - W, x - 50.0f));
                    if (dd < 0.6f)
                        t.albedo = t.albedo * (1.0f + 0.45f * (1.0f - dd / 0.6f) * (1.0f - fade * 0.5f));
                }
            }
            break;
        }
        case DoorKind::Collapsed: {
            const float spill = y - W;
            const float limit = 20.0f + 10.0f * m.noise().fbm(x, 9.0f, 6, 2);
            if (x > g0 - 12 && x < g1 + 12 && spill < limit) {
                const float density = spill < 0 ? 0.97f : 0.85f * (1.0f - spill / limit);
                Texel rock;
                if (m.rubble(x, y, 11.0f, density, kWallTone, 5, rock)) {
                    rock.height += spill < 0 ? 8.0f : 0.0f;
                    if (rock.height > t.height)
                        t = rock;
                } else if (spill < 0 && !(t.height > 10)) {
                    t.albedo = t.albedo * 0.55f; // dust and small stones between the blocks
                    t.height = std::max(t.height, 1.0f + 3.0f * m.noise().fbm(x, y, 36, 2));
                }
            }
            break;
        }
        }
    });
    return r.render();
}

QImage WallSet::stairsTile(Dir towards, bool down) const
{
    constexpr float side = 18.0f, stepLen = 18.0f;
    Relief r;
    r.paint([&](float x, float y, Texel &t) {
        // u runs across the flight, v from its far end (0) back to the entrance (144).
        float u = x, v = y;
        switch (towards) {
        case Dir::N:
            u = x;
            v = y;
            break;
        case Dir::E:
            u = y;
            v = 144 - x;
            break;
        case Dir::S:
            u = 144 - x;
            v = 144 - y;
            break;
        case Dir::W:
            u = 144 - y;
            v = x;
            break;
        }
        if (u < side || u > 144 - side) {
            // Low side walls running with the flight.
            t = masonry(v, u < side ? u + 18.0f : 162.0f - u, 20);
            t.height += down ? 0.0f : std::max(0.0f, (144 - v) / stepLen) * 1.5f;
            return;
        }
        const int step = std::clamp(int((144.0f - v) / stepLen), 0, 7);
        const float near = 144.0f - step * stepLen - v; // distance from the step's front edge
        const float level = down ? -5.0f * step : 6.0f * step;
        Texel st;
        st.albedo = m.stoneColour(x, y, kDressedTone * (0.95f + 0.06f * ((step * 7) % 3)), 300 + step);
        const float ends = std::min(u - side, 144 - side - u);
        st.height = level + 0.6f * m.noise().fbm(x, y, 12, 3);
        // Rounded, worn nosing on the front edge of each tread.
        const float nose = 1.0f - Materials::smooth(0.0f, 3.5f, near);
        st.height -= 2.0f * nose * nose;
        // Feet wear a hollow in the middle of each tread.
        st.height -= 0.8f * Materials::smooth(10.0f, 40.0f, ends) * Materials::smooth(2.0f, 9.0f, near);
        st.albedo = st.albedo * (0.8f + 0.2f * Materials::smooth(0.0f, 4.0f, ends));
        // The back of each tread is darker where the riser above meets it.
        const float back = stepLen - near;
        st.albedo = st.albedo * (0.62f + 0.38f * Materials::smooth(0.3f, 2.5f, back));
        st.albedo = st.albedo * (1.0f + 0.12f * (1.0f - Materials::smooth(0.5f, 3.0f, near)));
        // Going down the well darkens; going up opens to light.
        const float depth = float(step) + (stepLen - near) / stepLen;
        st.occlusion = down ? std::exp(-0.16f * depth) : 1.0f + 0.03f * depth;
        t = st;
    });
    return r.render();
}

QImage WallSet::spiralTile() const
{
    Relief r;
    r.paint([&](float x, float y, Texel &t) {
        const float dx = x - 72, dy = y - 72;
        const float d = std::hypot(dx, dy);
        if (d > 66) {
            Plan p;
            p.solid = true;
            wallTexel(x, y, p, t);
            // Leave the south side open as the way in.
            if (y > 118 && x > 40 && x < 104) {
                t = m.defaultFloor(x, y);
                m.grime(x, y, t, 0.35f, 60);
            }
            return;
        }
        if (d < 9) {
            t = block(x, y, QRectF(63, 63, 18, 18), kDressedTone, 90, kHeight);
            t.height = kHeight - 4.0f * (d / 9) * (d / 9);
            return;
        }
        // Wedge steps turning clockwise from the south entrance, each one lower.
        float ang = std::atan2(dy, dx) - 1.5708f; // 0 at south, rising clockwise
        while (ang < 0)
            ang += 6.28318f;
        const float wedge = 6.28318f / 16.0f;
        const int step = int(ang / wedge);
        const float within = ang - step * wedge;
        const float arc = within * d;
        Texel st;
        st.albedo = m.stoneColour(x, y, kDressedTone * (0.95f + 0.05f * (step % 3)), 400 + step);
        st.height =
            -2.2f * step - 1.6f * (1.0f - Materials::smooth(0.0f, 3.0f, arc)) + 0.5f * m.noise().fbm(x, y, 12, 3);
        st.albedo = st.albedo * (0.75f + 0.25f * Materials::smooth(0.0f, 3.0f, (wedge - within) * d));
        st.occlusion = std::exp(-0.065f * (step + within / wedge));
        // A worn rim where the steps meet the well wall.
        st.albedo = st.albedo * (0.8f + 0.2f * Materials::smooth(66.0f, 58.0f, d));
        t = st;
    });
    return r.render();
}

QImage WallSet::trapdoorTile() const
{
    const QRectF hatch(42, 42, 60, 60);
    Relief r;
    r.paint([&](float x, float y, Texel &t) {
        t = m.defaultFloor(x, y);
        m.grime(x, y, t, 0.35f, 60);
        const float d = Materials::boxDistance(x, y, hatch, 1.5f);
        if (d > 0)
            return;
        if (d > -4.0f) {
            t.height = 0.6f;
            t.albedo = m.iron(x, y);
            t.gloss = 0.25f;
            return;
        }
        const float u = x - 46;
        const int board = std::clamp(int(u / 13.0f), 0, 3);
        Texel w = m.wood(x, y, 1.5708f, kOak * 0.9f, 140u + board);
        const float seam = std::min(u - board * 13.0f, (board + 1) * 13.0f - u);
        w.height += -0.8f - 1.0f * (1.0f - Materials::smooth(0.0f, 1.2f, seam));
        w.albedo = w.albedo * (0.6f + 0.4f * Materials::smooth(0.0f, 1.2f, seam));
        // Hinges at the top, a ring pull at the bottom.
        for (float hx : {56.0f, 88.0f})
            if (std::fabs(x - hx) < 4.0f && y < 62) {
                w.albedo = m.iron(x, y);
                w.height += 0.8f;
                w.gloss = 0.3f;
            }
        const float ring = std::hypot(x - 72, y - 92);
        if (std::fabs(ring - 4.0f) < 1.1f) {
            w.albedo = m.iron(x, y) * 1.3f;
            w.height += 1.5f;
            w.gloss = 0.4f;
        }
        t = w;
    });
    return r.render();
}

TileSheet WallSet::build() const
{
    TileSheet sheet("Walls and Doors");
    Plan p;
    p = {};
    p.n = true;
    sheet.place(0, 0, wallTile(p), "1");
    p = {};
    p.e = true;
    sheet.place(1, 0, wallTile(p), "1");
    p = {};
    p.s = true;
    sheet.place(2, 0, wallTile(p), "1");
    p = {};
    p.w = true;
    sheet.place(3, 0, wallTile(p), "1");
    p = {};
    p.n = p.w = true;
    sheet.place(4, 0, wallTile(p), "1");
    p = {};
    p.n = p.e = true;
    sheet.place(5, 0, wallTile(p), "1");
    p = {};
    p.s = p.e = true;
    sheet.place(6, 0, wallTile(p), "1");

    p = {};
    p.s = p.w = true;
    sheet.place(0, 1, wallTile(p), "1");
    p = {};
    p.solid = true;
    sheet.place(1, 1, wallTile(p), "X");
    p = {};
    p.nubNW = true;
    sheet.place(2, 1, wallTile(p), "1");
    p = {};
    p.nubNE = true;
    sheet.place(3, 1, wallTile(p), "1");
    p = {};
    p.n = p.s = true;
    sheet.place(4, 1, wallTile(p), "1");
    p = {};
    p.w = p.e = true;
    sheet.place(5, 1, wallTile(p), "1");
    p = {};
    p.n = p.w = p.e = true;
    sheet.place(6, 1, wallTile(p), "1");

    sheet.place(0, 2, doorTile(DoorKind::Closed), "2");
    sheet.place(1, 2, doorTile(DoorKind::Open), "1");
    sheet.place(2, 2, doorTile(DoorKind::Double), "2");
    sheet.place(3, 2, doorTile(DoorKind::Portcullis), "X");
    sheet.place(4, 2, doorTile(DoorKind::Arch), "1");
    sheet.place(5, 2, doorTile(DoorKind::Secret), "1");
    sheet.place(6, 2, doorTile(DoorKind::Collapsed), "3");

    sheet.place(0, 3, stairsTile(Dir::N, true), "2");
    sheet.place(1, 3, stairsTile(Dir::E, true), "2");
    sheet.place(2, 3, stairsTile(Dir::N, false), "2");
    sheet.place(3, 3, stairsTile(Dir::W, false), "2");
    sheet.place(4, 3, spiralTile(), "2");
    sheet.place(5, 3, trapdoorTile(), "1/T");
    p = {};
    p.nubNW = p.nubNE = p.nubSE = p.nubSW = true;
    sheet.place(6, 3, wallTile(p), "1");
    return sheet;
}
