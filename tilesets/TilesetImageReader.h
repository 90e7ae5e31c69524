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

    // Pixels of a picture read in part: decoding still goes through the rows
    // above the part, and for some files through all of them.
    static constexpr qint64 MaxPartPixels = qint64(1) << 28;

    // The picture at its own size in the work format, or a null image with
    // error set to a sentence that names the file and the reason. With keep
    // given, only the picture's top-left part of at most that size is read,
    // which lets JPEG, PNG and BMP pictures far larger than the memory limit
    // open; pictureSize, when given, receives the whole picture's size. A
    // metafile that takes longer than metafileTimeLimitMs to draw is refused.
    static QImage read(const QString &path, QString *error, QSize keep = {}, QSize *pictureSize = nullptr,
                       int metafileTimeLimitMs = WmfRenderer::TimeLimitMs);
    // The whole picture: the form a reading process is handed.
    static QImage readWhole(const QString &path, QString *error) { return read(path, error); }
    // Reads several files side by side, one thread each; errors[i] belongs to paths[i].
    static QList<QImage> readAll(const QStringList &paths, QStringList *errors);
    // The patterns offered by the open dialogs besides the design's own.
    static QStringList extraPatterns();
};
