#pragma once

#include "tilesets/TransparencySetting.h"

#include <QImage>
#include <QPoint>
#include <QString>

#include <array>
#include <string>
#include <vector>

class Workspace;

// The maptile the benchmarks compose: 5 x 6 spaces with one subtile of the
// default tilesets on each (plain floors from A and B, keyed objects from D on
// their magenta, blended pieces from C), a speed value on every space, a
// maptile number and a long designer name.
namespace SampleMaptile {

constexpr int Columns = 5;
constexpr int Rows = 6;
constexpr int TilesetCount = 4;
constexpr int KeyedSlot = 3;
constexpr int BlendedSlot = 2;
constexpr int BlendAlpha = 160;
inline const QString MapNumber = QStringLiteral("12");
inline const QString Designer = QStringLiteral("A designer with a rather long name, Esq., of the Northern Caverns");

struct Placement
{
    int slot, column, row; // the subtile
    QPoint space;
};
// One placement per space, row by row.
std::vector<Placement> placements();
TransparencySetting transparency(int slot);
QString speedValue(QPoint space);
// The default tileset of slots A-D, beside the running program.
QString tilesetPath(int slot);

// Paints the sample through the workspace's own commands, as a user would,
// after a start-up with the default tilesets.
void paint(Workspace &workspace);
using Tilesets = std::array<QImage, TilesetCount>;
// Reads the four tileset files as the program does; on a failure the reason
// is in error and the failed picture is null.
Tilesets readTilesets(QString *error);
// Composes the preview from the tilesets with the core alone, as the redraw makes it.
QImage compose(const Tilesets &tilesets);
// One ImageMagick convert command that makes the same picture from the same
// files and writes it to out as a JPEG at quality 90: each tileset decoded
// once into a memory register, subtiles cropped from it, keyed or blended,
// texts in the face and pixel size of our overlays with a stroke for the
// outline. door is the badge picture as a file.
std::vector<std::string> convertCommand(const std::string &convert, const QString &door, const QString &out);

} // namespace SampleMaptile
