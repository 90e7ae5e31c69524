#pragma once

#include "pictures/HeaderFacts.h"

#include <QByteArray>
#include <QCoreApplication>
#include <QImage>
#include <QRgb>
#include <QString>
#include <QStringList>

#include <functional>

class PictureRows;

// Decodes the bytes of a picture file: every format Qt's image plugins read,
// plus Windows metafiles. Huge images are refused from their header, before
// any pixel memory is taken; files that end early are refused rather than
// shown half grey. It never opens a file, so that it can run where none may be.
class PictureDecoder
{
    Q_DECLARE_TR_FUNCTIONS(PictureDecoder)

public:
    // Megabytes an image may take once decoded.
    static constexpr int AllocationLimitMb = 128;
    // Pixels of a picture read in part: decoding still goes through the rows
    // above the part, and for some files through all of them.
    static constexpr qint64 MaxPartPixels = qint64(1) << 28;

    // The picture as decoded, transparency and all, or a null image with
    // reason set to why not. name is the file's name: a picture no decoder
    // recognises is taken for a metafile when it ends in .wmf. With keep
    // given, only the picture's top-left part of at most that size is read,
    // which lets JPEG, PNG and BMP pictures far larger than the memory limit
    // open; pictureSize, when given, receives the whole picture's size.
    static QImage decode(const QByteArray &bytes, const QString &name, QString *reason, QSize keep = {},
                         QSize *pictureSize = nullptr);
    // Fills up to count bytes of a picture read piece by piece: the number
    // filled, 0 at its end, -1 when it cannot be read.
    using ReadFunction = std::function<qint64(char *to, qint64 count)>;
    // A PNG read piece by piece out of a zip archive, as a document's pictures
    // are, handed to rows as it is decoded, through libpng alone: no image
    // plugin is looked for. The archive checks every byte against its own
    // CRC-32, so the PNG's checksums over the same bytes are not computed a
    // second time. An opaque eight-bit RGB picture comes as Format_RGB888, as
    // it is stored; any other as 32-bit pixels, transparency and all. False,
    // with reason set, when the picture is refused or rows stopped it; header,
    // when given, receives what the PNG's header says, which tells a picture
    // refused for its size from a damaged one.
    static bool decodePng(const ReadFunction &read, PictureRows &rows, QString *reason, QSize keep = {},
                          HeaderFacts *header = nullptr);
    // The reason decode() gives for a picture of that size it will not take.
    static QString tooLarge(qint64 width, qint64 height);
    // Whether decode() takes the bytes of the file called name for a metafile.
    static bool isMetafile(const QByteArray &bytes, const QString &name);
    // image in the work format of the maptile, its transparent parts showing
    // background, as on a picture surface.
    static QImage flattened(const QImage &image, QRgb background);
    // Loads every image plugin Qt has now, so that decoding later opens no file.
    static void loadPlugins();
    // The patterns offered by the open dialogs besides the design's own.
    static QStringList extraPatterns();
};
