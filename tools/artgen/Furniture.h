#pragma once

#include "Materials.h"

// The furniture of set D: tables, seats, shelves and beds. Each painter
// draws one object centred on a 144 x 144 subtile, for ObjectSet to key.
class Furniture
{
public:
    explicit Furniture(const Materials &materials)
        : m(materials)
    {
    }

    void roundTable(float x, float y, Texel &t) const;
    void longTable(float x, float y, Texel &t) const;
    void chair(float x, float y, Texel &t) const;
    void bookshelf(float x, float y, Texel &t) const;
    void bed(float x, float y, Texel &t) const;
    void throne(float x, float y, Texel &t) const;

private:
    const Materials &m;
};
