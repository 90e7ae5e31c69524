#pragma once

#include <QByteArray>
#include <QImage>

// Writes a document's pictures as PNG through libpng, quickly: a document
// holds five pictures as large as the maptile and is saved often. An opaque
// picture is RGB, each row filtered by its left neighbour and packed by runs
// alone (zlib's search for matches costs several times as long for a fifth
// of the bytes); a transparent one of at most 256 colours, as an overlay is,
// is indices into its colours, as few bits to a pixel as they need; any
// other is RGBA. Every picture is marked at 96 pixels per inch.
class PngWriter
{
public:
    // Packed picks zlib's quickest packing; Stored leaves the rows as they are,
    // for a picture read far more often than it is written, where unpacking
    // would cost every reader more than the bytes saved; Small searches for
    // matches as well, for a picture packed once and kept packed from one save
    // to the next.
    enum class Packing { Packed, Stored, Small };

    // The PNG file's bytes; empty when the picture is null or libpng fails.
    static QByteArray encode(const QImage &image, Packing packing = Packing::Packed);
};
