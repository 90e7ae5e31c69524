#pragma once

#include <QCoreApplication>
#include <QString>

class TilesetSlot;

// Saves a slot's tileset as it is in memory: the picture as PNG, BMP or JPEG
// by the name's extension, and beside it the metadata file the reader looks
// for (one already there in another letter case is the one updated). The two
// are replaced together: nothing is written when the metadata file cannot be
// read or either file cannot be written in full.
class TilesetWriter
{
    Q_DECLARE_TR_FUNCTIONS(TilesetWriter)

public:
    // The empty text, or a sentence naming the file and the reason.
    static QString save(const TilesetSlot &slot, const QString &path);
    // The metadata file saved beside path.
    static QString datPathFor(const QString &path);
};
