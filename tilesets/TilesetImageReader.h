#pragma once

#include "tilesets/WmfRenderer.h"

#include <QImage>
#include <QList>
#include <QString>
#include <QStringList>

// Reads a picture file for a tileset slot or a maptile: every format Qt's image
// plugins read, plus Windows metafiles. Huge images are refused from their header,
// before any pixel memory is taken; files that end early are refused rather than
// shown half grey.
class TilesetImageReader
{
public:
    // Megabytes an image may take once decoded.
    static constexpr int AllocationLimitMb = 128;
    // Larger files are refused before they are read into memory.
    static constexpr qint64 MaxFileBytes = 256 * 1024 * 1024;

    // The picture at its own size in the work format, or a null image with
    // error set to a sentence that names the file and the reason. A metafile
    // that takes longer than metafileTimeLimitMs to draw is refused.
    static QImage read(const QString &path, QString *error, int metafileTimeLimitMs = WmfRenderer::TimeLimitMs);
    // Reads several files side by side, one thread each; errors[i] belongs to paths[i].
    static QList<QImage> readAll(const QStringList &paths, QStringList *errors);
    // The patterns offered by the open dialogs besides the design's own.
    static QStringList extraPatterns();
};
