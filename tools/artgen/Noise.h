#pragma once

#include <cstdint>

// Procedural noise that wraps every `wrap` pixels in x and y, so a texture
// built from it joins itself seamlessly at subtile edges.
class Noise
{
public:
    explicit Noise(uint32_t seed, float wrap = 144.0f)
        : m_seed(seed)
        , m_wrap(wrap)
    {
    }

    // Gradient noise with `cells` lattice cells across the wrap length, about -1..1.
    float gradient(float x, float y, int cells) const;
    // Octaves of gradient noise, each twice as fine; about -1..1.
    float fbm(float x, float y, int cells, int octaves, float gain = 0.5f) const;
    // Creased noise (1 - |n| per octave) for rock and lava crusts; 0..1.
    float ridged(float x, float y, int cells, int octaves) const;

    struct Cell
    {
        float f1 = 1e9f, f2 = 1e9f; // distances to the nearest and second nearest points
        float edge = 1e9f; // distance to the border of the nearest cell
        float cx = 0, cy = 0; // nearest point, in the caller's (unwrapped) coordinates
        uint32_t id = 0; // stable id of the nearest cell, equal across the wrap
    };
    // Cellular (Worley) noise: jittered points on a `cells` x `cells` grid.
    Cell worley(float x, float y, int cells, float jitter = 0.85f) const;

    uint32_t hash(int x, int y, uint32_t salt) const;
    float hash01(int x, int y, uint32_t salt) const { return (hash(x, y, salt) & 0xffffff) / float(0x1000000); }

private:
    uint32_t m_seed;
    float m_wrap;
};
