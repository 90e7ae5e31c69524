#pragma once

#include "raster/Geometry.h"
#include "raster/Orientation.h"
#include "tilesets/SubtileRef.h"

#include <QImage>
#include <QPoint>

#include <array>
#include <random>

class Maptile;
class Variation;

// Which subtile of a variation each space takes, and turned which way: at
// random with equal weight, from a seed, so that the same seed makes the same
// choices. With three subtiles or more a space never takes the subtile and
// turn of the space to its left or above it while another is left: spaces
// chosen in the same step are known by their choice, others by their pixels.
class VariationChooser
{
public:
    struct Choice
    {
        int cell = 0;
        Orientation orientation;
    };

    // Seeded from the system's random source.
    VariationChooser();
    explicit VariationChooser(quint32 seed);

    // A choice for space among the subtiles of variation, turned as the button
    // holds them or, with randomTurns, any of the eight ways. step numbers the
    // click, stroke or fill: the choices of an earlier step are forgotten.
    Choice choose(Variation &variation, Orientation turned, bool randomTurns, const Maptile &maptile, QPoint space,
                  qint64 step);

private:
    struct Chosen
    {
        SubtileRef ref;
        Orientation orientation;
        bool known = false;
    };
    // Whether candidate lies on neighbour already, or is chosen for it in this step.
    bool repeats(Variation &variation, const Choice &candidate, const Maptile &maptile, QPoint neighbour) const;

    std::mt19937 m_random;
    qint64 m_step = -1;
    std::array<Chosen, Geometry::MaxColumns * Geometry::MaxRows> m_chosen;
};
