#pragma once

#include "Materials.h"
#include "TileSheet.h"

#include <functional>

// Set D: furniture, treasure, statuary and remains, each standing alone on
// the key colour so the editor can lay it over any floor. Objects are lit
// like the floors but cast no shadow onto the ground, since the ground is
// whatever they end up on. Furniture, Statuary and Remains paint their
// groups of objects; the rest are painted here.
class ObjectSet
{
public:
    static constexpr QRgb kKey = 0xffff00ff;

    explicit ObjectSet(const Materials &materials)
        : m(materials)
    {
    }
    TileSheet build() const;

    using Painter = std::function<void(float x, float y, Texel &t)>;
    // Renders one object painter to a keyed 144 x 144 subtile.
    static QImage keyed(const Painter &paint, QRgb key = kKey, float scale = 1.0f);

    // Individual objects, also used by the small example images.
    void barrel(float x, float y, Texel &t) const;
    void chest(float x, float y, Texel &t, bool open) const;

private:
    void barrelOnSide(float x, float y, Texel &t) const;
    void crate(float x, float y, Texel &t, const QRectF &r, float h, uint32_t salt) const;
    void sacks(float x, float y, Texel &t) const;
    void altar(float x, float y, Texel &t) const;
    void well(float x, float y, Texel &t) const;
    void brazier(float x, float y, Texel &t) const;
    void candles(float x, float y, Texel &t) const;
    void weaponRack(float x, float y, Texel &t) const;
    void treasure(float x, float y, Texel &t) const;
    void cauldron(float x, float y, Texel &t) const;

    // A heap of coin, in the open chest and the treasure.
    void coins(float x, float y, Texel &t, float cx, float cy, float radius, float h) const;

    const Materials &m;
};
