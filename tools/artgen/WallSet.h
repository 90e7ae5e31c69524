#pragma once

#include "Materials.h"
#include "TileSheet.h"

// Set B: built stone walls seen from above, with doors, a portcullis, an
// arch, a secret door and stairs. Walls stand on the default floor, 36
// pixels thick along the subtile edges, so they line up with each other and
// with set A's floors.
class WallSet
{
public:
    explicit WallSet(const Materials &materials)
        : m(materials)
    {
    }
    TileSheet build() const;

    static constexpr float kThick = 36.0f;
    static constexpr float kHeight = 32.0f;

    struct Plan
    {
        bool n = false, e = false, s = false, w = false;
        bool nubNW = false, nubNE = false, nubSE = false, nubSW = false;
        bool solid = false;
        float gapFrom = 0, gapTo = 0; // opening in the north wall
    };
    // Wall or floor at a point of a plan; true where it is wall.
    bool wallTexel(float x, float y, const Plan &plan, Texel &t) const;

private:
    enum class Dir { N, E, S, W };
    enum class DoorKind { Closed, Open, Double, Portcullis, Arch, Secret, Collapsed };

    QImage wallTile(const Plan &plan) const;
    QImage doorTile(DoorKind kind) const;
    QImage stairsTile(Dir towards, bool down) const;
    QImage spiralTile() const;
    QImage trapdoorTile() const;

    Texel masonry(float along, float across, uint32_t salt) const;
    Texel block(float x, float y, const QRectF &r, const Rgb &tone, uint32_t salt, float height) const;

    const Materials &m;
};
