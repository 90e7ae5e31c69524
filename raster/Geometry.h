#pragma once

#include <QSize>

// Sizes shared by every picture of the program.
namespace Geometry {

constexpr int SpaceSize = 144; // pixels per space in the master, preview and tilesets
constexpr int ViewSpaceSize = 48; // pixels per space in the working view and the palettes
constexpr int TilesetColumns = 7;
constexpr int TilesetRows = 4;
constexpr QSize TilesetSize{TilesetColumns * SpaceSize, TilesetRows *SpaceSize}; // 1008 x 576
constexpr QSize PaletteSize{TilesetColumns * ViewSpaceSize, TilesetRows *ViewSpaceSize}; // 336 x 192
constexpr int MaxColumns = 5; // the speed-value table and the largest maptile
constexpr int MaxRows = 6;
constexpr int MinColumns = 3;
constexpr int MinRows = 3;
constexpr int SlotCount = 8;
// A space of 144 pixels prints at 1.5 inches: 96 pixels per inch, as every picture written records.
constexpr int PixelsPerInch = 96;
constexpr int DotsPerMeter = 3780;

// The colour of a blank space, as a QRgb: the toolkit's face grey. Declared
// without Qt Gui, which the command line's export does not load.
quint32 blankColour();

} // namespace Geometry
