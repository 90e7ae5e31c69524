#pragma once

#include <QImage>
#include <QString>

// Reads a picture file for a tileset slot or a maptile: every format Qt's image
// plugins read, plus Windows metafiles. Huge images are refused by an
// allocation limit instead of exhausting memory.
class TilesetImageReader
{
public:
    // Megabytes an image may take once decoded.
    static constexpr int AllocationLimitMb = 128;

    // The picture at its own size in the work format, or a null image with
    // error set to a sentence that names the reason.
    static QImage read(const QString &path, QString *error);
    // The patterns offered by the open dialogs besides the design's own.
    static QStringList extraPatterns();
    static bool isMetafile(const QString &path);
};
