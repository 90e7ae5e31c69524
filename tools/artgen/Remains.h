#pragma once

#include "Materials.h"

// The remains of set D: a heap of bones, a skull and crossbones and a
// whole skeleton, all built from the same knuckled bone.
class Remains
{
public:
    explicit Remains(const Materials &materials)
        : m(materials)
    {
    }

    void bonePile(float x, float y, Texel &t) const;
    void skullAndBones(float x, float y, Texel &t) const;
    void skeleton(float x, float y, Texel &t) const;

private:
    void bone(float x, float y, Texel &t, float ax, float ay, float bx, float by, float r, float base) const;

    const Materials &m;
};
