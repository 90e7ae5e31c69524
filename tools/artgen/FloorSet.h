#pragma once

#include "Materials.h"
#include "TileSheet.h"

// Set A: stone floors, plus corridor pieces where the floor meets dark rock.
class FloorSet
{
public:
    explicit FloorSet(const Materials &materials)
        : m(materials)
    {
    }
    TileSheet build() const;

    // Rock along chosen edges over the default floor. The nub flags put a
    // small rock corner in for the inside of a bend.
    struct RockEdges
    {
        bool n = false, e = false, s = false, w = false, nubNW = false;
        bool solid = false;
    };
    QImage rockTile(const RockEdges &edges) const;

    // The small floor swatch used by the transparency example.
    QImage sampleFloor() const;

private:
    QImage slabTile(const std::vector<QRectF> &layout, const Materials::SlabStyle &style, float moss = -1,
                    uint32_t mossSeed = 0) const;
    QImage cobbleTile(int cells, uint32_t seed, float darkness) const;
    QImage checkerTile() const;
    QImage basketTile() const;
    QImage crackedTile() const;
    QImage dirtTile() const;
    QImage drainTile() const;

    const Materials &m;
};
