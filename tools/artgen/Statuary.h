#pragma once

#include "Materials.h"

// The carved stone of set D: a statue, pillars whole and broken, and a
// sarcophagus. Each painter draws one object for ObjectSet to key.
class Statuary
{
public:
    explicit Statuary(const Materials &materials)
        : m(materials)
    {
    }

    void statue(float x, float y, Texel &t) const;
    void roundPillar(float x, float y, Texel &t) const;
    void squarePillar(float x, float y, Texel &t) const;
    void brokenPillar(float x, float y, Texel &t) const;
    void sarcophagus(float x, float y, Texel &t) const;

private:
    const Materials &m;
};
