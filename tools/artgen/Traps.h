#pragma once

#include "Materials.h"

// The traps of set C, each painted over the floor texel it is handed so
// that HazardSet decides what floor they are set into.
class Traps
{
public:
    enum class Kind { Pressure, Spikes, Runes, FireVent };

    explicit Traps(const Materials &materials)
        : m(materials)
    {
    }

    void paint(Kind kind, float x, float y, Texel &t) const;

private:
    const Materials &m;
};
