#pragma once

#include "raster/Geometry.h"

#include <QString>

#include <array>

// The speed value printed on each space, for all 5 x 6 positions whatever
// the maptile's size; the empty text means none.
using SpeedValues = std::array<std::array<QString, Geometry::MaxRows>, Geometry::MaxColumns>;
// The longest speed value a space holds.
constexpr int MaxSpeedValueLength = 100;
