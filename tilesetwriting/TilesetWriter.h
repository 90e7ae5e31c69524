#pragma once

#include <QString>

class TilesetSlot;

// Saves a slot's tileset as it is in memory: the picture as PNG, BMP or JPEG
// by the name's extension, and beside it the metadata file under the name the
// reader looks for. Each file is replaced atomically; nothing is written when
// either cannot be.
class TilesetWriter
{
public:
    // The empty text, or a sentence naming the file and the reason.
    static QString save(const TilesetSlot &slot, const QString &path);
};
