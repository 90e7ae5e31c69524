#pragma once

#include "tilesets/TileData.h"

#include <QImage>
#include <QString>

// A tileset as a maptile's placements were laid from it: its pixels at that
// moment (1008 x 576; cells no placement uses may be blank), the name of its
// file and its metadata. Placements name it by its set name, or by its file
// name when it has none, so that a fixed version of the tileset finds them.
struct TilesetCopy
{
    QImage picture;
    QString fileName;
    TileData data;

    // The set name, or the file name for a tileset without one.
    QString identity() const;
    // Whether a tileset of that file name and metadata is a version of this one.
    bool sameTileset(const QString &otherFileName, const TileData &otherData) const;
    // The cell's 144 x 144 pixels.
    QImage cell(QPoint cell) const;
};
