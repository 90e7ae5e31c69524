#pragma once

#include <QByteArray>
#include <QImage>

// Writes a picture as PNG quickly. An opaque picture has each row filtered by
// its left neighbour and packed by runs alone: Qt's own writer tries every
// filter on every row and searches for matches at zlib's default level,
// several times slower, and a document holds five pictures as large as the
// maptile; these come out about a fifth larger. A transparent picture of at
// most 256 colours, as an overlay is, is written as indices into its colours,
// as few bits to a pixel as they need: a quarter of the bytes or less to pack.
class PngEncoder
{
public:
    // Whether an opaque picture's rows are packed afresh from the middle row,
    // marked by DocumentWriter::SplitChunk, for a reader that decodes the
    // halves at once.
    enum class Halves { No, Split };

    // RGB for an opaque picture, indexed or RGBA otherwise, marked at 96 pixels per inch;
    // empty when the picture is null or zlib fails.
    static QByteArray encode(const QImage &image, Halves halves = Halves::No);
};
