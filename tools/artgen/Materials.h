#pragma once

#include "Noise.h"
#include "Relief.h"

#include <QRectF>
#include <vector>

// Surfaces shared by several sets: the flagstone floor every set lays under
// its walls and hazards, dark rock, cobbles, moss, cracks. All of them wrap
// every 144 pixels so neighbouring subtiles join.
class Materials
{
public:
    explicit Materials(uint32_t seed);

    // A floor of rectangular slabs. The rectangles tile the subtile; the
    // mortar line is centred on every rectangle edge, so the subtile border
    // always carries half a joint and any two such floors meet cleanly.
    struct SlabStyle
    {
        Rgb base{0.46f, 0.44f, 0.41f};
        float colourJitter = 0.07f; // per-slab shade spread
        float wear = 0.5f; // 0 crisp, 1 heavily worn edges
        float tilt = 0.7f; // per-slab unevenness in pixels
        uint32_t seed = 1;
    };
    // Mottled stone colour: broad clouds, grain, dark inclusions, rare veins.
    Rgb stoneColour(float x, float y, const Rgb &base, uint32_t salt) const;
    Texel slabs(float x, float y, const std::vector<QRectF> &layout, const SlabStyle &style) const;

    // The floor that walls, corridors and hazards sit on.
    Texel defaultFloor(float x, float y) const;
    static const std::vector<QRectF> &defaultLayout();

    Texel cobbles(float x, float y, int cells, uint32_t seed) const;
    Texel rock(float x, float y, float level) const;

    // Loose broken stone: chunks of `size` pixels, covering about `density` (0..1).
    // Returns false where the ground shows through.
    bool rubble(float x, float y, float size, float density, const Rgb &tint, uint32_t seed, Texel &t) const;

    // Wood with its grain running at `grainAngle` radians, and rusty iron.
    Texel wood(float x, float y, float grainAngle, const Rgb &tone, uint32_t salt) const;
    Rgb iron(float x, float y) const;

    // Overlays that change an existing texel.
    void moss(float x, float y, Texel &t, float amount, uint32_t seed) const;
    void grime(float x, float y, Texel &t, float amount, uint32_t seed) const;

    // Branching cracks as short tapered segments, and how deep one cuts at a point (0..1).
    struct Crack
    {
        float ax, ay, bx, by, width;
    };
    static std::vector<Crack> crackNetwork(uint64_t seed, float x, float y, float angle, float length, float width);
    static float crackDepth(float x, float y, const std::vector<Crack> &cracks);

    // Depth of the rock band along a subtile edge at position `along`; the same
    // function serves all four edges so corners and neighbours agree.
    float rockDepth(float along) const;

    const Noise &noise() const { return m_noise; }

    // Small maths shared by the painters.
    static float smooth(float e0, float e1, float x);
    static float boxDistance(float x, float y, const QRectF &r, float radius); // < 0 inside
    static float segmentDistance(float px, float py, float ax, float ay, float bx, float by);
    static float wrap(float v) { return v - 144.0f * std::floor(v / 144.0f); }

private:
    Noise m_noise;
};
