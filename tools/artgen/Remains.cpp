#include "Remains.h"

#include "ObjectShading.h"
#include "Rng.h"

#include <cmath>

using namespace ObjectShading;

namespace {

// A skull seen from above: a dome of bone with two dark sockets below its middle.
struct Skull
{
    float cx, cy, rx, ry; // centre and radii
    float base, relief; // height at the rim and how far the dome rises
    float socket; // the sockets' radius
};

void skull(float x, float y, Texel &t, const Skull &k)
{
    const float d = std::hypot((x - k.cx) / k.rx, (y - k.cy) / k.ry);
    if (d >= 1)
        return;
    const float dome = std::sqrt(1 - d * d);
    Texel s = solid(kBone * (0.85f + 0.15f * dome), k.base + k.relief * dome, 0.12f);
    const float sockets = k.cy + 2;
    for (float ex : {k.cx - 5, k.cx + 5})
        if (std::hypot(x - ex, (y - sockets) * 1.2f) < k.socket)
            s.albedo = Rgb(0.08f, 0.06f, 0.05f), s.height -= 3;
    over(t, s);
}

} // namespace

void Remains::bone(float x, float y, Texel &t, float ax, float ay, float bx, float by, float r, float base) const
{
    const float d = Materials::segmentDistance(x, y, ax, ay, bx, by);
    float rr = r;
    float dd = d;
    // Knuckled ends: two lobes at each end.
    const float len = std::hypot(bx - ax, by - ay);
    const float nx = -(by - ay) / len, ny = (bx - ax) / len;
    for (auto [ex, ey] : {std::pair{ax, ay}, std::pair{bx, by}})
        for (float s : {-1.0f, 1.0f}) {
            const float kd = std::hypot(x - ex - nx * r * 0.7f * s, y - ey - ny * r * 0.7f * s);
            if (kd < r * 1.05f && kd - r * 1.05f < dd - rr) {
                dd = kd;
                rr = r * 1.05f;
            }
        }
    if (dd < rr) {
        const float k = std::sqrt(1 - sq(dd / rr));
        over(t, solid(kBone * (0.8f + 0.2f * k) * (0.95f + 0.05f * m.noise().gradient(x, y, 96)), base + r * k, 0.12f));
    }
}

void Remains::bonePile(float x, float y, Texel &t) const
{
    Rng rng(808);
    for (int k = 0; k < 16; ++k) {
        const float a = rng.range(0, 2 * kPi), rad = rng.range(0, 34);
        const float cx = 72 + std::cos(a) * rad, cy = 74 + std::sin(a) * rad * 0.9f;
        const float dir = rng.range(0, kPi), len = rng.range(14, 26);
        const float ax = cx - std::cos(dir) * len, ay = cy - std::sin(dir) * len;
        const float bx = cx + std::cos(dir) * len, by = cy + std::sin(dir) * len;
        bone(x, y, t, ax, ay, bx, by, rng.range(2.4f, 3.4f), k * 0.9f);
    }
    // A skull on top of the heap.
    skull(x, y, t, {80, 64, 13, 15, 20, 10, 3.4f});
}

void Remains::skullAndBones(float x, float y, Texel &t) const
{
    bone(x, y, t, 34, 40, 110, 112, 4.0f, 2);
    bone(x, y, t, 110, 40, 34, 112, 4.0f, 4);
    // A skull face up: cranium, sockets, nose and teeth.
    const float sd = std::hypot((x - 72) / 23.0f, (y - 66) / 25.0f);
    if (sd < 1) {
        Texel s = solid(kBone * (0.82f + 0.18f * std::sqrt(1 - sd * sd)), 16 + 12 * std::sqrt(1 - sd * sd), 0.14f);
        over(t, s);
    }
    const QRectF jaw(58, 82, 28, 16);
    const float jd = Materials::boxDistance(x, y, jaw, 5);
    if (jd < 0) {
        Texel j = solid(kBone * 0.9f, 20 + 2 * rounded(-jd, 3), 0.14f);
        if (y > 84 && y < 92 && std::fmod(x - 58, 4.0f) < 0.8f)
            j.albedo = j.albedo * 0.45f, j.height -= 1;
        if (std::fabs(y - 88) < 0.6f)
            j.albedo = j.albedo * 0.4f;
        over(t, j);
    }
    for (float ex : {62.0f, 82.0f}) {
        const float e = std::hypot((x - ex) / 7.0f, (y - 68) / 6.0f);
        if (e < 1)
            t = solid(Rgb(0.07f, 0.05f, 0.04f), t.height - 6 * (1 - e));
    }
    if (y > 74 && y < 82 && std::fabs(x - 72) < (y - 74) * 0.45f + 0.5f)
        t = solid(Rgb(0.08f, 0.06f, 0.05f), t.height - 3);
}

void Remains::skeleton(float x, float y, Texel &t) const
{
    // Lying on its back, head to the north.
    skull(x, y, t, {72, 22, 11.5f, 13, 10, 7, 3.0f});
    for (int k = 0; k < 12; ++k) {
        const float vy = 38 + k * 4.6f;
        const float d = std::hypot((x - 72) / 2.8f, (y - vy) / 2.0f);
        if (d < 1)
            over(t, solid(kBone * 0.92f, 6 + 2 * std::sqrt(1 - d * d), 0.1f));
    }
    // Ribs curving out from the spine.
    for (int k = 0; k < 6; ++k) {
        const float ry = 42 + k * 5.5f;
        const float w = 20 - k * 1.3f;
        for (float s : {-1.0f, 1.0f}) {
            const float u = (x - 72) * s;
            if (u < 2 || u > w + 2)
                continue;
            const float curve = ry + 5.0f * sq(u / w);
            const float d = std::fabs(y - curve);
            if (d < 1.6f)
                over(t, solid(kBone * (0.85f + 0.15f * (1 - d / 1.6f)), 9 + 1.5f * (1 - d / 1.6f), 0.1f));
        }
    }
    // Pelvis.
    for (float s : {-1.0f, 1.0f}) {
        const float pd = std::hypot((x - 72 - s * 9) / 9.0f, (y - 96) / 7.0f);
        if (pd < 1 && pd > 0.45f)
            over(t, solid(kBone * 0.9f, 8 + 3 * std::sqrt(1 - pd * pd), 0.1f));
    }
    bone(x, y, t, 56, 40, 46, 68, 2.4f, 3);
    bone(x, y, t, 46, 68, 50, 92, 2.0f, 3);
    bone(x, y, t, 88, 40, 100, 66, 2.4f, 3);
    bone(x, y, t, 100, 66, 104, 90, 2.0f, 3);
    bone(x, y, t, 66, 102, 60, 122, 2.8f, 3);
    bone(x, y, t, 78, 102, 86, 122, 2.8f, 3);
    bone(x, y, t, 60, 124, 58, 138, 2.2f, 3);
    bone(x, y, t, 86, 124, 90, 138, 2.2f, 3);
    // Finger bones scattered by the hands.
    Rng rng(909);
    for (int k = 0; k < 8; ++k) {
        const float hx = k < 4 ? 50.0f : 104.0f, hy = 98;
        const float px = hx + rng.range(-6, 6), py = hy + rng.range(-4, 6);
        const float a = rng.range(0, kPi);
        bone(x, y, t, px, py, px + std::cos(a) * 3.5f, py + std::sin(a) * 3.5f, 1.1f, 2);
    }
}
