#include "Rng.h"

#include <algorithm>
#include <cmath>

uint64_t Rng::next()
{
    uint64_t z = (m_state += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
}

float Rng::uniform()
{
    return float(next() >> 40) / float(1ull << 24);
}

float Rng::range(float lo, float hi)
{
    return lo + (hi - lo) * uniform();
}

int Rng::integer(int lo, int hiInclusive)
{
    return lo + int(next() % uint64_t(hiInclusive - lo + 1));
}

float Rng::normal()
{
    const float u1 = std::max(uniform(), 1e-7f);
    const float u2 = uniform();
    return std::sqrt(-2.0f * std::log(u1)) * std::cos(6.2831853f * u2);
}
