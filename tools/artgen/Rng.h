#pragma once

#include <cstdint>

// Small deterministic generator (splitmix64). Every piece of art seeds its
// own Rng so changing one tile never reshuffles the others.
class Rng
{
public:
    explicit Rng(uint64_t seed)
        : m_state(seed * 0x9E3779B97F4A7C15ull + 0x632BE59BD9B4E019ull)
    {
    }

    uint64_t next();
    float uniform(); // [0, 1)
    float range(float lo, float hi); // [lo, hi)
    int integer(int lo, int hiInclusive);
    bool chance(float p) { return uniform() < p; }
    float normal(); // mean 0, sd 1

private:
    uint64_t m_state;
};
