#pragma once

#include "Materials.h"
#include "TileSheet.h"
#include "Traps.h"

// Set C: hazards and rough ground. Water, mud and the traps sit on the
// default floor so they can be dropped into any room of sets A and B.
class HazardSet
{
public:
    explicit HazardSet(const Materials &materials)
        : m(materials)
    {
    }
    TileSheet build() const;

private:
    QImage waterTile(bool deep, bool overFloor, uint32_t seed) const;
    QImage shoreTile() const;
    QImage lavaTile(float crust) const;
    QImage lavaPoolTile() const;
    QImage pitTile(bool spikes) const;
    QImage chasmTile(bool bridge) const;
    QImage rubbleTile(float density, float size, bool onFloor, uint32_t seed) const;
    QImage grassTile(bool tall) const;
    QImage mudTile(bool bog) const;
    QImage iceTile(bool broken) const;
    QImage sandTile() const;
    QImage trapTile(Traps::Kind kind) const;
    QImage webTile() const;
    QImage slimeTile() const;

    // Water over a bottom texel, `level` pixels high.
    Texel water(float x, float y, const Texel &bottom, float level, bool deep) const;
    Texel lava(float x, float y, float crust) const;
    Texel floor(float x, float y) const;

    const Materials &m;
};
